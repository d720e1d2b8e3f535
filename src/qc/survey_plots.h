// The survey plots of the report and the Survey QC window: flagged traces per record in shot
// order, and the receivers flagged in most records. Drawn onto any canvas.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "app/canvas.h"
#include "qc/record_qc.h"
#include "qc/survey_summary.h"

namespace vorax::qc {

// The bar colours of the verdicts (COLORREF), shared by the plot legend and the report.
inline constexpr app::Colorref kDeadColour = 0x404040;      // dark grey
inline constexpr app::Colorref kReversedColour = 0xC000C0;  // purple
inline constexpr app::Colorref kNoisyColour = 0x0000E0;     // red
inline constexpr app::Colorref kSpikeColour = 0x0090FF;     // orange
inline constexpr app::Colorref kUnreadableColour = 0xB0B0B0;

// Seconds from 1 Jan 1970 of the shot's date ("YYYY-MM-DD") and time ("HH:MM:SS"); nothing when
// either does not parse.
std::optional<double> shotSeconds(const RecordQc& record);

// The records in shot order: by shot time when every record has one, else as given (stable).
std::vector<const RecordQc*> inShotOrder(std::span<const RecordQc> records);

// One stacked bar per record, in shot order: its dead, reversed, noisy and spike traces; an
// unreadable record a grey bar of full height. Titles, y ticks, first and last shot below.
void drawFlagsPerRecord(app::Canvas& canvas, std::span<const RecordQc> records);

// One horizontal bar per receiver, the most flagged at the top, with its count. Only the first
// receivers whose names fit one above the other in the canvas's height are drawn.
void drawReceiversFlagged(app::Canvas& canvas, std::span<const ReceiverFlags> receivers);

}  // namespace vorax::qc
