#include "spread/spread_layout.h"

#include <algorithm>
#include <cmath>

namespace vorax::spread {

bool isLiveTrace(const decode::TraceHeaderInfo& info) {
  return info.receiverLine > 0 && std::isfinite(info.receiverLine) &&
         std::isfinite(info.receiverPoint);
}

std::int32_t heldTraceCount(const decode::SegdRecord& record) {
  const auto withInfo = static_cast<std::int64_t>(record.traceInfo.size()) - 1;
  return static_cast<std::int32_t>(
      std::max<std::int64_t>(0, std::min<std::int64_t>(withInfo, record.loadedTraceCount())));
}

bool hasLiveTraces(const decode::SegdRecord& record) {
  const std::int32_t n = heldTraceCount(record);
  for (std::int32_t t = 1; t <= n; ++t)
    if (isLiveTrace(record.traceInfo[static_cast<std::size_t>(t)])) return true;
  return false;
}

namespace {

int countLines(const decode::SegdRecord& record) {
  int count = 0;
  for (std::size_t i = 1; i < record.lineRuns.size(); ++i)
    if (record.lineRuns[i].receiverLine != 0) ++count;
  return count;
}

}  // namespace

SpreadLayout computeSpreadLayout(const decode::SegdRecord& record) {
  SpreadLayout l;
  l.lineCount = countLines(record);
  const std::int32_t n = heldTraceCount(record);
  for (std::int32_t t = 1; t <= n; ++t) {
    const decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
    if (!isLiveTrace(info)) continue;
    l.xmax = std::max<double>(l.xmax, info.receiverPoint);
    l.ymax = std::max<double>(l.ymax, info.receiverLine);
  }
  l.xmin = l.xmax;
  l.ymin = l.ymax;
  for (std::int32_t t = 1; t <= n; ++t) {
    const decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
    if (!isLiveTrace(info)) continue;
    l.xmin = std::min<double>(l.xmin, info.receiverPoint);
    l.ymin = std::min<double>(l.ymin, info.receiverLine);
  }
  const double xSpan = l.xmax - l.xmin + 1;
  const double ySpan = l.ymax - l.ymin + 1;
  l.worldWidth = 1.3 * xSpan;
  l.worldHeight = 1.3 * ySpan;
  // The boxes cover xmin - 0.5 .. xmax + 0.5 and ymin - 0.5 .. ymax + 0.5 (a span each);
  // the spare width is a third left, two thirds right (the legend), the spare height half
  // above and half below.
  l.worldLeft = l.xmin - 0.5 - (l.worldWidth - xSpan) / 3;
  l.worldTop = l.ymax + 0.5 + (l.worldHeight - ySpan) / 2;
  l.boxHalfHeight = (l.lineCount < 10 ? ySpan / 10 : ySpan / (l.lineCount + 1)) / 3;
  return l;
}

LegendFrame legendFrameOf(const SpreadLayout& layout) {
  const double w = layout.worldWidth / 30;
  const double h = layout.worldHeight / 4;
  LegendFrame f;
  f.left = layout.worldLeft + layout.worldWidth - 4 * w;
  f.right = f.left + w;
  f.top = layout.worldBottom() + 1.5 * h;
  f.bottom = f.top - h;
  return f;
}

}  // namespace vorax::spread
