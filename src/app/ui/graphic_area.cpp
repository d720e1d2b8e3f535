#include "app/ui/graphic_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <utility>

#include "app/ui/qt_canvas.h"

namespace vorax::app::ui {

GraphicArea::GraphicArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void GraphicArea::setPainter(Painter painter) {
  painter_ = std::move(painter);
  redraw();
}

void GraphicArea::setOverlay(Painter overlay) {
  overlay_ = std::move(overlay);
  update();
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
  {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
  }
  if (overlay_ && !picture_.isNull()) {
    QtCanvas canvas(*this);
    overlay_(canvas);
  }
}

void GraphicArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  redraw();
}

void GraphicArea::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event->position(), event->button(), event->modifiers());
}

void GraphicArea::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event->position(), event->buttons(), event->modifiers());
}

void GraphicArea::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseReleased(event->position(), event->button(), event->modifiers());
}

void GraphicArea::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit pointerLeft();
}

void GraphicArea::wheelEvent(QWheelEvent* event) {
  constexpr int kEighthsPerNotch = 120;  // angle delta units of one notch of a common wheel
  // Some platforms turn a wheel held with Shift into a horizontal one.
  const QPoint delta = event->angleDelta();
  wheelEighths_ += delta.y() != 0 ? delta.y() : delta.x();
  const int notches = wheelEighths_ / kEighthsPerNotch;
  wheelEighths_ -= notches * kEighthsPerNotch;
  if (notches != 0) emit wheelTurned(notches, event->modifiers());
  event->accept();
}

}  // namespace vorax::app::ui
