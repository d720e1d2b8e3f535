// A record of vibrator traces made in the test: 0.5 ms sampling, each trace given as samples.
// Free of the test framework: the benchmarks build on it too.
#pragma once

#include <algorithm>
#include <vector>

#include "../sweep_fixture.h"
#include "decode/segd_record.h"

namespace vorax::test {

inline constexpr double kSimDtS = 0.0005;
inline constexpr std::int32_t kSimSamples = 24000;  // 12 s

inline decode::SegdRecord simRecord(const std::vector<std::vector<float>>& traces,
                                    std::int32_t samplesPerTrace = kSimSamples) {
  decode::SegdRecord record;
  record.summary.sampleIntervalUs = 500;
  record.summary.samplesPerTrace = samplesPerTrace;
  record.sampleIntervalMs = 0.5f;
  record.samples.reset(static_cast<std::int32_t>(traces.size()), samplesPerTrace);
  for (std::size_t t = 0; t < traces.size(); ++t) {
    auto out = record.samples.trace(static_cast<std::int32_t>(t + 1));
    std::copy_n(traces[t].begin(), std::min(traces[t].size(), out.size() - 1), out.begin());
  }
  return record;
}

inline std::vector<float> sweepTrace(const Sweep& sweep,
                                     std::int32_t samplesPerTrace = kSimSamples) {
  return sweep.samples(kSimDtS, static_cast<std::size_t>(samplesPerTrace) + 1);
}

}  // namespace vorax::test
