// A picture in memory that drawing code may write pixels into directly, and the one-pixel pen
// that does it. Pages of the main display light hundreds of thousands of pixels; going
// through a general painter for each costs most of a page's time.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "decode/segd_record.h"

namespace vorax::app {

// 32 bits a pixel, 0xAARRGGBB, rows `stride` pixels apart.
struct PixelSurface {
  std::uint32_t* bits = nullptr;
  std::ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
};

// The opaque pixel of a colour.
constexpr std::uint32_t surfacePixel(decode::Colorref c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// Sets every pixel of the surface, the rows shared between the program's workers when there are
// many.
void fillSurface(const PixelSurface& surface, std::uint32_t pixel);

// floor(v) as an int without the library call (v is within a few picture sizes here).
inline int pixelIndexOf(double v) {
  const auto truncated = static_cast<int>(v);
  return truncated - static_cast<int>(v < static_cast<double>(truncated));
}

// Calls light(x, y) for each pixel of the aliased one-pixel line from (x0, y0) to (x1, y1),
// both ends included, in order from the first (Bresenham's steps in every octant).
template <typename Light>
void forEachLinePixel(int x0, int y0, int x1, int y1, Light light) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int stepX = x0 < x1 ? 1 : -1;
  const int stepY = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (true) {
    light(x0, y0);
    if (x0 == x1 && y0 == y1) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y0 += stepY;
    }
  }
}

// Aliased one-pixel lines in one colour. It writes only rows firstRow..endRow - 1 of the
// surface, so that two pens on different bands of rows may draw one picture at once; pixels
// outside the surface are skipped.
class PixelPen {
 public:
  PixelPen(const PixelSurface& surface, std::uint32_t pixel, int firstRow, int endRow)
      : surface_(surface),
        pixel_(pixel),
        firstRow_(std::max(0, firstRow)),
        endRow_(std::min(surface.height, endRow)) {}
  PixelPen(const PixelSurface& surface, std::uint32_t pixel)
      : PixelPen(surface, pixel, 0, surface.height) {}

  void setPixel(std::uint32_t pixel) { pixel_ = pixel; }

  // Bresenham from pixel (x0, y0) to (x1, y1), both ends lit.
  void line(int x0, int y0, int x1, int y1) {
    forEachLinePixel(x0, y0, x1, y1, [this](int x, int y) { plot(x, y); });
  }

  // True when a segment between these device points is short enough to walk pixel by pixel.
  bool walkable(double ax, double ay, double bx, double by) const {
    const double limit = walkLimit();
    return std::abs(ax) < limit && std::abs(ay) < limit && std::abs(bx) < limit &&
           std::abs(by) < limit;
  }
  double walkLimit() const { return 4.0 * std::max(surface_.width, surface_.height); }

  // A horizontal line at device row y from device x a to b: the columns from round(left) up
  // to, not including, round(right) of row floor(y), as a general one-pixel line in copy mode
  // lights them. False, drawing nothing, when y lies outside the surface.
  bool horizontalLine(double a, double b, double y) {
    if (!(y >= 0 && y < surface_.height)) return false;
    horizontalLineOnRow(a, b, static_cast<int>(y));
    return true;
  }
  void horizontalLineOnRow(double a, double b, int row) {
    const ColumnRange columns = horizontalLineColumns(a, b);
    span(row, columns.first, columns.end);
  }

  // The columns a horizontal line from device x a to b lights: round(left) up to, not
  // including, round(right).
  struct ColumnRange {
    int first;
    int end;
  };
  ColumnRange horizontalLineColumns(double a, double b) const {
    const double lo = std::clamp(std::min(a, b), -1.0, surface_.width + 1.0);
    const double hi = std::clamp(std::max(a, b), -1.0, surface_.width + 1.0);
    return {pixelIndexOf(lo + 0.5), pixelIndexOf(hi + 0.5)};
  }

  // The pixels of one row from column `first` up to, not including, `end`.
  void span(int y, int first, int end) {
    if (y < firstRow_ || y >= endRow_) return;
    first = std::max(0, first);
    end = std::min(surface_.width, end);
    std::uint32_t* row = surface_.bits + static_cast<std::ptrdiff_t>(y) * surface_.stride;
    for (int x = first; x < end; ++x) row[x] = pixel_;
  }

  void plot(int x, int y) {
    if (x >= 0 && x < surface_.width && y >= firstRow_ && y < endRow_)
      surface_.bits[static_cast<std::ptrdiff_t>(y) * surface_.stride + x] = pixel_;
  }

 private:
  PixelSurface surface_;
  std::uint32_t pixel_;
  int firstRow_;
  int endRow_;
};

}  // namespace vorax::app
