// The Blackman taper the spectra apply to a trace segment before its FFT.
#pragma once

#include <span>

namespace vorax::dsp {

// out(n) = in(n) x (0.42 - 0.5 cos(2 pi n / (U - 1)) + 0.08 cos(4 pi n / (U - 1))) for
// n = 0..U, U = the input's upper index, with pi taken as 3.14159268. With U <= 1 (fewer than
// three values) there is no window and the input is copied unchanged. Only the first
// min(in.size(), out.size()) values are written.
void BlackmanTaper(std::span<const float> in, std::span<float> out);

}  // namespace vorax::dsp
