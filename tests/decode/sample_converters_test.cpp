#include "decode/sample_converters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vorax::decode {
namespace {

using Raw = std::vector<std::uint8_t>;

// IEEE single bit patterns of the values the tests use.
constexpr std::uint32_t kHalf = 0x3F000000;      // 0.5
constexpr std::uint32_t kOne = 0x3F800000;       // 1.0
constexpr std::uint32_t kMinusTwo = 0xC0000000;  // -2.0
constexpr std::uint32_t kFour = 0x40800000;      // 4.0
constexpr std::uint32_t kQuietNaN = 0x7FC00000;
constexpr std::uint32_t kInfinity = 0x7F800000;

Raw bigWords(std::initializer_list<std::uint32_t> words) {
  Raw raw;
  for (std::uint32_t w : words) {
    for (int shift = 24; shift >= 0; shift -= 8)
      raw.push_back(static_cast<std::uint8_t>(w >> shift));
  }
  return raw;
}

Raw littleWords(std::initializer_list<std::uint32_t> words) {
  Raw raw;
  for (std::uint32_t w : words) {
    for (int shift = 0; shift <= 24; shift += 8)
      raw.push_back(static_cast<std::uint8_t>(w >> shift));
  }
  return raw;
}

TEST(BigSingleNorm, NegativePeakBecomesMinusOne) {
  std::vector<float> out(3);
  float scale = 1;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENORM(bigWords({kHalf, kMinusTwo, kOne}), 3, out, scale), 0);
  EXPECT_EQ(out, (std::vector<float>{0.25f, -1.0f, 0.5f}));
  EXPECT_EQ(scale, 1.0f);
}

TEST(BigSingleNorm, ScaleRules) {
  const Raw raw = bigWords({kHalf, kMinusTwo});
  std::vector<float> out(2);
  float three = 3;
  ARRAYBIGSINGLETOLITTLENORM(raw, 2, out, three);
  EXPECT_EQ(three, 6.0f);  // scale passed in x peak 2
  float zero = 0;
  ARRAYBIGSINGLETOLITTLENORM(raw, 2, out, zero);
  EXPECT_EQ(zero, 1.0f);  // 0 is taken as 1
}

TEST(BigSingleNorm, AllZeroTraceReturnsMinusOneWithScaleZero) {
  std::vector<float> out(3, 9.0f);
  float scale = 5;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENORM(Raw(12, 0), 3, out, scale), -1);
  EXPECT_EQ(scale, 0.0f);
  EXPECT_EQ(out, (std::vector<float>{0, 0, 0}));
}

TEST(BigSingleNorm, NonFiniteSamplesAreKeptButNeverThePeak) {
  std::vector<float> out(4);
  float scale = 1;
  const Raw raw = bigWords({kQuietNaN, kFour, kInfinity, kMinusTwo});
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENORM(raw, 4, out, scale), 0);
  EXPECT_TRUE(std::isnan(out[0]));
  EXPECT_EQ(out[1], 1.0f);
  EXPECT_TRUE(std::isinf(out[2]));
  EXPECT_EQ(out[3], -0.5f);

  std::vector<float> allNaN(2);
  float nanScale = 1;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENORM(bigWords({kQuietNaN, kQuietNaN}), 2, allNaN, nanScale), -1);
  EXPECT_EQ(nanScale, 0.0f);
  EXPECT_TRUE(std::isnan(allNaN[0]) && std::isnan(allNaN[1]));
}

TEST(BigSingleNorm, ShortRawAndShortOutputAreSafe) {
  // One whole sample (1.0) and half of 4.0: the missing bytes count as zeros, which
  // leaves 0x40800000 = 4.0; the third sample is missing altogether.
  const Raw raw{0x3F, 0x80, 0x00, 0x00, 0x40, 0x80};
  std::vector<float> out(4, 9.0f);
  float scale = 1;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENORM(raw, 3, out, scale), 0);
  EXPECT_EQ(out, (std::vector<float>{0.25f, 1.0f, 0.0f, 9.0f}));

  std::vector<float> two(2);
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENORM(bigWords({kOne, kMinusTwo, kFour}), 100, two, scale), 0);
  EXPECT_EQ(two, (std::vector<float>{0.5f, -1.0f}));  // peak of the two converted samples

  float untouched = 1;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENORM(Raw{}, -5, out, untouched), -1);
  EXPECT_EQ(out[0], 0.25f);
}

