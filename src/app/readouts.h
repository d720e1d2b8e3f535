// What the main window shows about the point under the mouse: which trace and sample it is,
// the blue read-out line, and the two-point velocity measurement.
#pragma once

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

}  // namespace vorax::app
