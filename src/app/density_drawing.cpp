#include "app/density_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "base/cpu_features.h"

namespace vorax::app {

namespace {

// The colour map is looked up in a table of this many colours over -1..+1; the middle one is
// exactly 0 (white), and +-1/2 are levels of their own.
constexpr int kLevels = 513;
constexpr int kZeroLevel = kLevels / 2;
// Below this many pixels a second thread costs more than it saves.
constexpr double kPixelsForTwoThreads = 1 << 18;

struct Anchor {
  double at;
  int r, g, b;
};
constexpr std::array<Anchor, 5> kMap{{{-1.0, 0, 0, 77},
                                      {-0.5, 0, 0, 255},
                                      {0.0, 255, 255, 255},
                                      {0.5, 255, 0, 0},
                                      {1.0, 128, 0, 0}}};

// The level of a value already divided by the clip: its index in the colour table.
int levelOf(double scaled) {
  if (!(scaled == scaled)) return kZeroLevel;  // NaN
  const double clamped = std::clamp(scaled, -1.0, 1.0);
  return static_cast<int>((clamped + 1.0) * kZeroLevel + 0.5);
}

const std::array<std::uint32_t, kLevels>& levelPixels() {
  static const std::array<std::uint32_t, kLevels> table = [] {
    std::array<std::uint32_t, kLevels> t{};
    for (int i = 0; i < kLevels; ++i)
      t[static_cast<std::size_t>(i)] =
          surfacePixel(densityColour(static_cast<double>(i - kZeroLevel) / kZeroLevel));
    return t;
  }();
  return table;
}

struct SampleRange {
  std::int64_t first;
  std::int64_t last;  // < first when none
};

SampleRange samplesShown(std::span<const DensityTrace> traces, const SampleWindow& window) {
  std::size_t longest = 0;
  for (const DensityTrace& t : traces) longest = std::max(longest, t.samples.size());
  return {std::max<std::int64_t>(0, static_cast<std::int64_t>(std::ceil(window.s0))),
          std::min<std::int64_t>(static_cast<std::int64_t>(longest) - 1,
                                 static_cast<std::int64_t>(std::floor(window.s1)))};
}

double factorOf(const DensityTrace& trace) {
  return trace.balance ? trace.factor * trace.balance(trace.samples) : trace.factor;
}

double valueOf(const DensityTrace& trace, double factor, std::int64_t j) {
  if (j < 0 || static_cast<std::size_t>(j) >= trace.samples.size()) return 0;
  const double v = factor * trace.samples[static_cast<std::size_t>(j)];
  return std::isnan(v) ? 0 : v;
}

// ---- Straight into the pixels ----

// The traces of one pixel column: [first, end) of the page's traces.
struct ColumnTraces {
  int column;
  std::size_t first;
  std::size_t end;
};

// The traces whose positions fall inside each pixel column; a column holding none takes the
// trace whose cell covers the column's middle, and a column outside every cell is left out.
std::vector<ColumnTraces> columnTraces(std::span<const DensityTrace> traces,
                                       const WorldMapping& mapping, int width) {
  std::vector<ColumnTraces> columns;
  const double worldPerPixel = (mapping.window.right - mapping.window.left) / mapping.deviceWidth;
  std::size_t next = 0;  // first trace not left of the current column
  for (int c = 0; c < width; ++c) {
    const double left = mapping.window.left + c * worldPerPixel;
    const double right = left + worldPerPixel;
    const double middle = left + worldPerPixel / 2;
    while (next < traces.size() && traces[next].position < left) ++next;
    std::size_t end = next;
    while (end < traces.size() && traces[end].position < right) ++end;
    if (end > next) {
      columns.push_back({c, next, end});
      continue;
    }
    // None inside: the nearest neighbour whose cell reaches the middle.
    for (std::size_t k : {next, next - 1}) {
      if (k >= traces.size()) continue;
      if (std::abs(traces[k].position - middle) <= 0.5) {
        columns.push_back({c, k, k + 1});
        break;
      }
    }
  }
  return columns;
}

// The sample each pixel row from firstRow on shows, in order down the picture.
struct RowSamples {
  int firstRow = 0;
  std::vector<std::int64_t> samples;
};

RowSamples rowSamples(const SampleRange& shown, const SampleWindow& window,
                      const WorldMapping& mapping, int height) {
  RowSamples rows;
  const double worldPerPixel = (mapping.window.bottom - mapping.window.top) / mapping.deviceHeight;
  if (!(worldPerPixel > 0)) return rows;
  const double top = std::max(window.s0, static_cast<double>(shown.first) - 0.5);
  const double bottom = std::min(window.s1, static_cast<double>(shown.last) + 0.5);
  for (int r = 0; r < height; ++r) {
    const double y = mapping.window.top + (r + 0.5) * worldPerPixel;
    if (y < top) continue;
    if (y > bottom) break;
    if (rows.samples.empty()) rows.firstRow = r;
    rows.samples.push_back(std::clamp<std::int64_t>(std::llround(y), shown.first, shown.last));
  }
  return rows;
}

// Products beyond this are held to it, so that a column's sum stays a finite number.
constexpr float kLargestProduct = 1e30f;

// sums[j - first] += factor x values[j] for the samples first..end - 1, a NaN product
// counting as 0. Written so that the compiler adds several samples at a time; built for AVX2
// too where the processor has it, which gives the same sums, eight at a time.
[[gnu::always_inline]] inline void addScaledLoop(std::span<float> sums, std::int64_t first,
                                                 std::int64_t end, const float* values,
                                                 float factor) {
  float* out = sums.data() - first;
  for (std::int64_t j = first; j < end; ++j) {
    const float x = std::min(std::max(factor * values[j], -kLargestProduct), kLargestProduct);
    out[j] += x == x ? x : 0.0f;
  }
}

#if defined(VORAX_HAS_AVX2_PATH)
__attribute__((target("avx2"))) void addScaledAvx2(std::span<float> sums, std::int64_t first,
                                                   std::int64_t end, const float* values,
                                                   float factor) {
  addScaledLoop(sums, first, end, values, factor);
}
#endif

void addScaled(std::span<float> sums, std::int64_t first, std::int64_t end, const float* values,
               float factor) {
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) return addScaledAvx2(sums, first, end, values, factor);
#endif
  addScaledLoop(sums, first, end, values, factor);
}

// levelOf for a finite value, in the picture's single precision.
int levelOfFinite(float scaled) {
  const float clamped = std::min(std::max(scaled, -1.0f), 1.0f);
  return static_cast<int>((clamped + 1.0f) * kZeroLevel + 0.5f);
}

// The picture is written a block of this many columns at a time, row by row: a column of a
// large picture touches a page of memory in every row.
constexpr std::size_t kColumnsABlock = 128;

// Each column's traces are first summed over the samples the rows show (each trace read in
// order, while its samples are at hand for its balance too), then the column's rows are
// coloured from the sums. A page of thousands of traces is far larger than the processor's
// caches: samples read in order are fetched ahead, where rows of traces read across would
// wait for each; and summing whole traces costs less than picking each row's sample from
// every trace.
void rasterColumns(const PixelSurface& surface, std::span<const DensityTrace> traces,
                   std::span<const ColumnTraces> columns, const RowSamples& rows, double clip) {
  const std::array<std::uint32_t, kLevels>& pixels = levelPixels();
  const std::int64_t first = rows.samples.front();
  const std::int64_t end = rows.samples.back() + 1;
  const std::size_t height = rows.samples.size();
  std::vector<float> sums(static_cast<std::size_t>(end - first));
  std::optional<std::pair<std::size_t, std::size_t>> summed;  // the traces the sums hold
  // Each trace's factor with its balance, worked out for the first column it is summed in:
  // a trace shared by two columns is balanced once.
  std::vector<double> factors(traces.size(), std::numeric_limits<double>::quiet_NaN());
  // Column c of the block, row r at c x height + r: each column is written in order, and the
  // rows are then copied out across the block's columns, whose lines stay in the cache.
  std::vector<std::uint32_t> block(height * kColumnsABlock);
  // The sum each row shows: sums[offsets[r]].
  std::vector<std::size_t> offsets(height);
  for (std::size_t r = 0; r < height; ++r)
    offsets[r] = static_cast<std::size_t>(rows.samples[r] - first);
  for (std::size_t from = 0; from < columns.size(); from += kColumnsABlock) {
    const std::span<const ColumnTraces> inBlock =
        columns.subspan(from, std::min(kColumnsABlock, columns.size() - from));
    for (std::size_t c = 0; c < inBlock.size(); ++c) {
      const ColumnTraces& column = inBlock[c];
      // A trace wider than a column fills several in a row: its sums are made once.
      if (summed != std::pair{column.first, column.end}) {
        std::fill(sums.begin(), sums.end(), 0.0f);
        // The column's mean over the clip, so that a sum of +-1 is a full colour.
        const double mean = 1.0 / (clip * static_cast<double>(column.end - column.first));
        for (std::size_t k = column.first; k < column.end; ++k) {
          const auto held = static_cast<std::int64_t>(traces[k].samples.size());
          if (std::isnan(factors[k])) factors[k] = factorOf(traces[k]);
          addScaled(sums, first, std::min(end, held), traces[k].samples.data(),
                    static_cast<float>(factors[k] * mean));
        }
        summed = std::pair{column.first, column.end};
      }
      std::uint32_t* out = block.data() + c * height;
      for (std::size_t r = 0; r < height; ++r)
        out[r] = pixels[static_cast<std::size_t>(levelOfFinite(sums[offsets[r]]))];
    }
    for (std::size_t r = 0; r < height; ++r) {
      std::uint32_t* row =
          surface.bits + (rows.firstRow + static_cast<std::ptrdiff_t>(r)) * surface.stride;
      for (std::size_t c = 0; c < inBlock.size(); ++c)
        row[inBlock[c].column] = block[c * height + r];
    }
  }
}

// Two threads share the columns of a large picture.
void rasterDensity(const PixelSurface& surface, const WorldMapping& mapping,
                   std::span<const DensityTrace> traces, const SampleWindow& window, double clip) {
  const SampleRange shown = samplesShown(traces, window);
  if (shown.last < shown.first) return;
  const std::vector<ColumnTraces> columns = columnTraces(traces, mapping, surface.width);
  const RowSamples rows = rowSamples(shown, window, mapping, surface.height);
  if (rows.samples.empty() || columns.empty()) return;
  const std::span<const ColumnTraces> all(columns);
  if (static_cast<double>(columns.size()) * static_cast<double>(rows.samples.size()) <
      kPixelsForTwoThreads) {
    rasterColumns(surface, traces, all, rows, clip);
    return;
  }
  const std::size_t half = columns.size() / 2;
  std::jthread right([&] { rasterColumns(surface, traces, all.subspan(half), rows, clip); });
  rasterColumns(surface, traces, all.first(half), rows, clip);
}

// ---- Through the canvas ----

void drawThroughCanvas(Canvas& canvas, std::span<const DensityTrace> traces,
                       const SampleWindow& window, double clip) {
  const SampleRange shown = samplesShown(traces, window);
  for (const DensityTrace& trace : traces) {
    const double factor = factorOf(trace);
    std::int64_t j = shown.first;
    while (j <= shown.last) {
      const int level = levelOf(valueOf(trace, factor, j) / clip);
      std::int64_t end = j + 1;
      while (end <= shown.last && levelOf(valueOf(trace, factor, end) / clip) == level) ++end;
      if (level != kZeroLevel) {
        const double top = std::max(window.s0, static_cast<double>(j) - 0.5);
        const double bottom = std::min(window.s1, static_cast<double>(end - 1) + 0.5);
        canvas.fillRect({trace.position - 0.5, top}, {trace.position + 0.5, bottom},
                        densityColour(static_cast<double>(level - kZeroLevel) / kZeroLevel));
      }
      j = end;
    }
  }
}

}  // namespace

