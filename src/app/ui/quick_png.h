// A PNG encoder for the many pictures of a batch, where encoding time counts more than bytes.
#pragma once

#include <QImage>
#include <string>

#include "base/atomic_file.h"

namespace vorax::app::ui {

// Writes the picture as an 8-bit RGB PNG to `file`: rows unfiltered and compressed by zlib's
// run-length strategy, which on pictures of traces on white is some three times as quick as
// adaptive filtering with ordinary deflate, and smaller. Returns an empty text, or why it
// failed.
std::string writeQuickPng(const QImage& picture, base::AtomicFileWriter& file);

}  // namespace vorax::app::ui
