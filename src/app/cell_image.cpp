#include "app/cell_image.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace vorax::app {

namespace {

constexpr std::ptrdiff_t kOutside = -1;

// For each of `count` pixels along one device axis, the index of the cell under the pixel's
// middle, kOutside where the middle lies beyond the rectangle lo..hi or every cell.
std::vector<std::ptrdiff_t> cellsAlong(int count, double worldAt0, double worldPerPixel, double lo,
                                       double hi, double origin, double cellSize,
                                       std::size_t cells) {
  std::vector<std::ptrdiff_t> index(static_cast<std::size_t>(count), kOutside);
  for (int p = 0; p < count; ++p) {
    const double world = worldAt0 + (p + 0.5) * worldPerPixel;
    if (!(world >= lo && world <= hi)) continue;
    const double at = std::floor((world - origin) / cellSize);
    if (at >= 0 && at < static_cast<double>(cells))
      index[static_cast<std::size_t>(p)] = static_cast<std::ptrdiff_t>(at);
  }
  return index;
}

void rasterCells(const PixelSurface& surface, const WorldMapping& m, const CellImage& image,
                 PointF a, PointF b) {
  const auto& w = m.window;
  const std::vector<std::ptrdiff_t> columnOf =
      cellsAlong(surface.width, w.left, (w.right - w.left) / m.deviceWidth, std::min(a.x, b.x),
                 std::max(a.x, b.x), image.origin.x, image.cellWidth, image.columns);
  const std::vector<std::ptrdiff_t> rowOf =
      cellsAlong(surface.height, w.top, (w.bottom - w.top) / m.deviceHeight, std::min(a.y, b.y),
                 std::max(a.y, b.y), image.origin.y, image.cellHeight, image.rows);
  std::vector<std::uint32_t> pixels(image.palette.size());
  for (std::size_t k = 0; k < pixels.size(); ++k) pixels[k] = surfacePixel(image.palette[k]);
  const auto rows = static_cast<std::ptrdiff_t>(image.rows);
  for (int y = 0; y < surface.height; ++y) {
    const std::ptrdiff_t r = rowOf[static_cast<std::size_t>(y)];
    if (r == kOutside) continue;
    std::uint32_t* line = surface.bits + static_cast<std::ptrdiff_t>(y) * surface.stride;
    for (int x = 0; x < surface.width; ++x) {
      const std::ptrdiff_t c = columnOf[static_cast<std::size_t>(x)];
      if (c != kOutside) line[x] = pixels[image.cells[static_cast<std::size_t>(c * rows + r)]];
    }
  }
}

// The cell edge `k` cells from the origin, cut to lo..hi.
double edge(double origin, double size, std::size_t k, double lo, double hi) {
  return std::clamp(origin + static_cast<double>(k) * size, lo, hi);
}

void fillCellRuns(Canvas& canvas, const CellImage& image, PointF a, PointF b) {
  const double xLo = std::min(a.x, b.x);
  const double xHi = std::max(a.x, b.x);
  const double yLo = std::min(a.y, b.y);
  const double yHi = std::max(a.y, b.y);
  for (std::size_t c = 0; c < image.columns; ++c) {
    const double x0 = edge(image.origin.x, image.cellWidth, c, xLo, xHi);
    const double x1 = edge(image.origin.x, image.cellWidth, c + 1, xLo, xHi);
    if (x0 == x1) continue;
    const std::uint8_t* column = image.cells.data() + c * image.rows;
    std::size_t start = 0;
    for (std::size_t r = 1; r <= image.rows; ++r) {
      if (r < image.rows && column[r] == column[start]) continue;
      const double y0 = edge(image.origin.y, image.cellHeight, start, yLo, yHi);
      const double y1 = edge(image.origin.y, image.cellHeight, r, yLo, yHi);
      if (y0 != y1) canvas.fillRect({x0, y0}, {x1, y1}, image.palette[column[start]]);
      start = r;
    }
  }
}

}  // namespace

void drawCellImage(Canvas& canvas, const CellImage& image, PointF a, PointF b) {
  if (image.columns == 0 || image.rows == 0 || image.cells.size() < image.columns * image.rows ||
      !(image.cellWidth != 0) || !(image.cellHeight != 0))
    return;
  if (const std::optional<PixelSurface> surface = canvas.pixelSurface())
    rasterCells(*surface, canvas.mapping(), image, a, b);
  else
    fillCellRuns(canvas, image, a, b);
}

}  // namespace vorax::app
