// What the main window's graphic area shows before a record is loaded.
#pragma once

#include "app/canvas.h"

namespace vorax::app {

// White background, world window (-10, 110) to (110, -10) (y upwards) and a black box from
// (0, 0) to (100, 100).
void drawNoRecordFrame(Canvas& canvas);

}  // namespace vorax::app
