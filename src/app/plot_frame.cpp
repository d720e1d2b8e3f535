#include "app/plot_frame.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/readouts.h"

namespace vorax::app {

WorldWindow setPlotWindow(Canvas& canvas, PlotRect& data, PixelMargins margins) {
  if (!(data.right > data.left)) data.right = data.left + 1;
  if (!(data.top > data.bottom)) data.top = data.bottom + 1;
  const double w = canvas.pixelWidth();
  const double h = canvas.pixelHeight();
  if (margins.left + margins.right > w - 1) margins.left = margins.right = 0;
  if (margins.top + margins.bottom > h - 1) margins.top = margins.bottom = 0;
  const double perPixelX = (data.right - data.left) / (w - margins.left - margins.right);
  const double perPixelY = (data.top - data.bottom) / (h - margins.top - margins.bottom);
  const WorldWindow world{data.left - margins.left * perPixelX, data.top + margins.top * perPixelY,
                          data.right + margins.right * perPixelX,
                          data.bottom - margins.bottom * perPixelY};
  canvas.setWorldWindow(world);
  return world;
}

double plotFontPixels(const Canvas& canvas) {
  return std::clamp(std::floor(canvas.pixelHeight() / 45.0), 9.0, 14.0);
}

std::vector<double> stepValues(double from, double to, double step) {
  std::vector<double> values;
  if (!(step > 0) || !(to >= from) || !(std::abs(from / step) < 1e12) ||
      !(std::abs(to / step) < 1e12))
    return values;
  const double slack = step * 1e-6;
  for (auto k = static_cast<std::int64_t>(std::ceil((from - slack) / step));; ++k) {
    const double v = static_cast<double>(k) * step;
    if (v > to + slack || values.size() > 1000) break;
    values.push_back(v);
  }
  return values;
}

void drawBottomTicks(Canvas& canvas, const PlotRect& data, double from, double to, double step,
                     const TickText& text, bool grid, double origin) {
  const WorldWindow world = canvas.worldWindow();
  const double tick = canvas.mapping().worldPerPixelY() * 4;
  const double gap = canvas.mapping().worldPerPixelX() * 6;
  double lastLabelEnd = -INFINITY;  // a label that would touch the one before is left out
  for (double fromOrigin : stepValues(from - origin, to - origin, step)) {
    const double v = origin + fromOrigin;
    if (grid && v > data.left && v < data.right) {
      canvas.setPen(kLightGrey, 1, PenStyle::Dotted, false);
      canvas.line({v, data.bottom}, {v, data.top});
    }
    canvas.setPen(kBlack, 1, PenStyle::Solid, false);
    canvas.line({v, data.bottom}, {v, data.bottom - tick});
    const std::string label = text(v);
    const double width = canvas.measureText(label).width;
    double left = v - width / 2;
    HAlign align = HAlign::Centre;
    if (left < world.left) {
      align = HAlign::Left;
      left = v;
    } else if (v + width / 2 > world.right) {
      align = HAlign::Right;
      left = v - width;
    }
    if (left < lastLabelEnd + gap) continue;
    canvas.text({v, data.bottom - 1.5 * tick}, label, align, VAlign::Top);
    lastLabelEnd = left + width;
  }
}

void drawSideTick(Canvas& canvas, const PlotRect& data, Side side, double y,
                  const std::string& label, bool grid) {
  const double tick = canvas.mapping().worldPerPixelX() * 4;
  const double x = side == Side::Left ? data.left : data.right;
  const double out = side == Side::Left ? -tick : tick;
  if (grid) {
    canvas.setPen(kLightGrey, 1, PenStyle::Dotted, false);
    canvas.line({data.left, y}, {data.right, y});
  }
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.line({x, y}, {x + out, y});
  canvas.text({x + 1.5 * out, y}, label, side == Side::Left ? HAlign::Right : HAlign::Left,
              VAlign::Centre);
}

std::string timeLabelMs(double ms) {
  return fixedDecimals(ms, 1) + "mS ";
}

void drawBottomTitle(Canvas& canvas, const PlotRect& data, const std::string& title) {
  const WorldWindow world = canvas.worldWindow();
  canvas.text({(data.left + data.right) / 2, world.bottom + 4 * canvas.mapping().worldPerPixelY()},
              title, HAlign::Centre, VAlign::Bottom);
}

void drawSideTitle(Canvas& canvas, const PlotRect& data, Side side, const std::string& title) {
  const WorldWindow world = canvas.worldWindow();
  const double pad = 4 * canvas.mapping().worldPerPixelX();
  const double y = (data.bottom + data.top) / 2;
  if (side == Side::Left)
    canvas.text({world.left + pad, y}, title, HAlign::Centre, VAlign::Top, 90);
  else
    canvas.text({world.right - pad, y}, title, HAlign::Centre, VAlign::Top, -90);
}

std::optional<PointF> PlotGeometry::dataPointAt(int width, int height, PointF pixel) const {
  if (!hasData || width <= 0 || height <= 0) return std::nullopt;
  const PointF w =
      WorldMapping{world, static_cast<double>(width), static_cast<double>(height)}.toWorld(pixel);
  if (w.x < data.left || w.x > data.right || w.y < data.bottom || w.y > data.top)
    return std::nullopt;
  return w;
}

}  // namespace vorax::app
