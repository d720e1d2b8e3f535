#include "filter/record_filter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "filter/filter_settings.h"

namespace vorax::filter {
namespace {

// Three traces of 1000 samples at 2 ms holding the same recorded signal (a 5 Hz and a 50 Hz
// sine) stored three ways: normalised with scale 1 and the divisor kept (one-block loader),
// as recorded with the peak as scale (seven-block loader), and all zero.
decode::SegdRecord threeTraceRecord() {
  decode::SegdRecord record;
  record.summary.sampleIntervalUs = 2000;
  record.samples.reset(3, 1000);
  record.traceInfo.assign(4, {});
  record.traceDivisor.assign(4, 1.0f);
  float peak = 0;
  std::vector<float> recorded(1000);
  for (std::size_t s = 0; s < 1000; ++s) {
    const double t = 0.002 * static_cast<double>(s);
    recorded[s] = static_cast<float>(300 * std::sin(2 * M_PI * 5 * t + 0.3) +
                                     100 * std::sin(2 * M_PI * 50 * t));
    peak = std::max(peak, std::fabs(recorded[s]));
  }
  for (std::size_t s = 0; s < 1000; ++s) {
    record.samples.at(1, static_cast<std::int32_t>(s)) = recorded[s] / peak;
    record.samples.at(2, static_cast<std::int32_t>(s)) = recorded[s];
  }
  record.traceInfo[1].amplitudeScale = 1;
  record.traceDivisor[1] = peak;
  record.traceInfo[2].amplitudeScale = peak;
  return record;
}

TEST(FilterRecord, EverySampleFilteredWhereItIsAndRecordedAmplitudesKept) {
  decode::SegdRecord record = threeTraceRecord();
  dsp::Fft fft;
  const std::vector<FilterRequest> lowCut{{FilterType::LowCut, {8, 12}}};
  ASSERT_TRUE(filterRecord(record, lowCut, fft));

  // The 5 Hz sine is gone: what is left is the 50 Hz sine of amplitude 100 as recorded.
  for (std::int32_t trace : {1, 2}) {
    float largest = 0;
    for (std::int32_t s = 0; s < 1000; ++s)
      largest = std::max(largest, std::fabs(record.samples.at(trace, s)));
    EXPECT_NEAR(largest, 1.0f, 1e-6) << trace;
    EXPECT_EQ(record.samples.at(trace, 1000), 0.0f) << trace;  // the value after the last sample
    for (std::int32_t s = 0; s < 1000; s += 37) {
      const double expected = 100 * std::sin(2 * M_PI * 50 * 0.002 * s);
      // Away from the ends, where the cut-off 5 Hz sine leaves a transient.
      if (s > 150 && s < 850) {
        EXPECT_NEAR(record.samples.at(trace, s) * record.divisorOf(trace), expected, 3.0)
            << trace << " " << s;
      }
    }
  }
  // The first stored sample is filtered as well (the 5 Hz sine's 88.7 there is taken away).
  EXPECT_NEAR(record.samples.at(1, 0) * record.divisorOf(1),
              record.samples.at(2, 0) * record.divisorOf(2), 1e-2);
  EXPECT_LT(std::fabs(record.samples.at(1, 0) * record.divisorOf(1)), 60.0f);
  // Both storage ways give the filtered record's peak as divisor (the 50 Hz amplitude, plus
  // what is left of the 5 Hz transient), and the all-zero trace stays zero with scale 0.
  EXPECT_NEAR(record.divisorOf(1), record.divisorOf(2), 1e-3f * record.divisorOf(2));
  EXPECT_GT(record.divisorOf(1), 99.0f);
  EXPECT_LT(record.divisorOf(1), 150.0f);
  for (std::int32_t s = 0; s <= 1000; ++s) ASSERT_EQ(record.samples.at(3, s), 0.0f);
  EXPECT_EQ(record.traceInfo[3].amplitudeScale, 0.0f);
}

TEST(FilterRecord, TwoThreadsGiveTheSameResultAndACancelledRunChangesNothing) {
  decode::SegdRecord one = threeTraceRecord();
  one.samples.reset(250, 1000);
  one.traceInfo.assign(251, {});
  one.traceDivisor.assign(251, 1.0f);
  for (std::int32_t t = 1; t <= 250; ++t) {
    one.traceInfo[static_cast<std::size_t>(t)].amplitudeScale = 1;
    for (std::int32_t s = 0; s < 1000; ++s)
      one.samples.at(t, s) = std::sin(0.01f * static_cast<float>(t * s));
  }
  decode::SegdRecord two = one;
  dsp::Fft fft;
  const std::vector<FilterRequest> filters{{FilterType::HighCut, {70, 90}},
                                           {FilterType::BandReject, {47, 49, 51, 53}}};
  std::vector<std::pair<FilterType, int>> reports;
  ASSERT_TRUE(filterRecord(one, filters, fft, [&](FilterType type, int percent) {
    reports.emplace_back(type, percent);
    return true;
  }));
  ASSERT_TRUE(filterRecord(two, filters, fft, {}, 2));
  for (std::int32_t t = 1; t <= 250; ++t)
    for (std::int32_t s = 0; s <= 1000; ++s) ASSERT_EQ(one.samples.at(t, s), two.samples.at(t, s));
  // At each filter's start, then every 100 traces: 100 x 100 / 250 = 40 %, then 80 %.
  EXPECT_EQ(reports, (std::vector<std::pair<FilterType, int>>{{FilterType::HighCut, 0},
                                                              {FilterType::HighCut, 40},
                                                              {FilterType::HighCut, 80},
                                                              {FilterType::BandReject, 0},
                                                              {FilterType::BandReject, 40},
                                                              {FilterType::BandReject, 80}}));

  decode::SegdRecord kept = threeTraceRecord();
  kept.samples.reset(250, 1000);
  const decode::SegdRecord before = kept;
  EXPECT_FALSE(filterRecord(
      kept, filters, fft, [](FilterType, int) { return false; }, 2));
  for (std::int32_t t = 1; t <= 250; ++t)
    for (std::int32_t s = 0; s <= 1000; s += 10)
      ASSERT_EQ(kept.samples.at(t, s), before.samples.at(t, s));
}

// Filters enabled as `enabled` says (low cut, high cut, band pass, band reject), each with the
// default corners unless the row gives others.
struct ValidationCase {
  const char* enabled;
  std::array<float, 2> lowCut = {8, 12};
  std::array<float, 2> highCut = {70, 90};
  std::array<float, 4> bandPass = {8, 12, 70, 90};
  std::array<float, 4> bandReject = {47, 49, 51, 53};
  std::string message = "";
};

TEST(FilterSettings, ValidationShowsTheLastFailingTest) {
  const ValidationCase cases[] = {
      {.enabled = "L", .lowCut = {10, 10}},
      {.enabled = "L", .lowCut = {12, 8}, .message = "Low Cut - F1 Must be less than F2"},
      {.enabled = "H", .highCut = {90, 70}, .message = "High Cut - F1 Must be less than F2"},
      {.enabled = "P",
       .bandPass = {10, 5, 20, 30},
       .message = "Band Pass - F1 must be lowest value!!"},
      {.enabled = "P",
       .bandPass = {8, 12, 70, 60},
       .message = "Band Pass - F3 must be less than F4"},
      {.enabled = "P",
       .bandPass = {8, 12, 10, 90},
       .message = "Band Pass - F2 must be less than F3 and F4"},
      {.enabled = "R",
       .bandReject = {47, 46, 51, 40},
       .message = "Band Reject - F3 must be less than F4"},
      // A later filter's failure replaces an earlier one's.
      {.enabled = "LPR",
       .lowCut = {12, 8},
       .bandPass = {8, 12, 70, 60},
       .message = "Band Pass - F3 must be less than F4"},
      {.enabled = "LR",
       .lowCut = {12, 8},
       .bandReject = {47, 49, 53, 51},
       .message = "Band Reject - F3 must be less than F4"},
      // A disabled filter is not tested.
      {.enabled = "",
       .lowCut = {12, 8},
       .highCut = {90, 70},
       .bandPass = {8, 2, 1, 0},
       .bandReject = {4, 3, 2, 1}},
  };
  for (const ValidationCase& c : cases) {
    FilterSettings f;
    for (std::size_t k = 0; k < 4; ++k)
      f.enabled[k] = std::string_view(c.enabled).find("LHPR"[k]) != std::string_view::npos;
    f.cornersOf(FilterType::LowCut) = {c.lowCut[0], c.lowCut[1]};
    f.cornersOf(FilterType::HighCut) = {c.highCut[0], c.highCut[1]};
    f.cornersOf(FilterType::BandPass) = c.bandPass;
    f.cornersOf(FilterType::BandReject) = c.bandReject;
    EXPECT_EQ(validateFilters(f), c.message) << c.enabled << " " << c.message;
  }
}

TEST(FilterSettings, KeptInTheSettingsCornerSetsAndReadBack) {
  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  FilterSettings f = filterSettingsFrom(settings);
  EXPECT_EQ(f.enabled, (std::array<bool, 4>{false, false, false, false}));
  EXPECT_EQ(f.cornersOf(FilterType::LowCut)[1], 12.0f);
  EXPECT_EQ(f.cornersOf(FilterType::HighCut)[0], 70.0f);
  EXPECT_EQ(f.cornersOf(FilterType::BandReject), (std::array<float, 4>{47, 49, 51, 53}));
  f.enabledOf(FilterType::BandReject) = true;
  f.cornersOf(FilterType::HighCut) = {60, 80};
  storeFilterSettings(f, settings);
  EXPECT_EQ(settings.filterEnabled(3), 1);
  EXPECT_EQ(settings.filterCornerC(2), 60.0f);
  EXPECT_EQ(settings.filterCornerC(3), 80.0f);
  EXPECT_EQ(enabledFilters(filterSettingsFrom(settings)).size(), 1u);
  EXPECT_EQ(progressText(FilterType::BandPass, 40), "Bandpass Filtering 40%");
}

}  // namespace
}  // namespace vorax::filter
