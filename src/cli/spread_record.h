// What the spread commands share: opening a record that must hold receiver test values, and
// the folder of frame pictures the slice commands write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "cli/cli_record.h"

namespace vorax::cli {

// Opens the record with its traces. Returns 0, or the exit status after saying why: the
// opener's status, or 2 for a record without live traces.
int openSpreadRecord(std::string_view command, const std::string& path, CliRecord& out);

// A value the record bounds: `value` of `option` must be a finite number in low..high (the
// record's extent, in `unit`). False after saying why not, as "vorax <command>: ...".
struct RecordRange {
  double low = 0;
  double high = 0;
  std::string_view unit;  // "Hz", "ms"
};
bool valueWithin(std::string_view command, std::string_view option, double value,
                 const RecordRange& range);

// Makes the folder (and its parents) when missing; false after saying why.
bool makeOutputFolder(std::string_view command, const std::filesystem::path& folder);

// DIR/<prefix>_<index>.png, the index zero-padded to the digits of `largestIndex`, so the
// frames sort in order.
std::filesystem::path frameFileName(const std::filesystem::path& folder, std::string_view prefix,
                                    std::int32_t index, std::int32_t largestIndex);

}  // namespace vorax::cli
