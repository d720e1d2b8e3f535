#include "cli/settings_file.h"

namespace vorax::cli {

std::string settingsFileProblem(const std::string& file, const app::SettingsLoad& loaded) {
  switch (loaded.source) {
    case app::SettingsLoad::Source::Defaults:
      return file + " does not exist";
    case app::SettingsLoad::Source::Unreadable:
      return loaded.message;
    case app::SettingsLoad::Source::File:
    case app::SettingsLoad::Source::ShortFile:
      break;
  }
  return {};
}

std::string settingsFileWarning(const std::string& file, const app::SettingsLoad& loaded) {
  if (loaded.source != app::SettingsLoad::Source::ShortFile) return {};
  return file + " holds " + std::to_string(loaded.bytesRead) + " of " +
         std::to_string(app::kSettingsSize) + " bytes; the fields past its end take the defaults";
}

}  // namespace vorax::cli
