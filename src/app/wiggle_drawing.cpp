#include "app/wiggle_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <thread>
#include <vector>

#include "base/worker_count.h"

namespace vorax::app {

namespace {

// Pictures with fewer samples than this are drawn on one thread: starting a second costs more.
constexpr double kSamplesForSeveralThreads = 20000;
// No band of rows drawn by a thread of its own is thinner than this.
constexpr int kRowsPerBand = 16;
// The picture bytes drawn at a time, well within a processor core's second-level cache.
constexpr int kStripBytes = 512 << 10;

// Device pixel column and row of world points, one multiply-add each, computed exactly as the
// canvas maps points to the device.
struct PixelGrid {
  explicit PixelGrid(const WorldMapping& m)
      : sx(m.deviceWidth / (m.window.right - m.window.left)),
        ox(-m.window.left * sx),
        sy(m.deviceHeight / (m.window.bottom - m.window.top)),
        oy(-m.window.top * sy) {}
  double deviceX(double x) const { return x * sx + ox; }
  double deviceY(double y) const { return y * sy + oy; }
  std::int64_t column(double x) const { return floorToInt(deviceX(x)); }
  std::int64_t row(double y) const { return floorToInt(deviceY(y)); }
  // The world y of the middle of a device pixel row.
  double rowMiddle(std::int64_t r) const { return (static_cast<double>(r) + 0.5 - oy) / sy; }
  // std::floor without the library call: this runs twice per sample of every page. Points
  // far off the picture (a huge gain) are held at a distance any 64-bit pixel holds.
  static std::int64_t floorToInt(double v) {
    constexpr double kFarOff = 1e15;
    if (!(v > -kFarOff)) v = -kFarOff;  // NaN too
    if (v > kFarOff) v = kFarOff;
    const auto truncated = static_cast<std::int64_t>(v);
    return truncated - static_cast<std::int64_t>(v < static_cast<double>(truncated));
  }
  double sx, ox, sy, oy;
};

// The samples of a trace inside the window.
struct SampleRange {
  std::int64_t first;
  std::int64_t last;  // < first when none
};

SampleRange samplesShown(std::size_t samples, const SampleWindow& window) {
  const auto last = static_cast<std::int64_t>(samples) - 1;
  return {std::max<std::int64_t>(0, static_cast<std::int64_t>(std::ceil(window.s0))),
          std::min<std::int64_t>(last, static_cast<std::int64_t>(std::floor(window.s1)))};
}

double excursion(const WiggleTrace& trace, std::int64_t j, double clip) {
  const double v = trace.factor * trace.samples[static_cast<std::size_t>(j)];
  return std::isnan(v) ? 0 : std::clamp(v, -clip, clip);
}

// ---- Through the canvas: one polyline and one batch of fill lines per trace ----

// Reused between traces so that a page costs no allocation per trace.
struct WiggleBuffers {
  std::vector<PointF> points;
  std::vector<LineF> fills;
  std::vector<std::int64_t> columns;  // device pixel column of each point
  std::int64_t fillRow = -1;          // device pixel row of the last fill
};

// Adds a wiggle point; a point in the same pixel column as the two before it extends their
// vertical segment instead, which draws the same pixels with fewer segments (clipped and
// quiet stretches are long vertical runs).
void appendWigglePoint(WiggleBuffers& out, const PixelGrid& grid, PointF p) {
  const std::int64_t column = grid.column(p.x);
  const std::size_t n = out.points.size();
  if (n >= 2 && out.columns[n - 1] == column && out.columns[n - 2] == column) {
    out.points.back() = p;
    return;
  }
  out.points.push_back(p);
  out.columns.push_back(column);
}

// Adds a positive fill from the trace's axis to `end`; fills on one pixel row are merged into
// the longest, which covers the others.
void appendFill(WiggleBuffers& out, const PixelGrid& grid, double axis, PointF end) {
  const std::int64_t row = grid.row(end.y);
  if (row == out.fillRow && !out.fills.empty()) {
    out.fills.back().b.x = std::max(out.fills.back().b.x, end.x);
    return;
  }
  out.fills.push_back({{axis, end.y}, end});
  out.fillRow = row;
}

// When samples lie more than a pixel row apart, calls fill(y, v) for the middle y of each
// pixel row strictly between sample j - 1 (on row `rowBefore`, excursion `before`) and sample
// j (on `rowAfter`, excursion `after`) where the wiggle segment joining them has a positive
// excursion v, so that a zoomed display is filled solid rather than striped. Only rows
// firstRow - 1..endRow are visited.
template <typename Fill>
void forRowsBetweenSamples(const PixelGrid& grid, std::int64_t j, std::int64_t rowBefore,
                           std::int64_t rowAfter, double before, double after,
                           std::int64_t firstRow, std::int64_t endRow, Fill fill) {
  if (rowAfter - rowBefore < 2 || (before <= 0 && after <= 0)) return;
  const auto previous = static_cast<double>(j - 1);
  const std::int64_t lastRow = std::min(rowAfter, endRow + 1);
  for (std::int64_t r = std::max(rowBefore + 1, firstRow - 1); r < lastRow; ++r) {
    const double y = grid.rowMiddle(r);
    const double v = before + (after - before) * (y - previous);
    if (v > 0) fill(y, v);
  }
}

constexpr std::int64_t kAllRows = std::int64_t{1} << 40;

void buildWiggle(const WiggleTrace& trace, const SampleWindow& window, double clip,
                 const PixelGrid& grid, WiggleBuffers& out) {
  out.points.clear();
  out.columns.clear();
  out.fills.clear();
  out.fillRow = -1;
  const double x = trace.position;
  const SampleRange shown = samplesShown(trace.samples.size(), window);
  appendWigglePoint(out, grid, {x, window.s0});
  double previous = 0;
  for (std::int64_t j = shown.first; j <= shown.last; ++j) {
    const double v = excursion(trace, j, clip);
    if (j > shown.first) {
      forRowsBetweenSamples(grid, j, grid.row(static_cast<double>(j - 1)),
                            grid.row(static_cast<double>(j)), previous, v, -kAllRows, kAllRows,
                            [&](double y, double fv) {
                              appendFill(out, grid, x, {x + fv, y});
                            });
    }
    const PointF p{x + v, static_cast<double>(j)};
    appendWigglePoint(out, grid, p);
    if (v > 0) appendFill(out, grid, x, p);
    previous = v;
  }
}

void drawThroughCanvas(Canvas& canvas, std::span<const WiggleTrace> traces,
                       const SampleWindow& window, double clip, WiggleStyle style) {
  const PixelGrid grid(canvas.mapping());
  WiggleBuffers buffers;
  for (const WiggleTrace& trace : traces) {
    buildWiggle(trace, window, clip, grid, buffers);
    canvas.setPen(trace.colour, 1, PenStyle::Solid, false);
    if (style == WiggleStyle::LineAndFill) canvas.polyline(buffers.points);
    if (!buffers.fills.empty()) canvas.lines(buffers.fills);
  }
}

// ---- Straight into the pixels ----

// The first sample of `shown` on pixel row `row` or below it (shown.last + 1 when none is).
std::int64_t firstSampleFrom(const PixelGrid& grid, const SampleRange& shown, std::int64_t row) {
  const double estimate = std::floor((static_cast<double>(row) - grid.oy) / grid.sy);
  std::int64_t j = std::clamp<std::int64_t>(
      std::isfinite(estimate) ? static_cast<std::int64_t>(std::clamp(estimate, -1e15, 1e15))
                              : shown.first,
      shown.first, shown.last + 1);
  while (j > shown.first && grid.row(static_cast<double>(j - 1)) >= row) --j;
  while (j <= shown.last && grid.row(static_cast<double>(j)) < row) ++j;
  return j;
}

// The pixels of one trace, gathered row by row and written once a row is finished. Time only
// grows along the wiggle, so the pixels its one-pixel segments light on a row form one run of
// columns; the fills of a row all start at the axis, so the longest covers the others. In
// the variable area style only the fills are written.
class TraceRows {
 public:
  TraceRows(PixelPen& pen, double axis, int column, int row, WiggleStyle style)
      : pen_(pen),
        axis_(axis),
        line_(style == WiggleStyle::LineAndFill),
        row_(row),
        column_(column),
        lo_(column),
        hi_(column) {}
  ~TraceRows() { flush(); }
  TraceRows(const TraceRows&) = delete;
  TraceRows& operator=(const TraceRows&) = delete;

