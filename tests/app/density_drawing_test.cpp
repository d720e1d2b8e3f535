#include "app/density_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "app/memory_canvas.h"

namespace vorax::app {
namespace {

using test::MemoryCanvas;

std::uint32_t pixelOf(double value) {
  return surfacePixel(densityColour(value));
}

double twice(std::span<const float>) {
  return 2;
}

// Three traces, each four columns wide, of four samples a row each. Trace 1 (balanced x 2):
// 0.25, -0.25, 0.5, 0 -> 0.5, -0.5, 1, 0; trace 2: a NaN sample shows white; trace 3 holds two
// samples only, the rest white. Clip 1: the colour is the value itself.
TEST(DensityDrawing, EachPixelTakesItsTracesSampleTimesFactorAndBalance) {
  const std::vector<float> one{0.25f, -0.25f, 0.5f, 0};
  const std::vector<float> two{-1, std::nanf(""), 0.25f, -0.5f};
  const std::vector<float> three{0.5f, 0.5f};
  const std::vector<DensityTrace> traces{
      {one, 1, 1, twice}, {two, 2, 1, nullptr}, {three, 3, 2, nullptr}};
  MemoryCanvas canvas(12, 4);
  canvas.setWorldWindow({0.5, -0.5, 3.5, 3.5});
  drawDensity(canvas, traces, {-0.5, 3.5}, 1);
  const double want[3][4] = {{0.5, -0.5, 1, 0}, {-1, 0, 0.25, -0.5}, {1, 1, 0, 0}};
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 4; ++y)
      EXPECT_EQ(canvas.at(x, y), pixelOf(want[x / 4][y])) << "column " << x << " row " << y;
}

// 1200 traces into 600 columns of 600 rows (drawn on two threads): each column the mean of its
// two traces, each sample ten rows tall. The values are multiples of 1/64, so every mean is
// one of the colour map's levels and the colour is worked out exactly.
TEST(DensityDrawing, ALargePageAveragesTheTracesOfEachColumn) {
  constexpr int kTraces = 1200;
  constexpr int kSamples = 60;
  auto value = [](int k, int j) { return static_cast<float>((k * 7 + j * 13) % 129 - 64) / 64; };
  std::vector<std::vector<float>> data(kTraces, std::vector<float>(kSamples));
  std::vector<DensityTrace> traces;
  for (int k = 0; k < kTraces; ++k) {
    for (int j = 0; j < kSamples; ++j) data[k][j] = value(k, j);
    traces.push_back({data[k], k + 1.0, 1, nullptr});
  }
  MemoryCanvas canvas(600, 600);
  canvas.setWorldWindow({0.5, -0.5, kTraces + 0.5, kSamples - 0.5});
  drawDensity(canvas, traces, {-0.5, kSamples - 0.5}, 1);
  int wrong = 0;
  for (int x = 0; x < 600; ++x)
    for (int y = 0; y < 600; ++y) {
      const double mean = (value(2 * x, y / 10) + value(2 * x + 1, y / 10)) / 2.0;
      wrong += canvas.at(x, y) == pixelOf(mean) ? 0 : 1;
    }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace vorax::app
