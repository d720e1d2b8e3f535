#include "cli/picture_file.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>

#include "base/atomic_file.h"
#include "cli/record_picture.h"

namespace vorax::cli {

namespace {

constexpr int kSmallestSide = 16;
constexpr int kLargestSide = 20000;  // pixels; larger pictures are refused

// QGuiApplication keeps references to these for its whole life.
int applicationArgc = 1;
char applicationName[] = "vorax";
char* applicationArgv[] = {applicationName, nullptr};

}  // namespace

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

std::string pictureFormatOf(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto endsWith = [&](const std::string& e) {
    return lower.size() > e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0;
  };
  if (endsWith(".bmp")) return "BMP";
  if (endsWith(".png")) return "PNG";
  return {};
}

PictureApplication::PictureApplication() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  application_ = std::make_unique<QGuiApplication>(applicationArgc, applicationArgv);
}

PictureApplication::~PictureApplication() = default;

QImage blankPicture(PictureSize size) {
  QImage picture(size.width, size.height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  return picture;
}

std::string writePicture(const QImage& picture, const std::string& path,
                         const std::string& format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format.c_str());
  if (!writer.write(picture))
    return "cannot encode " + format + ": " + writer.errorString().toStdString();
  base::AtomicFileWriter file(path);
  file.write({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
              static_cast<std::size_t>(bytes.size())});
  return file.commit() ? std::string() : file.error();
}

bool writePictureFor(std::string_view command, const QImage& picture, const std::string& path,
                     const std::string& format) {
  const std::string error = writePicture(picture, path, format);
  if (error.empty()) return true;
  std::fprintf(stderr, "vorax %.*s: %s\n", static_cast<int>(command.size()), command.data(),
               error.c_str());
  return false;
}

}  // namespace vorax::cli
