#include "vibsim/amplitude_views.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <string>

#include "dsp/analytic_signal.h"
#include "vibsim/running_mean.h"
#include "vibsim/time_frequency.h"

namespace vorax::vibsim {

namespace {

constexpr std::size_t kTransferEndPoints =
    5;  // zeroed at the end; left out of the maximum at both ends
constexpr int kBasePlateSmoothing = 7;
constexpr int kMassSmoothing = 3;
constexpr int kRatioSmoothing = 40;
constexpr float kSmallestMass = 0.01f;
constexpr std::int32_t kLowestShift = -10;

std::span<const float> analysisSpan(SimInput& input, std::int32_t trace) {
  const std::span<const float> samples = input.trace(trace);
  if (!input.valid() || samples.empty()) return {};
  return samples.first(static_cast<std::size_t>(input.nA()) + 1);
}

std::size_t samplesOf(SimInput& input, double ms) {
  return static_cast<std::size_t>(std::max(0L, std::lround(ms / input.dtMs())));
}

// Root-sum-square amplitude of successive windows, from the analytic signal z: sqrt(sum of
// |z|^2 / 2) equals the samples' root-sum-square over whole cycles, and unlike it does not
// swing with where a window cuts a slow cycle (a 20 ms window holds a sixth of an 8 Hz one).
std::vector<float> windowAmplitudes(dsp::Fft& fft, std::span<const float> samples,
                                    std::size_t window, std::size_t count) {
  const std::vector<std::complex<float>> z = dsp::analyticSignal(fft, samples);
  std::vector<float> rss(count);
  for (std::size_t w = 0; w < count; ++w) {
    double sum = 0;
    for (std::size_t i = w * window; i < (w + 1) * window; ++i)
      sum += std::norm(std::complex<double>(z[i]));
    rss[w] = static_cast<float>(std::sqrt(sum / 2));
  }
  for (std::size_t w = count - std::min(count, kTransferEndPoints); w < count; ++w) rss[w] = 0;
  return rss;
}

}  // namespace

void drawTimeTraceAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                           Colorref colour, std::string_view caption) {
  const PlotBand band = plotBand(BandKind::TimeTrace, top);
  drawTimeTrace(canvas, band, analysisSpan(input, trace), colour, caption, input.params());
  if (input.valid()) drawHorizontalAxis(canvas, band, 0, input.tA(), "mS");
}

void drawTimeFrequencyAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                               std::string_view caption) {
  const TimeFrequencyGrid grid = computeTimeFrequency(input.fft(), analysisSpan(input, trace),
                                                      input.dtMs(), input.params().maxFrequency);
  drawTimeFrequencyPicture(canvas, plotBand(BandKind::TransferFunction, top), grid,
                           input.params().maxFrequency, caption);
}

std::vector<float> computeTransferFunction(SimInput& input, std::int32_t basePlate,
                                           std::int32_t mass) {
  const std::span<const float> bp = analysisSpan(input, basePlate);
  const std::span<const float> ms = analysisSpan(input, mass);
  if (bp.empty() || ms.empty()) return {};
  const std::size_t window = std::max<std::size_t>(1, samplesOf(input, kTransferWindowMs));
  const std::size_t count = bp.size() / window;
  if (count <= 2 * kTransferEndPoints) return {};

  const std::vector<float> bpAmplitude =
      runningMean(windowAmplitudes(input.fft(), bp, window, count), kBasePlateSmoothing);
  const std::vector<float> massAmplitude =
      runningMean(windowAmplitudes(input.fft(), ms, window, count), kMassSmoothing);
  std::vector<float> ratio(count);
  // Where the mass hardly moves (its zeroed tail above all) the ratio means nothing: 0 there,
  // rather than base plate / 0.01, whose spike the 40-window mean would carry inwards.
  for (std::size_t w = 0; w < count; ++w)
    ratio[w] = massAmplitude[w] > kSmallestMass ? bpAmplitude[w] / massAmplitude[w] : 0.0f;
  ratio = runningMean(ratio, kRatioSmoothing);
  const float largest =
      *std::max_element(ratio.begin() + kTransferEndPoints, ratio.end() - kTransferEndPoints);
  if (!(largest > 0)) return {};
  for (float& r : ratio) r /= largest;
  return ratio;
}

void drawTransferFunctionAnalysis(Canvas& canvas, SimInput& input, double top,
                                  std::int32_t basePlate, std::int32_t mass, Colorref colour) {
  const PlotBand band = plotBand(BandKind::TransferFunction, top);
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, "Transfer Function (BP Acc/Mass Acc)");
  drawValueLabel(canvas, band, 1, "1");
  drawValueLabel(canvas, band, 0, "0");
  const std::vector<float> ratio = computeTransferFunction(input, basePlate, mass);
  if (ratio.empty()) return;
  drawHorizontalAxis(canvas, band, 0, input.tA(), "mS");
  drawBandCurve(canvas, band, ratio, 0, 1, colour);
}