  int row() const { return row_; }

  // The wiggle's segment from its last point to this one, lit as the pen's line would light it.
  void lineTo(int column, int row) {
    if (row == row_) {
      widen(column);
    } else if (row == row_ + 1) {
      stepDown(column);
    } else {
      walk(column, row);
    }
    column_ = column;
  }

  // A positive fill on the current row reaching device x `end`.
  void fillTo(double end) { fillEnd_ = std::max(fillEnd_, end); }

 private:
  void widen(int column) {
    lo_ = std::min(lo_, column);
    hi_ = std::max(hi_, column);
  }

  // Bresenham from the last point to (x1, row_ + 1), the most common segment, worked out: of
  // its dx + 1 columns the first ceil(dx / 2) lie on the upper row, the rest on the lower.
  void stepDown(int x1) {
    const int x0 = column_;
    const int dx = std::abs(x1 - x0);
    const int step = x0 < x1 ? 1 : -1;
    const int upper = std::max(1, (dx + 1) / 2);
    widen(x0 + step * (upper - 1));
    flush();
    ++row_;
    const int lowerStart = dx == 0 ? x0 : x0 + step * upper;
    lo_ = std::min(lowerStart, x1);
    hi_ = std::max(lowerStart, x1);
  }

  // Bresenham from the last point to (x1, y1), as PixelPen::line steps it.
  void walk(int x1, int y1) {
    forEachLinePixel(column_, row_, x1, y1, [this](int x, int y) {
      if (y != row_) {
        flush();
        row_ = y;
        lo_ = hi_ = x;
      } else {
        widen(x);
      }
    });
  }

