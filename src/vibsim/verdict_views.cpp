#include "vibsim/verdict_views.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vorax::vibsim {

namespace {

constexpr double kRowPoints = 8;
constexpr double kRowLeft = 20;
constexpr double kRowRight = 980;
constexpr double kRowGap = 12;  // pane units between two items

// The fleet page: A4 landscape, 0..1414 across and 0..1000 down.
constexpr double kFleetWidth = 1414;
constexpr double kFleetHeight = 1000;
constexpr double kFleetMargin = 30;
constexpr double kPointsPerA4Width = 210.0 / 25.4 * 72.0;  // the landscape page's height
constexpr Colorref kHeaderBlue = 0xC00000;
constexpr Colorref kGridGrey = 0xC0C0C0;
// Column widths in page units; the last column takes what is left.
constexpr double kColumnWidths[] = {50, 100, 140, 110, 130, 110, 130, 100, 150, 90};
const char* const kColumnTitles[] = {
    "Row",        "Vibrator",       "Start Time (uS)", "Phase (Deg)",       "Distortion (%)",
    "Xcorr Peak", "Xcorr Lag (mS)", "Polarity",        "Signal (% of Ref)", "Verdict",
    "Failed"};
constexpr std::size_t kColumns = std::size(kColumnTitles);
constexpr std::size_t kVerdictColumn = kColumns - 2;

// `value` with `decimals` decimals after `prefix`; a value that rounds to zero reads 0, never
// "-0.0".
std::string number(double value, int decimals, std::string_view prefix = "") {
  const double half = 0.5 * std::pow(10.0, -decimals);
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, std::abs(value) < half ? 0.0 : value);
  return std::string(prefix) + text;
}

const VerdictItem& itemNamed(const std::vector<VerdictItem>& items, std::string_view name) {
  return *std::find_if(items.begin(), items.end(),
                       [&](const VerdictItem& i) { return i.name == name; });
}

FleetRow judgedRow(const FleetEntry& e) {
  const VibratorVerdict& v = *e.verdict;
  const std::vector<VerdictItem> items = verdictItems(v);
  const bool judged = v.judgedPoints > 0;
  std::string start = itemNamed(items, "Start Time").reading;
  if (v.signalPass && v.startTimeErrorUs) start = number(*v.startTimeErrorUs, 1);
  std::string failed;
  for (const VerdictItem& i : items)
    if (!i.pass) failed += (failed.empty() ? "" : " ") + i.name;
  return {
      {std::to_string(e.row), {}},
      {e.label, {}},
      {start, v.startTimePass},
      {judged ? number(v.maxPhaseErrorDeg, 2) : "no points", v.phasePass},
      {judged ? number(v.maxDistortionPercent, 1) : "no points", v.distortionPass},
      {number(v.correlationPeak, 3), v.correlationPass},
      {number(v.correlationLagMs, 1), v.correlationPass},
      {itemNamed(items, "Polarity").reading, v.polarityPass},
      {v.signalShare > 0 ? number(100 * v.signalShare, 1) : "No signal", v.signalPass},
      {v.pass() ? "PASS" : "FAIL", v.pass()},
      {failed, v.pass()},
  };
}

FleetRow skippedRow(const FleetEntry& e) {
  FleetRow row(kColumns);
  row[0].text = std::to_string(e.row);
  row[1].text = e.label;
  row[kVerdictColumn] = {"SKIPPED", false};
  row[kColumns - 1] = {e.skipped, false};
  return row;
}

FleetRow limitsRow(const VerdictLimits& limits) {
  const float floor = limits.correlationPeakFloor();
  return {
      {"Limits", {}},
      {"", {}},
      {number(kStartTimeLimitUs, 0, "+/-"), {}},
      {number(limits.phaseDeg, 0, "+/-"), {}},
      {number(limits.distortionPct, 0, "<= "), {}},
      {floor > 0 ? number(floor, 3, ">= ") : "> 0", {}},
      {number(kCorrelationLagMs, 1, "+/-"), {}},
      {"Normal", {}},
      {number(100 * kWeakSignalShare, 1, ">= "), {}},
      {"", {}},
      {"", {}},
  };
}

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

void setPageFont(Canvas& canvas, double points, bool bold) {
  canvas.setFont("Arial", points * canvas.pixelHeight() / kPointsPerA4Width, bold);
}

Colorref cellColour(const FleetCell& cell) {
  if (!cell.pass) return app::kBlack;
  return *cell.pass ? kPassGreen : kFailRed;
}

}  // namespace

void drawVerdictRow(Canvas& canvas, const VibratorVerdict& verdict) {
  struct Piece {
    std::string text;
    bool pass;
    bool bold;
  };
  std::vector<Piece> pieces{{verdict.pass() ? "PASS" : "FAIL", verdict.pass(), true}};
  for (const VerdictItem& item : verdictItems(verdict))
    pieces.push_back({item.name + " " + item.reading, item.pass, false});
  const auto width = [&](double points) {
    double total = kRowGap * static_cast<double>(pieces.size() - 1);
    for (const Piece& p : pieces) {
      setPaneFont(canvas, "Arial", points, p.bold);
      total += canvas.measureText(p.text).width;
    }
    return total;
  };
  double points = kRowPoints;
  double total = width(points);
  if (total > kRowRight - kRowLeft) {
    points *= (kRowRight - kRowLeft) / total;
    total = width(points);
  }
  double x = std::max(kRowLeft, kPaneSize / 2 - total / 2);
  for (const Piece& p : pieces) {
    setPaneFont(canvas, "Arial", points, p.bold);
    canvas.setTextColour(p.pass ? kPassGreen : kFailRed);
    canvas.text({x, kVerdictRowTop}, p.text, app::HAlign::Left, app::VAlign::Top);
    x += canvas.measureText(p.text).width + kRowGap;
  }
}

