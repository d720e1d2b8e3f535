// What the main window's graphic area shows before a record is loaded.
#pragma once

#include "app/canvas.h"

namespace vorax::app {

// The hint the empty start screen gives.
inline constexpr const char* kStartHint = "Open a record (Ctrl+O) or drop one here";

// White background, world window (-10, 110) to (110, -10) (y upwards) and a black box from
// (0, 0) to (100, 100).
void drawNoRecordFrame(Canvas& canvas);

// The empty frame with kStartHint centred in it: the window before any record is shown.
void drawStartScreen(Canvas& canvas);

}  // namespace vorax::app
