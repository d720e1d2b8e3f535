#include "app/multi_trace_view.h"

#include <gtest/gtest.h>

#include "app/display_fixture.h"
#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

std::vector<const DrawnItem*> polylines(const RecordingCanvas& canvas) {
  std::vector<const DrawnItem*> out;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == DrawnItem::Kind::Polyline) out.push_back(&item);
  return out;
}

MultiTraceOptions labelled() {
  MultiTraceOptions options;
  for (std::size_t k = 0; k < kMaxPickedTraces; ++k)
    options.labels[k] = "Trace " + std::to_string(k + 1);
  return options;
}

// Trace 3 holds 0.5, 1, -1, ... ; trace 7 holds 0.25 at sample 1. 2 ms samples.
struct Fixture {
  decode::SegdRecord record = test::makeDisplayRecord(8, 11);
  DisplayState state;
  Fixture() {
    record.samples.at(3, 0) = 0.5f;
    record.samples.at(3, 1) = 1.0f;
    record.samples.at(3, 2) = -1.0f;
    record.samples.at(7, 1) = 0.25f;
    state.displayStartMs = 0;
    state.displayEndMs = 8;  // samples 0..4
    state.pickedTraces = {3, 7};
  }
};

TEST(MultiTraceView, EachSlotStartsOnItsBaseLineScaledByItsFactor) {
  Fixture f;
  f.state.perTraceScale[0] = 0;  // 0 counts as 1
  f.state.perTraceScale[1] = 2;
  RecordingCanvas canvas;
  DrawMultiTraceView(canvas, f.record, f.state, labelled());
  EXPECT_DOUBLE_EQ(canvas.worldWindow().left, 0);
  EXPECT_DOUBLE_EQ(canvas.worldWindow().right, 4);
  EXPECT_DOUBLE_EQ(canvas.worldWindow().top, 3);
  EXPECT_DOUBLE_EQ(canvas.worldWindow().bottom, 0);
  auto lines = polylines(canvas);
  ASSERT_EQ(lines.size(), 2u);
  // Slot 1: 1 + (v - 0.5); slot 2: 2 + 2 x (v - 0).
  std::vector<double> slot1{1, 1.5, -0.5, 0.5, 0.5};
  std::vector<double> slot2{2, 2.5, 2, 2, 2};
  for (std::size_t j = 0; j < 5; ++j) {
    EXPECT_DOUBLE_EQ(lines[0]->points[j].x, static_cast<double>(j));
    EXPECT_DOUBLE_EQ(lines[0]->points[j].y, slot1[j]) << j;
    EXPECT_DOUBLE_EQ(lines[1]->points[j].y, slot2[j]) << j;
  }
}

TEST(MultiTraceView, LabelsOnTheirSideAboveTheBaseLineAndTitleByPosition) {
  Fixture f;
  MultiTraceOptions options = labelled();
  options.labelLeft[1] = false;
  options.titlePosition = TitlePosition::Right;
  RecordingCanvas canvas;  // 800 pixels over 3 units: a 13-pixel label is 0.04875 high
  DrawMultiTraceView(canvas, f.record, f.state, options);
  const DrawnItem* first = canvas.findText("(1) Trace 1");
  const DrawnItem* second = canvas.findText("(2) Trace 2");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->hAlign, HAlign::Left);
  EXPECT_DOUBLE_EQ(first->points[0].x, 0);
  EXPECT_DOUBLE_EQ(first->points[0].y, 1 + 1.1 * 13 * 3 / 800);
  EXPECT_EQ(second->hAlign, HAlign::Right);
  EXPECT_DOUBLE_EQ(second->points[0].x, 4);
  EXPECT_EQ(second->fontFamily, "Arial");
  const DrawnItem* title = canvas.findText("Multi Trace Display");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->hAlign, HAlign::Right);
  EXPECT_DOUBLE_EQ(title->points[0].x, 4);
  EXPECT_LT(title->points[0].y, 3);
}

TEST(MultiTraceView, TimeLabelsInMillisecondsWithOneDecimal) {
  Fixture f;
  RecordingCanvas canvas;
  DrawMultiTraceView(canvas, f.record, f.state, labelled());
  // Samples 0..4: a step of 0.5 samples (1 ms) gives eight intervals.
  for (const char* text : {"0.0mS ", "1.0mS ", "3.0mS ", "8.0mS "}) {
    const DrawnItem* label = canvas.findText(text);
    ASSERT_NE(label, nullptr) << text;
    EXPECT_EQ(label->fontFamily, "MS Sans Serif");
  }
  EXPECT_EQ(canvas.findText("0.0mS ")->hAlign, HAlign::Left);
  EXPECT_EQ(canvas.findText("8.0mS ")->hAlign, HAlign::Right);
}

TEST(MultiTraceView, NumericsAnnotateEverySampleOnlyUnderFiftySamples) {
  Fixture f;
  MultiTraceOptions options = labelled();
  options.numerics = true;
  RecordingCanvas shortView;
  DrawMultiTraceView(shortView, f.record, f.state, options);
  EXPECT_NE(shortView.findText("0.500"), nullptr);
  EXPECT_NE(shortView.findText("-1.000"), nullptr);
  EXPECT_NE(shortView.findText("0.250"), nullptr);

  decode::SegdRecord longRecord = test::makeDisplayRecord(8, 101);
  longRecord.samples.at(3, 0) = 0.5f;
  f.state.displayEndMs = 100;  // 50 samples: not fewer than 50
  RecordingCanvas longView;
  DrawMultiTraceView(longView, longRecord, f.state, options);
  EXPECT_EQ(longView.findText("0.500"), nullptr);

  options.numerics = false;
  RecordingCanvas off;
  DrawMultiTraceView(off, f.record, f.state, options);
  EXPECT_EQ(off.findText("0.500"), nullptr);
}

TEST(MultiTraceView, PicksOutsideTheRecordKeepTheirSlotEmpty) {
  Fixture f;
  f.state.pickedTraces = {3, 99};
  RecordingCanvas canvas;
  DrawMultiTraceView(canvas, f.record, f.state, labelled());
  EXPECT_EQ(polylines(canvas).size(), 1u);
  EXPECT_NE(canvas.findText("(2) Trace 2"), nullptr);
  EXPECT_DOUBLE_EQ(canvas.worldWindow().top, 3);
}

}  // namespace
}  // namespace vorax::app
