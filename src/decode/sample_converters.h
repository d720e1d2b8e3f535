// Converters from a trace's raw 4-byte samples to native 32-bit floats.
//
// Each converts n = min(count, out.size()) samples into out[0..n): sample i is raw bytes
// 4i..4i+3. Samples that `raw` does not hold (a short buffer, or a last sample cut short)
// count as zero bytes; nothing is read past `raw` or written past out[n - 1]. A negative
// count converts nothing.
//
// Non-finite samples (real files carry all-NaN auxiliary traces) are written to `out` as
// read but never taken as a trace's peak, so one NaN cannot turn a whole trace into NaN.
#pragma once

#include <cstdint>
#include <span>

#include "base/byte_reader.h"

namespace vorax::decode {

// Big-endian IEEE singles, normalised to a peak absolute value of 1. A `scale` of 0 is taken
// as 1. Returns -1 with scale 0 and the values as read when the peak is 0; otherwise 0 with
// scale 1 when the scale passed in was 1 (or 0), else scale passed in x peak.
std::int32_t ARRAYBIGSINGLETOLITTLENORM(Bytes raw, std::int32_t count, std::span<float> out,
                                        float& scale);

// The three below normalise like ARRAYBIGSINGLETOLITTLENORM with two differences: the peak
// search starts from the scale passed in (0 taken as 1) rather than from 0, and the scale
// returned is (scale passed in, 0 kept as 0) x peak.
//   little-endian IEEE singles:
std::int32_t ARRAYLITTLESINGLETOLITTLENORM(Bytes raw, std::int32_t count, std::span<float> out,
                                           float& scale);
//   little-endian signed 32-bit integers:
std::int32_t ARRAYLITTLELONGINTTOLITTLESINGLENORM(Bytes raw, std::int32_t count,
                                                  std::span<float> out, float& scale);
//   big-endian signed 32-bit integers:
std::int32_t ARRAYBIGLONGINTTOLITTLESINGLENORM(Bytes raw, std::int32_t count, std::span<float> out,
                                               float& scale);

// Big-endian IEEE singles kept as recorded; scale becomes max(scale passed in, largest
// absolute sample). Returns 0.
std::int32_t ARRAYBIGSINGLETOLITTLENOTNORM(Bytes raw, std::int32_t count, std::span<float> out,
                                           float& scale);

// Big-endian IEEE singles divided by `scale`, which is left unchanged. A scale of 0 divides
// by 1 (the samples are kept as recorded) instead of filling the trace with infinities.
// Returns 0.
std::int32_t ARRAYBIGSINGLETOLITTLEFIXED(Bytes raw, std::int32_t count, std::span<float> out,
                                         float& scale);

// Big-endian IEEE singles kept as recorded. Returns 0.
std::int32_t arraybigsingletolittle(Bytes raw, std::int32_t count, std::span<float> out);

// The largest absolute finite value of the samples, 0 when there is none (NaN and infinite
// samples never count).
float largestFiniteMagnitude(std::span<const float> values);

// Index of the first sample with the largest absolute finite value; 0 when there is none.
std::int32_t peakSampleIndex(std::span<const float> values);

// A trace's largest absolute finite sample and the index of the first sample holding it
// (0 and 0 when there is none), as largestFiniteMagnitude and peakSampleIndex give them.
struct SamplePeak {
  float magnitude = 0;
  std::int32_t index = 0;
};

// Big-endian IEEE singles kept as recorded, like arraybigsingletolittle, and their peak found
// in the same pass over the trace.
SamplePeak arraybigsingletolittlepeak(Bytes raw, std::int32_t count, std::span<float> out);

// Divides every value by `divisor` (a true division, so each result is the correctly rounded
// quotient).
void divideSamples(std::span<float> values, float divisor);

}  // namespace vorax::decode
