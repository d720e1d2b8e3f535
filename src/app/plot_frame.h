// The frame shared by the analysis plots (single trace, frequency against time, time-frequency
// image, selection spectrum): a data rectangle placed inside the picture with margins in
// pixels for captions and axis labels, and round-step tick labels along its edges.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/canvas.h"

namespace vorax::app {

// Pixels kept free around the data rectangle for labels and captions.
struct PixelMargins {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// A data rectangle in world units: x grows to the right, y upwards (top > bottom).
struct PlotRect {
  double left = 0;
  double right = 1;
  double bottom = 0;
  double top = 1;
};

// What a plot leaves behind for the pointer read-outs: its world window and data rectangle.
struct PlotGeometry {
  WorldWindow world;
  PlotRect data;
  bool hasData = false;  // false: nothing was plotted

  // Where a device pixel of a picture of w x h falls in data units; none outside the data.
  std::optional<PointF> dataPointAt(int width, int height, PointF pixel) const;
};

// Sets the world window so that `data` fills the picture less the margins, and returns it.
// A degenerate data range is widened to one unit; margins that would leave less than one
// pixel are shrunk.
WorldWindow setPlotWindow(Canvas& canvas, PlotRect& data, PixelMargins margins);

// Font height in pixels for the plots' labels: about 1/45 of the picture's height, 9 to 14.
double plotFontPixels(const Canvas& canvas);

using TickText = std::function<std::string(double value)>;

// Ticks and labels at `origin` plus the multiples of `step` from `from` to `to` along the
// bottom edge of `data` (labels centred below, kept inside the picture at both ends; a label
// that would touch the one before it is left out), with optional dotted grid lines up to the
// top edge.
void drawBottomTicks(Canvas& canvas, const PlotRect& data, double from, double to, double step,
                     const TickText& text, bool grid, double origin = 0);

// Ticks and labels at the given y values along the left (or right) edge, labels vertically
// centred and right- (or left-) aligned next to the tick; dotted grid lines across when asked.
enum class Side { Left, Right };
void drawSideTick(Canvas& canvas, const PlotRect& data, Side side, double y,
                  const std::string& label, bool grid);

// Multiples of `step` in from..to (both included when they are multiples), robust to rounding.
std::vector<double> stepValues(double from, double to, double step);

// "0.0" + "mS " time label.
std::string timeLabelMs(double ms);

// Axis titles: one centred under the bottom labels, one rotated beside the left or right labels.
void drawBottomTitle(Canvas& canvas, const PlotRect& data, const std::string& title);
void drawSideTitle(Canvas& canvas, const PlotRect& data, Side side, const std::string& title);

}  // namespace vorax::app
