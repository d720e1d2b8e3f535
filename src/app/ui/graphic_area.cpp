#include "app/ui/graphic_area.h"

#include <QPainter>
#include <QResizeEvent>
#include <utility>

#include "app/ui/qt_canvas.h"

namespace vorax::app::ui {

GraphicArea::GraphicArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicArea::setPainter(Painter painter) {
  painter_ = std::move(painter);
  redraw();
}

void GraphicArea::redraw() {
  if (width() <= 0 || height() <= 0) return;
  picture_ = QImage(size(), QImage::Format_RGB32);
  picture_.fill(Qt::white);
  if (painter_) {
    QtCanvas canvas(picture_);
    painter_(canvas);
  }
  update();
}

void GraphicArea::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void GraphicArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  redraw();
}

}  // namespace vorax::app::ui