Colorref densityColour(double value) {
  if (std::isnan(value)) return kWhite;
  const double v = std::clamp(value, -1.0, 1.0);
  std::size_t i = 1;
  while (i + 1 < kMap.size() && v > kMap[i].at) ++i;
  const Anchor& a = kMap[i - 1];
  const Anchor& b = kMap[i];
  const double t = (v - a.at) / (b.at - a.at);
  auto mix = [t](int from, int to) {
    return static_cast<int>(std::lround(from + (to - from) * t));
  };
  return rgb(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

void drawDensity(Canvas& canvas, std::span<const DensityTrace> traces, const SampleWindow& window,
                 double clip) {
  if (traces.empty() || !(window.s1 > window.s0)) return;
  if (!(clip > 0) || !std::isfinite(clip)) clip = 1;
  const WorldMapping mapping = canvas.mapping();
  const std::optional<PixelSurface> surface = canvas.pixelSurface();
  const bool downwards =
      mapping.window.bottom > mapping.window.top && mapping.window.right > mapping.window.left;
  if (surface && downwards) {
    rasterDensity(*surface, mapping, traces, window, clip);
  } else {
    drawThroughCanvas(canvas, traces, window, clip);
  }
}

void drawDensityColourBar(Canvas& canvas, PointF a, PointF b, const std::string& negative,
                          const std::string& positive) {
  constexpr int kSteps = 64;
  const double width = (b.x - a.x) / kSteps;
  for (int i = 0; i < kSteps; ++i) {
    const double value = -1.0 + (2.0 * i + 1) / kSteps;
    canvas.fillRect({a.x + i * width, a.y}, {a.x + (i + 1) * width, b.y}, densityColour(value));
  }
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.rectangle(a, b);
  canvas.text({a.x, b.y}, negative, HAlign::Left, VAlign::Top);
  canvas.text({(a.x + b.x) / 2, b.y}, "0", HAlign::Centre, VAlign::Top);
  canvas.text({b.x, b.y}, positive, HAlign::Right, VAlign::Top);
}

}  // namespace vorax::app
