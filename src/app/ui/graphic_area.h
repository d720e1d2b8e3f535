// A drawing surface of the windows: a painter function draws onto a Canvas, into a cached
// picture the size of the widget; paint events only copy that picture to the screen. The
// picture is redrawn when the widget's size changes and when redraw() is called.
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
  // The cached picture, as last drawn (for BMP files and printing).
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Painter painter_;
  QImage picture_;
};

}  // namespace vorax::app::ui
