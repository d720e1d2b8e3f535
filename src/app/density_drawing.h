// Traces drawn as variable density: each sample a cell of colour, trace k's cells a trace
// spacing wide about its position, sample j's from j - 1/2 to j + 1/2 (cut at the window),
// the colour from a diverging map of factor x sample over -clip..+clip. Where several traces
// share a pixel column of the picture their values are averaged, so that no trace (a dead
// one, say) drops out of a page of thousands.
//
// On a canvas whose pixels can be written directly the cells are rasterised here, on two
// threads for a large picture; any other canvas gets one filled rectangle per run of equal
// colours.
#pragma once

#include <span>
#include <string>

#include "app/canvas.h"
#include "app/wiggle_drawing.h"

namespace vorax::app {

struct DensityTrace {
  std::span<const float> samples;
  double position = 0;  // x of the middle of the trace's cells
  double factor = 1;    // stored sample to trace spacings
  // When given, the factor is also multiplied by this of the samples, worked out by the
  // thread that draws the trace, while its samples are at hand.
  double (*balance)(std::span<const float>) = nullptr;
};

// The colour of a value over the colour map's range -1..+1: dark blue at -1, blue at -1/2,
// white at 0, red at +1/2, dark red at +1; beyond the range the end colours, NaN white.
Colorref densityColour(double value);

// Draws the traces' cells; traces must be in order of position.
void drawDensity(Canvas& canvas, std::span<const DensityTrace> traces, const SampleWindow& window,
                 double clip);

// A horizontal colour bar of the map in the rectangle from `a` (top left) to `b`, outlined,
// with `negative`, "0" and `positive` written under its left end, middle and right end.
void drawDensityColourBar(Canvas& canvas, PointF a, PointF b, const std::string& negative,
                          const std::string& positive);

}  // namespace vorax::app
