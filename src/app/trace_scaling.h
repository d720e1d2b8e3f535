// The ways the views scale a trace's stored samples. The loaders keep either values as
// recorded (seven-block records) or values normalised to a peak of 1 together with the factor
// they divided by (SegdRecord::traceDivisor); these factors undo either storage, or balance
// the trace by its peak or its RMS.
#pragma once

#include <algorithm>
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

// The RMS, in trace spacings before the gain, of a trace balanced by RMS or levelled by AGC:
// at the default gain of 18 dB (x 7.94) about a sixth of a trace spacing (0.165), where events
// show and even a noisy record's first page stays at most a quarter black.
inline constexpr double kBalancedRmsLevel = 1.0 / 48;

// The RMS of the finite values (0 when none is).
double finiteRms(std::span<const float> values);

// Values x this have their RMS at kBalancedRmsLevel (values of zeros stay zero).
inline double rmsBalancing(std::span<const float> values) {
  const double rms = finiteRms(values);
  return rms > 0 ? kBalancedRmsLevel / rms : 1.0;
}

// Values x this peak at 1 (values of zeros stay zero).
inline double peakNormalising(std::span<const float> values) {
  const float largest = decode::largestFiniteMagnitude(values);
  return largest > 0 ? 1.0 / largest : 1.0;
}

// Stored x this = the sample normalised to the trace's largest finite magnitude (1 for a
// trace of zeros, which stays zero).
inline double normalisingFactor(const decode::SegdRecord& record, std::int32_t trace) {
  return peakNormalising(record.samples.trace(trace));
}

// The trace's stored samples 0..samplesPerTrace - 1 (without the 0 past its end).
inline std::span<const float> storedSamples(const decode::SegdRecord& record, std::int32_t trace) {
  return record.samples.trace(trace).first(
      static_cast<std::size_t>(record.samples.samplesPerTrace()));
}

// The balance of a trace's stored samples, as a function of them; none for no balance (the
// factor is then the record's divisor, recordedFactor).
using BalanceOfSamples = double (*)(std::span<const float>);
inline BalanceOfSamples balanceOfSamples(TraceBalance balance) {
  switch (balance) {
    case TraceBalance::Peak:
      return peakNormalising;
    case TraceBalance::Rms:
      return rmsBalancing;
    case TraceBalance::None:
      break;
  }
  return nullptr;
}

// Stored x this = the sample in trace spacings before the gain, by the balance.
inline double balanceFactor(const decode::SegdRecord& record, std::int32_t trace,
                            TraceBalance balance) {
  const BalanceOfSamples of = balanceOfSamples(balance);
  return of ? of(storedSamples(record, trace)) : recordedFactor(record, trace);
}

}  // namespace vorax::app
