#include "app/utilities.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace vorax::app {
namespace {

constexpr float kPi = 3.14159265358979f;

TEST(ChooseStep, GivesTheStepNearestTenIntervals) {
  EXPECT_FLOAT_EQ(CHOOSESTEP(0, 1000), 100);
  EXPECT_FLOAT_EQ(CHOOSESTEP(0, 3000), 400);  // 7.5 intervals; 500 gives 6, 200 gives 15
  EXPECT_FLOAT_EQ(CHOOSESTEP(0, 1), 0.1f);
  EXPECT_FLOAT_EQ(CHOOSESTEP(3000, 0), 400);  // the range's direction does not matter
  EXPECT_FLOAT_EQ(CHOOSESTEP(-1, 1), 0.2f);   // a late candidate wins when strictly closer
}

TEST(ChooseStep, EmptyRangeGivesTheFirstCandidate) {
  EXPECT_FLOAT_EQ(CHOOSESTEP(7, 7), 0.01f);
}

TEST(ChooseStep, OnATieTheEarlierCandidateWins) {
  // 1200 / 100 = 12 and 1200 / 150 = 8 are both 2 from ten intervals.
  EXPECT_FLOAT_EQ(CHOOSESTEP(0, 1200), 100);
}

TEST(HlsToRgb, PrimaryHuesAtFullSaturation) {
  EXPECT_EQ(HLSTORGB(0, 120, 240), 0x000000FFu);    // red
  EXPECT_EQ(HLSTORGB(80, 120, 240), 0x0000FF00u);   // green: hue 120 degrees
  EXPECT_EQ(HLSTORGB(160, 120, 240), 0x00FF0000u);  // blue: hue 240, red's 360 stays 360
}

TEST(HlsToRgb, RampsAndLightnessAboveOneHalf) {
  // Hue 30 degrees: green rises halfway, 0.5 x 255 = 127.5 rounds to 128.
  EXPECT_EQ(HLSTORGB(20, 120, 240), 0x000080FFu);
  // L = 0.75: m2 = 1, m1 = 0.5, so green and blue sit at 128.
  EXPECT_EQ(HLSTORGB(0, 180, 240), 0x008080FFu);
}

TEST(HlsToRgb, ZeroSaturationIsGrey) {
  EXPECT_EQ(HLSTORGB(77, 120, 0), 0x00808080u);
  EXPECT_EQ(HLSTORGB(200, 240, 0), 0x00FFFFFFu);
  EXPECT_EQ(HLSTORGB(10, 0, 0), 0x00000000u);
}

TEST(Atan2, FollowsItsOwnQuadrantRules) {
  EXPECT_FLOAT_EQ(ATAN2(0, -1), 0);  // not pi
  EXPECT_FLOAT_EQ(ATAN2(1, 0), kPi / 2);
  EXPECT_FLOAT_EQ(ATAN2(-1, 0), -kPi / 2);
  EXPECT_FLOAT_EQ(ATAN2(0, 0), 0);
  EXPECT_FLOAT_EQ(ATAN2(2, 0.00000001f), kPi / 2);
  EXPECT_FLOAT_EQ(ATAN2(1, 1), kPi / 4);
  EXPECT_FLOAT_EQ(ATAN2(1, -1), 3 * kPi / 4);
  EXPECT_FLOAT_EQ(ATAN2(-1, -1), -3 * kPi / 4);
}

TEST(PadOut, TrimsThenCutsOrPads) {
  std::string s = "  ab ";
  EXPECT_EQ(PADOUT(s, 4), "ab  ");
  EXPECT_EQ(s, "ab  ");
  std::string six = "abcdef";
  EXPECT_EQ(PADOUT(six, 4), "abcd");
  std::string exact = "abcd";
  EXPECT_EQ(PADOUT(exact, 4), "abcd");
  std::string blank = "   ";
  EXPECT_EQ(PADOUT(blank, 2), "  ");
  std::string inner = " a b ";
  EXPECT_EQ(PADOUT(inner, 0), "");
  std::string any = "x";
  EXPECT_EQ(PADOUT(any, -3), "");
}

TEST(FileLen, SizeOfAFileOrMinusOne) {
  test::TempDir dir;
  test::writeFileBytes(dir / "f.segd", std::vector<std::uint8_t>(1234, 7));
  EXPECT_EQ(FILELEN(dir / "f.segd"), 1234);
  test::writeFileBytes(dir / "empty", {});
  EXPECT_EQ(FILELEN(dir / "empty"), 0);
  EXPECT_EQ(FILELEN(dir / "missing"), -1);
  EXPECT_EQ(FILELEN(dir.path()), -1);
}

TEST(FolderOfPath, TextBeforeTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(FolderOfPath("C:\\Data\\Line 7\\00001234.segd"), "C:\\Data\\Line 7");
  EXPECT_EQ(FolderOfPath("/data/line7/00001234.segd"), "/data/line7");
  EXPECT_EQ(FolderOfPath("C:\\data/sub\\f"), "C:\\data/sub");
  EXPECT_EQ(FolderOfPath("C:/a\\b/f"), "C:/a\\b");
  EXPECT_EQ(FolderOfPath("00001234.segd"), "");
  EXPECT_EQ(FolderOfPath("/f.segd"), "/");
}

}  // namespace
}  // namespace vorax::app
