// vorax vibsim FILE --setup SETUP.MVS --out-dir DIR [--settings VORAXviewer.def]: the
// multi-vibrator similarity run of the set-up over a record, overnight: every page the set-up
// asks for as a BMP picture in DIR (the viewer's picture names), DIR/summary.json with each
// vibrator's verdicts, and the fleet table as DIR/fleet.csv and DIR/Fleet Table.BMP. Exit
// statuses as kSimilarityExitHelp says.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "app/settings.h"
#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/similarity_batch.h"
#include "dsp/fft.h"
#include "vibsim/setup_files.h"
#include "vibsim/similarity_pages.h"

namespace vorax::cli {

namespace {

int fail(const std::string& error) {
  std::fprintf(stderr, "vorax vibsim: %s\n", error.c_str());
  return 2;
}

int runVibsim(const SimilarityArgs& args) {
  app::ViewerSettings settings;
  if (const std::string error = loadRunSettings(args, vibsim::kMvsFile, settings); !error.empty())
    return fail(error);
  const vibsim::WirelineSetup setup = vibsim::wirelineSetupOf(settings);
  if (setup.vibrators.empty())
    return fail("the set-up names no vibrator with both a Ref and a Force channel: nothing to do");
  if (const std::string error = prepareOutputFolder(args.outDir); !error.empty())
    return fail(error);
  CliRecord opened;
  openForCommand("vibsim", args.input, true, opened);
  if (opened.exitStatus != 0) return opened.exitStatus;

  const vibsim::BannerTexts banner = vibsim::bannerTextsOf(settings, opened.record);
  dsp::Fft fft;
  std::vector<vibsim::FleetEntry> summary;
  bool setupError = false;
  for (const vibsim::WirelineVibrator& v : setup.vibrators) {
    vibsim::FleetEntry entry{v.row, v.label, std::nullopt, {}};
    if (const auto problem =
            vibsim::checkWirelineChannels(setup, v, opened.record.loadedTraceCount())) {
      entry.skipped = problem->reason;
      summary.push_back(entry);
      std::fprintf(stderr, "vorax vibsim: %s\n", problem->reason.c_str());
      if (problem->endsRun) {
        setupError = true;
        break;
      }
      continue;
    }
    auto pages = vibsim::makeWirelinePages(opened.record, setup, v, banner, args.outDir, fft);
    if (!writeVibratorPictures("vibsim", *pages, args.outDir)) setupError = true;
    entry.verdict = pages->verdict();
    if (entry.verdict)
      std::printf("Vib %s: %s\n", v.label.c_str(), entry.verdict->pass() ? "pass" : "FAIL");
    summary.push_back(entry);
  }
  if (const std::string error = writeSummary(
          "vibsim", args.outDir, summary, setup.params, "Wireline Similarity Fleet",
          vibsim::fleetSubtitle(banner, std::filesystem::path(args.input).filename().string()));
      !error.empty())
    return fail(error);
  return setupError ? 2 : runStatus(summary);
}

}  // namespace

void addVibsimCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SimilarityArgs>();
  CLI::App* command = app.add_subcommand(
      "vibsim",
      "Runs a multi-vibrator similarity set-up over a record: every page it asks for as "
      "a BMP picture, summary.json with each vibrator's verdicts, and the fleet table as "
      "fleet.csv and \"Fleet Table.BMP\".");
  command->footer(kSimilarityExitHelp);
  command->add_option("FILE", args->input, "SEG-D record holding the vibrators' traces")
      ->required();
  addSimilarityOptions(*command, *args, "multi-vibrator set-up file (.MVS, 1400 bytes)");
  command->callback([args, &status] { status = runVibsim(*args); });
}

}  // namespace vorax::cli
