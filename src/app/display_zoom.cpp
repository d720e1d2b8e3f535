#include "app/display_zoom.h"

#include <algorithm>
#include <cmath>

namespace vorax::app {

namespace {

// At most this many views are remembered for zooming out.
constexpr std::size_t kZoomHistory = 100;

double lastSampleMs(const decode::SegdRecord& record) {
  return record.startTimeMs + record.recordLengthMs;
}

}  // namespace

DisplayView viewOf(const DisplayState& state) {
  return {state.firstTrace, state.lastTrace, state.displayStartMs, state.displayEndMs};
}

void showView(const DisplayView& view, DisplayState& state) {
  state.firstTrace = view.firstTrace;
  state.lastTrace = view.lastTrace;
  state.displayStartMs = view.startMs;
  state.displayEndMs = view.endMs;
}

DisplayView wholeRecordView(const decode::SegdRecord& record) {
  return {0, record.loadedTraceCount(), record.startTimeMs,
          static_cast<float>(lastSampleMs(record))};
}

std::optional<DisplayView> rectangleView(const decode::SegdRecord& record, std::int32_t traceA,
                                         std::int32_t sampleA, std::int32_t traceB,
                                         std::int32_t sampleB) {
  if (std::abs(sampleB - sampleA) < 2) return std::nullopt;
  const std::int32_t first = std::max(1, std::min(traceA, traceB));
  const std::int32_t last = std::max(first, std::max(traceA, traceB));
  const double dt = record.sampleIntervalMs;
  return DisplayView{first, last,
                     static_cast<float>(record.startTimeMs + std::min(sampleA, sampleB) * dt),
                     static_cast<float>(record.startTimeMs + std::max(sampleA, sampleB) * dt)};
}

DisplayView timeZoomedView(const decode::SegdRecord& record, const DisplayView& view,
                           double pointerMs, double factor) {
  const double first = record.startTimeMs;
  const double last = std::max(first, lastSampleMs(record));
  const double shortest = std::min(last - first, 2.0 * record.sampleIntervalMs);
  double start = std::max(first, static_cast<double>(view.startMs));
  double end = std::min(last, static_cast<double>(view.endMs));
  const double p = std::clamp(pointerMs, start, end);
  start = p + (start - p) * factor;
  end = p + (end - p) * factor;
  if (end - start < shortest) {
    start = p - shortest / 2;
    end = p + shortest / 2;
  }
  // Slide back inside the record, then cut what is still too long.
  if (start < first) end += first - start, start = first;
  if (end > last) start -= end - last, end = last;
  DisplayView out = view;
  out.startMs = static_cast<float>(std::max(first, start));
  out.endMs = static_cast<float>(end);
  return out;
}

DisplayView traceZoomedView(const decode::SegdRecord& record, const DisplayView& view,
                            std::int32_t pointerTrace, double factor) {
  const std::int32_t traces = record.loadedTraceCount();
  const double first = std::max(1, view.firstTrace);
  const double last = std::clamp(view.lastTrace, 1, std::max(1, traces));
  const double p = std::clamp<double>(pointerTrace, first, last);
  auto newFirst = static_cast<std::int32_t>(std::lround(p + (first - p) * factor));
  auto newLast = static_cast<std::int32_t>(std::lround(p + (last - p) * factor));
  if (factor > 1 && newLast - newFirst <= last - first) {  // always widen by one trace at least
    newFirst = std::min(newFirst, static_cast<std::int32_t>(first) - 1);
    newLast = std::max(newLast, static_cast<std::int32_t>(last) + 1);
  }
  const std::int32_t width = std::min(std::max(0, newLast - newFirst), std::max(0, traces - 1));
  newFirst = std::clamp(newFirst, 1, std::max(1, traces - width));
  DisplayView out = view;
  out.firstTrace = newFirst == 1 && view.firstTrace == 0 ? 0 : newFirst;
  out.lastTrace = newFirst + width;
  return out;
}

void zoomTo(const DisplayView& next, DisplayState& state) {
  const DisplayView now = viewOf(state);
  if (next == now) return;
  state.zoomHistory.push_back(now);
  if (state.zoomHistory.size() > kZoomHistory) state.zoomHistory.erase(state.zoomHistory.begin());
  showView(next, state);
}

bool zoomOut(DisplayState& state) {
  if (state.zoomHistory.empty()) return false;
  showView(state.zoomHistory.back(), state);
  state.zoomHistory.pop_back();
  return true;
}

}  // namespace vorax::app
