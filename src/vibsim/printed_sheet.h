// A similarity page on a printed sheet: the sheet's layout at the printer's resolution and
// the page drawn on it, as vectors. The display window, the run and the fleet table print
// through these, so printed lines are never thinner than a quarter of a millimetre.
#pragma once

#include <string_view>
#include <vector>

#include "app/canvas.h"
#include "vibsim/pane_canvas.h"
#include "vibsim/similarity_pages.h"

namespace vorax::vibsim {

inline constexpr double kLeastPrintedLineMm = 0.25;

// Device pixels of the thinnest printed line at `dotsPerInch`.
double leastPenPixels(double dotsPerInch);

struct PrintedSheet {
  DeviceRect caption;             // the band the page caption is centred in
  std::vector<DeviceRect> panes;  // pane A, then pane B
  double leastPenPixels = 1;
};

// A landscape sheet of `width` x `height` device pixels: a caption band (the top 5 %), then
// `panes` panes side by side below it, each in the A4 portrait proportions of a pane and
// centred in its half of the sheet.
PrintedSheet printedSheet(double width, double height, double dotsPerInch, int panes);

// The caption centred in its band, then every pane of `page` drawn into its rectangle.
void drawPrintedPage(app::Canvas& device, const PrintedSheet& sheet, SimilarityPages& pages,
                     int page, std::string_view caption);

// The largest rectangle of `aspect` (width / height) centred in a sheet of width x height.
DeviceRect centredArea(double width, double height, double aspect);

}  // namespace vorax::vibsim
