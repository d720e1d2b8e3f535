// Start-up and shutdown of the viewer, without any window: the start folder, the debug
// switch, loading the settings, and saving them when the main window ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "app/settings.h"

namespace vorax::app {

// The current directory with `separator` appended, then every doubled separator replaced by
// one, so a root folder ends in one separator. A leading doubled separator (a network path
// such as \\server\share) is kept.
std::string computeStartFolder(std::string_view currentDirectory, char separator);

// The start-up sequence with the folder and its read-only state given:
// debug logging is on only when "VORAXviewerdebug.txt" exists in StartFolder and the folder
// is writable; when that file exists the old "Kelvarodebug.txt" is deleted first (a fresh
// log); "Program start" is logged; recordLoaded is cleared; the settings are loaded from
// "VORAXviewer.def" (or the defaults); LastDataFolder is the trimmed text at offset 256.
SettingsLoad startUp(AppState& state, std::string_view currentDirectory, bool folderReadOnly);

// The same in the process's current directory.
SettingsLoad startUp(AppState& state);

struct ShutdownResult {
  enum class Outcome { Saved, ReadOnlyFolder, Failed };
  Outcome outcome = Outcome::Saved;
  std::string message;  // why saving failed
};

// The settings as they stand reach the disk (atomically): LastDataFolder is stored at offset
// 256 (space padded), and the file is written unless the folder is read-only (then silently
// not). Called whenever a change must not be lost: a dialog's OK, a tool's end, the desktop
// session's end, a request to terminate.
ShutdownResult saveSettingsNow(AppState& state, bool folderReadOnly);
ShutdownResult saveSettingsNow(AppState& state);

// The end of the main window: saveSettingsNow, then "Program End" is logged.
ShutdownResult saveSettingsAtEnd(AppState& state, bool folderReadOnly);

// The same, asking the file system whether StartFolder is read-only.
ShutdownResult saveSettingsAtEnd(AppState& state);

}  // namespace vorax::app
