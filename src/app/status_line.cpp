#include "app/status_line.h"

#include <algorithm>
#include <filesystem>

#include "app/record_display.h"
#include "decode/conversions.h"

namespace vorax::app {

std::string gainText(float gainDb) {
  return "Gain " + decode::shortestText(gainDb) + " dB";
}

StatusTexts statusTexts(const decode::SegdRecord& record, const DisplayState& display,
                        bool recordLoaded) {
  if (!recordLoaded) return {"No record", "", "", ""};
  StatusTexts texts;
  texts.file = std::filesystem::path(record.fileName).filename().string();
  // Trace 0 is the empty slot before trace 1; the last trace may lie past the record's end.
  const std::int32_t held = record.loadedTraceCount();
  const std::int32_t first = std::min(std::max(1, display.firstTrace), held);
  const std::int32_t last = std::min(display.lastTrace, held);
  texts.traces = last >= first && first >= 1
                     ? "Traces " + std::to_string(first) + "-" + std::to_string(last) + " of " +
                           std::to_string(held)
                     : "No traces of " + std::to_string(held);
  texts.gain = gainText(display.displayGainDb);
  if (!displayGainApplies(record))
    texts.gain += record.flavour == decode::RecordFlavour::Vorax
                      ? " (not applied: trace 1 is not seismic)"
                      : " (not applied: no seismic trace)";
  // The window as drawn: cut at the record's first and last samples.
  const float startMs = std::max(display.displayStartMs, record.startTimeMs);
  const float endMs = std::min(display.displayEndMs, record.startTimeMs + record.recordLengthMs);
  texts.timeWindow = decode::shortestText(startMs) + "-" + decode::shortestText(endMs) + " ms";
  return texts;
}

}  // namespace vorax::app
