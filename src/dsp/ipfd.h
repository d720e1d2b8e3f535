// GETIPFD: instantaneous phase, frequency and harmonic distortion of a sweep, measured at
// points 10 ms apart.
//
// Method. The analysed span (samples from 0 up to the time argument, or the whole trace
// when it is 0) is turned into its analytic signal z (analytic_signal.h). Its phase is
// unwrapped sample by sample. At each sample t:
// - the local period T(t) of the fundamental is found by three rounds of
//   T = 1 / (phase advance over the last T, in cycles per second), starting from 20 ms, and
//   kept within 2 samples .. 0.5 s;
// - the instantaneous frequency is the phase advance from t - T/2 to t + T/2 over T. A whole
//   period is used because harmonics ripple the raw phase with that period, so the ripple
//   cancels between the two ends;
// - the smooth phase P(t) is the mean of the unwrapped phase over the same period (which
//   averages the harmonics' ripple away), and the fundamental's complex amplitude a(t) is the
//   mean of z e^(-i P) over that period. Within half a period of the span's ends these
//   windows shrink to stay centred on t; The reported phase is P(t) + arg a(t): the fundamental
//   alone, with the bias of averaging a curved phase removed;
// - the harmonics are what is left: r(t) = z e^(-i P) - a(t). The distortion at a point is
//   100 x sqrt(sum of w |r|^2 / sum of w |a|^2) over a Hann window w of kDistortionWindowMs
//   centred on the point: the root-sum-square of everything the fundamental does not explain
//   (harmonics 2f .. Nyquist and noise; the mean of the span is removed first).
// Where the analytic signal's magnitude is below 1 % of its largest value in the span
// (tapers, listening time) the frequency and the distortion are reported as 0, so those
// points do not enter the start-time error.
//
// Phase reference. Degrees of a cosine: a cos(2 pi f t + p) reports 360 f t + p (in the
// unwrapped sense), a sine reports 90 degrees less. The phase is unwrapped continuously along
// the span; its whole-turn offset is fixed so that the phase extrapolated back to time 0 from
// the first point above 5 % of the peak (with the frequency there) lies in [-135, 225). Two
// traces of the same sweep, one delayed or reversed in polarity, therefore carry the same
// whole turns, and their difference is the delay's phase (or 180 degrees more) — whatever
// the sweep's start phase of 0, 90, 180 or 270 degrees.
#pragma once

#include <cstdint>
#include <span>

#include "dsp/fft.h"

namespace vorax::dsp {

inline constexpr double kIpfdPointSpacingMs = 10;  // nominal; see ipfdPointStep
inline constexpr double kDistortionWindowMs = 100;
inline constexpr double kWeakSignalFraction = 0.01;

// Samples between two output points at this sample rate: round(fs x 10 ms), at least 1. It
// depends only on the sample rate, so calls on traces of the same sampling line up.
std::int32_t ipfdPointStep(float sampleRateHz);

// Argument by argument the library contract:
//   samples      the trace, indices 0..n (missing values count as 0)
//   n            its upper index
//   sampleRateHz 1 000 000 / sample interval in microseconds
//   timeMs       the span analysed: samples 0 .. floor(timeMs x fs / 1000), capped at n;
//                0 (or below) analyses the whole trace
//   reserved     always 0; not used
//   phase, frequency, distortion
//                outputs in degrees, Hz and percent, for points 0..M; point k is sample
//                k x ipfdPointStep(fs), time k x step / fs
// Returns M = the span's last sample index / step (so M <= n), cut further when an output
// holds fewer than M + 1 values. A span of fewer than 8 samples, n < 1, or a sample rate that
// is not positive gives M = 0 with every output[0] = 0 (when the outputs have an element).
std::int32_t GETIPFD(Fft& fft, std::span<const float> samples, std::int32_t n, float sampleRateHz,
                     std::int32_t timeMs, std::int32_t reserved, std::span<float> phase,
                     std::span<float> frequency, std::span<float> distortion);

}  // namespace vorax::dsp
