#include "vibsim/pane_canvas.h"

#include <algorithm>
#include <cmath>

namespace vorax::vibsim {

PaneCanvas::PaneCanvas(app::Canvas& device, DeviceRect area, double leastPenPixels)
    : device_(device), area_(area), leastPen_(leastPenPixels) {
  setWorldWindow({0, 0, 1, 1});
}

int PaneCanvas::pixelWidth() const {
  return std::max(1, static_cast<int>(std::lround(area_.width)));
}

int PaneCanvas::pixelHeight() const {
  return std::max(1, static_cast<int>(std::lround(area_.height)));
}

void PaneCanvas::setWorldWindow(const app::WorldWindow& window) {
  window_ = window;
  // The device's world window that puts `window` exactly on the pane's rectangle.
  const double perPixelX = (window.right - window.left) / area_.width;
  const double perPixelY = (window.bottom - window.top) / area_.height;
  const double deviceWidth = device_.pixelWidth();
  const double deviceHeight = device_.pixelHeight();
  device_.setWorldWindow({window.left - area_.left * perPixelX, window.top - area_.top * perPixelY,
                          window.left + (deviceWidth - area_.left) * perPixelX,
                          window.top + (deviceHeight - area_.top) * perPixelY});
}

void PaneCanvas::clear(app::Colorref background) {
  device_.fillRect({window_.left, window_.top}, {window_.right, window_.bottom}, background);
}

void PaneCanvas::setPen(app::Colorref colour, double widthPixels, app::PenStyle style,
                        bool xorMode) {
  device_.setPen(colour, std::max(widthPixels, leastPen_), style, xorMode);
}

}  // namespace vorax::vibsim
