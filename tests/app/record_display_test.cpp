#include "app/record_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/density_drawing.h"
#include "app/display_fixture.h"
#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

using Kind = DrawnItem::Kind;

std::vector<const DrawnItem*> itemsOf(const RecordingCanvas& canvas, Kind kind) {
  std::vector<const DrawnItem*> out;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == kind) out.push_back(&item);
  return out;
}

// The wiggle polylines, one per drawn trace, in drawing order.
std::vector<const DrawnItem*> wiggles(const RecordingCanvas& canvas) {
  return itemsOf(canvas, Kind::Polyline);
}

// Largest |x - trace| over a wiggle's points: the excursion in trace spacings.
double largestExcursion(const DrawnItem& wiggle, double trace) {
  double largest = 0;
  for (const PointF& p : wiggle.points) largest = std::max(largest, std::abs(p.x - trace));
  return largest;
}

// Time-axis labels: texts right-aligned against the trace area's left edge x0.
std::vector<std::string> timeLabels(const RecordingCanvas& canvas, double x0) {
  std::vector<std::string> out;
  for (const DrawnItem* t : canvas.texts())
    if (t->hAlign == HAlign::Right && t->points[0].x == x0) out.push_back(t->text);
  return out;
}

DisplayState page(std::int32_t first, std::int32_t last, float startMs, float endMs, float gainDb) {
  DisplayState state;
  state.firstTrace = first;
  state.lastTrace = last;
  state.displayStartMs = startMs;
  state.displayEndMs = endMs;
  state.displayGainDb = gainDb;
  return state;
}

DisplayOptions options(bool fixedGain, float clip, bool ignoreTilt = false) {
  DisplayOptions o;
  o.balance = fixedGain ? TraceBalance::None : TraceBalance::Peak;
  o.clip = clip;
  o.ignoreTiltErrors = ignoreTilt;
  return o;
}

TEST(RecordDisplayWindow, MarginsAroundTheTraceAreaAndRoomForThePanelOnTheRight) {
  decode::SegdRecord record = test::makeDisplayRecord(40, 1001);
  RecordingCanvas canvas(1000, 800);
  RecordDisplayGeometry g =
      DrawRecordDisplay(canvas, record, page(0, 20, 0, 2000, 0), options(false, 1));
  // x0 = 0, x1 = 21, mx = 1.05; s0 = 0, s1 = 1000, my = 50.
  EXPECT_EQ(g.x0, 0);
  EXPECT_EQ(g.x1, 21);
  EXPECT_DOUBLE_EQ(g.world.left, -1.05);
  EXPECT_DOUBLE_EQ(g.world.right, 21 + 2.5 * 1.05);
  EXPECT_DOUBLE_EQ(g.world.top, -50);
  EXPECT_DOUBLE_EQ(g.world.bottom, 1050);
  auto boxes = itemsOf(canvas, Kind::Rectangle);
  ASSERT_FALSE(boxes.empty());
  EXPECT_DOUBLE_EQ(boxes[0]->points[1].x, 21);
  EXPECT_DOUBLE_EQ(boxes[0]->points[1].y, 1000);
}

TEST(RecordDisplayWindow, OnlyTracesTheRecordHoldsAreDrawnAndTheEndIsClampedToThem) {
  decode::SegdRecord record = test::makeDisplayRecord(10, 11);
  record.summary.traceCount = 98;  // declared, but the damaged file held only 10
  RecordingCanvas canvas;
  RecordDisplayGeometry g =
      DrawRecordDisplay(canvas, record, page(0, 60, 0, 20, 0), options(false, 1));
  EXPECT_EQ(g.x1, 11);
  ASSERT_EQ(wiggles(canvas).size(), 10u);
  EXPECT_DOUBLE_EQ(wiggles(canvas).front()->points[0].x, 1);
  EXPECT_DOUBLE_EQ(wiggles(canvas).back()->points[0].x, 10);
}

