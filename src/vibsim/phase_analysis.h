// The analyses built on the library's instantaneous phase, frequency and distortion: phase
// error of a signal against the pilot with the start-time error, the start-time label,
// frequency vs time, harmonic distortion, and the base-plate/mass delta phase. Each has a
// compute… function giving the numbers and a draw… function drawing its band.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "vibsim/plot_primitives.h"
#include "vibsim/sim_input.h"

namespace vorax::vibsim {

// Where |d[k]| > 135 for k = 1 .. size-2 (first and last untouched), d[k] becomes whichever
// of d[k] + 180 and d[k] - 180 is smaller in magnitude: a polarity reversal reads as 0.
void foldPhase(std::span<float> d);

// A phase difference as an angle: whole turns taken off, into -180..+180 degrees. Two
// traces' phases are each unwrapped along their own trace, so they may differ by whole turns
// that are no error of the vibrator.
float wrapPhase(double degrees);

struct PhaseErrorResult {
  // Pilot - last signal, whole turns taken off (wrapPhase), not folded: near +-180 where the
  // signal's polarity is reversed. Points 0..M.
  std::vector<float> unfolded;
  std::vector<float> error;  // the same folded once (a polarity reversal reads as 0)
  std::vector<float>
      secondError;  // pilot - first signal, folded twice; empty without a second signal
  // The delay of the signal behind the pilot, microseconds: the least-squares fit of
  // error = 360 f x delay over points 5..M-5 with a frequency f above 0. Weighting each point
  // by f^2 lets the sweep's body decide, not the low frequencies of the start taper (where a
  // tenth of a degree is already tens of microseconds); absent when no point qualifies.
  std::optional<float> startTimeErrorUs;
  double pointMs = 0;
};

// Pilot trace a against b, or against c when c is not 0 (then b gives the second curve).
// The pilot is measured over its whole length, the signals over the analysis length.
PhaseErrorResult computePhaseError(SimInput& input, std::int32_t a, std::int32_t b, std::int32_t c);

// Caption "Phase Error (Degrees)", -phaseScale..+phaseScale, QC lines at +-phaseQcLimit
// labelled "QC", the zero line; the error in `first`, the second curve in `second`. Without a
// start-time error (no point where the signal sweeps) only the frame and caption are drawn.
void drawPhaseError(Canvas& canvas, const PlotBand& band, const PhaseErrorResult& result,
                    const SimParams& params, Colorref first, Colorref second);
// Both in one: the phase-error analysis in the phase band whose top edge is `top`.
void drawPhaseErrorAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t a,
                            std::int32_t b, std::int32_t c, Colorref first, Colorref second);

// "Frequency vs Time": each trace's frequency over the analysis length, 0..maxFrequency.
void drawFrequencyAnalysis(Canvas& canvas, SimInput& input, double top,
                           std::span<const TraceColour> traces);

// Distortion over the analysis length, 0..distortionMaxScale, QC line at distortionQcLimit;
// the caption is the page's (e.g. "Ground Force Distortion (%)").
void drawDistortionAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                            Colorref colour, std::string_view caption);

// Base plate minus mass over truncateTime (not capped at the record), each difference d
// taken to d - 180 when 0 < d < 180, then to d - 360 when 180 < d < 360, then folded.
std::vector<float> computeDeltaPhase(SimInput& input, std::int32_t basePlate, std::int32_t mass);
// Caption "Delta Phase (BP-Mass Deg)", drawn -180..+180 with "-180" the lowest label.
void drawDeltaPhaseAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t basePlate,
                            std::int32_t mass, Colorref colour);

// The horizontal time axis (ms) under a band of library points 0..m, pointMs apart.
void drawPointTimeAxis(Canvas& canvas, const PlotBand& band, std::int32_t m, double pointMs);

}  // namespace vorax::vibsim
