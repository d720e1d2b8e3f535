// Small records for the spread tests: traces placed on receiver lines and points, with test
// values and limits set per trace; and the filled rectangles of a recorded picture.
#pragma once

#include <cstdint>
#include <vector>

#include "app/recording_canvas.h"
#include "decode/segd_record.h"

namespace vorax::test {

struct PlacedTrace {
  float line = 0;
  float point = 0;
};

// A record of the given traces (1..N in order), S samples of 2 ms each, all zero; every
// trace carries the limits resistance 250-500, capacitance 80-120, tilt 10, leakage 1.
inline decode::SegdRecord makeSpreadRecord(const std::vector<PlacedTrace>& traces,
                                           std::int32_t samples = 4) {
  decode::SegdRecord record;
  const auto n = static_cast<std::int32_t>(traces.size());
  record.summary.sampleIntervalUs = 2000;
  record.summary.samplesPerTrace = samples;
  record.summary.traceCount = n;
  record.sampleIntervalMs = 2;
  record.samples.reset(n, samples);
  record.traceInfo.resize(traces.size() + 1);
  for (std::size_t t = 1; t <= traces.size(); ++t) {
    decode::TraceHeaderInfo& info = record.traceInfo[t];
    info.receiverLine = traces[t - 1].line;
    info.receiverPoint = traces[t - 1].point;
    info.resistanceLowLimit = 250;
    info.resistanceHighLimit = 500;
    info.capacitanceLowLimit = 80;
    info.capacitanceHighLimit = 120;
    info.tiltLimit = 10;
    info.leakageLimit = 1;
  }
  record.lineRuns = decode::buildLineRuns(record.traceInfo, n);
  return record;
}

// `lines` lines numbered 1..lines of `points` points each (101, 102, ...).
inline decode::SegdRecord makeGridRecord(int lines, int points, std::int32_t samples = 4) {
  std::vector<PlacedTrace> traces;
  for (int l = 1; l <= lines; ++l)
    for (int p = 0; p < points; ++p)
      traces.push_back({static_cast<float>(l), static_cast<float>(101 + p)});
  return makeSpreadRecord(traces, samples);
}

// The filled rectangles drawn, in order.
inline std::vector<const app::DrawnItem*> filled(const app::RecordingCanvas& canvas) {
  std::vector<const app::DrawnItem*> out;
  for (const app::DrawnItem& item : canvas.items())
    if (item.kind == app::DrawnItem::Kind::FillRect) out.push_back(&item);
  return out;
}

}  // namespace vorax::test
