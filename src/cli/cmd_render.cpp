// vorax render FILE -o OUT.bmp|.png [--first N] [--last N] [--start-ms T] [--end-ms T]
// [--gain-db G] [--size WxH]: the main display of a record, drawn as the viewer draws it
// (with the default settings for everything not given), saved as a picture.
#include <QImage>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "app/display_settings.h"
#include "app/record_display.h"
#include "app/settings.h"
#include "app/ui/qt_canvas.h"
#include "cli/cli_record.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/picture_file.h"

namespace vorax::cli {

namespace {

int usage(const std::string& why) {
  std::fprintf(stderr,
               "vorax render: %s\nusage: vorax render FILE -o OUT.bmp|.png [--first N] [--last N] "
               "[--start-ms T] [--end-ms T] [--gain-db G] [--size WxH]\n",
               why.c_str());
  return 2;
}

// Applies the numeric options to the display window; the complaint about a bad value, or
// empty.
std::string applyOptions(const ParsedArgs& parsed, app::DisplayState& display) {
  struct TraceOption {
    const char* name;
    std::int32_t& target;
  };
  for (TraceOption option : {TraceOption{"--first", display.firstTrace}, TraceOption{"--last", display.lastTrace}}) {
    const std::optional<std::string> text = parsed.value(option.name);
    if (!text) continue;
    const std::optional<std::int64_t> n = parseInteger(*text);
    if (!n || *n < 0 || *n > 1000000) return std::string(option.name) + " needs a trace number";
    option.target = static_cast<std::int32_t>(*n);
  }
  struct NumberOption {
    const char* name;
    float& target;
  };
  for (NumberOption option : {NumberOption{"--start-ms", display.displayStartMs},
                              NumberOption{"--end-ms", display.displayEndMs},
                              NumberOption{"--gain-db", display.displayGainDb}}) {
    const std::optional<std::string> text = parsed.value(option.name);
    if (!text) continue;
    const std::optional<double> v = parseNumber(*text);
    if (!v || !(std::abs(*v) < 1e6)) return std::string(option.name) + " needs a number";
    option.target = static_cast<float>(*v);
  }
  return {};
}

// Text needs a GUI application; the offscreen platform needs no display.
int renderWithApplication(const ParsedArgs& parsed, const std::string& output, const std::string& format,
                          PictureSize size) {
  const PictureApplication application;

  CliRecord opened;
  openForCommand("render", parsed.positional[0], true, opened);
  if (opened.exitStatus != 0) return opened.exitStatus;

  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  app::DisplayState display;
  app::takeDisplaySettings(settings, display);
  app::startRecordDisplay(settings, opened.record, display);
  if (const std::string bad = applyOptions(parsed, display); !bad.empty()) return usage(bad);

  QImage picture = blankPicture(size);
  {
    app::ui::QtCanvas canvas(picture);
    app::DrawRecordDisplay(canvas, opened.record, display, app::displayOptionsFrom(settings));
  }
  return writePicture(picture, output, format, "render") ? 0 : 2;
}

}  // namespace

int runRender(Args args) {
  const ParsedArgs parsed = parseArgs(args, {}, {"-o", "--first", "--last", "--start-ms", "--end-ms",
                                                 "--gain-db", "--size"});
  if (!parsed.error.empty()) return usage(parsed.error);
  if (parsed.positional.size() != 1) return usage("one record file is needed");
  const std::optional<std::string> output = parsed.value("-o");
  if (!output) return usage("-o OUT.bmp or OUT.png is needed");
  const std::string format = pictureFormatOf(*output);
  if (format.empty()) return usage("the output name must end in .bmp or .png");
  PictureSize size;
  if (std::optional<std::string> text = parsed.value("--size")) {
    std::optional<PictureSize> parsedSize = parsePictureSize(*text);
    if (!parsedSize) return usage("--size needs WIDTHxHEIGHT, each 16 to 20000");
    size = *parsedSize;
  }
  return renderWithApplication(parsed, *output, format, size);
}

}  // namespace vorax::cli
