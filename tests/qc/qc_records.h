// Records with planted faults for the survey QC tests, made with the synthetic-record writer.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "base/debug_log.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"
#include "decode/synth/synth_writer.h"

namespace vorax::qc {

// The writer's shot record on a spread of receivers 5 m apart, close enough for the waves to
// look alike from one trace to the next (within 10 samples), as polarity checks need.
decode::synth::SynthOptions coherentSpread(int seismicTraces = 96);

struct PlantedRecord {
  decode::synth::SynthOptions options;
  std::vector<std::uint8_t> bytes;
  std::vector<std::int32_t> dead, reversed, noisy, spike;  // trace numbers, ascending
  double rmsMedian = 0;  // of the seismic traces as planted, recorded units
};

// 96 seismic + 2 auxiliary traces, file number 7 (or `fileNumber`): dead 32 (the writer's,
// zeros) and 50 (scaled by 1e-7), reversed 20 and 64, noisy 10 (white noise of 5 times the
// median RMS added), spike 80 (one sample of 20 times the trace's RMS).
PlantedRecord plantedFaultRecord(int fileNumber = 7);

// The record the opener reads from the bytes.
decode::SegdRecord loadRecord(const std::vector<std::uint8_t>& bytes);

namespace planted {

inline double rmsOf(const std::vector<float>& v) {
  double sum = 0;
  for (const float x : v) sum += static_cast<double>(x) * x;
  return std::sqrt(sum / static_cast<double>(v.size()));
}

}  // namespace planted

inline decode::synth::SynthOptions coherentSpread(int seismicTraces) {
  decode::synth::SynthOptions o;
  o.seismicTraces = seismicTraces;
  o.spread.pointSpacing = 5;
  return o;
}

inline PlantedRecord plantedFaultRecord(int fileNumber) {
  PlantedRecord p;
  decode::synth::SynthOptions base = coherentSpread();
  base.fileNumber = fileNumber;
  base.deadTrace = 32;
  base.reversedTrace = 64;
  std::vector<std::vector<float>> traces;
  for (int t = 1; t <= base.seismicTraces + base.auxTraces; ++t)
    traces.push_back(decode::synth::synthTraceSamples(base, t));
  auto trace = [&](int t) -> std::vector<float>& {
    return traces[static_cast<std::size_t>(t - 1)];
  };

  std::vector<double> rms;
  for (int t = 1; t <= base.seismicTraces; ++t) rms.push_back(planted::rmsOf(trace(t)));
  std::sort(rms.begin(), rms.end());
  const double median = (rms[47] + rms[48]) / 2;  // of 96

  for (float& v : trace(50)) v *= 1e-7f;
  for (float& v : trace(20)) v = -v;
  std::mt19937 engine(5);
  std::normal_distribution<double> noise(0, 5 * median);
  for (float& v : trace(10)) v += static_cast<float>(noise(engine));
  trace(80)[400] = static_cast<float>(20 * planted::rmsOf(trace(80)));

  rms.clear();
  for (int t = 1; t <= base.seismicTraces; ++t) rms.push_back(planted::rmsOf(trace(t)));
  std::sort(rms.begin(), rms.end());
  p.rmsMedian = (rms[47] + rms[48]) / 2;

  p.options = base;
  decode::synth::SynthOptions written = base;
  written.traceSource = [traces](int t) { return traces[static_cast<std::size_t>(t - 1)]; };
  p.bytes = decode::synth::voraxRecordBytes(written);
  p.dead = {32, 50};
  p.reversed = {20, 64};
  p.noisy = {10};
  p.spike = {80};
  return p;
}

inline decode::SegdRecord loadRecord(const std::vector<std::uint8_t>& bytes) {
  decode::SegdRecord record;
  decode::CollectingMessages messages;
  decode::RecordFile file = decode::RecordFile::fromMemory(bytes);
  decode::openRecord(file, record, messages, base::DebugLog());
  return record;
}

}  // namespace vorax::qc
