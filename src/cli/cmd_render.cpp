// vorax render FILE -o OUT.bmp|.png [--first N] [--last N] [--start-ms T] [--end-ms T]
// [--gain-db G] [--size WxH]: the main display of a record, drawn as the viewer draws it
// (with the default settings for everything not given), saved as a picture.
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/display_settings.h"
#include "app/settings.h"
#include "cli/cli_record.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/record_picture.h"

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
  std::optional<std::int64_t> w = parseInteger(text.substr(0, x));
  std::optional<std::int64_t> h = parseInteger(text.substr(x + 1));
  if (!w || !h || *w < 16 || *h < 16 || *w > kLargestSide || *h > kLargestSide) return std::nullopt;
  return PictureSize{static_cast<int>(*w), static_cast<int>(*h)};
}

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
int renderWithApplication(const ParsedArgs& parsed, const std::string& output, PictureSize size) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "vorax";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  CliRecord opened;
  openForCommand("render", parsed.positional[0], true, opened);
  if (opened.exitStatus != 0) return opened.exitStatus;

  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  app::DisplayState display;
  app::takeDisplaySettings(settings, display);
  app::startRecordDisplay(settings, opened.record, display);
  if (const std::string bad = applyOptions(parsed, display); !bad.empty()) return usage(bad);

  std::string error;
  if (!writeRecordPicture(opened.record, display, settings, output, size.width, size.height, error)) {
    std::fprintf(stderr, "vorax render: %s\n", error.c_str());
    return 2;
  }
  return 0;
}

}  // namespace

int runRender(Args args) {
  const ParsedArgs parsed = parseArgs(args, {}, {"-o", "--first", "--last", "--start-ms", "--end-ms",
                                                 "--gain-db", "--size"});
  if (!parsed.error.empty()) return usage(parsed.error);
  if (parsed.positional.size() != 1) return usage("one record file is needed");
  const std::optional<std::string> output = parsed.value("-o");
  if (!output) return usage("-o OUT.bmp or OUT.png is needed");
  if (pictureFormatOf(*output).empty()) return usage("the output name must end in .bmp or .png");
  PictureSize size;
  if (std::optional<std::string> text = parsed.value("--size")) {
    std::optional<PictureSize> parsedSize = parseSize(*text);
    if (!parsedSize) return usage("--size needs WIDTHxHEIGHT, each 16 to 20000");
    size = *parsedSize;
  }
  return renderWithApplication(parsed, *output, size);
}

}  // namespace vorax::cli
