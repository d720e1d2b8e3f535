// Checking the records of a survey on several threads of one machine: each thread opens a
// record, judges it and lets it go before taking the next, so memory holds one record per
// thread. Shared by the Survey QC window and `vorax qc`.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "decode/segd_record.h"
#include "qc/record_qc.h"

namespace vorax::qc {

// Asked between records and while a record loads: true stops the run.
using StopRequest = std::function<bool()>;

// Opens the file with the reader its content calls for and judges it. A file that cannot be
// read, or holds no traces, gives a record with its message. Nothing when `stop` asked to stop
// while it loaded. `withRecord` (when given) sees the loaded record after its verdicts, on the
// calling thread (for a picture of it). `samplesMemory` (when given) lends the record the
// memory of an earlier record's samples and gets the record's back: a run of records of one
// size loads them all into one array.
std::optional<RecordQc> checkRecordFile(
    const std::string& file, const StopRequest& stop = {},
    const std::function<void(decode::SegdRecord&, const RecordQc&)>& withRecord = {},
    decode::TraceSamples* samplesMemory = nullptr);

struct SurveyRunOptions {
  // Records checked at once, each on its own thread, 1 or more. The worker count in force is
  // shared among them (each record loads and draws on workerCount() / jobs, at least 1).
  int jobs = 1;
  StopRequest stop;
  std::function<void(decode::SegdRecord&, const RecordQc&)> withRecord;  // on the worker
  // Each record as it is done, one call at a time (never two at once), in the order they
  // finish; `index` is its place in the list.
  std::function<void(std::size_t index, const RecordQc&)> finished;
};

// The verdicts of every file, in the list's order; a file not reached before a stop has none.
std::vector<std::optional<RecordQc>> runSurvey(std::span<const std::string> files,
                                               const SurveyRunOptions& options);

}  // namespace vorax::qc
