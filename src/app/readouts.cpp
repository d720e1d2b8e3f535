#include "app/readouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/trace_scaling.h"
#include "decode/conversions.h"
#include "decode/utc_time.h"

namespace vorax::app {

namespace {

constexpr double kHighestVelocity = 20000;  // m/s; faster picks are taken as mistakes

const decode::TraceHeaderInfo* infoOf(const decode::SegdRecord& record, std::int32_t trace) {
  if (trace < 0 || static_cast<std::size_t>(trace) >= record.traceInfo.size()) return nullptr;
  return &record.traceInfo[static_cast<std::size_t>(trace)];
}

}  // namespace

std::string fixedDecimals(double value, int decimals) {
  if (!std::isfinite(value)) return decode::shortestText(value);
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (rounded == 0) rounded = 0;  // no "-0.0"
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
  return text;
}

std::optional<TraceAndSample> traceAndSampleAt(const RecordDisplayGeometry& geometry,
                                               const WorldMapping& mapping, PointF pixel,
                                               std::int32_t heldTraces) {
  if (!geometry.hasTraces) return std::nullopt;
  PointF w = mapping.toWorld(pixel);
  if (w.x < geometry.x0 || w.x > geometry.x1 || w.y < geometry.s0 || w.y > geometry.s1)
    return std::nullopt;
  const std::int32_t firstTrace = std::max(1, geometry.firstTrace);
  const std::int32_t lastTrace = std::min(geometry.lastTrace, heldTraces);
  if (lastTrace < firstTrace) return std::nullopt;
  auto trace = static_cast<std::int32_t>(std::clamp<long>(std::lround(w.x), firstTrace, lastTrace));
  auto firstSample = static_cast<long>(std::ceil(geometry.s0));
  auto lastSample = std::max(firstSample, static_cast<long>(std::floor(geometry.s1)));
  auto sample = static_cast<std::int32_t>(std::clamp(std::lround(w.y), firstSample, lastSample));
  return TraceAndSample{trace, sample};
}

std::string pointerReadoutText(const decode::SegdRecord& record, const TraceAndSample& at) {
  const std::int32_t channel = seismicChannelNumber(record, at.trace);
  const double ms = record.startTimeMs + at.sample * static_cast<double>(record.sampleIntervalMs);
  std::string text =
      "Seis Channel : " + std::to_string(channel) + " " + " Time : " + fixedDecimals(ms, 1) + "mS";
  if (const std::optional<double> amplitude = recordedAmplitude(record, at))
    text += "  Amplitude : " + decode::shortestText(static_cast<float>(*amplitude));
  return text;
}

std::optional<double> recordedAmplitude(const decode::SegdRecord& record,
                                        const TraceAndSample& at) {
  if (at.trace < 1 || at.trace > record.loadedTraceCount() || at.sample < 0 ||
      at.sample >= record.samples.samplesPerTrace())
    return std::nullopt;
  const double value = static_cast<double>(record.samples.at(at.trace, at.sample)) *
                       recordedFactor(record, at.trace);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string velocityText(const decode::SegdRecord& record, const TraceAndSample& a,
                         const TraceAndSample& b) {
  const decode::TraceHeaderInfo* first = infoOf(record, a.trace);
  const decode::TraceHeaderInfo* second = infoOf(record, b.trace);
  const double seconds =
      std::abs(b.sample - a.sample) * static_cast<double>(record.sampleIntervalMs) / 1000;
  if (first == nullptr || second == nullptr || !(seconds > 0)) return "Invalid Selection ";
  const double distance =
      std::hypot(second->receiverX - first->receiverX, second->receiverY - first->receiverY);
  if (!(distance > 0)) return kNoDistanceText;
  const double velocity = distance / seconds;
  if (!(velocity < kHighestVelocity)) return "Invalid Selection ";
  return "Vel:" + fixedDecimals(velocity, 1) + "m/S ";
}

namespace {

using AttributeCaptions = std::array<const char*, kTraceAttributeCount>;

// The captions of the one-block (VORAX) reader, whose unnamed values are shown under the
// columns they are stored in.
constexpr AttributeCaptions kVoraxCaptions{
    "Trace",     "Line",    "Point",  "X",    "Y",        "Z",      "Type",    "Tr Edit",
    "Gain (db)", "Cable #", "MLCU #", "Chan", "SLCU Adr", "RSU Ch", "RSU Adr", "RSU #"};

// The same columns named for what the seven-block (Sercel) reader and the SEG-2 reader keep
// in them, in the VORAX rows' order of columns.
constexpr AttributeCaptions kNamedCaptions{
    "Trace",          "Line",         "Point",      "X",       "Y",    "Z",       "Type",
    "Capacitance",    "Tilt",         "Resistance", "Leakage", "Chan", "CU Type", "CU Serial #",
    "Interpolations", "Unit Serial #"};

// Standard records hold no receiver test values: a nodal recorder's rows show each trace's
// start time (UTC) and GPS position there instead.
constexpr AttributeCaptions kStandardCaptions{
    "Trace",          "Line",         "Point",    "X",         "Y",    "Z",       "Type",
    "Start Date",     "Start UTC",    "Latitude", "Longitude", "Chan", "CU Type", "CU Serial #",
    "Interpolations", "Unit Serial #"};

constexpr const char* kMissingValue = "-";

// Single and double values each in their own shortest form.
template <typename Value>
std::string number(Value value) {
  return std::isfinite(value) ? decode::shortestText(value) : kMissingValue;
}

std::string text(std::string_view value) {
  return value.empty() ? kMissingValue : std::string(value);
}

std::string degreesText(const std::optional<double>& degrees) {
  return degrees ? fixedDecimals(*degrees, 6) : kMissingValue;
}

// Rows 7-10 and 15 of a standard record: start date, start time of day, latitude, longitude,
// unit serial number.
void fillStandardRows(const decode::TraceHeaderInfo& info,
                      std::array<std::string, kTraceAttributeCount>& values) {
  for (std::size_t n : {12, 13, 14}) values[n] = kMissingValue;
  const std::string start =
      info.startTimeUtcUs ? decode::utcText(*info.startTimeUtcUs, decode::UtcDigits::Short) : "";
  // "2017-08-09T16:00:30.380Z": the date, then the time of day without the zone letter.
  values[7] = start.empty() ? kMissingValue : start.substr(0, 10);
  values[8] = start.empty() ? kMissingValue : start.substr(11, start.size() - 12);
  values[9] = degreesText(info.latitude);
  values[10] = degreesText(info.longitude);
  if (info.unitSerialNumber == 0) values[15] = kMissingValue;
}

}  // namespace

std::array<TraceAttribute, kTraceAttributeCount> traceAttributes(const decode::SegdRecord& record,
                                                                 std::int32_t trace) {
  const AttributeCaptions& captions =
      record.flavour == decode::RecordFlavour::Vorax      ? kVoraxCaptions
      : record.flavour == decode::RecordFlavour::Standard ? kStandardCaptions
                                                          : kNamedCaptions;
  std::array<TraceAttribute, kTraceAttributeCount> fields;
  for (std::size_t n = 0; n < kTraceAttributeCount; ++n) fields[n] = {captions[n], ""};
  const decode::TraceHeaderInfo* info = infoOf(record, trace);
  if (trace < 1 || info == nullptr) return fields;
  std::string kind(info->channelKind.trimmed());
  if (!info->sensorKind.trimmed().empty()) kind += " " + std::string(info->sensorKind.trimmed());
  std::array<std::string, kTraceAttributeCount> values{
      std::to_string(trace),
      number(info->receiverLine),
      number(info->receiverPoint),
      number(info->receiverX),
      number(info->receiverY),
      number(info->receiverZ),
      text(kind),
      number(info->capacitance),
      number(info->tilt),
      number(info->resistance),
      number(info->leakage),
      std::to_string(info->channelNumber),
      text(info->controlUnitText.trimmed()),
      std::to_string(info->controlUnitSerialNumber),
      std::to_string(info->interpolationCount),
      std::to_string(info->unitSerialNumber)};
  // SEG-2 files hold no receiver test values and no acquisition unit.
  if (record.flavour == decode::RecordFlavour::Seg2)
    for (std::size_t n : {7, 8, 9, 10, 12, 13, 14, 15}) values[n] = kMissingValue;
  if (record.flavour == decode::RecordFlavour::Standard) fillStandardRows(*info, values);
  for (std::size_t n = 0; n < kTraceAttributeCount; ++n) fields[n].value = values[n];
  return fields;
}

}  // namespace vorax::app
