// Centred running mean of a series, used to smooth spectra and amplitude series.
#pragma once

#include <span>
#include <vector>

namespace vorax::vibsim {

// Each value becomes the mean of the `length` values centred on it (an even length is raised
// by one so the window stays centred); near the ends, the mean of the values that exist. A
// length of 1 or less returns the series unchanged.
std::vector<float> runningMean(std::span<const float> values, int length);

}  // namespace vorax::vibsim
