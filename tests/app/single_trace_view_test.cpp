#include "app/single_trace_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/display_fixture.h"
#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

constexpr float kLength = 3000;

struct ButtonCase {
  const char* what;
  ViewButton button;
  float start, end, scale;
  float wantStart, wantEnd, wantScale;
};

TEST(SingleTraceButtons, ChangeTheWindowAndScaleAsWorkedByHand) {
  const ButtonCase cases[] = {
      {"<> halves about the centre", ViewButton::ZoomIn, 0, 3000, 1, 750, 2250, 1},
      {">< doubles about the centre", ViewButton::ZoomOut, 750, 2250, 1, 0, 3000, 1},
      {">< past both ends is limited", ViewButton::ZoomOut, 0, 3000, 1, 0, 3000, 1},
      {"|< doubles the end", ViewButton::StartDouble, 500, 1000, 1, 0, 2000, 1},
      {"|< past the end stops there", ViewButton::StartDouble, 0, 2000, 1, 0, 3000, 1},
      {"|> halves the end", ViewButton::StartHalve, 200, 3000, 1, 0, 1500, 1},
      {"|---| shows the whole trace", ViewButton::WholeTrace, 100, 200, 2, 0, 3000, 2},
      {"-> moves a tenth later", ViewButton::ShiftRight, 1000, 2000, 1, 1100, 2100, 1},
      {"-> at the end keeps the width", ViewButton::ShiftRight, 2100, 3000, 1, 2100, 3000, 1},
      {"-> near the end ends at it", ViewButton::ShiftRight, 2050, 2950, 1, 2100, 3000, 1},
      {"<- moves a tenth earlier", ViewButton::ShiftLeft, 1000, 2000, 1, 900, 1900, 1},
      {"<- near 0 keeps the width from 0", ViewButton::ShiftLeft, 50, 1050, 1, 0, 1000, 1},
      {"+ multiplies by 1.5", ViewButton::ScaleUp, 0, 3000, 2, 0, 3000, 3},
      {"- divides by 1.5", ViewButton::ScaleDown, 0, 3000, 3, 0, 3000, 2},
      {"R resets the scale", ViewButton::ResetScale, 0, 3000, 2.25f, 0, 3000, 1},
  };
  for (const ButtonCase& c : cases) {
    SingleTraceState state;
    state.viewStartMs = c.start;
    state.viewEndMs = c.end;
    state.viewScale = c.scale;
    applyViewButton(state, c.button, {0, kLength});
    EXPECT_FLOAT_EQ(state.viewStartMs, c.wantStart) << c.what;
    EXPECT_FLOAT_EQ(state.viewEndMs, c.wantEnd) << c.what;
    EXPECT_FLOAT_EQ(state.viewScale, c.wantScale) << c.what;
  }
}

TEST(SingleTraceButtons, HalvingThreeTimesFrom3000msShows0To375) {
  SingleTraceState state;
  state.viewEndMs = 3000;
  for (int n = 0; n < 3; ++n) applyViewButton(state, ViewButton::StartHalve, {0, kLength});
  EXPECT_EQ(state.viewStartMs, 0);
  EXPECT_EQ(state.viewEndMs, 375);
}

TEST(SingleTraceButtons, ShiftingRightRepeatedlyEndsExactlyAtTheRecordLength) {
  SingleTraceState state;
  state.viewStartMs = 1000;
  state.viewEndMs = 1700;
  for (int n = 0; n < 40; ++n) applyViewButton(state, ViewButton::ShiftRight, {0, kLength});
  EXPECT_EQ(state.viewEndMs, kLength);
  EXPECT_FLOAT_EQ(state.viewEndMs - state.viewStartMs, 700);
}

TEST(SingleTraceButtons, AnyWindowIsHeldInsideTheRecord) {
  const decode::SegdRecord record = test::makeDisplayRecord(1, 100, 1000);  // 0..99 ms
  const float nan = std::nanf("");
  const float inf = INFINITY;
  const std::pair<float, float> windows[] = {
      {nan, 5}, {-5, 1e30f}, {50, 10}, {inf, -inf}, {0, nan}};
  dsp::Fft fft;
  for (auto [start, end] : windows) {
    SingleTraceState state = openSingleTrace(record, 1);
    state.viewStartMs = start;
    state.viewEndMs = end;
    state.viewScale = nan;
    EXPECT_LE(traceFrequencyVsTime(record, state, fft).size(), 2u);  // at most 100 samples / 50
    limitViewWindow(state, recordTimesOf(record));
    EXPECT_GE(state.viewStartMs, 0);
    EXPECT_LT(state.viewStartMs, state.viewEndMs);
    EXPECT_LE(state.viewEndMs, 99);
    EXPECT_EQ(state.viewScale, 1);
  }
}

