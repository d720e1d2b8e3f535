// The analyses that look at a trace's samples and amplitude: the time trace, the
// time-frequency picture, the base-plate/mass transfer function, the taper views and the pulse
// view.
#pragma once

#include <string_view>
#include <vector>

#include "vibsim/plot_primitives.h"
#include "vibsim/sim_input.h"

namespace vorax::vibsim {

// Time trace of samples 0..nA, normalised, with the time axis 0..tA ms.
void drawTimeTraceAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                           Colorref colour, std::string_view caption);

// The time-frequency picture of samples 0..nA up to "Max Frequency".
void drawTimeFrequencyAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                               std::string_view caption);

// Transfer function: both traces cut into kTransferWindowMs windows within the analysis
// length; each window's root-sum-square amplitude (taken from the analytic signal, so that
// it holds steady over windows shorter than a cycle); the last 5 values of each series set to 0;
// base plate smoothed over 7 windows, mass over 3; ratio base plate / mass where the mass is
// above 0.01, else 0; the ratio smoothed over 40 windows (41, centred) and divided by its largest
// value 5 windows in from each end. Empty when that largest value is 0 or there are too few
// windows. The 20 ms windows give about 50 amplitudes a second, and the 40-window mean (0.8 s)
// follows a sweep's resonances while ironing out the window-to-window scatter.
inline constexpr double kTransferWindowMs = 20;
std::vector<float> computeTransferFunction(SimInput& input, std::int32_t basePlate,
                                           std::int32_t mass);
// Caption "Transfer Function (BP Acc/Mass Acc)", 0..1 over the analysis length.
void drawTransferFunctionAnalysis(Canvas& canvas, SimInput& input, double top,
                                  std::int32_t basePlate, std::int32_t mass, Colorref colour);

enum class TaperEnd { Start, End };
// Only the first letter counts, in any case: "E…" is the end, anything else the start.
TaperEnd taperEndFromName(std::string_view name);

// The taper view: the first "Taper Display (mS)" of the trace (start) or the same span ending
// at the analysis length tA (end), normalised by its largest magnitude, and its amplitude
// curve: the magnitude of the trace's analytic signal over the analysis length, smoothed by a
// kTaperSmoothingMs running mean, in the same scale. That curve has no delay of its own, so
// pages pass an alignment time of kTaperAlignmentMs; a curve point computed at sample j is
// drawn at j - F, F = round(alignment / dt) (F below -10 counts as 0).
inline constexpr double kTaperSmoothingMs = 20;
inline constexpr double kTaperAlignmentMs = 0;
struct TaperView {
  std::vector<float> samples;     // the span, normalised (empty when silent or out of range)
  std::vector<float> amplitude;   // the amplitude curve at the same samples, same scale
  double startMs = 0;             // time of the first sample shown
  double endMs = 0;               // time of the last
  double taperMarkMs = 0;         // startTaper (start) or tA - endTaper (end)
  std::int32_t shiftSamples = 0;  // F
};
TaperView computeTaperView(SimInput& input, std::int32_t trace, TaperEnd end, double alignmentMs);
// With debug logging on, writes "Filter Fiddle Factor = " F " Samples" to the debug log. The
// taper length is marked by a dotted vertical line.
void drawTaperViewAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                           std::string_view end, double alignmentMs, Colorref colour,
                           std::string_view caption);

// Samples from "Pulse Start Time (mS)" to "Pulse End Time (mS)" as stored (not normalised),
// drawn -1..+1 with labels "1", "0", "-1", clipped.
std::vector<float> pulseSamples(SimInput& input, std::int32_t trace);
void drawPulseViewAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                           Colorref colour, std::string_view caption);

}  // namespace vorax::vibsim
