// Filtering every trace of the record in memory: the enabled filters one after the other
// (low cut, high cut, band pass, band reject), each over all traces, on several threads.
// The work is done on a copy, so a cancelled run leaves the record exactly as it was.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "base/worker_count.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "filter/trace_filter.h"

namespace vorax::filter {

// Told the filter running and the share of traces it has done (a whole percentage): 0 as each
// filter starts, then every 100 traces; returning false cancels the run.
using FilterProgress = std::function<bool(FilterType type, int percent)>;

// The filtered samples with each trace's new amplitude scale (index 0 unused).
struct FilteredTraces {
  decode::TraceSamples samples;
  std::vector<float> amplitudeScales;
};

// Runs `filters` in the order given over every trace the record holds, each trace's stored
// samples 0..S-1 as the filter's samples 1..S; value S of every trace stays 0. Uses `threads`
// threads (the caller's among them; by default the program's worker count). nullopt when the
// run was cancelled.
std::optional<FilteredTraces> filterRecordTraces(const decode::SegdRecord& record,
                                                 std::span<const FilterRequest> filters,
                                                 dsp::Fft& fft, const FilterProgress& progress = {},
                                                 unsigned threads = base::workerCount());

// Puts a finished run into the record. Stored x divisor still gives the recorded amplitude
// filtered: each divisor is multiplied by new scale / old scale.
void applyFilteredTraces(decode::SegdRecord& record, FilteredTraces&& filtered);

// Both at once, for callers that do not run it on a worker. False when cancelled.
bool filterRecord(decode::SegdRecord& record, std::span<const FilterRequest> filters, dsp::Fft& fft,
                  const FilterProgress& progress = {}, unsigned threads = base::workerCount());

}  // namespace vorax::filter
