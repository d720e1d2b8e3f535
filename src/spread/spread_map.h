// The five spread maps: which test value each shows, the bands derived from the recorded
// limits, the colour of every live trace and the legend rows. The dialog, its pointer
// read-out and `vorax spread` all work from one SpreadMap.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/canvas.h"
#include "decode/segd_record.h"

namespace vorax::spread {

using decode::Colorref;

enum class MapKind { Resistance = 1, Capacitance = 2, Leakage = 3, Tilt = 4, Errors = 5 };

inline constexpr MapKind kAllMapKinds[] = {MapKind::Resistance, MapKind::Capacitance,
                                           MapKind::Leakage, MapKind::Tilt, MapKind::Errors};

// "Resistance", "Capacitance", "Leakage", "Tilt", "Errors": the button captions and titles.
std::string_view captionOf(MapKind kind);
// The kind whose caption is `name`, compared without case; nothing for any other name.
std::optional<MapKind> mapKindNamed(std::string_view name);

inline constexpr Colorref kSalmon = app::rgb(255, 168, 125);
inline constexpr Colorref kOlive = app::rgb(128, 128, 64);
inline constexpr Colorref kMidBlue = app::rgb(0, 128, 192);
inline constexpr Colorref kCyan = app::rgb(0, 255, 255);
// A value that falls in no band: a value or a recorded limit that is not a number.
inline constexpr Colorref kOutOfRangeGrey = app::rgb(128, 128, 128);
// A trace that holds no value for the map (for Errors: no test value at all).
inline constexpr Colorref kNoValueGrey = app::rgb(210, 210, 210);

// What the maps say about a record whose live traces hold no receiver test value at all
// (every value missing or not a number): its error flags and bands would read as passing.
inline constexpr const char* kNoTestValuesMessage = "This record holds no receiver test values";

// Whether a trace holds at least one receiver test value that is a number.
bool holdsTestValues(const decode::TraceHeaderInfo& info);
// Whether any live trace of the record does.
bool recordHoldsTestValues(const decode::SegdRecord& record);

// The six band thresholds; a map defines only some of them (none for Errors).
struct Thresholds {
  std::optional<float> upperLimit;
  std::optional<float> upper2;
  std::optional<float> upper3;
  std::optional<float> lowerLimit;
  std::optional<float> lower2;
  std::optional<float> lower3;
};

// The bands of a map from the two recorded limits (for Leakage and Tilt both are the one
// limit): resistance and capacitance 1.8, 1.4 x high and 0.6, 0.2 x low; leakage at least 10
// (megohm) with 0.75 and 0.5 of it below; tilt at least 0.2 with 1.5 and 2 times it above.
Thresholds deriveThresholds(MapKind kind, float firstLimit, float secondLimit);

// The limits the bands are derived from: those of trace 100 when it is live (every trace of a
// Sercel record carries the same limits), else those of the last live trace; both 0 without
// live traces.
struct MapLimits {
  float first = 0;
  float second = 0;
};
MapLimits limitsFor(const decode::SegdRecord& record, MapKind kind);

// What besides the value decides a colour: the tilt map paints tilts below -70 cyan when the
// record has more than 100 tilt errors and the user chose to ignore them.
struct ColourContext {
  std::int32_t tiltErrorCount = 0;
  bool ignoreTiltErrors = false;
};

// The map's test value of a trace; for Errors the error code 8R + 4C + 2T + L, each letter 1
// when that error flag equals 1, or NaN when the trace holds no test value.
float mapValueOf(MapKind kind, const decode::TraceHeaderInfo& info);
Colorref boxColour(MapKind kind, const decode::TraceHeaderInfo& info, const Thresholds& thresholds,
                   const ColourContext& context);
Colorref errorCodeColour(int code);

struct LegendRow {
  Colorref colour = 0;
  std::string text;
};

// Which rows besides the bands a legend needs.
struct LegendExtras {
  bool anyOutOfRange = false;  // some trace of a banded map painted the out-of-range grey
  bool anyNoValue = false;     // some trace holds no value for the map
};

// The legend rows of a map, top row first: the bands (only when every threshold is a number),
// then " Out of range" in grey and " no value" in light grey when some trace is painted so.
std::vector<LegendRow> legendRows(MapKind kind, const Thresholds& thresholds,
                                  const LegendExtras& extras);

struct MapEntry {
  std::int32_t trace = 0;  // 1..N in file order
  float line = 0;
  float point = 0;
  float value = 0;  // NaN: no value (painted kNoValueGrey)
  Colorref colour = 0;
};

struct SpreadMap {
  MapKind kind = MapKind::Errors;
  bool holdsTestValues = true;  // false: no live trace holds any test value; no map to show
  Thresholds thresholds;
  std::vector<MapEntry> entries;  // live traces only, in trace order
  std::vector<LegendRow> legend;
};

SpreadMap computeSpreadMap(const decode::SegdRecord& record, MapKind kind,
                           const ColourContext& context);

// The last entry whose box (half sizes given) holds the world point: the one drawn on top.
const MapEntry* entryAt(const SpreadMap& map, app::PointF world, double boxHalfWidth,
                        double boxHalfHeight);

// One line for the pointer read-out: line, point, the map's value and the trace's limits, e.g.
// "Trace 14  Line 1  Point 101  Resistance 612.5  Limits 250 - 500".
std::string readoutText(const SpreadMap& map, const MapEntry& entry,
                        const decode::TraceHeaderInfo& info);

}  // namespace vorax::spread
