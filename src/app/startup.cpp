#include "app/startup.h"

#include <system_error>

#include "base/folder_access.h"
#include "base/text_trim.h"

namespace vorax::app {

namespace {

bool fileExists(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::exists(file, ec);
}

}  // namespace

std::string computeStartFolder(std::string_view currentDirectory, char separator) {
  const bool networkPath = currentDirectory.size() > 2 && currentDirectory[0] == separator &&
                           currentDirectory[1] == separator;
  std::string folder(currentDirectory.substr(0, networkPath ? 2 : 0));
  const std::size_t kept = folder.size();
  std::string rest = std::string(currentDirectory.substr(kept)) + separator;
  for (char c : rest) {
    if (c == separator && folder.size() > kept && folder.back() == separator) continue;
    folder.push_back(c);
  }
  return folder;
}

SettingsLoad startUp(AppState& state, std::string_view currentDirectory, bool folderReadOnly) {
  state.StartFolder =
      computeStartFolder(currentDirectory, std::filesystem::path::preferred_separator);
  const bool debugSwitch = fileExists(state.startFolderFile(base::kDebugSwitchFileName));
  if (debugSwitch) {
    std::error_code ignored;  // a read-only folder keeps its old log
    std::filesystem::remove(state.startFolderFile(base::kDebugLogFileName), ignored);
  }
  state.debugLog = base::DebugLog(state.StartFolder, debugSwitch && !folderReadOnly);
  state.debugLog.line("Program start");
  state.recordLoaded = false;

  SettingsLoad loaded = loadSettings(state.startFolderFile(kSettingsFileName), state.settings);
  if (!loaded.message.empty()) state.debugLog.line(loaded.message);
  state.LastDataFolder = base::trimmed(state.settings.lastDataFolder(), base::kSpacesAndZeros);
  return loaded;
}

SettingsLoad startUp(AppState& state) {
  std::error_code ec;
  std::filesystem::path current = std::filesystem::current_path(ec);
  if (ec) current = ".";  // the working folder was removed: use it relatively
  return startUp(state, current.string(), base::folderIsReadOnly(current));
}

ShutdownResult saveSettingsNow(AppState& state, bool folderReadOnly) {
  state.settings.setLastDataFolder(state.LastDataFolder);
  ShutdownResult result;
  if (folderReadOnly) {
    result.outcome = ShutdownResult::Outcome::ReadOnlyFolder;
    return result;
  }
  const SettingsSave saved = saveSettings(state.settings, state.startFolderFile(kSettingsFileName));
  if (!saved.ok) {
    result.outcome = ShutdownResult::Outcome::Failed;
    result.message = saved.message;
    state.debugLog.line(saved.message);
  }
  return result;
}

ShutdownResult saveSettingsNow(AppState& state) {
  return saveSettingsNow(state, base::folderIsReadOnly(state.StartFolder));
}

ShutdownResult saveSettingsAtEnd(AppState& state, bool folderReadOnly) {
  const ShutdownResult result = saveSettingsNow(state, folderReadOnly);
  state.debugLog.line("Program End");
  return result;
}

ShutdownResult saveSettingsAtEnd(AppState& state) {
  return saveSettingsAtEnd(state, base::folderIsReadOnly(state.StartFolder));
}

}  // namespace vorax::app