TEST(RecordDisplayWindow, ARecordWithoutSampleIntervalShowsTheEmptyFrame) {
  decode::SegdRecord record = test::makeDisplayRecord(5, 11, 0);
  RecordingCanvas canvas;
  RecordDisplayGeometry g =
      DrawRecordDisplay(canvas, record, page(0, 5, 0, 20, 0), options(false, 1));
  EXPECT_FALSE(g.hasTraces);
  EXPECT_TRUE(wiggles(canvas).empty());
  EXPECT_DOUBLE_EQ(canvas.worldWindow().top, 110);
}

// The x of trace `trace`'s wiggle at sample `sample`, less the trace's axis.
double excursionAt(const DrawnItem& wiggle, double trace, double sample) {
  for (const PointF& p : wiggle.points)
    if (p.y == sample) return p.x - trace;
  ADD_FAILURE() << "no point at sample " << sample;
  return 0;
}

TEST(RecordDisplayGain, AuxiliaryFirstTraceMeansNoGainOnAnyTrace) {
  decode::SegdRecord record = test::makeDisplayRecord(3, 11);
  for (std::int32_t t = 1; t <= 3; ++t) {
    record.samples.at(t, 5) = 0.1f;
    record.samples.at(t, 8) = -1.0f;  // each trace normalised to peak 1, as loaded
  }
  RecordingCanvas seismic;
  DrawRecordDisplay(seismic, record, page(0, 3, 0, 20, 20), options(false, 4));
  // 20 dB is a factor 10: 0.1 becomes a full trace spacing.
  EXPECT_NEAR(excursionAt(*wiggles(seismic)[2], 3, 5), 1.0, 1e-6);

  record.traceInfo[1].channelKind = "Aux";
  RecordingCanvas auxFirst;
  DrawRecordDisplay(auxFirst, record, page(0, 3, 0, 20, 20), options(false, 4));
  for (std::size_t n = 0; n < 3; ++n)
    EXPECT_NEAR(excursionAt(*wiggles(auxFirst)[n], static_cast<double>(n + 1), 5), 0.1, 1e-6);
}

// Sercel and SEG-2 records put their auxiliary traces first: the gain then follows the first
// seismic trace. VORAX records keep the trace-1 rule.
TEST(RecordDisplayGain, OtherFlavoursWithAuxiliaryTracesFirstDecideByTheFirstSeismicTrace) {
  decode::SegdRecord record = test::makeDisplayRecord(3, 11);
  for (std::int32_t t = 1; t <= 3; ++t) {
    record.samples.at(t, 5) = 0.1f;
    record.samples.at(t, 8) = -1.0f;
  }
  record.traceInfo[1].channelKind = "Aux";
  record.traceInfo[2].channelKind = "Aux";
  record.traceInfo[3].channelKind = "Unde";  // as real Sercel records often say
  struct Case {
    decode::RecordFlavour flavour;
    std::int32_t auxTraces;
    double excursion;  // of sample 5 at 20 dB: 0.1 x 10 with the gain, 0.1 without
  };
  for (const Case c :
       {Case{decode::RecordFlavour::Sercel408, 2, 1.0}, Case{decode::RecordFlavour::Seg2, 2, 1.0},
        Case{decode::RecordFlavour::Vorax, 2, 0.1},
        Case{decode::RecordFlavour::Sercel408, 3, 0.1}}) {
    record.flavour = c.flavour;
    record.summary.auxTraceCount = c.auxTraces;
    EXPECT_EQ(displayGainApplies(record), c.excursion == 1.0);
    RecordingCanvas canvas;
    DrawRecordDisplay(canvas, record, page(0, 3, 0, 20, 20), options(false, 4));
    for (std::size_t n = 0; n < 3; ++n)
      EXPECT_NEAR(excursionAt(*wiggles(canvas)[n], static_cast<double>(n + 1), 5), c.excursion,
                  1e-6)
          << static_cast<int>(c.flavour) << " trace " << n + 1;
  }
}

