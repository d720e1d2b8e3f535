#include "vibsim/plot_primitives.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/record_display.h"
#include "app/utilities.h"

namespace vorax::vibsim {

namespace {

constexpr double kPointsPerA4Height = 297.0 / 25.4 * 72.0;  // 841.9 pt
constexpr double kSmallestFontPixels = 7;
constexpr double kCaptionPoints = 9;
constexpr double kLabelPoints = 6;
constexpr double kBannerPoints = 10;
constexpr double kTitlePoints = 12;
constexpr double kDatePoints = 8;
constexpr double kFooterPoints = 6;
constexpr double kLabelGap = 6;  // pane units between a band edge and its labels
constexpr double kMostAxisLabels = 50;
constexpr double kPaneEdgeGap = 2;  // pane units kept clear at the pane's edges

std::string_view rtrim(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

void bannerText(Canvas& canvas, PointF at, std::string_view text, Colorref colour, app::HAlign h) {
  canvas.setTextColour(colour);
  canvas.text(at, rtrim(text), h, app::VAlign::Top);
}

}  // namespace

void beginPane(Canvas& canvas) {
  canvas.setWorldWindow({0, kPaneSize, kPaneSize, 0});
  canvas.clear(app::kWhite);
}

void setPaneFont(Canvas& canvas, std::string_view family, double points, bool bold) {
  const double pixels = points * canvas.pixelHeight() / kPointsPerA4Height;
  canvas.setFont(family, std::max(kSmallestFontPixels, pixels), bold);
}

void drawPageBanner(Canvas& canvas, const PageBanner& banner) {
  canvas.setPen(app::kBlack, 1, app::PenStyle::Solid, false);
  canvas.rectangle({10, 990}, {990, 880});
  setPaneFont(canvas, "Arial", kTitlePoints);
  bannerText(canvas, {500, 980}, banner.title, kTitleGreen, app::HAlign::Centre);
  setPaneFont(canvas, "Arial", kBannerPoints);
  bannerText(canvas, {20, 980}, banner.contractor, kCompanyTeal, app::HAlign::Left);
  bannerText(canvas, {960, 980}, banner.oilCompany, kCompanyTeal, app::HAlign::Right);
  bannerText(canvas, {20, 920}, "Vibrator Number " + std::string(rtrim(banner.vibratorLabel)),
             kVibratorPurple, app::HAlign::Left);
  bannerText(canvas, {500, 920}, banner.crew, kCrewMaroon, app::HAlign::Centre);
  setPaneFont(canvas, "Arial", kDatePoints, true);
  bannerText(canvas, {960, 920},
             std::string(rtrim(banner.recordDate)) + " " + std::string(rtrim(banner.recordTime)),
             kVibratorPurple, app::HAlign::Right);
}

void drawPaneFooter(Canvas& canvas) {
  setPaneFont(canvas, "Small Fonts", kFooterPoints);
  const double h = canvas.measureText(app::kBannerText).height;
  canvas.setTextColour(kFooterRed);
  canvas.text({kPaneSize / 2, h}, app::kBannerText, app::HAlign::Centre, app::VAlign::Bottom);
}

double PlotBand::yAt(double fraction) const {
  if (!(fraction > 0)) fraction = 0;  // NaN goes to the bottom edge as well
  return bottom() + std::min(fraction, 1.0) * height;
}

PlotBand plotBand(BandKind kind, double top) {
  switch (kind) {
    case BandKind::TimeTrace:
      return {60, 985, top, 152};
    case BandKind::Spectrum:
      return {60, 985, top, 200};
    case BandKind::TransferFunction:
      return {60, 985, top, 350};
    case BandKind::Pulse:
      return {60, 985, top, 115};
    case BandKind::CorrelogramLeft:
      return {60, 510, top, 300};
    case BandKind::CorrelogramRight:
      return {540, 980, top, 300};
    case BandKind::DbCorrelogramLeft:
      return {60, 500, top, 300};
    case BandKind::DbCorrelogramRight:
      return {550, 980, top, 300};
  }
  return {60, 985, top, 152};
}

double fractionOf(double value, double bottomValue, double topValue) {
  const double range = topValue - bottomValue;
  return range == 0 ? 0 : (value - bottomValue) / range;
}

void drawBandFrame(Canvas& canvas, const PlotBand& band) {
  canvas.setPen(kAxisBlue, 1, app::PenStyle::Solid, false);
  canvas.rectangle({band.left, band.top}, {band.right, band.bottom()});
}

void drawBandCaption(Canvas& canvas, const PlotBand& band, std::string_view caption) {
  setPaneFont(canvas, "Arial", kCaptionPoints);
  canvas.setTextColour(kAxisBlue);
  canvas.text({band.centreX(), band.top}, caption, app::HAlign::Centre, app::VAlign::Bottom);
}

void drawValueLabel(Canvas& canvas, const PlotBand& band, double fraction, std::string_view text) {
  setPaneFont(canvas, "Arial", kLabelPoints);
  canvas.setTextColour(kAxisBlue);
  canvas.text({band.left - kLabelGap / 2, band.yAt(fraction)}, text, app::HAlign::Right,
              app::VAlign::Centre);
}

void drawAxisCaption(Canvas& canvas, const PlotBand& band, std::string_view text) {
  setPaneFont(canvas, "Arial", kLabelPoints);
  canvas.setTextColour(kAxisBlue);
  const double labelWidth = canvas.measureText("-180").width;
  canvas.text({band.left - kLabelGap - labelWidth, band.bottom() + band.height / 2}, text,
              app::HAlign::Centre, app::VAlign::Bottom, 90);
}

void drawLevelLine(Canvas& canvas, const PlotBand& band, double fraction, Colorref colour,
                   std::string_view label) {
  const double y = band.yAt(fraction);
  canvas.setPen(colour, 1, app::PenStyle::Solid, false);
  canvas.line({band.left, y}, {band.right, y});
  if (!label.empty()) drawValueLabel(canvas, band, fraction, label);
}

void drawZeroLine(Canvas& canvas, const PlotBand& band, double fraction, const SimParams& params) {
  if (params.showZeroLines != 1) return;
  const double y = band.yAt(fraction);
  canvas.setPen(kAxisBlue, 1, app::PenStyle::Dotted, false);
  canvas.line({band.left, y}, {band.right, y});
  drawValueLabel(canvas, band, fraction, "0");
}

void drawNormalisedLabels(Canvas& canvas, const PlotBand& band, const SimParams& params) {
  drawValueLabel(canvas, band, 1, "1");
  drawValueLabel(canvas, band, 0, "-1");
  if (params.showZeroLines == 1)
    drawZeroLine(canvas, band, 0.5, params);
  else
    drawValueLabel(canvas, band, 0.5, "0");
}

void drawValueTicks(Canvas& canvas, const PlotBand& band, double bottomValue, double topValue,
                    double besideValue) {
  if (!(topValue > bottomValue) || !std::isfinite(topValue - bottomValue)) return;
  double step = 2 * app::CHOOSESTEP(static_cast<float>(bottomValue), static_cast<float>(topValue));
  while ((topValue - bottomValue) / step > kMostAxisLabels) step *= 10;
  canvas.setPen(kAxisBlue, 1, app::PenStyle::Solid, false);
  for (double i = std::ceil(bottomValue / step - 1e-9); i * step <= topValue + 1e-9 * step; ++i) {
    const double value = i * step;
    const double fraction = fractionOf(value, bottomValue, topValue);
    const double y = band.yAt(fraction);
    canvas.line({band.left, y}, {band.left + kLabelGap / 2, y});
    if (std::abs(value - besideValue) < step / 2) continue;
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", value == 0 ? 0.0 : value);
    drawValueLabel(canvas, band, fraction, text);
  }
}

void drawHorizontalAxis(Canvas& canvas, const PlotBand& band, double startValue, double endValue,
                        std::string_view unit) {
  if (!(endValue > startValue) || !std::isfinite(endValue - startValue)) return;
  // The library's steps end at 10000, so a range far beyond 100000 would give thousands of
  // labels: the step then grows tenfold until a few dozen are left.
  double step = app::CHOOSESTEP(static_cast<float>(startValue), static_cast<float>(endValue));
  while ((endValue - startValue) / step > kMostAxisLabels) step *= 10;
  setPaneFont(canvas, "Arial", kLabelPoints);
  canvas.setTextColour(kAxisBlue);
  canvas.setPen(kAxisBlue, 1, app::PenStyle::Solid, false);
  const double tick = kLabelGap / 2;
  const double first = std::ceil(startValue / step - 1e-9);
  for (double i = first; i * step <= endValue + 1e-9 * step; ++i) {
    const double value = i * step;
    const double x = band.xAt(fractionOf(value, startValue, endValue));
    canvas.line({x, band.bottom()}, {x, band.bottom() - tick});
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", value == 0 ? 0.0 : value);  // never "-0"
    // A label at the band's end stays whole inside the pane.
    const double half = canvas.measureText(text).width / 2;
    const double labelX = std::clamp(x, half + kPaneEdgeGap, kPaneSize - kPaneEdgeGap - half);
    canvas.text({labelX, band.bottom() - tick}, text, app::HAlign::Centre, app::VAlign::Top);
  }
  if (!unit.empty()) {
    const double row = canvas.measureText(unit).height;
    canvas.text({band.right, band.bottom() - tick - row}, unit, app::HAlign::Right,
                app::VAlign::Top);
  }
}

namespace {

constexpr double kLightestCurve = 0.3;  // relative luminance: 3:1 against white

double linearOf(std::uint8_t component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int componentOf(double linear) {
  const double c = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return static_cast<int>(std::lround(std::clamp(c, 0.0, 1.0) * 255));
}

}  // namespace

Colorref readableOnWhite(Colorref colour) {
  const double r = linearOf(app::redOf(colour));
  const double g = linearOf(app::greenOf(colour));
  const double b = linearOf(app::blueOf(colour));
  const double luminance = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  if (luminance <= kLightestCurve) return colour;
  const double k = kLightestCurve / luminance;
  return app::rgb(componentOf(r * k), componentOf(g * k), componentOf(b * k));
}

void drawBandCurve(Canvas& canvas, const PlotBand& band, std::span<const float> values,
                   double bottomValue, double topValue, Colorref colour) {
  if (values.size() < 2) return;
  std::vector<PointF> points(values.size());
  const double last = static_cast<double>(values.size() - 1);
  for (std::size_t i = 0; i < values.size(); ++i)
    points[i] = {band.xAt(static_cast<double>(i) / last),
                 band.yAt(fractionOf(values[i], bottomValue, topValue))};
  canvas.setPen(readableOnWhite(colour), 1, app::PenStyle::Solid, false);
  canvas.polyline(points);
}

void drawTimeTrace(Canvas& canvas, const PlotBand& band, std::span<const float> samples,
                   Colorref colour, std::string_view caption, const SimParams& params) {
  drawBandFrame(canvas, band);
  drawBandCaption(canvas, band, caption);
  drawNormalisedLabels(canvas, band, params);
  float peak = 0;
  for (float v : samples)
    if (std::isfinite(v)) peak = std::max(peak, std::abs(v));
  if (peak == 0) return;
  std::vector<float> scaled(samples.begin(), samples.end());
  for (float& v : scaled) v /= peak;
  drawBandCurve(canvas, band, scaled, -1, 1, colour);
}

}  // namespace vorax::vibsim
