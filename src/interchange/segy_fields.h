// What a record becomes in SEG-Y revision 1: the textual header's lines, the binary header's
// fields and each trace header's fields, as (byte position, value) pairs for segyio to write.
// Byte positions are segyio's SEGY_FIELD / SEGY_BINFIELD numbers (1-based, as the standard
// counts them); every position this program writes is named once, in segy_fields.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decode/segd_record.h"

namespace vorax::interchange {

// One header field: its segyio byte position and its value (written in the field's width).
struct SegyField {
  int position = 0;
  std::int32_t value = 0;
};

// The shot's date and time as the trace headers hold them (bytes 157-166).
struct ShotTime {
  int year = 0;
  int dayOfYear = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// From the summary's date "YYYY-MM-DD" and time "HH:MM:SS"; nullopt when either does not read
// as a calendar date and a time of day.
std::optional<ShotTime> shotTimeOf(const decode::RecordSummary& summary);

// Values that share one SEG-Y scalar: stored = round(value x 10^decimals), and the scalar
// says how to get the value back (-10^decimals divides; 1 when there are no decimals).
struct ScaledValues {
  std::int16_t scalar = 1;
  std::vector<std::int32_t> stored;
  bool rounded = false;  // no scale up to 4 decimals held every value exactly
};

// The fewest decimals (0 to 4) that hold every value exactly in 32 bits; when none does, the
// most that fit, rounded. nullopt when a value does not fit 32 bits even without decimals, or
// is not finite.
std::optional<ScaledValues> scaledValues(const std::vector<double>& values);

// A SEG-Y sample interval in whole microseconds (the binary header's 16-bit field): the
// interval rounded, with `warning` saying so when it was not whole; nullopt when the
// interval is not in 1..32767 us after rounding.
struct SegyInterval {
  std::int32_t us = 0;
  std::string warning;
};
std::optional<SegyInterval> segyInterval(float intervalUs);

// The most samples per trace segyio reads back (its 16-bit field is signed).
inline constexpr std::int32_t kMaxSegySamples = 32767;

// One record as the textual header lists it.
struct RecordListing {
  std::string fileName;
  std::string recorder;
  const decode::RecordSummary* summary = nullptr;
};

// The 40 lines of 80 characters of the textual header (ASCII; segyio writes it as EBCDIC):
// the program and version, how the traces are sorted, each record's file number, date, time,
// recorder and source file (as many as fit), the trace header fields this program fills, and
// the revision 1 closing lines.
std::string textualHeader(const std::vector<RecordListing>& records, bool channelSorted);

// The binary header: sample interval and count, IEEE float format, traces per record and
// auxiliary traces of the first record, the sorting code, revision 1 and fixed-length traces.
std::vector<SegyField> binaryHeaderFields(const decode::SegdRecord& first, std::int32_t intervalUs,
                                          bool channelSorted);

// What goes into trace t's header besides what traceHeaderFields works out from the record.
struct TracePlace {
  std::int32_t sequence = 0;  // 1, 2, ... through the whole file
  std::int32_t intervalUs = 0;
  double delayMs = 0;
  std::optional<ShotTime> time;
};

// What rounding the trace header fields needed, for a warning.
struct TraceRounding {
  bool coordinates = false;  // no scale held a coordinate, elevation or source point exactly
  bool stations = false;     // a receiver line or point was not whole
  bool delay = false;        // the delay was not whole milliseconds
};

// Trace t's header fields; nullopt when a coordinate or elevation is too large for SEG-Y.
std::optional<std::vector<SegyField>> traceHeaderFields(const decode::SegdRecord& record,
                                                        std::int32_t t, const TracePlace& place,
                                                        TraceRounding& rounding);

}  // namespace vorax::interchange
