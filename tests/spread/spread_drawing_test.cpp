#include "spread/spread_drawing.h"

#include <gtest/gtest.h>

#include "app/recording_canvas.h"
#include "spread/spread_record.h"

namespace vorax::spread {
namespace {

using app::DrawnItem;
using test::filled;

TEST(SpreadLayoutTest, WorldWindowAndBoxesFromTheExtentAndTheLineCount) {
  // Points 101..140 on lines 1..3: x span 40, y span 3.
  const SpreadLayout l = computeSpreadLayout(test::makeGridRecord(3, 40));
  EXPECT_EQ(l.xmin, 101);
  EXPECT_EQ(l.xmax, 140);
  EXPECT_EQ(l.ymin, 1);
  EXPECT_EQ(l.ymax, 3);
  EXPECT_DOUBLE_EQ(l.worldWidth, 52);
  EXPECT_DOUBLE_EQ(l.worldHeight, 3.9);
  EXPECT_DOUBLE_EQ(l.worldLeft, 96.5);     // boxes from 100.5, a third of 12 spare to the left
  EXPECT_DOUBLE_EQ(l.worldTop, 3.95);      // boxes to 3.5, half of 0.9 spare above
  EXPECT_DOUBLE_EQ(l.boxHalfHeight, 0.1);  // fewer than 10 lines: 3 / 10 / 3
  EXPECT_DOUBLE_EQ(l.boxHalfWidth, 0.5);
  const LegendFrame f = legendFrameOf(l);
  EXPECT_DOUBLE_EQ(f.left, 96.5 + 52 - 4 * 52.0 / 30);
  EXPECT_NEAR(f.right - f.left, 52.0 / 30, 1e-12);
  EXPECT_NEAR(f.top, 3.95 - 3.9 + 1.5 * 3.9 / 4, 1e-12);
  EXPECT_NEAR(f.height(), 3.9 / 4, 1e-12);
  // The half height by line count: lines / 10 / 3 below ten lines, lines / (lines + 1) / 3
  // from ten on.
  for (auto [lines, half] :
       {std::pair{9, 9.0 / 10 / 3}, std::pair{10, 10.0 / 11 / 3}, std::pair{11, 11.0 / 12 / 3}})
    EXPECT_DOUBLE_EQ(computeSpreadLayout(test::makeGridRecord(lines, 2)).boxHalfHeight, half)
        << lines;
}

TEST(SpreadMapPicture, AllLinesZeroDrawNoBoxesAndKeepTheStartExtent) {
  const auto record = test::makeSpreadRecord({{0, 5}, {0, 6}});
  const SpreadLayout l = computeSpreadLayout(record);
  EXPECT_EQ(l.xmin, -1);
  EXPECT_EQ(l.xmax, -1);
  EXPECT_EQ(l.ymin, -1);
  EXPECT_EQ(l.ymax, -1);
  app::RecordingCanvas canvas;
  const SpreadMap map = computeSpreadMap(record, MapKind::Resistance, {});
  drawSpreadMap(canvas, record, l, map, {});
  // Nothing is filled: no trace holds a test value, and the picture says so.
  EXPECT_TRUE(filled(canvas).empty());
  EXPECT_NE(canvas.findText(kNoTestValuesMessage), nullptr);
  EXPECT_NE(canvas.findText("Resistance"), nullptr);
  EXPECT_EQ(canvas.findText(" 0"), nullptr);  // no label for line 0
}

TEST(SpreadMapPicture, BoxesTouchLegendRowsShareTheFrameLabelsSitOnTheirLines) {
  auto record = test::makeGridRecord(2, 3);  // points 101..103, lines 1..2
  record.traceInfo[6].resistanceError = 1;   // code 8: red
  const SpreadLayout l = computeSpreadLayout(record);
  const SpreadMap map = computeSpreadMap(record, MapKind::Errors, {});
  app::RecordingCanvas canvas;
  drawSpreadMap(canvas, record, l, map, {});

  const auto fills = filled(canvas);
  ASSERT_EQ(fills.size(), 6u + 7u);
  // Trace 6 (line 2, point 103): x 102.5..103.5, y 2 -/+ 2/10/3.
  const DrawnItem& box = *fills[5];
  EXPECT_EQ(box.colour, app::kRed);
  EXPECT_DOUBLE_EQ(box.points[0].x, 102.5);
  EXPECT_DOUBLE_EQ(box.points[1].x, 103.5);
  EXPECT_NEAR(box.points[0].y, 2 + 2.0 / 30, 1e-12);
  EXPECT_NEAR(box.points[1].y, 2 - 2.0 / 30, 1e-12);
  EXPECT_DOUBLE_EQ(fills[4]->points[1].x, box.points[0].x);  // neighbours touch

  const LegendFrame f = legendFrameOf(l);
  const DrawnItem& firstSwatch = *fills[6];
  const DrawnItem& lastSwatch = *fills[12];
  EXPECT_DOUBLE_EQ(firstSwatch.points[0].y, f.top);
  EXPECT_NEAR(lastSwatch.points[1].y, f.bottom, 1e-12);
  EXPECT_NEAR(firstSwatch.points[0].y - firstSwatch.points[1].y, f.height() / 7, 1e-12);
  const DrawnItem* other = canvas.findText(" Other");
  ASSERT_NE(other, nullptr);
  EXPECT_DOUBLE_EQ(other->points[0].x, f.right);

  // Line label " 2": left edge of the world, centred on y = 2 (text height 8 pt in world units).
  const DrawnItem* line2 = canvas.findText(" 2");
  ASSERT_NE(line2, nullptr);
  EXPECT_DOUBLE_EQ(line2->points[0].x, l.worldLeft);
  const double textHeight = 8 * 96.0 / 72 * l.worldHeight / canvas.pixelHeight();
  EXPECT_NEAR(line2->points[0].y, 2 + textHeight / 2, 1e-9);
}

TEST(SpreadLayoutTest, ANarrowSpreadKeepsItsBoxesInsideTheWindow) {
  // Two points: a step of 0.2 would label between boxes; boxes from 0.5 to 2.5.
  const auto record = test::makeSpreadRecord({{1, 1}, {1, 2}});
  const SpreadLayout l = computeSpreadLayout(record);
  EXPECT_LT(l.worldLeft, 0.5);
  EXPECT_GT(legendFrameOf(l).left, 2.5);
  app::RecordingCanvas canvas;
  drawPointLabels(canvas, l);
  ASSERT_EQ(canvas.texts().size(), 2u);
  EXPECT_EQ(canvas.texts()[0]->text, "1");
  EXPECT_EQ(canvas.texts()[1]->text, "2");
}

TEST(SpreadMapPicture, PointLabelsAreMultiplesOfTheStepInsideTheSpreadWrittenUpwards) {
  // Points 101..140: CHOOSESTEP(101, 140) = 5 (39 / 5 nearest to 10): 105, 110, ... 140.
  const auto record = test::makeGridRecord(1, 40);
  const SpreadLayout l = computeSpreadLayout(record);
  app::RecordingCanvas canvas;
  drawPointLabels(canvas, l);
  const auto texts = canvas.texts();
  ASSERT_EQ(texts.size(), 8u);
  EXPECT_EQ(texts.front()->text, "105");
  EXPECT_EQ(texts.back()->text, "140");
  EXPECT_EQ(texts.front()->angle, 90);
  EXPECT_DOUBLE_EQ(texts.front()->points[0].y, l.worldBottom() + l.boxHalfHeight);
}

}  // namespace
}  // namespace vorax::spread
