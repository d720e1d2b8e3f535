// The main display: the record's traces as wiggles with positive fill, time running down,
// with channel labels, a time axis, a banner line and the file-header panel in the right
// margin. One x unit is one trace spacing (trace i is drawn about x = i), one y unit one
// sample (y grows downwards).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "app/canvas.h"
#include "app/display_mode.h"
#include "app/display_state.h"
#include "app/wiggle_drawing.h"
#include "decode/segd_record.h"

namespace vorax::app {

// The font of the main display's texts, sized to the picture.
inline constexpr const char* kDisplayFontFamily = "Arial";

// The text of the red banner line at the foot of the main display.
inline constexpr const char* kBannerText = "VORAX Viewer " VORAX_VERSION;

// The settings the renderer reads.
struct DisplayOptions {
  DisplayMode mode = DisplayMode::Wiggle;
  // None: true amplitude x gain; Peak: normalised to each trace's peak; Rms: each trace's RMS
  // drawn kBalancedRmsLevel trace spacings wide before the gain.
  TraceBalance balance = TraceBalance::Peak;
  // Above 0: each sample divided by the RMS of the window of this length centred on it (AGC),
  // then drawn as the RMS balance draws, instead of the balance.
  float agcWindowMs = 0;
  float clip = 0.75f;             // largest excursion (density: full colour), in trace spacings
  bool ignoreTiltErrors = false;  // recolour tilt-flagged traces black when over 100 of them
};

// The colour a trace's error colour is drawn in: yellow is darkened to show on white.
Colorref shownTraceColour(Colorref errorColour);

// What each trace colour the loaders give means, in the order of the display's legend.
struct TraceColourKey {
  Colorref colour;
  const char* meaning;
};
extern const std::array<TraceColourKey, 6> kTraceColourKeys;

// What a drawing leaves behind for the pointer read-out and printing.
struct RecordDisplayGeometry {
  WorldWindow world;            // xLeft, yTop, xRight, yBottom
  std::int32_t x0 = 0;          // the trace area's left edge: the first trace shown - 1
  std::int32_t x1 = 1;          // last trace shown + 1 (the trace area's right edge)
  std::int32_t firstTrace = 1;  // first and last traces drawn (last < first: none)
  std::int32_t lastTrace = 0;
  double s0 = 0;  // first and last displayed samples
  double s1 = 1;
  double textHeight = 0;   // height of the display font, in samples
  double fontPixels = 0;   // the display font's size, for drawing over the display later
  bool hasTraces = false;  // false: the record could not be shown (no samples, no interval)
};

// The sample window of a display window in ms (times of the record, whose first sample lies
// at its start time): start and end less the start time, divided by the sample interval in
// ms, the end limited to the record's last sample. Empty (s1 <= s0) when the record has no
// sample interval.
SampleWindow sampleWindowOf(const decode::SegdRecord& record, double startMs, double endMs);

// The time in ms of a (fractional) sample index of the record.
double sampleTimeMs(const decode::SegdRecord& record, double sample);

// The seismic channel number of a trace: its index less the auxiliary traces before it. A
// Sercel record puts its auxiliary traces first, so that is the record's auxiliary trace
// count. Other records mark each trace (a VORAX record writes its auxiliary traces after the
// seismic ones): only the auxiliary traces before the trace count there, and an auxiliary
// trace itself has channel 0 (no channel).
std::int32_t seismicChannelNumber(const decode::SegdRecord& record, std::int32_t trace);

// Whether the display gain applies to the record's traces (otherwise they are drawn at 0 dB).
// A VORAX record decides by trace 1: the gain applies only when it is seismic. Other records
// (Sercel, SEG-2, standard) put their auxiliary traces first, so they decide by their first seismic
// trace, the one after the auxiliary traces: the gain applies when the record holds it.
bool displayGainApplies(const decode::SegdRecord& record);
// Draws the whole main display for state.firstTrace..lastTrace and the state's time window
// and gain; a record without samples or sample interval gets the empty no-record frame. Only traces
// the record holds are drawn. Tilt-flagged (green) traces are turned black in the record itself
// when the options ask for it, so the change lasts until the record is read again.
RecordDisplayGeometry DrawRecordDisplay(Canvas& canvas, decode::SegdRecord& record,
                                        const DisplayState& state, const DisplayOptions& options);

}  // namespace vorax::app
