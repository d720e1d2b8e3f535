#include "app/header_panel.h"

#include <gtest/gtest.h>

#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

std::string valueOf(const decode::RecordSummary& summary, std::string_view label) {
  for (const HeaderPanelRow& row : headerPanelRows(summary))
    if (row.label == label) return row.value;
  ADD_FAILURE() << "no row " << label;
  return {};
}

TEST(HeaderPanelRows, SampleIntervalInMsShownWhole) {
  decode::RecordSummary s;
  for (const auto& [us, text] : {std::pair{250.0f, "0.25"},
                                 {2000.0f, "2"},
                                 {333.0f, "0.333"},
                                 {62.5f, "0.0625"},
                                 {31.25f, "0.03125"}}) {
    s.sampleIntervalUs = us;
    EXPECT_EQ(valueOf(s, "SR (mS) "), text) << us;
  }
}

TEST(HeaderPanelRows, LengthIsTheIntervalTimesSamplesLessOneRoundedDown) {
  decode::RecordSummary s;
  s.sampleIntervalUs = 2000;
  s.samplesPerTrace = 1501;
  EXPECT_EQ(valueOf(s, "Length "), "3000");
  s.sampleIntervalUs = 250;
  s.samplesPerTrace = 1000;  // 249.75 ms
  EXPECT_EQ(valueOf(s, "Length "), "249");
}

TEST(HeaderPanelRows, TextsTrimmedLabelCutToEightNumbersInShortestForm) {
  decode::RecordSummary s;
  s.fileNumber = "  17";
  s.label = "ABCDEFGHIJKLMNOP";
  s.recordType = "Normal";
  s.sourceX = 512345.67;
  s.sourceLine = 1001.5f;
  s.traceCount = 98;
  s.auxTraceCount = 2;
  s.timeBreakKind = "ITB";
  s.filter = "Min";
  EXPECT_EQ(valueOf(s, "File"), "17");
  EXPECT_EQ(valueOf(s, "Label"), "ABCDEFGH");
  EXPECT_EQ(valueOf(s, "Record "), "Normal");
  EXPECT_EQ(valueOf(s, "Src X"), "512345.67");
  EXPECT_EQ(valueOf(s, "Src Ln"), "1001.5");
  EXPECT_EQ(valueOf(s, "Tot Trc"), "98");
  EXPECT_EQ(valueOf(s, "Tot Aux"), "2");
  EXPECT_EQ(valueOf(s, "ITB"), "ITB");
  EXPECT_EQ(valueOf(s, "Filter"), "Min");
  EXPECT_EQ(valueOf(s, "Date"), "");
  auto rows = headerPanelRows(s);
  EXPECT_EQ(rows.front().label, "File");
  EXPECT_EQ(rows[12].label, "Src Pt ");
  EXPECT_EQ(rows.back().label, "Filter");
}

TEST(HeaderPanelRows, AGpsPositionAddsTwoRowsAfterTheOthers) {
  decode::RecordSummary s;
  EXPECT_EQ(headerPanelRows(s).size(), static_cast<std::size_t>(kHeaderPanelRows));
  s.gpsLatitude = 19.42083740234375;
  s.gpsLongitude = -155.29118347167969;
  const auto rows = headerPanelRows(s);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kHeaderPanelRows) + 2);
  EXPECT_EQ(rows[kHeaderPanelRows].label, "GPS Lat");
  EXPECT_EQ(rows[kHeaderPanelRows].value, "19.420837");
  EXPECT_EQ(rows[kHeaderPanelRows + 1].label, "GPS Lon");
  EXPECT_EQ(rows[kHeaderPanelRows + 1].value, "-155.291183");
  // The two rows need room: down to sample 470 the 23 rows end at 141 + 12.5 + 6.25 +
  // 24 x 12.5 = 459.75, the 25 rows at 484.75.
  RecordingCanvas canvas(1000, 800);
  canvas.setWorldWindow({0, 0, 25, 1000});
  canvas.setFont("Arial", 10, false);
  EXPECT_TRUE(headerPanelFits(canvas, decode::RecordSummary{}, {20, 25, 0, 470}));
  EXPECT_FALSE(headerPanelFits(canvas, s, {20, 25, 0, 470}));
  EXPECT_TRUE(headerPanelFits(canvas, s, {20, 25, 0, 500}));
}

