// Small records built by hand for the display tests: every value is set here, so expected
// drawings can be worked out from the numbers below.
#pragma once

#include <cstdint>
#include <vector>

#include "decode/segd_record.h"

namespace vorax::test {

// A record of `traces` seismic traces of `samples` samples at `intervalUs`, all samples 0,
// every trace black with amplitude scale 1, all on receiver line 1.
inline decode::SegdRecord makeDisplayRecord(std::int32_t traces, std::int32_t samples,
                                            float intervalUs = 2000) {
  decode::SegdRecord record;
  record.summary.sampleIntervalUs = intervalUs;
  record.summary.samplesPerTrace = samples;
  record.summary.traceCount = traces;
  record.summary.seismicTraceCount = traces;
  record.sampleIntervalMs = intervalUs / 1000;
  record.recordLengthMs = record.sampleIntervalMs * static_cast<float>(samples - 1);
  record.samples.reset(traces, samples);
  record.traceInfo.resize(static_cast<std::size_t>(traces) + 1);
  for (std::int32_t t = 1; t <= traces; ++t) {
    decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
    info.channelKind = "Seis";
    info.receiverLine = 1;
    info.amplitudeScale = 1;
  }
  record.lineRuns = decode::buildLineRuns(record.traceInfo, traces);
  return record;
}

// Gives traces first..last (1-based, inclusive) the receiver line and rebuilds the runs.
inline void setLine(decode::SegdRecord& record, std::int32_t first, std::int32_t last, float line) {
  for (std::int32_t t = first; t <= last; ++t)
    record.traceInfo[static_cast<std::size_t>(t)].receiverLine = line;
  record.lineRuns = decode::buildLineRuns(record.traceInfo, record.samples.traceCount());
}

}  // namespace vorax::test
