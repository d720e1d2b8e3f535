#include "app/cell_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/memory_canvas.h"

namespace vorax::app {
namespace {

using DrawnKind = DrawnItem::Kind;

// Three columns of two cells, each 2 x 1 world units from (0, 0), cut to x 1..6, y 0..2 (so
// column 0 shows its right half); y grows upwards. Palette indices: column 0 {1, 1}, column 1
// {2, 3}, column 2 {0, 0} (bottom cell first).
constexpr std::array<Colorref, 4> kPalette{0x000001, 0x000002, 0x000003, 0x000004};
const std::vector<std::uint8_t> kCells{1, 1, 2, 3, 0, 0};
const CellImage kImage{3, 2, kCells, kPalette, {0, 0}, 2, 1};
constexpr PointF kCutFrom{1, 0};
constexpr PointF kCutTo{6, 2};

// World -1..7 across 16 pixels and 3..-1 down 8 rows: two pixels a unit, pixel p's middle at
// x = -1 + (p + 0.5) / 2, row q's at y = 3 - (q + 0.5) / 2. Letters a-d are palette 0-3, '.'
// is left as it was.
TEST(CellImage, EachPixelTakesTheCellUnderItsMiddleWithinTheCut) {
  test::MemoryCanvas canvas(16, 8);
  canvas.setWorldWindow({-1, 3, 7, -1});
  drawCellImage(canvas, kImage, kCutFrom, kCutTo);
  const std::array<std::string, 8> want{"................", "................", "....bbddddaaaa..",
                                        "....bbddddaaaa..", "....bbccccaaaa..", "....bbccccaaaa..",
                                        "................", "................"};
  for (int q = 0; q < 8; ++q)
    for (int p = 0; p < 16; ++p) {
      const char c = want[static_cast<std::size_t>(q)][static_cast<std::size_t>(p)];
      const std::uint32_t expected =
          c == '.' ? 0u : surfacePixel(kPalette[static_cast<std::size_t>(c - 'a')]);
      EXPECT_EQ(canvas.at(p, q), expected) << "pixel " << p << " row " << q;
    }
}

// Without pixels: one rectangle per run of equal cells up a column, cut the same way.
TEST(CellImage, ACanvasWithoutPixelsGetsARectanglePerRun) {
  RecordingCanvas canvas(16, 8);
  canvas.setWorldWindow({-1, 3, 7, -1});
  drawCellImage(canvas, kImage, kCutFrom, kCutTo);
  struct Run {
    PointF a, b;
    Colorref colour;
  };
  const Run want[] = {{{1, 0}, {2, 2}, kPalette[1]},
                      {{2, 0}, {4, 1}, kPalette[2]},
                      {{2, 1}, {4, 2}, kPalette[3]},
                      {{4, 0}, {6, 2}, kPalette[0]}};
  std::vector<const DrawnItem*> fills;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == DrawnKind::FillRect) fills.push_back(&item);
  ASSERT_EQ(fills.size(), std::size(want));
  for (std::size_t k = 0; k < fills.size(); ++k) {
    EXPECT_EQ(fills[k]->colour, want[k].colour) << k;
    EXPECT_DOUBLE_EQ(fills[k]->points[0].x, want[k].a.x) << k;
    EXPECT_DOUBLE_EQ(fills[k]->points[0].y, want[k].a.y) << k;
    EXPECT_DOUBLE_EQ(fills[k]->points[1].x, want[k].b.x) << k;
    EXPECT_DOUBLE_EQ(fills[k]->points[1].y, want[k].b.y) << k;
  }
}

TEST(CellImage, TooFewCellsDrawNothing) {
  test::MemoryCanvas canvas(16, 8);
  canvas.setWorldWindow({-1, 3, 7, -1});
  CellImage shortOfCells = kImage;
  shortOfCells.columns = 4;  // 8 cells asked for, 6 held
  drawCellImage(canvas, shortOfCells, kCutFrom, kCutTo);
  for (std::uint32_t pixel : canvas.pixels) EXPECT_EQ(pixel, 0u);
}

}  // namespace
}  // namespace vorax::app