TEST(RecordDisplayGain, ClipLimitsEveryExcursionWhateverTheGain) {
  decode::SegdRecord record = test::makeDisplayRecord(4, 21);
  for (std::int32_t j = 0; j < 21; ++j) record.samples.at(2, j) = (j % 2 ? 1.0f : -1.0f) * j / 20;
  RecordingCanvas canvas;
  DrawRecordDisplay(canvas, record, page(0, 4, 0, 40, 60), options(false, 0.75f));
  const DrawnItem& trace2 = *wiggles(canvas)[1];
  EXPECT_DOUBLE_EQ(largestExcursion(trace2, 2), 0.75);
  for (const PointF& p : trace2.points) {
    EXPECT_GE(p.x, 2 - 0.75);
    EXPECT_LE(p.x, 2 + 0.75);
  }
}

TEST(RecordDisplayGain, FixedGainAtZeroDbDrawsTrueAmplitudeWhereNormalisedFillsTheSpacing) {
  decode::SegdRecord record = test::makeDisplayRecord(2, 11);
  record.samples.at(1, 4) = 1.0f;
  record.samples.at(2, 4) = 1.0f;
  record.traceDivisor = {1.0f, 0.05f, 0.5f};  // trace 1 recorded weak, trace 2 ten times stronger
  RecordingCanvas fixed;
  DrawRecordDisplay(fixed, record, page(0, 2, 0, 20, 0), options(true, 4));
  EXPECT_NEAR(largestExcursion(*wiggles(fixed)[0], 1), 0.05, 1e-7);
  EXPECT_NEAR(largestExcursion(*wiggles(fixed)[1], 2), 0.5, 1e-7);
  RecordingCanvas normalised;
  DrawRecordDisplay(normalised, record, page(0, 2, 0, 20, 0), options(false, 4));
  EXPECT_DOUBLE_EQ(largestExcursion(*wiggles(normalised)[0], 1), 1.0);
}

TEST(RecordDisplayGain, RecordedValuesAreNormalisedByTheTracePeak) {
  decode::SegdRecord record = test::makeDisplayRecord(1, 5);
  const float recorded[] = {0, 10, -20, 40, 0};
  for (std::int32_t j = 0; j < 5; ++j) record.samples.at(1, j) = recorded[j];
  RecordingCanvas canvas;
  DrawRecordDisplay(canvas, record, page(1, 1, 0, 8, 0), options(false, 4));
  std::vector<double> expected{0, 0, 0.25, -0.5, 1.0, 0};  // pen start, then samples 0..4
  const DrawnItem& w = *wiggles(canvas)[0];
  ASSERT_EQ(w.points.size(), expected.size());
  for (std::size_t n = 0; n < expected.size(); ++n)
    EXPECT_DOUBLE_EQ(w.points[n].x - 1, expected[n]) << n;
}

TEST(RecordDisplayWiggle, PolylineFromTheWindowStartAndFillForPositiveSamplesOnly) {
  decode::SegdRecord record = test::makeDisplayRecord(1, 5);
  record.samples.at(1, 1) = 0.5f;
  record.samples.at(1, 2) = -0.5f;
  record.samples.at(1, 3) = 0.25f;
  record.samples.at(1, 4) = 1.0f;
  RecordingCanvas canvas;
  // 2 ms samples, window 0..8 ms: samples 0..4.
  DrawRecordDisplay(canvas, record, page(1, 1, 0, 8, 0), options(false, 4));
  const DrawnItem& w = *wiggles(canvas)[0];
  std::vector<PointF> expected{{1, 0}, {1, 0}, {1.5, 1}, {0.5, 2}, {1.25, 3}, {2, 4}};
  ASSERT_EQ(w.points.size(), expected.size());
  for (std::size_t n = 0; n < expected.size(); ++n) {
    EXPECT_DOUBLE_EQ(w.points[n].x, expected[n].x) << n;
    EXPECT_DOUBLE_EQ(w.points[n].y, expected[n].y) << n;
  }
  std::vector<std::pair<double, double>> fills;  // (y, right end) of horizontal lines at x 1
  for (const DrawnItem* line : itemsOf(canvas, Kind::Line))
    if (line->penStyle == PenStyle::Solid && line->points[0].x == 1 &&
        line->points[0].y == line->points[1].y &&
        line->points[0].y == std::floor(line->points[0].y))
      fills.emplace_back(line->points[0].y, line->points[1].x);  // at the samples themselves
  EXPECT_EQ(fills, (std::vector<std::pair<double, double>>{{1, 1.5}, {3, 1.25}, {4, 2}}));
}

