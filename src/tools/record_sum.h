// Sum or difference of two records of the same geometry, sample by sample. Each file is read
// with the trace loader its flavour needs; the traces are combined at their recorded
// amplitudes (the stored samples times the factor the loader divided them by), so records
// loaded as recorded (Sercel) and records normalised per trace on loading (VORAX) both give
// the sum or difference of what was recorded. The result keeps the second file's headers and
// is titled after both files ("A.sgd − B.sgd", "A.sgd + B.sgd").
#pragma once

#include <cstdint>
#include <string>

#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/segd_record.h"

namespace vorax::tools {

inline constexpr const char* kSelectTwoFilesMessage = "You must select 2 files";
inline constexpr const char* kNoOperationMessage = "No Operation Specified";
inline constexpr const char* kTraceCountMismatch =
    "Total Number of Traces Do Not Match, Cannot Continue";
inline constexpr const char* kSeisCountMismatch =
    "Total Number of Seis Traces Do Not Match, Cannot Continue";
inline constexpr const char* kAuxCountMismatch =
    "Total Number of Aux Traces Do Not Match, Cannot Continue";
inline constexpr const char* kSampleRateMismatch = "Sample Rates Do Not Match, Cannot Continue";
inline constexpr const char* kSampleCountMismatch =
    "Number of Samples Do Not Match, Cannot Continue";

enum class SumDiffOperation { None, Sum, Difference };

struct SumDiffOptions {
  SumDiffOperation operation = SumDiffOperation::Difference;
  bool normalise = false;  // "Normalise to Trace Peak"
};

// Each hears 0..100; returning false stops the run (the outcome says cancelled).
struct SumDiffProgress {
  decode::ProgressCallback readFile1;
  decode::ProgressCallback readFile2;
  decode::ProgressCallback operation;
};

struct SumDiffOutcome {
  bool ok = false;
  // The message to show when not ok (empty when a decoder's message was already shown).
  // `untitled` messages are shown in a box without a caption.
  std::string message;
  bool untitled = false;
  bool cancelled = false;  // a progress callback asked to stop
};

// The first geometry mismatch between the two header summaries, in the order trace count,
// seismic traces, auxiliary traces, sample interval, samples per trace; empty when none.
std::string geometryMismatch(const decode::RecordSummary& first,
                             const decode::RecordSummary& second);

// The title of the combined record: the two file names (without folders) joined by " + " or
// by " − " (the minus sign, U+2212).
std::string combinedTitle(const std::string& file1, const std::string& file2,
                          SumDiffOperation operation);

// Combines `first` into `second` trace by trace (first + second, or first - second). With
// `normalise` each result trace is divided by its largest absolute value; otherwise seismic
// traces by the largest amplitude scale of the second record's seismic traces (1 when that is
// 0), other traces by their own amplitude scale (a trace whose scale is 0 keeps the second
// record's samples). Each trace's divisor records the factor, so that the fixed-gain display
// still shows recorded amplitudes. `progress` hears every 100th trace. Both records hold the
// same number of traces and samples.
void combineRecords(const decode::SegdRecord& first, decode::SegdRecord& second,
                    const SumDiffOptions& options, const decode::ProgressCallback& progress = {});

// Reads both files, checks their geometry and combines them into `result`. Decoder messages go
// to `messages`.
SumDiffOutcome sumDifference(const std::string& file1, const std::string& file2,
                             const SumDiffOptions& options, decode::SegdRecord& result,
                             decode::MessageSink& messages, const base::DebugLog& debugLog,
                             const SumDiffProgress& progress = {});

}  // namespace vorax::tools
