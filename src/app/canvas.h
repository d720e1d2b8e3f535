// The abstract drawing surface every picture of the program is drawn on. Coordinates are
// world coordinates of the current world window, mapped linearly onto the whole device; the
// window may have y growing downwards (top < bottom) or upwards (top > bottom).
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/pixel_surface.h"
#include "decode/segd_record.h"

namespace vorax::app {

using decode::Colorref;

inline constexpr Colorref kBlack = 0x000000;
inline constexpr Colorref kWhite = 0xFFFFFF;
inline constexpr Colorref kRed = 0x0000FF;
inline constexpr Colorref kGreen = 0x00FF00;
inline constexpr Colorref kBlue = 0xFF0000;
inline constexpr Colorref kYellow = 0x00FFFF;
inline constexpr Colorref kMagenta = 0xFF00FF;
inline constexpr Colorref kLightGrey = 0xC0C0C0;
inline constexpr Colorref kDarkYellow = 0x00A0C8;  // yellow dark enough to see on white

constexpr std::uint8_t redOf(Colorref c) {
  return c & 0xFF;
}
constexpr std::uint8_t greenOf(Colorref c) {
  return (c >> 8) & 0xFF;
}
constexpr std::uint8_t blueOf(Colorref c) {
  return (c >> 16) & 0xFF;
}
constexpr Colorref rgb(int r, int g, int b) {
  return static_cast<Colorref>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct PointF {
  double x = 0;
  double y = 0;
};

struct LineF {
  PointF a;
  PointF b;
};

enum class PenStyle { Solid, Dotted };
enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };

// Size of a text in world units (both positive, whatever the window's orientation).
struct TextExtent {
  double width = 0;
  double height = 0;
};

struct WorldWindow {
  double left = 0;
  double top = 0;
  double right = 1;
  double bottom = 1;
};

// Linear mapping between a world window and a device of w x h pixels.
struct WorldMapping {
  WorldWindow window;
  double deviceWidth = 1;
  double deviceHeight = 1;

  PointF toDevice(PointF p) const {
    return {(p.x - window.left) / (window.right - window.left) * deviceWidth,
            (p.y - window.top) / (window.bottom - window.top) * deviceHeight};
  }
  PointF toWorld(PointF d) const {
    return {window.left + d.x / deviceWidth * (window.right - window.left),
            window.top + d.y / deviceHeight * (window.bottom - window.top)};
  }
  // World units per device pixel, as positive numbers.
  double worldPerPixelX() const { return std::abs((window.right - window.left) / deviceWidth); }
  double worldPerPixelY() const { return std::abs((window.bottom - window.top) / deviceHeight); }
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int pixelWidth() const = 0;
  virtual int pixelHeight() const = 0;

  virtual void setWorldWindow(const WorldWindow& window) = 0;
  virtual WorldWindow worldWindow() const = 0;
  WorldMapping mapping() const {
    return {worldWindow(), static_cast<double>(pixelWidth()), static_cast<double>(pixelHeight())};
  }

  // Fills the whole device with a colour.
  virtual void clear(Colorref background) = 0;

  // Pen for lines and outlines; width in device pixels. In XOR mode drawing twice restores
  // what was there.
  virtual void setPen(Colorref colour, double widthPixels = 1, PenStyle style = PenStyle::Solid,
                      bool xorMode = false) = 0;
  // Brush for polygon interiors.
  virtual void setBrush(Colorref colour) = 0;
  // Font by family name ("Arial", "Times New Roman", "MS Sans Serif", "Small Fonts") and
  // height in device pixels.
  virtual void setFont(std::string_view family, double pixelHeight, bool bold = false) = 0;
  virtual void setTextColour(Colorref colour) = 0;

  virtual void line(PointF a, PointF b) = 0;
  // Many separate segments in the current pen: one call, for speed.
  virtual void lines(std::span<const LineF> segments) = 0;
  virtual void polyline(std::span<const PointF> points) = 0;
  // Filled with the brush and outlined with the pen.
  virtual void polygon(std::span<const PointF> points) = 0;
  // Outline of an axis-parallel rectangle in the pen.
  virtual void rectangle(PointF a, PointF b) = 0;
  virtual void fillRect(PointF a, PointF b, Colorref colour) = 0;

  // Text anchored at a world point; alignment says which part of the text's box the point
  // is; a rotation turns the text anticlockwise about the anchor.
  virtual void text(PointF at, std::string_view text, HAlign h = HAlign::Left,
                    VAlign v = VAlign::Top, double angleDegrees = 0) = 0;
  virtual TextExtent measureText(std::string_view text) const = 0;

  // The device's pixels, when they may be written directly (lighting exactly the pixels a
  // one-pixel solid pen would); none otherwise.
  virtual std::optional<PixelSurface> pixelSurface() { return std::nullopt; }
};

}  // namespace vorax::app