// Zoomed in, samples lie many pixel rows apart: every row between them is filled up to the
// straight wiggle segment where that segment is right of the axis, and no other row.
TEST(RecordDisplayWiggle, ZoomedInEveryPixelRowBetweenSamplesIsFilledUpToTheWiggle) {
  decode::SegdRecord record = test::makeDisplayRecord(1, 5);
  const double v[] = {0, 0.5, -0.5, 0.25, 1.0};
  for (std::int32_t j = 0; j < 5; ++j) record.samples.at(1, j) = static_cast<float>(v[j]);
  RecordingCanvas canvas(1000, 800);
  DrawRecordDisplay(canvas, record, page(1, 1, 0, 8, 0), options(false, 4));
  // Samples 0..4, world y -0.2..4.2 over 800 rows: row of y is floor((y + 0.2) * 800 / 4.4).
  auto rowOf = [](double y) { return static_cast<long>(std::floor((y + 0.2) * 800 / 4.4)); };
  std::map<long, double> fillEnd;  // pixel row -> right end of its fill
  for (const DrawnItem* line : itemsOf(canvas, Kind::Line))
    if (line->penStyle == PenStyle::Solid && line->points[0].x == 1 &&
        line->points[0].y == line->points[1].y && line->points[0].y >= 0)
      fillEnd[rowOf(line->points[0].y)] = line->points[1].x;
  std::size_t expectedRows = 0;
  for (long row = rowOf(0) + 1; row < rowOf(4); ++row) {
    const double y = (row + 0.5) * 4.4 / 800 - 0.2;  // the middle of the row
    const auto j = static_cast<std::size_t>(std::floor(y));
    if (row == rowOf(1) || row == rowOf(2) || row == rowOf(3)) continue;  // the samples' own rows
    const double excursion = v[j] + (v[j + 1] - v[j]) * (y - static_cast<double>(j));
    if (!(excursion > 0)) {
      EXPECT_EQ(fillEnd.count(row), 0u) << row;
      continue;
    }
    ++expectedRows;
    ASSERT_EQ(fillEnd.count(row), 1u) << row;
    EXPECT_NEAR(fillEnd[row], 1 + excursion, 1e-9) << row;
  }
  EXPECT_GT(expectedRows, 400u);  // more than half of the 727 rows between samples 0 and 4
}

TEST(RecordDisplayWiggle, FillsSharingAPixelRowKeepOnlyTheLongestWhichCoversTheOthers) {
  decode::SegdRecord record = test::makeDisplayRecord(1, 2001);
  for (std::int32_t j = 0; j < 2000; ++j)
    record.samples.at(1, j) = static_cast<float>((j * 37) % 11) / 10;
  RecordingCanvas canvas(1000, 800);  // 2200 samples over 800 rows: 2.75 samples a row
  DrawRecordDisplay(canvas, record, page(1, 1, 0, 4000, 0), options(false, 4));
  std::vector<const DrawnItem*> fills;
  for (const DrawnItem* line : itemsOf(canvas, Kind::Line))
    if (line->penStyle == PenStyle::Solid && line->points[0].x == 1 &&
        line->points[0].y == line->points[1].y)
      fills.push_back(line);
  EXPECT_LE(fills.size(), 800u);
  EXPECT_GT(fills.size(), 500u);
  for (std::int32_t j = 0; j < 2000; ++j) {
    double v = record.samples.at(1, j);
    if (v <= 0) continue;
    bool covered = false;
    for (const DrawnItem* fill : fills)
      covered =
          covered || (std::abs(fill->points[0].y - j) < 2.75 && fill->points[1].x >= 1 + v - 1e-6);
    EXPECT_TRUE(covered) << j;
  }
}

