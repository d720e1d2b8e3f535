// The picture of one filter panel: the panel's traces as wiggles with positive fill (trace p
// at x = p + 1), time running down over the panel's time window, with the titles above.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "app/canvas.h"
#include "filter/panel_settings.h"
#include "filter/panels.h"

namespace vorax::filter {

// The RMS level AGC brings every window to: -36 dB, so that at the default 24 dB of gain the
// traces swing about a quarter of a trace spacing (RMS) and their peaks reach the clip.
inline constexpr double kAgcLevel = 1.0 / 64;

// Automatic gain control: each value divided by the RMS of the values within half a window
// either side of it (windowSamples values in all, at least 1, cut at the trace's ends) and
// multiplied by kAgcLevel. Values whose window is all zero stay 0; NaN counts as 0.
std::vector<float> agc(std::span<const float> values, std::size_t windowSamples);

// Draws the panel with the settings' time window, gain, clip, AGC and title lines.
void drawPanel(app::Canvas& canvas, const Panel& panel, const PanelSettings& settings);

}  // namespace vorax::filter
