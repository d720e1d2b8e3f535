#include "interchange/segy_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorax::interchange {
namespace {

TEST(SegyFields, ScalesValuesWithTheFewestDecimalsThatHoldThem) {
  const struct {
    std::vector<double> values;
    std::int16_t scalar;
    std::vector<std::int32_t> stored;
    bool rounded;
  } kCases[] = {
      {{512000, 6234000}, 1, {512000, 6234000}, false},
      {{512287.5, 6234300, 512000.25}, -100, {51228750, 623430000, 51200025}, false},
      {{-0.001}, -1000, {-1}, false},
      // 4 decimals at most: the fifth is rounded.
      {{0.12345678}, -10000, {1235}, true},
      // 6,234,300.25 x 1000 would pass 2^31: two decimals are all that fit.
      {{6234300.257}, -100, {623430026}, true},
  };
  for (const auto& c : kCases) {
    const std::optional<ScaledValues> scaled = scaledValues(c.values);
    ASSERT_TRUE(scaled) << c.values[0];
    EXPECT_EQ(scaled->scalar, c.scalar) << c.values[0];
    EXPECT_EQ(scaled->stored, c.stored) << c.values[0];
    EXPECT_EQ(scaled->rounded, c.rounded) << c.values[0];
  }
  EXPECT_FALSE(scaledValues({3e9}));
  EXPECT_FALSE(scaledValues({1, std::numeric_limits<double>::quiet_NaN()}));
}

TEST(SegyFields, ReadsTheShotTimeFromTheSummary) {
  const auto timeOf = [](const char* date, const char* time) {
    decode::RecordSummary s;
    s.recordDate = date;
    s.recordTime = time;
    return shotTimeOf(s);
  };
  const std::optional<ShotTime> leap = timeOf("2024-05-9", "10:42:17");  // 31+29+31+30+9
  ASSERT_TRUE(leap);
  EXPECT_EQ(leap->year, 2024);
  EXPECT_EQ(leap->dayOfYear, 130);
  EXPECT_EQ(leap->hour, 10);
  EXPECT_EQ(leap->minute, 42);
  EXPECT_EQ(leap->second, 17);
  EXPECT_EQ(timeOf("2007-02-21", "13:04:15")->dayOfYear, 52);
  EXPECT_EQ(timeOf("2023-12-31", "00:00:00")->dayOfYear, 365);
  EXPECT_FALSE(timeOf("2023-02-29", "10:00:00"));
  EXPECT_FALSE(timeOf("2023-01-01", "24:00:00"));
  EXPECT_FALSE(timeOf("", ""));
  EXPECT_FALSE(timeOf("7/MAR/2018", "03:12:45"));
}

TEST(SegyFields, RoundsAnIntervalThatIsNotWholeMicroseconds) {
  EXPECT_EQ(segyInterval(1000)->us, 1000);
  EXPECT_TRUE(segyInterval(1000)->warning.empty());
  const std::optional<SegyInterval> seg2 = segyInterval(62.5f);
  ASSERT_TRUE(seg2);
  EXPECT_EQ(seg2->us, 63);
  EXPECT_EQ(seg2->warning,
            "the sample interval 62.5 us is not whole microseconds: SEG-Y holds it as 63 us");
  EXPECT_FALSE(segyInterval(0));
  EXPECT_FALSE(segyInterval(40000));
  EXPECT_FALSE(segyInterval(std::numeric_limits<float>::quiet_NaN()));
}

TEST(SegyFields, TextualHeaderIsFortyCardsListingWhatFits) {
  decode::RecordSummary summary;
  summary.fileNumber = "100";
  summary.recordDate = "2007-02-21";
  summary.recordTime = "13:04:15";
  const RecordListing one{"shot_100.segd", "Sercel (manufacturer code 13)", &summary};
  const std::string text = textualHeader({one}, false);
  ASSERT_EQ(text.size(), 3200u);
  const auto card = [&](const std::string& t, int n) { return t.substr((n - 1) * 80, 80); };
  EXPECT_EQ(card(text, 1).substr(0, 4), "C 1 ");
  const auto trimmed = [](std::string s) { return s.erase(s.find_last_not_of(' ') + 1); };
  EXPECT_EQ(trimmed(card(text, 3)), "C 3 RECORD 1: FILE 100  DATE 2007-02-21  TIME 13:04:15");
  EXPECT_EQ(trimmed(card(text, 4)), "C 4   RECORDER Sercel (manufacturer code 13)");
  EXPECT_EQ(trimmed(card(text, 5)), "C 5   SOURCE FILE shot_100.segd");
  EXPECT_EQ(card(text, 40).substr(0, 22), "C40 END TEXTUAL HEADER");

  const std::string many = textualHeader(std::vector<RecordListing>(20, one), true);
  ASSERT_EQ(many.size(), 3200u);
  EXPECT_NE(card(many, 2).find("SORTED BY CHANNEL"), std::string::npos);
  // Cards 3-32 hold 9 records of three cards and the count of the rest.
  EXPECT_EQ(card(many, 27).substr(0, 14), "C27 RECORD 9: ");
  EXPECT_EQ(trimmed(card(many, 30)), "C30 AND 11 MORE RECORDS");
  EXPECT_EQ(trimmed(card(many, 33)).substr(0, 17), "C33 TRACE HEADER:");
}

}  // namespace
}  // namespace vorax::interchange
