#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;
using test::TempDir;

std::string compact(std::string json) {
  std::string out;
  for (char c : json)
    if (c != ' ' && c != '\n') out.push_back(c);
  return out;
}

class SettingsCommand : public ::testing::Test {
 protected:
  TempDir dir;
  std::string file = (dir / "VORAXviewer.def").string();
};

TEST_F(SettingsCommand, ResetWritesTheDefaultsWhichShowAsJson) {
  ASSERT_EQ(runCli({"settings", "--reset", file}).exitCode, 0);
  const std::vector<std::uint8_t> written = test::readFileBytes(file);
  app::ViewerSettings expected;
  app::ApplyDefaultSettings(expected);
  ASSERT_EQ(written.size(), 5441u);
  EXPECT_TRUE(std::ranges::equal(written, expected.bytes()));

  const test::CliResult shown = runCli({"settings", file});
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  const std::string json = compact(shown.out);
  // The head of the record holds the display options behind their tag: wiggle, RMS balance
  // (2), no AGC, a 500 ms window; the reserved bytes follow.
  EXPECT_NE(json.find(R"({"display_options_tag":"VXD1","display_mode":0,"trace_balance":2,)"
                      R"("display_agc":0,"display_agc_window_ms":500,"reserved_20":"0000)"),
            std::string::npos);
  EXPECT_NE(json.find(R"("last_data_folder":"","traces_to_display":"60",)"), std::string::npos);
  EXPECT_NE(json.find(R"("trace_label_sides":[[1,0],[1,0],[1,0],[1,0],[1,0],[1,0]])"),
            std::string::npos);
  EXPECT_NE(json.find(R"("similarity_colours":[255,16711680,65280,65535,16711935])"),
            std::string::npos);
  EXPECT_NE(json.find(R"("trace_clip":0.75,"initial_gain_db":18,)"), std::string::npos);
  EXPECT_NE(json.find(R"("panel_corners":[[8,12,60,70],[9,13,65,75],)"), std::string::npos);
  EXPECT_NE(json.find(R"("panel_agc":0})"), std::string::npos);
}

TEST_F(SettingsCommand, ShowsEveryRowOfTheFile) {
  ASSERT_EQ(runCli({"settings", "--reset", file}).exitCode, 0);
  const std::string json = runCli({"settings", file}).out;
  for (const app::SettingRow& row : app::kSettingRows)
    EXPECT_NE(json.find("\"" + std::string(row.name) + "\":"), std::string::npos) << row.name;
}

TEST_F(SettingsCommand, MissingFileIsAnError) {
  const test::CliResult result = runCli({"settings", file});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(result.out.empty());
  EXPECT_NE(result.err.find("does not exist"), std::string::npos);
}

TEST_F(SettingsCommand, ShortFileIsShownWithDefaultsPastItsEndAndAWarning) {
  test::writeFileBytes(file, std::vector<std::uint8_t>(515, 'x'));
  const test::CliResult result = runCli({"settings", file});
  EXPECT_EQ(result.exitCode, 2);
  const std::string json = compact(result.out);
  EXPECT_NE(json.find(R"("traces_to_display":"xxx","display_start_time":"0",)"), std::string::npos);
  EXPECT_NE(result.err.find("515 of 5441 bytes"), std::string::npos);
}

// A run given the file says what `vorax settings` says of it, before the run's own checks.
TEST_F(SettingsCommand, ARunGivenAShortOrMissingFileSaysSo) {
  test::writeFileBytes(file, std::vector<std::uint8_t>(515, 'x'));
  for (const char* command : {"vibsim", "radiosim"}) {
    const std::string absent = (dir / "absent").string();
    const std::vector<std::string> run{command,     absent, "--setup",   absent,
                                       "--out-dir", absent, "--settings"};
    std::vector<std::string> args = run;
    args.push_back(file);
    test::CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              std::string("vorax ") + command + ": " + file +
                  " holds 515 of 5441 bytes; the fields past its end take the defaults");
    args = run;
    args.push_back(absent + ".def");
    r = runCli(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, std::string("vorax ") + command + ": " + absent + ".def does not exist\n");
  }
}

TEST_F(SettingsCommand, BadArgumentsShowTheUsage) {
  EXPECT_EQ(runCli({"settings", "--reset"}).exitCode, 2);
  const test::CliResult result = runCli({"settings", "a", "b"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("not expected: b"), std::string::npos);
  EXPECT_EQ(runCli({"settings", "--reset", (dir / "no" / "x.def").string()}).exitCode, 2);
}

}  // namespace
}  // namespace vorax::cli
