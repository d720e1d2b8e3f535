// The records beside the open one: its folder's record files in order of name, for stepping
// to the next or previous record.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorax::app {

// Whether a file name may be a record: one of the record extensions (SEG-D .segd .sgd .fcnt,
// SEG-2 .seg2 .sg2 .dat, any case) or no extension at all (recorders often number their
// files).
bool mayBeRecordFile(const std::filesystem::path& name);

// File names compared as people read them: runs of digits by their value ("2" before "10"),
// everything else case-blind; equal names by their bytes.
bool namedBefore(const std::string& a, const std::string& b);

// The regular files of `folder` that may be records, in order of name. Empty when the folder
// cannot be read.
std::vector<std::filesystem::path> recordFilesIn(const std::filesystem::path& folder);

struct FolderPlace {
  std::size_t index = 0;  // 0-based place of the record among them
  std::size_t count = 0;
};

// Where `record` stands among the record files of its folder; none when it is not one of them.
std::optional<FolderPlace> placeInFolder(const std::filesystem::path& record);

// The record `step` places after `record` in its folder (before it for a negative step); none
// past either end or when the record is not found there.
std::optional<std::filesystem::path> neighbourRecord(const std::filesystem::path& record, int step);

// "record k of n", k counted from 1.
std::string folderPlaceText(const FolderPlace& place);

// "Record k of n": record k (from 1) of a file holding n records one after another.
std::string fileRecordText(std::int32_t number, std::int32_t count);

}  // namespace vorax::app
