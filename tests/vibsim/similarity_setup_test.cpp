#include "vibsim/similarity_setup.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "vibsim/setup_fields.h"

namespace vorax::vibsim {
namespace {

app::ViewerSettings defaults() {
  app::ViewerSettings s;
  app::ApplyDefaultSettings(s);
  return s;
}

TEST(SetupNumbers, ParsedRoundedTiesToEven) {
  const std::pair<const char*, std::int32_t> cases[] = {{"12", 12},
                                                        {" 7", 7},
                                                        {"2.5", 2},
                                                        {"3.5", 4},
                                                        {"-2.5", -2},
                                                        {"80Hz", 80},
                                                        {"abc", 0},
                                                        {"", 0},
                                                        {"1e3", 1000},
                                                        {"99999999999", 2147483647},
                                                        {"-1e20", -2147483647 - 1},
                                                        {"nan", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(parseSetupInteger(text), value) << text;
  EXPECT_EQ(parseSetupSingle("4082.5"), 4082.5f);
  EXPECT_EQ(parseSetupSingle("x"), 0.0f);
}

TEST(WirelineSetup, ActiveRowsLabelsAndParameters) {
  app::ViewerSettings s = defaults();
  s.setMultiVibName(1, "V1");
  s.setMultiVibChannel(kSimRef, 1, 2);
  s.setMultiVibChannel(kSimForce, 1, 5);
  s.setMultiVibChannel(kSimRef, 2, 6);   // Ref but no Force: left out, no message
  s.setMultiVibChannel(kSimRef, 7, 10);  // no name: labelled by its row
  s.setMultiVibChannel(kSimForce, 7, 13);
  s.setMultiVibChannel(kPulseRef, 9, 3);
  s.setMultiVibChannel(kPulseForce, 9, 4);
  setFieldValue(s, mvs::kParameters[4], 20);
  setFieldValue(s, mvs::kParameters[6], 8000);
  setFieldValue(s, mvs::kPilotChannel, 1);

  WirelineSetup w = wirelineSetupOf(s);
  ASSERT_EQ(w.vibrators.size(), 2u);
  EXPECT_EQ(w.vibrators[0].row, 1);
  EXPECT_EQ(w.vibrators[0].label, "V1");
  EXPECT_EQ(w.vibrators[0].channels.force, 5);
  EXPECT_EQ(w.vibrators[1].label, "7");
  EXPECT_EQ(w.params.distortionQcLimit, 20);
  EXPECT_EQ(w.params.truncateTime, 8000);
  EXPECT_EQ(w.params.endTaper, 350);
  EXPECT_EQ(w.params.similarity, 1);
  EXPECT_EQ(w.colours.force, 0xFF00FFu);
  EXPECT_EQ(w.delaySeconds, 5);
  EXPECT_EQ(printQuality(w.params, w.highResPrint), 0);

  setFieldValue(s, mvs::kSimilarity, 0);
  setFieldValue(s, mvs::kPulse, 1);
  setFieldValue(s, mvs::kLowResPrint, 1);
  w = wirelineSetupOf(s);
  ASSERT_EQ(w.vibrators.size(), 1u);  // the pulse columns now
  EXPECT_EQ(w.vibrators[0].row, 9);
  EXPECT_EQ(printQuality(w.params, w.highResPrint), 1);
  setFieldValue(s, mvs::kHighResPrint, 1);
  EXPECT_EQ(printQuality(wirelineSetupOf(s).params, true), 2);
}

TEST(WirelineSetup, ChannelChecksAndTheirWords) {
  WirelineSetup w;
  WirelineVibrator v{3, "V3", {2, 3, 4, 5}};
  EXPECT_FALSE(checkWirelineChannels(w, v, 5).has_value());
  // A channel outside the record's 5 traces: its row is skipped, or a bad pilot ends the run.
  struct Case {
    bool pulse;
    VibratorChannels channels;
    std::int32_t pilot;
    const char* channel;  // named in "<channel> Channel for Vib V3 is invalid, ..."
  };
  const Case cases[] = {
      {false, {6, 3, 4, 5}, 1, "Ref"},
      {false, {2, 3, 4, 9}, 1, "Force"},
      {false, {2, 7, 4, 5}, 1, "Base Plate"},
      {true, {6, 3, 4, 5}, 1, "Pulse Ref"},
      {true, {2, 6, 4, 5}, 1, "Pulse Base Plate"},
      {true, {2, 3, 6, 5}, 1, "Pulse Mass"},
      {true, {2, 3, 4, 6}, 1, "Pulse Force"},
      {false, {2, 3, 4, 5}, 0, nullptr},
      {false, {2, 3, 4, 5}, 6, nullptr},
  };
  for (const Case& c : cases) {
    const std::string message =
        c.channel
            ? std::string(c.channel) + " Channel for Vib V3 is invalid, OK to Skip, Cancel Exits"
            : "Pilot Channel is invalid";
    SCOPED_TRACE(message);
    w.params.pulse = c.pulse ? 1 : 0;
    w.pilotChannel = c.pilot;
    v.channels = c.channels;
    const auto problem = checkWirelineChannels(w, v, 5);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->message, message);
    EXPECT_EQ(problem->endsRun, c.channel == nullptr);
  }
  w.pilotChannel = 1;
  v.channels = {2, 0, 0, 5};  // no base plate or mass: allowed
  EXPECT_FALSE(checkWirelineChannels(w, v, 5).has_value());
}

TEST(RadioSetup, FolderListingRules) {
  test::TempDir dir;
  for (const char* name : {"a.BMP", "b.bmp", "notes.txt", "c.Jpg", "d.WRI", "e.doc"})
    test::writeFileBytes(dir / name, {1, 2});
  EXPECT_TRUE(radioFolderFiles(dir.path()).empty());  // pictures and notes only: nothing
  test::writeFileBytes(dir / "empty.dat", {});
  test::writeFileBytes(dir / "V2_sim.dat", {1});
  test::writeFileBytes(dir / "v10", {1});
  test::writeFileBytes(dir / "bmp.old", {1});
  std::filesystem::create_directory(dir / "sub.dat");
  EXPECT_EQ(radioFolderFiles(dir.path()),
            (std::vector<std::string>{"bmp.old", "v10", "V2_sim.dat"}));
  EXPECT_TRUE(radioFolderFiles(dir / "absent").empty());
}

TEST(RadioSetup, RowsLabelsAndChannels) {
  test::TempDir dir;
  test::writeFileBytes(dir / "VIB1234.DAT", {1});
  test::writeFileBytes(dir / "B.DAT", {1});
  app::ViewerSettings s = defaults();
  s.setRadioSimFile(1, "  VIB1234.DAT ");
  s.setRadioSimFile(2, "MISSING.DAT");
  s.setRadioName(4, "Four");
  s.setRadioSimFile(4, "B.DAT");
  s.setRadioPulseFile(5, "B.DAT");
  setFieldValue(s, rsf::kAutoVibName, 1);
  RadioSetup r = radioSetupOf(s, dir.path());
  ASSERT_EQ(r.vibrators.size(), 2u);
  EXPECT_EQ(r.vibrators[0].file, "VIB1234.DAT");
  EXPECT_EQ(r.vibrators[0].label, "VIB1234");
  EXPECT_EQ(r.vibrators[1].label, "B");
  setFieldValue(s, rsf::kAutoVibName, 0);
  r = radioSetupOf(s, dir.path());
  EXPECT_EQ(r.vibrators[0].label, "1");
  EXPECT_EQ(r.vibrators[1].label, "Four");
  EXPECT_EQ(r.referenceTitle, "Radio Ref");
  EXPECT_EQ(r.params.pulseEnd, 400);
  setFieldValue(s, rsf::kPulse, 1);
  r = radioSetupOf(s, dir.path());
  ASSERT_EQ(r.vibrators.size(), 1u);
  EXPECT_EQ(r.vibrators[0].row, 5);

  EXPECT_FALSE(checkRadioChannels(r, 3).has_value());
  r.referenceChannel = 0;
  EXPECT_EQ(checkRadioChannels(r, 3), "Radio Reference Channel is invalid");
  r.referenceChannel = 2;
  r.returnChannel = 4;
  EXPECT_EQ(checkRadioChannels(r, 3), "Radio Return Channel is invalid");
}

TEST(RadioSetup, FolderTextNamesAndLoadAll) {
  EXPECT_EQ(shortFolderText("/data/radio"), "/data/radio");
  EXPECT_EQ(shortFolderText("123456789012345678901"), "123456789012345678901");
  EXPECT_EQ(shortFolderText("X123456789012345678901"), "\\..123456789012345678901");
  EXPECT_EQ(autoVibName("V2_sim.dat"), "V2_sim");
  EXPECT_EQ(autoVibName("VIBRATOR_LONG.dat"), "VIBRATOR");
  EXPECT_EQ(autoVibName("noext"), "noext");

  app::ViewerSettings s = defaults();
  s.setRadioSimFile(3, "old");
  s.setRadioName(3, "keep");
  setFieldValue(s, rsf::kAutoVibName, 1);
  loadAllRadioFiles({"A.DAT", "B.DAT"}, s);
  EXPECT_EQ(s.radioSimFile(1), "A.DAT");
  EXPECT_EQ(s.radioName(2), "B");
  EXPECT_EQ(s.radioSimFile(3), "");
  EXPECT_EQ(s.radioName(3), "keep");
}

}  // namespace
}  // namespace vorax::vibsim
