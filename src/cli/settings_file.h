// What the command line says of a viewer settings file it is given: `vorax settings` and the
// commands taking --settings read it alike.
#pragma once

#include <string>

#include "app/settings.h"

namespace vorax::cli {

// Why the file could not be used (it does not exist, or could not be read); empty when it was.
std::string settingsFileProblem(const std::string& file, const app::SettingsLoad& loaded);

// The warning for a file cut short, whose fields past its end take the defaults; empty for
// any other.
std::string settingsFileWarning(const std::string& file, const app::SettingsLoad& loaded);

}  // namespace vorax::cli