  // Writes the finished row: the wiggle's run and the fill, as one span when they touch.
  void flush() {
    if (!line_) {
      if (fillEnd_ != kNoFill) pen_.horizontalLineOnRow(axis_, fillEnd_, row_);
      fillEnd_ = kNoFill;
      return;
    }
    int first = lo_;
    int end = hi_ + 1;
    if (fillEnd_ != kNoFill) {
      const PixelPen::ColumnRange fill = pen_.horizontalLineColumns(axis_, fillEnd_);
      if (fill.first <= end && fill.end >= first) {
        first = std::min(first, fill.first);
        end = std::max(end, fill.end);
      } else {
        pen_.span(row_, fill.first, fill.end);
      }
      fillEnd_ = kNoFill;
    }
    pen_.span(row_, first, end);
  }

  static constexpr double kNoFill = -std::numeric_limits<double>::infinity();

  PixelPen& pen_;
  double axis_;
  bool line_;
  int row_;
  int column_;
  int lo_;
  int hi_;
  double fillEnd_ = kNoFill;
};

// The pixel row of every sample a page shows: the same for all its traces, so worked out once.
class SampleRows {
 public:
  SampleRows(std::span<const WiggleTrace> traces, const SampleWindow& window,
             const PixelGrid& grid) {
    std::size_t longest = 0;
    for (const WiggleTrace& trace : traces) longest = std::max(longest, trace.samples.size());
    const SampleRange shown = samplesShown(longest, window);
    first_ = shown.first;
    for (std::int64_t j = shown.first; j <= shown.last; ++j)
      rows_.push_back(pixelIndexOf(grid.deviceY(static_cast<double>(j))));
  }
  int of(std::int64_t j) const { return rows_[static_cast<std::size_t>(j - first_)]; }

