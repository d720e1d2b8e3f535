// The canvas on Qt: draws on any QPaintDevice (a QImage for the screen and BMP files, a
// QPrinter for pages). World coordinates are mapped to device pixels here, so pen widths and
// fonts stay in device pixels whatever the world window.
#pragma once

#include <QPainter>
#include <QPen>
#include <optional>

#include "app/canvas.h"
#include "app/pixel_surface.h"

class QImage;
class QPaintDevice;

namespace vorax::app::ui {

QColor toQColor(Colorref colour);

class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QPaintDevice& device);

  int pixelWidth() const override { return width_; }
  int pixelHeight() const override { return height_; }
  void setWorldWindow(const WorldWindow& window) override { window_ = window; }
  WorldWindow worldWindow() const override { return window_; }
  void clear(Colorref background) override;
  void setPen(Colorref colour, double widthPixels, PenStyle style, bool xorMode) override;
  void setBrush(Colorref colour) override;
  void setFont(std::string_view family, double pixelHeight, bool bold) override;
  void setTextColour(Colorref colour) override { textColour_ = toQColor(colour); }
  void line(PointF a, PointF b) override;
  void lines(std::span<const LineF> segments) override;
  void polyline(std::span<const PointF> points) override;
  void polygon(std::span<const PointF> points) override;
  void rectangle(PointF a, PointF b) override;
  void fillRect(PointF a, PointF b, Colorref colour) override;
  void text(PointF at, std::string_view text, HAlign h, VAlign v, double angleDegrees) override;
  TextExtent measureText(std::string_view text) const override;
  // The image itself while nothing (composition, transform, clipping) stands between the
  // painter and its pixels.
  std::optional<PixelSurface> pixelSurface() override;

  QPainter& painter() { return painter_; }

 private:
  QPointF device(PointF p) const;
  std::optional<PixelSurface> imageSurface();
  // A pen writing one-pixel solid lines straight into the image, or none when the device or
  // the pen needs QPainter.
  std::optional<PixelPen> directPen();

  QPainter painter_;
  int width_;
  int height_;
  WorldWindow window_;
  QColor textColour_{Qt::black};
  QImage* image_ = nullptr;  // the device, when it is a 32-bit image
};

}  // namespace vorax::app::ui