TEST(HeaderPanelGeometry, NinetyPercentOfTheMarginFromThirtyPercentOfTheTimeRangeDown) {
  // Margin 20..25 in x, samples 0..1000; 1000 x 800 pixels over a 25 x 1000 window:
  // 0.025 x units and 1.25 samples per pixel; a 10-pixel font is 12.5 samples high and its
  // "I" 6 pixels (0.15 x units) wide.
  RecordingCanvas canvas(1000, 800);
  canvas.setWorldWindow({0, 0, 25, 1000});
  canvas.setFont("Arial", 10, false);
  decode::RecordSummary s;
  drawHeaderPanel(canvas, s, {20, 25, 0, 1000});

  const DrawnItem& box = canvas.items().front();
  ASSERT_EQ(box.kind, DrawnItem::Kind::Rectangle);
  EXPECT_DOUBLE_EQ(box.points[0].x, 20.25);
  EXPECT_DOUBLE_EQ(box.points[1].x, 24.75);
  EXPECT_DOUBLE_EQ(box.points[0].y, 300 + 12.5);
  EXPECT_DOUBLE_EQ(box.points[1].y, 1000);

  const DrawnItem* title = canvas.findText("File Header");
  ASSERT_NE(title, nullptr);
  EXPECT_DOUBLE_EQ(title->points[0].x, 22.5);
  EXPECT_DOUBLE_EQ(title->points[0].y, 312.5 + 12.5 / 4);

  const DrawnItem* file = canvas.findText("File");
  ASSERT_NE(file, nullptr);
  EXPECT_DOUBLE_EQ(file->points[0].x, 20.25 + 0.15);
  EXPECT_DOUBLE_EQ(file->points[0].y, 312.5 + 6.25 + 12.5);
  const DrawnItem* filter = canvas.findText("Filter");
  ASSERT_NE(filter, nullptr);
  EXPECT_DOUBLE_EQ(filter->points[0].y, 312.5 + 6.25 + 23 * 12.5);
  const DrawnItem* lengthValue = canvas.texts()[2 + 2 * 7];  // box title, then row 8's value
  EXPECT_EQ(lengthValue->hAlign, HAlign::Right);
  EXPECT_DOUBLE_EQ(lengthValue->points[0].x, 24.75 - 0.15);
}

TEST(HeaderPanelGeometry, FitsOnlyWhenRowsAndWidthHaveRoom) {
  RecordingCanvas canvas(1000, 800);
  canvas.setWorldWindow({0, 0, 25, 1000});
  decode::RecordSummary s;
  s.recordDate = "2024-05-17";
  canvas.setFont("Arial", 10, false);
  // Widest row "Date" + "2024-05-17": 14 characters of 6 px plus three "I" of 6 px = 102 px
  // in a panel 4.5 x units = 180 px wide; rows end at 318.75 + 24 x 12.5 = 618.75 <= 1000.
  EXPECT_TRUE(headerPanelFits(canvas, s, {20, 25, 0, 1000}));
  // Down to sample 400 the rows would end at 132.5 + 6.25 + 24 x 12.5 = 438.75.
  EXPECT_FALSE(headerPanelFits(canvas, s, {20, 25, 0, 400}));
  canvas.setFont("Arial", 20, false);  // 17 x 12 px = 204 px: too wide
  EXPECT_FALSE(headerPanelFits(canvas, s, {20, 25, 0, 1000}));
}

}  // namespace
}  // namespace vorax::app
