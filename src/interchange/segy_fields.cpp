#include "interchange/segy_fields.h"

#include <segyio/segy.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "decode/conversions.h"

namespace vorax::interchange {

namespace {

// Where this program puts what a SEG-D or SEG-2 record holds that SEG-Y has no field of its
// own for. The textual header and the README list the same places.
constexpr int kReceiverLineField = SEGY_TR_INLINE;      // 189-192
constexpr int kReceiverPointField = SEGY_TR_CROSSLINE;  // 193-196
constexpr int kChannelField = SEGY_TR_UNASSIGNED1;      // 233-236

constexpr int kIeeeFloat = SEGY_IEEE_FLOAT_4_BYTE;
constexpr int kRevision1 = 0x0100;
constexpr int kSortedAsRecorded = 1;
constexpr int kSortedCommonSource = 5;
constexpr int kSeismicTrace = 1;
constexpr int kUnknownTrace = 0;
constexpr int kCoordinatesAsLength = 1;

std::int32_t clampedInt16(double value) {
  return static_cast<std::int32_t>(std::clamp(std::round(value), -32768.0, 32767.0));
}

std::int32_t clampedInt32(double value) {
  return static_cast<std::int32_t>(std::clamp(std::round(value), -2147483648.0, 2147483647.0));
}

// A single-precision attribute as the program shows it (406.96f is 406.96, not
// 406.959991455078), so that the scaled integer reads back as the shown value.
double shownValue(float value) {
  const std::string text = decode::shortestText(value);
  double out = 0;
  std::from_chars(text.data(), text.data() + text.size(), out);
  return out;
}

// The whole numbers of `text` separated by `separator`; empty when any part is not one.
std::vector<int> wholeNumbers(std::string_view text, char separator) {
  std::vector<int> out;
  while (true) {
    const std::size_t end = std::min(text.find(separator), text.size());
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + end, value);
    if (error != std::errc() || stop != text.data() + end) return {};
    out.push_back(value);
    if (end == text.size()) return out;
    text.remove_prefix(end + 1);
  }
}

bool leapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Day of the year of a calendar date, 0 when the date does not exist.
int dayOfYear(int year, int month, int day) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return 0;
  const auto daysIn = [&](int m) { return kDays[m - 1] + (m == 2 && leapYear(year) ? 1 : 0); };
  if (day > daysIn(month)) return 0;
  int total = day;
  for (int m = 1; m < month; ++m) total += daysIn(m);
  return total;
}

// `text` cut or padded to `width` characters, bytes outside printable ASCII as "?" (the
// EBCDIC header has no place for them).
std::string cardText(std::string_view text, std::size_t width) {
  std::string out;
  for (const char c : text.substr(0, width)) out.push_back(c >= 0x20 && c < 0x7F ? c : '?');
  out.resize(width, ' ');
  return out;
}

// The last `width` characters of a long file name, marked as cut.
std::string tailOf(const std::string& name, std::size_t width) {
  return name.size() <= width ? name : "..." + name.substr(name.size() - (width - 3));
}

std::string formatted(const char* format, auto... values) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

}  // namespace

std::optional<ShotTime> shotTimeOf(const decode::RecordSummary& summary) {
  const std::vector<int> date = wholeNumbers(summary.recordDate.trimmed(), '-');
  const std::vector<int> time = wholeNumbers(summary.recordTime.trimmed(), ':');
  if (date.size() != 3 || time.size() != 3) return std::nullopt;
  ShotTime out{date[0], dayOfYear(date[0], date[1], date[2]), time[0], time[1], time[2]};
  if (out.year < 1 || out.year > 9999 || out.dayOfYear == 0 || out.hour < 0 || out.hour > 23 ||
      out.minute < 0 || out.minute > 59 || out.second < 0 || out.second > 60)
    return std::nullopt;
  return out;
}

