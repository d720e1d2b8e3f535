#include "cli/picture_file.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/display_settings.h"
#include "app/record_display.h"
#include "app/settings.h"
#include "app/ui/picture_writer.h"
#include "app/ui/qt_canvas.h"

namespace vorax::cli {

namespace {

constexpr int kSmallestSide = 16;
constexpr int kLargestSide = 20000;

}  // namespace

void ensureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "vorax";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> application =
      std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<PictureSize> parsePictureSize(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  PictureSize size;
  if (!CLI::detail::lexical_cast(text.substr(0, x), size.width) ||
      !CLI::detail::lexical_cast(text.substr(x + 1), size.height))
    return std::nullopt;
  const auto fits = [](int side) { return side >= kSmallestSide && side <= kLargestSide; };
  if (!fits(size.width) || !fits(size.height)) return std::nullopt;
  return size;
}

std::string pictureFormatOf(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const auto endsWith = [&](const std::string& ext) {
    return lower.size() > ext.size() &&
           lower.compare(lower.size() - ext.size(), ext.size(), ext) == 0;
  };
  if (endsWith(".bmp")) return "BMP";
  if (endsWith(".png")) return "PNG";
  return {};
}

CLI::Validator pictureNameCheck() {
  return CLI::Validator(
      [](std::string& name) {
        return pictureFormatOf(name).empty() ? "the output name must end in .bmp or .png" : "";
      },
      "NAME.bmp|NAME.png");
}

CLI::Validator pictureSizeCheck() {
  return CLI::Validator(
      [](std::string& text) {
        return parsePictureSize(text) ? "" : "--size needs WIDTHxHEIGHT, each 16 to 20000";
      },
      "WxH");
}

int writePictureFile(const std::string& command, const std::string& output, PictureSize size,
                     const std::function<void(app::Canvas&)>& draw, app::PngEffort effort) {
  ensureGuiApplication();
  QImage picture(size.width, size.height, QImage::Format_RGB32);
  if (picture.isNull()) {  // Qt gives a null picture when its pixels cannot be had
    std::fprintf(stderr, "vorax %s: not enough memory for a %dx%d picture\n", command.c_str(),
                 size.width, size.height);
    return 2;
  }
  picture.fill(Qt::white);
  {
    app::ui::QtCanvas canvas(picture);
    draw(canvas);
  }
  const app::PictureFormat format =
      pictureFormatOf(output) == "PNG" ? app::PictureFormat::Png : app::PictureFormat::Bmp;
  if (const std::string error = app::ui::savePicture(picture, output, format, effort);
      !error.empty()) {
    std::fprintf(stderr, "vorax %s: %s\n", command.c_str(), error.c_str());
    return 2;
  }
  return 0;
}

int writeRecordPictureFile(const std::string& command, const std::string& output, PictureSize size,
                           decode::SegdRecord& record,
                           const std::function<void(app::DisplayState&)>& adjust,
                           const std::function<void(app::ViewerSettings&)>& adjustSettings,
                           app::PngEffort effort) {
  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  if (adjustSettings) adjustSettings(settings);
  app::DisplayState display;
  app::takeDisplaySettings(settings, display);
  app::startRecordDisplay(settings, record, display);
  if (adjust) adjust(display);
  return writePictureFile(
      command, output, size,
      [&](app::Canvas& canvas) {
        app::DrawRecordDisplay(canvas, record, display, app::displayOptionsFrom(settings));
      },
      effort);
}

}  // namespace vorax::cli
