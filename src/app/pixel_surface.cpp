#include "app/pixel_surface.h"

#include <thread>

namespace vorax::app {

namespace {

// Below this many pixels a second thread costs more than it saves.
constexpr std::ptrdiff_t kPixelsForTwoThreads = std::ptrdiff_t{1} << 19;

void fillRows(const PixelSurface& surface, std::uint32_t pixel, int first, int end) {
  for (int y = first; y < end; ++y) {
    std::uint32_t* row = surface.bits + static_cast<std::ptrdiff_t>(y) * surface.stride;
    std::fill(row, row + surface.width, pixel);
  }
}

}  // namespace

void fillSurface(const PixelSurface& surface, std::uint32_t pixel) {
  if (static_cast<std::ptrdiff_t>(surface.width) * surface.height < kPixelsForTwoThreads) {
    fillRows(surface, pixel, 0, surface.height);
    return;
  }
  const int middle = surface.height / 2;
  std::jthread lower([&] { fillRows(surface, pixel, middle, surface.height); });
  fillRows(surface, pixel, 0, middle);
}

}  // namespace vorax::app
