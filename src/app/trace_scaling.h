// The two ways the views scale a trace's stored samples. The loaders keep either values as
// recorded (seven-block records) or values normalised to a peak of 1 together with the factor
// they divided by (SegdRecord::traceDivisor); these factors undo either storage.
#pragma once

#include <cstdint>

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

}  // namespace vorax::app
