#include "cli/picture_file.h"

#include <QBuffer>
#include <QImageWriter>
#include <cstdlib>

#include "decode/atomic_file.h"

namespace vorax::cli {

PictureApplication::PictureApplication() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

std::string writePictureFile(const QImage& picture, const std::string& path, const std::string& format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format.c_str());
  if (!writer.write(picture)) return "cannot encode " + format + ": " + writer.errorString().toStdString();
  decode::AtomicFileWriter file(path);
  file.write({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
  file.commit();
  return file.error();
}

}  // namespace vorax::cli
