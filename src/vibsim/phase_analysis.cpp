#include "vibsim/phase_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace vorax::vibsim {

namespace {

constexpr std::size_t kStartTimeMargin = 5;  // points left out at each end

std::string integerText(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", v);
  return text;
}

std::span<const float> firstPoints(const std::vector<float>& v, std::size_t count) {
  return std::span(v).first(std::min(count, v.size()));
}

}  // namespace

void foldPhase(std::span<float> d) {
  for (std::size_t k = 1; k + 1 < d.size(); ++k) {
    if (!(std::abs(d[k]) > 135)) continue;
    const float up = d[k] + 180;
    const float down = d[k] - 180;
    d[k] = std::abs(up) < std::abs(down) ? up : down;
  }
}

float wrapPhase(double degrees) {
  return static_cast<float>(std::remainder(degrees, 360.0));
}

PhaseErrorResult computePhaseError(SimInput& input, std::int32_t a, std::int32_t b,
                                   std::int32_t c) {
  const IpfdCurves& pilot = input.ipfd(a, 0);
  const IpfdCurves& first = input.ipfd(b, input.tA());
  const IpfdCurves& last = c != 0 ? input.ipfd(c, input.tA()) : first;
  const std::size_t points = static_cast<std::size_t>(std::min(pilot.m, last.m)) + 1;

  PhaseErrorResult result;
  result.pointMs = last.pointMs;
  result.unfolded.resize(points);
  for (std::size_t k = 0; k < points; ++k)
    result.unfolded[k] = wrapPhase(static_cast<double>(pilot.phase[k]) - last.phase[k]);
  result.error = result.unfolded;
  foldPhase(result.error);

  double phaseTimesFrequency = 0;
  double frequencySquared = 0;
  for (std::size_t k = kStartTimeMargin; k + kStartTimeMargin < points; ++k) {
    const double f = last.frequency[k];
    if (!(f > 0)) continue;
    phaseTimesFrequency += result.error[k] * f;
    frequencySquared += f * f;
  }
  if (frequencySquared > 0)
    result.startTimeErrorUs =
        static_cast<float>(1e6 * phaseTimesFrequency / (360.0 * frequencySquared));

  if (c != 0) {
    const std::size_t secondPoints = std::min(points, static_cast<std::size_t>(first.m) + 1);
    result.secondError.resize(secondPoints);
    for (std::size_t k = 0; k < secondPoints; ++k)
      result.secondError[k] = wrapPhase(static_cast<double>(pilot.phase[k]) - first.phase[k]);
    foldPhase(result.secondError);
    foldPhase(result.secondError);
  }
  return result;
}

void drawPointTimeAxis(Canvas& canvas, const PlotBand& band, std::int32_t m, double pointMs) {
  if (m > 0 && pointMs > 0) drawHorizontalAxis(canvas, band, 0, m * pointMs, "mS");
}

void drawPhaseError(Canvas& canvas, const PlotBand& band, const PhaseErrorResult& result,
                    const SimParams& params, Colorref first, Colorref second) {
  const double scale = params.phaseScale;
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, "Phase Error (Degrees)");
  // Without a single point where the signal sweeps, the difference is the pilot's phase
  // against noise: drawn, it would look like a wildly failing vibrator rather than none.
  if (!result.startTimeErrorUs) return;
  drawBandCurve(canvas, band, result.error, -scale, scale, first);
  drawBandCurve(canvas, band, result.secondError, -scale, scale, second);
  for (double limit :
       {static_cast<double>(params.phaseQcLimit), -static_cast<double>(params.phaseQcLimit)})
    drawLevelLine(canvas, band, fractionOf(limit, -scale, scale), kQcRed, "QC");
  drawZeroLine(canvas, band, 0.5, params);
  drawValueLabel(canvas, band, 1, integerText(scale));
  drawValueLabel(canvas, band, 0, integerText(-scale));
  drawPointTimeAxis(canvas, band, static_cast<std::int32_t>(result.error.size()) - 1,
                    result.pointMs);
}

void drawPhaseErrorAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t a,
                            std::int32_t b, std::int32_t c, Colorref first, Colorref second) {
  drawPhaseError(canvas, plotBand(BandKind::TimeTrace, top), computePhaseError(input, a, b, c),
                 input.params(), first, second);
}

void drawFrequencyAnalysis(Canvas& canvas, SimInput& input, double top,
                           std::span<const TraceColour> traces) {
  const PlotBand band = plotBand(BandKind::TimeTrace, top);
  const double maxFrequency = input.params().maxFrequency;
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, "Frequency vs Time");
  drawValueLabel(canvas, band, 0, "0");
  drawValueLabel(canvas, band, 1, integerText(maxFrequency));
  drawAxisCaption(canvas, band, "Hz");
  for (const TraceColour& t : traces) {
    const IpfdCurves& curves = input.ipfd(t.trace, input.tA());
    drawBandCurve(canvas, band,
                  firstPoints(curves.frequency, static_cast<std::size_t>(curves.m) + 1), 0,
                  maxFrequency, t.colour);
  }
  if (!traces.empty()) {
    const IpfdCurves& curves = input.ipfd(traces[0].trace, input.tA());
    drawPointTimeAxis(canvas, band, curves.m, curves.pointMs);
  }
}

void drawDistortionAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t trace,
                            Colorref colour, std::string_view caption) {
  const PlotBand band = plotBand(BandKind::Spectrum, top);
  const SimParams& params = input.params();
  const IpfdCurves& curves = input.ipfd(trace, input.tA());
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, caption);
  drawValueTicks(canvas, band, 0, params.distortionMaxScale, params.distortionQcLimit);
  drawAxisCaption(canvas, band, "%");
  drawLevelLine(canvas, band, fractionOf(params.distortionQcLimit, 0, params.distortionMaxScale),
                kQcRed, "QC");
  drawBandCurve(canvas, band, curves.distortion, 0, params.distortionMaxScale, colour);
  drawPointTimeAxis(canvas, band, curves.m, curves.pointMs);
}

std::vector<float> computeDeltaPhase(SimInput& input, std::int32_t basePlate, std::int32_t mass) {
  const std::int32_t time = input.params().truncateTime;
  const IpfdCurves& p1 = input.ipfd(basePlate, time);
  const IpfdCurves& p2 = input.ipfd(mass, time);
  std::vector<float> d(static_cast<std::size_t>(std::min(p1.m, p2.m)) + 1);
  for (std::size_t k = 0; k < d.size(); ++k) {
    float v = p1.phase[k] - p2.phase[k];
    if (v > 0 && v < 180) v -= 180;
    if (v > 180 && v < 360) v -= 360;
    d[k] = v;
  }
  foldPhase(d);
  return d;
}

void drawDeltaPhaseAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t basePlate,
                            std::int32_t mass, Colorref colour) {
  const PlotBand band = plotBand(BandKind::TransferFunction, top);
  const std::vector<float> d = computeDeltaPhase(input, basePlate, mass);
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, "Delta Phase (BP-Mass Deg)");
  drawValueLabel(canvas, band, 0, "-180");
  drawValueLabel(canvas, band, 1, "180");
  drawZeroLine(canvas, band, 0.5, input.params());
  drawBandCurve(canvas, band, d, -180, 180, colour);
  const IpfdCurves& curves = input.ipfd(basePlate, input.params().truncateTime);
  drawPointTimeAxis(canvas, band, static_cast<std::int32_t>(d.size()) - 1, curves.pointMs);
}

}  // namespace vorax::vibsim
