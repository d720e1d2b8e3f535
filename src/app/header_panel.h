// The boxed table of the record's main header values drawn in the right-hand margin of the
// main display, so that every screen, print and picture of a record carries its identity.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "decode/segd_record.h"

namespace vorax::app {

// The rows every record shows; a record with a GPS position adds "GPS Lat" and "GPS Lon"
// (degrees to 6 decimals, north and east positive).
inline constexpr int kHeaderPanelRows = 23;

struct HeaderPanelRow {
  std::string label;  // verbatim, trailing spaces included ("Record ", "SR (mS) ")
  std::string value;  // trimmed
};

std::vector<HeaderPanelRow> headerPanelRows(const decode::RecordSummary& summary);

// Where the panel goes, in the main display's world coordinates (x in trace spacings, y in
// samples growing downwards): the right margin runs from the trace area's right edge x1 to
// the view's right edge xRight; s0 and s1 are the first and last displayed samples.
struct HeaderPanelArea {
  double x1 = 0;
  double xRight = 1;
  double s0 = 0;
  double s1 = 1;
};

// True when the title and all rows fit inside the panel in the canvas's current font.
bool headerPanelFits(const Canvas& canvas, const decode::RecordSummary& summary,
                     const HeaderPanelArea& area);

// Draws the panel in the canvas's current font and colours.
void drawHeaderPanel(Canvas& canvas, const decode::RecordSummary& summary,
                     const HeaderPanelArea& area);

}  // namespace vorax::app
