// The program-wide state: one object the application owns and passes by reference to every
// window and tool. Tests build as many as they like.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/display_state.h"
#include "app/settings.h"
#include "base/debug_log.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"

namespace vorax::app {

struct AppState {
  ViewerSettings settings;

  // The current directory at start-up with one separator appended (see computeStartFolder).
  // The settings file and both debug files live here.
  std::string StartFolder;
  base::DebugLog debugLog;  // DebugLogLine; enabled() is the debug switch

  // Folder of the last record the user opened; kept in the settings (offset 256) across runs.
  std::string LastDataFolder;

  bool recordLoaded = false;
  decode::SegdRecord record;
  DisplayState display;  // the main display's window onto the record, and the picked traces

  dsp::Fft fft;  // FFT plans, made once per length

  // A file in StartFolder.
  std::filesystem::path startFolderFile(std::string_view name) const {
    return std::filesystem::path(StartFolder + std::string(name));
  }
};

}  // namespace vorax::app
