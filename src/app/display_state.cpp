#include "app/display_state.h"

#include <algorithm>
#include <optional>

namespace vorax::app {

void DisplayState::clearPicks() {
  pickedTraces.clear();
  perTraceScale.fill(1.0f);
}

bool DisplayState::togglePick(std::int32_t trace) {
  auto found = std::find(pickedTraces.begin(), pickedTraces.end(), trace);
  if (found != pickedTraces.end()) {
    pickedTraces.erase(found);
    return false;
  }
  if (pickedTraces.size() >= kMaxPickedTraces) return false;
  pickedTraces.push_back(trace);
  return true;
}

bool DisplayState::isPicked(std::int32_t trace) const {
  return std::find(pickedTraces.begin(), pickedTraces.end(), trace) != pickedTraces.end();
}

namespace {

TraceRange pageByNumber(PagingMode mode, TraceRange current, std::int32_t n, std::int32_t t) {
  switch (mode) {
    case PagingMode::First:
      return {0, n};
    case PagingMode::Last:
      return {std::max(0, t - n), t};
    case PagingMode::Next: {
      std::int32_t first = current.first + n;
      if (t - first < n) first = t - n;
      return {std::max(0, first), std::min(current.last + n, t)};
    }
    case PagingMode::Prev:
      return {std::max(0, current.first - n), std::max(current.last - n, n)};
  }
  return current;
}

// Line-run entries are numbered 1..K; element 0 of the table is unused.
TraceRange runRange(const PagingRecord& record, std::size_t entry) {
  const decode::LineRun& run = record.lineRuns[entry];
  return {static_cast<std::int32_t>(run.firstTrace), static_cast<std::int32_t>(run.lastTrace)};
}

// The first entry whose line number equals the line of `trace`; none for a trace the record
// does not hold.
std::optional<std::size_t> entryOfTraceLine(const PagingRecord& record, std::int32_t trace) {
  if (trace < 0 || trace > record.traceCount ||
      static_cast<std::size_t>(trace) >= record.traceInfo.size())
    return std::nullopt;
  float line = record.traceInfo[static_cast<std::size_t>(trace)].receiverLine;
  for (std::size_t i = 1; i < record.lineRuns.size(); ++i)
    if (record.lineRuns[i].receiverLine == line) return i;
  return std::nullopt;
}

TraceRange pageByLine(PagingMode mode, TraceRange current, const PagingRecord& record) {
  const std::size_t k = record.lineRuns.size() > 1 ? record.lineRuns.size() - 1 : 0;
  if (k == 0) return {0, 0};
  switch (mode) {
    case PagingMode::First: {
      // Auxiliary traces sit on line 0: the first page then also shows the first real line.
      bool auxFirst = record.lineRuns[1].receiverLine == 0 && k >= 2;
      return {0, runRange(record, auxFirst ? 2 : 1).last};
    }
    case PagingMode::Last:
      return runRange(record, k);
    case PagingMode::Next:
    case PagingMode::Prev: {
      std::optional<std::size_t> i = entryOfTraceLine(record, current.last);
      if (!i) return {0, 0};
      std::size_t target = *i;
      if (mode == PagingMode::Next && target < k) ++target;
      if (mode == PagingMode::Prev && target > 1) --target;
      TraceRange range = runRange(record, target);
      return {std::max(0, range.first), range.last};
    }
  }
  return current;
}

}  // namespace

TraceRange pageTraces(PagingMode mode, DisplaySelection selection, TraceRange current,
                      std::int32_t tracesPerScreen, const PagingRecord& record) {
  switch (selection) {
    case DisplaySelection::ByNumber:
      return pageByNumber(mode, current, tracesPerScreen, record.traceCount);
    case DisplaySelection::ByLine:
      return pageByLine(mode, current, record);
    case DisplaySelection::All:
      return {0, record.traceCount};
  }
  return current;
}

PagingRecord pagingRecordOf(const decode::SegdRecord& record) {
  return {record.loadedTraceCount(), record.lineRuns, record.traceInfo};
}

}  // namespace vorax::app