std::optional<ScaledValues> scaledValues(const std::vector<double>& values) {
  constexpr int kMostDecimals = 4;
  constexpr double kLargest = 2147483647.0;
  if (!std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); }))
    return std::nullopt;
  const auto fits = [&](double scale) {
    return std::all_of(values.begin(), values.end(),
                       [&](double v) { return std::fabs(std::round(v * scale)) <= kLargest; });
  };
  // Exact to the precision of a double below 2^31 (its step there is 2^-22): what the record
  // holds, not a float's last digit.
  const auto exact = [&](double scale) {
    return std::all_of(values.begin(), values.end(), [&](double v) {
      const double x = v * scale;
      return std::fabs(x - std::round(x)) <= 1e-6;
    });
  };
  int decimals = -1;
  for (int d = 0; d <= kMostDecimals; ++d) {
    const double scale = std::pow(10.0, d);
    if (!fits(scale)) break;
    decimals = d;
    if (exact(scale)) break;
  }
  if (decimals < 0) return std::nullopt;
  const double scale = std::pow(10.0, decimals);
  ScaledValues out;
  out.scalar = decimals == 0 ? std::int16_t{1} : static_cast<std::int16_t>(-scale);
  out.rounded = !exact(scale);
  for (const double v : values)
    out.stored.push_back(static_cast<std::int32_t>(std::round(v * scale)));
  return out;
}

std::optional<SegyInterval> segyInterval(float intervalUs) {
  if (!std::isfinite(intervalUs)) return std::nullopt;
  const double rounded = std::round(static_cast<double>(intervalUs));
  if (rounded < 1 || rounded > 32767) return std::nullopt;
  SegyInterval out{static_cast<std::int32_t>(rounded), {}};
  if (rounded != static_cast<double>(intervalUs)) {
    out.warning = "the sample interval " + decode::shortestText(intervalUs) +
                  " us is not whole microseconds: SEG-Y holds it as " + std::to_string(out.us) +
                  " us";
  }
  return out;
}

std::string textualHeader(const std::vector<RecordListing>& records, bool channelSorted) {
  std::vector<std::string> lines;
  lines.push_back("SEG-Y REV1 BY VORAX VIEWER " VORAX_VERSION
                  ": IEEE FLOAT SAMPLES IN RECORDED UNITS");
  lines.push_back(formatted("%zu RECORD(S), TRACES ", records.size()) +
                  (channelSorted ? "SORTED BY CHANNEL IN EACH RECORD" : "AS RECORDED"));
  constexpr std::size_t kFirstMappingLine = 33;  // C33 on: the trace header fields
  constexpr std::size_t kLinesPerRecord = 3;
  const std::size_t room = (kFirstMappingLine - 1 - lines.size()) / kLinesPerRecord;
  const std::size_t listed = records.size() <= room ? records.size() : room - 1;
  for (std::size_t k = 0; k < listed; ++k) {
    const RecordListing& r = records[k];
    lines.push_back(formatted("RECORD %zu: FILE %s  DATE %s  TIME %s", k + 1,
                              std::string(r.summary->fileNumber.trimmed()).c_str(),
                              std::string(r.summary->recordDate.trimmed()).c_str(),
                              std::string(r.summary->recordTime.trimmed()).c_str()));
    lines.push_back("  RECORDER " + (r.recorder.empty() ? std::string("UNKNOWN") : r.recorder));
    lines.push_back("  SOURCE FILE " + tailOf(r.fileName, 60));
  }
  if (listed < records.size())
    lines.push_back(formatted("AND %zu MORE RECORDS", records.size() - listed));
  lines.resize(kFirstMappingLine - 1);
  lines.push_back("TRACE HEADER: 9-12 FIELD RECORD (FILE NUMBER), 13-16 TRACE IN RECORD,");
  lines.push_back("233-236 CHANNEL, 189-192 RECEIVER LINE, 193-196 RECEIVER POINT,");
  lines.push_back("17-20 SOURCE POINT (WHOLE), 197-200 SOURCE POINT WITH SCALAR 201-202,");
  lines.push_back("73-80 SOURCE X Y, 81-88 RECEIVER X Y, SCALAR 71-72; ELEVATIONS 41-48,");
  lines.push_back("SCALAR 69-70; 109-110 DELAY MS; 157-166 SHOT DATE AND TIME");
  lines.push_back("");
  lines.push_back("SEG Y REV1");
  lines.push_back("END TEXTUAL HEADER");
  std::string out;
  for (std::size_t k = 0; k < lines.size(); ++k)
    out += cardText(formatted("C%2zu ", k + 1) + lines[k], 80);
  return out;
}

