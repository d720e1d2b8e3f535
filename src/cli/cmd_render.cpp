// vorax render FILE -o OUT.bmp|.png [--first N] [--last N] [--start-ms T] [--end-ms T]
// [--gain-db G] [--mode wiggle|va|density] [--balance rms|peak|none] [--agc-ms W]
// [--size WxH]: the main display of a record, drawn as the viewer draws it (with the default
// settings for everything not given), saved as a picture.
#include <CLI/CLI.hpp>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/settings.h"
#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/picture_file.h"
#include "decode/conversions.h"

namespace vorax::cli {

namespace {

struct RenderArgs {
  std::string file;
  std::int32_t record = 0;
  std::string output;
  std::string size = "1600x1000";
  // The display window; what is not given keeps the viewer's default.
  std::optional<std::int32_t> firstTrace, lastTrace;
  std::optional<float> startMs, endMs, gainDb;
  std::optional<app::DisplayMode> mode;
  std::optional<app::TraceBalance> balance;
  std::optional<float> agcMs;  // 0: no AGC
};

const std::map<std::string, app::DisplayMode> kModes{{"wiggle", app::DisplayMode::Wiggle},
                                                     {"va", app::DisplayMode::VariableArea},
                                                     {"density", app::DisplayMode::Density}};
const std::map<std::string, app::TraceBalance> kBalances{{"rms", app::TraceBalance::Rms},
                                                         {"peak", app::TraceBalance::Peak},
                                                         {"none", app::TraceBalance::None}};

void applySettings(const RenderArgs& args, app::ViewerSettings& settings) {
  if (args.mode) settings.setDisplayMode(*args.mode);
  if (args.balance) settings.setTraceBalance(*args.balance);
  if (args.agcMs) {
    settings.setDisplayAgc(*args.agcMs > 0 ? 1 : 0);
    if (*args.agcMs > 0) settings.setDisplayAgcWindowMs(*args.agcMs);
  }
}

void applyOptions(const RenderArgs& args, app::DisplayState& display) {
  if (args.firstTrace) display.firstTrace = *args.firstTrace;
  if (args.lastTrace) display.lastTrace = *args.lastTrace;
  if (args.startMs) display.displayStartMs = *args.startMs;
  if (args.endMs) display.displayEndMs = *args.endMs;
  if (args.gainDb) display.displayGainDb = *args.gainDb;
}

int runRender(const RenderArgs& args) {
  CliRecord opened;
  openForCommand("render", args.file, true, opened, decode::LoaderChoice::Auto, args.record);
  if (opened.exitStatus != 0) return opened.exitStatus;

  return writeRecordPictureFile(
      "render", args.output, *parsePictureSize(args.size), opened.record,
      [&](app::DisplayState& display) { applyOptions(args, display); },
      [&](app::ViewerSettings& settings) { applySettings(args, settings); });
}

template <typename T>
void addWindowOption(CLI::App& command, const char* name, std::optional<T>& target,
                     const std::string& meaning, const std::string& byDefault, double lowest,
                     double highest) {
  command
      .add_option_function<T>(
          name, [&target](const T& value) { target = value; }, meaning)
      ->check(CLI::Range(lowest, highest).description(""))
      ->default_str(byDefault);
}

}  // namespace

void addRenderCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<RenderArgs>();
  CLI::App* command = app.add_subcommand(
      "render",
      "Draws the main display of a record as the viewer does (default settings for "
      "everything not given) and saves it as a picture.");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  command->add_option("-o,--output", args->output, "the picture to write: NAME.bmp or NAME.png")
      ->required()
      ->check(pictureNameCheck());
  command
      ->add_option("--size", args->size, "picture size in pixels, WIDTHxHEIGHT, each 16 to 20000")
      ->check(pictureSizeCheck());
  app::ViewerSettings defaults;
  app::ApplyDefaultSettings(defaults);
  const std::string firstPage = "the viewer's first page";
  addWindowOption(*command, "--first", args->firstTrace, "first trace shown", firstPage, 0, 1e6);
  addWindowOption(*command, "--last", args->lastTrace, "last trace shown", firstPage, 0, 1e6);
  addWindowOption(*command, "--start-ms", args->startMs, "start of the time window, ms",
                  std::string(defaults.displayStartTime()), -1e6, 1e6);
  addWindowOption(*command, "--end-ms", args->endMs, "end of the time window, ms",
                  std::string(defaults.displayEndTime()), -1e6, 1e6);
  addWindowOption(*command, "--gain-db", args->gainDb, "display gain, dB",
                  decode::shortestText(defaults.initialGainDb()), -1e6, 1e6);
  command
      ->add_option_function<std::string>(
          "--mode", [args](const std::string& v) { args->mode = kModes.at(v); },
          "wiggle (wiggles with positive fill), va (the fill alone) or density (a colour per "
          "sample)")
      ->check(CLI::IsMember({"wiggle", "va", "density"}))
      ->default_str("wiggle");
  command
      ->add_option_function<std::string>(
          "--balance", [args](const std::string& v) { args->balance = kBalances.at(v); },
          "each trace scaled to its RMS, to its peak, or drawn as recorded")
      ->check(CLI::IsMember({"rms", "peak", "none"}))
      ->default_str("rms");
  addWindowOption(*command, "--agc-ms", args->agcMs,
                  "AGC window in ms (each sample over the RMS of the window about it); 0: none",
                  "0", 0, 1e6);
  command
      ->add_option("--record", args->record,
                   "which record of a file holding several, from 1; by default the first, with a "
                   "message saying how many the file holds")
      ->check(CLI::Range(1, 1000000));
  command->callback([args, &status] { status = runRender(*args); });
}

}  // namespace vorax::cli
