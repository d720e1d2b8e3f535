#include "app/header_panel.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "app/readouts.h"
#include "base/text_trim.h"
#include "decode/conversions.h"

namespace vorax::app {

namespace {

using decode::shortestText;

using base::trimmed;

// Record length in ms, rounded down: sample interval (us) x (samples - 1) / 1000.
std::string lengthText(const decode::RecordSummary& s) {
  double ms =
      static_cast<double>(s.sampleIntervalUs) * (static_cast<double>(s.samplesPerTrace) - 1) / 1000;
  return shortestText(std::floor(ms));
}

// The sample interval in ms, whole (62.5 us is "0.0625"), at most 8 characters.
std::string intervalText(const decode::RecordSummary& s) {
  return trimmed(shortestText(s.sampleIntervalUs / 1000.0f).substr(0, 8));
}

// Vertical extent of the panel: from 30 % of the time range plus one text line down to s1.
struct PanelBox {
  double left;
  double right;
  double top;
  double bottom;
};

PanelBox panelBox(const HeaderPanelArea& area, double textHeight) {
  double w = area.xRight - area.x1;
  double cx = area.x1 + w / 2;
  double cy = (area.s0 + area.s1) / 2;
  double hh = 0.4 * (area.s1 - area.s0);
  return {cx - 0.45 * w, cx + 0.45 * w, cy - hh / 2 + textHeight, area.s1};
}

double rowY(const PanelBox& box, double hi, double lh, int row) {
  return box.top + hi / 2 + row * lh;
}

}  // namespace

std::vector<HeaderPanelRow> headerPanelRows(const decode::RecordSummary& s) {
  std::vector<HeaderPanelRow> rows{{
      {"File", trimmed(s.fileNumber.view())},
      {"Date", trimmed(s.recordDate.view())},
      {"Time", trimmed(s.recordTime.view())},
      {"Record ", trimmed(s.recordType.view())},
      {"Tape #", trimmed(s.tapeNumber.view())},
      {"Label", trimmed(s.label.view().substr(0, 8))},
      {"SR (mS) ", intervalText(s)},
      {"Length ", lengthText(s)},
      {"Tot Trc", std::to_string(s.traceCount)},
      {"Tot Aux", std::to_string(s.auxTraceCount)},
      {"Tot Seis", std::to_string(s.seismicTraceCount)},
      {"Src Ln", shortestText(s.sourceLine)},
      {"Src Pt ", shortestText(s.sourcePoint)},
      {"Src X", shortestText(s.sourceX)},
      {"Src Y", shortestText(s.sourceY)},
      {"Src Z", shortestText(s.sourceZ)},
      {"First Ln", std::to_string(s.firstReceiverLine)},
      {"First Pt", std::to_string(s.firstReceiverPoint)},
      {"Blast ID", std::to_string(s.blastIdentifier)},
      {"ITB", trimmed(s.timeBreakKind.view())},
      {"TB Time", std::to_string(s.timeBreakTime)},
      {"UH Time", std::to_string(s.upholeTime)},
      {"Filter", trimmed(s.filter.view())},
  }};
  if (s.gpsLatitude && s.gpsLongitude) {
    rows.push_back({"GPS Lat", fixedDecimals(*s.gpsLatitude, 6)});
    rows.push_back({"GPS Lon", fixedDecimals(*s.gpsLongitude, 6)});
  }
  return rows;
}

bool headerPanelFits(const Canvas& canvas, const decode::RecordSummary& summary,
                     const HeaderPanelArea& area) {
  TextExtent i = canvas.measureText("I");
  double lh = canvas.measureText("XXX ").height;
  PanelBox box = panelBox(area, i.height);
  double widest = canvas.measureText("File Header").width + 2 * i.width;
  const std::vector<HeaderPanelRow> rows = headerPanelRows(summary);
  for (const HeaderPanelRow& row : rows) {
    double both = canvas.measureText(row.label).width + canvas.measureText(row.value).width;
    widest = std::max(widest, both + 3 * i.width);  // margins of one "I" and a gap of one
  }
  double lastRowBottom = rowY(box, i.height, lh, static_cast<int>(rows.size())) + lh;
  return widest <= box.right - box.left && lastRowBottom <= box.bottom;
}

void drawHeaderPanel(Canvas& canvas, const decode::RecordSummary& summary,
                     const HeaderPanelArea& area) {
  TextExtent i = canvas.measureText("I");
  double lh = canvas.measureText("XXX ").height;
  PanelBox box = panelBox(area, i.height);
  canvas.rectangle({box.left, box.top}, {box.right, box.bottom});
  canvas.text({(box.left + box.right) / 2, box.top + i.height / 4}, "File Header", HAlign::Centre,
              VAlign::Top);
  int row = 1;
  for (const HeaderPanelRow& r : headerPanelRows(summary)) {
    double y = rowY(box, i.height, lh, row++);
    canvas.text({box.left + i.width, y}, r.label, HAlign::Left, VAlign::Top);
    canvas.text({box.right - i.width, y}, r.value, HAlign::Right, VAlign::Top);
  }
}

}  // namespace vorax::app
