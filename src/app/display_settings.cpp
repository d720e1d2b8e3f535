#include "app/display_settings.h"

#include <algorithm>

#include "app/configure_rules.h"
#include "decode/conversions.h"

namespace vorax::app {

DisplayOptions displayOptionsFrom(const ViewerSettings& settings) {
  DisplayOptions options;
  options.mode = settings.displayMode();
  options.balance = settings.traceBalance();
  const float agcWindow = settings.displayAgcWindowMs();
  options.agcWindowMs = settings.displayAgc() == 1 && agcWindow > 0 ? agcWindow : 0;
  options.clip = clampClip(settings.traceClip());
  options.ignoreTiltErrors = settings.ignoreTiltErrors() == 1;
  return options;
}

DisplaySelection displaySelectionFrom(const ViewerSettings& settings) {
  if (settings.displayByNumber() == 1) return DisplaySelection::ByNumber;
  if (settings.displayByLine() == 1) return DisplaySelection::ByLine;
  if (settings.displayAll() == 1) return DisplaySelection::All;
  return DisplaySelection::ByNumber;
}

MultiTraceOptions multiTraceOptionsFrom(const ViewerSettings& settings, bool numerics) {
  MultiTraceOptions options;
  for (std::size_t k = 0; k < kMaxPickedTraces; ++k) {
    options.labels[k] = settings.traceLabel(k);
    options.labelLeft[k] = settings.traceLabelSide(k, 0) == 1;
  }
  options.title = settings.multiTraceTitle();
  if (settings.titlePosition(0) == 1)
    options.titlePosition = TitlePosition::Left;
  else if (settings.titlePosition(2) == 1)
    options.titlePosition = TitlePosition::Right;
  else
    options.titlePosition = TitlePosition::Middle;
  options.numerics = numerics;
  return options;
}

MultiTraceOptions multiTraceOptionsFor(const ViewerSettings& settings, bool numerics,
                                       const decode::SegdRecord& record,
                                       const DisplayState& state) {
  MultiTraceOptions options = multiTraceOptionsFrom(settings, numerics);
  for (std::size_t k = 0; k < state.pickedTraces.size() && k < kMaxPickedTraces; ++k) {
    if (options.labels[k] != "Trace " + std::to_string(k + 1)) continue;
    options.labels[k] =
        "Channel " + std::to_string(seismicChannelNumber(record, state.pickedTraces[k]));
  }
  return options;
}

void takeDisplaySettings(const ViewerSettings& settings, DisplayState& state) {
  state.tracesPerScreen = decode::numericInt(settings.tracesToDisplay());
  state.displayStartMs = static_cast<float>(decode::numericValue(settings.displayStartTime()));
  state.displayEndMs = static_cast<float>(decode::numericValue(settings.displayEndTime()));
  state.displayGainDb = settings.initialGainDb();
}

float displayStartOf(const ViewerSettings& settings, const decode::SegdRecord& record) {
  const auto start = static_cast<float>(decode::numericValue(settings.displayStartTime()));
  return start > 0 ? start : record.startTimeMs;
}

void applyConfiguredDisplay(const ViewerSettings& settings, const decode::SegdRecord& record,
                            DisplayState& state) {
  takeDisplaySettings(settings, state);
  state.displayStartMs = displayStartOf(settings, record);
  switch (displaySelectionFrom(settings)) {
    case DisplaySelection::ByNumber:
      state.lastTrace = state.firstTrace + state.tracesPerScreen;
      break;
    case DisplaySelection::All:
      state.firstTrace = 0;
      state.lastTrace = record.loadedTraceCount();
      break;
    case DisplaySelection::ByLine:
      break;
  }
}

void startRecordDisplay(const ViewerSettings& settings, const decode::SegdRecord& record,
                        DisplayState& state) {
  state.clearPicks();
  state.displayStartMs = displayStartOf(settings, record);
  state.displayEndMs = static_cast<float>(decode::numericValue(settings.displayEndTime()));
  state.displayGainDb = settings.initialGainDb();
  TraceRange first = pageTraces(PagingMode::First, displaySelectionFrom(settings),
                                {state.firstTrace, state.lastTrace}, state.tracesPerScreen,
                                pagingRecordOf(record));
  state.firstTrace = first.first;
  state.lastTrace = first.last;
}

std::int32_t earlyTraceCount(const ViewerSettings& settings, std::int32_t tracesPerScreen) {
  constexpr std::int32_t kScreensForALine = 4;
  const std::int32_t screen = std::max(1, tracesPerScreen);
  switch (displaySelectionFrom(settings)) {
    case DisplaySelection::ByNumber:
      return screen + 1;
    case DisplaySelection::ByLine:
      return kScreensForALine * screen + 1;
    case DisplaySelection::All:
      break;
  }
  return 0;
}

bool firstPageWithin(const decode::SegdRecord& leading, const DisplayState& firstPage) {
  return firstPage.lastTrace < leading.loadedTraceCount();
}

}  // namespace vorax::app
