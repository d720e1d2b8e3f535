// The time slice: the spread's boxes coloured by every trace's sample at one time, one
// frame per sample. Samples are normalised to a peak of 1, so -1 is red, 0 yellow-green and
// +1 cyan-blue.
#pragma once

#include <cstdint>

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

// One frame: the legend frame outline and the title "Time Slice"; with `sample` in
// 0..S-1 also the frame filled with the colours of -1..+1, the line and point labels,
// every live trace's box in the colour of that sample and "Time " with the sample's time in
// ms ("0.0") under the legend frame. Without a sample only the frame and
// title are drawn (a record of no samples). The caller writes the debug-log lines of a run.
void drawTimeSliceFrame(app::Canvas& canvas, const decode::SegdRecord& record,
                        const SpreadLayout& layout, std::int32_t sample);

}  // namespace vorax::spread
