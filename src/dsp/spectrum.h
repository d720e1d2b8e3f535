// The program's own amplitude spectrum of a trace.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "dsp/fft.h"

namespace vorax::dsp {

inline constexpr std::size_t kLongestSpectrum = 16384;  // 2^14 points

// N for an input of upper index U (U + 1 values): the smallest 2^k, 1 <= k <= 14, with
// N >= U; 2^14 when U is larger.
std::size_t spectrumLength(std::size_t upperIndex);

// Amplitudes of bins 0..N/2 (N/2 + 1 values) of the input's first N values, zero-padded to
// N points (so the value at index U is dropped when U + 1 > N). Bin 0 is 0, bin i the
// magnitude |X(i)| of the unnormalised transform. An input longer than 2^14 values is cut to
// its first 2^14. An empty input gives the three zero bins of N = 2.
std::vector<float> AmplitudeSpectrum(Fft& fft, std::span<const float> input);

}  // namespace vorax::dsp
