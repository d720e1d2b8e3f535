#include "spread/spread_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "spread/spread_drawing.h"
#include "spread/spread_layout.h"
#include "spread/spread_record.h"

namespace vorax::spread {
namespace {

using app::kBlack;
using app::kBlue;
using app::kGreen;
using app::kMagenta;
using app::kRed;
using app::kWhite;
using app::kYellow;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(SpreadThresholds, DerivedFromTheLimitsAsEachMapDefines) {
  struct Case {
    MapKind kind;
    float l1, l2;
    Thresholds expected;
  } cases[] = {
      {MapKind::Resistance, 250, 500, {500.0f, 700.0f, 900.0f, 250.0f, 150.0f, 50.0f}},
      {MapKind::Capacitance, 80, 120, {120.0f, 168.0f, 216.0f, 80.0f, 48.0f, 16.0f}},
      {MapKind::Leakage, 5, 5, {{}, {}, {}, 10.0f, 7.5f, 5.0f}},  // raised to 10
      {MapKind::Leakage, 40, 40, {{}, {}, {}, 40.0f, 30.0f, 20.0f}},
      {MapKind::Tilt, 0.1f, 0.1f, {0.2f, 0.3f, 0.4f, {}, {}, {}}},  // raised to 0.2
      {MapKind::Tilt, 10, 10, {10.0f, 15.0f, 20.0f, {}, {}, {}}},
      {MapKind::Errors, 1, 2, {}},
  };
  for (const Case& c : cases) {
    const Thresholds t = deriveThresholds(c.kind, c.l1, c.l2);
    SCOPED_TRACE(std::string(captionOf(c.kind)) + " " + std::to_string(c.l1));
    auto same = [](std::optional<float> a, std::optional<float> b) {
      ASSERT_EQ(a.has_value(), b.has_value());
      if (a) {
        EXPECT_NEAR(*a, *b, 1e-5f * std::abs(*b));
      }
    };
    same(t.upperLimit, c.expected.upperLimit);
    same(t.upper2, c.expected.upper2);
    same(t.upper3, c.expected.upper3);
    same(t.lowerLimit, c.expected.lowerLimit);
    same(t.lower2, c.expected.lower2);
    same(t.lower3, c.expected.lower3);
  }
}

// A trace whose `kind` test reads `v`, its error flag set or not; the other tests are 0.
decode::TraceHeaderInfo withValue(MapKind kind, float v, bool errorFlag = false) {
  decode::TraceHeaderInfo info;
  const auto set = [&](float& value, std::int32_t& error) {
    value = v;
    error = errorFlag ? 1 : 0;
  };
  if (kind == MapKind::Resistance) set(info.resistance, info.resistanceError);
  if (kind == MapKind::Capacitance) set(info.capacitance, info.capacitanceError);
  if (kind == MapKind::Leakage) set(info.leakage, info.leakageError);
  if (kind == MapKind::Tilt) set(info.tilt, info.tiltError);
  return info;
}

TEST(SpreadColours, EachBandInclusiveFirstRowWinsAndCyanOverrides) {
  // Limits unless a row gives its own: resistance and capacitance 250-500 (bands 900 / 700 /
  // 500 / 250 / 150 / 50), leakage 1 raised to 10 (7.5 / 5), tilt 10 (15 / 20).
  struct Case {
    MapKind kind;
    float value;
    bool error;
    Colorref expected;
    ColourContext context = {};
    std::optional<MapLimits> limits = {};
  } cases[] = {
      {MapKind::Resistance, 250, false, kGreen},
      {MapKind::Resistance, 500, false, kGreen},
      {MapKind::Resistance, 500.5f, false, kYellow},
      {MapKind::Resistance, 700, false, kYellow},
      {MapKind::Resistance, 800, false, kSalmon},
      {MapKind::Resistance, 900, false, kSalmon},
      {MapKind::Resistance, 900.5f, false, kRed},
      {MapKind::Resistance, 200, false, kOlive},
      {MapKind::Resistance, 150, false, kOlive},
      {MapKind::Resistance, 100, false, kMidBlue},
      {MapKind::Resistance, 49, false, kBlack},
      {MapKind::Resistance, 0.5f, false, kCyan},    // open circuit without error: cyan
      {MapKind::Resistance, 0.5f, true, kBlack},    // with its error flag: its band
      {MapKind::Capacitance, 0.5f, false, kBlack},  // no cyan rule for capacitance
      {MapKind::Leakage, 10.5f, false, kGreen},
      {MapKind::Leakage, 10, false, kYellow},
      {MapKind::Leakage, 7.5f, false, kYellow},
      {MapKind::Leakage, 6, false, kSalmon},
      {MapKind::Leakage, 4, false, kRed},
      {MapKind::Leakage, 0.5f, false, kCyan},
      {MapKind::Leakage, 0.5f, true, kRed},
      {MapKind::Tilt, 9.9f, false, kGreen},
      {MapKind::Tilt, 10, false, kYellow},
      {MapKind::Tilt, 15, false, kYellow},
      {MapKind::Tilt, 18, false, kSalmon},
      {MapKind::Tilt, 21, false, kRed},
      {MapKind::Tilt, -80, false, kGreen},
      // Below -70 cyan only with more than 100 tilt errors and the setting to ignore them on.
      {MapKind::Tilt, -80, false, kCyan, {101, true}},
      {MapKind::Tilt, -80, false, kGreen, {100, true}},
      {MapKind::Tilt, -80, false, kGreen, {101, false}},
      {MapKind::Tilt, -70, false, kGreen, {101, true}},
      {MapKind::Resistance, kNaN, false, kNoValueGrey},  // not recorded: never a band
      // A limit that is not a number leaves values in no band: grey.
      {MapKind::Capacitance, 100, false, kOutOfRangeGrey, {}, MapLimits{kNaN, kNaN}},
  };
  for (const Case& c : cases) {
    const MapLimits limits =
        c.limits.value_or(c.kind == MapKind::Resistance || c.kind == MapKind::Capacitance
                              ? MapLimits{250, 500}
                              : (c.kind == MapKind::Leakage ? MapLimits{1, 1} : MapLimits{10, 10}));
    const Thresholds t = deriveThresholds(c.kind, limits.first, limits.second);
    EXPECT_EQ(boxColour(c.kind, withValue(c.kind, c.value, c.error), t, c.context), c.expected)
        << captionOf(c.kind) << " " << c.value << " error " << c.error << " tilt errors "
        << c.context.tiltErrorCount << " ignored " << c.context.ignoreTiltErrors;
  }
}

TEST(SpreadColours, ErrorCodesFollowTheTable) {
  const Colorref expected[16] = {kGreen,  kBlue,  kMagenta, kYellow, kBlack,  kYellow,
                                 kYellow, kWhite, kRed,     kYellow, kYellow, kWhite,
                                 kWhite,  kWhite, kWhite,   kWhite};
  for (int code = 0; code < 16; ++code) {
    decode::TraceHeaderInfo info;
    info.resistanceError = (code >> 3) & 1;
    info.capacitanceError = (code >> 2) & 1;
    info.tiltError = (code >> 1) & 1;
    info.leakageError = code & 1;
    EXPECT_EQ(mapValueOf(MapKind::Errors, info), code);
    EXPECT_EQ(boxColour(MapKind::Errors, info, {}, {}), expected[code]) << "code " << code;
  }
  decode::TraceHeaderInfo notOne;
  notOne.resistanceError = 2;  // only a flag equal to 1 counts
  EXPECT_EQ(boxColour(MapKind::Errors, notOne, {}, {}), kGreen);
}

std::vector<std::string> textsOf(const std::vector<LegendRow>& rows) {
  std::vector<std::string> texts;
  for (const LegendRow& r : rows) texts.push_back(r.text);
  return texts;
}

TEST(SpreadLegend, RowsAndTextsOfEachMap) {
  using Texts = std::vector<std::string>;
  EXPECT_EQ(
      textsOf(legendRows(MapKind::Resistance, deriveThresholds(MapKind::Resistance, 250, 500), {})),
      (Texts{" >900", " 700-900", " 500-700", " 250-500", " 150-250", " 50-150", " <50"}));
  EXPECT_EQ(textsOf(legendRows(MapKind::Leakage, deriveThresholds(MapKind::Leakage, 5, 5), {})),
            (Texts{" >10K", " 8-10K", " 5-8K", " <5K"}));  // 7.5 shown whole, rounded up
  EXPECT_EQ(textsOf(legendRows(MapKind::Tilt, deriveThresholds(MapKind::Tilt, 0.1f, 0.1f), {})),
            (Texts{" >0.4", " 0.3-0.4", " 0.2-0.3", " <0.2"}));
  EXPECT_EQ(textsOf(legendRows(MapKind::Tilt, deriveThresholds(MapKind::Tilt, 10, 10), {})),
            (Texts{" >20", " 15-20", " 10-15", " <10"}));
  const std::vector<LegendRow> errors = legendRows(MapKind::Errors, {}, {});
  EXPECT_EQ(textsOf(errors), (Texts{" None", " Leakage", " Tilt", " Multiple", " Capacitance",
                                    " Resistance", " Other"}));
  EXPECT_EQ(errors.back().colour, kWhite);  // as the map paints "other" codes
}

TEST(SpreadLegend, NoValueAndOutOfRangeRowsOnlyWhenSuchATraceExists) {
  auto record = test::makeGridRecord(1, 3);
  record.traceInfo[1].resistance = 300;
  record.traceInfo[2].resistance = 400;
  record.traceInfo[3].resistance = 450;
  EXPECT_EQ(computeSpreadMap(record, MapKind::Resistance, {}).legend.size(), 7u);

  // A trace without a resistance is "no value", never a band: here trace 2 holds other values.
  record.traceInfo[2].resistance = kNaN;
  record.traceInfo[2].tilt = 1;
  SpreadMap map = computeSpreadMap(record, MapKind::Resistance, {});
  ASSERT_EQ(map.legend.size(), 8u);
  EXPECT_EQ(map.legend.back().text, " no value");
  EXPECT_EQ(map.legend.back().colour, kNoValueGrey);
  EXPECT_EQ(map.entries[1].colour, kNoValueGrey);
  EXPECT_EQ(readoutText(map, map.entries[1], record.traceInfo[2]),
            "Trace 2  Line 1  Point 102  Resistance no value  Limits 250 - 500");

  // Limits that are not numbers: no bands to show, every value out of range.
  for (std::size_t t = 1; t <= 3; ++t) record.traceInfo[t].resistanceHighLimit = kNaN;
  map = computeSpreadMap(record, MapKind::Resistance, {});
  EXPECT_EQ(textsOf(map.legend), (std::vector<std::string>{" Out of range", " no value"}));
  EXPECT_EQ(map.entries[0].colour, kOutOfRangeGrey);
}

TEST(SpreadMapTest, ARecordWithoutTestValuesHasNoMapAndPartialOnesShowNoValue) {
  // As the seven-block loader leaves a record whose extension blocks hold no tests: every
  // test value NaN, the error flags 0.
  auto record = test::makeGridRecord(2, 3);
  for (std::size_t t = 1; t < record.traceInfo.size(); ++t) {
    decode::TraceHeaderInfo& info = record.traceInfo[t];
    info.resistance = info.capacitance = info.tilt = info.leakage = kNaN;
  }
  EXPECT_FALSE(recordHoldsTestValues(record));
  for (MapKind kind : kAllMapKinds) {
    const SpreadMap map = computeSpreadMap(record, kind, {});
    EXPECT_FALSE(map.holdsTestValues) << captionOf(kind);
    EXPECT_TRUE(map.entries.empty());
  }
  app::RecordingCanvas canvas;
  const SpreadMap errors = computeSpreadMap(record, MapKind::Errors, {});
  drawSpreadMap(canvas, record, computeSpreadLayout(record), errors, base::DebugLog{});
  EXPECT_NE(canvas.findText("This record holds no receiver test values"), nullptr);
  EXPECT_TRUE(test::filled(canvas).empty());  // no box reads as a clean spread
  for (const app::DrawnItem& item : canvas.items())
    EXPECT_NE(item.kind, app::DrawnItem::Kind::Rectangle);  // nor an empty legend

  // Trace 4 alone was tested: the others are "no value" in the Errors map, not " None".
  record.traceInfo[4].resistance = 300;
  const SpreadMap partial = computeSpreadMap(record, MapKind::Errors, {});
  ASSERT_TRUE(partial.holdsTestValues);
  ASSERT_EQ(partial.entries.size(), 6u);
  for (const MapEntry& e : partial.entries) {
    EXPECT_EQ(e.colour, e.trace == 4 ? kGreen : kNoValueGrey) << e.trace;
    EXPECT_EQ(std::isnan(e.value), e.trace != 4) << e.trace;
  }
  EXPECT_EQ(partial.legend.back().text, " no value");
}

TEST(SpreadMapTraces, LiveTracesOnlyWithTheirFileNumbers) {
  auto record =
      test::makeSpreadRecord({{0, 0}, {0, 0}, {1, 101}, {1, 102}, {-1, 5}, {kNaN, 7}, {2, kNaN}});
  const SpreadMap map = computeSpreadMap(record, MapKind::Errors, {});
  ASSERT_EQ(map.entries.size(), 2u);
  EXPECT_EQ(map.entries[0].trace, 3);
  EXPECT_EQ(map.entries[1].trace, 4);
  EXPECT_EQ(map.entries[1].point, 102);
}

TEST(SpreadMapTraces, LimitsFromTrace100OrElseTheLastLiveTrace) {
  auto record = test::makeGridRecord(2, 60);  // 120 traces
  record.traceInfo[100].resistanceHighLimit = 600;
  record.traceInfo[120].resistanceHighLimit = 700;
  EXPECT_EQ(limitsFor(record, MapKind::Resistance).second, 600);
  record.traceInfo[100].receiverLine = 0;  // not live: the last live trace's limits
  EXPECT_EQ(limitsFor(record, MapKind::Resistance).second, 700);

  auto few = test::makeSpreadRecord({{1, 1}, {1, 2}, {0, 0}});
  few.traceInfo[2].tiltLimit = 3;
  EXPECT_EQ(limitsFor(few, MapKind::Tilt).first, 3);
  EXPECT_EQ(limitsFor(few, MapKind::Leakage).first, 1);
}

TEST(SpreadMapTraces, PointerFindsTheBoxUnderItAndDescribesIt) {
  auto record = test::makeGridRecord(2, 3);
  record.traceInfo[5].resistance = 612.5f;
  const SpreadMap map = computeSpreadMap(record, MapKind::Resistance, {});
  const MapEntry* hit = entryAt(map, {102.4, 2.05}, 0.5, 0.1);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->trace, 5);
  EXPECT_EQ(readoutText(map, *hit, record.traceInfo[5]),
            "Trace 5  Line 2  Point 102  Resistance 612.5  Limits 250 - 500");
  EXPECT_EQ(entryAt(map, {102.4, 1.5}, 0.5, 0.1), nullptr);  // between lines
}

TEST(SpreadMapKinds, NamesAnswerWithoutCase) {
  EXPECT_EQ(mapKindNamed("leakage"), MapKind::Leakage);
  EXPECT_EQ(mapKindNamed("TILT"), MapKind::Tilt);
  EXPECT_FALSE(mapKindNamed("noise").has_value());
}

}  // namespace
}  // namespace vorax::spread