TEST(SingleTraceNumerics, AreOfferedBelow150SamplesOnly) {
  decode::SegdRecord record = test::makeDisplayRecord(2, 1000, 1000);  // 1 ms
  SingleTraceState state = openSingleTrace(record, 1);
  state.viewEndMs = 148;  // samples 0..148: 149
  EXPECT_EQ(samplesInWindow(record, state.viewStartMs, state.viewEndMs), 149);
  EXPECT_TRUE(numericsAllowed(record, state));
  state.viewEndMs = 149;  // 150 samples
  EXPECT_FALSE(numericsAllowed(record, state));

  state.numericsOn = true;
  RecordingCanvas canvas;
  DrawSingleTrace(canvas, record, state);
  EXPECT_FALSE(state.numericsOn);
}

// Trace 1: stored 0.5, 0 (peak-normalised, divided by 1): RMS sqrt(0.25 / 1) = 0.5 mV.
// Trace 2: stored 0.5, -1, 0.5 times divisor 2 = 1, -2, 1 mV: sqrt(6 / 2) mV.
decode::SegdRecord rmsRecord(std::int32_t samples) {
  decode::SegdRecord record = test::makeDisplayRecord(2, samples, 1000);
  record.traceDivisor = {1, 1, 2};
  record.samples.at(1, 0) = 0.5f;
  record.samples.at(2, 0) = 0.5f;
  if (samples > 1) record.samples.at(2, 1) = -1;
  if (samples > 2) record.samples.at(2, 2) = 0.5f;
  return record;
}

TEST(SingleTraceRms, DividesByNMinusOneInRecordedMillivolts) {
  EXPECT_DOUBLE_EQ(traceRms(rmsRecord(2), 1), 0.5);
  EXPECT_DOUBLE_EQ(traceRms(rmsRecord(3), 2), std::sqrt(3.0));
  EXPECT_DOUBLE_EQ(traceRms(rmsRecord(1), 2), 1.0);  // one sample: |x|, not a division by 0
  EXPECT_EQ(traceRms(rmsRecord(2), 5), 0);           // no such trace
}

TEST(SingleTraceRms, TextIsInMillivoltsFromOneAndInMicrovoltsBelow) {
  float factor = 0;
  EXPECT_EQ(traceRmsText(0.5, factor), "Trace RMS 500uV");
  EXPECT_EQ(factor, 1000);
  EXPECT_EQ(traceRmsText(2, factor), "Trace RMS 2mV");
  EXPECT_EQ(factor, 1);
  EXPECT_EQ(traceRmsText(1, factor), "Trace RMS 1mV");
}

TEST(DrawSingleTrace, DrawsTheWindowsSamplesCaptionsAndNumericsInTheRmsUnit) {
  decode::SegdRecord record = rmsRecord(2);
  record.traceInfo[1].receiverPoint = 2017;
  record.traceInfo[1].unitSerialNumber = 41000004;
  SingleTraceState state = openSingleTrace(record, 1);
  state.numericsOn = true;
  state.viewScale = 0.5f;
  RecordingCanvas canvas;
  const PlotGeometry plot = DrawSingleTrace(canvas, record, state);
  ASSERT_TRUE(plot.hasData);
  EXPECT_EQ(plot.data.left, 0);
  EXPECT_EQ(plot.data.right, 1);  // samples 0..1 of a 1 ms record 1 ms long
  for (const char* caption : {"Channel 1", "Line 1", "Point 2017", "Trace RMS 500uV",
                              "FDU 41000004", "500.0 uV", "0.0 uV", "0.0mS "})
    EXPECT_NE(canvas.findText(caption), nullptr) << caption;
  EXPECT_EQ(state.rmsUnitFactor, 1000);
  const DrawnItem* trace = nullptr;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == DrawnItem::Kind::Polyline && item.colour == kBlack) trace = &item;
  ASSERT_NE(trace, nullptr);
  ASSERT_EQ(trace->points.size(), 2u);
  EXPECT_DOUBLE_EQ(trace->points[0].y, 0.5);  // scale 0.5 x normalised 1
  EXPECT_DOUBLE_EQ(trace->points[1].y, 0);
}

