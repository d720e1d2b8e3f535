// A pane drawn into part of a larger device: the pane keeps its own world window and pixel
// size, and lands on a rectangle of the device's pixels (a printed sheet holding panes A and
// B side by side). Pens can be held to a least width, so that lines stay visible at a
// printer's resolution.
#pragma once

#include "app/canvas.h"

namespace vorax::vibsim {

struct DeviceRect {
  double left = 0;  // device pixels
  double top = 0;
  double width = 1;
  double height = 1;
};

class PaneCanvas : public app::Canvas {
 public:
  PaneCanvas(app::Canvas& device, DeviceRect area, double leastPenPixels = 1);

  int pixelWidth() const override;
  int pixelHeight() const override;
  void setWorldWindow(const app::WorldWindow& window) override;
  app::WorldWindow worldWindow() const override { return window_; }
  // Fills the pane's rectangle only.
  void clear(app::Colorref background) override;
  void setPen(app::Colorref colour, double widthPixels, app::PenStyle style, bool xorMode) override;
  void setBrush(app::Colorref colour) override { device_.setBrush(colour); }
  void setFont(std::string_view family, double pixelHeight, bool bold) override {
    device_.setFont(family, pixelHeight, bold);
  }
  void setTextColour(app::Colorref colour) override { device_.setTextColour(colour); }
  void line(app::PointF a, app::PointF b) override { device_.line(a, b); }
  void lines(std::span<const app::LineF> segments) override { device_.lines(segments); }
  void polyline(std::span<const app::PointF> points) override { device_.polyline(points); }
  void polygon(std::span<const app::PointF> points) override { device_.polygon(points); }
  void rectangle(app::PointF a, app::PointF b) override { device_.rectangle(a, b); }
  void fillRect(app::PointF a, app::PointF b, app::Colorref colour) override {
    device_.fillRect(a, b, colour);
  }
  void text(app::PointF at, std::string_view text, app::HAlign h, app::VAlign v,
            double angleDegrees) override {
    device_.text(at, text, h, v, angleDegrees);
  }
  app::TextExtent measureText(std::string_view text) const override {
    return device_.measureText(text);
  }

 private:
  app::Canvas& device_;
  DeviceRect area_;
  double leastPen_;
  app::WorldWindow window_;
};

}  // namespace vorax::vibsim
