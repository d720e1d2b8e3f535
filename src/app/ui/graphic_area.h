// A drawing surface of the windows: a painter function draws onto a Canvas, into a cached
// picture the size of the widget; paint events only copy that picture to the screen and then
// draw the overlay (pointer marks, rubber bands) over it, so the overlay never becomes part
// of the picture. The picture is redrawn when the widget's size changes and when redraw() is
// called. Mouse activity is passed on as signals in widget pixels.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "app/canvas.h"

namespace vorax::app::ui {

class GraphicArea : public QWidget {
  Q_OBJECT

 public:
  using Painter = std::function<void(Canvas&)>;

  explicit GraphicArea(QWidget* parent = nullptr);

  // Replaces the painter and redraws with it.
  void setPainter(Painter painter);
  // Runs the painter again into the cached picture and schedules a repaint.
  void redraw();
  // The cached picture, as last drawn, without the overlay (for BMP files and printing).
  const QImage& picture() const { return picture_; }

  // Painted over the picture on every paint event; refreshOverlay() repaints it alone.
  void setOverlay(Painter overlay);
  void refreshOverlay() { update(); }

 signals:
  void mousePressed(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void mouseMoved(QPointF position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void mouseReleased(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void pointerLeft();
  // Whole wheel notches (positive away from the user), with the keys held.
  void wheelTurned(int notches, Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  Painter painter_;
  Painter overlay_;
  QImage picture_;
  int wheelEighths_ = 0;  // wheel travel not yet a whole notch (fine-grained touchpads)
};

}  // namespace vorax::app::ui
