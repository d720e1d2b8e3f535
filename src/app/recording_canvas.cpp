#include "app/recording_canvas.h"

namespace vorax::app {

DrawnItem RecordingCanvas::penItem(DrawnItem::Kind kind) const {
  DrawnItem item;
  item.kind = kind;
  item.colour = pen_;
  item.penWidth = penWidth_;
  item.penStyle = penStyle_;
  item.xorMode = xor_;
  item.window = window_;
  return item;
}

void RecordingCanvas::clear(Colorref background) {
  DrawnItem item = penItem(DrawnItem::Kind::Clear);
  item.colour = background;
  items_.push_back(item);
}

void RecordingCanvas::setPen(Colorref colour, double widthPixels, PenStyle style, bool xorMode) {
  pen_ = colour;
  penWidth_ = widthPixels;
  penStyle_ = style;
  xor_ = xorMode;
}

void RecordingCanvas::setFont(std::string_view family, double pixelHeight, bool /*bold*/) {
  fontFamily_ = family;
  fontPixels_ = pixelHeight;
}

void RecordingCanvas::line(PointF a, PointF b) {
  DrawnItem item = penItem(DrawnItem::Kind::Line);
  item.points = {a, b};
  items_.push_back(std::move(item));
}

void RecordingCanvas::lines(std::span<const LineF> segments) {
  for (const LineF& s : segments) line(s.a, s.b);
}

void RecordingCanvas::polyline(std::span<const PointF> points) {
  DrawnItem item = penItem(DrawnItem::Kind::Polyline);
  item.points.assign(points.begin(), points.end());
  items_.push_back(std::move(item));
}

void RecordingCanvas::polygon(std::span<const PointF> points) {
  DrawnItem item = penItem(DrawnItem::Kind::Polygon);
  item.points.assign(points.begin(), points.end());
  items_.push_back(std::move(item));
}

void RecordingCanvas::rectangle(PointF a, PointF b) {
  DrawnItem item = penItem(DrawnItem::Kind::Rectangle);
  item.points = {a, b};
  items_.push_back(std::move(item));
}

void RecordingCanvas::fillRect(PointF a, PointF b, Colorref colour) {
  DrawnItem item = penItem(DrawnItem::Kind::FillRect);
  item.points = {a, b};
  item.colour = colour;
  items_.push_back(std::move(item));
}

void RecordingCanvas::text(PointF at, std::string_view text, HAlign h, VAlign v,
                           double angleDegrees) {
  DrawnItem item = penItem(DrawnItem::Kind::Text);
  item.points = {at};
  item.colour = textColour_;
  item.text = text;
  item.hAlign = h;
  item.vAlign = v;
  item.angle = angleDegrees;
  item.fontFamily = fontFamily_;
  item.fontPixels = fontPixels_;
  items_.push_back(std::move(item));
}

TextExtent RecordingCanvas::measureText(std::string_view text) const {
  WorldMapping m = mapping();
  double widthPixels = 0.6 * fontPixels_ * static_cast<double>(text.size());
  return {widthPixels * m.worldPerPixelX(), fontPixels_ * m.worldPerPixelY()};
}

std::vector<const DrawnItem*> RecordingCanvas::texts() const {
  std::vector<const DrawnItem*> out;
  for (const DrawnItem& item : items_)
    if (item.kind == DrawnItem::Kind::Text) out.push_back(&item);
  return out;
}

const DrawnItem* RecordingCanvas::findText(std::string_view text) const {
  for (const DrawnItem& item : items_)
    if (item.kind == DrawnItem::Kind::Text && item.text == text) return &item;
  return nullptr;
}

}  // namespace vorax::app
