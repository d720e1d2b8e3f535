#include "app/status_line.h"

#include <gtest/gtest.h>

#include "app/display_fixture.h"

namespace vorax::app {
namespace {

TEST(StatusLine, FileTracesOnScreenGainAndTimeWindow) {
  decode::SegdRecord record = test::makeDisplayRecord(130, 201);  // 2 ms: 0..400 ms
  record.fileName = "/records/line 7/shot.segd";
  DisplayState display;
  display.firstTrace = 0;  // the empty slot before trace 1
  display.lastTrace = 60;
  display.displayStartMs = 200;
  display.displayEndMs = 3000;  // the display stops at the record's last sample
  display.displayGainDb = -12;
  StatusTexts texts = statusTexts(record, display, true);
  EXPECT_EQ(texts.file, "shot.segd");
  EXPECT_EQ(texts.traces, "Traces 1-60 of 130");
  EXPECT_EQ(texts.gain, "Gain -12 dB");
  EXPECT_EQ(texts.timeWindow, "200-400 ms");  // 201 samples at 2 ms end at 400 ms
  record.startTimeMs = -50;                   // -50..350 ms
  display.displayStartMs = -100;
  EXPECT_EQ(statusTexts(record, display, true).timeWindow, "-50-350 ms");
  record.startTimeMs = 0;

  display.firstTrace = 70;
  display.lastTrace = 131;  // paging may reach past the last trace
  display.displayGainDb = 4.5f;
  record.traceInfo[1].channelKind = "Aux";  // VORAX: no gain when trace 1 is auxiliary
  texts = statusTexts(record, display, true);
  EXPECT_EQ(texts.traces, "Traces 70-130 of 130");
  EXPECT_EQ(texts.gain, "Gain 4.5 dB (not applied: trace 1 is not seismic)");

  EXPECT_EQ(statusTexts(record, display, false).file, "No record");
  EXPECT_EQ(statusTexts(record, display, false).traces, "");
}

}  // namespace
}  // namespace vorax::app
