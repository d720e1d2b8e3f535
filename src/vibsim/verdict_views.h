// The verdicts where the user looks: a row of them under every page's banner, the start-time
// label of page 1, and the fleet table that ends a run (drawn, and as CSV text).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vibsim/plot_primitives.h"
#include "vibsim/verdict.h"

namespace vorax::vibsim {

inline constexpr Colorref kPassGreen = 0x008000;
inline constexpr Colorref kFailRed = 0x0000FF;

// "PASS" or "FAIL", then each verdict item as "Name reading", in green or red, along one line
// centred in the banner between its title row and its second row (from y = 955 down). The
// font (8 pt) shrinks when the line would not fit between x = 20 and x = 980.
inline constexpr double kVerdictRowTop = 955;
void drawVerdictRow(Canvas& canvas, const VibratorVerdict& verdict);

// Page 1 pane B: "Start Time Error " + the value as "0.0" + "uS", green up to 100 us and red
// above; "No signal" in red when the signal verdict fails, "Start Time Error not measured" in
// red when no point measured it.
inline constexpr PointF kStartTimeLabelAt{500, 478};
struct StartTimeLabel {
  std::string text;
  Colorref colour = kFailRed;
};
StartTimeLabel startTimeLabel(const VibratorVerdict& verdict);
void drawStartTimeLabel(Canvas& canvas, const VibratorVerdict& verdict,
                        PointF at = kStartTimeLabelAt);

// One row of a run's fleet table: a judged vibrator, or one the run skipped and why.
struct FleetEntry {
  int row = 0;  // set-up row 1..30
  std::string label;
  std::optional<VibratorVerdict> verdict;
  std::string skipped;
};

// The table's text, cell by cell: a header row, the limits used, then one row per entry
// (Row, Vibrator, Start Time (uS), Phase (Deg), Distortion (%), Xcorr Peak, Xcorr Lag (mS),
// Polarity, Signal (% of Ref), Verdict, Failed). A cell's `pass` colours it; header and
// limits cells are neither.
struct FleetCell {
  std::string text;
  std::optional<bool> pass;
};
using FleetRow = std::vector<FleetCell>;
std::vector<FleetRow> fleetRows(const std::vector<FleetEntry>& entries,
                                const VerdictLimits& limits);

// The same rows as CSV (comma separated, fields holding a comma or a quote quoted, CR LF).
std::string fleetCsv(const std::vector<FleetEntry>& entries, const VerdictLimits& limits);

// The table on a landscape page (world 0..1414 across, 0..1000 down): `title` and `subtitle`
// at the top, the rows below, each cell in green or red.
inline constexpr int kFleetPictureWidth = 1485;
inline constexpr int kFleetPictureHeight = 1050;
void drawFleetTable(Canvas& canvas, const std::vector<FleetEntry>& entries,
                    const VerdictLimits& limits, std::string_view title, std::string_view subtitle);

}  // namespace vorax::vibsim
