// Pictures written by the commands: a GUI application on the offscreen platform (text needs
// one, no display is needed), and a picture encoded and written beside its target first,
// then renamed into place.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <string>

namespace vorax::cli {

class PictureApplication {
 public:
  PictureApplication();

 private:
  int argc_ = 1;
  char name_[6] = "vorax";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

// `format` "BMP" or "PNG". Returns an empty text or why the picture was not written.
std::string writePictureFile(const QImage& picture, const std::string& path, const std::string& format);

}  // namespace vorax::cli
