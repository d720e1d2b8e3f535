#include "app/trace_selection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/readouts.h"
#include "app/trace_scaling.h"
#include "app/utilities.h"
#include "decode/conversions.h"
#include "dsp/spectrum.h"
#include "dsp/taper.h"

namespace vorax::app {

namespace {

constexpr double kMinusSixDb = 0.501187237;
constexpr double kLowestLevel = 0.00001;  // the floor of an axis with no positive level
constexpr double kTopLevel = 1.2;
constexpr const char* kLineHeightText = "ABCDEFGEHIJKLMNOPQ";

double valueOrZero(float v) {
  return std::isfinite(v) ? v : 0.0;
}

std::string numberText(double v) {
  return decode::shortestText(static_cast<float>(v));
}

std::size_t plottedUpperBin(const SelectionStatistics& statistics, std::size_t requested) {
  const std::size_t last = statistics.spectrum.empty() ? 0 : statistics.spectrum.size() - 1;
  return requested == 0 || requested > last ? last : requested;
}

std::string levelLabel(double log10Level, bool dbScale) {
  if (dbScale) return fixedDecimals(20 * log10Level, 0) + "dB ";
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", std::pow(10.0, log10Level));
  return text;
}

// Level lines at 0 dB and -6 dB, labels at those and at whole decades (at most about ten).
void drawLevelAxis(Canvas& canvas, const PlotRect& data, bool dbScale) {
  canvas.setPen(kRed, 1, PenStyle::Dotted, false);
  canvas.line({data.left, 0}, {data.right, 0});
  canvas.line({data.left, std::log10(kMinusSixDb)}, {data.right, std::log10(kMinusSixDb)});
  drawSideTick(canvas, data, Side::Left, 0, levelLabel(0, dbScale), false);
  drawSideTick(canvas, data, Side::Left, std::log10(kMinusSixDb),
               levelLabel(std::log10(kMinusSixDb), dbScale), false);
  const auto decades = static_cast<int>(std::floor(-data.bottom + 1e-9));
  const int every = std::max(1, (decades + 9) / 10);
  for (int k = every; k <= decades; k += every)
    drawSideTick(canvas, data, Side::Left, -k, levelLabel(-k, dbScale), true);
}

void drawFrequencyAxis(Canvas& canvas, const PlotRect& data) {
  const double step = CHOOSESTEP(0, static_cast<float>(data.right));
  drawBottomTicks(
      canvas, data, 0, data.right, step,
      [](double hz) { return hz == 0 ? std::string("0") : numberText(hz); }, true);
  drawBottomTitle(canvas, data, "Frequency (Hz)");
}

std::vector<std::string> valueLines(const SelectionStatistics& s) {
  return {"First Trace " + std::to_string(s.range.firstTrace),
          "Last Trace " + std::to_string(s.range.lastTrace),
          "Start Time " + numberText(s.startMs) + " ms",
          "End Time " + numberText(s.endMs) + " ms",
          "RMS " + microvoltText(s.rms) + " uV",
          "Peak " + microvoltText(s.peak) + " uV"};
}

double valuesWidthPixels(Canvas& canvas, const SelectionStatistics& s, double fontPixels) {
  canvas.setFont("MS Sans Serif", fontPixels, false);
  double widest = 0;
  for (const std::string& line : valueLines(s))
    widest = std::max(widest, canvas.measureText(line).width);
  return widest / canvas.mapping().worldPerPixelX();
}

void drawValues(Canvas& canvas, const SelectionStatistics& s, const PlotRect& data,
                double fontPixels) {
  canvas.setFont("MS Sans Serif", fontPixels, false);
  const double lineHeight = canvas.measureText(kLineHeightText).height;
  const double x = data.right + 16 * canvas.mapping().worldPerPixelX();
  double y = data.top;
  for (const std::string& line : valueLines(s)) {
    canvas.text({x, y}, line, HAlign::Left, VAlign::Top);
    y -= lineHeight;
  }
}

void drawTitle(Canvas& canvas, bool fromSingleTrace, double fontPixels) {
  canvas.setFont("Arial", fontPixels * 1.4, true);
  const WorldWindow world = canvas.worldWindow();
  canvas.text({(world.left + world.right) / 2, world.top - 6 * canvas.mapping().worldPerPixelY()},
              fromSingleTrace ? "FFT Trace Selection" : "Trace Selection", HAlign::Centre,
              VAlign::Top);
}

}  // namespace

SelectionRectangle orderedSelection(SelectionRectangle s) {
  if (s.lastTrace < s.firstTrace) std::swap(s.firstTrace, s.lastTrace);
  if (s.endSample < s.startSample) std::swap(s.startSample, s.endSample);
  return s;
}

SelectionRectangle wholeTraceSelection(const decode::SegdRecord& record, std::int32_t trace) {
  return {trace, trace, 0, std::max(0, record.samples.samplesPerTrace() - 1)};
}

SelectionStatistics analyseSelection(const decode::SegdRecord& record, SelectionRectangle selection,
                                     dsp::Fft& fft) {
  SelectionStatistics out;
  SelectionRectangle r = orderedSelection(selection);
  r.firstTrace = std::max(r.firstTrace, 1);
  r.lastTrace = std::min(r.lastTrace, record.loadedTraceCount());
  r.startSample = std::max(r.startSample, 0);
  r.endSample = std::min(r.endSample, record.samples.samplesPerTrace() - 1);
  out.range = r;
  const double intervalMs = record.summary.sampleIntervalUs / 1000.0;
  out.startMs = record.startTimeMs + r.startSample * intervalMs;
  out.endMs = record.startTimeMs + r.endSample * intervalMs;
  if (r.firstTrace > r.lastTrace || r.startSample > r.endSample) return out;
  out.empty = false;

  const auto count = static_cast<std::size_t>(r.endSample - r.startSample + 1);
  std::vector<float> segment(count);
  std::vector<float> tapered(count);
  double sumOfSquares = 0;
  double largest = -1;
  for (std::int32_t t = r.firstTrace; t <= r.lastTrace; ++t) {
    const std::span<const float> samples =
        record.samples.trace(t).subspan(static_cast<std::size_t>(r.startSample), count);
    const double recorded = recordedFactor(record, t);
    const double normalising = normalisingFactor(record, t);
    for (std::size_t j = 0; j < count; ++j) {
      const double stored = valueOrZero(samples[j]);
      const double v = stored * recorded;
      sumOfSquares += v * v;
      if (std::abs(v) > largest) {
        largest = std::abs(v);
        out.peak = v;
      }
      segment[j] = static_cast<float>(stored * normalising);
    }
    dsp::BlackmanTaper(segment, tapered);
    const std::vector<float> amplitudes = dsp::AmplitudeSpectrum(fft, tapered);
    if (out.spectrum.empty()) out.spectrum.assign(amplitudes.size(), 0.0f);
    for (std::size_t i = 0; i < amplitudes.size(); ++i) out.spectrum[i] += amplitudes[i];
  }
  const double terms = static_cast<double>(count) * (r.lastTrace - r.firstTrace + 1);
  out.rms = std::sqrt(sumOfSquares / terms);
  const double points = 2.0 * static_cast<double>(out.spectrum.size() - 1);
  out.binHz = intervalMs > 0 ? 1000.0 / (points * intervalMs) : 0;
  return out;
}

std::vector<float> normalisedSpectrum(const std::vector<float>& spectrum) {
  std::vector<float> out(spectrum.size(), 0.0f);
  const float largest =
      spectrum.empty() ? 0.0f : *std::max_element(spectrum.begin(), spectrum.end());
  if (!(largest > 0)) return out;
  for (std::size_t i = 0; i < spectrum.size(); ++i) out[i] = spectrum[i] / largest;
  return out;
}

std::size_t widenUpperBin(std::size_t upper, std::size_t lastBin) {
  const auto widened = static_cast<std::size_t>(std::lround(static_cast<double>(upper) / 0.9));
  return std::clamp<std::size_t>(widened, 1, std::max<std::size_t>(lastBin, 1));
}

std::size_t narrowUpperBin(std::size_t upper, std::size_t lastBin) {
  const auto narrowed = static_cast<std::size_t>(std::lround(0.9 * static_cast<double>(upper)));
  return std::clamp<std::size_t>(narrowed, 1, std::max<std::size_t>(lastBin, 1));
}

std::string microvoltText(double mv) {
  return fixedDecimals(mv * 1000, 3);
}

PlotGeometry drawSelectionSpectrum(Canvas& canvas, const SelectionStatistics& statistics,
                                   const SelectionPlotOptions& options) {
  canvas.clear(kWhite);
  canvas.setTextColour(kBlack);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  const double fontPixels = plotFontPixels(canvas);
  if (statistics.empty || statistics.spectrum.size() < 2) {
    canvas.setFont("Arial", fontPixels, false);
    canvas.setWorldWindow({0, 1, 1, 0});
    canvas.text({0.5, 0.5}, "Nothing selected", HAlign::Centre, VAlign::Centre);
    return {};
  }
  const std::vector<float> level = normalisedSpectrum(statistics.spectrum);
  const std::size_t upper = plottedUpperBin(statistics, options.upperBin);
  double smallest = 0;
  for (std::size_t i = 1; i <= upper; ++i)
    if (level[i] > 0 && (smallest == 0 || level[i] < smallest)) smallest = level[i];
  if (!(smallest > 0)) smallest = kLowestLevel;

  const double valuesPixels =
      options.values ? valuesWidthPixels(canvas, statistics, fontPixels) + 32 : 24;
  canvas.setFont("Small Fonts", fontPixels, false);
  const double labelPixels =
      canvas.measureText("-000dB  ").width / canvas.mapping().worldPerPixelX();
  const double titlePixels = options.title ? 3.0 * fontPixels + 8 : 1.5 * fontPixels;
  PlotRect data{0, static_cast<double>(upper) * statistics.binHz,
                std::min(std::log10(smallest), -0.5), std::log10(kTopLevel)};
  const WorldWindow world = setPlotWindow(
      canvas, data, {labelPixels + 2.5 * fontPixels, titlePixels, valuesPixels, 3.6 * fontPixels});

  drawLevelAxis(canvas, data, options.dbScale);
  drawSideTitle(canvas, data, Side::Left, options.dbScale ? "Level (dB)" : "Level");
  drawFrequencyAxis(canvas, data);

  std::vector<PointF> line;
  for (std::size_t i = 0; i <= upper; ++i)
    if (level[i] > 0)
      line.push_back(
          {static_cast<double>(i) * statistics.binHz, std::log10(static_cast<double>(level[i]))});
  canvas.setPen(kBlue, 1, PenStyle::Solid, false);
  canvas.polyline(line);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.rectangle({data.left, data.bottom}, {data.right, data.top});

  if (options.title) drawTitle(canvas, options.fromSingleTrace, fontPixels);
  if (options.values) drawValues(canvas, statistics, data, fontPixels);
  return {world, data, true};
}

std::optional<SpectrumCursor> spectrumCursorAt(const SelectionStatistics& statistics,
                                               const PlotGeometry& plot, int width, int height,
                                               PointF pixel, bool dbScale) {
  if (statistics.spectrum.empty() || !(statistics.binHz > 0)) return std::nullopt;
  const std::optional<PointF> at = plot.dataPointAt(width, height, pixel);
  if (!at) return std::nullopt;
  const std::size_t last = statistics.spectrum.size() - 1;
  const auto bin = std::min<std::size_t>(
      last, static_cast<std::size_t>(std::lround(std::max(0.0, at->x / statistics.binHz))));
  const float largest = *std::max_element(statistics.spectrum.begin(), statistics.spectrum.end());
  const double level = largest > 0 ? statistics.spectrum[bin] / largest : 0.0;
  std::string text = fixedDecimals(static_cast<double>(bin) * statistics.binHz, 1) + "Hz  ";
  if (!dbScale) return SpectrumCursor{bin, text + fixedDecimals(level, 4)};
  return SpectrumCursor{
      bin, text + (level > 0 ? fixedDecimals(20 * std::log10(level), 1) + "dB" : "no level")};
}

}  // namespace vorax::app
