// Automatic gain control by a sliding RMS window, as the displays level traces whose
// amplitude decays with time.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace vorax::dsp {

// Each value divided by the RMS of the values within windowSamples / 2 of it on either side
// (the window cut at the trace's ends; a window of 0 counts as 1 sample). NaN counts as 0 in
// the windows and gives 0; a value whose window is all zero gives 0.
std::vector<float> slidingRmsAgc(std::span<const float> values, std::size_t windowSamples);

}  // namespace vorax::dsp
