// Times of day that recorders write per trace, held as microseconds since 1970-01-01 00:00:00
// UTC without leap seconds (as Unix time counts), and their texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorax::decode {

// The times the program keeps and shows: 1980-01-06 (the GPS epoch) up to the end of 9999.
inline constexpr std::int64_t kEarliestUtcUs = 315964800LL * 1000000;
inline constexpr std::int64_t kLatestUtcUs = 253402300799LL * 1000000 + 999999;

// A time in microseconds since 1970 UTC, or none outside the range above.
std::optional<std::int64_t> utcFromUnixMicroseconds(std::uint64_t microseconds);

// A GPS time (microseconds since 1980-01-06 00:00:00 UTC on the GPS time scale, which does not
// stop for leap seconds) as UTC, less the leap seconds inserted before it: 18 s from
// 2017-01-01 on. A leap second itself (23:59:60) reads as the 00:00:00 after it. None outside
// the range above.
std::optional<std::int64_t> utcFromGpsMicroseconds(std::uint64_t microseconds);

enum class UtcDigits {
  Micro,  // always six decimals of the second: JSON
  Short,  // three when the microseconds are a whole millisecond, else six: displays
};

// ISO 8601 text "2017-08-09T16:00:00.380000Z" (Micro) or "2017-08-09T16:00:00.380Z" (Short);
// empty outside the range above.
std::string utcText(std::int64_t utcUs, UtcDigits digits = UtcDigits::Micro);

}  // namespace vorax::decode
