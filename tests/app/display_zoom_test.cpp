#include "app/display_zoom.h"

#include <gtest/gtest.h>

#include "app/display_fixture.h"

namespace vorax::app {
namespace {

// 100 traces of 1001 samples at 2 ms starting 50 ms before the shot: -50..1950 ms.
decode::SegdRecord record() {
  decode::SegdRecord r = test::makeDisplayRecord(100, 1001);
  r.startTimeMs = -50;
  return r;
}

TEST(DisplayZoom, RectangleEitherWayRoundAndAClickIsNoZoom) {
  const decode::SegdRecord r = record();
  EXPECT_EQ(rectangleView(r, 40, 300, 10, 100), (DisplayView{10, 40, 150, 550}));
  EXPECT_EQ(rectangleView(r, 10, 100, 40, 300), (DisplayView{10, 40, 150, 550}));
  EXPECT_FALSE(rectangleView(r, 10, 100, 40, 101));
  EXPECT_EQ(wholeRecordView(r), (DisplayView{0, 100, -50, 1950}));
}

TEST(DisplayZoom, TimeAboutThePointerStaysInsideTheRecord) {
  const decode::SegdRecord r = record();
  const DisplayView view{0, 60, 0, 1000};
  EXPECT_EQ(timeZoomedView(r, view, 500, 0.5), (DisplayView{0, 60, 250, 750}));
  EXPECT_EQ(timeZoomedView(r, view, 0, 0.5), (DisplayView{0, 60, 0, 500}));
  // Out past the start: slid back to the record's first sample, then cut at its last.
  EXPECT_EQ(timeZoomedView(r, view, 100, 2), (DisplayView{0, 60, -50, 1950}));
  EXPECT_EQ(timeZoomedView(r, view, 700, 1e-6), (DisplayView{0, 60, 698, 702}));  // two samples
}

TEST(DisplayZoom, TracesAboutThePointerKeepAtLeastOneAndStayInTheRecord) {
  const decode::SegdRecord r = record();
  EXPECT_EQ(traceZoomedView(r, {20, 60, 0, 1000}, 40, 0.5), (DisplayView{30, 50, 0, 1000}));
  EXPECT_EQ(traceZoomedView(r, {30, 31, 0, 1000}, 30, 0.01), (DisplayView{30, 30, 0, 1000}));
  EXPECT_EQ(traceZoomedView(r, {80, 100, 0, 1000}, 100, 2), (DisplayView{60, 100, 0, 1000}));
  EXPECT_EQ(traceZoomedView(r, {0, 60, 0, 1000}, 1, 10), (DisplayView{0, 100, 0, 1000}));
}

TEST(DisplayZoom, ZoomOutStepsBackThroughEveryZoom) {
  DisplayState state;
  showView({0, 60, 0, 3000}, state);
  zoomTo({10, 20, 100, 200}, state);
  zoomTo({10, 20, 100, 200}, state);  // the same view: nothing to remember
  zoomTo({12, 18, 120, 180}, state);
  EXPECT_EQ(state.zoomHistory.size(), 2u);
  ASSERT_TRUE(zoomOut(state));
  EXPECT_EQ(viewOf(state), (DisplayView{10, 20, 100, 200}));
  ASSERT_TRUE(zoomOut(state));
  EXPECT_EQ(viewOf(state), (DisplayView{0, 60, 0, 3000}));
  EXPECT_FALSE(zoomOut(state));
}

}  // namespace
}  // namespace vorax::app
