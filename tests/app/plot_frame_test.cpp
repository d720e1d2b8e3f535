#include "app/plot_frame.h"

#include <gtest/gtest.h>

#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

TEST(PlotFrame, BottomLabelsThatWouldTouchAreLeftOutAndTheRestStayInside) {
  RecordingCanvas canvas(200, 100);
  canvas.setFont("Small Fonts", 10, false);  // a 5-letter label is 30 pixels, a step 20
  PlotRect data{0, 100, 0, 1};
  setPlotWindow(canvas, data, {});
  drawBottomTicks(
      canvas, data, 0, 100, 10, [](double) { return std::string("LLLLL"); }, false);
  const std::vector<const DrawnItem*> labels = canvas.texts();
  ASSERT_GE(labels.size(), 3u);
  const double width = canvas.measureText("LLLLL").width;
  double previousEnd = -1;
  for (const DrawnItem* label : labels) {
    double left = label->points[0].x;
    if (label->hAlign == HAlign::Centre) left -= width / 2;
    if (label->hAlign == HAlign::Right) left -= width;
    EXPECT_GE(left, 0);
    EXPECT_LE(left + width, 100);
    EXPECT_GT(left, previousEnd);
    previousEnd = left + width;
  }
  EXPECT_EQ(labels.front()->points[0].x, 0);
}

TEST(PlotFrame, DataPointsComeBackFromThePixelsOfTheWindowSetForThem) {
  RecordingCanvas canvas(300, 200);
  PlotRect data{10, 20, -1, 1};
  PlotGeometry plot{setPlotWindow(canvas, data, {50, 20, 50, 30}), data, true};
  const std::optional<PointF> corner =
      plot.dataPointAt(300, 200, {50, 20});  // top left of the data
  ASSERT_TRUE(corner);
  EXPECT_NEAR(corner->x, 10, 1e-9);
  EXPECT_NEAR(corner->y, 1, 1e-9);
  EXPECT_FALSE(plot.dataPointAt(300, 200, {10, 100}));  // in the left margin
}

}  // namespace
}  // namespace vorax::app
