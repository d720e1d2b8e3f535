// The frequency slice: the spread's boxes coloured by every trace's spectral amplitude at
// one frequency, one frame per spectrum bin of a band. Levels are six decades below the
// reference peak (0, blue) up to the peak (1, red).
#pragma once

#include <cstdint>
#include <optional>

#include "app/canvas.h"
#include "decode/segd_record.h"
#include "spread/slice_spectra.h"
#include "spread/spread_layout.h"

namespace vorax::spread {

enum class PeakReference { Trace, Spread };

// Nyquist frequency in kHz for a sample interval in microseconds; nothing for an interval
// that is not a positive number.
std::optional<double> nyquistKhz(double sampleIntervalUs);

struct SliceBand {
  std::int32_t firstBin = 0;
  std::int32_t lastBin = 0;
};

// The bins of From..To (Hz, From below 0 taken as 0 and To below 1 as 1): each the nearest
// whole number to B x (f / 1000) / fN; a first bin outside 1..B becomes 0, a last one B.
SliceBand sliceBand(std::int32_t binCount, double nyquist, double fromHz, double toHz);

// Frequency of bin k in Hz.
double binFrequencyHz(std::int32_t bin, std::int32_t binCount, double nyquist);

// The Position slider counts hundredths of a hertz: 0 .. round(100000 fN).
std::int32_t positionSliderMaximum(double nyquist);
std::int32_t positionOf(double hz);

// Level of a value against its reference: (6 + log10 ratio) / 6, kept to 0..1; a ratio of 0,
// below 10^-6 or not a number (a zero reference) is level 0.
double sliceLevel(double value, double reference);
// HLSTORGB(240 - 240c, 120, 240c).
decode::Colorref levelColour(double level);

// One frame at bin k: line and point labels, the level bar with "Level", the title
// "Frequency Slice - Ref Peak Record" (Spread) or " - Ref Peak Trace" (Trace), every live
// trace's box, and "Frequency " with the bin's frequency ("0.0") under the bar.
void drawFrequencySliceFrame(app::Canvas& canvas, const decode::SegdRecord& record,
                             const SpreadLayout& layout, const SliceSpectra& spectra,
                             std::int32_t bin, PeakReference reference);

}  // namespace vorax::spread
