#include "app/ui/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>

namespace vorax::app::ui {
namespace {

TEST(QtCanvas, DrawsInWorldCoordinatesAndXorRestores) {
  QImage image(200, 100, QImage::Format_RGB32);
  {
    QtCanvas canvas(image);
    canvas.setWorldWindow({0, 0, 20, 10});
    canvas.clear(kWhite);
    canvas.fillRect({0, 0}, {10, 10}, kRed);
  }
  EXPECT_EQ(QColor(image.pixel(50, 50)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(image.pixel(150, 50)), QColor(255, 255, 255));

  QImage before = image.copy();
  {
    QtCanvas canvas(image);
    canvas.setWorldWindow({0, 0, 20, 10});
    canvas.setPen(kRed, 3, PenStyle::Solid, true);
    canvas.line({2, 0}, {2, 10});
    canvas.line({2, 0}, {2, 10});
  }
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace vorax::app::ui
