#include "vibsim/time_frequency.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/utilities.h"
#include "dsp/spectrum.h"
#include "dsp/taper.h"

namespace vorax::vibsim {

namespace {

constexpr double kColumnStepMs = 50;
constexpr int kZeroPadding = 4;
constexpr double kColourBarWidth = 40;
constexpr double kColourBarGap = 25;
constexpr int kColourBarSteps = 48;

// Hue runs from blue (160 on the 0..240 scale) for the weakest to red (0) for the strongest.
// A hue of 240 would be red again, a full turn, so 240 x (1 - v) would paint both ends red.
constexpr double kWeakestHue = 160;

Colorref levelColour(double v) {
  return app::HLSTORGB(static_cast<float>(kWeakestHue * (1.0 - v)), 120.0f, 240.0f);
}

// Amplitudes of one window centred on sample `centre`, tapered by `taper` and zero-padded.
std::vector<float> windowSpectrum(dsp::Fft& fft, std::span<const float> samples,
                                  std::ptrdiff_t centre, std::span<const float> taper) {
  std::vector<float> padded(taper.size() * kZeroPadding, 0.0f);
  const std::ptrdiff_t first = centre - static_cast<std::ptrdiff_t>(taper.size() / 2);
  for (std::size_t i = 0; i < taper.size(); ++i) {
    const std::ptrdiff_t s = first + static_cast<std::ptrdiff_t>(i);
    if (s >= 0 && s < static_cast<std::ptrdiff_t>(samples.size()))
      padded[i] = samples[static_cast<std::size_t>(s)] * taper[i];
  }
  return dsp::AmplitudeSpectrum(fft, padded);
}

}  // namespace

TimeFrequencyGrid computeTimeFrequency(dsp::Fft& fft, std::span<const float> samples, double dtMs,
                                       int maxFrequency) {
  TimeFrequencyGrid grid;
  if (!(dtMs > 0) || samples.empty() || maxFrequency <= 0) return grid;
  const auto step =
      std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(kColumnStepMs / dtMs)));
  const auto columns = static_cast<std::size_t>(
      std::lround(static_cast<double>(samples.size()) / static_cast<double>(step)));
  const auto windowSamples =
      std::clamp<std::size_t>(static_cast<std::size_t>(std::lround(kTimeFrequencyWindowMs / dtMs)),
                              8, dsp::kLongestSpectrum / kZeroPadding);
  const std::size_t n = dsp::spectrumLength(windowSamples * kZeroPadding - 1);
  const double rowStepHz = 1000.0 / (static_cast<double>(n) * dtMs);
  const std::size_t rows =
      std::min(n / 2 + 1, static_cast<std::size_t>(maxFrequency / rowStepHz) + 1);
  if (columns == 0) return grid;

  // The Blackman weights, worked out once: the taper of a window of ones.
  std::vector<float> taper(windowSamples);
  dsp::BlackmanTaper(std::vector<float>(windowSamples, 1.0f), taper);

  std::vector<float> db(columns * rows);
  float strongest = -INFINITY;
  for (std::size_t c = 0; c < columns; ++c) {
    const std::vector<float> a =
        windowSpectrum(fft, samples, static_cast<std::ptrdiff_t>(c * step), taper);
    for (std::size_t r = 0; r < rows; ++r) {
      const float level = a[r] > 0 ? 20.0f * std::log10(a[r]) : -INFINITY;
      db[c * rows + r] = level;
      strongest = std::max(strongest, level);
    }
  }
  if (!std::isfinite(strongest)) return grid;

  grid.columns = static_cast<int>(columns);
  grid.rows = static_cast<int>(rows);
  grid.columnStepMs = static_cast<double>(step) * dtMs;
  grid.rowStepHz = rowStepHz;
  grid.level.resize(db.size());
  const double floor = strongest - kTimeFrequencyFloorDb;
  for (std::size_t i = 0; i < db.size(); ++i)
    grid.level[i] =
        static_cast<float>(std::clamp((db[i] - floor) / kTimeFrequencyFloorDb, 0.0, 1.0));
  return grid;
}

void drawTimeFrequencyPicture(Canvas& canvas, const PlotBand& band, const TimeFrequencyGrid& grid,
                              int maxFrequency, std::string_view caption) {
  PlotBand picture = band;
  picture.right = band.right - kColourBarWidth - kColourBarGap;
  PlotBand bar = band;
  bar.left = band.right - kColourBarWidth;

  drawBandCaption(canvas, band, caption);
  if (grid.columns > 0 && grid.rows > 0) {
    const double topHz = std::max(1.0, static_cast<double>(maxFrequency));
    for (int c = 0; c < grid.columns; ++c) {
      const double x0 = picture.xAt(static_cast<double>(c) / grid.columns);
      const double x1 = picture.xAt(static_cast<double>(c + 1) / grid.columns);
      for (int r = 0; r < grid.rows; ++r) {
        // Row r covers r +- half a row step in frequency.
        const double f0 = (r - 0.5) * grid.rowStepHz;
        const double f1 = (r + 0.5) * grid.rowStepHz;
        canvas.fillRect({x0, picture.yAt(f0 / topHz)}, {x1, picture.yAt(f1 / topHz)},
                        levelColour(grid.at(c, r)));
      }
    }
  }
  for (int i = 0; i < kColourBarSteps; ++i) {
    const double v0 = static_cast<double>(i) / kColourBarSteps;
    const double v1 = static_cast<double>(i + 1) / kColourBarSteps;
    canvas.fillRect({bar.left, bar.yAt(v0)}, {bar.right, bar.yAt(v1)}, levelColour((v0 + v1) / 2));
  }
  drawBandFrame(canvas, picture);
  drawBandFrame(canvas, bar);
  setPaneFont(canvas, "Arial", 6);
  canvas.setTextColour(kAxisBlue);
  canvas.text({bar.centreX(), bar.top}, "DB", app::HAlign::Centre, app::VAlign::Bottom);
  // In the gap left of the bar: right of it the pane ends.
  const double labelRight = bar.left - kColourBarGap / 8;
  canvas.text({labelRight, bar.top}, "0", app::HAlign::Right, app::VAlign::Top);
  canvas.text({labelRight, bar.bottom()},
              "-" + std::to_string(static_cast<int>(kTimeFrequencyFloorDb)), app::HAlign::Right,
              app::VAlign::Bottom);
  drawValueLabel(canvas, picture, 0, "0");
  drawValueLabel(canvas, picture, 1, std::to_string(maxFrequency));
  drawAxisCaption(canvas, picture, "Hz");
  drawHorizontalAxis(canvas, picture, 0, grid.columns * grid.columnStepMs, "mS");
}

}  // namespace vorax::vibsim
