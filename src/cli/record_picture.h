// Pictures of a record's main display for the command line: drawn as the viewer draws it and
// written to a BMP or PNG file atomically.
#pragma once

#include <string>

#include "app/display_state.h"
#include "app/settings.h"
#include "decode/segd_record.h"

namespace vorax::cli {

// "BMP" or "PNG" from the output name's extension; empty for any other.
std::string pictureFormatOf(const std::string& name);

// Draws the display of `record` through `display` into a width x height picture saved at
// `path` (format from its extension). Needs a Qt GUI application. False with `error` set when
// the picture cannot be encoded or written.
bool writeRecordPicture(decode::SegdRecord& record, const app::DisplayState& display,
                        const app::ViewerSettings& settings, const std::string& path, int width,
                        int height, std::string& error);

// The same with the default settings, from the record's first page, at 1600 x 1000; makes
// the GUI application (offscreen unless QT_QPA_PLATFORM says otherwise) when there is none.
bool writeRecordPicture(decode::SegdRecord& record, const std::string& path, std::string& error);

}  // namespace vorax::cli
