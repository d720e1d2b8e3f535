// The main display's window onto the record (which traces, which times, what gain, which
// traces are picked for the multi trace view) and the paging rule that moves it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "decode/segd_record.h"

namespace vorax::app {

inline constexpr std::size_t kMaxPickedTraces = 6;

// A display window: first and last trace (as paging sets them) and the time window in the
// record's ms.
struct DisplayView {
  std::int32_t firstTrace = 0;
  std::int32_t lastTrace = 0;
  float startMs = 0;
  float endMs = 0;
  friend bool operator==(const DisplayView&, const DisplayView&) = default;
};

struct DisplayState {
  // Trace indices of the left-most and right-most trace on screen; 0 is the unused slot
  // before trace 1, and lastTrace may lie past the record's last trace (the renderer clamps).
  std::int32_t firstTrace = 0;
  std::int32_t lastTrace = 0;
  std::int32_t tracesPerScreen = 60;
  float displayStartMs = 0;
  float displayEndMs = 3000;
  float displayGainDb = 18;
  std::vector<std::int32_t> pickedTraces;  // at most kMaxPickedTraces, in picking order
  std::array<float, kMaxPickedTraces> perTraceScale{1, 1, 1, 1, 1, 1};
  // The display windows before each zoom, the latest last (see display_zoom.h).
  std::vector<DisplayView> zoomHistory;

  // What opening a record does to the picks: none picked, every scale back to 1.
  void clearPicks();
  // Ctrl-click on a trace: a picked trace is removed; otherwise it is appended while fewer
  // than kMaxPickedTraces are picked. Returns whether the trace is picked afterwards.
  bool togglePick(std::int32_t trace);
  bool isPicked(std::int32_t trace) const;
};

// Exactly one of the settings' three display-selection options is on.
enum class DisplaySelection { ByLine, ByNumber, All };

// The four paging buttons, numbered as the paging table numbers them.
enum class PagingMode { First = 0, Last = 1, Next = 2, Prev = 3 };

struct TraceRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
  friend bool operator==(const TraceRange&, const TraceRange&) = default;
};

// What the pager needs of the record: the trace count T, the line runs (element 0 unused)
// and the per-trace attributes (index 0 unused) for line(lastTrace).
struct PagingRecord {
  std::int32_t traceCount = 0;
  std::span<const decode::LineRun> lineRuns;
  std::span<const decode::TraceHeaderInfo> traceInfo;
};

// The new first and last traces for one paging button, computed from `current` (the state
// before the press) and `tracesPerScreen` (N). By line, a lastTrace whose line matches no
// run (or lies outside the record) gives the page 0..0. The first trace is never below 0.
TraceRange pageTraces(PagingMode mode, DisplaySelection selection, TraceRange current,
                      std::int32_t tracesPerScreen, const PagingRecord& record);

PagingRecord pagingRecordOf(const decode::SegdRecord& record);

}  // namespace vorax::app
