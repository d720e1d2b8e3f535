// What `vorax vibsim` and `vorax radiosim` share: each vibrator's pages written as pictures
// into the output folder, and the folder's summary.json of verdicts.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "cli/json_text.h"
#include "vibsim/setup_files.h"
#include "vibsim/similarity_pages.h"

namespace CLI {
class App;
}

namespace vorax::cli {

struct SimilarityArgs {
  std::string command;  // "vibsim", "radiosim": set by addSimilarityOptions
  std::string input;    // the record, or the folder of radio similarity files
  std::string setup;
  std::string outDir;
  std::string settings;  // banner texts from a viewer settings file
};

// --setup, --out-dir and --settings.
void addSimilarityOptions(CLI::App& command, SimilarityArgs& args, const char* setupKind);

// The default settings, then the settings file when given, then the set-up file over them.
// Returns an error text (also for a settings file that does not exist or cannot be read) or
// an empty text; a settings file cut short is warned about on standard error.
std::string loadRunSettings(const SimilarityArgs& args, const vibsim::SetupFileKind& kind,
                            app::ViewerSettings& settings);

struct BatchVibrator {
  int row = 0;
  std::string name;
  std::optional<vibsim::VibratorVerdict> verdict;
  std::string skipped;  // why the vibrator was not drawn, when it was not
};

// Every requested page, every pane, as a BMP "<picture name>" in `folder`; a picture that
// cannot be written is reported as "vorax <command>: ..." and gives false.
bool writeVibratorPictures(const std::string& command, vibsim::SimilarityPages& pages,
                           const std::filesystem::path& folder);

// {"vibrators": [{"row", "name", "start_time_error_us", "max_phase_error_deg",
// "max_distortion_percent", "start_time_pass", "phase_pass", "distortion_pass", "pass"} or
// {"row", "name", "skipped"}, ...]}
Json summaryJson(const std::vector<BatchVibrator>& vibrators);
// Writes summary.json into `folder` atomically; returns an error text or an empty text.
std::string writeSummary(const std::filesystem::path& folder,
                         const std::vector<BatchVibrator>& vibrators);

// Creates the output folder when needed; returns an error text or an empty text.
std::string prepareOutputFolder(const std::filesystem::path& folder);

}  // namespace vorax::cli
