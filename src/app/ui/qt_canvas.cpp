#include "app/ui/qt_canvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vorax::app::ui {

QColor toQColor(Colorref colour) {
  return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

QtCanvas::QtCanvas(QPaintDevice& device)
    : painter_(&device), width_(device.width()), height_(device.height()) {
  if (device.devType() == QInternal::Image) {
    auto& image = static_cast<QImage&>(device);
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
        image.format() == QImage::Format_ARGB32_Premultiplied)
      image_ = &image;
  }
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
  if (const std::optional<PixelSurface> surface = imageSurface()) {
    fillSurface(*surface, surfacePixel(background));
    return;
  }
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

void QtCanvas::setBrush(Colorref colour) {
  painter_.setBrush(toQColor(colour));
}

void QtCanvas::setFont(std::string_view family, double pixelHeight, bool bold) {
  QFont font(QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  painter_.setFont(font);
}

void QtCanvas::line(PointF a, PointF b) {
  const LineF segment{a, b};
  lines({&segment, 1});  // one rule for single and batched lines, so both light the same pixels
}

namespace {

// The world-to-device mapping as one multiply-add per axis, for the bulk drawing calls.
struct DeviceTransform {
  DeviceTransform(const WorldWindow& w, double width, double height)
      : sx(width / (w.right - w.left)),
        ox(-w.left * sx),
        sy(height / (w.bottom - w.top)),
        oy(-w.top * sy) {}
  QPointF operator()(PointF p) const { return {p.x * sx + ox, p.y * sy + oy}; }
  double sx, ox, sy, oy;
};

}  // namespace

std::optional<PixelSurface> QtCanvas::pixelSurface() {
  return imageSurface();
}

std::optional<PixelSurface> QtCanvas::imageSurface() {
  if (image_ == nullptr || painter_.compositionMode() != QPainter::CompositionMode_SourceOver ||
      !painter_.transform().isIdentity() || painter_.hasClipping())
    return std::nullopt;
  return PixelSurface{reinterpret_cast<std::uint32_t*>(image_->bits()),
                      image_->bytesPerLine() / static_cast<qsizetype>(sizeof(std::uint32_t)),
                      image_->width(), image_->height()};
}

std::optional<PixelPen> QtCanvas::directPen() {
  const QPen pen = painter_.pen();
  if (pen.style() != Qt::SolidLine || pen.widthF() != 0 ||
      painter_.testRenderHint(QPainter::Antialiasing))
    return std::nullopt;
  const std::optional<PixelSurface> surface = imageSurface();
  if (!surface) return std::nullopt;
  return PixelPen(*surface, pen.color().rgb());
}

void QtCanvas::lines(std::span<const LineF> segments) {
  const DeviceTransform toDevice(window_, width_, height_);
  if (std::optional<PixelPen> pen = directPen()) {
    for (const LineF& s : segments) {
      const QPointF a = toDevice(s.a);
      const QPointF b = toDevice(s.b);
      if (a.y() == b.y() && pen->horizontalLine(a.x(), b.x(), a.y())) continue;
      if (pen->walkable(a.x(), a.y(), b.x(), b.y())) {
        pen->line(pixelIndexOf(a.x()), pixelIndexOf(a.y()), pixelIndexOf(b.x()),
                  pixelIndexOf(b.y()));
      } else {
        painter_.drawLine(a, b);
      }
    }
    return;
  }
  std::vector<QLineF> deviceLines;
  deviceLines.reserve(segments.size());
  for (const LineF& s : segments) deviceLines.emplace_back(toDevice(s.a), toDevice(s.b));
  painter_.drawLines(deviceLines.data(), static_cast<int>(deviceLines.size()));
}

void QtCanvas::polyline(std::span<const PointF> points) {
  const DeviceTransform toDevice(window_, width_, height_);
  std::optional<PixelPen> pen = directPen();
  if (pen && !points.empty()) {
    QPointF previous = toDevice(points.front());
    if (points.size() == 1) pen->plot(pixelIndexOf(previous.x()), pixelIndexOf(previous.y()));
    for (std::size_t k = 1; k < points.size(); ++k) {
      const QPointF next = toDevice(points[k]);
      if (pen->walkable(previous.x(), previous.y(), next.x(), next.y())) {
        pen->line(pixelIndexOf(previous.x()), pixelIndexOf(previous.y()), pixelIndexOf(next.x()),
                  pixelIndexOf(next.y()));
      } else {
        painter_.drawLine(previous, next);
      }
      previous = next;
    }
    return;
  }
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
