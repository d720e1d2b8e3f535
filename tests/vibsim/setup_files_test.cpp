#include "vibsim/setup_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>

#include "base/byte_reader.h"
#include "test_support.h"
#include "vibsim/setup_checks.h"
#include "vibsim/setup_fields.h"

namespace vorax::vibsim {
namespace {

using app::ViewerSettings;

// Each little-endian 32-bit integer at its offset.
void expectInts(const std::vector<std::uint8_t>& b,
                std::initializer_list<std::pair<std::size_t, std::int32_t>> expected) {
  for (auto [offset, value] : expected) EXPECT_EQ(decode::littleI32(b, offset), value) << offset;
}
std::string textAt(const std::vector<std::uint8_t>& b, std::size_t offset, std::size_t n) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(offset),
                     b.begin() + static_cast<std::ptrdiff_t>(offset + n));
}
void set(ViewerSettings& s, const SetupField& f, std::int32_t v) {
  s.setInt32(f.row, v, f.index);
}

// Offsets below are the file layouts written out by hand, not taken from the row tables.
TEST(MultiVibSetupFile, EveryFieldLandsAtItsOffset) {
  ViewerSettings s;
  app::ApplyDefaultSettings(s);
  s.setMultiVibName(0, "ROWZERO");  // reserved: must not reach the file
  s.setMultiVibName(1, "VIBRATOR12");
  s.setMultiVibName(30, "V30");
  s.setMultiVibChannel(kSimRef, 0, 99);  // reserved row 0
  s.setMultiVibChannel(kSimRef, 1, 2);
  s.setMultiVibChannel(kSimForce, 2, 77);
  s.setMultiVibChannel(kPulseForce, 30, 123);
  set(s, mvs::kPilotChannel, 9);
  set(s, mvs::kPulse, 1);
  set(s, mvs::kPage3, 0);
  set(s, mvs::kParameters[4], 20);    // distortion QC limit
  set(s, mvs::kParameters[6], 8000);  // truncate time
  set(s, mvs::kParameters[11], 250);  // end taper
  set(s, mvs::kParameters[13], 321);  // pulse end
  s.setSingle(mvs::kMassOfBasePlate.row, 1234.5f, mvs::kMassOfBasePlate.index);
  s.setSimilarityColour(mvs::kForceColour, 0x123456);
  set(s, mvs::kTransferFunction, 1);
  set(s, mvs::kDelay, 7);
  set(s, mvs::kHighResPrint, 1);

  const auto b = setupImage(kMvsFile, s);
  ASSERT_EQ(b.size(), 1400u);
  EXPECT_EQ(textAt(b, 0, 8), std::string(8, '\0'));
  EXPECT_EQ(textAt(b, 8, 8), "VIBRATOR");    // cut to 8
  EXPECT_EQ(textAt(b, 240, 8), "V30     ");  // padded with spaces
  // 1244 "Similarity" and 1252 "Screen Pause" keep their default 1.
  expectInts(b, {{248, 0},   {252, 2},    {620 + 8, 77}, {1116 + 120, 123}, {1240, 9},
                 {1248, 1},  {1288, 0},   {1244, 1},     {1252, 1},         {1300, 80},
                 {1316, 20}, {1336, 321}, {1368, 0},     {1372, 1},         {1376, 8000},
                 {1380, 40}, {1384, 24},  {1388, 250},   {1392, 7},         {1396, 1}});
  EXPECT_EQ(textAt(b, 1292, 8), std::string(8, '\0'));
  EXPECT_EQ(decode::littleFloat(b, 1340), 4082.0f);
  EXPECT_EQ(decode::littleFloat(b, 1344), 1234.5f);
  EXPECT_EQ(decode::littleU32(b, 1348), 0x0000FFu);
  EXPECT_EQ(decode::littleU32(b, 1364), 0x123456u);
}

