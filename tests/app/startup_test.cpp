#include "app/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace vorax::app {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

std::vector<std::uint8_t> bytesOf(const std::string& text) {
  return {text.begin(), text.end()};
}

std::string fileText(const std::filesystem::path& file) {
  const std::vector<std::uint8_t> bytes = readFileBytes(file);
  return {bytes.begin(), bytes.end()};
}

TEST(StartFolder, AppendsOneSeparatorAndCollapsesDoubledOnes) {
  EXPECT_EQ(computeStartFolder("/home/crew", '/'), "/home/crew/");
  EXPECT_EQ(computeStartFolder("/", '/'), "/");
  EXPECT_EQ(computeStartFolder("C:\\", '\\'), "C:\\");
  EXPECT_EQ(computeStartFolder("C:\\Data\\\\Line 7", '\\'), "C:\\Data\\Line 7\\");
  EXPECT_EQ(computeStartFolder("/a//b/", '/'), "/a/b/");
}

TEST(StartFolder, KeepsTheDoubledSeparatorThatStartsANetworkPath) {
  EXPECT_EQ(computeStartFolder("\\\\server\\share", '\\'), "\\\\server\\share\\");
}

class StartUp : public ::testing::Test {
 protected:
  TempDir dir;
  AppState state;
  std::filesystem::path settingsFile = dir / kSettingsFileName;
  std::filesystem::path logFile = dir / base::kDebugLogFileName;
  std::filesystem::path switchFile = dir / base::kDebugSwitchFileName;
};

TEST_F(StartUp, FirstRunUsesTheDefaultsAndEndWritesExactly5441Bytes) {
  state.recordLoaded = true;
  const SettingsLoad loaded = startUp(state, dir.path().string(), false);
  EXPECT_EQ(loaded.source, SettingsLoad::Source::Defaults);
  EXPECT_EQ(state.StartFolder, dir.path().string() + "/");
  EXPECT_FALSE(state.recordLoaded);
  EXPECT_FALSE(state.debugLog.enabled());
  EXPECT_EQ(state.LastDataFolder, "");
  EXPECT_FALSE(std::filesystem::exists(settingsFile));

  const ShutdownResult ended = saveSettingsAtEnd(state, false);
  EXPECT_EQ(ended.outcome, ShutdownResult::Outcome::Saved);
  const std::vector<std::uint8_t> written = readFileBytes(settingsFile);
  ASSERT_EQ(written.size(), 5441u);
  EXPECT_EQ(std::vector<std::uint8_t>(written.begin() + 512, written.begin() + 525),
            bytesOf("60 0    3000 "));
  EXPECT_EQ(std::vector<std::uint8_t>(written.begin() + 256, written.begin() + 512),
            std::vector<std::uint8_t>(256, ' '));  // the empty LastDataFolder, padded
  EXPECT_FALSE(std::filesystem::exists(logFile));
}

TEST_F(StartUp, NextRunReproducesEveryByteIncludingReservedOnes) {
  std::vector<std::uint8_t> bytes(5441);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
  std::string folder = "  /data/line 7 ";
  folder.resize(256, ' ');
  std::copy(folder.begin(), folder.end(), bytes.begin() + 256);
  writeFileBytes(settingsFile, bytes);

  startUp(state, dir.path().string(), false);
  EXPECT_EQ(state.LastDataFolder, "/data/line 7");
  saveSettingsAtEnd(state, false);
  const std::vector<std::uint8_t> written = readFileBytes(settingsFile);
  // The leading blanks of the folder are gone; every other byte is as read.
  std::string expectedFolder = "/data/line 7";
  expectedFolder.resize(256, ' ');
  std::copy(expectedFolder.begin(), expectedFolder.end(), bytes.begin() + 256);
  EXPECT_EQ(written, bytes);
}

TEST_F(StartUp, EndStoresTheLastDataFolderSpacePadded) {
  startUp(state, dir.path().string(), false);
  state.LastDataFolder = "/records";
  saveSettingsAtEnd(state, false);
  const std::vector<std::uint8_t> written = readFileBytes(settingsFile);
  std::string expected = "/records";
  expected.resize(256, ' ');
  EXPECT_EQ(std::vector<std::uint8_t>(written.begin() + 256, written.begin() + 512),
            bytesOf(expected));
}

TEST_F(StartUp, SavingNowWritesTheSettingsWithoutEndingAndNeverInAReadOnlyFolder) {
  writeFileBytes(switchFile, {});
  startUp(state, dir.path().string(), false);
  state.LastDataFolder = "/records/line 7";
  EXPECT_EQ(saveSettingsNow(state, true).outcome, ShutdownResult::Outcome::ReadOnlyFolder);
  EXPECT_FALSE(std::filesystem::exists(settingsFile));
  EXPECT_EQ(saveSettingsNow(state, false).outcome, ShutdownResult::Outcome::Saved);
  const std::vector<std::uint8_t> written = readFileBytes(settingsFile);
  ASSERT_EQ(written.size(), 5441u);
  std::string expected = "/records/line 7";
  expected.resize(256, ' ');
  EXPECT_EQ(std::vector<std::uint8_t>(written.begin() + 256, written.begin() + 512),
            bytesOf(expected));
  EXPECT_EQ(fileText(logFile), "Program start\r\n");  // the program goes on
  // No temporary file is left beside it.
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 3u);  // the switch, the log and the settings
}

TEST_F(StartUp, DebugSwitchStartsAFreshLogOfStartAndEnd) {
  writeFileBytes(switchFile, {});
  writeFileBytes(logFile, bytesOf("old run\r\n"));
  startUp(state, dir.path().string(), false);
  EXPECT_TRUE(state.debugLog.enabled());
  EXPECT_EQ(fileText(logFile), "Program start\r\n");
  saveSettingsAtEnd(state, false);
  EXPECT_EQ(fileText(logFile), "Program start\r\nProgram End\r\n");
}

TEST_F(StartUp, WithoutTheSwitchAnOldLogIsLeftAlone) {
  writeFileBytes(logFile, bytesOf("old run\r\n"));
  startUp(state, dir.path().string(), false);
  saveSettingsAtEnd(state, false);
  EXPECT_EQ(fileText(logFile), "old run\r\n");
}

TEST_F(StartUp, ReadOnlyFolderIsNeverWrittenAndLoggingStaysOff) {
  writeFileBytes(switchFile, {});
  writeFileBytes(logFile, bytesOf("old run\r\n"));
  startUp(state, dir.path().string(), true);
  EXPECT_FALSE(state.debugLog.enabled());
  EXPECT_FALSE(std::filesystem::exists(logFile));  // deleted even though logging is off

  const ShutdownResult ended = saveSettingsAtEnd(state, true);
  EXPECT_EQ(ended.outcome, ShutdownResult::Outcome::ReadOnlyFolder);
  EXPECT_FALSE(std::filesystem::exists(settingsFile));
  EXPECT_FALSE(std::filesystem::exists(logFile));
}

TEST_F(StartUp, AFailedSaveIsReportedAndLogged) {
  writeFileBytes(switchFile, {});
  startUp(state, dir.path().string(), false);
  std::filesystem::create_directory(settingsFile);  // a folder cannot be replaced by a file
  const ShutdownResult ended = saveSettingsAtEnd(state, false);
  EXPECT_EQ(ended.outcome, ShutdownResult::Outcome::Failed);
  EXPECT_FALSE(ended.message.empty());
  EXPECT_NE(fileText(logFile).find(ended.message), std::string::npos);
}

}  // namespace
}  // namespace vorax::app
