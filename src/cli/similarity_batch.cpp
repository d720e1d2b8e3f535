#include "cli/similarity_batch.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <system_error>

#include "base/atomic_file.h"
#include "cli/picture_file.h"
#include "cli/settings_file.h"

namespace vorax::cli {

void addSimilarityOptions(CLI::App& command, SimilarityArgs& args, const char* setupKind) {
  args.command = command.get_name();
  command.add_option("--setup", args.setup, setupKind)->required();
  command
      .add_option("--out-dir", args.outDir,
                  "folder for the pictures and summary.json (made if missing)")
      ->required();
  command
      .add_option("--settings", args.settings,
                  "viewer settings file giving the banner's contractor, oil company and crew "
                  "(read as `vorax settings` reads it)")
      ->default_str("the default settings");
}

std::string loadRunSettings(const SimilarityArgs& args, const vibsim::SetupFileKind& kind,
                            app::ViewerSettings& settings) {
  app::ApplyDefaultSettings(settings);
  if (!args.settings.empty()) {
    const app::SettingsLoad loaded = app::loadSettings(args.settings, settings);
    if (std::string problem = settingsFileProblem(args.settings, loaded); !problem.empty())
      return problem;
    if (const std::string warning = settingsFileWarning(args.settings, loaded); !warning.empty())
      std::fprintf(stderr, "vorax %s: %s\n", args.command.c_str(), warning.c_str());
  }
  return vibsim::readSetupFile(kind, args.setup, settings);
}

bool writeVibratorPictures(const std::string& command, vibsim::SimilarityPages& pages,
                           const std::filesystem::path& folder) {
  bool ok = true;
  for (int page : pages.requestedPages()) {
    for (int pane = 0; pane < pages.paneCount(page); ++pane) {
      const std::string path = (folder / pages.pictureName(page, pane)).string();
      const PictureSize size{vibsim::kPanePictureWidth, vibsim::kPanePictureHeight};
      if (writePictureFile(command, path, size,
                           [&](app::Canvas& canvas) { pages.drawPane(canvas, page, pane); }) != 0)
        ok = false;
    }
  }
  return ok;
}

const char* const kSimilarityExitHelp =
    "Exit status: 0 when the run completed and every vibrator passed, 3 when it completed and "
    "any vibrator failed a verdict or was skipped, 1 on a fatal header, 2 on a bad set-up, "
    "input, output folder or channel, or when the set-up leaves nothing to do.";

int runStatus(const std::vector<vibsim::FleetEntry>& vibrators) {
  for (const vibsim::FleetEntry& v : vibrators) {
    if (!v.skipped.empty() || (v.verdict && !v.verdict->pass())) return kSomeVibratorFailed;
  }
  return 0;
}

Json summaryJson(const std::vector<vibsim::FleetEntry>& vibrators) {
  Json list = Json::array();
  for (const vibsim::FleetEntry& v : vibrators) {
    Json entry{{"row", v.row}, {"name", v.label}};
    if (!v.skipped.empty()) {
      entry["skipped"] = v.skipped;
    } else if (v.verdict) {
      const vibsim::VibratorVerdict& verdict = *v.verdict;
      entry["start_time_error_us"] =
          verdict.startTimeErrorUs ? singleJson(*verdict.startTimeErrorUs) : Json(nullptr);
      entry["max_phase_error_deg"] = singleJson(verdict.maxPhaseErrorDeg);
      entry["max_distortion_percent"] = singleJson(verdict.maxDistortionPercent);
      entry["correlation_peak"] = singleJson(verdict.correlationPeak);
      entry["correlation_lag_ms"] = verdict.correlationLagMs;
      entry["start_time_pass"] = verdict.startTimePass;
      entry["phase_pass"] = verdict.phasePass;
      entry["distortion_pass"] = verdict.distortionPass;
      entry["correlation_pass"] = verdict.correlationPass;
      entry["polarity_pass"] = verdict.polarityPass;
      entry["signal_pass"] = verdict.signalPass;
      entry["pass"] = verdict.pass();
    }
    list.push_back(std::move(entry));
  }
  return Json{{"vibrators", std::move(list)}};
}

namespace {

std::string writeText(const std::filesystem::path& path, const std::string& text) {
  base::AtomicFileWriter writer(path);
  writer.write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  writer.commit();
  return writer.error();
}

}  // namespace

std::string writeSummary(const std::string& command, const std::filesystem::path& folder,
                         const std::vector<vibsim::FleetEntry>& vibrators,
                         const vibsim::SimParams& params, const std::string& title,
                         const std::string& subtitle) {
  if (std::string error =
          writeText(folder / "summary.json", jsonText(summaryJson(vibrators)) + "\n");
      !error.empty())
    return error;
  const bool judged = std::ranges::any_of(
      vibrators, [](const vibsim::FleetEntry& v) { return v.verdict.has_value(); });
  if (!judged) return {};
  const vibsim::VerdictLimits limits = vibsim::verdictLimitsOf(params);
  if (std::string error = writeText(folder / "fleet.csv", vibsim::fleetCsv(vibrators, limits));
      !error.empty())
    return error;
  const std::string picture = (folder / "Fleet Table.BMP").string();
  if (writePictureFile(command, picture, {vibsim::kFleetPictureWidth, vibsim::kFleetPictureHeight},
                       [&](app::Canvas& canvas) {
                         vibsim::drawFleetTable(canvas, vibrators, limits, title, subtitle);
                       }) != 0)
    return "cannot write " + picture;
  return {};
}

std::string prepareOutputFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder, ec))
    return "cannot make the output folder " + folder.string();
  return {};
}

}  // namespace vorax::cli
