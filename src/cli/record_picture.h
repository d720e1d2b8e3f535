// Pictures written by the commands: their size and format options, drawing through the Qt
// canvas, and saving (a temporary file beside the target, renamed into place).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "app/canvas.h"
#include "app/display_state.h"
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

// Checks of the -o NAME.bmp|NAME.png and --size WxH options.
CLI::Validator pictureNameCheck();
CLI::Validator pictureSizeCheck();

// Runs `work` with the GUI application that drawing text needs (on the offscreen platform
// unless another is chosen) and returns its result.
int withPictureApplication(const std::function<int()>& work);

// Draws onto a picture of `size` and saves it to `path` in the format its name asks for
// (BMP for a name that is neither). A failure is printed as "vorax <command>: ...".
bool savePictureOf(std::string_view command, PictureSize size, const std::string& path,
                   const std::function<void(app::Canvas&)>& draw);

// The main display of the record as the viewer draws it on opening, with the default
// settings; `adjust` may then change the display window.
void drawDefaultRecordDisplay(app::Canvas& canvas, decode::SegdRecord& record,
                              const std::function<void(app::DisplayState&)>& adjust = {});

}  // namespace vorax::cli
