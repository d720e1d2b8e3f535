#include "app/no_record_frame.h"

#include <algorithm>

#include "app/record_display.h"

namespace vorax::app {

void drawNoRecordFrame(Canvas& canvas) {
  canvas.setWorldWindow({-10, 110, 110, -10});
  canvas.clear(kWhite);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.rectangle({0, 0}, {100, 100});
}

void drawStartScreen(Canvas& canvas) {
  drawNoRecordFrame(canvas);
  canvas.setFont(kDisplayFontFamily, std::clamp(canvas.pixelHeight() / 40.0, 10.0, 20.0), false);
  canvas.setTextColour(rgb(96, 96, 96));
  canvas.text({50, 50}, kStartHint, HAlign::Centre, VAlign::Centre);
  canvas.setTextColour(kBlack);
}

}  // namespace vorax::app
