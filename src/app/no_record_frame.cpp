#include "app/no_record_frame.h"

namespace vorax::app {

void drawNoRecordFrame(Canvas& canvas) {
  canvas.setWorldWindow({-10, 110, 110, -10});
  canvas.clear(kWhite);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.rectangle({0, 0}, {100, 100});
}

}  // namespace vorax::app
