#include "app/frequency_vs_time.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/cell_image.h"
#include "app/readouts.h"
#include "app/utilities.h"
#include "decode/conversions.h"
#include "dsp/spectrum.h"
#include "dsp/taper.h"

namespace vorax::app {

namespace {

constexpr double kHopMs = 50;
constexpr std::size_t kFewestImageColumns = 256;
// Noise-only segments peak at a low bin and sum hundreds of harmonic bins into thousands of
// percent; the distortion axis stops here so that real harmonic levels stay readable.
constexpr double kHighestDistortionShown = 100;

double valueOrZero(float v) {
  return std::isfinite(v) ? v : 0.0;
}

// Reused buffers of one analysis run.
struct SegmentAnalyser {
  dsp::Fft& fft;
  std::array<float, kSegmentLength> segment{};
  std::array<float, kSegmentLength> tapered{};
  std::vector<float> frame = std::vector<float>(kFrameLength, 0.0f);

  // Amplitudes of bins 0..512 of the tapered segment about sample `point` of `samples`.
  std::vector<float> spectrumAt(std::span<const float> samples, std::int64_t point) {
    const auto n = static_cast<std::int64_t>(samples.size());
    for (std::size_t k = 0; k < kSegmentLength; ++k) {
      const std::int64_t j =
          point - static_cast<std::int64_t>(kSegmentBefore) + static_cast<std::int64_t>(k);
      segment[k] = j >= 0 && j < n
                       ? static_cast<float>(valueOrZero(samples[static_cast<std::size_t>(j)]))
                       : 0.0f;
    }
    dsp::BlackmanTaper(segment, tapered);
    std::copy(tapered.begin(), tapered.end(), frame.begin() + kSegmentPosition);
    return dsp::AmplitudeSpectrum(fft, frame);
  }
};

FrequencyPoint pointOf(std::span<const float> amplitudes, double timeMs, double binHz) {
  const auto peak = std::max_element(amplitudes.begin(), amplitudes.end());  // the first largest
  const auto p = static_cast<std::size_t>(peak - amplitudes.begin());
  const double a = *peak;
  double harmonics = 0;
  if (p > 0)
    for (std::size_t k = 2 * p; k < amplitudes.size(); k += p) harmonics += amplitudes[k];
  const double distortion = p > 0 && a > 0 ? 100 * harmonics / a : 0;
  return {timeMs, static_cast<double>(p) * binHz, distortion};
}

std::string axisNumber(double v) {
  return decode::shortestText(static_cast<float>(v));
}

// The axis top: the smallest multiple of CHOOSESTEP(0, largest) not below the largest.
struct AxisRange {
  double step;
  double top;
};
AxisRange axisFor(double largest, double fallback) {
  if (!(largest > 0)) largest = fallback;
  const double step = CHOOSESTEP(0, static_cast<float>(largest));
  return {step, std::max(step, std::ceil(largest / step - 1e-6) * step)};
}

double lineHeight(const Canvas& canvas) {
  return canvas.measureText("0").height;
}

void drawCaption(Canvas& canvas, const std::string& caption) {
  const WorldWindow world = canvas.worldWindow();
  const WorldMapping m = canvas.mapping();
  canvas.text({world.left + 8 * m.worldPerPixelX(), world.top - 6 * m.worldPerPixelY()}, caption,
              HAlign::Left, VAlign::Top);
}

void drawTimeAxis(Canvas& canvas, const PlotRect& data) {
  const double step = CHOOSESTEP(static_cast<float>(data.left), static_cast<float>(data.right));
  drawBottomTicks(
      canvas, data, data.left, data.right, step, [](double ms) { return timeLabelMs(ms); }, false);
  drawBottomTitle(canvas, data, "Time (ms)");
}

// A short line in the colour followed by the text, right-aligned at `right`; returns the
// left end of the entry.
double drawLegendEntry(Canvas& canvas, double right, double y, Colorref colour,
                       const std::string& text) {
  const double width = canvas.measureText(text).width;
  const double swatch = canvas.measureText("MMM").width;
  canvas.text({right, y}, text, HAlign::Right, VAlign::Centre);
  canvas.setPen(colour, 2, PenStyle::Solid, false);
  canvas.line({right - width - swatch, y}, {right - width - swatch / 4, y});
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  return right - width - swatch;
}

void drawCurve(Canvas& canvas, std::span<const PointF> points, Colorref colour) {
  canvas.setPen(colour, 2, PenStyle::Solid, false);
  canvas.polyline(points);
  const WorldMapping m = canvas.mapping();
  const double dx = 2 * m.worldPerPixelX();
  const double dy = 2 * m.worldPerPixelY();
  for (const PointF& p : points)
    canvas.fillRect({p.x - dx, p.y - dy}, {p.x + dx, p.y + dy}, colour);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
}

void setPlotFont(Canvas& canvas) {
  canvas.setFont("Small Fonts", plotFontPixels(canvas), false);
  canvas.setTextColour(kBlack);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
}

PixelMargins plotMargins(const Canvas& canvas, double rightLabelPixels) {
  const double h = plotFontPixels(canvas);
  const double leftLabels = canvas.measureText("00000 ").width / canvas.mapping().worldPerPixelX();
  return {leftLabels + 2.5 * h, 3.2 * h, rightLabelPixels, 3.6 * h};
}

}  // namespace

std::int64_t analysisHop(double sampleIntervalMs) {
  if (!(sampleIntervalMs > 0)) return 1;
  return static_cast<std::int64_t>(
      std::clamp(std::floor(kHopMs / sampleIntervalMs + 1e-9), 1.0, 1e9));
}

double frameBinHz(double sampleIntervalMs) {
  return 1000.0 / (kFrameLength * sampleIntervalMs);
}

std::vector<FrequencyPoint> AnalyseFrequencyVsTime(std::span<const float> samples,
                                                   double sampleIntervalMs, dsp::Fft& fft,
                                                   const base::DebugLog* log) {
  std::vector<FrequencyPoint> points;
  if (samples.empty() || !(sampleIntervalMs > 0)) return points;
  const auto n = static_cast<std::int64_t>(samples.size()) - 1;
  const std::int64_t hop = analysisHop(sampleIntervalMs);
  const double binHz = frameBinHz(sampleIntervalMs);
  SegmentAnalyser analyser{fft};
  for (std::int64_t b = 1; b <= n / hop; ++b) {
    const std::int64_t point = (b - 1) * hop;
    points.push_back(pointOf(analyser.spectrumAt(samples, point),
                             static_cast<double>(point) * sampleIntervalMs, binHz));
  }
  if (log != nullptr && log->enabled()) log->line("Tapers applied");
  return points;
}

TimeFrequencyImage analyseTimeFrequency(std::span<const float> samples, double sampleIntervalMs,
                                        dsp::Fft& fft) {
  TimeFrequencyImage image;
  image.sampleIntervalMs = sampleIntervalMs;
  if (samples.empty() || !(sampleIntervalMs > 0)) return image;
  const auto n = static_cast<std::int64_t>(samples.size()) - 1;
  image.hop = std::clamp<std::int64_t>(n / static_cast<std::int64_t>(kFewestImageColumns), 1,
                                       analysisHop(sampleIntervalMs));
  image.columns = static_cast<std::size_t>(n / image.hop + 1);
  image.endMs = static_cast<double>(n) * sampleIntervalMs;
  image.levels.resize(image.columns * kFrameBins);
  SegmentAnalyser analyser{fft};
  for (std::size_t c = 0; c < image.columns; ++c) {
    const std::vector<float> amplitudes =
        analyser.spectrumAt(samples, static_cast<std::int64_t>(c) * image.hop);
    std::copy(amplitudes.begin(), amplitudes.end(),
              image.levels.begin() + static_cast<std::ptrdiff_t>(c * kFrameBins));
  }
  image.largest = *std::max_element(image.levels.begin(), image.levels.end());
  image.colourSteps = sixDecadeSteps(image.levels, image.largest);
  return image;
}

double sixDecadeLevel(float level, float largest) {
  if (!(level > 0) || !(largest > 0)) return 0;
  return std::max(0.0, (6 + std::log10(static_cast<double>(level) / largest)) / 6);
}

std::vector<std::uint8_t> sixDecadeSteps(std::span<const float> levels, float largest) {
  static_assert(kSixDecadeSteps <= 255, "a step is one byte");
  std::vector<std::uint8_t> steps(levels.size());
  for (std::size_t k = 0; k < levels.size(); ++k)
    steps[k] = static_cast<std::uint8_t>(
        std::lround(static_cast<double>(kSixDecadeSteps) * sixDecadeLevel(levels[k], largest)));
  return steps;
}

Colorref sixDecadeColour(double v) {
  return HLSTORGB(static_cast<float>(240 - 240 * v), 120, static_cast<float>(240 * v));
}

std::string frequencyReadout(double hz) {
  return fixedDecimals(hz, 1) + "Hz";
}

PlotGeometry drawFrequencyVsTime(Canvas& canvas, std::span<const FrequencyPoint> points,
                                 double startMs, double endMs, const std::string& caption) {
  canvas.clear(kWhite);
  setPlotFont(canvas);
  double largestHz = 0;
  double largestDistortion = 0;
  for (const FrequencyPoint& p : points) {
    largestHz = std::max(largestHz, p.frequencyHz);
    largestDistortion = std::max(largestDistortion, p.distortionPercent);
  }
  const AxisRange hz = axisFor(largestHz, 1);
  const bool capped = largestDistortion > kHighestDistortionShown;
  const AxisRange percent = axisFor(std::min(largestDistortion, kHighestDistortionShown), 1);
  const double rightLabels = canvas.measureText("00000 ").width / canvas.mapping().worldPerPixelX();
  PlotRect data{startMs, std::max(endMs, startMs), 0, hz.top};
  const WorldWindow world =
      setPlotWindow(canvas, data, plotMargins(canvas, rightLabels + 2.5 * plotFontPixels(canvas)));

  drawCaption(canvas, caption);
  const double legendY = data.top + 1.2 * lineHeight(canvas);
  const double left =
      drawLegendEntry(canvas, data.right, legendY, kRed,
                      capped ? "Distortion (%, over 100 drawn at 100)" : "Distortion (%)");
  drawLegendEntry(canvas, left - canvas.measureText("MM").width, legendY, kBlue,
                  "Dominant frequency (Hz)");
  for (double f : stepValues(0, hz.top, hz.step))
    drawSideTick(canvas, data, Side::Left, f, axisNumber(f), true);
  const double hzPerPercent = hz.top / percent.top;
  for (double d : stepValues(0, percent.top, percent.step))
    drawSideTick(canvas, data, Side::Right, d * hzPerPercent, axisNumber(d), false);
  drawSideTitle(canvas, data, Side::Left, "Frequency (Hz)");
  drawSideTitle(canvas, data, Side::Right, "Distortion (%)");
  drawTimeAxis(canvas, data);

  std::vector<PointF> frequency;
  std::vector<PointF> distortion;
  for (const FrequencyPoint& p : points) {
    frequency.push_back({p.timeMs, p.frequencyHz});
    distortion.push_back({p.timeMs, std::min(p.distortionPercent, percent.top) * hzPerPercent});
  }
  drawCurve(canvas, distortion, kRed);
  drawCurve(canvas, frequency, kBlue);
  canvas.rectangle({data.left, data.bottom}, {data.right, data.top});
  return {world, data, true};
}

namespace {

// The colour scale beside the image: six decades from 0 dB at the top to -120 dB.
void drawColourScale(Canvas& canvas, const PlotRect& data) {
  const WorldMapping m = canvas.mapping();
  const double x0 = data.right + 12 * m.worldPerPixelX();
  const double x1 = x0 + 16 * m.worldPerPixelX();
  const double height = data.top - data.bottom;
  constexpr int kSteps = 240;
  for (int k = 0; k < kSteps; ++k) {
    const double v = (k + 0.5) / kSteps;
    canvas.fillRect({x0, data.bottom + height * k / kSteps},
                    {x1, data.bottom + height * (k + 1) / kSteps}, sixDecadeColour(v));
  }
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.rectangle({x0, data.bottom}, {x1, data.top});
  const PlotRect bar{x0, x1, data.bottom, data.top};
  for (int decade = 0; decade <= 6; ++decade)
    drawSideTick(canvas, bar, Side::Right, data.top - height * decade / 6,
                 std::to_string(-20 * decade) + " dB", false);
}

// The image's cells, one per column and bin, coloured on the six-decade scale: column c is
// centred on its time, bin i on i x the bin width; the first and last are cut at the plot.
void drawSpectrogramCells(Canvas& canvas, const TimeFrequencyImage& image, const PlotRect& data) {
  std::array<Colorref, kSixDecadeSteps + 1> colours{};
  for (std::size_t k = 0; k < colours.size(); ++k)
    colours[k] = sixDecadeColour(static_cast<double>(k) / kSixDecadeSteps);
  // An image filled in by hand rather than by the analysis has its steps worked out here.
  std::vector<std::uint8_t> madeHere;
  std::span<const std::uint8_t> cells = image.colourSteps;
  if (cells.size() != image.levels.size()) {
    madeHere = sixDecadeSteps(image.levels, image.largest);
    cells = madeHere;
  }
  const double columnMs = static_cast<double>(image.hop) * image.sampleIntervalMs;
  const double binHz = frameBinHz(image.sampleIntervalMs);
  const CellImage cellImage{
      image.columns, kFrameBins, cells, colours, {image.startMs - columnMs / 2, -binHz / 2},
      columnMs,      binHz};
  drawCellImage(canvas, cellImage, {data.left, data.bottom}, {data.right, data.top});
}

}  // namespace

PlotGeometry drawTimeFrequencyImage(Canvas& canvas, const TimeFrequencyImage& image,
                                    const std::string& caption) {
  canvas.clear(kWhite);
  setPlotFont(canvas);
  if (image.columns == 0) {
    canvas.setWorldWindow({0, 1, 1, 0});
    canvas.text({0.5, 0.5}, "No samples", HAlign::Centre, VAlign::Centre);
    return {};
  }
  const double binHz = frameBinHz(image.sampleIntervalMs);
  const double nyquist = binHz * (kFrameBins - 1);
  const double rightLabels =
      canvas.measureText("-120 dB ").width / canvas.mapping().worldPerPixelX();
  PlotRect data{image.startMs, std::max(image.endMs, image.startMs + image.sampleIntervalMs), 0,
                nyquist};
  const WorldWindow world = setPlotWindow(canvas, data, plotMargins(canvas, rightLabels + 40));

  drawSpectrogramCells(canvas, image, data);

  drawCaption(canvas, caption);
  const AxisRange hz = axisFor(nyquist, 1);
  for (double f : stepValues(0, nyquist, hz.step))
    drawSideTick(canvas, data, Side::Left, f, axisNumber(f), false);
  drawSideTitle(canvas, data, Side::Left, "Frequency (Hz)");
  drawTimeAxis(canvas, data);
  drawColourScale(canvas, data);
  canvas.rectangle({data.left, data.bottom}, {data.right, data.top});
  return {world, data, true};
}

}  // namespace vorax::app
