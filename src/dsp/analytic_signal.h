// The analytic signal x + i H(x) of a real span (H the Hilbert transform), by the FFT.
#pragma once

#include <complex>
#include <span>
#include <vector>

#include "dsp/fft.h"

namespace vorax::dsp {

// One complex value per input value. The span is zero-padded to the next power of two at or
// above 9/8 of its length, so that the circular wrap of the transform carries little of one
// end onto the other; the mean (bin 0) is removed, the positive frequencies are doubled and
// the negative ones cleared. For x(t) = a cos(w t + p) away from the ends the result is
// a e^(i (w t + p)). An empty input gives an empty result.
std::vector<std::complex<float>> analyticSignal(Fft& fft, std::span<const float> x);

}  // namespace vorax::dsp
