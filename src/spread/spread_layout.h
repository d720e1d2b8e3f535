// Where the spread view puts things: every live trace is one box at (receiver point,
// receiver line) in a world window 1.3 times the spread's extent, line numbers growing
// upwards. The maps and both slices share this layout.
#pragma once

#include <cstdint>

#include "app/canvas.h"
#include "decode/segd_record.h"

namespace vorax::spread {

// A trace takes part in the spread view when its receiver line is above 0 (auxiliary traces
// and traces without extension blocks have line 0) and both its line and point are finite.
bool isLiveTrace(const decode::TraceHeaderInfo& info);

// The traces 1..N that the record holds attributes and samples for.
std::int32_t heldTraceCount(const decode::SegdRecord& record);

// What the spread view and its commands say about a record without live traces.
inline constexpr const char* kNoLiveTracesMessage =
    "This record holds no receiver test values: no trace has a receiver line above 0.";

// True when at least one held trace is live.
bool hasLiveTraces(const decode::SegdRecord& record);

struct SpreadLayout {
  // Extent over the live traces. Without live traces both maxima stay -1 and the minima
  // start from them, so the extent is the single point (-1, -1).
  double xmin = -1;
  double xmax = -1;
  double ymin = -1;
  double ymax = -1;
  int lineCount = 0;  // line-run entries with a non-zero line

  double worldLeft = 0;
  double worldTop = 0;
  double worldWidth = 1;
  double worldHeight = 1;

  double boxHalfWidth = 0.5;  // boxes of neighbouring points touch
  double boxHalfHeight = 0;

  app::WorldWindow world() const {
    return {worldLeft, worldTop, worldLeft + worldWidth, worldTop - worldHeight};
  }
  double worldBottom() const { return worldTop - worldHeight; }
};

SpreadLayout computeSpreadLayout(const decode::SegdRecord& record);

// The legend's frame: one column a thirtieth of the world wide, four columns in from the
// right, a quarter of the world high, its bottom half a quarter above the world's bottom.
struct LegendFrame {
  double left = 0;
  double right = 0;
  double top = 0;
  double bottom = 0;
  double height() const { return top - bottom; }
};

LegendFrame legendFrameOf(const SpreadLayout& layout);

}  // namespace vorax::spread
