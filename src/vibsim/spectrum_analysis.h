// Amplitude spectrum of a whole trace in dB below its peak, optionally smoothed, drawn from
// 0 Hz to "Max Frequency" with the top at 0 dB and the bottom at -"FFT Y Scale (db)".
#pragma once

#include <string_view>
#include <vector>

#include "vibsim/plot_primitives.h"
#include "vibsim/sim_input.h"

namespace vorax::vibsim {

struct SpectrumCurve {
  std::vector<float> db;  // bins 0 .. round(K x maxFrequency / Nyquist), dB below the peak
  double binHz = 0;       // bin spacing
  double peakHz = 0;      // frequency of the largest amplitude (before smoothing); 0 for silence
  bool silent = true;     // no amplitude above 0: nothing to draw
};

// FFTI on samples 0..N. Each amplitude above 0 becomes 20 log10 of it, every other -120 dB
// (the floor, far below any plot), less the largest; a smoothing length above 0 then runs a
// centred mean of that many bins (even lengths raised by one) over the dB spectrum.
inline constexpr float kNoAmplitudeDb = -120;
SpectrumCurve computeSpectrum(SimInput& input, std::int32_t trace, int smoothing);

void drawSpectrum(Canvas& canvas, const PlotBand& band, const SpectrumCurve& spectrum,
                  const SimParams& params, Colorref colour, std::string_view caption);
// The page's smoothing: 13 for the wireline ground force, 7 for the radio return, else 0.
void drawSpectrumAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                          int smoothing, Colorref colour, std::string_view caption);

}  // namespace vorax::vibsim
