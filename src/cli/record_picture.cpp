#include "cli/record_picture.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

#include "app/display_settings.h"
#include "app/record_display.h"
#include "app/ui/qt_canvas.h"
#include "cli/picture_file.h"

namespace vorax::cli {

std::string pictureFormatOf(const std::string& name) {
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

bool writeRecordPicture(decode::SegdRecord& record, const app::DisplayState& display,
                        const app::ViewerSettings& settings, const std::string& path, int width,
                        int height, std::string& error) {
  const std::string format = pictureFormatOf(path);
  if (format.empty()) {
    error = "the picture's name must end in .bmp or .png";
    return false;
  }
  QImage picture(width, height, QImage::Format_RGB32);
  {
    app::ui::QtCanvas canvas(picture);
    app::DrawRecordDisplay(canvas, record, display, app::displayOptionsFrom(settings));
  }
  error = writePicture(picture, path, format);
  return error.empty();
}

bool writeRecordPicture(decode::SegdRecord& record, const std::string& path, std::string& error) {
  std::unique_ptr<QGuiApplication> application;
  static int argc = 1;
  static char name[] = "vorax";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() == nullptr) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  app::DisplayState display;
  app::takeDisplaySettings(settings, display);
  app::startRecordDisplay(settings, record, display);
  return writeRecordPicture(record, display, settings, path, 1600, 1000, error);
}

}  // namespace vorax::cli
