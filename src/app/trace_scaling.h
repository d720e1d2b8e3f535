// The two ways the views scale a trace's stored samples. The loaders keep either values as
// recorded (seven-block records) or values normalised to a peak of 1 together with the factor
// they divided by (SegdRecord::traceDivisor); these factors undo either storage.
#pragma once

#include <cmath>
#include <cstdint>

#include "app/display_mode.h"
#include "decode/sample_converters.h"
#include "decode/segd_record.h"

namespace vorax::app {

// Stored x this = the value as recorded (mV).
inline double recordedFactor(const decode::SegdRecord& record, std::int32_t trace) {
  return record.divisorOf(trace);
}

// Stored x this = the sample normalised to the trace's largest finite magnitude (1 for a
// trace of zeros, which stays zero).
inline double normalisingFactor(const decode::SegdRecord& record, std::int32_t trace) {
  const float largest = decode::largestFiniteMagnitude(record.samples.trace(trace));
  return largest > 0 ? 1.0 / largest : 1.0;
}

// The RMS, in trace spacings before the gain, of a trace balanced by RMS or levelled by AGC:
// at the default gain of 18 dB (x 7.94) a quarter of a trace spacing, where events show
// without the fill running into the next trace.
inline constexpr double kBalancedRmsLevel = 1.0 / 32;

// The RMS of a trace's finite stored samples 0..samplesPerTrace - 1 (0 when none is).
inline double storedRms(const decode::SegdRecord& record, std::int32_t trace) {
  const std::span<const float> values =
      record.samples.trace(trace).first(static_cast<std::size_t>(record.samples.samplesPerTrace()));
  double sum = 0;
  std::size_t count = 0;
  for (float v : values) {
    if (!std::isfinite(v)) continue;
    sum += static_cast<double>(v) * v;
    ++count;
  }
  return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

// Stored x this = the sample with the trace's RMS at kBalancedRmsLevel (a trace of zeros
// stays zero).
inline double rmsBalancingFactor(const decode::SegdRecord& record, std::int32_t trace) {
  const double rms = storedRms(record, trace);
  return rms > 0 ? kBalancedRmsLevel / rms : 1.0;
}

// Stored x this = the sample in trace spacings before the gain, by the balance.
inline double balanceFactor(const decode::SegdRecord& record, std::int32_t trace,
                            TraceBalance balance) {
  switch (balance) {
    case TraceBalance::None:
      return recordedFactor(record, trace);
    case TraceBalance::Peak:
      return normalisingFactor(record, trace);
    case TraceBalance::Rms:
      return rmsBalancingFactor(record, trace);
  }
  return 1.0;
}

}  // namespace vorax::app