TEST(RecordDisplayWiggle, UnreadableSamplesAreDrawnAsZero) {
  decode::SegdRecord record = test::makeDisplayRecord(1, 5);
  record.samples.at(1, 2) = std::nanf("");
  record.samples.at(1, 3) = INFINITY;
  RecordingCanvas canvas;
  DrawRecordDisplay(canvas, record, page(1, 1, 0, 8, 0), options(false, 0.75f));
  // Samples 0..2 lie on the axis and make one vertical segment; then 3 is clipped.
  const DrawnItem& w = *wiggles(canvas)[0];
  ASSERT_EQ(w.points.size(), 4u);
  EXPECT_DOUBLE_EQ(w.points[1].x, 1);
  EXPECT_DOUBLE_EQ(w.points[1].y, 2);
  EXPECT_DOUBLE_EQ(w.points[2].x, 1.75);
  EXPECT_DOUBLE_EQ(w.points[2].y, 3);
}

// The error-colour legend sits in the right margin, 12.5 % of the trace span wide: in a picture
// 1000 pixels wide that is 106 pixels, 95 inside its 5 % insets, where "Capacitance error" at
// the 10-pixel display font (0.6 x 10 a character here, after a three-character swatch) would
// take 120. Every key then ends inside the picture, in a font no smaller than 6 pixels.
TEST(RecordDisplayLegend, KeysTakeASmallerFontRatherThanRunOffTheMargin) {
  decode::SegdRecord record = test::makeDisplayRecord(60, 5);
  record.traceInfo[3].errorColour = kRed;
  RecordingCanvas canvas(1000, 700);
  DrawRecordDisplay(canvas, record, page(0, 60, 0, 8, 0), options(false, 1));
  const DrawnItem* key = canvas.findText("Capacitance error");
  ASSERT_NE(key, nullptr);
  const double start = canvas.mapping().toDevice(key->points[0]).x;
  EXPECT_LE(start + 0.6 * key->fontPixels * 17, 1000);
  EXPECT_GE(key->fontPixels, 6);
  EXPECT_LT(key->fontPixels, 10);
}

TEST(RecordDisplayTilt, ManyTiltFlaggedTracesTurnBlackForGoodWhenIgnored) {
  decode::SegdRecord record = test::makeDisplayRecord(120, 5);
  for (std::int32_t t = 1; t <= 120; ++t)
    record.traceInfo[static_cast<std::size_t>(t)].errorColour = kGreen;
  record.tiltErrorCount = 100;  // not above 100: they stay green
  RecordingCanvas first;
  DrawRecordDisplay(first, record, page(0, 60, 0, 8, 0), options(false, 1, true));
  EXPECT_EQ(wiggles(first)[0]->colour, kGreen);

  record.tiltErrorCount = 101;
  RecordingCanvas second;
  DrawRecordDisplay(second, record, page(0, 60, 0, 8, 0), options(false, 1, true));
  EXPECT_EQ(wiggles(second)[0]->colour, kBlack);
  EXPECT_EQ(record.traceInfo[60].errorColour, kBlack);
  EXPECT_EQ(record.traceInfo[61].errorColour, kGreen);  // not drawn yet

  RecordingCanvas later;  // the option switched off again: the recolouring stays
  DrawRecordDisplay(later, record, page(0, 60, 0, 8, 0), options(false, 1, false));
  EXPECT_EQ(wiggles(later)[59]->colour, kBlack);
}

std::vector<std::pair<std::string, double>> channelLabels(const RecordingCanvas& canvas) {
  std::vector<std::pair<std::string, double>> labels;
  for (const DrawnItem* t : canvas.texts())
    if (t->hAlign == HAlign::Centre && t->points[0].y < 0 && t->text != "File Header")
      labels.emplace_back(t->text, t->points[0].x);
  return labels;
}

