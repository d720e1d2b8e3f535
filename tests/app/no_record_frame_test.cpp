#include "app/no_record_frame.h"

#include <gtest/gtest.h>

#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

TEST(NoRecordFrame, IsABoxFrom0To100InAWindowWithMarginsOf10) {
  RecordingCanvas canvas;
  drawNoRecordFrame(canvas);
  const WorldWindow w = canvas.worldWindow();
  EXPECT_EQ(w.left, -10);
  EXPECT_EQ(w.top, 110);
  EXPECT_EQ(w.right, 110);
  EXPECT_EQ(w.bottom, -10);
  ASSERT_EQ(canvas.items().size(), 2u);
  EXPECT_EQ(canvas.items()[0].kind, DrawnItem::Kind::Clear);
  const DrawnItem& box = canvas.items()[1];
  EXPECT_EQ(box.kind, DrawnItem::Kind::Rectangle);
  ASSERT_EQ(box.points.size(), 2u);
  EXPECT_EQ(box.points[0].x, 0);
  EXPECT_EQ(box.points[0].y, 0);
  EXPECT_EQ(box.points[1].x, 100);
  EXPECT_EQ(box.points[1].y, 100);
  EXPECT_EQ(box.colour, kBlack);
}

TEST(NoRecordFrame, StartScreenAddsTheOpeningHintInTheMiddle) {
  RecordingCanvas canvas;
  drawStartScreen(canvas);
  const DrawnItem* hint = canvas.findText("Open a record (Ctrl+O) or drop one here");
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->points[0].x, 50);
  EXPECT_EQ(hint->points[0].y, 50);
  EXPECT_EQ(hint->hAlign, HAlign::Centre);
}

}  // namespace
}  // namespace vorax::app