 private:
  std::int64_t first_ = 0;
  std::vector<int> rows_;
};

// Lights the pixels of rows firstRow..endRow - 1 that the canvas would light for the trace's
// polyline and fills, starting from the segment that reaches firstRow.
void rasterTrace(const WiggleTrace& trace, const SampleWindow& window, double clip,
                 WiggleStyle style, const PixelGrid& grid, const SampleRows& sampleRows,
                 PixelPen& pen, int firstRow, int endRow) {
  const double x = trace.position;
  const double axis = grid.deviceX(x);
  const SampleRange shown = samplesShown(trace.samples.size(), window);
  if (shown.last < shown.first) {  // no sample: the wiggle is its starting point alone
    if (style == WiggleStyle::LineAndFill)
      pen.plot(pixelIndexOf(axis), pixelIndexOf(grid.deviceY(window.s0)));
    return;
  }
  std::int64_t j = firstSampleFrom(grid, shown, firstRow);
  double previous = 0;
  double start = axis;  // the wiggle starts on the axis at the window's top
  double startY = grid.deviceY(window.s0);
  if (j > shown.first) {
    previous = excursion(trace, j - 1, clip);
    start = grid.deviceX(x + previous);
    startY = grid.deviceY(static_cast<double>(j - 1));
  }
  TraceRows rows(pen, axis, pixelIndexOf(start), pixelIndexOf(startY), style);
  for (; j <= shown.last && rows.row() < endRow; ++j) {
    const double v = excursion(trace, j, clip);
    const double deviceX = grid.deviceX(x + v);
    const int row = sampleRows.of(j);
    if (j > shown.first) {
      forRowsBetweenSamples(grid, j, rows.row(), row, previous, v, firstRow, endRow,
                            [&](double y, double fv) {
                              pen.horizontalLine(axis, grid.deviceX(x + fv), grid.deviceY(y));
                            });
    }
    rows.lineTo(pixelIndexOf(deviceX), row);
    rows.fillTo(v > 0 ? deviceX : -std::numeric_limits<double>::infinity());
    previous = v;
  }
}

// Draws rows firstRow..endRow - 1 a strip of rows at a time, every trace over one strip before
// the next: a strip of a wide picture stays in the processor's cache while all its traces are
// drawn, where whole traces one after another would fetch every row again for each trace.
void rasterBand(const PixelSurface& surface, std::span<const WiggleTrace> traces,
                const SampleWindow& window, double clip, WiggleStyle style, const PixelGrid& grid,
                const SampleRows& sampleRows, int firstRow, int endRow) {
  const int stripRows = std::max(1, kStripBytes / std::max(1, surface.width * 4));
  for (int strip = firstRow; strip < endRow; strip += stripRows) {
    const int stripEnd = std::min(endRow, strip + stripRows);
    PixelPen pen(surface, 0, strip, stripEnd);
    for (const WiggleTrace& trace : traces) {
      pen.setPixel(surfacePixel(trace.colour));
      rasterTrace(trace, window, clip, style, grid, sampleRows, pen, strip, stripEnd);
    }
  }
}

// True when every point of every trace maps within the distance a pen walks pixel by pixel,
// so that no segment would need the canvas's general line drawing.
bool fitsPixelWalk(std::span<const WiggleTrace> traces, const SampleWindow& window, double clip,
                   const PixelGrid& grid, const PixelPen& pen) {
  if (!(clip >= 0) || !std::isfinite(clip) || !(grid.sy > 0) || !(grid.sx > 0)) return false;
  const double limit = pen.walkLimit();
  auto near = [&](double v) { return std::isfinite(v) && std::abs(v) < limit; };
  if (!near(grid.deviceY(window.s0)) || !near(grid.deviceY(std::floor(window.s1)))) return false;
  return std::all_of(traces.begin(), traces.end(), [&](const WiggleTrace& t) {
    return near(grid.deviceX(t.position - clip)) && near(grid.deviceX(t.position + clip));
  });
}

}  // namespace

void drawWiggles(Canvas& canvas, std::span<const WiggleTrace> traces, const SampleWindow& window,
                 double clip, WiggleStyle style) {
  if (traces.empty()) return;
  canvas.setPen(traces.front().colour, 1, PenStyle::Solid, false);
  const std::optional<PixelSurface> surface = canvas.pixelSurface();
  const PixelGrid grid(canvas.mapping());
  if (!surface || !fitsPixelWalk(traces, window, clip, grid, PixelPen(*surface, 0))) {
    drawThroughCanvas(canvas, traces, window, clip, style);
    return;
  }
  const SampleRows sampleRows(traces, window, grid);
  const double samplesDrawn =
      static_cast<double>(traces.size()) * std::max(0.0, window.s1 - window.s0);
  const auto top =
      static_cast<int>(std::clamp<std::int64_t>(grid.row(window.s0), 0, surface->height));
  const auto bottom =
      static_cast<int>(std::clamp<std::int64_t>(grid.row(window.s1), 0, surface->height));
  // The rows the traces cross shared evenly between the workers; the first band starts at the
  // top of the picture, the last ends at its bottom.
  const int bands = samplesDrawn < kSamplesForSeveralThreads
                        ? 1
                        : std::clamp(static_cast<int>(base::workerCount()), 1,
                                     std::max(1, (bottom - top) / kRowsPerBand));
  auto bandStart = [&](int band) {
    if (band == 0) return 0;
    if (band == bands) return surface->height;
    return top + static_cast<int>(std::int64_t{bottom - top} * band / bands);
  };
  {
    std::vector<std::jthread> helpers;
    for (int band = 1; band < bands; ++band) {
      helpers.emplace_back([&, band] {
        rasterBand(*surface, traces, window, clip, style, grid, sampleRows, bandStart(band),
                   bandStart(band + 1));
      });
    }
    rasterBand(*surface, traces, window, clip, style, grid, sampleRows, 0, bandStart(1));
  }
  canvas.setPen(traces.back().colour, 1, PenStyle::Solid, false);
}

void drawWiggle(Canvas& canvas, std::span<const float> samples, double position,
                const SampleWindow& window, double factor, double clip, Colorref colour) {
  const WiggleTrace trace{samples, position, factor, colour};
  drawWiggles(canvas, {&trace, 1}, window, clip);
}

}  // namespace vorax::app
