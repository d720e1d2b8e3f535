#include "app/ui/picture_writer.h"

#include <QIODevice>
#include <QImageWriter>

#include "app/ui/quick_png.h"
#include "base/atomic_file.h"

namespace vorax::app::ui {

namespace {

// A write-only, sequential device whose bytes go to an atomic file writer.
class AtomicFileDevice : public QIODevice {
 public:
  explicit AtomicFileDevice(base::AtomicFileWriter& file) : file_(file) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    const bool written =
        file_.write({reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)});
    return written ? size : -1;
  }

 private:
  base::AtomicFileWriter& file_;
};

const char* formatName(PictureFormat format) {
  return format == PictureFormat::Png ? "PNG" : "BMP";
}

}  // namespace

std::string savePicture(const QImage& picture, const std::string& path, PictureFormat format,
                        PngEffort effort) {
  base::AtomicFileWriter file(path);
  if (format == PictureFormat::Png && effort == PngEffort::Quick && !picture.hasAlphaChannel()) {
    if (std::string error = writeQuickPng(picture, file); !error.empty()) return error;
    if (!file.commit()) return file.error();
    return {};
  }
  AtomicFileDevice device(file);
  QImageWriter writer(&device, formatName(format));
  const bool encoded = writer.write(picture);
  // A failed write to the file is the reason the encoder gave up.
  if (!file.ok()) return file.error();
  if (!encoded) return writer.errorString().toStdString();
  if (!file.commit()) return file.error();
  return {};
}

}  // namespace vorax::app::ui
