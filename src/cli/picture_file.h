// Pictures written by the commands: their size and format from the arguments, a Qt
// application for drawing text (on the offscreen platform unless one is chosen), and the
// encoded picture written beside its target and renamed into place. The format of a name is
// pictureFormatOf (record_picture.h).
#pragma once

#include <CLI/CLI.hpp>
#include <QImage>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QGuiApplication;

namespace vorax::cli {

struct PictureSize {
  int width = 1600;
  int height = 1000;
};

// "WIDTHxHEIGHT", each 16 to 20000; nothing for any other text.
std::optional<PictureSize> parsePictureSize(const std::string& text);

// Option checks: a name ending in .bmp or .png; a size as parsePictureSize reads it.
CLI::Validator pictureNameCheck();
CLI::Validator pictureSizeCheck();

// Lives while the command draws.
class PictureApplication {
 public:
  PictureApplication();
  ~PictureApplication();
  PictureApplication(const PictureApplication&) = delete;
  PictureApplication& operator=(const PictureApplication&) = delete;

 private:
  std::unique_ptr<QGuiApplication> application_;
};

// A white picture of the size, ready for a QtCanvas.
QImage blankPicture(PictureSize size);

// Encodes and writes the picture; false after printing "vorax <command>: <why>".
bool writePicture(const QImage& picture, const std::string& path, const std::string& format,
                  std::string_view command);

}  // namespace vorax::cli
