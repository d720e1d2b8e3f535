// A recording canvas whose pixels lie in memory, so that the renderers that write pixels
// directly (wiggles, variable density) rasterise straight into them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/recording_canvas.h"

namespace vorax::test {

class MemoryCanvas : public app::RecordingCanvas {
 public:
  MemoryCanvas(int width, int height)
      : RecordingCanvas(width, height),
        pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}
  std::optional<app::PixelSurface> pixelSurface() override {
    return app::PixelSurface{pixels.data(), pixelWidth(), pixelWidth(), pixelHeight()};
  }
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixelWidth()) +
                  static_cast<std::size_t>(x)];
  }
  std::vector<std::uint32_t> pixels;
};

}  // namespace vorax::test
