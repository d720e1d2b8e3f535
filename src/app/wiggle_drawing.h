// Traces drawn as wiggles with positive fill, time running down: trace k at x = position, the
// wiggle through (position + v(j), j) and horizontal fills from the trace's axis to every
// positive excursion, v = factor x sample limited to +-clip (a NaN sample counts as 0).
//
// On a canvas whose pixels can be written directly the traces are rasterised here, split
// into bands of rows drawn at once on the program's workers; the pixels are exactly those the
// canvas's polyline and lines would light. Any other canvas gets those calls.
#pragma once

#include <cstdint>
#include <span>

#include "app/canvas.h"

namespace vorax::app {

// The samples shown, as fractional sample indices.
struct SampleWindow {
  double s0 = 0;
  double s1 = 0;
};

struct WiggleTrace {
  std::span<const float> samples;
  double position = 0;  // x of the trace's axis
  double factor = 1;    // stored sample to trace spacings
  Colorref colour = 0;
};

// The wiggle line with its positive fill, or the fill alone (variable area).
enum class WiggleStyle { LineAndFill, FillOnly };

// Draws the traces in order (a later trace covers an earlier one where they overlap) and
// leaves the pen as it was set last: one pixel, solid, the last trace's colour.
void drawWiggles(Canvas& canvas, std::span<const WiggleTrace> traces, const SampleWindow& window,
                 double clip, WiggleStyle style = WiggleStyle::LineAndFill);

// One trace, as drawWiggles draws it.
void drawWiggle(Canvas& canvas, std::span<const float> samples, double position,
                const SampleWindow& window, double factor, double clip, Colorref colour);

}  // namespace vorax::app
