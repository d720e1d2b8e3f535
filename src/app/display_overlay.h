// What is drawn over the main display: the transient marks of the pointer (crosshair,
// read-out, rubber bands), which are painted over the cached picture and never become part
// of it, and the annotations that do belong to the picture (picked traces, the last velocity).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/canvas.h"
#include "app/readouts.h"
#include "app/record_display.h"

namespace vorax::app {

enum class DisplayDrag { None, Velocity, Selection, Zoom };

struct DisplayOverlay {
  std::optional<TraceAndSample> cursor;  // the crosshair's point
  std::string readout;                   // the blue line below the traces
  DisplayDrag drag = DisplayDrag::None;  // a Shift-, Alt- or plain drag from dragFrom to dragTo
  TraceAndSample dragFrom;
  TraceAndSample dragTo;
};

// Crosshair: red lines of 3 pixels through the cursor point across the trace area; read-out
// in blue under the trace area; the velocity rubber band as a blue line, the selection as a
// blue rectangle, the zoom rectangle dotted in red. The canvas is set to the display's world window
// and font.
void drawDisplayOverlay(Canvas& canvas, const RecordDisplayGeometry& geometry,
                        const DisplayOverlay& overlay);

// A trace marked by a tool that judged it, with a short text saying why ("D", "R+S").
struct TraceMark {
  std::int32_t trace = 0;
  std::string label;
};

struct DisplayAnnotations {
  std::vector<std::int32_t> pickedTraces;
  std::string velocityText;  // empty when nothing was measured
  std::vector<TraceMark> markedTraces;
};

// Picked traces get a magenta triangle at the top of their trace; marked traces a red
// triangle at the foot of their trace with their label in red above it; the velocity text is
// written in blue above the traces, right-aligned on the trace area's right edge.
void drawDisplayAnnotations(Canvas& canvas, const RecordDisplayGeometry& geometry,
                            const DisplayAnnotations& annotations);

}  // namespace vorax::app
