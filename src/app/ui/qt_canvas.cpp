#include "app/ui/qt_canvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vorax::app::ui {

QColor toQColor(Colorref colour) { return QColor(redOf(colour), greenOf(colour), blueOf(colour)); }

QtCanvas::QtCanvas(QPaintDevice& device)
    : painter_(&device), width_(device.width()), height_(device.height()) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  setPen(kBlack, 1, PenStyle::Solid, false);
  setFont("Arial", 12, false);
}

QPointF QtCanvas::device(PointF p) const {
  WorldMapping m{window_, static_cast<double>(width_), static_cast<double>(height_)};
  PointF d = m.toDevice(p);
  return {d.x, d.y};
}

void QtCanvas::clear(Colorref background) {
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  painter_.fillRect(QRectF(0, 0, width_, height_), toQColor(background));
  painter_.restore();
}

void QtCanvas::setPen(Colorref colour, double widthPixels, PenStyle style, bool xorMode) {
  QPen pen(toQColor(colour));
  pen.setWidthF(widthPixels <= 1 ? 0 : widthPixels);  // 0: one device pixel, cosmetic
  pen.setStyle(style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  painter_.setPen(pen);
  painter_.setCompositionMode(xorMode ? QPainter::RasterOp_SourceXorDestination
                                      : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::setBrush(Colorref colour) { painter_.setBrush(toQColor(colour)); }

void QtCanvas::setFont(std::string_view family, double pixelHeight, bool bold) {
  QFont font(QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  painter_.setFont(font);
}

void QtCanvas::line(PointF a, PointF b) { painter_.drawLine(device(a), device(b)); }

namespace {

// The world-to-device mapping as one multiply-add per axis, for the bulk drawing calls.
struct DeviceTransform {
  DeviceTransform(const WorldWindow& w, double width, double height)
      : sx(width / (w.right - w.left)), ox(-w.left * sx), sy(height / (w.bottom - w.top)),
        oy(-w.top * sy) {}
  QPointF operator()(PointF p) const { return {p.x * sx + ox, p.y * sy + oy}; }
  double sx, ox, sy, oy;
};

// A one-pixel solid line in copy mode along a pixel row lights the columns from round(left)
// up to, not including, round(right) of row floor(y); filling that span as a rectangle draws
// the same pixels several times faster.
bool horizontalSpan(QPointF a, QPointF b, int width, int height, QRect& span) {
  if (a.y() != b.y() || !(a.y() >= 0 && a.y() < height)) return false;
  const double lo = std::clamp(std::min(a.x(), b.x()), -1.0, width + 1.0);
  const double hi = std::clamp(std::max(a.x(), b.x()), -1.0, width + 1.0);
  const int first = static_cast<int>(std::floor(lo + 0.5));
  const int end = static_cast<int>(std::floor(hi + 0.5));
  span = QRect(first, static_cast<int>(std::floor(a.y())), end - first, 1);
  return true;
}

}  // namespace

void QtCanvas::lines(std::span<const LineF> segments) {
  const DeviceTransform toDevice(window_, width_, height_);
  const QPen pen = painter_.pen();
  const bool spansDrawPixelsExactly = pen.style() == Qt::SolidLine && pen.widthF() == 0 &&
                                      pen.capStyle() == Qt::FlatCap &&
                                      painter_.compositionMode() == QPainter::CompositionMode_SourceOver &&
                                      !painter_.testRenderHint(QPainter::Antialiasing);
  std::vector<QLineF> deviceLines;
  std::vector<QRect> spans;
  deviceLines.reserve(segments.size());
  for (const LineF& s : segments) {
    QPointF a = toDevice(s.a);
    QPointF b = toDevice(s.b);
    QRect span;
    if (spansDrawPixelsExactly && horizontalSpan(a, b, width_, height_, span)) {
      if (span.width() > 0) spans.push_back(span);
    } else {
      deviceLines.emplace_back(a, b);
    }
  }
  if (!deviceLines.empty()) painter_.drawLines(deviceLines.data(), static_cast<int>(deviceLines.size()));
  if (spans.empty()) return;
  painter_.save();
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(pen.color());
  painter_.drawRects(spans.data(), static_cast<int>(spans.size()));
  painter_.restore();
}

void QtCanvas::polyline(std::span<const PointF> points) {
  const DeviceTransform toDevice(window_, width_, height_);
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const PointF& p : points) polygon.append(toDevice(p));
  painter_.drawPolyline(polygon);
}

void QtCanvas::polygon(std::span<const PointF> points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const PointF& p : points) polygon.append(device(p));
  painter_.drawPolygon(polygon);
}

void QtCanvas::rectangle(PointF a, PointF b) {
  painter_.save();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(device(a), device(b)).normalized());
  painter_.restore();
}

void QtCanvas::fillRect(PointF a, PointF b, Colorref colour) {
  painter_.fillRect(QRectF(device(a), device(b)).normalized(), toQColor(colour));
}

void QtCanvas::text(PointF at, std::string_view text, HAlign h, VAlign v, double angleDegrees) {
  QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  QFontMetricsF metrics(painter_.font(), painter_.device());
  double w = metrics.horizontalAdvance(s);
  double ascent = metrics.ascent();
  double height = metrics.height();
  double dx = h == HAlign::Left ? 0 : (h == HAlign::Centre ? -w / 2 : -w);
  double top = v == VAlign::Top ? 0 : (v == VAlign::Centre ? -height / 2 : -height);
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.translate(device(at));
  if (angleDegrees != 0) painter_.rotate(-angleDegrees);
  painter_.setPen(textColour_);
  painter_.drawText(QPointF(dx, top + ascent), s);
  painter_.restore();
}

TextExtent QtCanvas::measureText(std::string_view text) const {
  QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  QFontMetricsF metrics(painter_.font(), painter_.device());
  WorldMapping m{window_, static_cast<double>(width_), static_cast<double>(height_)};
  return {metrics.horizontalAdvance(s) * m.worldPerPixelX(), metrics.height() * m.worldPerPixelY()};
}

}  // namespace vorax::app::ui
