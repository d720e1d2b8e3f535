// What the main window shows about the point under the mouse: which trace and sample it is,
// the blue read-out line, and the two-point velocity measurement.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/canvas.h"
#include "app/record_display.h"
#include "decode/segd_record.h"

namespace vorax::app {

// A number with a fixed count of decimals, rounded half away from zero ("0.0" is 1).
std::string fixedDecimals(double value, int decimals);

struct TraceAndSample {
  std::int32_t trace = 0;
  std::int32_t sample = 0;
  friend bool operator==(const TraceAndSample&, const TraceAndSample&) = default;
};

// The trace and sample nearest to a device pixel of the main display, found by inverting the
// world window of the last drawing. None outside the trace area or when nothing was drawn;
// the trace is limited to the traces the record holds.
std::optional<TraceAndSample> traceAndSampleAt(const RecordDisplayGeometry& geometry,
                                               const WorldMapping& mapping, PointF pixel,
                                               std::int32_t heldTraces);

// "Seis Channel : " + channel + " " + " Time : " + ms as "0.0" + "mS", then, when the sample
// has one, "  Amplitude : " + the recorded amplitude; the channel is the trace index less the
// auxiliary traces, the time counted from the record's start time.
std::string pointerReadoutText(const decode::SegdRecord& record, const TraceAndSample& at);

// The sample's value in the record's recorded units (stored value x the trace's divisor);
// none for a sample the record does not hold or a value that is no finite number.
std::optional<double> recordedAmplitude(const decode::SegdRecord& record, const TraceAndSample& at);

// Velocity in m/s between two picks from the traces' X and Y (metres) and the sample
// difference; "Vel:" + "0.0" + "m/S " below 20000, otherwise (or for no time difference)
// "Invalid Selection ". Two receivers at the same X and Y give kNoDistanceText: a velocity
// of 0 would be a false measurement.
inline constexpr const char* kNoDistanceText =
    "No distance: the two receivers have the same X and Y ";
std::string velocityText(const decode::SegdRecord& record, const TraceAndSample& a,
                         const TraceAndSample& b);

inline constexpr std::size_t kTraceAttributeCount = 16;

struct TraceAttribute {
  const char* caption;
  std::string value;
};

// The "Trace Attributes" fields of a trace, in order: trace number, "Line", "Point", "X",
// "Y", "Z", "Type" (channel and sensor kind), then the four receiver test values, the channel
// number and the acquisition unit. A VORAX record's rows keep the captions of what that
// recorder stores there: "Tr Edit" (capacitance column: the trace edit code), "Gain (db)"
// (tilt column: the recorded gain), "Cable #" (resistance column), "MLCU #" (leakage
// column), "Chan", "SLCU Adr" (control unit text), "RSU Ch" (control unit serial number),
// "RSU Adr" (interpolation count), "RSU #" (unit serial number). Sercel, SEG-2 and standard records
// caption the same rows with what they hold ("Capacitance", "Tilt", "Resistance",
// "Leakage", ...); a standard record's rows 7-10 hold each trace's "Start Date" and
// "Start UTC" (its first sample, to the millisecond or microsecond), "Latitude" and
// "Longitude" (degrees to 6 decimals). A value the record does not have (NaN, an empty text,
// any test or unit value of a SEG-2 file, a unit serial number 0 of a standard record) is
// "-". Empty values for a trace the record does not describe.
std::array<TraceAttribute, kTraceAttributeCount> traceAttributes(const decode::SegdRecord& record,
                                                                 std::int32_t trace);

}  // namespace vorax::app