// Values at the frame's top and bottom would run out of it over the captions and time labels:
// they are written on the inner side of their samples; the others keep the side of their sign
// (rotated text left-aligned runs upwards from its sample, right-aligned downwards).
TEST(DrawSingleTrace, NumericsStayInsideTheFrame) {
  decode::SegdRecord record = test::makeDisplayRecord(1, 4, 1000);
  const float values[] = {1, -1, 0.1f, -0.1f};  // peak 1: drawn at y 1, -1, 0.1, -0.1
  for (std::int32_t j = 0; j < 4; ++j) record.samples.at(1, j) = values[j];
  SingleTraceState state = openSingleTrace(record, 1);
  state.numericsOn = true;
  RecordingCanvas canvas;
  DrawSingleTrace(canvas, record, state);
  std::vector<HAlign> sides;
  for (const DrawnItem* item : canvas.texts())
    if (item->angle == 90) sides.push_back(item->hAlign);
  EXPECT_EQ(sides, (std::vector<HAlign>{HAlign::Right, HAlign::Left, HAlign::Left, HAlign::Right}));
}

TEST(DrawSingleTrace, TheStartTimeIsCaptionedWhenTracesStartApart) {
  decode::SegdRecord record = rmsRecord(2);
  record.traceInfo[1].startTimeUtcUs = 1502294400380000;  // 2017-08-09 16:00:00.38 UTC
  record.traceInfo[2].startTimeUtcUs = 1502294400380000;
  const auto captionOf = [&](std::int32_t trace) {
    SingleTraceState state = openSingleTrace(record, trace);
    RecordingCanvas canvas;
    DrawSingleTrace(canvas, record, state);
    for (const DrawnItem* item : canvas.texts())
      if (item->text.rfind("Start ", 0) == 0) return item->text;
    return std::string();
  };
  EXPECT_EQ(captionOf(2), "");  // both traces start together: no caption
  record.traceInfo[2].startTimeUtcUs = 1502294430380000;
  EXPECT_EQ(captionOf(1), "Start 2017-08-09T16:00:00.380Z");
  EXPECT_EQ(captionOf(2), "Start 2017-08-09T16:00:30.380Z");
}

// A record starting 50 ms before the shot, 1 ms interval, samples 0..299: -50..249 ms. The
// window, its buttons, the time labels and the F vs T points are in the record's times.
TEST(SingleTraceStartTime, WindowLabelsAndPointsAreTheRecordsTimes) {
  decode::SegdRecord record = test::makeDisplayRecord(1, 300, 1000);
  record.startTimeMs = -50;
  SingleTraceState state = openSingleTrace(record, 1);
  EXPECT_FLOAT_EQ(state.viewStartMs, -50);
  EXPECT_FLOAT_EQ(state.viewEndMs, 249);
  EXPECT_EQ(samplesInWindow(record, -50, -41), 10);  // samples 0..9
  const RecordTimes times = recordTimesOf(record);
  applyViewButton(state, ViewButton::StartHalve, times);  // from -50, half of 299 ms
  EXPECT_FLOAT_EQ(state.viewStartMs, -50);
  EXPECT_FLOAT_EQ(state.viewEndMs, 99.5f);
  applyViewButton(state, ViewButton::ShiftLeft, times);  // already at the start
  EXPECT_FLOAT_EQ(state.viewStartMs, -50);
  applyViewButton(state, ViewButton::WholeTrace, times);

  RecordingCanvas canvas;
  const PlotGeometry plot = DrawSingleTrace(canvas, record, state);
  EXPECT_EQ(plot.data.left, 0);
  EXPECT_EQ(plot.data.right, 299);
  const DrawnItem* zero = canvas.findText("0.0mS ");
  ASSERT_NE(zero, nullptr);  // time 0 is sample 50
  EXPECT_DOUBLE_EQ(zero->points[0].x, 50);
  EXPECT_EQ(canvas.findText("250.0mS "), nullptr);  // past the end

  dsp::Fft fft;
  const std::vector<FrequencyPoint> points = traceFrequencyVsTime(record, state, fft);
  ASSERT_GE(points.size(), 2u);
  EXPECT_DOUBLE_EQ(points[0].timeMs, -50);  // sample 0
  EXPECT_DOUBLE_EQ(points[1].timeMs, 0);    // sample 50
  state.viewMode = SingleTraceMode::FrequencyVsTime;
  EXPECT_EQ(timeFrequencyCaption(record, state), "Channel 1    F vs T    -50 - 249.0mS ");
}

}  // namespace
}  // namespace vorax::app
