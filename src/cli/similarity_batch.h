// What `vorax vibsim` and `vorax radiosim` share: each vibrator's pages written as pictures
// into the output folder, the folder's summary.json of verdicts, the fleet table (as
// fleet.csv and "Fleet Table.BMP") and the exit status the verdicts give.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "cli/json_text.h"
#include "vibsim/setup_files.h"
#include "vibsim/similarity_pages.h"
#include "vibsim/verdict_views.h"

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

// Exit status of a run that completed: 0 when every vibrator passed (or, in a pulse test,
// was drawn), 3 when any failed or was skipped.
inline constexpr int kSomeVibratorFailed = 3;
int runStatus(const std::vector<vibsim::FleetEntry>& vibrators);

// The --help text of the exit statuses.
extern const char* const kSimilarityExitHelp;

// Every requested page, every pane, as a BMP "<picture name>" in `folder`; a picture that
// cannot be written is reported as "vorax <command>: ..." and gives false.
bool writeVibratorPictures(const std::string& command, vibsim::SimilarityPages& pages,
                           const std::filesystem::path& folder);

// {"vibrators": [{"row", "name", "start_time_error_us", "max_phase_error_deg",
// "max_distortion_percent", "correlation_peak", "correlation_lag_ms", "start_time_pass",
// "phase_pass", "distortion_pass", "correlation_pass", "polarity_pass", "signal_pass",
// "pass"} or {"row", "name", "skipped"} (or {"row", "name"} for a pulse test), ...]}
Json summaryJson(const std::vector<vibsim::FleetEntry>& vibrators);
// Writes summary.json and, when any vibrator was judged, fleet.csv and "Fleet Table.BMP"
// into `folder`, each atomically; returns an error text or an empty text.
std::string writeSummary(const std::string& command, const std::filesystem::path& folder,
                         const std::vector<vibsim::FleetEntry>& vibrators,
                         const vibsim::SimParams& params, const std::string& title,
                         const std::string& subtitle);

// Creates the output folder when needed; returns an error text or an empty text.
std::string prepareOutputFolder(const std::filesystem::path& folder);

}  // namespace vorax::cli
