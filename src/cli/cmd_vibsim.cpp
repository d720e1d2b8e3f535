// vorax vibsim FILE --setup SETUP.MVS --out-dir DIR [--settings VORAXviewer.def]: the
// multi-vibrator similarity run of the set-up over a record, overnight: every page the set-up
// asks for as a BMP picture in DIR (the viewer's picture names), and DIR/summary.json with
// each vibrator's verdicts. Exit 0 when the run completed whatever the verdicts, 1 on a fatal
// header, 2 on a bad set-up, record, output folder or pilot channel.
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

int runVibsim(const SimilarityArgs& args) {
  app::ViewerSettings settings;
  if (const std::string error = loadRunSettings(args, vibsim::kMvsFile, settings); !error.empty()) {
    std::fprintf(stderr, "vorax vibsim: %s\n", error.c_str());
    return 2;
  }
  if (const std::string error = prepareOutputFolder(args.outDir); !error.empty()) {
    std::fprintf(stderr, "vorax vibsim: %s\n", error.c_str());
    return 2;
  }
  CliRecord opened;
  openForCommand("vibsim", args.input, true, opened);
  if (opened.exitStatus != 0) return opened.exitStatus;

  const vibsim::WirelineSetup setup = vibsim::wirelineSetupOf(settings);
  const vibsim::BannerTexts banner = vibsim::bannerTextsOf(settings, opened.record);
  dsp::Fft fft;
  std::vector<BatchVibrator> summary;
  int status = 0;
  for (const vibsim::WirelineVibrator& v : setup.vibrators) {
    BatchVibrator entry{v.row, v.label, std::nullopt, {}};
    if (const auto problem =
            vibsim::checkWirelineChannels(setup, v, opened.record.loadedTraceCount())) {
      entry.skipped = problem->reason;
      summary.push_back(entry);
      std::fprintf(stderr, "vorax vibsim: %s\n", problem->reason.c_str());
      if (problem->endsRun) {
        status = 2;
        break;
      }
      continue;
    }
    auto pages = vibsim::makeWirelinePages(opened.record, setup, v, banner, args.outDir, fft);
    if (!writeVibratorPictures("vibsim", *pages, args.outDir)) status = 2;
    entry.verdict = vibsim::judgeVibrator(opened.record, setup.pilotChannel, v.channels.force,
                                          setup.params, fft);
    std::printf("Vib %s: %s\n", v.label.c_str(), entry.verdict->pass() ? "pass" : "FAIL");
    summary.push_back(entry);
  }
  if (const std::string error = writeSummary(args.outDir, summary); !error.empty()) {
    std::fprintf(stderr, "vorax vibsim: %s\n", error.c_str());
    return 2;
  }
  return status;
}

}  // namespace

void addVibsimCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SimilarityArgs>();
  CLI::App* command = app.add_subcommand(
      "vibsim",
      "Runs a multi-vibrator similarity set-up over a record: every page it asks for as "
      "a BMP picture, and summary.json with each vibrator's verdicts.");
  command->add_option("FILE", args->input, "SEG-D record holding the vibrators' traces")
      ->required();
  addSimilarityOptions(*command, *args, "multi-vibrator set-up file (.MVS, 1400 bytes)");
  command->callback([args, &status] { status = runVibsim(*args); });
}

}  // namespace vorax::cli
