// A canvas that draws nothing and remembers every call, for tests of the pictures. Text is
// measured with fixed metrics (each character 0.6 of the font height wide), so geometry in
// tests is exact and independent of installed fonts.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"

namespace vorax::app {

struct DrawnItem {
  enum class Kind { Clear, Line, Polyline, Polygon, Rectangle, FillRect, Text };
  Kind kind = Kind::Line;
  std::vector<PointF> points;  // world coordinates as given
  Colorref colour = 0;         // pen colour, text colour or fill colour
  double penWidth = 1;
  PenStyle penStyle = PenStyle::Solid;
  bool xorMode = false;
  std::string text;
  HAlign hAlign = HAlign::Left;
  VAlign vAlign = VAlign::Top;
  double angle = 0;
  std::string fontFamily;
  double fontPixels = 0;
  WorldWindow window;  // the world window in force
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width = 1000, int height = 800) : width_(width), height_(height) {}

  int pixelWidth() const override { return width_; }
  int pixelHeight() const override { return height_; }
  void setWorldWindow(const WorldWindow& window) override { window_ = window; }
  WorldWindow worldWindow() const override { return window_; }
  void clear(Colorref background) override;
  void setPen(Colorref colour, double widthPixels, PenStyle style, bool xorMode) override;
  void setBrush(Colorref colour) override { brush_ = colour; }
  void setFont(std::string_view family, double pixelHeight, bool bold) override;
  void setTextColour(Colorref colour) override { textColour_ = colour; }
  void line(PointF a, PointF b) override;
  void lines(std::span<const LineF> segments) override;
  void polyline(std::span<const PointF> points) override;
  void polygon(std::span<const PointF> points) override;
  void rectangle(PointF a, PointF b) override;
  void fillRect(PointF a, PointF b, Colorref colour) override;
  void text(PointF at, std::string_view text, HAlign h, VAlign v, double angleDegrees) override;
  TextExtent measureText(std::string_view text) const override;

  const std::vector<DrawnItem>& items() const { return items_; }
  std::vector<const DrawnItem*> texts() const;
  // The first text item whose text equals `text`, or nullptr.
  const DrawnItem* findText(std::string_view text) const;
  Colorref brush() const { return brush_; }

 private:
  DrawnItem penItem(DrawnItem::Kind kind) const;

  int width_;
  int height_;
  WorldWindow window_;
  Colorref pen_ = kBlack;
  double penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
  bool xor_ = false;
  Colorref brush_ = kWhite;
  Colorref textColour_ = kBlack;
  std::string fontFamily_ = "Arial";
  double fontPixels_ = 12;
  std::vector<DrawnItem> items_;
};

}  // namespace vorax::app
