// The file splitter: a file holding several Sercel records one after another becomes one file
// per record, each a byte-for-byte copy, named after the record's file number
// ("1001.SEGD"). The input is read once, a megabyte at a time, and never changed.
//
// Each output is written under a temporary name and renamed when complete, so a failure, a
// cancel or a killed process leaves no part-written file under a record's name. A record never
// replaces the file being split, nor a file written earlier in the same run (a repeated file
// number gets "1001_2.SEGD", "1001_3.SEGD", ... with a warning). Any other existing file is
// replaced only when the callbacks' question allows it; else the split stops there. A record
// the input ends inside is copied as far as it goes to "1001_partial.SEGD", with a warning.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/messages.h"
#include "tools/tool_support.h"

namespace vorax::tools {

inline constexpr const char* kReadOnlyMediaMessage =
    "File is on Read Only Media, Copy to Your Hard Disk Then Split";

struct SplitProgress {
  std::string fileNumber;          // of the record being copied
  std::uint64_t tracesInFile = 0;  // its declared trace count
  std::uint64_t currentTrace = 0;  // traces of it copied so far
  int filePercent = 0;             // 100 x currentTrace / tracesInFile
  int overallPercent = 0;          // 100 x bytes of the input done / its length
};

struct SplitRecord {
  std::filesystem::path output;
  std::string fileNumber;
  std::uint64_t declaredTraces = 0;
  std::uint64_t tracesCopied = 0;  // fewer than declared when the input ends inside the record
  bool partial = false;            // the input ends inside the record
};

enum class SplitStatus {
  Complete,        // the whole input was split
  InputProblem,    // a decoder's fatal result, a record that cannot be sized, cut headers
  FileError,       // the input could not be read, an output could not be written
  ReadOnlyFolder,  // the output folder is read-only; nothing was written
  OutputExists,    // an existing file under a record's name is not to be replaced
  Cancelled,
};

struct SplitResult {
  SplitStatus status = SplitStatus::Complete;
  std::string message;               // why it stopped (empty when complete)
  std::vector<SplitRecord> records;  // the files written, complete, in input order
};

struct SplitCallbacks {
  std::function<bool(const SplitProgress&)> progress;  // false cancels
  decode::MessageSink* messages = nullptr;             // warnings (renamed or short records)
  ReplaceQuestion mayReplace;  // an existing file that the run did not write; none: kept
};

// Splits `input` into `outputFolder` (the input's own folder when empty).
SplitResult splitFile(const std::filesystem::path& input, const std::filesystem::path& outputFolder,
                      const SplitCallbacks& callbacks = {});

}  // namespace vorax::tools