StartTimeLabel startTimeLabel(const VibratorVerdict& verdict) {
  if (!verdict.signalPass) return {"No signal", kFailRed};
  if (!verdict.startTimeErrorUs) return {"Start Time Error not measured", kFailRed};
  char text[64];
  std::snprintf(text, sizeof text, "Start Time Error %.1fuS",
                static_cast<double>(*verdict.startTimeErrorUs));
  return {text, std::abs(*verdict.startTimeErrorUs) > kStartTimeLimitUs ? kFailRed : kPassGreen};
}

void drawStartTimeLabel(Canvas& canvas, const VibratorVerdict& verdict, PointF at) {
  const StartTimeLabel label = startTimeLabel(verdict);
  setPaneFont(canvas, "Arial", 9, true);
  canvas.setTextColour(label.colour);
  canvas.text(at, label.text, app::HAlign::Centre, app::VAlign::Centre);
}

std::vector<FleetRow> fleetRows(const std::vector<FleetEntry>& entries,
                                const VerdictLimits& limits) {
  std::vector<FleetRow> rows;
  FleetRow header;
  for (const char* title : kColumnTitles) header.push_back({title, {}});
  rows.push_back(std::move(header));
  rows.push_back(limitsRow(limits));
  for (const FleetEntry& e : entries) rows.push_back(e.verdict ? judgedRow(e) : skippedRow(e));
  return rows;
}

std::string fleetCsv(const std::vector<FleetEntry>& entries, const VerdictLimits& limits) {
  std::string csv;
  for (const FleetRow& row : fleetRows(entries, limits)) {
    for (std::size_t c = 0; c < row.size(); ++c) csv += (c == 0 ? "" : ",") + csvField(row[c].text);
    csv += "\r\n";
  }
  return csv;
}

void drawFleetTable(Canvas& canvas, const std::vector<FleetEntry>& entries,
                    const VerdictLimits& limits, std::string_view title,
                    std::string_view subtitle) {
  canvas.setWorldWindow({0, 0, kFleetWidth, kFleetHeight});
  canvas.clear(app::kWhite);
  setPageFont(canvas, 14, true);
  canvas.setTextColour(kTitleGreen);
  canvas.text({kFleetWidth / 2, kFleetMargin}, title, app::HAlign::Centre, app::VAlign::Top);
  setPageFont(canvas, 9, false);
  canvas.setTextColour(kVibratorPurple);
  canvas.text({kFleetWidth / 2, kFleetMargin + 40}, subtitle, app::HAlign::Centre,
              app::VAlign::Top);

  const std::vector<FleetRow> rows = fleetRows(entries, limits);
  const double top = kFleetMargin + 90;
  const double rowHeight =
      std::min(34.0, (kFleetHeight - kFleetMargin - top) / static_cast<double>(rows.size()));
  const double points = std::min(9.0, rowHeight * 0.5 * kPointsPerA4Width / kFleetHeight);
  double columnLeft[kColumns + 1];
  columnLeft[0] = kFleetMargin;
  for (std::size_t c = 0; c < kColumns - 1; ++c)
    columnLeft[c + 1] = columnLeft[c] + kColumnWidths[c];
  columnLeft[kColumns] = kFleetWidth - kFleetMargin;

  for (std::size_t r = 0; r < rows.size(); ++r) {
    const double y = top + static_cast<double>(r) * rowHeight;
    canvas.setPen(kGridGrey, 1, app::PenStyle::Solid, false);
    canvas.line({kFleetMargin, y + rowHeight}, {kFleetWidth - kFleetMargin, y + rowHeight});
    const bool heading = r < 2;
    const FleetRow& row = rows[r];
    for (std::size_t c = 0; c < row.size() && c < kColumns; ++c) {
      if (row[c].text.empty()) continue;
      // A skipped row's reason runs from the first number column, where there is room.
      const bool reason = c == kColumns - 1 && row[kVerdictColumn].text == "SKIPPED";
      const double left = reason ? columnLeft[2] : columnLeft[c];
      const double room = (reason ? columnLeft[kVerdictColumn] : columnLeft[c + 1]) - left - 8;
      const bool bold = c == kVerdictColumn || r == 0;
      setPageFont(canvas, points, bold);
      // A text wider than its column (a long list of failed verdicts) is set smaller.
      if (const double width = canvas.measureText(row[c].text).width; width > room)
        setPageFont(canvas, 0.9 * points * room / width, bold);
      canvas.setTextColour(heading ? kHeaderBlue : cellColour(row[c]));
      canvas.text({left + 4, y + rowHeight / 2}, row[c].text, app::HAlign::Left,
                  app::VAlign::Centre);
      if (reason) break;
    }
  }
  canvas.setPen(kHeaderBlue, 1, app::PenStyle::Solid, false);
  canvas.rectangle({kFleetMargin, top}, {kFleetWidth - kFleetMargin,
                                         top + rowHeight * static_cast<double>(rows.size())});
}

}  // namespace vorax::vibsim
