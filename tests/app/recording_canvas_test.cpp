#include "app/recording_canvas.h"

#include <gtest/gtest.h>

namespace vorax::app {
namespace {

TEST(WorldMapping, MapsBothWaysWithYDownOrUp) {
  WorldMapping down{{-10, 110, 110, -10}, 1200, 1200};
  PointF d = down.toDevice({0, 100});
  EXPECT_DOUBLE_EQ(d.x, 100);
  EXPECT_DOUBLE_EQ(d.y, 100);
  PointF w = down.toWorld({600, 600});
  EXPECT_DOUBLE_EQ(w.x, 50);
  EXPECT_DOUBLE_EQ(w.y, 50);
  EXPECT_DOUBLE_EQ(down.worldPerPixelY(), 0.1);
}

TEST(RecordingCanvas, RecordsPenStateAndMeasuresInWorldUnits) {
  RecordingCanvas canvas(1000, 500);
  canvas.setWorldWindow({0, 0, 100, 50});
  canvas.setPen(kRed, 3, PenStyle::Dotted, true);
  canvas.line({1, 2}, {3, 4});
  canvas.setFont("Arial", 10, false);
  canvas.text({5, 5}, "Hello", HAlign::Right, VAlign::Centre, 0);
  ASSERT_EQ(canvas.items().size(), 2u);
  EXPECT_EQ(canvas.items()[0].colour, kRed);
  EXPECT_TRUE(canvas.items()[0].xorMode);
  EXPECT_EQ(canvas.items()[0].penStyle, PenStyle::Dotted);
  ASSERT_NE(canvas.findText("Hello"), nullptr);
  TextExtent e = canvas.measureText("Hello");
  EXPECT_DOUBLE_EQ(e.width, 5 * 6 * 0.1);  // 30 px at 0.1 world units per pixel
  EXPECT_DOUBLE_EQ(e.height, 10 * 0.1);
}

}  // namespace
}  // namespace vorax::app
