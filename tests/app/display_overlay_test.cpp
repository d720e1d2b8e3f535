#include "app/display_overlay.h"

#include <gtest/gtest.h>

#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

using Kind = DrawnItem::Kind;

// Traces 0..20 over samples 0..1000 on 1000 x 800 pixels, with an 11-pixel font: 1.375
// samples a pixel, so the font is 15.125 samples high.
RecordDisplayGeometry geometry() {
  return {{-1.05, -50, 23.625, 1050}, 0, 21, 1, 20, 0, 1000, 15.125, 11, true};
}

TEST(DisplayOverlay, RedCrosshairThroughTheCursorAcrossTheTraceAreaAndBlueReadoutBelow) {
  RecordingCanvas canvas(1000, 800);
  DisplayOverlay overlay;
  overlay.cursor = TraceAndSample{7, 300};
  overlay.readout = "Seis Channel : 7  Time : 600.0mS";
  drawDisplayOverlay(canvas, geometry(), overlay);
  std::vector<const DrawnItem*> lines;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == Kind::Line) lines.push_back(&item);
  ASSERT_EQ(lines.size(), 2u);
  for (const DrawnItem* line : lines) {
    EXPECT_EQ(line->colour, kRed);
    EXPECT_EQ(line->penWidth, 3);
    EXPECT_FALSE(line->xorMode);
  }
  EXPECT_DOUBLE_EQ(lines[0]->points[0].x, 7);
  EXPECT_DOUBLE_EQ(lines[0]->points[0].y, 0);
  EXPECT_DOUBLE_EQ(lines[0]->points[1].y, 1000);
  EXPECT_DOUBLE_EQ(lines[1]->points[0].x, 0);
  EXPECT_DOUBLE_EQ(lines[1]->points[1].x, 21);
  EXPECT_DOUBLE_EQ(lines[1]->points[1].y, 300);
  const DrawnItem* readout = canvas.findText("Seis Channel : 7  Time : 600.0mS");
  ASSERT_NE(readout, nullptr);
  EXPECT_EQ(readout->colour, kBlue);
  EXPECT_DOUBLE_EQ(readout->points[0].y, 1000 + 0.3 * 15.125);
}

TEST(DisplayOverlay, RubberBandsFromTheDragStart) {
  RecordingCanvas canvas(1000, 800);
  DisplayOverlay overlay;
  overlay.drag = DisplayDrag::Selection;
  overlay.dragFrom = {3, 100};
  overlay.dragTo = {9, 400};
  drawDisplayOverlay(canvas, geometry(), overlay);
  ASSERT_EQ(canvas.items().size(), 1u);
  EXPECT_EQ(canvas.items()[0].kind, Kind::Rectangle);
  EXPECT_DOUBLE_EQ(canvas.items()[0].points[1].x, 9);
  overlay.drag = DisplayDrag::Velocity;
  drawDisplayOverlay(canvas, geometry(), overlay);
  EXPECT_EQ(canvas.items()[1].kind, Kind::Line);
  EXPECT_DOUBLE_EQ(canvas.items()[1].points[1].y, 400);
}

TEST(DisplayAnnotations, MarksOnlyPickedTracesOnScreenAndVelocityAboveTheRightEdge) {
  RecordingCanvas canvas(1000, 800);
  drawDisplayAnnotations(canvas, geometry(), {{4, 25, 20}, "Vel:1000.0m/S ", {}});
  std::vector<const DrawnItem*> marks;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == Kind::Polygon) marks.push_back(&item);
  ASSERT_EQ(marks.size(), 2u);  // trace 25 is not on this page
  EXPECT_DOUBLE_EQ(marks[0]->points[2].x, 4);
  EXPECT_DOUBLE_EQ(marks[1]->points[2].x, 20);
  EXPECT_EQ(marks[0]->colour, kMagenta);
  const DrawnItem* velocity = canvas.findText("Vel:1000.0m/S ");
  ASSERT_NE(velocity, nullptr);
  EXPECT_EQ(velocity->hAlign, HAlign::Right);
  EXPECT_DOUBLE_EQ(velocity->points[0].x, 21);
  EXPECT_LT(velocity->points[0].y, -15.125);  // above the channel labels
}

TEST(DisplayAnnotations, MarkedTracesGetARedTriangleAtTheirFootAndTheirLabel) {
  RecordingCanvas canvas(1000, 800);
  drawDisplayAnnotations(canvas, geometry(), {{}, "", {{6, "D"}, {25, "R"}, {9, "N+S"}}});
  std::vector<const DrawnItem*> feet;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == Kind::Polygon) feet.push_back(&item);
  ASSERT_EQ(feet.size(), 2u);  // trace 25 is not on this page
  EXPECT_EQ(feet[0]->colour, kRed);
  EXPECT_DOUBLE_EQ(feet[0]->points[0].y, geometry().s1);  // base on the trace area's foot
  EXPECT_LT(feet[0]->points[2].y, geometry().s1);         // pointing up into the traces
  EXPECT_DOUBLE_EQ(feet[1]->points[2].x, 9);
  ASSERT_NE(canvas.findText("N+S"), nullptr);
  EXPECT_DOUBLE_EQ(canvas.findText("N+S")->points[0].x, 9);
  EXPECT_EQ(canvas.findText("R"), nullptr);
}

}  // namespace
}  // namespace vorax::app
