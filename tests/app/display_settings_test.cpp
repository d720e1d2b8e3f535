#include "app/display_settings.h"

#include <gtest/gtest.h>

#include "app/display_fixture.h"

namespace vorax::app {
namespace {

ViewerSettings defaults() {
  ViewerSettings settings;
  ApplyDefaultSettings(settings);
  return settings;
}

TEST(DisplaySettings, DefaultsGiveNormalisedClippedPagesOfSixtyFromZeroToThreeSeconds) {
  ViewerSettings settings = defaults();
  DisplayOptions options = displayOptionsFrom(settings);
  EXPECT_EQ(options.balance, TraceBalance::Rms);  // readable at 18 dB, unlike peak
  EXPECT_EQ(options.mode, DisplayMode::Wiggle);
  EXPECT_FLOAT_EQ(options.agcWindowMs, 0);
  EXPECT_FLOAT_EQ(options.clip, 0.75f);
  EXPECT_FALSE(options.ignoreTiltErrors);
  EXPECT_EQ(displaySelectionFrom(settings), DisplaySelection::ByNumber);

  decode::SegdRecord record = test::makeDisplayRecord(98, 11);
  DisplayState state;
  state.pickedTraces = {4, 5};
  state.perTraceScale[0] = 2;
  takeDisplaySettings(settings, state);
  startRecordDisplay(settings, record, state);
  EXPECT_EQ(state.tracesPerScreen, 60);
  EXPECT_EQ(state.firstTrace, 0);
  EXPECT_EQ(state.lastTrace, 60);
  EXPECT_FLOAT_EQ(state.displayStartMs, 0);
  EXPECT_FLOAT_EQ(state.displayEndMs, 3000);
  EXPECT_FLOAT_EQ(state.displayGainDb, 18);
  EXPECT_TRUE(state.pickedTraces.empty());
  EXPECT_FLOAT_EQ(state.perTraceScale[0], 1);
}

TEST(DisplaySettings, OptionsFollowTheirFlagsAndAStoredClipOutOfRangeIsLimited) {
  ViewerSettings settings = defaults();
  settings.setDisplayByNumber(0);
  settings.setDisplayAll(1);
  EXPECT_EQ(displaySelectionFrom(settings), DisplaySelection::All);
  settings.setDisplayAll(0);
  settings.setDisplayByLine(1);
  EXPECT_EQ(displaySelectionFrom(settings), DisplaySelection::ByLine);
  settings.setTraceBalance(TraceBalance::None);
  settings.setDisplayAgc(1);
  settings.setDisplayAgcWindowMs(250);
  settings.setIgnoreTiltErrors(1);
  settings.setTraceClip(9);
  DisplayOptions options = displayOptionsFrom(settings);
  EXPECT_EQ(options.balance, TraceBalance::None);
  EXPECT_FLOAT_EQ(options.agcWindowMs, 250);
  EXPECT_TRUE(options.ignoreTiltErrors);
  EXPECT_FLOAT_EQ(options.clip, 4);
}

// A start of 0 shows a record from its first sample, before the shot for a delayed one.
TEST(DisplaySettings, RecordsStartingBeforeTheShotShowFromTheirFirstSample) {
  ViewerSettings settings = defaults();
  decode::SegdRecord record = test::makeDisplayRecord(10, 11);
  record.startTimeMs = -50;
  EXPECT_FLOAT_EQ(displayStartOf(settings, record), -50);
  settings.setDisplayStartTime("20");
  EXPECT_FLOAT_EQ(displayStartOf(settings, record), 20);
}

// Labels left at their defaults name the picked traces' channels.
TEST(DisplaySettings, DefaultPickLabelsNameTheChannels) {
  ViewerSettings settings = defaults();
  settings.setTraceLabel(1, "Near");
  decode::SegdRecord record = test::makeDisplayRecord(40, 11);
  record.flavour = decode::RecordFlavour::Sercel408;
  record.summary.auxTraceCount = 2;
  DisplayState state;
  state.pickedTraces = {17, 5, 9};
  const MultiTraceOptions options = multiTraceOptionsFor(settings, false, record, state);
  EXPECT_EQ(options.labels[0], "Channel 15");
  EXPECT_EQ(options.labels[1], "Near");
  EXPECT_EQ(options.labels[2], "Channel 7");
  EXPECT_EQ(options.labels[3], "Trace 4");
}

TEST(DisplaySettings, MultiTraceTextsAndSidesFromTheSettings) {
  ViewerSettings settings = defaults();
  MultiTraceOptions options = multiTraceOptionsFrom(settings, false);
  EXPECT_EQ(options.labels[0], "Trace 1");
  EXPECT_EQ(options.labels[5], "Trace 6");
  EXPECT_TRUE(options.labelLeft[3]);
  EXPECT_EQ(options.title, "Multi Trace Display");
  EXPECT_EQ(options.titlePosition, TitlePosition::Middle);

  settings.setTraceLabelSide(3, 0, 0);
  settings.setTraceLabelSide(3, 1, 1);
  settings.setTitlePosition(1, 0);
  settings.setTitlePosition(2, 1);
  settings.setMultiTraceTitle("Shot 12");
  options = multiTraceOptionsFrom(settings, true);
  EXPECT_FALSE(options.labelLeft[3]);
  EXPECT_TRUE(options.labelLeft[2]);
  EXPECT_EQ(options.titlePosition, TitlePosition::Right);
  EXPECT_EQ(options.title, "Shot 12");
  EXPECT_TRUE(options.numerics);
}

// Configure's "OK" shows the new number of traces at once, from the trace first on screen.
TEST(DisplaySettings, ConfiguredTraceCountAppliesAtOnceFromTheCurrentFirstTrace) {
  ViewerSettings settings = defaults();
  decode::SegdRecord record = test::makeDisplayRecord(130, 11);
  DisplayState state;
  takeDisplaySettings(settings, state);
  state.firstTrace = 60;
  state.lastTrace = 120;
  settings.setTracesToDisplay("24");
  applyConfiguredDisplay(settings, record, state);
  EXPECT_EQ(state.tracesPerScreen, 24);
  EXPECT_EQ((TraceRange{state.firstTrace, state.lastTrace}), (TraceRange{60, 84}));

  settings.setDisplayByNumber(0);
  settings.setDisplayAll(1);
  applyConfiguredDisplay(settings, record, state);
  EXPECT_EQ((TraceRange{state.firstTrace, state.lastTrace}), (TraceRange{0, 130}));

  settings.setDisplayAll(0);
  settings.setDisplayByLine(1);
  state.firstTrace = 10;
  state.lastTrace = 20;
  applyConfiguredDisplay(settings, record, state);
  EXPECT_EQ((TraceRange{state.firstTrace, state.lastTrace}), (TraceRange{10, 20}));  // a line stays
}

}  // namespace
}  // namespace vorax::app
