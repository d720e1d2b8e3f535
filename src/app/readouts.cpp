#include "app/readouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "decode/conversions.h"

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
  const std::int32_t firstTrace = std::max(1, geometry.x0);
  const std::int32_t lastTrace = std::min(geometry.x1 - 1, heldTraces);
  if (lastTrace < firstTrace) return std::nullopt;
  auto trace = static_cast<std::int32_t>(std::clamp<long>(std::lround(w.x), firstTrace, lastTrace));
  auto firstSample = static_cast<long>(std::ceil(geometry.s0));
  auto lastSample = std::max(firstSample, static_cast<long>(std::floor(geometry.s1)));
  auto sample = static_cast<std::int32_t>(std::clamp(std::lround(w.y), firstSample, lastSample));
  return TraceAndSample{trace, sample};
}

std::string pointerReadoutText(const decode::SegdRecord& record, const TraceAndSample& at) {
  const std::int32_t channel = at.trace - record.summary.auxTraceCount;
  const double ms = at.sample * static_cast<double>(record.sampleIntervalMs);
  return "Seis Channel : " + std::to_string(channel) + " " + " Time : " + fixedDecimals(ms, 1) + "mS";
}

std::string velocityText(const decode::SegdRecord& record, const TraceAndSample& a,
                         const TraceAndSample& b) {
  const decode::TraceHeaderInfo* first = infoOf(record, a.trace);
  const decode::TraceHeaderInfo* second = infoOf(record, b.trace);
  const double seconds = std::abs(b.sample - a.sample) * static_cast<double>(record.sampleIntervalMs) / 1000;
  if (first == nullptr || second == nullptr || !(seconds > 0)) return "Invalid Selection ";
  const double distance = std::hypot(second->receiverX - first->receiverX, second->receiverY - first->receiverY);
  const double velocity = distance / seconds;
  if (!(velocity < kHighestVelocity)) return "Invalid Selection ";
  return "Vel:" + fixedDecimals(velocity, 1) + "m/S ";
}

std::array<TraceAttribute, kTraceAttributeCount> traceAttributes(const decode::SegdRecord& record,
                                                                 std::int32_t trace) {
  std::array<TraceAttribute, kTraceAttributeCount> fields{{{"Trace", ""},
                                                           {"Line", ""},
                                                           {"Point", ""},
                                                           {"X", ""},
                                                           {"Y", ""},
                                                           {"Z", ""},
                                                           {"Type", ""},
                                                           {"Tr Edit", ""},
                                                           {"Gain (db)", ""},
                                                           {"Cable #", ""},
                                                           {"MLCU #", ""},
                                                           {"Chan", ""},
                                                           {"SLCU Adr", ""},
                                                           {"RSU Ch", ""},
                                                           {"RSU Adr", ""},
                                                           {"RSU #", ""}}};
  const decode::TraceHeaderInfo* info = infoOf(record, trace);
  if (trace < 1 || info == nullptr) return fields;
  using decode::shortestText;
  std::string kind(info->channelKind.trimmed());
  if (!info->sensorKind.trimmed().empty()) kind += " " + std::string(info->sensorKind.trimmed());
  const std::array<std::string, kTraceAttributeCount> values{
      std::to_string(trace),
      shortestText(info->receiverLine),
      shortestText(info->receiverPoint),
      shortestText(info->receiverX),
      shortestText(info->receiverY),
      shortestText(info->receiverZ),
      kind,
      shortestText(info->capacitance),
      shortestText(info->tilt),
      shortestText(info->resistance),
      shortestText(info->leakage),
      std::to_string(info->channelNumber),
      std::string(info->controlUnitText.trimmed()),
      std::to_string(info->controlUnitSerialNumber),
      std::to_string(info->interpolationCount),
      std::to_string(info->unitSerialNumber)};
  for (std::size_t n = 0; n < kTraceAttributeCount; ++n) fields[n].value = values[n];
  return fields;
}

}  // namespace vorax::app