TaperEnd taperEndFromName(std::string_view name) {
  return !name.empty() && std::toupper(static_cast<unsigned char>(name[0])) == 'E'
             ? TaperEnd::End
             : TaperEnd::Start;
}

TaperView computeTaperView(SimInput& input, std::int32_t trace, TaperEnd end, double alignmentMs) {
  TaperView view;
  const std::span<const float> samples = input.trace(trace);
  if (!input.valid() || samples.empty()) return view;
  const SimParams& params = input.params();
  const std::size_t shown = samplesOf(input, params.taperDisplay);
  const auto nA = static_cast<std::size_t>(input.nA());
  const std::size_t first = end == TaperEnd::Start ? 0 : nA - std::min(nA, shown);
  const std::size_t last = end == TaperEnd::Start ? std::min(samples.size() - 1, shown) : nA;
  view.startMs = static_cast<double>(first) * input.dtMs();
  view.endMs = static_cast<double>(last) * input.dtMs();
  view.taperMarkMs = end == TaperEnd::Start
                         ? static_cast<double>(params.startTaper)
                         : static_cast<double>(input.tA()) - static_cast<double>(params.endTaper);
  const auto f = static_cast<std::int32_t>(std::lround(alignmentMs / input.dtMs()));
  view.shiftSamples = f < kLowestShift ? 0 : f;

  const std::span<const float> span = samples.subspan(first, last - first + 1);
  float peak = 0;
  for (float v : span) peak = std::max(peak, std::abs(v));
  if (!(peak > 0)) return view;

  const std::vector<std::complex<float>> analytic =
      dsp::analyticSignal(input.fft(), samples.first(nA + 1));
  std::vector<float> magnitude(analytic.size());
  for (std::size_t i = 0; i < analytic.size(); ++i) magnitude[i] = std::abs(analytic[i]);
  const std::vector<float> envelope =
      runningMean(magnitude, static_cast<int>(samplesOf(input, kTaperSmoothingMs)));

  view.samples.resize(span.size());
  view.amplitude.resize(span.size());
  for (std::size_t i = 0; i < span.size(); ++i) {
    view.samples[i] = span[i] / peak;
    const std::int64_t j = static_cast<std::int64_t>(first + i) + view.shiftSamples;
    const bool inside = j >= 0 && j < static_cast<std::int64_t>(envelope.size());
    view.amplitude[i] = inside ? envelope[static_cast<std::size_t>(j)] / peak : 0.0f;
  }
  return view;
}

void drawTaperViewAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                           std::string_view end, double alignmentMs, Colorref colour,
                           std::string_view caption) {
  const TaperView view = computeTaperView(input, trace, taperEndFromName(end), alignmentMs);
  if (const base::DebugLog* log = input.debugLog(); log && log->enabled())
    log->line("Filter Fiddle Factor = " + std::to_string(view.shiftSamples) + " Samples");
  const PlotBand band = plotBand(BandKind::TimeTrace, top);
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, caption);
  drawNormalisedLabels(canvas, band, input.params());
  if (view.endMs > view.startMs) drawHorizontalAxis(canvas, band, view.startMs, view.endMs, "mS");
  if (view.samples.empty()) return;
  drawBandCurve(canvas, band, view.samples, -1, 1, colour);
  drawBandCurve(canvas, band, view.amplitude, -1, 1, app::kBlack);
  if (view.taperMarkMs >= view.startMs && view.taperMarkMs <= view.endMs) {
    const double x = band.xAt(fractionOf(view.taperMarkMs, view.startMs, view.endMs));
    canvas.setPen(kQcRed, 1, app::PenStyle::Dotted, false);
    canvas.line({x, band.bottom()}, {x, band.top});
  }
}

std::vector<float> pulseSamples(SimInput& input, std::int32_t trace) {
  const std::span<const float> samples = input.trace(trace);
  if (!input.valid() || samples.empty()) return {};
  const SimParams& params = input.params();
  const std::size_t first = std::min(samples.size() - 1, samplesOf(input, params.pulseStart));
  const std::size_t last = std::min(samples.size() - 1, samplesOf(input, params.pulseEnd));
  if (first >= last) return {};
  return {samples.begin() + static_cast<std::ptrdiff_t>(first),
          samples.begin() + static_cast<std::ptrdiff_t>(last) + 1};
}

void drawPulseViewAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                           Colorref colour, std::string_view caption) {
  const PlotBand band = plotBand(BandKind::Pulse, top);
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, caption);
  drawNormalisedLabels(canvas, band, input.params());
  const std::vector<float> samples = pulseSamples(input, trace);
  if (samples.empty()) return;
  drawHorizontalAxis(canvas, band, input.params().pulseStart, input.params().pulseEnd, "mS");
  drawBandCurve(canvas, band, samples, -1, 1, colour);
}

}  // namespace vorax::vibsim
