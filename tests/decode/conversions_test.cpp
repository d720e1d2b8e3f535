#include "decode/conversions.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace vorax::decode {
namespace {

using B = std::vector<std::uint8_t>;

TEST(Conversions, HexDigitsAreUpperCaseHighNibbleFirst) {
  EXPECT_EQ(hexdigits(B{0x25, 0xAF, 0x00}), "25AF00");
  EXPECT_EQ(hexdigits(B{0xFF}), "FF");
  EXPECT_EQ(hexdigits(B{}), "");
}

TEST(Conversions, Bcd2StringDOrder) {
  B bytes{0x12, 0x34, 0x56};
  EXPECT_EQ(BCD2STRINGD(bytes, 3, "0"), "123456");
  EXPECT_EQ(BCD2STRINGD(bytes, 3, " 1 "), "563412");
  EXPECT_EQ(BCD2STRINGD(bytes, 2, ""), "1234");
}

TEST(Conversions, Bcd2StringWritesEachNibbleInDecimal) {
  EXPECT_EQ(bcd2string(B{0x25}), "25");
  EXPECT_EQ(bcd2string(B{0x1C}), "112");  // nibble 12 gives two characters
  EXPECT_EQ(bcd2string(B{0xFF}), "1515");
}

TEST(Conversions, BinToDecimalAndNumber) {
  EXPECT_EQ(bintodecimal(B{0x00, 0x01, 0x86, 0xA0}), "100000");
  EXPECT_EQ(bintodecimal(B{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
            "4722366482869645213695");                          // 2^72 - 1
  EXPECT_EQ(bintodecimal(B(8, 0xFF)), "18446744073709551615");  // 2^64 - 1
  EXPECT_EQ(bintodecimal(B{}), "0");
  EXPECT_EQ(bintodecimal(B(10, 0)), "Too Big");
  EXPECT_EQ(bintonumber(B{0x01, 0x00}), 256);
  EXPECT_EQ(bintonumber(B(10, 0)), 2147483647);
  EXPECT_EQ(bintonumber(B{0xFF, 0xFF, 0xFF, 0xFF}), 2147483647);  // does not fit: saturates
}

TEST(Conversions, RevisionAndIeeeTexts) {
  EXPECT_EQ(revisiontext(B{2, 1}), "2.1");
  EXPECT_EQ(revisiontext(B{1, 0}), "1.0");
  // 406.96f = 0x43CB7AE1
  EXPECT_EQ(ieeesingletext(B{0x43, 0xCB, 0x7A, 0xE1}), "406.96");
  EXPECT_EQ(ieeesingletext(B{0x3F, 0xC0, 0x00, 0x00}), "1.5");
  // 1234567.25 as a double = 0x4132D687 40000000
  EXPECT_EQ(ieeedoubletext(B{0x41, 0x32, 0xD6, 0x87, 0x40, 0x00, 0x00, 0x00}), "1234567.25");
}

TEST(Conversions, FractionalText) {
  EXPECT_EQ(fractionaltext(B{0x00, 0x00, 0x64, 0x00, 0x50}), "100.0050");
  EXPECT_EQ(fractionaltext(B{0x00, 0x01, 0x2C, 0x12, 0x34}), "300.1234");
}

TEST(Conversions, DateFromJulian) {
  EXPECT_EQ(datefromjulian(5, 60), "2005-03-01");
  EXPECT_EQ(datefromjulian(4, 60), "2004-02-29");
  EXPECT_EQ(datefromjulian(99, 1), "1999-01-01");
  EXPECT_EQ(datefromjulian(71, 365), "1971-12-31");
  EXPECT_EQ(datefromjulian(70, 32), "2070-02-01");
  // 366 or more forces a leap February and clamps to 366: the last day of the year.
  EXPECT_EQ(datefromjulian(5, 366), "2005-12-31");
  EXPECT_EQ(datefromjulian(5, 999), "2005-12-31");
}

TEST(Conversions, GetMonth) {
  EXPECT_EQ(getmonth(1), "Jan");
  EXPECT_EQ(getmonth(12), "Dec");
  EXPECT_EQ(getmonth(0), "bad");
  EXPECT_EQ(getmonth(13), "bad");
}

TEST(Conversions, NumericValueReadsLeadingDecimalDigitsOnly) {
  EXPECT_EQ(numericValue("1A"), 1);
  EXPECT_EQ(numericValue("FF"), 0);
  EXPECT_EQ(numericValue("0125"), 125);
  EXPECT_EQ(numericValue("1E05"), 1);  // hex digits, not an exponent
  EXPECT_DOUBLE_EQ(numericValue("100.0050"), 100.005);
  EXPECT_EQ(numericValue("  -12"), -12);
  EXPECT_EQ(numericValue(""), 0);
  EXPECT_EQ(numericInt("99999999999"), 2147483647);
}

TEST(Conversions, ShortestText) {
  EXPECT_EQ(shortestText(1000.0), "1000");
  EXPECT_EQ(shortestText(0.25), "0.25");
  EXPECT_EQ(shortestText(406.96f), "406.96");
  EXPECT_EQ(shortestText(1.0e7), "10000000");
  EXPECT_EQ(shortestText(-0.5f), "-0.5");
}

TEST(Conversions, ShortestTextLayoutAtTheEdges) {
  const struct {
    double value;
    const char* text;
  } doubles[] = {
      {0.00006742, "0.00006742"},  // plain down to 1e-6
      {1e-6, "0.000001"},
      {1.5e-7, "1.5e-07"},  // an exponent below
      {-2.5e-9, "-2.5e-09"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1e+15"},  // an exponent from 1e15 on, where the digits end before the units
      {1234567890123456.0, "1234567890123456"},
      {0.1 + 0.2, "0.30000000000000004"},  // 17 digits when the double needs them
      {-0.0, "0"},
      {5e-324, "5e-324"},
  };
  for (const auto& [value, text] : doubles) EXPECT_EQ(shortestText(value), text) << text;
  // 190944592 is a float whose neighbours lie 16 away: 190944590 names it with 8 digits.
  EXPECT_EQ(shortestText(190944592.0f), "190944590");
  EXPECT_EQ(shortestText(0.1f), "0.1");
  EXPECT_EQ(shortestText(1e-6f), "1e-06");  // 1e-6f lies just below 1e-6
  EXPECT_EQ(shortestText(3.4028235e38f), "3.4028235e+38");
  EXPECT_EQ(shortestText(std::numeric_limits<float>::quiet_NaN()), "NaN");
  EXPECT_EQ(shortestText(-std::numeric_limits<double>::infinity()), "-Infinity");
}

}  // namespace
}  // namespace vorax::decode
