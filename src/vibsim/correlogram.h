// Correlograms of two traces over the analysis length: linear (0..1 over the band) and in dB
// (peak 0 dB, down to the page's depth), each in the left or right half of its pane.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "vibsim/plot_primitives.h"
#include "vibsim/sim_input.h"

namespace vorax::vibsim {

enum class Side { Left, Right };
// The caller's position name: only the first letter counts, in any case ("R…" is Right,
// anything else Left).
Side sideFromName(std::string_view name);

struct Correlogram {
  std::vector<float> values;  // lags -L..+L samples, L = round(correlogramTime / dt)
  std::int32_t halfLags = 0;  // L (fewer when the analysis length is shorter)
  double dtMs = 0;
  // The largest correlation over every lag, and its lag (b delayed by that much against a).
  float peakValue = 0;
  double peakLagMs = 0;
};

// Trace a (pilot or reference) against b.
Correlogram computeCorrelogram(SimInput& input, std::int32_t a, std::int32_t b);

// Each value c becomes 20 log10 c (c > 0) or -120 dB (c <= 0), less the same of `peak` (the
// largest correlation over every lag, shown or not), so the peak reads 0 dB.
inline constexpr float kNoCorrelationDb = -120;
std::vector<float> correlogramDb(std::span<const float> values, float peak);

// Linear: lags across the band, value 0 at the bottom and 1 at the top (clipped), ticks in ms
// with the unit "mS".
void drawCorrelogram(Canvas& canvas, const PlotBand& band, const Correlogram& correlogram,
                     double correlogramTimeMs, Colorref colour, std::string_view caption);
void drawCorrelogramAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t a,
                             std::int32_t b, std::string_view side, Colorref colour,
                             std::string_view caption);

// dB: top 0 dB, bottom -depthDb (clipped), labels every 6 dB from 0 down, axis caption "Db",
// and a red line at -qcLimitDb when qcLimitDb > 0.
void drawDbCorrelogram(Canvas& canvas, const PlotBand& band, const Correlogram& correlogram,
                       double correlogramTimeMs, double depthDb, double qcLimitDb, Colorref colour,
                       std::string_view caption);
void drawDbCorrelogramAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t a,
                               std::int32_t b, std::string_view side, double depthDb,
                               double qcLimitDb, Colorref colour, std::string_view caption);

}  // namespace vorax::vibsim
