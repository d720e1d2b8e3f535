#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <vector>

#include "app/ui/qt_canvas.h"

namespace vorax::app::ui {
namespace {

// Draws the segments one by one through line() (Qt's own line rasteriser) or all at once
// through lines() (which fills horizontal ones as spans) and returns the picture.
QImage drawn(const std::vector<LineF>& segments, bool batched, PenStyle style = PenStyle::Solid) {
  QImage image(120, 90, QImage::Format_RGB32);
  QtCanvas canvas(image);
  canvas.setWorldWindow({-1.3, -0.7, 10.9, 8.1});
  canvas.clear(kWhite);
  canvas.setPen(kBlue, 1, style, false);
  if (batched) {
    canvas.lines(segments);
  } else {
    for (const LineF& s : segments) canvas.line(s.a, s.b);
  }
  return image;
}

TEST(QtCanvasLines, HorizontalSpansLightExactlyThePixelsOfSingleLines) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> x(-2, 12);
  std::uniform_real_distribution<double> y(-1, 9);
  for (int round = 0; round < 200; ++round) {
    std::vector<LineF> segments;
    for (int n = 0; n < 6; ++n) {
      double row = y(random);
      segments.push_back({{x(random), row}, {x(random), row}});
    }
    ASSERT_EQ(drawn(segments, true), drawn(segments, false)) << "round " << round;
    std::vector<LineF> slanted{{{x(random), y(random)}, {x(random), y(random)}}};
    ASSERT_EQ(drawn(slanted, true), drawn(slanted, false)) << "round " << round;
  }
}

TEST(QtCanvasLines, DottedLinesKeepTheirDots) {
  std::vector<LineF> segments{{{0, 2}, {9, 2}}, {{0, 5.5}, {9, 5.5}}};
  QImage dotted = drawn(segments, true, PenStyle::Dotted);
  EXPECT_EQ(dotted, drawn(segments, false, PenStyle::Dotted));
  EXPECT_NE(dotted, drawn(segments, true, PenStyle::Solid));
}

}  // namespace
}  // namespace vorax::app::ui
