// Trace selection statistics: RMS, signed peak and the stacked amplitude spectrum of a
// rectangle of the record (a range of traces by a range of samples), and its spectrum plot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/canvas.h"
#include "app/plot_frame.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"

namespace vorax::app {

struct SelectionRectangle {
  std::int32_t firstTrace = 0;
  std::int32_t lastTrace = 0;
  std::int32_t startSample = 0;
  std::int32_t endSample = 0;
  friend bool operator==(const SelectionRectangle&, const SelectionRectangle&) = default;
};

// First <= last and start <= end, each pair swapped when reversed.
SelectionRectangle orderedSelection(SelectionRectangle selection);

struct SelectionStatistics {
  SelectionRectangle range;  // ordered and limited to the traces and samples the record holds
  double startMs = 0;        // the record's times of the first and last samples
  double endMs = 0;
  double rms = 0;               // recorded units (mV): sqrt of the plain mean of the squares
  double peak = 0;              // the signed value of largest magnitude, the first one met on a tie
  std::vector<float> spectrum;  // bins 0..N/2, summed over the traces
  double binHz = 0;
  bool empty = true;  // no trace or no sample of the rectangle is in the record
};

// Orders the rectangle, limits it to traces 1..held and samples 0..samples per trace - 1,
// and computes the statistics (values as recorded, NaN samples counting as 0) and the sum
// over its traces of the amplitude spectra of the Blackman-tapered normalised samples.
SelectionStatistics analyseSelection(const decode::SegdRecord& record, SelectionRectangle selection,
                                     dsp::Fft& fft);

// The whole of one trace, as the single trace view's "FFT" button selects it.
SelectionRectangle wholeTraceSelection(const decode::SegdRecord& record, std::int32_t trace);

// The spectrum divided by its largest value (all 0 when the largest is not above 0).
std::vector<float> normalisedSpectrum(const std::vector<float>& spectrum);

// "<" (widen: round(upper / 0.9)) and ">" (narrow: round(0.9 x upper)), never beyond the
// last bin nor below bin 1.
std::size_t widenUpperBin(std::size_t upper, std::size_t lastBin);
std::size_t narrowUpperBin(std::size_t upper, std::size_t lastBin);

// A statistic in microvolts, "0.000".
std::string microvoltText(double mv);

struct SelectionPlotOptions {
  bool dbScale = false;
  bool title = true;
  bool values = true;
  bool fromSingleTrace = false;  // title "FFT Trace Selection"
  std::size_t upperBin = 0;      // last bin plotted; 0 or beyond the last means the last
};

// Frequency (Hz) across, log10 of the normalised level up.
PlotGeometry drawSelectionSpectrum(Canvas& canvas, const SelectionStatistics& statistics,
                                   const SelectionPlotOptions& options);

// The "Cursor" read-out of a point of the plot: the frequency and the level of the nearest
// bin, as "12.5Hz  -6.0dB" (dB of the largest level), or the plain level when dbScale is
// off. None outside the plot of a picture of width x height.
struct SpectrumCursor {
  std::size_t bin = 0;
  std::string text;
};
std::optional<SpectrumCursor> spectrumCursorAt(const SelectionStatistics& statistics,
                                               const PlotGeometry& plot, int width, int height,
                                               PointF pixel, bool dbScale);

}  // namespace vorax::app
