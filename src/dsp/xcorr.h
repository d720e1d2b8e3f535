// XCORR (normalised cross-correlation of two traces) and FFTI (amplitude spectrum of a trace),
// to the signal-processing library's argument lists.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "dsp/fft.h"

namespace vorax::dsp {

// Cross-correlation of a[0..n] with b[0..n] (values missing from a span count as 0), by FFT:
//   out[n + k] = sum over t of a[t] b[t + k] / sqrt(sum a^2 x sum b^2),  k = -n..n,
// so index n is zero lag and a peak at n + k means b is a delayed by k samples. Identical
// inputs give 1.0 at index n, and every value lies in -1..+1 (Cauchy-Schwarz; rounding of the
// transform is clamped). Zero lag is summed directly, so it is exact. A silent input gives all
// zeros. Nothing is written when n < 0 or `out` holds fewer than 2n + 1 values.
// The program passes 1, 1, 1.0, 1.0 for the last four arguments; they are not used.
void XCORR(Fft& fft, std::span<const float> a, std::span<const float> b, std::int32_t n,
           std::span<float> out, std::int32_t unused5, std::int32_t unused6, float unused7,
           float unused8);

// Amplitude spectrum of samples[0..n] (n + 1 values; missing ones count as 0), zero-padded
// to the next power of two P at or above n + 1. Returns K = P / 2 and fills
// amplitude[0..K] with linear amplitudes for the frequencies k / (P dt), k = 0..K, from 0 Hz
// to the Nyquist frequency: a sine of amplitude A lying on a bin shows A there
// (2 |X(k)| / (n + 1); bins 0 and K |X(k)| / (n + 1)). K <= n, so an amplitude array of
// 2n + 1 values always suffices. Returns 0 with amplitude[0] = 0 (when it has an element)
// when n < 1 or amplitude holds fewer than K + 1 values.
// The work array, the 1.0 and the "Z" of the contract are accepted and not used.
std::int32_t FFTI(Fft& fft, std::span<const float> samples, std::span<float> work,
                  std::span<float> amplitude, const std::int32_t& n, const float& scale,
                  std::string_view mode);

}  // namespace vorax::dsp