TEST(RadioSetupFile, EveryFieldLandsAtItsOffset) {
  ViewerSettings s;
  app::ApplyDefaultSettings(s);
  s.setRadioName(2, "RADIOVIB9");
  s.setRadioSimFile(1, "SIM0001.DAT");
  s.setRadioSimFile(30, "ABCDEFGHIJKLMNOPQ");
  s.setRadioPulseFile(3, "P3");
  s.setRadioFolder("/data/radio");
  set(s, rsf::kReturnChannel, 1);
  s.setRadioReferenceTitle("Pilot Sent");
  set(s, rsf::kBmp, 1);
  set(s, rsf::kHighResPrint, 1);
  set(s, rsf::kParameters[6], 6000);  // truncate time
  set(s, rsf::kParameters[13], 444);  // pulse end
  s.setRadioColour(rsf::kReturnColour, 0x00AA00);
  set(s, rsf::kDelay, 3);
  set(s, rsf::kAutoVibName, 0);

  const auto b = setupImage(kRsfFile, s);
  ASSERT_EQ(b.size(), 1844u);
  EXPECT_EQ(textAt(b, 16, 8), "RADIOVIB");
  EXPECT_EQ(textAt(b, 248, 15), std::string(15, '\0'));
  EXPECT_EQ(textAt(b, 263, 15), "SIM0001.DAT    ");
  EXPECT_EQ(textAt(b, 698, 15), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(textAt(b, 713 + 45, 15), "P3             ");
  EXPECT_EQ(textAt(b, 1178, 11), "/data/radio");
  EXPECT_EQ(textAt(b, 1433, 255), std::string(255, '\0'));
  // 1720 "Similarity", 1752 "BMP", 1768 "High Res Print".
  expectInts(b, {{1688, 2},
                 {1692, 1},
                 {1720, 1},
                 {1752, 1},
                 {1768, 1},
                 {1772, 80},
                 {1796, 6000},
                 {1824, 444},
                 {1836, 3},
                 {1840, 0}});
  EXPECT_EQ(textAt(b, 1696, 12), "Pilot Sent  ");
  EXPECT_EQ(textAt(b, 1708, 12), "Ground Force");
  EXPECT_EQ(decode::littleU32(b, 1828), 0x0000FFu);
  EXPECT_EQ(decode::littleU32(b, 1832), 0x00AA00u);
}

// An image of arbitrary bytes (reserved stretches zero) goes into the settings and comes back
// identical; a file of sound values reads and writes back identical, the delay shared by both
// set-ups travelling with each.
TEST(SetupFiles, RoundTripByteForByte) {
  for (const SetupFileKind* kind : {&kMvsFile, &kRsfFile}) {
    SCOPED_TRACE(kind->extension);
    std::vector<std::uint8_t> arbitrary(kind->size);
    for (std::size_t i = 0; i < arbitrary.size(); ++i)
      arbitrary[i] = static_cast<std::uint8_t>(i * 7 + 3);
    ViewerSettings held;
    applySetupImage(*kind, arbitrary, held);
    const std::vector<std::uint8_t> once = setupImage(*kind, held);  // reserved now zero
    ViewerSettings again;
    applySetupImage(*kind, once, again);
    EXPECT_EQ(setupImage(*kind, again), once);

    ViewerSettings sound;
    app::ApplyDefaultSettings(sound);
    set(sound, kind == &kMvsFile ? mvs::kDelay : rsf::kDelay, 17);
    const std::vector<std::uint8_t> original = setupImage(*kind, sound);
    test::TempDir dir;
    test::writeFileBytes(dir / "in.set", original);
    ViewerSettings s;
    app::ApplyDefaultSettings(s);
    ASSERT_EQ(readSetupFile(*kind, dir / "in.set", s), "");
    EXPECT_EQ(s.similarityDelay(), 17);
    ASSERT_EQ(writeSetupFile(*kind, dir / "out.set", s), "");
    EXPECT_EQ(test::readFileBytes(dir / "out.set"), original);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.set.tmp"));
  }
}

TEST(SetupFiles, WrongSizeOrMissingChangesNothing) {
  test::TempDir dir;
  test::writeFileBytes(dir / "short.MVS", std::vector<std::uint8_t>(1399, 0xFF));
  test::writeFileBytes(dir / "long.RSF", std::vector<std::uint8_t>(1845, 0xFF));
  ViewerSettings s;
  app::ApplyDefaultSettings(s);
  const ViewerSettings before = s;
  EXPECT_NE(readSetupFile(kMvsFile, dir / "short.MVS", s).find("1399 bytes, 1400 expected"),
            std::string::npos);
  EXPECT_NE(readSetupFile(kRsfFile, dir / "long.RSF", s), "");
  EXPECT_NE(readSetupFile(kMvsFile, dir / "absent.MVS", s), "");
  EXPECT_NE(readSetupFile(kMvsFile, dir.path(), s), "");
  EXPECT_TRUE(std::ranges::equal(s.bytes(), before.bytes()));
}

TEST(SetupFiles, ExtensionAppendedOnce) {
  EXPECT_EQ(setupFileName(kMvsFile, "/x/fleet"), "/x/fleet.MVS");
  EXPECT_EQ(setupFileName(kMvsFile, "/x/fleet.mvs"), "/x/fleet.mvs");
  EXPECT_EQ(setupFileName(kMvsFile, "/x/a.Mvs.old"), "/x/a.Mvs.old");
  EXPECT_EQ(setupFileName(kRsfFile, "/x/radio.MVS"), "/x/radio.MVS.RSF");
}

const SetupField& parameter(const SetupFileKind& kind, std::string_view caption) {
  const auto& fields = kind.size == kMvsSize ? mvs::kParameters : rsf::kParameters;
  return *std::find_if(fields.begin(), fields.end(),
                       [&](const SetupField& f) { return f.caption == caption; });
}

TEST(SetupChecks, ANumberOutOfItsRangeIsRefusedNamingTheField) {
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
  struct Case {
    const SetupFileKind* kind;
    SetupField field;
    std::int32_t value;
    const char* message;
  } cases[] = {
      {&kMvsFile, parameter(kMvsFile, "Truncate Time (mS)"), kLowest,
       "\"Truncate Time (mS)\" is -2147483648; it must be 1 to 3600000"},
      {&kMvsFile, parameter(kMvsFile, "End Taper Length (mS)"), kLowest,
       "\"End Taper Length (mS)\" is -2147483648; it must be 0 to 3600000"},
      {&kMvsFile, parameter(kMvsFile, "Correlogram Time (+/-)mS"), kHighest,
       "\"Correlogram Time (+/-)mS\" is 2147483647; it must be 1 to 100000"},
      {&kRsfFile, parameter(kRsfFile, "Max Frequency"), 0,
       "\"Max Frequency\" is 0; it must be 1 to 10000"},
      {&kRsfFile, rsf::kScreen, 2, "\"Screen\" is 2; it must be 0 to 1"},
      {&kMvsFile, mvs::kDelay, -1, "\"Delay (S)\" is -1; it must be 0 to 3600"},
      {&kMvsFile, parameter(kMvsFile, "Start Taper Length (mS)"), 11650,
       "\"Start Taper Length (mS)\" and \"End Taper Length (mS)\" together (12000 ms) cover "
       "the whole \"Truncate Time (mS)\" (12000 ms)"},
      {&kRsfFile, parameter(kRsfFile, "Pulse End Time (mS)"), 200,
       "\"Pulse Start Time (mS)\" (200) must be below \"Pulse End Time (mS)\" (200)"},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ViewerSettings written;
    app::ApplyDefaultSettings(written);
    EXPECT_EQ(checkSetupValues(*c.kind, written), "");
    set(written, c.field, c.value);
    EXPECT_NE(checkSetupValues(*c.kind, written).find(c.message), std::string::npos)
        << checkSetupValues(*c.kind, written);
    const auto path = dir / (std::string("bad") + std::string(c.kind->extension));
    ASSERT_EQ(writeSetupFile(*c.kind, path, written), "");

    ViewerSettings s;
    app::ApplyDefaultSettings(s);
    const ViewerSettings before = s;
    const std::string error = readSetupFile(*c.kind, path, s);
    EXPECT_NE(error.find(path.string()), std::string::npos) << error;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_TRUE(std::ranges::equal(s.bytes(), before.bytes()));
  }
}

}  // namespace
}  // namespace vorax::vibsim
