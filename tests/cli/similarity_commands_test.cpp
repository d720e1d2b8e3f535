// vorax vibsim and vorax radiosim over a fleet made in the test: three vibrators, one clean,
// one 300 us late, one with 30 % second harmonic, QC'd with the distortion limit at 20 %.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "app/settings.h"
#include "test_support.h"
#include "vibsim/setup_fields.h"
#include "vibsim/setup_files.h"
#include "vibsim/vibrator_synth.h"

namespace vorax::cli {
namespace {

using test::runCli;

nlohmann::json readJson(const std::filesystem::path& file) {
  std::ifstream in(file);
  return nlohmann::json::parse(in);
}

// Verdict per vibrator: start time, phase, distortion (the late one's phase lags too).
void expectFleetVerdicts(const nlohmann::json& vibrators, std::size_t first = 0) {
  const bool expected[3][3] = {{true, true, true}, {false, false, true}, {true, true, false}};
  for (std::size_t v = 0; v < 3; ++v) {
    const auto& j = vibrators.at(first + v);
    SCOPED_TRACE(j.dump());
    EXPECT_EQ(j["start_time_pass"], expected[v][0]);
    EXPECT_EQ(j["phase_pass"], expected[v][1]);
    EXPECT_EQ(j["distortion_pass"], expected[v][2]);
    EXPECT_EQ(j["pass"], v == 0);
  }
  EXPECT_NEAR(vibrators.at(first + 1)["start_time_error_us"].get<double>(), 300, 10);
  EXPECT_NEAR(vibrators.at(first + 2)["max_distortion_percent"].get<double>(), 30, 1.5);
}

app::ViewerSettings fleetSettings() {
  app::ViewerSettings s;
  app::ApplyDefaultSettings(s);
  vibsim::setFieldValue(s, vibsim::mvs::kParameters[4], 20);
  vibsim::setFieldValue(s, vibsim::rsf::kParameters[4], 20);
  return s;
}

TEST(VibsimCommand, PicturesAndSummaryOfAFleet) {
  test::TempDir dir;
  vibsim::VibratorRecordOptions record;
  record.sampleIntervalMs = 2;
  ASSERT_EQ(vibsim::writeVibratorRecord(dir / "vibs.segd", record), "");
  app::ViewerSettings s = fleetSettings();
  for (int v = 1; v <= 3; ++v) {
    const auto r = static_cast<std::size_t>(v);
    s.setMultiVibName(r, "V" + std::to_string(v));
    for (std::size_t c = 0; c < 4; ++c)
      s.setMultiVibChannel(c, r, vibsim::vibratorTrace(v, static_cast<int>(c)));
  }
  s.setMultiVibChannel(vibsim::kSimRef, 5, 2);  // Ref but no Force: not listed at all
  s.setMultiVibName(6, "BAD");
  s.setMultiVibChannel(vibsim::kSimRef, 6, 2);
  s.setMultiVibChannel(vibsim::kSimForce, 6, 99);  // beyond the record: skipped
  vibsim::setFieldValue(s, vibsim::mvs::kPage2, 0);
  ASSERT_EQ(vibsim::writeSetupFile(vibsim::kMvsFile, dir / "fleet.MVS", s), "");

  const auto out = dir / "out";
  const test::CliResult r = runCli({"vibsim", (dir / "vibs.segd").string(), "--setup",
                                    (dir / "fleet.MVS").string(), "--out-dir", out.string()});
  ASSERT_EQ(r.exitCode, 3) << r.err;  // completed, and vibrators failed
  const nlohmann::json summary = readJson(out / "summary.json");
  ASSERT_EQ(summary["vibrators"].size(), 4u);
  expectFleetVerdicts(summary["vibrators"]);
  const auto& skipped = summary["vibrators"][3];
  EXPECT_EQ(skipped["row"], 6);
  EXPECT_EQ(skipped["name"], "BAD");
  EXPECT_EQ(skipped["skipped"], "Force Channel for Vib BAD is invalid");
  EXPECT_FALSE(skipped.contains("pass"));
  for (const char* name : {"Wire Sim Vib V1 Page 1A.BMP", "Wire Sim Vib V3 Page 1B.BMP",
                           "Wire Sim Vib V2 Page 3A.BMP", "Wire Sim Vib V2 Page 3B.BMP"})
    EXPECT_GT(std::filesystem::file_size(out / name), 1000u) << name;
  EXPECT_FALSE(
      std::filesystem::exists(out / "Wire Sim Vib V1 Page 2A.BMP"));  // "Page 2" not ticked
}

TEST(VibsimCommand, BadSetupOrRecordExits2) {
  test::TempDir dir;
  test::writeFileBytes(dir / "short.MVS", std::vector<std::uint8_t>(100, 0));
  vibsim::VibratorRecordOptions record;
  record.sampleIntervalMs = 4;
  record.recordLengthS = 1;
  ASSERT_EQ(vibsim::writeVibratorRecord(dir / "vibs.segd", record), "");
  app::ViewerSettings s = fleetSettings();
  s.setMultiVibChannel(vibsim::kSimRef, 1, 2);
  s.setMultiVibChannel(vibsim::kSimForce, 1, 5);
  vibsim::setFieldValue(s, vibsim::mvs::kPilotChannel, 40);
  ASSERT_EQ(vibsim::writeSetupFile(vibsim::kMvsFile, dir / "pilot.MVS", s), "");

  test::CliResult r = runCli({"vibsim", (dir / "vibs.segd").string(), "--setup",
                              (dir / "short.MVS").string(), "--out-dir", (dir / "o1").string()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("100 bytes, 1400 expected"), std::string::npos) << r.err;
  r = runCli({"vibsim", (dir / "absent.segd").string(), "--setup", (dir / "pilot.MVS").string(),
              "--out-dir", (dir / "o2").string()});
  EXPECT_EQ(r.exitCode, 2);
  r = runCli({"vibsim", (dir / "vibs.segd").string(), "--setup", (dir / "pilot.MVS").string(),
              "--out-dir", (dir / "o3").string()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(readJson(dir / "o3" / "summary.json")["vibrators"][0]["skipped"],
            "Pilot Channel is invalid");
}

TEST(RadiosimCommand, PicturesAndSummaryOfAFleet) {
  test::TempDir dir;
  const auto folder = dir / "radio";
  std::filesystem::create_directory(folder);
  const vibsim::VibratorFault faults[] = {{}, {300, 0, 1}, {0, 0.3, 1}};
  app::ViewerSettings s = fleetSettings();
  for (int v = 1; v <= 3; ++v) {
    vibsim::RadioFileOptions options;
    options.returnFault = faults[v - 1];
    const std::string name = "VIB" + std::to_string(v) + ".DAT";
    ASSERT_EQ(vibsim::writeRadioFile(folder / name, options), "");
    s.setRadioSimFile(static_cast<std::size_t>(v), name);
  }
  auto cut = vibsim::radioFileBytes({});
  cut.resize(cut.size() / 2);
  test::writeFileBytes(folder / "CUT.DAT", cut);
  s.setRadioSimFile(4, "CUT.DAT");
  s.setRadioSimFile(5, "MISSING.DAT");  // not in the folder: left out silently
  s.setRadioFolder("/nowhere");         // the command's folder takes its place
  ASSERT_EQ(vibsim::writeSetupFile(vibsim::kRsfFile, dir / "radio.RSF", s), "");

  const auto out = dir / "out";
  const test::CliResult r = runCli({"radiosim", folder.string(), "--setup",
                                    (dir / "radio.RSF").string(), "--out-dir", out.string()});
  ASSERT_EQ(r.exitCode, 3) << r.err;
  const nlohmann::json summary = readJson(out / "summary.json");
  ASSERT_EQ(summary["vibrators"].size(), 4u);
  expectFleetVerdicts(summary["vibrators"]);
  EXPECT_EQ(summary["vibrators"][0]["name"], "VIB1");  // "Auto Vib Name" is ticked by default
  EXPECT_NE(summary["vibrators"][3]["skipped"].get<std::string>().find("too short"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(out / "Vib VIB2 Page 2B.BMP"));
  EXPECT_TRUE(std::filesystem::exists(out / "Vib VIB3 Page 3A.BMP"));
  EXPECT_FALSE(std::filesystem::exists(out / "Vib VIB3 Page 3B.BMP"));

  const test::CliResult bad = runCli({"radiosim", (dir / "absent").string(), "--setup",
                                      (dir / "radio.RSF").string(), "--out-dir", out.string()});
  EXPECT_EQ(bad.exitCode, 2);

  // A folder holding none of the listed files: nothing to do, and the folder is named.
  const auto empty = dir / "empty";
  std::filesystem::create_directory(empty);
  const test::CliResult none =
      runCli({"radiosim", empty.string(), "--setup", (dir / "radio.RSF").string(), "--out-dir",
              (dir / "out2").string()});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(
      none.err.find("No listed file was found in the radio similarity folder " + empty.string()),
      std::string::npos)
      << none.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "out2" / "summary.json"));
}

// The wiring faults of a season: a ground force reversed, dead, or at 0.5 % of its level,
// beside a clean vibrator. Only the clean one passes, each other failing by its own verdict;
// a run of the clean one alone exits 0.
TEST(VibsimCommand, WiringFaultsFailTheirVibratorsAndTheExitStatusSaysSo) {
  test::TempDir dir;
  vibsim::VibratorRecordOptions record;
  record.sampleIntervalMs = 2;
  record.groundForceFaults = {{}, {0, 0, -1}, {0, 0, 0}, {0, 0, 0.005}};
  ASSERT_EQ(vibsim::writeVibratorRecord(dir / "vibs.segd", record), "");
  app::ViewerSettings s = fleetSettings();
  for (int v = 1; v <= 4; ++v)
    for (std::size_t c = 0; c < 4; ++c)
      s.setMultiVibChannel(c, static_cast<std::size_t>(v),
                           vibsim::vibratorTrace(v, static_cast<int>(c)));
  vibsim::setFieldValue(s, vibsim::mvs::kPage2, 0);
  vibsim::setFieldValue(s, vibsim::mvs::kPage3, 0);
  ASSERT_EQ(vibsim::writeSetupFile(vibsim::kMvsFile, dir / "fleet.MVS", s), "");
  const test::CliResult r =
      runCli({"vibsim", (dir / "vibs.segd").string(), "--setup", (dir / "fleet.MVS").string(),
              "--out-dir", (dir / "out").string()});
  ASSERT_EQ(r.exitCode, 3) << r.err;
  const nlohmann::json v = readJson(dir / "out" / "summary.json")["vibrators"];
  const char* keys[] = {"start_time_pass",  "phase_pass",    "distortion_pass",
                        "correlation_pass", "polarity_pass", "signal_pass"};
  const bool expected[4][6] = {{true, true, true, true, true, true},
                               {true, true, true, false, false, true},
                               {false, false, false, false, false, false},
                               {false, true, true, true, true, false}};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(v[i].dump());
    for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(v[i][keys[k]], expected[i][k]) << keys[k];
    EXPECT_EQ(v[i]["pass"], i == 0);
  }
  EXPECT_NEAR(v[0]["correlation_peak"].get<double>(), 1, 1e-3);
  EXPECT_EQ(v[0]["correlation_lag_ms"], 0);
  EXPECT_GT(std::abs(v[1]["correlation_lag_ms"].get<double>()), 5);
  EXPECT_TRUE(v[2]["start_time_error_us"].is_null());
  const std::vector<std::uint8_t> bytes = test::readFileBytes(dir / "out" / "fleet.csv");
  const std::string csv(bytes.begin(), bytes.end());
  EXPECT_NE(csv.find("\r\n1,1,0.0,0.00,"), std::string::npos) << csv;
  EXPECT_NE(csv.find(",FAIL,Xcorr Polarity\r\n"), std::string::npos) << csv;
  EXPECT_GT(std::filesystem::file_size(dir / "out" / "Fleet Table.BMP"), 100000u);

  for (int row = 2; row <= 4; ++row)
    s.setMultiVibChannel(vibsim::kSimForce, static_cast<std::size_t>(row), 0);
  ASSERT_EQ(vibsim::writeSetupFile(vibsim::kMvsFile, dir / "clean.MVS", s), "");
  EXPECT_EQ(runCli({"vibsim", (dir / "vibs.segd").string(), "--setup", (dir / "clean.MVS").string(),
                    "--out-dir", (dir / "clean").string()})
                .exitCode,
            0);
}

TEST(VibsimCommand, NothingToDoOrTapersCoveringTheSweepExit2WithAMessage) {
  test::TempDir dir;
  vibsim::VibratorRecordOptions record;
  record.sampleIntervalMs = 4;
  ASSERT_EQ(vibsim::writeVibratorRecord(dir / "vibs.segd", record), "");
  app::ViewerSettings s = fleetSettings();
  s.setMultiVibChannel(vibsim::kSimRef, 1, 2);  // a Ref but no Force: no active row
  ASSERT_EQ(vibsim::writeSetupFile(vibsim::kMvsFile, dir / "none.MVS", s), "");
  test::CliResult r = runCli({"vibsim", (dir / "vibs.segd").string(), "--setup",
                              (dir / "none.MVS").string(), "--out-dir", (dir / "o1").string()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("no vibrator with both a Ref and a Force channel"), std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "o1" / "summary.json"));

  s.setMultiVibChannel(vibsim::kSimForce, 1, 5);
  vibsim::setFieldValue(s, vibsim::mvs::kParameters[10], 6000);  // start taper
  vibsim::setFieldValue(s, vibsim::mvs::kParameters[11], 6000);  // end taper
  ASSERT_EQ(vibsim::writeSetupFile(vibsim::kMvsFile, dir / "tapers.MVS", s), "");
  r = runCli({"vibsim", (dir / "vibs.segd").string(), "--setup", (dir / "tapers.MVS").string(),
              "--out-dir", (dir / "o2").string()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("\"Start Taper Length (mS)\" and \"End Taper Length (mS)\" together "
                       "(12000 ms) cover the whole \"Truncate Time (mS)\""),
            std::string::npos)
      << r.err;
  EXPECT_NE(runCli({"vibsim", "--help"}).out.find("3 when it completed and any vibrator failed"),
            std::string::npos);
}

}  // namespace
}  // namespace vorax::cli
