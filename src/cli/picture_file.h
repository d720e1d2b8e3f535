// Pictures written by the commands' -o option: the size and name checks, and drawing a
// core picture onto an image that is streamed to its file (temporary file renamed into place).
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>

#include "app/canvas.h"
#include "app/display_state.h"
#include "app/picture_file_name.h"
#include "app/settings.h"
#include "decode/segd_record.h"

namespace vorax::cli {

struct PictureSize {
  int width = 1600;
  int height = 1000;
};

// "WIDTHxHEIGHT", each 16 to 20000 pixels.
std::optional<PictureSize> parsePictureSize(const std::string& text);

// "BMP" or "PNG" from the name's extension (any case); empty for any other.
std::string pictureFormatOf(const std::string& name);

// Validators for the -o and --size options.
CLI::Validator pictureNameCheck();
CLI::Validator pictureSizeCheck();

// Text needs a GUI application; the first picture of the process makes one. A command that
// draws pictures on several threads calls this first, on the main thread.
void ensureGuiApplication();

// Draws onto a white picture of the size (text works without a display: the offscreen
// platform is used unless another is set) and writes it in the format of the name. Returns
// 0, or 2 with the reason printed as "vorax <command>: ..." (also when the picture's pixels
// cannot be had).
int writePictureFile(const std::string& command, const std::string& output, PictureSize size,
                     const std::function<void(app::Canvas&)>& draw,
                     app::PngEffort effort = app::PngEffort::Small);

// The main display of `record` as the viewer first shows it (default settings, first page),
// the settings changed by `adjustSettings` and then the display window by `adjust` when
// given, written as writePictureFile writes.
int writeRecordPictureFile(const std::string& command, const std::string& output, PictureSize size,
                           decode::SegdRecord& record,
                           const std::function<void(app::DisplayState&)>& adjust = {},
                           const std::function<void(app::ViewerSettings&)>& adjustSettings = {},
                           app::PngEffort effort = app::PngEffort::Small);

}  // namespace vorax::cli
