// vorax render FILE -o OUT.bmp|.png [--first N] [--last N] [--start-ms T] [--end-ms T]
// [--gain-db G] [--size WxH]: the main display of a record, drawn as the viewer draws it
// (with the default settings for everything not given), saved as a picture.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "app/display_settings.h"
#include "app/record_display.h"
#include "app/settings.h"
#include "app/ui/qt_canvas.h"
#include "cli/cli_record.h"
#include "cli/commands.h"
#include "decode/atomic_file.h"
#include "decode/conversions.h"

namespace vorax::cli {

namespace {

constexpr int kLargestSide = 20000;  // pixels; larger pictures are refused

struct PictureSize {
  int width = 1600;
  int height = 1000;
};

std::optional<PictureSize> parseSize(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  PictureSize size;
  if (!CLI::detail::lexical_cast(text.substr(0, x), size.width) ||
      !CLI::detail::lexical_cast(text.substr(x + 1), size.height))
    return std::nullopt;
  const auto fits = [](int side) { return side >= 16 && side <= kLargestSide; };
  if (!fits(size.width) || !fits(size.height)) return std::nullopt;
  return size;
}

// "BMP" or "PNG" from the output name's extension; empty for any other.
std::string formatOf(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto endsWith = [&](const char* ext) {
    const std::string e(ext);
    return lower.size() > e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0;
  };
  if (endsWith(".bmp")) return "BMP";
  if (endsWith(".png")) return "PNG";
  return {};
}

struct RenderArgs {
  std::string file;
  std::string output;
  std::string size = "1600x1000";
  // The display window; what is not given keeps the viewer's default.
  std::optional<std::int32_t> firstTrace, lastTrace;
  std::optional<float> startMs, endMs, gainDb;
};

void applyOptions(const RenderArgs& args, app::DisplayState& display) {
  if (args.firstTrace) display.firstTrace = *args.firstTrace;
  if (args.lastTrace) display.lastTrace = *args.lastTrace;
  if (args.startMs) display.displayStartMs = *args.startMs;
  if (args.endMs) display.displayEndMs = *args.endMs;
  if (args.gainDb) display.displayGainDb = *args.gainDb;
}

// Encodes the picture and writes it beside the target first, renaming it into place.
bool savePicture(const QImage& picture, const std::string& path, const std::string& format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format.c_str());
  if (!writer.write(picture)) {
    std::fprintf(stderr, "vorax render: cannot encode %s: %s\n", format.c_str(),
                 writer.errorString().toStdString().c_str());
    return false;
  }
  decode::AtomicFileWriter file(path);
  file.write({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
  if (!file.commit()) {
    std::fprintf(stderr, "vorax render: %s\n", file.error().c_str());
    return false;
  }
  return true;
}

// Text needs a GUI application; the offscreen platform needs no display.
int runRender(const RenderArgs& args) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "vorax";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  CliRecord opened;
  openForCommand("render", args.file, true, opened);
  if (opened.exitStatus != 0) return opened.exitStatus;

  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  app::DisplayState display;
  app::takeDisplaySettings(settings, display);
  app::startRecordDisplay(settings, opened.record, display);
  applyOptions(args, display);

  const PictureSize size = *parseSize(args.size);
  QImage picture(size.width, size.height, QImage::Format_RGB32);
  {
    app::ui::QtCanvas canvas(picture);
    app::DrawRecordDisplay(canvas, opened.record, display, app::displayOptionsFrom(settings));
  }
  return savePicture(picture, args.output, formatOf(args.output)) ? 0 : 2;
}

template <typename T>
void addWindowOption(CLI::App& command, const char* name, std::optional<T>& target,
                     const std::string& meaning, const std::string& byDefault, double lowest,
                     double highest) {
  command.add_option_function<T>(name, [&target](const T& value) { target = value; }, meaning)
      ->check(CLI::Range(lowest, highest).description(""))
      ->default_str(byDefault);
}

}  // namespace

void addRenderCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<RenderArgs>();
  CLI::App* command = app.add_subcommand(
      "render", "Draws the main display of a record as the viewer does (default settings for "
                "everything not given) and saves it as a picture.");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  command->add_option("-o,--output", args->output, "the picture to write: NAME.bmp or NAME.png")
      ->required()
      ->check(CLI::Validator(
          [](std::string& name) {
            return formatOf(name).empty() ? "the output name must end in .bmp or .png" : "";
          },
          "NAME.bmp|NAME.png"));
  command->add_option("--size", args->size, "picture size in pixels, WIDTHxHEIGHT, each 16 to 20000")
      ->check(CLI::Validator(
          [](std::string& text) {
            return parseSize(text) ? "" : "--size needs WIDTHxHEIGHT, each 16 to 20000";
          },
          "WxH"));
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
  command->callback([args, &status] { status = runRender(*args); });
}

}  // namespace vorax::cli
