#include "decode/utc_time.h"

#include <array>
#include <chrono>
#include <cstdio>

namespace vorax::decode {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

constexpr std::int64_t kMicrosecondsPerSecond = 1000000;
constexpr std::int64_t kGpsEpochUnixSeconds = 315964800;  // 1980-01-06 00:00:00 UTC

// The UTC days from which GPS time runs one more second ahead of UTC (IERS bulletin C): a
// leap second was inserted at the end of the day before each. No leap second has been
// announced after 2016-12-31.
struct LeapStep {
  year y;
  month m;
  std::int64_t gpsAheadSeconds;
};
constexpr std::array<LeapStep, 18> kLeapSteps{{
    {year{1981}, month{7}, 1},
    {year{1982}, month{7}, 2},
    {year{1983}, month{7}, 3},
    {year{1985}, month{7}, 4},
    {year{1988}, month{1}, 5},
    {year{1990}, month{1}, 6},
    {year{1991}, month{1}, 7},
    {year{1992}, month{7}, 8},
    {year{1993}, month{7}, 9},
    {year{1994}, month{7}, 10},
    {year{1996}, month{1}, 11},
    {year{1997}, month{7}, 12},
    {year{1999}, month{1}, 13},
    {year{2006}, month{1}, 14},
    {year{2009}, month{1}, 15},
    {year{2012}, month{7}, 16},
    {year{2015}, month{7}, 17},
    {year{2017}, month{1}, 18},
}};

std::int64_t unixSecondsOf(const LeapStep& step) {
  const std::chrono::sys_days first{step.y / step.m / day{1}};
  return std::chrono::duration_cast<std::chrono::seconds>(first.time_since_epoch()).count();
}

std::optional<std::int64_t> inRange(std::int64_t utcUs) {
  if (utcUs < kEarliestUtcUs || utcUs > kLatestUtcUs) return std::nullopt;
  return utcUs;
}

}  // namespace

std::optional<std::int64_t> utcFromUnixMicroseconds(std::uint64_t microseconds) {
  if (microseconds > static_cast<std::uint64_t>(kLatestUtcUs)) return std::nullopt;
  return inRange(static_cast<std::int64_t>(microseconds));
}

std::optional<std::int64_t> utcFromGpsMicroseconds(std::uint64_t microseconds) {
  if (microseconds > static_cast<std::uint64_t>(kLatestUtcUs)) return std::nullopt;
  // GPS microseconds counted from 1970 as though no leap second had been inserted.
  const std::int64_t gpsUs =
      static_cast<std::int64_t>(microseconds) + kGpsEpochUnixSeconds * kMicrosecondsPerSecond;
  std::int64_t ahead = 0;
  for (const LeapStep& step : kLeapSteps) {
    if (gpsUs >= (unixSecondsOf(step) + step.gpsAheadSeconds) * kMicrosecondsPerSecond)
      ahead = step.gpsAheadSeconds;
  }
  return inRange(gpsUs - ahead * kMicrosecondsPerSecond);
}

std::string utcText(std::int64_t utcUs, UtcDigits digits) {
  if (!inRange(utcUs)) return {};
  const std::int64_t seconds = utcUs / kMicrosecondsPerSecond;  // positive: no rounding issue
  const auto micro = static_cast<int>(utcUs % kMicrosecondsPerSecond);
  const std::chrono::sys_seconds at{std::chrono::seconds{seconds}};
  const auto dayStart = std::chrono::floor<std::chrono::days>(at);
  const std::chrono::year_month_day date{dayStart};
  const std::chrono::hh_mm_ss clock{at - dayStart};
  char text[40];
  const bool milli = digits == UtcDigits::Short && micro % 1000 == 0;
  std::snprintf(
      text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%0*dZ", static_cast<int>(date.year()),
      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
      static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
      static_cast<int>(clock.seconds().count()), milli ? 3 : 6, milli ? micro / 1000 : micro);
  return text;
}

}  // namespace vorax::decode
