// The texts of the main window's status bar: which record, which traces, the display gain and
// the time window on screen.
#pragma once

#include <string>

#include "app/display_state.h"
#include "decode/segd_record.h"

namespace vorax::app {

struct StatusTexts {
  std::string file;        // the record's file name (no folder), or "No record"
  std::string traces;      // "Traces 1-60 of 130"
  std::string gain;        // "Gain 18 dB", saying when the record's traces are drawn without it
  std::string timeWindow;  // "0-3000 ms"
};

// Empty texts apart from "No record" when no record is shown.
StatusTexts statusTexts(const decode::SegdRecord& record, const DisplayState& display,
                        bool recordLoaded);

// The display gain as the window shows it: "Gain 18 dB", "Gain -4.5 dB".
std::string gainText(float gainDb);

}  // namespace vorax::app
