#include "app/wiggle_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/memory_canvas.h"
#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

using test::MemoryCanvas;

// A page large enough to be drawn on two threads, in bands and strips of rows, lights the same
// pixels as its traces drawn one by one over the whole height: neighbours overlap (wide clip)
// and differ in colour, so any trace drawn out of order in any row shows.
TEST(WiggleDrawing, TwoThreadsDrawWhatOneTraceAfterAnotherDraws) {
  constexpr int kTraces = 120;
  constexpr int kSamples = 1500;
  std::vector<std::vector<float>> data(kTraces, std::vector<float>(kSamples));
  for (int k = 0; k < kTraces; ++k)
    for (int j = 0; j < kSamples; ++j) data[k][j] = std::sin(0.05f * j * (1 + k % 7) + k);
  const Colorref colours[] = {kBlack, kRed, kBlue, kGreen, kMagenta};
  std::vector<WiggleTrace> traces;
  for (int k = 0; k < kTraces; ++k) traces.push_back({data[k], k + 1.0, 2.0, colours[k % 5]});
  const WorldWindow world{-2, -30, kTraces + 5.0, kSamples + 30.0};
  const SampleWindow window{0.5, kSamples - 0.5};

  MemoryCanvas together(900, 1400);
  together.setWorldWindow(world);
  drawWiggles(together, traces, window, 1.6);
  MemoryCanvas oneByOne(900, 1400);
  oneByOne.setWorldWindow(world);
  for (const WiggleTrace& trace : traces) drawWiggles(oneByOne, {&trace, 1}, window, 1.6);

  EXPECT_EQ(together.pixels, oneByOne.pixels);
  EXPECT_GT(std::count(together.pixels.begin(), together.pixels.end(), surfacePixel(kRed)), 10000);
}

// A gain and clip far beyond the picture (a hostile panel file) keep the pixel arithmetic in
// range (the sanitizer build traps on an overflowing conversion): the wiggle still reaches
// its clipped excursions.
TEST(WiggleDrawing, AHugeGainKeepsThePixelArithmeticInRange) {
  const std::vector<float> samples{0.0f, 1.0f, -1.0f, 0.5f};
  RecordingCanvas canvas(100, 40);
  canvas.setWorldWindow({0, -1, 10, 4});
  drawWiggle(canvas, samples, 2.0, {0, 3}, 1e30, 1e33, kRed);
  ASSERT_FALSE(canvas.items().empty());
  const std::vector<PointF>& wiggle = canvas.items().front().points;
  ASSERT_EQ(wiggle.size(), 5u);
  EXPECT_DOUBLE_EQ(wiggle[2].x, 2.0 + 1e30);
  EXPECT_DOUBLE_EQ(wiggle[3].x, 2.0 - 1e30);
}

}  // namespace
}  // namespace vorax::app
