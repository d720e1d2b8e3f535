#include "spread/spread_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/utilities.h"
#include "decode/conversions.h"

namespace vorax::spread {

namespace {

// More point labels than this could never be read; it also bounds the loop for absurd extents.
constexpr int kMostPointLabels = 2000;

// The words of the debug-log lines that name the legend: the leakage and tilt maps name
// themselves, the others use the plain words, and the errors map ends like capacitance.
struct LegendLogWords {
  std::string_view prefix;  // "" or "Leakage " / "Tilt "
  std::string_view done;
};

LegendLogWords legendLogWords(MapKind kind) {
  switch (kind) {
    case MapKind::Resistance:
      return {"", "Resistance legend done OK"};
    case MapKind::Leakage:
      return {"Leakage ", "Leakage legend done OK"};
    case MapKind::Tilt:
      return {"Tilt ", "Tilt legend done OK"};
    case MapKind::Capacitance:
    case MapKind::Errors:
      break;
  }
  return {"", "Capacitance legend done OK"};
}

void drawLegendRows(app::Canvas& canvas, const SpreadLayout& layout, const SpreadMap& map,
                    const base::DebugLog& log) {
  const LegendLogWords words = legendLogWords(map.kind);
  const LegendFrame frame = legendFrameOf(layout);
  const double rowHeight = frame.height() / static_cast<double>(map.legend.size());
  canvas.setFont("Arial", pointsToPixels(7), false);
  canvas.setTextColour(app::kBlack);
  double top = frame.top;
  for (std::size_t r = 0; r < map.legend.size(); ++r) {
    if (log.enabled())
      log.line("Drawing " + std::string(words.prefix) + "legend colour box number " +
               std::to_string(r + 1));
    canvas.fillRect({frame.left, top}, {frame.right, top - rowHeight}, map.legend[r].colour);
    canvas.text({frame.right, top}, map.legend[r].text, app::HAlign::Left, app::VAlign::Top);
    top -= rowHeight;
  }
  // The outline again, so that light swatches keep a visible edge.
  drawLegendFrameOutline(canvas, layout);
  log.line(words.done);
}

}  // namespace

void startSpreadPicture(app::Canvas& canvas, const SpreadLayout& layout) {
  canvas.clear(app::kWhite);
  canvas.setWorldWindow(layout.world());
}

void drawLegendFrameOutline(app::Canvas& canvas, const SpreadLayout& layout) {
  const LegendFrame frame = legendFrameOf(layout);
  canvas.setPen(app::kBlack, 1, app::PenStyle::Solid, false);
  canvas.rectangle({frame.left, frame.top}, {frame.right, frame.bottom});
}

void drawSpreadTitle(app::Canvas& canvas, const SpreadLayout& layout, std::string_view title) {
  canvas.setFont("Arial Black", pointsToPixels(14), true);
  canvas.setTextColour(app::kBlack);
  canvas.text(
      {layout.worldLeft + layout.worldWidth / 2, layout.worldTop - layout.boxHalfHeight / 2}, title,
      app::HAlign::Centre, app::VAlign::Top);
}

void fillTraceBox(app::Canvas& canvas, const SpreadLayout& layout, double point, double line,
                  Colorref colour) {
  canvas.fillRect({point - layout.boxHalfWidth, line + layout.boxHalfHeight},
                  {point + layout.boxHalfWidth, line - layout.boxHalfHeight}, colour);
}

void drawLineLabels(app::Canvas& canvas, const decode::SegdRecord& record,
                    const SpreadLayout& layout) {
  canvas.setFont("MS Sans Serif", pointsToPixels(8), false);
  canvas.setTextColour(app::kBlack);
  const double halfText = canvas.measureText("0").height / 2;
  for (std::size_t i = 1; i < record.lineRuns.size(); ++i) {
    const float line = record.lineRuns[i].receiverLine;
    if (line == 0 || !std::isfinite(line)) continue;
    canvas.text({layout.worldLeft, line + halfText}, " " + decode::shortestText(line),
                app::HAlign::Left, app::VAlign::Top);
  }
}

void drawPointLabels(app::Canvas& canvas, const SpreadLayout& layout) {
  // Boxes are one point wide: a label between two points would name no box.
  const double step = std::max(
      1.0f, app::CHOOSESTEP(static_cast<float>(layout.xmin), static_cast<float>(layout.xmax)));
  if (!(step > 0) || layout.xmax < 0) return;
  canvas.setFont("Arial", pointsToPixels(12), false);
  canvas.setTextColour(app::kBlack);
  const double y = layout.worldBottom() + layout.boxHalfHeight;
  // The first multiple of the step at or above max(0, xmin): the same labels as counting up
  // from 0, without walking through a long stretch below the spread.
  double k = std::ceil(std::max(0.0, layout.xmin) / step);
  for (int drawn = 0; drawn < kMostPointLabels; ++drawn, k += 1) {
    const double p = k * step;
    if (p > layout.xmax) break;
    canvas.text({p, y}, decode::shortestText(static_cast<float>(p)), app::HAlign::Left,
                app::VAlign::Centre, 90);
  }
}

void drawSpreadMap(app::Canvas& canvas, const decode::SegdRecord& record,
                   const SpreadLayout& layout, const SpreadMap& map, const base::DebugLog& log) {
  startSpreadPicture(canvas, layout);
  log.line("Enter Display Spread");
  drawSpreadTitle(canvas, layout, captionOf(map.kind));
  if (!map.holdsTestValues) {  // no legend either: there are no bands to show
    canvas.setFont("Arial", pointsToPixels(12), false);
    canvas.setTextColour(app::kBlack);
    canvas.text(
        {layout.worldLeft + layout.worldWidth / 2, layout.worldTop - layout.worldHeight / 2},
        kNoTestValuesMessage, app::HAlign::Centre, app::VAlign::Centre);
    return;
  }
  drawLegendFrameOutline(canvas, layout);
  log.line("Draw Legend Box Outline OK");
  for (const MapEntry& e : map.entries) fillTraceBox(canvas, layout, e.point, e.line, e.colour);
  log.line("Ready to assign values and colours");
  log.line(std::string("Ready to draw ") + std::string(legendLogWords(map.kind).prefix) +
           "legend colour boxes");
  drawLegendRows(canvas, layout, map, log);
  drawLineLabels(canvas, record, layout);
  drawPointLabels(canvas, layout);
}

}  // namespace vorax::spread
