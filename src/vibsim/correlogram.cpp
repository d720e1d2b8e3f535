#include "vibsim/correlogram.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace vorax::vibsim {

namespace {

float toDb(float c) {
  return c > 0 ? 20.0f * std::log10(c) : kNoCorrelationDb;
}

void drawLagAxis(Canvas& canvas, const PlotBand& band, double correlogramTimeMs) {
  drawHorizontalAxis(canvas, band, -correlogramTimeMs, correlogramTimeMs, "mS");
}

BandKind bandKind(Side side, bool db) {
  if (db) return side == Side::Left ? BandKind::DbCorrelogramLeft : BandKind::DbCorrelogramRight;
  return side == Side::Left ? BandKind::CorrelogramLeft : BandKind::CorrelogramRight;
}

}  // namespace

Side sideFromName(std::string_view name) {
  return !name.empty() && std::toupper(static_cast<unsigned char>(name[0])) == 'R' ? Side::Right
                                                                                   : Side::Left;
}

Correlogram computeCorrelogram(SimInput& input, std::int32_t a, std::int32_t b) {
  Correlogram result;
  if (!input.valid()) return result;
  const std::vector<float>& c = input.correlation(a, b);
  const std::int32_t n = input.nA();
  // Clamped as a double: a huge "Correlogram Time" over a short interval exceeds 32 bits.
  const double wanted = std::round(input.params().correlogramTime / input.dtMs());
  result.halfLags = static_cast<std::int32_t>(std::clamp(wanted, 0.0, static_cast<double>(n)));
  result.dtMs = input.dtMs();
  result.values.assign(c.begin() + (n - result.halfLags), c.begin() + (n + result.halfLags) + 1);
  const auto peak = std::max_element(c.begin(), c.end());
  result.peakValue = *peak;
  result.peakLagMs = static_cast<double>((peak - c.begin()) - n) * input.dtMs();
  return result;
}

std::vector<float> correlogramDb(std::span<const float> values, float peak) {
  const float reference = toDb(peak);
  std::vector<float> db(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) db[i] = toDb(values[i]) - reference;
  return db;
}

void drawCorrelogram(Canvas& canvas, const PlotBand& band, const Correlogram& correlogram,
                     double correlogramTimeMs, Colorref colour, std::string_view caption) {
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, caption);
  drawValueLabel(canvas, band, 1, "1");
  drawValueLabel(canvas, band, 0, "0");
  drawLagAxis(canvas, band, correlogramTimeMs);
  drawBandCurve(canvas, band, correlogram.values, 0, 1, colour);
}

void drawCorrelogramAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t a,
                             std::int32_t b, std::string_view side, Colorref colour,
                             std::string_view caption) {
  drawCorrelogram(canvas, plotBand(bandKind(sideFromName(side), false), top),
                  computeCorrelogram(input, a, b), input.params().correlogramTime, colour, caption);
}

void drawDbCorrelogram(Canvas& canvas, const PlotBand& band, const Correlogram& correlogram,
                       double correlogramTimeMs, double depthDb, double qcLimitDb, Colorref colour,
                       std::string_view caption) {
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, caption);
  drawAxisCaption(canvas, band, "Db");
  if (depthDb > 0)
    for (double db = 0; db <= depthDb + 1e-9; db += 6)
      drawValueLabel(canvas, band, 1 - db / depthDb,
                     db == 0 ? "0" : "-" + std::to_string(static_cast<int>(db)));
  drawLagAxis(canvas, band, correlogramTimeMs);
  if (qcLimitDb > 0 && depthDb > 0)
    drawLevelLine(canvas, band, 1 - qcLimitDb / depthDb, kQcRed, "");
  if (!(depthDb > 0) || !(correlogram.peakValue > 0)) return;  // nothing correlates: no curve
  std::vector<float> db = correlogramDb(correlogram.values, correlogram.peakValue);
  for (float& v : db) v = static_cast<float>(1 + v / depthDb);
  drawBandCurve(canvas, band, db, 0, 1, colour);
}

void drawDbCorrelogramAnalysis(Canvas& canvas, SimInput& input, double top, std::int32_t a,
                               std::int32_t b, std::string_view side, double depthDb,
                               double qcLimitDb, Colorref colour, std::string_view caption) {
  drawDbCorrelogram(canvas, plotBand(bandKind(sideFromName(side), true), top),
                    computeCorrelogram(input, a, b), input.params().correlogramTime, depthDb,
                    qcLimitDb, colour, caption);
}

}  // namespace vorax::vibsim
