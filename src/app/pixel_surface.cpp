#include "app/pixel_surface.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "base/worker_count.h"

namespace vorax::app {

namespace {

// Below this many pixels a second thread costs more than it saves.
constexpr std::ptrdiff_t kPixelsForSeveralThreads = std::ptrdiff_t{1} << 19;

void fillRows(const PixelSurface& surface, std::uint32_t pixel, int first, int end) {
  for (int y = first; y < end; ++y) {
    std::uint32_t* row = surface.bits + static_cast<std::ptrdiff_t>(y) * surface.stride;
    std::fill(row, row + surface.width, pixel);
  }
}

}  // namespace

void fillSurface(const PixelSurface& surface, std::uint32_t pixel) {
  const std::ptrdiff_t pixels = static_cast<std::ptrdiff_t>(surface.width) * surface.height;
  const int bands =
      pixels < kPixelsForSeveralThreads
          ? 1
          : static_cast<int>(std::min<std::ptrdiff_t>(std::max(1u, base::workerCount()),
                                                      pixels / kPixelsForSeveralThreads + 1));
  auto bandStart = [&](int band) {
    return static_cast<int>(std::int64_t{surface.height} * band / bands);
  };
  std::vector<std::jthread> helpers;
  for (int band = 1; band < bands; ++band)
    helpers.emplace_back(
        [&, band] { fillRows(surface, pixel, bandStart(band), bandStart(band + 1)); });
  fillRows(surface, pixel, 0, bandStart(1));
}

}  // namespace vorax::app
