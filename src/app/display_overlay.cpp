#include "app/display_overlay.h"

#include <algorithm>
#include <array>

namespace vorax::app {

namespace {

constexpr double kCrosshairPixels = 3;
constexpr double kPickMarkHalfWidthPixels = 5;

// World window and font of the display the marks belong to; returns the text height.
double prepare(Canvas& canvas, const RecordDisplayGeometry& geometry) {
  canvas.setWorldWindow(geometry.world);
  canvas.setFont(kDisplayFontFamily, geometry.fontPixels, false);
  return canvas.measureText("0").height;
}

PointF at(const TraceAndSample& p) {
  return {static_cast<double>(p.trace), static_cast<double>(p.sample)};
}

}  // namespace

void drawDisplayOverlay(Canvas& canvas, const RecordDisplayGeometry& geometry,
                        const DisplayOverlay& overlay) {
  if (!geometry.hasTraces) return;
  const double h = prepare(canvas, geometry);
  const double x0 = geometry.x0;
  const double x1 = geometry.x1;
  if (overlay.drag == DisplayDrag::Velocity) {
    canvas.setPen(kBlue, 1, PenStyle::Solid, false);
    canvas.line(at(overlay.dragFrom), at(overlay.dragTo));
  } else if (overlay.drag == DisplayDrag::Selection) {
    canvas.setPen(kBlue, 1, PenStyle::Solid, false);
    canvas.rectangle(at(overlay.dragFrom), at(overlay.dragTo));
  } else if (overlay.drag == DisplayDrag::Zoom) {
    canvas.setPen(kRed, 1, PenStyle::Dotted, false);
    canvas.rectangle(at(overlay.dragFrom), at(overlay.dragTo));
  }
  if (overlay.cursor) {
    const PointF c = at(*overlay.cursor);
    canvas.setPen(kRed, kCrosshairPixels, PenStyle::Solid, false);
    canvas.line({c.x, geometry.s0}, {c.x, geometry.s1});
    canvas.line({x0, c.y}, {x1, c.y});
  }
  if (!overlay.readout.empty()) {
    canvas.setTextColour(kBlue);
    canvas.text({x0, geometry.s1 + 0.3 * h}, overlay.readout, HAlign::Left, VAlign::Top);
  }
}

void drawDisplayAnnotations(Canvas& canvas, const RecordDisplayGeometry& geometry,
                            const DisplayAnnotations& annotations) {
  if (!geometry.hasTraces) return;
  const double h = prepare(canvas, geometry);
  const double halfWidth =
      std::min(0.45, kPickMarkHalfWidthPixels * canvas.mapping().worldPerPixelX());
  canvas.setPen(kMagenta, 1, PenStyle::Solid, false);
  canvas.setBrush(kMagenta);
  for (std::int32_t trace : annotations.pickedTraces) {
    if (trace < geometry.x0 || trace >= geometry.x1) continue;
    const double x = trace;
    const std::array<PointF, 3> mark{
        {{x - halfWidth, geometry.s0}, {x + halfWidth, geometry.s0}, {x, geometry.s0 + h}}};
    canvas.polygon(mark);
  }
  canvas.setPen(kRed, 1, PenStyle::Solid, false);
  canvas.setBrush(kRed);
  canvas.setTextColour(kRed);
  for (const TraceMark& mark : annotations.markedTraces) {
    if (mark.trace < geometry.x0 || mark.trace >= geometry.x1) continue;
    const double x = mark.trace;
    const std::array<PointF, 3> foot{
        {{x - halfWidth, geometry.s1}, {x + halfWidth, geometry.s1}, {x, geometry.s1 - h}}};
    canvas.polygon(foot);
    canvas.text({x, geometry.s1 - 1.1 * h}, mark.label, HAlign::Centre, VAlign::Bottom);
  }
  if (!annotations.velocityText.empty()) {
    const double y = std::max(geometry.s0 - 2 * h, geometry.world.top + h);
    canvas.setTextColour(kBlue);
    canvas.text({static_cast<double>(geometry.x1), y}, annotations.velocityText, HAlign::Right,
                VAlign::Bottom);
  }
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.setTextColour(kBlack);
}

}  // namespace vorax::app
