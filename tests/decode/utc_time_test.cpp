#include "decode/utc_time.h"

#include <gtest/gtest.h>

namespace vorax::decode {
namespace {

constexpr std::uint64_t kSecond = 1000000;

std::string gpsText(std::uint64_t gpsUs, UtcDigits digits = UtcDigits::Micro) {
  const auto utc = utcFromGpsMicroseconds(gpsUs);
  return utc ? utcText(*utc, digits) : "none";
}

// GPS seconds of UTC instants as the IERS leap second list gives them: GPS time was UTC at
// 1980-01-06 and runs 1 s further ahead after each leap second.
TEST(UtcTime, GpsTimesLessTheLeapSecondsBeforeThem) {
  EXPECT_EQ(gpsText(0), "1980-01-06T00:00:00.000000Z");
  // 1981-06-30 23:59:59 UTC is 46828799 s after the epoch; then comes the first leap second.
  EXPECT_EQ(gpsText(46828799 * kSecond), "1981-06-30T23:59:59.000000Z");
  EXPECT_EQ(gpsText(46828800 * kSecond), "1981-07-01T00:00:00.000000Z");  // 23:59:60
  EXPECT_EQ(gpsText(46828801 * kSecond), "1981-07-01T00:00:00.000000Z");
  EXPECT_EQ(gpsText(46828802 * kSecond), "1981-07-01T00:00:01.000000Z");
  // 2017-01-01 00:00:00 UTC is GPS 1167264018, 18 s ahead.
  EXPECT_EQ(gpsText(1167264016 * kSecond + 500000), "2016-12-31T23:59:59.500000Z");
  EXPECT_EQ(gpsText(1167264018 * kSecond), "2017-01-01T00:00:00.000000Z");
  EXPECT_EQ(gpsText(1167264019 * kSecond + 4000, UtcDigits::Short), "2017-01-01T00:00:01.004Z");
  EXPECT_EQ(gpsText(1167264019 * kSecond + 4250, UtcDigits::Short), "2017-01-01T00:00:01.004250Z");
}

TEST(UtcTime, UnixMicrosecondsAndTheRangeKept) {
  // ObsPy reads these bytes of a Fairfield record as 2017-08-09T16:00:00.380000Z.
  const auto fairfield = utcFromUnixMicroseconds(0x000556542c152c60);
  ASSERT_TRUE(fairfield);
  EXPECT_EQ(utcText(*fairfield), "2017-08-09T16:00:00.380000Z");
  EXPECT_EQ(utcText(*utcFromUnixMicroseconds(951782400 * kSecond)), "2000-02-29T00:00:00.000000Z");
  EXPECT_EQ(utcText(*utcFromUnixMicroseconds(253402300799 * kSecond + 999999)),
            "9999-12-31T23:59:59.999999Z");
  EXPECT_FALSE(utcFromUnixMicroseconds(0));  // before 1980: a blank field
  EXPECT_FALSE(utcFromUnixMicroseconds(253402300800 * kSecond));
  EXPECT_FALSE(utcFromUnixMicroseconds(UINT64_MAX));
  EXPECT_FALSE(utcFromGpsMicroseconds(UINT64_MAX));
  EXPECT_EQ(utcText(-1), "");
  EXPECT_EQ(utcText(INT64_MAX), "");
}

}  // namespace
}  // namespace vorax::decode
