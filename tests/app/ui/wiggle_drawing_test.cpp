#include "app/wiggle_drawing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "app/record_display.h"
#include "app/ui/qt_canvas.h"

namespace vorax::app::ui {
namespace {

// A Qt canvas that keeps its pixels to itself, so wiggles go through its polyline and lines.
class CanvasWithoutSurface : public QtCanvas {
 public:
  using QtCanvas::QtCanvas;
  std::optional<PixelSurface> pixelSurface() override { return std::nullopt; }
};

struct WiggleCase {
  const char* name;
  int traces;
  int samples;
  WorldWindow world;
  SampleWindow window;
  double factor;
  double clip;
  int width = 400;
  int height = 300;
};

// Noisy traces with spikes, a NaN, a dead stretch and a colour of their own.
std::vector<std::vector<float>> makeTraces(const WiggleCase& c) {
  std::mt19937 random(5);
  std::normal_distribution<float> noise(0, 0.3f);
  std::vector<std::vector<float>> traces(static_cast<std::size_t>(c.traces));
  for (auto& trace : traces) {
    trace.resize(static_cast<std::size_t>(c.samples));
    for (std::size_t j = 0; j < trace.size(); ++j) trace[j] = std::sin(0.21f * j) + noise(random);
    if (trace.size() > 20) {
      trace[7] = std::numeric_limits<float>::quiet_NaN();
      trace[11] = 9;
      std::fill(trace.begin() + 14, trace.begin() + 19, 0.0f);
    }
  }
  return traces;
}

QImage draw(const WiggleCase& c, const std::vector<std::vector<float>>& data, bool direct) {
  QImage image(c.width, c.height, QImage::Format_RGB32);
  std::unique_ptr<QtCanvas> canvas =
      direct ? std::make_unique<QtCanvas>(image) : std::make_unique<CanvasWithoutSurface>(image);
  canvas->setWorldWindow(c.world);
  canvas->clear(kWhite);
  const Colorref colours[] = {kBlack, kRed, kBlue, kGreen};
  std::vector<WiggleTrace> traces;
  for (std::size_t k = 0; k < data.size(); ++k)
    traces.push_back({data[k], static_cast<double>(k + 1), c.factor, colours[k % 4]});
  drawWiggles(*canvas, traces, c.window, c.clip);
  return image;
}

// Straight into the pixels (on one or two threads) lights exactly what the canvas's own
// polyline and fill lines light, wherever the samples fall on the pixel grid.
TEST(WiggleDrawing, DirectPixelsMatchTheCanvasCalls) {
  const WiggleCase cases[] = {
      {"two samples a row", 30, 700, {-1, -20, 34, 720}, {0, 699}, 2.5, 0.7},
      {"zoomed: rows between samples", 6, 80, {0.2, 2.3, 7.5, 31.9}, {2.6, 31.4}, 1.2, 0.9},
      {"one sample a column of rows", 4, 40, {0, 0, 5, 40}, {0, 40}, 1, 0.75, 50, 700},
      {"many samples a row", 12, 3000, {-2, -100, 15, 3100}, {0, 3000}, 0.8, 0.6},
      {"window past the samples", 5, 50, {0, -5, 6, 80}, {10.5, 70}, 3, 0.5},
      {"no sample in the window", 3, 50, {0, 0, 4, 50}, {20.2, 20.7}, 1, 0.7},
      {"traces beyond the picture", 40, 300, {10, 50, 20, 250}, {60, 240}, 4, 2.5},
      {"wide wiggles overlap", 10, 400, {0, 0, 11, 400}, {0, 400}, 6, 3},
      {"two threads", 200, 800, {-5, -40, 230, 840}, {0.5, 799.5}, 1.5, 0.75, 1000, 600},
      {"clip too wide to walk", 3, 100, {0, 0, 4, 100}, {0, 100}, 1e6, 1e5},
  };
  for (const WiggleCase& c : cases) {
    const auto data = makeTraces(c);
    const QImage direct = draw(c, data, true);
    QImage blank(c.width, c.height, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_NE(direct, blank) << c.name;
    EXPECT_EQ(direct, draw(c, data, false)) << c.name;
  }
}

}  // namespace
}  // namespace vorax::app::ui