TEST(PeakFromScaleNorm, LittleSinglesStartThePeakAtTheScale) {
  const Raw raw = littleWords({kHalf, 0xBF800000});  // 0.5, -1.0
  std::vector<float> out(2);
  float two = 2;
  EXPECT_EQ(ARRAYLITTLESINGLETOLITTLENORM(raw, 2, out, two), 0);
  EXPECT_EQ(out, (std::vector<float>{0.25f, -0.5f}));  // divided by the scale, not by 1
  EXPECT_EQ(two, 4.0f);                                // 2 x peak 2

  float zero = 0;
  EXPECT_EQ(ARRAYLITTLESINGLETOLITTLENORM(littleWords({kHalf, kFour}), 2, out, zero), 0);
  EXPECT_EQ(out, (std::vector<float>{0.125f, 1.0f}));
  EXPECT_EQ(zero, 0.0f);  // the scale passed in (0) x peak
}

TEST(PeakFromScaleNorm, LongIntegers) {
  std::vector<float> out(2);
  float one = 1;
  EXPECT_EQ(ARRAYLITTLELONGINTTOLITTLESINGLENORM(littleWords({100, 0xFFFFFE70}), 2, out, one), 0);
  EXPECT_EQ(out, (std::vector<float>{0.25f, -1.0f}));  // 100 / 400, -400 / 400
  EXPECT_EQ(one, 400.0f);

  float thousand = 1000;
  EXPECT_EQ(ARRAYBIGLONGINTTOLITTLESINGLENORM(bigWords({0xFFFFFE70, 100}), 2, out, thousand), 0);
  EXPECT_FLOAT_EQ(out[0], -0.4f);
  EXPECT_FLOAT_EQ(out[1], 0.1f);
  EXPECT_EQ(thousand, 1.0e6f);

  // A negative scale with a silent trace leaves a peak of 0: nothing to divide by.
  float negative = -1;
  EXPECT_EQ(ARRAYBIGLONGINTTOLITTLESINGLENORM(Raw(8, 0), 2, out, negative), -1);
  EXPECT_EQ(negative, 0.0f);
}

TEST(NotNorm, KeepsValuesAndTakesTheLargerScale) {
  const Raw raw = bigWords({kHalf, kMinusTwo, kQuietNaN, kInfinity});
  std::vector<float> out(4);
  float one = 1;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLENOTNORM(raw, 4, out, one), 0);
  EXPECT_EQ(out[0], 0.5f);
  EXPECT_EQ(out[1], -2.0f);
  EXPECT_TRUE(std::isnan(out[2]));
  EXPECT_EQ(one, 2.0f);
  float five = 5;
  ARRAYBIGSINGLETOLITTLENOTNORM(raw, 4, out, five);
  EXPECT_EQ(five, 5.0f);
}

TEST(FixedAndPlain, DivideByScaleOrCopy) {
  const Raw raw = bigWords({kHalf, kMinusTwo});
  std::vector<float> out(2);
  float two = 2;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLEFIXED(raw, 2, out, two), 0);
  EXPECT_EQ(out, (std::vector<float>{0.25f, -1.0f}));
  EXPECT_EQ(two, 2.0f);
  float zero = 0;
  EXPECT_EQ(ARRAYBIGSINGLETOLITTLEFIXED(raw, 2, out, zero), 0);
  EXPECT_EQ(out, (std::vector<float>{0.5f, -2.0f}));  // a zero scale divides by 1
  EXPECT_EQ(zero, 0.0f);

  std::vector<float> plain(3, 9.0f);
  EXPECT_EQ(arraybigsingletolittle(raw, 3, plain), 0);
  EXPECT_EQ(plain, (std::vector<float>{0.5f, -2.0f, 0.0f}));
}

TEST(FixedAndPlain, LongTracesDecodeEveryWordInPlace) {
  // Nine words: two whole groups of four and a tail, each byte of each word distinct, so a
  // swap that mixes up words or bytes shows. 0x40490FDB is 3.1415927f, 0xC2F6E979 -123.456f.
  const Raw raw = bigWords(
      {kHalf, 0x40490FDB, kMinusTwo, 0xC2F6E979, kFour, kOne, 0x00000001, 0x80000000, kHalf});
  std::vector<float> out(9);
  EXPECT_EQ(arraybigsingletolittle(raw, 9, out), 0);
  EXPECT_EQ(out, (std::vector<float>{0.5f, 3.1415927f, -2.0f, -123.456f, 4.0f, 1.0f, 1.4e-45f,
                                     -0.0f, 0.5f}));
  EXPECT_TRUE(std::signbit(out[7]));
}

}  // namespace
}  // namespace vorax::decode