TEST(RecordDisplayLabels, ChannelNumbersOnChannelOneAndEveryStepLessTheAuxiliaryTraces) {
  decode::SegdRecord record = test::makeDisplayRecord(40, 1001);
  record.flavour = decode::RecordFlavour::Sercel408;  // two auxiliary traces first
  record.summary.auxTraceCount = 2;
  RecordingCanvas canvas;
  DrawRecordDisplay(canvas, record, page(0, 20, 0, 2000, 0), options(false, 1));
  // Traces 0..20: a step of 2 gives ten intervals. Channel = trace - 2.
  std::vector<std::pair<std::string, double>> expected{
      {"1", 3},   {"2", 4},   {"4", 6},   {"6", 8},   {"8", 10},
      {"10", 12}, {"12", 14}, {"14", 16}, {"16", 18}, {"18", 20}};
  EXPECT_EQ(channelLabels(canvas), expected);
}

// A VORAX record writes its auxiliary traces after the seismic ones: the seismic traces keep
// their numbers and the auxiliary traces get none.
TEST(RecordDisplayLabels, VoraxAuxiliaryTracesAfterTheSeismicOnesAreNotChannels) {
  decode::SegdRecord record = test::makeDisplayRecord(20, 1001);
  record.summary.auxTraceCount = 2;
  record.traceInfo[19].channelKind = "Aux";
  record.traceInfo[20].channelKind = "Aux";
  RecordingCanvas canvas;
  DrawRecordDisplay(canvas, record, page(0, 20, 0, 2000, 0), options(false, 1));
  std::vector<std::pair<std::string, double>> expected{
      {"1", 1},   {"2", 2},   {"4", 4},   {"6", 6},   {"8", 8},
      {"10", 10}, {"12", 12}, {"14", 14}, {"16", 16}, {"18", 18}};
  EXPECT_EQ(channelLabels(canvas), expected);
  EXPECT_EQ(seismicChannelNumber(record, 18), 18);
  EXPECT_EQ(seismicChannelNumber(record, 20), 0);
}

TEST(RecordDisplayLabels, TimeAxisOnSampleStepsWithZeroAndEndLabels) {
  decode::SegdRecord record = test::makeDisplayRecord(40, 1001);
  RecordingCanvas canvas;
  DrawRecordDisplay(canvas, record, page(0, 20, 0, 2000, 0), options(false, 1));
  // Samples 0..1000 in steps of 100 (200 ms); the next step, 1100, is a whole step past the
  // end, so the end is labelled too.
  EXPECT_EQ(timeLabels(canvas, 0),
            (std::vector<std::string>{"0 ", "200 ", "400 ", "600 ", "800 ", "1000 ", "1200 ",
                                      "1400 ", "1600 ", "1800 ", "2000 "}));
  std::size_t dotted = 0;
  for (const DrawnItem* line : itemsOf(canvas, Kind::Line))
    if (line->penStyle == PenStyle::Dotted) ++dotted;
  EXPECT_EQ(dotted, 9u);  // 100..900: the lines strictly inside the window
}

TEST(RecordDisplayLabels, WindowFrom500To1000MsHasNoChannelLabelsAndEndsWith1000) {
  decode::SegdRecord record = test::makeDisplayRecord(40, 1001);
  RecordingCanvas canvas;
  DrawRecordDisplay(canvas, record, page(0, 20, 500, 1000, 0), options(false, 1));
  // Samples 250..500, step 25 (50 ms): labels strictly inside, then the end at 500.
  EXPECT_EQ(timeLabels(canvas, 0),
            (std::vector<std::string>{"550 ", "600 ", "650 ", "700 ", "750 ", "800 ", "850 ",
                                      "900 ", "950 ", "1000 "}));
  for (const DrawnItem* t : canvas.texts()) EXPECT_GE(t->points[0].y, 250 - 12.5) << t->text;
  // The same window zoomed into: channel 1 and every second one along its top edge.
  DisplayState zoomed = page(0, 20, 500, 1000, 0);
  zoomed.zoomHistory.push_back({});
  RecordingCanvas zoomedCanvas;
  DrawRecordDisplay(zoomedCanvas, record, zoomed, options(false, 1));
  for (const char* channel : {"1", "2", "10", "20"}) {
    const DrawnItem* label = zoomedCanvas.findText(channel);
    ASSERT_NE(label, nullptr) << channel;
    EXPECT_LT(label->points[0].y, 250);
    EXPECT_GT(label->points[0].y, 250 - 12.5);  // within the top margin
  }
}

