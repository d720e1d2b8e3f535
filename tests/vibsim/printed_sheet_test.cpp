// Pages on paper and on the pane's edges: a printed sheet keeps every line at least 0.25 mm
// wide and each pane inside its place; axis labels stay whole and few; curves stay readable
// on white.
#include "vibsim/printed_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vibsim/vibsim_fixtures.h"

namespace vorax::vibsim {
namespace {

using app::DrawnItem;

TEST(PrintedSheet, PanesKeepTheirProportionsAndLinesAQuarterMillimetre) {
  // A4 landscape at 1200 dpi: 14031 x 9921 pixels; a quarter millimetre is 11.8 of them.
  const PrintedSheet sheet = printedSheet(14031, 9921, 1200, 2);
  EXPECT_NEAR(sheet.leastPenPixels, 0.25 * 1200 / 25.4, 1e-9);
  ASSERT_EQ(sheet.panes.size(), 2u);
  for (const DeviceRect& pane : sheet.panes) {
    EXPECT_NEAR(pane.width / pane.height, 1050.0 / 1485.0, 1e-9);
    EXPECT_GE(pane.top, sheet.caption.top + sheet.caption.height);
    EXPECT_LE(pane.top + pane.height, 9921 + 1e-6);
  }
  EXPECT_LE(sheet.panes[0].left + sheet.panes[0].width, sheet.panes[1].left);
  EXPECT_LE(sheet.panes[1].left + sheet.panes[1].width, 14031 + 1e-6);

  const WirelineSetup setup = test::fleetSetup(1);
  dsp::Fft fft;
  auto pages = makeWirelinePages(test::faultyFleetRecord(), setup, setup.vibrators[0], {}, "", fft);

  app::RecordingCanvas paper(14031, 9921);
  drawPrintedPage(paper, sheet, *pages, 1, "408 Wire Sim");
  ASSERT_NE(paper.findText("408 Wire Sim"), nullptr);
  int lines = 0;
  for (const DrawnItem& item : paper.items()) {
    if (item.kind == DrawnItem::Kind::Text || item.kind == DrawnItem::Kind::FillRect ||
        item.kind == DrawnItem::Kind::Clear)
      continue;
    ++lines;
    EXPECT_GE(item.penWidth, sheet.leastPenPixels);
  }
  EXPECT_GT(lines, 50);
  // Pane B's banner frame, in its world coordinates, lands inside pane B's place.
  const DrawnItem* frame = nullptr;
  for (const DrawnItem& item : paper.items())
    if (item.kind == DrawnItem::Kind::Rectangle && item.points[0].x == 10) frame = &item;
  ASSERT_NE(frame, nullptr);
  const app::PointF corner =
      app::WorldMapping{frame->window, 14031, 9921}.toDevice(frame->points[0]);
  const DeviceRect& b = sheet.panes[1];
  EXPECT_NEAR(corner.x, b.left + 0.010 * b.width, 1e-6);
  EXPECT_NEAR(corner.y, b.top + 0.010 * b.height, 1e-6);
}

TEST(PlotPrimitives, AxisLabelsStayFewAndInsideThePane) {
  app::RecordingCanvas canvas(1050, 1485);
  beginPane(canvas);
  const PlotBand band = plotBand(BandKind::CorrelogramRight, 840);
  constexpr double kHuge = std::numeric_limits<std::int32_t>::max();
  drawHorizontalAxis(canvas, band, -kHuge, kHuge, "mS");
  EXPECT_LE(canvas.texts().size(), 52u);  // at most 50 intervals, and the unit
  EXPECT_GE(canvas.texts().size(), 5u);

  app::RecordingCanvas time(1050, 1485);
  beginPane(time);
  drawHorizontalAxis(time, plotBand(BandKind::TimeTrace, 840), 0, 12000, "mS");
  const DrawnItem* last = time.findText("12000");
  ASSERT_NE(last, nullptr);
  const double half = time.measureText("12000").width / 2;
  EXPECT_LE(last->points[0].x + half, 1000);
}

TEST(PlotPrimitives, DistortionAxisHasTickValues) {
  app::RecordingCanvas canvas(1050, 1485);
  beginPane(canvas);
  drawValueTicks(canvas, plotBand(BandKind::Spectrum, 820), 0, 50, 40);
  for (const char* label : {"0", "10", "20", "30", "50"})
    EXPECT_NE(canvas.findText(label), nullptr) << label;
  EXPECT_EQ(canvas.findText("40"), nullptr);  // the QC line's own label stands there
}

TEST(PlotPrimitives, CurvesTooLightForWhiteAreDarkenedKeepingTheirHue) {
  const auto luminance = [](Colorref c) {
    const auto lin = [](int v) {
      const double x = v / 255.0;
      return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(app::redOf(c)) + 0.7152 * lin(app::greenOf(c)) +
           0.0722 * lin(app::blueOf(c));
  };
  for (Colorref light : {app::kYellow, app::kGreen, app::kLightGrey}) {
    const Colorref c = readableOnWhite(light);
    EXPECT_LE(luminance(c), 0.3 + 0.003) << std::hex << light;
    EXPECT_GT(luminance(c), 0.29) << std::hex << light;
    EXPECT_EQ(app::redOf(c) == 0, app::redOf(light) == 0);
    EXPECT_EQ(app::blueOf(c) == 0, app::blueOf(light) == 0);
  }
  EXPECT_EQ(app::redOf(readableOnWhite(app::kYellow)), app::greenOf(readableOnWhite(app::kYellow)));
  for (Colorref dark : {app::kRed, app::kBlue, app::kMagenta, app::kBlack})
    EXPECT_EQ(readableOnWhite(dark), dark);
}

}  // namespace
}  // namespace vorax::vibsim
