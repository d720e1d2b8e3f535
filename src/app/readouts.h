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

// "Seis Channel : " + channel + " " + " Time : " + ms as "0.0" + "mS"; the channel is the
// trace index less the auxiliary traces.
std::string pointerReadoutText(const decode::SegdRecord& record, const TraceAndSample& at);

// Velocity in m/s between two picks from the traces' X and Y (metres) and the sample
// difference; "Vel:" + "0.0" + "m/S " below 20000, otherwise (or for no time difference)
// "Invalid Selection ".
std::string velocityText(const decode::SegdRecord& record, const TraceAndSample& a,
                         const TraceAndSample& b);

inline constexpr std::size_t kTraceAttributeCount = 16;

struct TraceAttribute {
  const char* caption;
  std::string value;
};

// The "Trace Attributes" fields of a trace, in order: trace number, "Line", "Point", "X",
// "Y", "Z", "Type" (channel and sensor kind), "Tr Edit" (second test value: the trace edit
// code for one-block records), "Gain (db)" (third test value: the recorded gain), "Cable #"
// (first test value), then the acquisition unit: "MLCU #" (fourth test value), "Chan"
// (channel number), "SLCU Adr" (control unit text), "RSU Ch" (control unit serial number),
// "RSU Adr" (interpolation count), "RSU #" (unit serial number). Empty values for a trace
// the record does not describe.
std::array<TraceAttribute, kTraceAttributeCount> traceAttributes(const decode::SegdRecord& record,
                                                                 std::int32_t trace);

}  // namespace vorax::app
