#include "app/settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "test_support.h"

namespace vorax::app {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

std::vector<std::uint8_t> slice(std::span<const std::uint8_t> bytes, std::size_t offset,
                                std::size_t count) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
          bytes.begin() + static_cast<std::ptrdiff_t>(offset + count)};
}

std::vector<std::uint8_t> textBytes(const std::string& text) {
  return {text.begin(), text.end()};
}

ViewerSettings defaults() {
  ViewerSettings s;
  ApplyDefaultSettings(s);
  return s;
}

TEST(DefaultSettings, SitAtTheirOffsetsAsLittleEndianBytes) {
  const ViewerSettings s = defaults();
  const auto b = s.bytes();
  EXPECT_EQ(slice(b, 512, 3), textBytes("60 "));
  EXPECT_EQ(slice(b, 515, 5), textBytes("0    "));
  EXPECT_EQ(slice(b, 520, 5), textBytes("3000 "));
  EXPECT_EQ(slice(b, 529, 4), (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(slice(b, 537, 20), textBytes("Trace 1             "));
  EXPECT_EQ(slice(b, 637, 20), textBytes("Trace 6             "));
  // Label 6: Left flag 1 at 749, Right flag 0 at 753.
  EXPECT_EQ(slice(b, 749, 8), (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(slice(b, 761, 4), (std::vector<std::uint8_t>{72, 0, 0, 0}));
  // 0.75f = 0x3F400000, 18.0f = 0x41900000.
  EXPECT_EQ(slice(b, 4893, 8), (std::vector<std::uint8_t>{0, 0, 0x40, 0x3F, 0, 0, 0x90, 0x41}));
  // Colours red, blue, green, yellow, magenta as COLORREF 0x00BBGGRR.
  EXPECT_EQ(slice(b, 2943, 20),
            (std::vector<std::uint8_t>{0xFF, 0, 0,    0,    0, 0, 0xFF, 0, 0,    0xFF,
                                       0,    0, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0xFF, 0}));
  // 4082.0f = 0x457F2000.
  EXPECT_EQ(slice(b, 2935, 4), (std::vector<std::uint8_t>{0x00, 0x20, 0x7F, 0x45}));
  // Last radio limit 400 = 0x190 at 4817 + 13 x 4.
  EXPECT_EQ(slice(b, 4869, 4), (std::vector<std::uint8_t>{0x90, 0x01, 0, 0}));
  // Last panel corner 100.0f = 0x42C80000 at 4981 + 23 x 4; clip 0.7f = 0x3F333333.
  EXPECT_EQ(slice(b, 5073, 4), (std::vector<std::uint8_t>{0, 0, 0xC8, 0x42}));
  EXPECT_EQ(slice(b, 5429, 4), (std::vector<std::uint8_t>{0x33, 0x33, 0x33, 0x3F}));
  EXPECT_EQ(slice(b, 2971, 20), textBytes("A. Company          "));
  EXPECT_EQ(slice(b, 3011, 10), textBytes("Crew 1    "));
  EXPECT_EQ(slice(b, 5139, 30), textBytes("Contractor Crew 1             "));
}

TEST(DefaultSettings, LeaveDashRowsZeroAndFillBlankRowsWithSpaces) {
  const ViewerSettings s = defaults();
  const auto b = s.bytes();
  const std::vector<std::uint8_t> zeros(492, 0);
  EXPECT_EQ(slice(b, 20, 492), zeros);  // reserved head and LastDataFolder
  EXPECT_EQ(slice(b, 1595, 248), std::vector<std::uint8_t>(248, 0));  // unit names
  EXPECT_EQ(slice(b, 1843, 992), std::vector<std::uint8_t>(992, 0));  // channel table
  EXPECT_EQ(slice(b, 3041, 4), std::vector<std::uint8_t>(4, 0));
  EXPECT_EQ(slice(b, 3045, 1688), std::vector<std::uint8_t>(1688, 0));  // radio table..reserved
  EXPECT_EQ(slice(b, 795, 768), std::vector<std::uint8_t>(768, ' '));   // three blank paths
  EXPECT_EQ(slice(b, 5169, 256), std::vector<std::uint8_t>(256, ' '));
}

TEST(ViewerSettings, TextsArePaddedCutAndReadBackWithoutPadding) {
  ViewerSettings s;
  s.setTracesToDisplay("3000");
  EXPECT_EQ(slice(s.bytes(), 512, 3), textBytes("300"));
  s.setTracesToDisplay("5");
  EXPECT_EQ(slice(s.bytes(), 512, 3), textBytes("5  "));
  EXPECT_EQ(s.tracesToDisplay(), "5");
  EXPECT_EQ(s.lastDataFolder(), "");  // never assigned: zero bytes
  s.setMultiTraceTitle(" x y ");
  EXPECT_EQ(s.multiTraceTitle(), " x y");
}

TEST(ViewerSettings, GroupedTablesAndNegativeNumbersLandOnTheRightBytes) {
  ViewerSettings s;
  s.setMultiVibChannel(7, 30, -2);  // last cell: 1843 + (7 x 31 + 30) x 4 = 2831
  EXPECT_EQ(slice(s.bytes(), 2831, 4), (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(s.multiVibChannel(7, 30), -2);
  s.setMultiVibChannel(1, 0, 9);  // 1843 + 31 x 4 = 1967
  EXPECT_EQ(s.bytes()[1967], 9);
  s.setPanelCorner(1, 2, -1.5f);  // 4981 + (4 + 2) x 4 = 5005; -1.5f = 0xBFC00000
  EXPECT_EQ(slice(s.bytes(), 5005, 4), (std::vector<std::uint8_t>{0, 0, 0xC0, 0xBF}));
  s.setTraceLabelSide(5, 1, 7);  // 709 + (5 x 2 + 1) x 4 = 753
  EXPECT_EQ(s.bytes()[753], 7);
}

TEST(ViewerSettings, IndicesPastARowNeitherReadNorWriteOtherRows) {
  ViewerSettings s = defaults();
  const std::vector<std::uint8_t> before(s.bytes().begin(), s.bytes().end());
  s.setTraceLabel(6, "Overflow");
  s.setTitlePosition(3, 9);
  s.setTraceLabelSide(0, 2, 9);  // side 2 of label 0 would be label 1's Left flag
  s.setPanelCorner(6, 0, 1.0f);
  s.setRadioColour(2, 0x123456);
  EXPECT_EQ(std::vector<std::uint8_t>(s.bytes().begin(), s.bytes().end()), before);
  EXPECT_EQ(s.traceLabel(6), "");
  EXPECT_EQ(s.titlePosition(3), 0);
  EXPECT_EQ(s.traceLabelSide(0, 2), 0);
}

class SettingsFile : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path file = dir / kSettingsFileName;
};

TEST_F(SettingsFile, MissingGivesTheDefaults) {
  ViewerSettings s;
  const SettingsLoad loaded = loadSettings(file, s);
  EXPECT_EQ(loaded.source, SettingsLoad::Source::Defaults);
  const ViewerSettings expected = defaults();
  EXPECT_TRUE(std::ranges::equal(s.bytes(), expected.bytes()));
}

TEST_F(SettingsFile, WrittenAndReadBackIsByteIdenticalIncludingReservedBytes) {
  ViewerSettings original;
  for (std::size_t i = 0; i < kSettingsSize; ++i)
    original.bytes()[i] = static_cast<std::uint8_t>((i * 7 + 3) % 256);
  ASSERT_TRUE(saveSettings(original, file).ok);
  const std::vector<std::uint8_t> written = readFileBytes(file);
  ASSERT_EQ(written.size(), kSettingsSize);
  EXPECT_TRUE(std::ranges::equal(written, original.bytes()));

  ViewerSettings reread;
  const SettingsLoad loaded = loadSettings(file, reread);
  EXPECT_EQ(loaded.source, SettingsLoad::Source::File);
  EXPECT_EQ(loaded.bytesRead, kSettingsSize);
  EXPECT_TRUE(std::ranges::equal(reread.bytes(), original.bytes()));
}

// The display options sit at the start of the once reserved head behind their tag: the
// defaults hold the tag, wiggle, RMS balance, no AGC, a 500 ms window.
TEST(DisplayOptionSettings, DefaultsBehindTheTagAndOlderFilesReadWithoutThem) {
  const ViewerSettings s = defaults();
  EXPECT_EQ(slice(s.bytes(), 0, 20),
            (std::vector<std::uint8_t>{
                'V', 'X', 'D', '1', 0, 0, 0,    0,    2,    0,
                0,   0,   0,   0,   0, 0, 0x00, 0x00, 0xFA, 0x43}));  // 500.0f = 0x43FA0000
  // A file written before the options: zeros there. It reads as RMS balanced, or as recorded
  // when it asked for the fixed gain display, and its bytes stay as they are until one is set.
  ViewerSettings old = defaults();
  std::fill_n(old.bytes().begin(), 20, std::uint8_t{0});
  EXPECT_EQ(old.displayMode(), DisplayMode::Wiggle);
  EXPECT_EQ(old.traceBalance(), TraceBalance::Rms);
  EXPECT_EQ(old.displayAgc(), 0);
  old.setFixedGainDisplay(1);
  EXPECT_EQ(old.traceBalance(), TraceBalance::None);
  old.setDisplayMode(DisplayMode::Density);
  EXPECT_EQ(old.text(rows::kDisplayOptionsTag), "VXD1");
  EXPECT_EQ(old.traceBalance(), TraceBalance::None);
  EXPECT_FLOAT_EQ(old.displayAgcWindowMs(), 500);
  old.setTraceBalance(TraceBalance::Peak);
  EXPECT_EQ(old.fixedGainDisplay(), 0);
  EXPECT_EQ(old.normalisedDisplay(), 1);
}

TEST_F(SettingsFile, ShortFileKeepsTheDefaultsPastItsEnd) {
  writeFileBytes(file, std::vector<std::uint8_t>(517, 'x'));  // ends inside the start time
  ViewerSettings s;
  const SettingsLoad loaded = loadSettings(file, s);
  EXPECT_EQ(loaded.source, SettingsLoad::Source::ShortFile);
  EXPECT_EQ(loaded.bytesRead, 517u);
  EXPECT_EQ(s.tracesToDisplay(), "xxx");
  EXPECT_EQ(slice(s.bytes(), 515, 5), textBytes("xx   "));  // "0    " overlaid by two bytes
  EXPECT_EQ(s.displayEndTime(), "3000");
  EXPECT_FLOAT_EQ(s.traceClip(), 0.75f);
}

TEST_F(SettingsFile, LongerFileGivesItsFirstBytesUnchecked) {
  std::vector<std::uint8_t> bytes(kSettingsSize + 100, 0xAB);
  writeFileBytes(file, bytes);
  ViewerSettings s;
  const SettingsLoad loaded = loadSettings(file, s);
  EXPECT_EQ(loaded.source, SettingsLoad::Source::File);
  EXPECT_TRUE(std::ranges::all_of(s.bytes(), [](std::uint8_t b) { return b == 0xAB; }));
}

TEST_F(SettingsFile, UnreadableFileGivesTheDefaultsAndSaysSo) {
  std::filesystem::create_directory(file);
  ViewerSettings s;
  const SettingsLoad loaded = loadSettings(file, s);
  EXPECT_EQ(loaded.source, SettingsLoad::Source::Unreadable);
  EXPECT_NE(loaded.message.find(kSettingsFileName), std::string::npos);
  EXPECT_EQ(s.tracesToDisplay(), "60");
}

TEST_F(SettingsFile, SavingReplacesALongerFileAndFailsCleanlyInAMissingFolder) {
  writeFileBytes(file, std::vector<std::uint8_t>(9000, 1));
  ASSERT_TRUE(saveSettings(defaults(), file).ok);
  EXPECT_EQ(readFileBytes(file).size(), kSettingsSize);

  const std::filesystem::path nowhere = dir / "missing" / kSettingsFileName;
  const SettingsSave failed = saveSettings(defaults(), nowhere);
  EXPECT_FALSE(failed.ok);
  EXPECT_FALSE(failed.message.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace vorax::app
