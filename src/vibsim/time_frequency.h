// The time-frequency picture ("FT Analysis"): amplitude spectra of short windows 50 ms apart
// along the analysis length, in dB, coloured from blue (weak) through cyan, green and yellow
// to red (strongest) with a colour bar labelled "DB". Time runs across, frequency upwards to "Max
// Frequency".
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "dsp/fft.h"
#include "vibsim/plot_primitives.h"

namespace vorax::vibsim {

// Each column is the Blackman-tapered window of kTimeFrequencyWindowMs centred on the
// column's time (zero beyond the trace), zero-padded four times so that the rows are about
// 1 Hz apart at 0.5 ms. Levels run from the picture's strongest cell down to
// kTimeFrequencyFloorDb below it; weaker cells take the floor.
inline constexpr double kTimeFrequencyWindowMs = 256;
inline constexpr double kTimeFrequencyFloorDb = 60;

struct TimeFrequencyGrid {
  int columns = 0;
  int rows = 0;              // frequencies 0 .. about maxFrequency, evenly spaced
  double columnStepMs = 0;   // column c is centred on c x columnStepMs
  double rowStepHz = 0;      // row r is r x rowStepHz
  std::vector<float> level;  // columns x rows, column-major; 0 (floor) .. 1 (strongest)

  float at(int column, int row) const {
    return level[static_cast<std::size_t>(column) * static_cast<std::size_t>(rows) +
                 static_cast<std::size_t>(row)];
  }
};

// Column step in samples = round(50 ms / dt), columns = round(samples.size() / step). An
// empty or silent input, or a sample interval that is not positive, gives an empty grid.
TimeFrequencyGrid computeTimeFrequency(dsp::Fft& fft, std::span<const float> samples, double dtMs,
                                       int maxFrequency);

// Frame, caption, the cells (left part of the band), the colour bar at its right labelled
// "DB", the frequency labels "0" and maxFrequency, and the time axis in ms.
void drawTimeFrequencyPicture(Canvas& canvas, const PlotBand& band, const TimeFrequencyGrid& grid,
                              int maxFrequency, std::string_view caption);

}  // namespace vorax::vibsim
