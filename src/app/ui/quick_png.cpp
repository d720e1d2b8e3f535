#include "app/ui/quick_png.h"

#include <png.h>
#include <zlib.h>

#include <QtEndian>
#include <csetjmp>
#include <cstdio>

namespace vorax::app::ui {

namespace {

struct Output {
  base::AtomicFileWriter& file;
  char message[200] = "";
};

void writeBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Output*>(png_get_io_ptr(png));
  if (!out->file.write({data, size})) png_error(png, "the file could not be written");
}

void flushNothing(png_structp) {}

[[noreturn]] void giveUp(png_structp png, png_const_charp message) {
  auto* out = static_cast<Output*>(png_get_error_ptr(png));
  std::snprintf(out->message, sizeof out->message, "PNG encoder: %s", message);
  png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// libpng reports failures by a long jump back here: nothing with a destructor lives in this
// frame, and `rows` is only read after the jump.
bool encode(const QImage& rows, Output& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &out, giveUp, ignoreWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, writeBytes, flushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(rows.width()),
               static_cast<png_uint_32>(rows.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (rows.dotsPerMeterX() > 0 && rows.dotsPerMeterY() > 0)
    png_set_pHYs(png, info, static_cast<png_uint_32>(rows.dotsPerMeterX()),
                 static_cast<png_uint_32>(rows.dotsPerMeterY()), PNG_RESOLUTION_METER);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_set_compression_strategy(png, Z_RLE);
  png_write_info(png, info);
  // An RGB32 pixel is the word 0xffRRGGBB: its padding byte is dropped, and in memory order
  // the colours come blue first on little-endian machines.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
#else
  png_set_filler(png, 0, PNG_FILLER_BEFORE);
#endif
  for (int y = 0; y < rows.height(); ++y) png_write_row(png, rows.constScanLine(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string writeQuickPng(const QImage& picture, base::AtomicFileWriter& file) {
  const QImage rows = picture.format() == QImage::Format_RGB32
                          ? picture
                          : picture.convertToFormat(QImage::Format_RGB32);
  if (rows.isNull()) return "not enough memory to encode the picture";
  Output out{file};
  if (encode(rows, out)) return {};
  if (!file.ok()) return file.error();
  return out.message[0] != '\0' ? out.message : "the PNG encoder could not start";
}

}  // namespace vorax::app::ui