std::vector<SegyField> binaryHeaderFields(const decode::SegdRecord& first, std::int32_t intervalUs,
                                          bool channelSorted) {
  const std::int32_t samples = first.samples.samplesPerTrace();
  return {
      {SEGY_BIN_REEL_NUMBER, decode::numericInt(first.summary.tapeNumber.view())},
      {SEGY_BIN_TRACES, clampedInt16(first.loadedTraceCount())},
      {SEGY_BIN_AUX_TRACES, clampedInt16(first.summary.auxTraceCount)},
      {SEGY_BIN_INTERVAL, intervalUs},
      {SEGY_BIN_INTERVAL_ORIG, intervalUs},
      {SEGY_BIN_SAMPLES, samples},
      {SEGY_BIN_SAMPLES_ORIG, samples},
      {SEGY_BIN_FORMAT, kIeeeFloat},
      {SEGY_BIN_SORTING_CODE, channelSorted ? kSortedCommonSource : kSortedAsRecorded},
      {SEGY_BIN_SEGY_REVISION, kRevision1},
      {SEGY_BIN_TRACE_FLAG, 1},
      {SEGY_BIN_EXT_HEADERS, 0},
  };
}

std::optional<std::vector<SegyField>> traceHeaderFields(const decode::SegdRecord& record,
                                                        std::int32_t t, const TracePlace& place,
                                                        TraceRounding& rounding) {
  const decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
  const decode::RecordSummary& s = record.summary;
  const std::optional<ScaledValues> coordinates =
      scaledValues({s.sourceX, s.sourceY, info.receiverX, info.receiverY});
  const std::optional<ScaledValues> elevations =
      scaledValues({shownValue(info.receiverZ), shownValue(s.sourceZ)});
  const std::optional<ScaledValues> sourcePoint = scaledValues({shownValue(s.sourcePoint)});
  if (!coordinates || !elevations || !sourcePoint) return std::nullopt;
  rounding.coordinates |= coordinates->rounded || elevations->rounded || sourcePoint->rounded;
  const double line = shownValue(info.receiverLine);
  const double point = shownValue(info.receiverPoint);
  rounding.stations |= line != std::round(line) || point != std::round(point);
  rounding.delay |= place.delayMs != std::round(place.delayMs);

  std::vector<SegyField> fields = {
      {SEGY_TR_SEQ_LINE, place.sequence},
      {SEGY_TR_SEQ_FILE, place.sequence},
      {SEGY_TR_FIELD_RECORD, decode::numericInt(s.fileNumber.view())},
      {SEGY_TR_NUMBER_ORIG_FIELD, t},
      {SEGY_TR_ENERGY_SOURCE_POINT, clampedInt32(shownValue(s.sourcePoint))},
      {SEGY_TR_TRACE_ID, info.channelKind.trimmed() == "Seis" ? kSeismicTrace : kUnknownTrace},
      {SEGY_TR_RECV_GROUP_ELEV, elevations->stored[0]},
      {SEGY_TR_SOURCE_SURF_ELEV, elevations->stored[1]},
      {SEGY_TR_ELEV_SCALAR, elevations->scalar},
      {SEGY_TR_SOURCE_GROUP_SCALAR, coordinates->scalar},
      {SEGY_TR_SOURCE_X, coordinates->stored[0]},
      {SEGY_TR_SOURCE_Y, coordinates->stored[1]},
      {SEGY_TR_GROUP_X, coordinates->stored[2]},
      {SEGY_TR_GROUP_Y, coordinates->stored[3]},
      {SEGY_TR_COORD_UNITS, kCoordinatesAsLength},
      {SEGY_TR_DELAY_REC_TIME, clampedInt16(place.delayMs)},
      {SEGY_TR_SAMPLE_COUNT, record.samples.samplesPerTrace()},
      {SEGY_TR_SAMPLE_INTER, place.intervalUs},
      {kReceiverLineField, clampedInt32(line)},
      {kReceiverPointField, clampedInt32(point)},
      {SEGY_TR_SHOT_POINT, sourcePoint->stored[0]},
      {SEGY_TR_SHOT_POINT_SCALAR, sourcePoint->scalar},
      {kChannelField, info.channelNumber},
  };
  if (place.time) {
    const ShotTime& time = *place.time;
    fields.insert(fields.end(), {{SEGY_TR_YEAR_DATA_REC, time.year},
                                 {SEGY_TR_DAY_OF_YEAR, time.dayOfYear},
                                 {SEGY_TR_HOUR_OF_DAY, time.hour},
                                 {SEGY_TR_MIN_OF_HOUR, time.minute},
                                 {SEGY_TR_SEC_OF_MIN, time.second}});
  }
  return fields;
}

}  // namespace vorax::interchange
