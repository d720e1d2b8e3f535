#include "app/ui/qt_canvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vorax::app::ui {

QColor toQColor(Colorref colour) { return QColor(redOf(colour), greenOf(colour), blueOf(colour)); }

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

void QtCanvas::line(PointF a, PointF b) {
  const LineF segment{a, b};
  lines({&segment, 1});  // one rule for single and batched lines, so both light the same pixels
}

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

// Aliased one-pixel lines written straight into a 32-bit image: a page of the main display
// has some 400,000 wiggle points, and QPainter spends most of a page's time on them. Pixels
// outside the image are skipped.
class PixelPen {
 public:
  PixelPen(QImage& image, QRgb colour)
      : bits_(reinterpret_cast<QRgb*>(image.bits())),
        stride_(image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))),
        width_(image.width()),
        height_(image.height()),
        colour_(colour) {}

  // Bresenham from pixel (x0, y0) to (x1, y1), both ends lit.
  void line(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
      plot(x0, y0);
      if (x0 == x1 && y0 == y1) return;
      const int twice = 2 * error;
      if (twice >= dy) {
        error += dy;
        x0 += stepX;
      }
      if (twice <= dx) {
        error += dx;
        y0 += stepY;
      }
    }
  }

  // True when a segment between these device points is short enough to walk pixel by pixel.
  bool walkable(QPointF a, QPointF b) const {
    const double limit = 4.0 * std::max(width_, height_);
    return std::abs(a.x()) < limit && std::abs(a.y()) < limit && std::abs(b.x()) < limit &&
           std::abs(b.y()) < limit;
  }

  // The pixels of one row from span.left() up to, not including, span.left() + span.width().
  void span(const QRect& span) {
    const int y = span.top();
    if (y < 0 || y >= height_) return;
    const int first = std::max(0, span.left());
    const int end = std::min(width_, span.left() + span.width());
    QRgb* row = bits_ + static_cast<qsizetype>(y) * stride_;
    for (int x = first; x < end; ++x) row[x] = colour_;
  }

 private:
  void plot(int x, int y) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) bits_[static_cast<qsizetype>(y) * stride_ + x] = colour_;
  }

  QRgb* bits_;
  qsizetype stride_;
  int width_;
  int height_;
  QRgb colour_;
};

// floor(v) as an int without the library call (v is within a few image sizes here).
int pixelOf(double v) {
  const auto truncated = static_cast<int>(v);
  return truncated - static_cast<int>(v < static_cast<double>(truncated));
}

}  // namespace

QImage* QtCanvas::directImage() {
  if (image_ == nullptr) return nullptr;
  const QPen pen = painter_.pen();
  const bool plainPen = pen.style() == Qt::SolidLine && pen.widthF() == 0 &&
                        painter_.compositionMode() == QPainter::CompositionMode_SourceOver &&
                        !painter_.testRenderHint(QPainter::Antialiasing) &&
                        painter_.transform().isIdentity() && !painter_.hasClipping();
  return plainPen ? image_ : nullptr;
}

void QtCanvas::lines(std::span<const LineF> segments) {
  const DeviceTransform toDevice(window_, width_, height_);
  if (QImage* image = directImage(); image != nullptr) {
    PixelPen pen(*image, painter_.pen().color().rgb());
    for (const LineF& s : segments) {
      const QPointF a = toDevice(s.a);
      const QPointF b = toDevice(s.b);
      QRect span;
      if (horizontalSpan(a, b, width_, height_, span)) {
        pen.span(span);
      } else if (pen.walkable(a, b)) {
        pen.line(pixelOf(a.x()), pixelOf(a.y()), pixelOf(b.x()), pixelOf(b.y()));
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
  if (QImage* image = directImage(); image != nullptr && !points.empty()) {
    PixelPen pen(*image, painter_.pen().color().rgb());
    QPointF previous = toDevice(points.front());
    if (points.size() == 1) pen.line(pixelOf(previous.x()), pixelOf(previous.y()), pixelOf(previous.x()), pixelOf(previous.y()));
    for (std::size_t k = 1; k < points.size(); ++k) {
      const QPointF next = toDevice(points[k]);
      if (pen.walkable(previous, next)) {
        pen.line(pixelOf(previous.x()), pixelOf(previous.y()), pixelOf(next.x()), pixelOf(next.y()));
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