TEST(RecordDisplayLabels, EndLabelThatWouldOverprintTheLastStepIsLeftOut) {
  decode::SegdRecord record = test::makeDisplayRecord(40, 1001);
  RecordingCanvas canvas;
  // The end is limited to sample 1001 (2002 ms), one sample below the 2000 ms label.
  DrawRecordDisplay(canvas, record, page(0, 20, 0, 3000, 0), options(false, 1));
  std::vector<std::string> labels = timeLabels(canvas, 0);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.back(), "2000 ");
}

// Time labels are centred on their times: two closer than a text height overprint. Windows
// ending just past a step (0..256 ms at 0.5 ms: "250" and "256") and short pictures.
TEST(RecordDisplayLabels, TimeLabelsNeverOverprintEachOther) {
  decode::SegdRecord record = test::makeDisplayRecord(60, 4000, 500);
  for (int height : {200, 300, 600, 1000}) {
    for (float endMs = 200; endMs <= 300; endMs += 2) {
      RecordingCanvas canvas(1024, height);
      const RecordDisplayGeometry g =
          DrawRecordDisplay(canvas, record, page(0, 60, 0, endMs, 0), options(false, 1));
      std::vector<double> ys;
      for (const DrawnItem* t : canvas.texts())
        if (t->hAlign == HAlign::Right && t->points[0].x == 0) ys.push_back(t->points[0].y);
      ASSERT_GE(ys.size(), 2u);
      for (std::size_t n = 1; n < ys.size(); ++n)
        EXPECT_GE(ys[n] - ys[n - 1], g.textHeight)
            << "height " << height << " end " << endMs << " ms";
    }
  }
  RecordingCanvas canvas(1024, 600);
  DrawRecordDisplay(canvas, record, page(0, 60, 0, 256, 0), options(false, 1));
  std::vector<std::string> labels = timeLabels(canvas, 0);
  EXPECT_EQ(labels.back(), "250 ");
}

TEST(RecordDisplayLabels, RedBannerCentredOverTheTracesNearTheFoot) {
  decode::SegdRecord record = test::makeDisplayRecord(40, 1001);
  RecordingCanvas canvas;
  RecordDisplayGeometry g =
      DrawRecordDisplay(canvas, record, page(0, 20, 0, 2000, 0), options(false, 1));
  const DrawnItem* banner = canvas.findText(std::string("VORAX Viewer ") + VORAX_VERSION);
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->colour, kRed);
  EXPECT_DOUBLE_EQ(banner->points[0].x, 10.5);
  EXPECT_DOUBLE_EQ(banner->points[0].y, 1050 - 1.5 * g.textHeight);
}

// A trace balanced by RMS is drawn with its RMS at kBalancedRmsLevel x gain: a square wave of
// +-0.5 (RMS 0.5) at 18 dB reaches 0.5 x (1/48)/0.5 x 7.943282 = 0.165485 spacings.
TEST(RecordDisplayBalance, RmsBalanceAndAgcLevelEveryTraceAlike) {
  decode::SegdRecord record = test::makeDisplayRecord(2, 101);
  for (std::int32_t j = 0; j < 101; ++j) {
    record.samples.at(1, j) = j % 2 == 0 ? 0.5f : -0.5f;
    record.samples.at(2, j) = j % 2 == 0 ? 0.01f : -0.01f;  // 50 times weaker
  }
  DisplayOptions o = options(false, 4);
  o.balance = TraceBalance::Rms;
  const double expected = 0.165485;
  for (const float agc : {0.0f, 20.0f}) {
    o.agcWindowMs = agc;
    RecordingCanvas canvas;
    DrawRecordDisplay(canvas, record, page(0, 2, 0, 200, 18), o);
    ASSERT_EQ(wiggles(canvas).size(), 2u);
    EXPECT_NEAR(largestExcursion(*wiggles(canvas)[0], 1), expected, 1e-6) << agc;
    EXPECT_NEAR(largestExcursion(*wiggles(canvas)[1], 2), expected, 1e-6) << agc;
  }
}

