#include "vibsim/spectrum_analysis.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "dsp/xcorr.h"
#include "vibsim/running_mean.h"

namespace vorax::vibsim {

SpectrumCurve computeSpectrum(SimInput& input, std::int32_t trace, int smoothing) {
  SpectrumCurve result;
  const std::span<const float> samples = input.trace(trace);
  if (!input.valid() || samples.empty()) return result;
  const std::int32_t n = input.n();
  const std::size_t size = 2 * static_cast<std::size_t>(n) + 1;
  std::vector<float> padded(size, 0.0f), work(size, 0.0f), amplitude(size, 0.0f);
  std::copy(samples.begin(), samples.end(), padded.begin());
  const float one = 1.0f;
  const std::int32_t k = dsp::FFTI(input.fft(), padded, work, amplitude, n, one, "Z");
  if (k <= 0) return result;

  const double nyquist = 500.0 / input.dtMs();
  result.binHz = nyquist / k;
  const auto peak = std::max_element(amplitude.begin(), amplitude.begin() + k + 1);
  if (!(*peak > 0)) return result;
  result.silent = false;
  result.peakHz = static_cast<double>(peak - amplitude.begin()) * result.binHz;

  const float reference = 20.0f * std::log10(*peak);
  std::vector<float> db(static_cast<std::size_t>(k) + 1);
  for (std::size_t i = 0; i < db.size(); ++i)
    db[i] = (amplitude[i] > 0 ? 20.0f * std::log10(amplitude[i]) : kNoAmplitudeDb) - reference;
  if (smoothing > 0) db = runningMean(db, smoothing);
  const auto shown = std::min<std::size_t>(
      db.size() - 1,
      static_cast<std::size_t>(std::max(
          0L, std::lround(static_cast<double>(k) * input.params().maxFrequency / nyquist))));
  db.resize(shown + 1);
  result.db = std::move(db);
  return result;
}

void drawSpectrum(Canvas& canvas, const PlotBand& band, const SpectrumCurve& spectrum,
                  const SimParams& params, Colorref colour, std::string_view caption) {
  const double depth = params.fftYScale;
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, caption);
  drawValueLabel(canvas, band, 1, "0");
  drawValueLabel(canvas, band, 0, "-" + std::to_string(params.fftYScale));
  drawAxisCaption(canvas, band, "Db");
  if (spectrum.silent || spectrum.db.size() < 2) return;
  const double shownHz = static_cast<double>(spectrum.db.size() - 1) * spectrum.binHz;
  drawHorizontalAxis(canvas, band, 0, shownHz, "Hz");
  drawBandCurve(canvas, band, spectrum.db, -depth, 0, colour);
}

void drawSpectrumAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                          int smoothing, Colorref colour, std::string_view caption) {
  drawSpectrum(canvas, plotBand(BandKind::Spectrum, top), computeSpectrum(input, trace, smoothing),
               input.params(), colour, caption);
}

}  // namespace vorax::vibsim
