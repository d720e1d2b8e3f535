// Repair of radio-similarity records: each Sercel record is rewritten to describe only the
// traces wanted. Channel set 1 gets T channels (four-digit BCD, bytes 9-10 of its descriptor)
// and an end time of E x 2 ms (binary, bytes 5-6) from a start time of 0; channel set 2 is
// emptied; the extended header says T total and T auxiliary traces and no seismic, dead or
// live ones; the first T traces are copied unchanged. A record holding fewer than T whole
// traces (it has fewer, or its file ends inside one) gives the traces it holds whole, and its
// headers count those; a file ending inside its first trace gives nothing. An output of a
// file that ends early is named "<output>_partial" before its extension, and its input is
// never deleted.
//
// Each output is written under a temporary name, synced and renamed when complete; an input
// is deleted only after that. A failure or cancel leaves every input as it was and no
// part-written file under an output's name. An output never replaces one of the run's inputs,
// nor an existing file the run did not write unless the callbacks' question allows it; a
// file the run wrote is never taken as an input.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/messages.h"
#include "tools/tool_support.h"

namespace vorax::tools {

inline constexpr const char* kNoPrefixMessage =
    "No prefix specified for output file, so cannot delete original - set options first";
inline constexpr const char* kEmptyPrefixOutput = "radtmp";

struct RadioFixOptions {
  std::int32_t tracesRequired = 3;  // T
  std::int32_t halfEndTime = 6000;  // E: the end time in ms / 2
  std::string prefix = "RS";        // used trimmed; empty writes every output to "radtmp"
  bool deleteOriginal = false;
  std::filesystem::path outputFolder;  // empty: each input's own folder
};

struct RadioFixFile {
  std::filesystem::path input;
  std::filesystem::path output;
  std::uint64_t tracesCopied = 0;  // also the count its headers give
  bool partial = false;            // the input ended before the traces wanted
  bool inputDeleted = false;
};

enum class RadioFixStatus {
  Complete,
  InputProblem,   // a decoder's fatal result, a record that cannot be sized or holds no
                  // whole trace
  OutputIsInput,  // an output named as one of the inputs, or an input the run wrote
  OutputExists,   // an existing file under an output's name is not to be replaced
  FileError,      // an input could not be read or an output written
  Cancelled,
};

struct RadioFixResult {
  RadioFixStatus status = RadioFixStatus::Complete;
  std::string message;              // why the run stopped
  std::vector<RadioFixFile> files;  // the outputs written, complete, in input order
  bool deleteSwitchedOff = false;   // deleting was asked with an empty prefix: turned off
};

struct RadioFixCallbacks {
  std::function<void(const std::string&)> status;  // "Read A.sgd", "Write A.sgd", ... "Done"
  std::function<bool(int percent)> progress;       // of the file being copied; false cancels
  decode::MessageSink* messages = nullptr;         // warnings and the no-prefix message
  ReplaceQuestion mayReplace;  // an existing file that the run did not write; none: kept
};

// Repairs `inputs` in order; the run stops at the first file that cannot be repaired.
RadioFixResult fixRadioFiles(const std::vector<std::filesystem::path>& inputs,
                             const RadioFixOptions& options,
                             const RadioFixCallbacks& callbacks = {});

}  // namespace vorax::tools
