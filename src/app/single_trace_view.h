// The single trace view: one trace at full resolution with zoom, pan and amplitude buttons,
// its RMS, sample numerics on short windows, and the state that the window's buttons change.
// Plot: x in samples, y the normalised sample times the view scale (+1 top, -1 bottom).
#pragma once

#include <cstdint>
#include <string>

#include "app/canvas.h"
#include "app/frequency_vs_time.h"
#include "app/plot_frame.h"
#include "base/debug_log.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"

namespace vorax::app {

enum class SingleTraceMode : std::int32_t { FrequencyVsTime = 1, Trace = 2, TimeFrequency = 3 };

// The times of the view are the record's: its first sample lies at its start time (before
// the shot for a record with a delay).
struct SingleTraceState {
  std::int32_t viewTrace = 0;
  float viewStartMs = 0;
  float viewEndMs = 0;
  float viewScale = 1;  // multiplies the normalised samples; 0 or less counts as 1
  SingleTraceMode viewMode = SingleTraceMode::Trace;
  bool numericsOn = false;
  float rmsUnitFactor = 1;  // 1: RMS and numerics in mV; 1000: in uV
};

// The times a record spans, in ms: from its start time to the start time plus its length.
struct RecordTimes {
  float firstMs = 0;
  float endMs = 0;
};
RecordTimes recordTimesOf(const decode::SegdRecord& record);

// The state when the view opens on `trace`: the whole record, scale 1, the trace display.
SingleTraceState openSingleTrace(const decode::SegdRecord& record, std::int32_t trace);

// The window and scale buttons, named by their captions.
enum class ViewButton {
  ZoomIn,       // "<>": halve the window about its centre
  ZoomOut,      // "><": double it about its centre
  ScaleUp,      // "+": scale x 1.5
  ScaleDown,    // "-": scale / 1.5
  ShiftRight,   // "->": a tenth of the width later, stopping at the record's end
  ShiftLeft,    // "<-": a tenth earlier, stopping at the record's start
  ResetScale,   // "R": scale 1
  StartDouble,  // "|<": from the record's start, twice as long
  StartHalve,   // "|>": from the record's start, half as long
  WholeTrace,   // "|---|": the whole record
};

// Applies a button, then the window limits of limitViewWindow.
void applyViewButton(SingleTraceState& state, ViewButton button, RecordTimes record);

// A start before the record's becomes the record's; an end beyond the record's, or not after
// the start, becomes the record's; a scale of 0 or less becomes 1.
void limitViewWindow(SingleTraceState& state, RecordTimes record);

// Numerics are offered while the window shows fewer than this many samples.
inline constexpr std::int64_t kNumericsSampleLimit = 150;

// How many samples j (0 <= j < samples per trace) lie in startMs <= the sample's time <= endMs.
std::int64_t samplesInWindow(const decode::SegdRecord& record, double startMs, double endMs);
bool numericsAllowed(const decode::SegdRecord& record, const SingleTraceState& state);

// RMS of the whole trace as recorded (mV): sqrt(sum of x(j)^2 over the N samples / (N - 1)),
// a NaN sample counting as 0; one sample divides by 1, none gives 0.
double traceRms(const decode::SegdRecord& record, std::int32_t trace);

// "Trace RMS " + rms + "mV" at 1 mV and above, else "Trace RMS " + rms x 1000 + "uV"; the
// unit factor (1 or 1000) is stored in `unitFactor`.
std::string traceRmsText(double rmsMv, float& unitFactor);

// The trace display's data units: x in samples, y in scaled normalised units.
// DrawSingleTrace: limits the window, clears numerics when they are not allowed, sets the
// RMS unit factor, and draws the trace, its captions, numerics and time labels.
PlotGeometry DrawSingleTrace(Canvas& canvas, const decode::SegdRecord& record,
                             SingleTraceState& state);

// "F vs T" of the view's trace over samples 0..n, n the sample at viewEndMs (samples past the
// trace's end count as 0); the points' times are the record's.
std::vector<FrequencyPoint> traceFrequencyVsTime(const decode::SegdRecord& record,
                                                 const SingleTraceState& state, dsp::Fft& fft,
                                                 const base::DebugLog* log = nullptr);

// "FT An." of the whole trace, its times the record's.
TimeFrequencyImage traceTimeFrequency(const decode::SegdRecord& record, std::int32_t trace,
                                      dsp::Fft& fft);

// The caption of the time-frequency plots: the channel, the mode's name and the window.
std::string timeFrequencyCaption(const decode::SegdRecord& record, const SingleTraceState& state);

// What the view's graphic area shows (data units: the trace display's, or ms across and Hz
// up in the time-frequency modes) in the state's mode: DrawSingleTrace, the "F vs T" plot
// or the "FT An." image. `image` is the trace's spectrogram when the caller keeps one (it is
// computed here when null).
PlotGeometry drawSingleTraceView(Canvas& canvas, const decode::SegdRecord& record,
                                 SingleTraceState& state, dsp::Fft& fft,
                                 const base::DebugLog* log = nullptr,
                                 const TimeFrequencyImage* image = nullptr);

}  // namespace vorax::app