// Variable area draws the fills alone; variable density a cell per sample coloured by the map
// (through a canvas without pixels, one rectangle per run of equal colour; white is left out).
TEST(RecordDisplayModes, VariableAreaHasNoLineAndDensityColoursEachSample) {
  decode::SegdRecord record = test::makeDisplayRecord(2, 11);
  record.samples.at(1, 4) = 1;
  record.samples.at(1, 5) = 1;
  record.samples.at(2, 7) = -1;
  DisplayOptions o = options(false, 1);
  o.mode = DisplayMode::VariableArea;
  RecordingCanvas area;
  DrawRecordDisplay(area, record, page(0, 2, 0, 20, 0), o);
  EXPECT_TRUE(wiggles(area).empty());
  EXPECT_FALSE(itemsOf(area, Kind::Line).empty());

  o.mode = DisplayMode::Density;
  o.clip = 2;  // a sample of 1 is half way: pure red, -1 pure blue
  RecordingCanvas density;
  DrawRecordDisplay(density, record, page(0, 2, 0, 20, 0), o);
  std::vector<const DrawnItem*> cells;
  for (const DrawnItem* f : itemsOf(density, Kind::FillRect))
    if (f->colour == kRed || f->colour == kBlue) cells.push_back(f);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0]->colour, kRed);  // trace 1, samples 4..5
  EXPECT_DOUBLE_EQ(cells[0]->points[0].x, 0.5);
  EXPECT_DOUBLE_EQ(cells[0]->points[0].y, 3.5);
  EXPECT_DOUBLE_EQ(cells[0]->points[1].y, 5.5);
  EXPECT_EQ(cells[1]->colour, kBlue);  // trace 2, sample 7
  EXPECT_DOUBLE_EQ(cells[1]->points[0].x, 1.5);
  EXPECT_NE(density.findText("+2"), nullptr);  // the colour bar: full colour at clip 2 ...
  EXPECT_NE(density.findText("Amplitude (x trace peak)"), nullptr);  // ... times the peak
}

// A record starting 50 ms before the shot: sample 0 is -50 ms, the axis steps fall on whole
// times, and a later page starts a trace spacing left of its first trace.
TEST(RecordDisplayLabels, TimesCountFromTheRecordsStartTime) {
  decode::SegdRecord record = test::makeDisplayRecord(40, 501);  // 2 ms: -50..950 ms
  record.startTimeMs = -50;
  RecordingCanvas canvas;
  RecordDisplayGeometry g =
      DrawRecordDisplay(canvas, record, page(20, 40, -50, 950, 0), options(false, 1));
  EXPECT_EQ(g.x0, 19);
  EXPECT_EQ(g.firstTrace, 20);
  EXPECT_DOUBLE_EQ(g.s0, 0);
  EXPECT_DOUBLE_EQ(g.s1, 500);
  const std::vector<std::string> labels = timeLabels(canvas, 19);
  ASSERT_GE(labels.size(), 3u);
  EXPECT_EQ(labels[0], "-50 ");  // the first sample
  EXPECT_EQ(labels[1], "0 ");    // the steps count from the shot
  EXPECT_EQ(labels.back(), "950 ");
}

TEST(DensityColour, DivergingMapThroughWhite) {
  EXPECT_EQ(densityColour(0), kWhite);
  EXPECT_EQ(densityColour(0.5), kRed);
  EXPECT_EQ(densityColour(-0.5), kBlue);
  EXPECT_EQ(densityColour(1), rgb(128, 0, 0));
  EXPECT_EQ(densityColour(-7), rgb(0, 0, 77));
  EXPECT_EQ(densityColour(0.25), rgb(255, 128, 128));
  EXPECT_EQ(densityColour(std::nan("")), kWhite);
}

}  // namespace
}  // namespace vorax::app
