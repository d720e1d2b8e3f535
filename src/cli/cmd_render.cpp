// vorax render FILE -o OUT.bmp|.png [--first N] [--last N] [--start-ms T] [--end-ms T]
// [--gain-db G] [--size WxH]: the main display of a record, drawn as the viewer draws it
// (with the default settings for everything not given), saved as a picture.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/display_settings.h"
#include "app/record_display.h"
#include "app/settings.h"
#include "app/ui/qt_canvas.h"
#include "cli/cli_record.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "decode/atomic_file.h"

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
int renderWithApplication(const ParsedArgs& parsed, const std::string& output, const std::string& format,
                          PictureSize size) {
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

  QImage picture(size.width, size.height, QImage::Format_RGB32);
  {
    app::ui::QtCanvas canvas(picture);
    app::DrawRecordDisplay(canvas, opened.record, display, app::displayOptionsFrom(settings));
  }
  return savePicture(picture, output, format) ? 0 : 2;
}

}  // namespace

int runRender(Args args) {
  const ParsedArgs parsed = parseArgs(args, {}, {"-o", "--first", "--last", "--start-ms", "--end-ms",
                                                 "--gain-db", "--size"});
  if (!parsed.error.empty()) return usage(parsed.error);
  if (parsed.positional.size() != 1) return usage("one record file is needed");
  const std::optional<std::string> output = parsed.value("-o");
  if (!output) return usage("-o OUT.bmp or OUT.png is needed");
  const std::string format = formatOf(*output);
  if (format.empty()) return usage("the output name must end in .bmp or .png");
  PictureSize size;
  if (std::optional<std::string> text = parsed.value("--size")) {
    std::optional<PictureSize> parsedSize = parseSize(*text);
    if (!parsedSize) return usage("--size needs WIDTHxHEIGHT, each 16 to 20000");
    size = *parsedSize;
  }
  return renderWithApplication(parsed, *output, format, size);
}

}  // namespace vorax::cli
