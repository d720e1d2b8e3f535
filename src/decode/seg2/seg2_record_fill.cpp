#include "decode/seg2/seg2_record_fill.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/text_trim.h"

namespace vorax::decode {

namespace {

std::string_view trimmed(std::string_view text) {
  return base::trimmedView(text, base::kWhiteSpaceAndZeros);
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t cut = text.find(separator);; cut = text.find(separator)) {
    parts.push_back(text.substr(0, cut));
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  return parts;
}

// A whole non-negative integer text, or -1.
int wholeNumber(std::string_view text) {
  int value = -1;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

int monthNumber(std::string_view text) {
  static constexpr std::array<std::string_view, 12> kNames = {
      "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  if (int number = wholeNumber(text); number >= 1 && number <= 12) return number;
  if (text.size() < 3) return -1;
  std::string upper;
  for (char c : text.substr(0, 3))
    upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  for (std::size_t m = 0; m < kNames.size(); ++m) {
    if (kNames[m] == upper) return static_cast<int>(m) + 1;
  }
  return -1;
}

bool present(std::string_view text) {
  return !trimmed(text).empty();
}

}  // namespace

double seg2Number(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

std::string seg2DateText(std::string_view acquisitionDate) {
  std::string_view text = trimmed(acquisitionDate);
  std::vector<std::string_view> parts = splitAt(text, '/');
  if (parts.size() == 3) {
    int day = wholeNumber(trimmed(parts[0]));
    int month = monthNumber(trimmed(parts[1]));
    int year = wholeNumber(trimmed(parts[2]));
    if (year >= 0 && year < 100) year += (year >= 71) ? 1900 : 2000;
    if (day >= 1 && day <= 31 && month >= 1 && year >= 1000 && year <= 9999) {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
      return buffer;
    }
  }
  return std::string(text);
}

std::string seg2TimeText(std::string_view acquisitionTime) {
  std::string_view text = trimmed(acquisitionTime);
  std::vector<std::string_view> parts = splitAt(text, ':');
  if (parts.size() == 3) {
    std::string_view seconds = parts[2].substr(0, parts[2].find('.'));
    int h = wholeNumber(trimmed(parts[0]));
    int m = wholeNumber(trimmed(parts[1]));
    int s = wholeNumber(trimmed(seconds));
    if (h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 61) {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", h, m, s);
      return buffer;
    }
  }
  return std::string(text);
}

std::string_view seg2ChannelKind(const Seg2TraceDescriptorFields& descriptor) {
  std::string_view type = trimmed(descriptor.traceType.view());
  return type.empty() || type == "SEISMIC_DATA" || type == "DEAD" ? "Seis" : "Aux";
}

void fillSeg2TraceInfo(const Seg2Trace& trace, std::int32_t traceNumber, TraceHeaderInfo& info) {
  const Seg2TraceDescriptorFields& d = trace.descriptor;
  info.receiverLine = static_cast<float>(seg2Number(d.lineId.view()));
  info.receiverPoint = static_cast<float>(seg2Number(d.receiverStationNumber.view()));
  info.receiverX = seg2Number(d.receiverLocationX.view());
  info.receiverY = seg2Number(d.receiverLocationY.view());
  info.receiverZ = static_cast<float>(seg2Number(d.receiverLocationZ.view()));
  info.channelKind = seg2ChannelKind(d);
  info.channelNumber = present(d.channelNumber.view())
                           ? static_cast<std::int32_t>(seg2Number(d.channelNumber.view()))
                           : traceNumber;
  // As the one-block SEG-D loader: samples are normalised, no conversion factor applies.
  info.mvConversionFactor = 1;
  info.traceMaximum = 1;
  info.conversionFactorCopy = 1;
}

void fillSeg2Summary(const Seg2Headers& headers, std::int32_t samplesPerTrace, SegdRecord& record) {
  RecordSummary& s = record.summary;
  const Seg2FileDescriptorFields& file = headers.fileDescriptor;
  const auto traceCount = static_cast<std::int32_t>(headers.traces.size());
  if (present(file.acquisitionDate.view()))
    s.recordDate = seg2DateText(file.acquisitionDate.view());
  if (present(file.acquisitionTime.view()))
    s.recordTime = seg2TimeText(file.acquisitionTime.view());
  s.samplesPerTrace = samplesPerTrace;
  s.traceCount = traceCount;
  for (std::int32_t t = 1; t <= traceCount; ++t) {
    if (record.traceInfo[static_cast<std::size_t>(t)].channelKind.trimmed() == "Aux")
      ++s.auxTraceCount;
  }
  s.seismicTraceCount = traceCount - s.auxTraceCount;
  if (traceCount > 0) {
    const Seg2TraceDescriptorFields& first = headers.traces.front().descriptor;
    s.fileNumber = trimmed(first.shotSequenceNumber.view());
    s.sampleIntervalUs = static_cast<float>(seg2Number(first.sampleInterval.view()) * 1e6);
    s.sourcePoint = static_cast<float>(seg2Number(first.sourceStationNumber.view()));
    s.sourceX = seg2Number(first.sourceLocationX.view());
    s.sourceY = seg2Number(first.sourceLocationY.view());
    s.sourceZ = static_cast<float>(seg2Number(first.sourceLocationZ.view()));
    s.firstReceiverLine = static_cast<std::int32_t>(record.traceInfo[1].receiverLine);
    s.firstReceiverPoint = static_cast<std::int32_t>(record.traceInfo[1].receiverPoint);
    // DELAY is in seconds; one of more than a day (a damaged header) leaves the record at 0.
    const double delayMs = seg2Number(first.delay.view()) * 1000.0;
    record.startTimeMs = std::abs(delayMs) < 86.4e6 ? static_cast<float>(delayMs) : 0.0f;
  }
  record.sampleIntervalMs = s.sampleIntervalUs / 1000.0f;
  record.recordLengthMs =
      samplesPerTrace > 0 ? record.sampleIntervalMs * static_cast<float>(samplesPerTrace - 1) : 0;
}

}  // namespace vorax::decode
