// The time slice: the spread's boxes coloured by every trace's sample at one time, one
// frame per sample. Each sample is divided by its trace's peak, so that whatever units the
// loader kept (normalised to 1, or recorded mV) -1 is red, 0 yellow-green and +1 cyan-blue.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "app/canvas.h"
#include "decode/segd_record.h"
#include "spread/spread_layout.h"

namespace vorax::spread {

// HSV to RGB: hue in degrees (capped at 360, then taken modulo 360), saturation and value
// 0..1; each component x 255 to the nearest whole number. Saturation 0 gives grey (v, v, v).
decode::Colorref hsvToRgb(double hueDegrees, double saturation, double value);

// The colour of a sample: hue 100 x (1 + sample), full saturation and value. A hue below 0
// (a sample below -1) is taken as 0; NaN is the out-of-range grey.
decode::Colorref timeSliceColour(float sample);

// The time of sample j (0-based) in ms.
double sampleTimeMs(const decode::SegdRecord& record, std::int32_t sample);

// Element t: the largest finite magnitude of trace t's samples (0 for a trace of no signal);
// element 0 unused. Worked out once for a whole run of frames.
std::vector<float> timeSlicePeaks(const decode::SegdRecord& record);

// One live trace's box in a frame: `value` is the sample over its trace's peak, -1..+1 (0 on
// a trace of no signal, NaN for a damaged sample), `colour` the colour of that value.
struct TimeSliceBox {
  std::int32_t trace = 0;
  float line = 0;
  float point = 0;
  float value = 0;
  decode::Colorref colour = 0;
};

// The boxes of every live trace at `sample` (0..S-1), in trace order; `peaks` as
// timeSlicePeaks gives them.
std::vector<TimeSliceBox> timeSliceBoxes(const decode::SegdRecord& record,
                                         std::span<const float> peaks, std::int32_t sample);

// One frame: the legend frame outline and the title "Time Slice"; with `sample` in
// 0..S-1 also the frame filled with the colours of -1..+1 under "Sample / trace peak", the
// line and point labels, the boxes of timeSliceBoxes and "Time " with the sample's time in
// ms ("0.0") under the legend frame. Without a sample only the frame and
// title are drawn (a record of no samples). The caller writes the debug-log lines of a run.
void drawTimeSliceFrame(app::Canvas& canvas, const decode::SegdRecord& record,
                        const SpreadLayout& layout, std::span<const float> peaks,
                        std::int32_t sample);

}  // namespace vorax::spread
