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
  ASSERT_EQ(r.exitCode, 0) << r.err;
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
  ASSERT_EQ(r.exitCode, 0) << r.err;
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
}

}  // namespace
}  // namespace vorax::cli
