// Writing a picture to a BMP or PNG file as the encoder makes its bytes: they go straight to a
// temporary file beside the target (renamed into place once complete), so no encoded copy of
// the picture is held in memory beside it. Used by the viewer and the command line alike.
#pragma once

#include <QImage>
#include <string>

#include "app/picture_file_name.h"

namespace vorax::app::ui {

// Writes the picture to `path` in the format. Returns an empty text, or why it failed; a
// failure leaves nothing under `path` (an earlier file there stays as it was).
std::string savePicture(const QImage& picture, const std::string& path, PictureFormat format,
                        PngEffort effort = PngEffort::Small);

}  // namespace vorax::app::ui
