#include "app/multi_trace_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/readouts.h"
#include "app/record_display.h"
#include "app/utilities.h"

namespace vorax::app {

namespace {

struct SampleRange {
  std::int64_t first;
  std::int64_t last;
};

SampleRange heldSamples(const decode::SegdRecord& record, const SampleWindow& window) {
  return {std::max<std::int64_t>(0, static_cast<std::int64_t>(std::ceil(window.s0))),
          std::min<std::int64_t>(record.samples.samplesPerTrace(),
                                 static_cast<std::int64_t>(std::floor(window.s1)))};
}

double sampleOrZero(std::span<const float> samples, std::int64_t j) {
  double v = samples[static_cast<std::size_t>(j)];
  return std::isnan(v) ? 0 : v;
}

double textHeight(const Canvas& canvas) {
  return canvas.measureText("0").height;
}

// Each sample of the slot marked with a short tick and written with three decimals above it.
void drawNumerics(Canvas& canvas, std::span<const PointF> points, std::span<const float> samples,
                  SampleRange range) {
  canvas.setFont("Small Fonts", 9, false);
  const double h = textHeight(canvas);
  for (std::size_t n = 0; n < points.size(); ++n) {
    const PointF p = points[n];
    canvas.line({p.x, p.y - h / 4}, {p.x, p.y + h / 4});
    double value = sampleOrZero(samples, range.first + static_cast<std::int64_t>(n));
    canvas.text({p.x, p.y + h / 4}, fixedDecimals(value, 3), HAlign::Centre, VAlign::Bottom);
  }
}

// Slot k's trace: y = k + s x (sample(j) - sample(start)), as one polyline.
std::vector<PointF> slotPoints(std::span<const float> samples, SampleRange range, int k,
                               double scale) {
  std::vector<PointF> points;
  points.reserve(static_cast<std::size_t>(range.last - range.first + 1));
  const double start = sampleOrZero(samples, range.first);
  for (std::int64_t j = range.first; j <= range.last; ++j)
    points.push_back({static_cast<double>(j), k + scale * (sampleOrZero(samples, j) - start)});
  return points;
}

void drawSlotLabel(Canvas& canvas, const WorldWindow& world, int k, const std::string& label,
                   bool left) {
  canvas.setFont("Arial", 13, false);
  const std::string text = "(" + std::to_string(k) + ") " + label;
  const double y = k + 1.1 * textHeight(canvas);
  if (left)
    canvas.text({world.left, y}, text, HAlign::Left, VAlign::Top);
  else
    canvas.text({world.right, y}, text, HAlign::Right, VAlign::Top);
}

void drawTitle(Canvas& canvas, const WorldWindow& world, const MultiTraceOptions& options) {
  canvas.setFont("Arial", 16, true);
  const double y = world.top - 0.1 * textHeight(canvas);
  switch (options.titlePosition) {
    case TitlePosition::Left:
      canvas.text({world.left, y}, options.title, HAlign::Left, VAlign::Top);
      break;
    case TitlePosition::Middle:
      canvas.text({(world.left + world.right) / 2, y}, options.title, HAlign::Centre, VAlign::Top);
      break;
    case TitlePosition::Right:
      canvas.text({world.right, y}, options.title, HAlign::Right, VAlign::Top);
      break;
  }
}

// Time labels along the bottom edge at round sample steps, each "0.0" + "mS ", kept inside
// the picture at both ends.
void drawTimeLabels(Canvas& canvas, const decode::SegdRecord& record, const WorldWindow& world) {
  canvas.setFont("MS Sans Serif", 12, false);
  float a = static_cast<float>(world.left);
  float b = static_cast<float>(world.right);
  const double d = CHOOSESTEP(a, b);
  const double h = textHeight(canvas);
  for (auto step = static_cast<std::int64_t>(std::ceil(world.left / d));; ++step) {
    const double t = static_cast<double>(step) * d;
    if (t > world.right) break;
    const std::string text = fixedDecimals(t * record.sampleIntervalMs, 1) + "mS ";
    const double halfWidth = canvas.measureText(text).width / 2;
    HAlign align = HAlign::Centre;
    if (t - halfWidth < world.left) align = HAlign::Left;
    if (t + halfWidth > world.right) align = HAlign::Right;
    canvas.line({t, world.bottom}, {t, world.bottom + h / 3});
    canvas.text({t, world.bottom + h / 3}, text, align, VAlign::Bottom);
  }
}

}  // namespace

void DrawMultiTraceView(Canvas& canvas, const decode::SegdRecord& record, const DisplayState& state,
                        const MultiTraceOptions& options) {
  const SampleWindow window = sampleWindowOf(record, state.displayStartMs, state.displayEndMs);
  const auto n = static_cast<int>(std::min(state.pickedTraces.size(), kMaxPickedTraces));
  canvas.clear(kWhite);
  canvas.setTextColour(kBlack);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  const SampleRange range = heldSamples(record, window);
  if (!(window.s1 > window.s0) || range.last < range.first) {
    canvas.setWorldWindow({0, static_cast<double>(n + 1), 1, 0});
    drawTitle(canvas, canvas.worldWindow(), options);
    return;
  }
  const WorldWindow world{window.s0, static_cast<double>(n + 1), window.s1, 0};
  canvas.setWorldWindow(world);
  const bool numerics = options.numerics && window.s1 - window.s0 < kNumericsSampleLimit;
  for (int k = 1; k <= n; ++k) {
    const auto slot = static_cast<std::size_t>(k - 1);
    const std::int32_t trace = state.pickedTraces[slot];
    drawSlotLabel(canvas, world, k, options.labels[slot], options.labelLeft[slot]);
    if (trace < 1 || trace > record.loadedTraceCount()) continue;
    const double scale = state.perTraceScale[slot] == 0 ? 1.0 : state.perTraceScale[slot];
    std::span<const float> samples = record.samples.trace(trace);
    std::vector<PointF> points = slotPoints(samples, range, k, scale);
    canvas.setPen(kBlack, 1, PenStyle::Solid, false);
    canvas.polyline(points);
    if (numerics) drawNumerics(canvas, points, samples, range);
  }
  drawTitle(canvas, world, options);
  drawTimeLabels(canvas, record, world);
}

}  // namespace vorax::app
