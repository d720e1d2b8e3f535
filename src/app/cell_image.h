// A picture of equal cells, each one colour of a palette, laid over a world rectangle: the
// time-frequency image of the single trace view is one. On a canvas whose pixels can be
// written directly each pixel takes the colour of the cell under its middle; any other canvas
// (a printer, a recording) gets one filled rectangle per run of equal colours up a column.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "app/canvas.h"

namespace vorax::app {

struct CellImage {
  std::size_t columns = 0;
  std::size_t rows = 0;
  // Palette indices, column-major: the cell of column c and row r at cells[c * rows + r].
  std::span<const std::uint8_t> cells;
  std::span<const Colorref> palette;
  // World position of the corner of cell (0, 0) and the size of a cell (either may be negative).
  PointF origin;
  double cellWidth = 1;
  double cellHeight = 1;
};

// Draws the cells, cut to the world rectangle between corners a and b (any two opposite
// corners); what lies outside every cell is left as it was.
void drawCellImage(Canvas& canvas, const CellImage& image, PointF a, PointF b);

}  // namespace vorax::app
