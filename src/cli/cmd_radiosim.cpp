// vorax radiosim FOLDER --setup SETUP.RSF --out-dir DIR [--settings VORAXviewer.def]: the
// radio similarity run of the set-up over a folder of radio similarity files (FOLDER takes
// the place of the set-up's folder): every page the set-up asks for as a BMP picture in DIR,
// DIR/summary.json with each vibrator's verdicts, and the fleet table as DIR/fleet.csv and
// DIR/Fleet Table.BMP. A file that cannot be read is listed as skipped. Exit statuses as
// kSimilarityExitHelp says.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

#include "cli/commands.h"
#include "cli/similarity_batch.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "vibsim/radio_file.h"
#include "vibsim/similarity_pages.h"

namespace vorax::cli {

namespace {

int fail(const std::string& error) {
  std::fprintf(stderr, "vorax radiosim: %s\n", error.c_str());
  return 2;
}

int runRadiosim(const SimilarityArgs& args) {
  app::ViewerSettings settings;
  if (const std::string error = loadRunSettings(args, vibsim::kRsfFile, settings); !error.empty())
    return fail(error);
  std::error_code ec;
  if (!std::filesystem::is_directory(args.input, ec)) return fail(args.input + " is not a folder");
  const vibsim::RadioSetup setup = vibsim::radioSetupOf(settings, args.input);
  if (setup.vibrators.empty()) return fail(vibsim::noListedFileMessage(setup.folder.string()));
  if (const std::string error = prepareOutputFolder(args.outDir); !error.empty())
    return fail(error);

  dsp::Fft fft;
  std::vector<vibsim::FleetEntry> summary;
  vibsim::BannerTexts banner = vibsim::bannerTextsOf(settings, decode::SegdRecord{});
  bool setupError = false;
  for (const vibsim::RadioVibrator& v : setup.vibrators) {
    vibsim::FleetEntry entry{v.row, v.label, std::nullopt, {}};
    decode::SegdRecord record;
    const vibsim::RadioLoad load = vibsim::loadRadioSimilarityFile(setup.folder / v.file, record);
    if (!load.ok) {
      entry.skipped = load.message;
      summary.push_back(entry);
      std::fprintf(stderr, "vorax radiosim: %s\n", load.message.c_str());
      continue;
    }
    if (const auto problem = vibsim::checkRadioChannels(setup, record.loadedTraceCount())) {
      entry.skipped = *problem;
      summary.push_back(entry);
      setupError = true;
      fail(*problem);
      break;
    }
    auto pages =
        vibsim::makeRadioPages(record, setup, v, vibsim::bannerTextsOf(settings, record), fft);
    if (!writeVibratorPictures("radiosim", *pages, args.outDir)) setupError = true;
    entry.verdict = pages->verdict();
    if (entry.verdict)
      std::printf("Vib %s: %s\n", v.label.c_str(), entry.verdict->pass() ? "pass" : "FAIL");
    summary.push_back(entry);
  }
  if (const std::string error =
          writeSummary("radiosim", args.outDir, summary, setup.params, "Radio Similarity Fleet",
                       vibsim::fleetSubtitle(banner, setup.folder.string()));
      !error.empty())
    return fail(error);
  return setupError ? 2 : runStatus(summary);
}

}  // namespace

void addRadiosimCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SimilarityArgs>();
  CLI::App* command = app.add_subcommand(
      "radiosim",
      "Runs a radio similarity set-up over a folder of radio similarity files: every "
      "page it asks for as a BMP picture, summary.json with each vibrator's verdicts, and the "
      "fleet table as fleet.csv and \"Fleet Table.BMP\".");
  command->footer(kSimilarityExitHelp);
  command
      ->add_option("FOLDER", args->input,
                   "folder of radio similarity files (replaces the set-up's)")
      ->required();
  addSimilarityOptions(*command, *args, "radio similarity set-up file (.RSF, 1844 bytes)");
  command->callback([args, &status] { status = runRadiosim(*args); });
}

}  // namespace vorax::cli
