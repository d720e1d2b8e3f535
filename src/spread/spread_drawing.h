// The spread view's pictures share one frame: the world window of the layout, the legend
// frame, a centred title, the boxes, and the line and point labels. drawSpreadMap draws a
// whole map; the slices draw their frames from the same pieces.
#pragma once

#include <string_view>

#include "app/canvas.h"
#include "base/debug_log.h"
#include "decode/segd_record.h"
#include "spread/spread_layout.h"
#include "spread/spread_map.h"

namespace vorax::spread {

// Font heights in device pixels for sizes in points, at 96 pixels per inch.
constexpr double pointsToPixels(double points) {
  return points * 96.0 / 72.0;
}

// Clears the canvas to white and sets the layout's world window.
void startSpreadPicture(app::Canvas& canvas, const SpreadLayout& layout);
void drawLegendFrameOutline(app::Canvas& canvas, const SpreadLayout& layout);
// "Arial Black" 14 pt, centred on the world window, its top half a box height below the top.
void drawSpreadTitle(app::Canvas& canvas, const SpreadLayout& layout, std::string_view title);
// One filled box of the layout's size centred on (point, line).
void fillTraceBox(app::Canvas& canvas, const SpreadLayout& layout, double point, double line,
                  Colorref colour);
// " " and the line number at the world's left edge, centred on the line, for every line run
// with a non-zero line, in "MS Sans Serif" 8 pt.
void drawLineLabels(app::Canvas& canvas, const decode::SegdRecord& record,
                    const SpreadLayout& layout);
// Multiples of CHOOSESTEP(xmin, xmax), at least 1, from 0 that lie in xmin..xmax, written upwards
// in 12 pt, centred on their point, starting a box half-height above the world's bottom.
void drawPointLabels(app::Canvas& canvas, const SpreadLayout& layout);
// The whole map: frame, title, boxes, legend, labels; with its debug-log lines. A record
// without test values gets the title and the message saying so instead.
void drawSpreadMap(app::Canvas& canvas, const decode::SegdRecord& record,
                   const SpreadLayout& layout, const SpreadMap& map, const base::DebugLog& log);

}  // namespace vorax::spread
