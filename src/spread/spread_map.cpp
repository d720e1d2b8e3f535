#include "spread/spread_map.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "app/readouts.h"
#include "decode/conversions.h"
#include "spread/spread_layout.h"

namespace vorax::spread {

namespace {

using app::kBlack;
using app::kBlue;
using app::kGreen;
using app::kMagenta;
using app::kRed;
using app::kWhite;
using app::kYellow;

constexpr std::int32_t kLimitsTrace = 100;

bool within(float low, float v, float high) {
  return low <= v && v <= high;
}

// Resistance and capacitance: seven bands around the two limits.
std::optional<Colorref> twoSidedBand(float v, const Thresholds& t) {
  if (within(*t.lowerLimit, v, *t.upperLimit)) return kGreen;
  if (within(*t.upperLimit, v, *t.upper2)) return kYellow;
  if (within(*t.upper2, v, *t.upper3)) return kSalmon;
  if (v > *t.upper3) return kRed;
  if (within(*t.lower2, v, *t.lowerLimit)) return kOlive;
  if (within(*t.lower3, v, *t.lower2)) return kMidBlue;
  if (v < *t.lower3) return kBlack;
  return std::nullopt;
}

std::optional<Colorref> leakageBand(float v, const Thresholds& t) {
  if (v > *t.lowerLimit) return kGreen;
  if (within(*t.lower2, v, *t.lowerLimit)) return kYellow;
  if (within(*t.lower3, v, *t.lower2)) return kSalmon;
  if (v < *t.lower3) return kRed;
  return std::nullopt;
}

std::optional<Colorref> tiltBand(float v, const Thresholds& t) {
  if (v < *t.upperLimit) return kGreen;
  if (within(*t.upperLimit, v, *t.upper2)) return kYellow;
  if (within(*t.upper2, v, *t.upper3)) return kSalmon;
  if (v > *t.upper3) return kRed;
  return std::nullopt;
}

std::string whole(float v) {
  return app::fixedDecimals(v, 0);
}

bool sameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string_view captionOf(MapKind kind) {
  switch (kind) {
    case MapKind::Resistance:
      return "Resistance";
    case MapKind::Capacitance:
      return "Capacitance";
    case MapKind::Leakage:
      return "Leakage";
    case MapKind::Tilt:
      return "Tilt";
    case MapKind::Errors:
      break;
  }
  return "Errors";
}

std::optional<MapKind> mapKindNamed(std::string_view name) {
  for (MapKind kind : kAllMapKinds)
    if (sameText(name, captionOf(kind))) return kind;
  return std::nullopt;
}

Thresholds deriveThresholds(MapKind kind, float firstLimit, float secondLimit) {
  Thresholds t;
  switch (kind) {
    case MapKind::Resistance:
    case MapKind::Capacitance:
      t.upperLimit = secondLimit;
      t.upper2 = 1.4f * secondLimit;
      t.upper3 = 1.8f * secondLimit;
      t.lowerLimit = firstLimit;
      t.lower2 = 0.6f * firstLimit;
      t.lower3 = 0.2f * firstLimit;
      break;
    case MapKind::Leakage:
      t.lowerLimit = firstLimit < 10 ? 10.0f : firstLimit;
      t.lower2 = 0.75f * *t.lowerLimit;
      t.lower3 = 0.5f * *t.lowerLimit;
      break;
    case MapKind::Tilt:
      t.upperLimit = firstLimit < 0.2f ? 0.2f : firstLimit;
      t.upper2 = 1.5f * *t.upperLimit;
      t.upper3 = 2 * *t.upperLimit;
      break;
    case MapKind::Errors:
      break;
  }
  return t;
}

MapLimits limitsFor(const decode::SegdRecord& record, MapKind kind) {
  const std::int32_t n = heldTraceCount(record);
  const decode::TraceHeaderInfo* source = nullptr;
  if (n >= kLimitsTrace && isLiveTrace(record.traceInfo[kLimitsTrace]))
    source = &record.traceInfo[kLimitsTrace];
  for (std::int32_t t = n; source == nullptr && t >= 1; --t)
    if (isLiveTrace(record.traceInfo[static_cast<std::size_t>(t)]))
      source = &record.traceInfo[static_cast<std::size_t>(t)];
  if (source == nullptr) return {};
  switch (kind) {
    case MapKind::Resistance:
      return {source->resistanceLowLimit, source->resistanceHighLimit};
    case MapKind::Capacitance:
      return {source->capacitanceLowLimit, source->capacitanceHighLimit};
    case MapKind::Leakage:
      return {source->leakageLimit, source->leakageLimit};
    case MapKind::Tilt:
      return {source->tiltLimit, source->tiltLimit};
    case MapKind::Errors:
      break;
  }
  return {};
}

bool holdsTestValues(const decode::TraceHeaderInfo& info) {
  return std::isfinite(info.resistance) || std::isfinite(info.capacitance) ||
         std::isfinite(info.tilt) || std::isfinite(info.leakage);
}

bool recordHoldsTestValues(const decode::SegdRecord& record) {
  const std::int32_t n = heldTraceCount(record);
  for (std::int32_t t = 1; t <= n; ++t) {
    const decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
    if (isLiveTrace(info) && holdsTestValues(info)) return true;
  }
  return false;
}

float mapValueOf(MapKind kind, const decode::TraceHeaderInfo& info) {
  switch (kind) {
    case MapKind::Resistance:
      return info.resistance;
    case MapKind::Capacitance:
      return info.capacitance;
    case MapKind::Leakage:
      return info.leakage;
    case MapKind::Tilt:
      return info.tilt;
    case MapKind::Errors:
      break;
  }
  if (!holdsTestValues(info)) return NAN;
  return static_cast<float>(8 * (info.resistanceError == 1) + 4 * (info.capacitanceError == 1) +
                            2 * (info.tiltError == 1) + (info.leakageError == 1));
}

Colorref errorCodeColour(int code) {
  switch (code) {
    case 0:
      return kGreen;
    case 1:
      return kBlue;
    case 2:
      return kMagenta;
    case 3:
    case 5:
    case 6:
    case 9:
    case 10:
      return kYellow;
    case 4:
      return kBlack;
    case 8:
      return kRed;
    default:
      return kWhite;
  }
}

Colorref boxColour(MapKind kind, const decode::TraceHeaderInfo& info, const Thresholds& thresholds,
                   const ColourContext& context) {
  const float v = mapValueOf(kind, info);
  if (std::isnan(v)) return kNoValueGrey;
  std::optional<Colorref> colour;
  switch (kind) {
    case MapKind::Resistance:
      colour = twoSidedBand(v, thresholds);
      if (v < 1 && info.resistanceError == 0) colour = kCyan;
      break;
    case MapKind::Capacitance:
      colour = twoSidedBand(v, thresholds);
      break;
    case MapKind::Leakage:
      colour = leakageBand(v, thresholds);
      if (v < 1 && info.leakageError == 0) colour = kCyan;
      break;
    case MapKind::Tilt:
      colour = tiltBand(v, thresholds);
      if (v < -70 && context.tiltErrorCount > 100 && context.ignoreTiltErrors) colour = kCyan;
      break;
    case MapKind::Errors:
      return errorCodeColour(static_cast<int>(v));
  }
  return colour.value_or(kOutOfRangeGrey);
}

namespace {

bool allNumbers(const Thresholds& t) {
  for (const std::optional<float>& v :
       {t.upperLimit, t.upper2, t.upper3, t.lowerLimit, t.lower2, t.lower3})
    if (v && !std::isfinite(*v)) return false;
  return true;
}

std::vector<LegendRow> bandRows(MapKind kind, const Thresholds& t) {
  std::vector<LegendRow> rows;
  switch (kind) {
    case MapKind::Resistance:
    case MapKind::Capacitance:
      rows = {{kRed, " >" + whole(*t.upper3)},
              {kSalmon, " " + whole(*t.upper2) + "-" + whole(*t.upper3)},
              {kYellow, " " + whole(*t.upperLimit) + "-" + whole(*t.upper2)},
              {kGreen, " " + whole(*t.lowerLimit) + "-" + whole(*t.upperLimit)},
              {kOlive, " " + whole(*t.lower2) + "-" + whole(*t.lowerLimit)},
              {kMidBlue, " " + whole(*t.lower3) + "-" + whole(*t.lower2)},
              {kBlack, " <" + whole(*t.lower3)}};
      break;
    case MapKind::Leakage:
      rows = {{kGreen, " >" + whole(*t.lowerLimit) + "K"},
              {kYellow, " " + whole(*t.lower2) + "-" + whole(*t.lowerLimit) + "K"},
              {kSalmon, " " + whole(*t.lower3) + "-" + whole(*t.lower2) + "K"},
              {kRed, " <" + whole(*t.lower3) + "K"}};
      break;
    case MapKind::Tilt: {
      const int decimals = *t.upperLimit <= 2 ? 1 : 0;
      auto number = [decimals](float v) { return app::fixedDecimals(v, decimals); };
      rows = {{kRed, " >" + number(*t.upper3)},
              {kSalmon, " " + number(*t.upper2) + "-" + number(*t.upper3)},
              {kYellow, " " + number(*t.upperLimit) + "-" + number(*t.upper2)},
              {kGreen, " <" + number(*t.upperLimit)}};
      break;
    }
    case MapKind::Errors:
      rows = {{kGreen, " None"},      {kBlue, " Leakage"},      {kMagenta, " Tilt"},
              {kYellow, " Multiple"}, {kBlack, " Capacitance"}, {kRed, " Resistance"},
              {kWhite, " Other"}};
      break;
  }
  return rows;
}

}  // namespace

std::vector<LegendRow> legendRows(MapKind kind, const Thresholds& t, const LegendExtras& extras) {
  std::vector<LegendRow> rows;
  if (allNumbers(t)) rows = bandRows(kind, t);
  if (extras.anyOutOfRange && kind != MapKind::Errors)
    rows.push_back({kOutOfRangeGrey, " Out of range"});
  if (extras.anyNoValue) rows.push_back({kNoValueGrey, " no value"});
  return rows;
}

SpreadMap computeSpreadMap(const decode::SegdRecord& record, MapKind kind,
                           const ColourContext& context) {
  SpreadMap map;
  map.kind = kind;
  const MapLimits limits = limitsFor(record, kind);
  map.thresholds = deriveThresholds(kind, limits.first, limits.second);
  map.holdsTestValues = recordHoldsTestValues(record);
  if (!map.holdsTestValues) return map;
  const std::int32_t n = heldTraceCount(record);
  LegendExtras extras;
  for (std::int32_t t = 1; t <= n; ++t) {
    const decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
    if (!isLiveTrace(info)) continue;
    const Colorref colour = boxColour(kind, info, map.thresholds, context);
    extras.anyOutOfRange = extras.anyOutOfRange || colour == kOutOfRangeGrey;
    extras.anyNoValue = extras.anyNoValue || colour == kNoValueGrey;
    map.entries.push_back(
        {t, info.receiverLine, info.receiverPoint, mapValueOf(kind, info), colour});
  }
  map.legend = legendRows(kind, map.thresholds, extras);
  return map;
}

const MapEntry* entryAt(const SpreadMap& map, app::PointF world, double boxHalfWidth,
                        double boxHalfHeight) {
  for (auto e = map.entries.rbegin(); e != map.entries.rend(); ++e) {
    if (std::abs(world.x - e->point) <= boxHalfWidth &&
        std::abs(world.y - e->line) <= boxHalfHeight)
      return &*e;
  }
  return nullptr;
}

namespace {

std::string limitsText(MapKind kind, const decode::TraceHeaderInfo& info) {
  using decode::shortestText;
  switch (kind) {
    case MapKind::Resistance:
      return "Limits " + shortestText(info.resistanceLowLimit) + " - " +
             shortestText(info.resistanceHighLimit);
    case MapKind::Capacitance:
      return "Limits " + shortestText(info.capacitanceLowLimit) + " - " +
             shortestText(info.capacitanceHighLimit);
    case MapKind::Leakage:
      return "Limit " + shortestText(info.leakageLimit);
    case MapKind::Tilt:
      return "Limit " + shortestText(info.tiltLimit);
    case MapKind::Errors:
      break;
  }
  std::string flags;
  auto add = [&flags](std::int32_t flag, const char* name) {
    if (flag != 1) return;
    flags += flags.empty() ? "" : ", ";
    flags += name;
  };
  add(info.resistanceError, "Resistance");
  add(info.capacitanceError, "Capacitance");
  add(info.tiltError, "Tilt");
  add(info.leakageError, "Leakage");
  return flags.empty() ? "No errors" : flags;
}

}  // namespace

std::string readoutText(const SpreadMap& map, const MapEntry& entry,
                        const decode::TraceHeaderInfo& info) {
  using decode::shortestText;
  const std::string value =
      std::isnan(entry.value) ? std::string(captionOf(map.kind)) + " no value"
      : map.kind == MapKind::Errors
          ? "Error code " + std::to_string(static_cast<int>(entry.value))
          : std::string(captionOf(map.kind)) + " " + shortestText(entry.value);
  return "Trace " + std::to_string(entry.trace) + "  Line " + shortestText(entry.line) +
         "  Point " + shortestText(entry.point) + "  " + value + "  " + limitsText(map.kind, info);
}

}  // namespace vorax::spread
