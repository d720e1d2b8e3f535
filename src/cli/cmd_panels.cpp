// vorax panels FOLDER [--setup FILE.PNL] --out-dir DIR [--size WxH]: the filter panels of
// every record in the folder, written as the "Filter Panels" dialog's "Go" writes them with
// "Generate BMP Files" on: one picture per panel, named as the dialog names them, then the
// lines the dialog's status shows (records done and skipped, each skipped file and why).
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "base/debug_log.h"
#include "cli/commands.h"
#include "cli/picture_file.h"
#include "dsp/fft.h"
#include "filter/panel_picture.h"
#include "filter/panels.h"

namespace vorax::cli {

namespace {

struct PanelsArgs {
  std::string folder;
  std::string setup;
  std::string outDir;
  std::string size = "1200x900";
};

int runPanels(const PanelsArgs& args) {
  filter::PanelSettings settings;
  if (!args.setup.empty()) {
    const filter::PanelFileLoad loaded = filter::loadPanelFile(args.setup, settings);
    if (!loaded.settings) {
      std::fprintf(stderr, "vorax panels: %s\n", loaded.error.c_str());
      return 2;
    }
    settings = *loaded.settings;
  }
  settings.folder = args.folder;
  std::error_code error;
  if (!std::filesystem::is_directory(args.folder, error)) {
    std::fprintf(stderr, "vorax panels: %s is not a folder\n", args.folder.c_str());
    return 2;
  }
  std::filesystem::create_directories(args.outDir, error);
  if (!std::filesystem::is_directory(args.outDir, error)) {
    std::fprintf(stderr, "vorax panels: cannot make the folder %s\n", args.outDir.c_str());
    return 2;
  }
  const PictureSize size = *parsePictureSize(args.size);
  dsp::Fft fft;
  decode::SegdRecord last;
  int status = 0;
  const filter::PanelRun run = filter::runPanelFiles(
      settings, filter::panelFileList(args.folder), fft, base::DebugLog(),
      [&](const filter::Panel& panel) {
        const std::filesystem::path path =
            std::filesystem::path(args.outDir) / filter::panelPictureName(settings, panel);
        status = writePictureFile("panels", path.string(), size, [&](app::Canvas& canvas) {
          filter::drawPanel(canvas, panel, settings);
        });
        if (status == 0) std::printf("%s\n", path.string().c_str());
        return status == 0;
      },
      last);
  if (status != 0) return status;
  for (const std::string& line : filter::panelRunLines(run)) std::printf("%s\n", line.c_str());
  // Files listed and none read: nothing was done.
  return run.done == 0 && !run.skipped.empty() ? 2 : 0;
}

}  // namespace

void addPanelsCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<PanelsArgs>();
  CLI::App* command = app.add_subcommand(
      "panels",
      "Writes the filter panels of every record in a folder as the Filter Panels dialog's Go does "
      "with Generate BMP Files on, printing each picture's name, then the records done and "
      "skipped (exit 2 when none could be read).");
  command->add_option("FOLDER", args->folder, "folder of record files")->required();
  command->add_option("--setup", args->setup, "panel file (.PNL) with the range, filters and gains")
      ->default_str("the dialog's defaults");
  command->add_option("--out-dir", args->outDir, "folder the pictures are written to")->required();
  command
      ->add_option("--size", args->size, "picture size in pixels, WIDTHxHEIGHT, each 16 to 20000")
      ->check(pictureSizeCheck());
  command->callback([args, &status] { status = runPanels(*args); });
}

}  // namespace vorax::cli
