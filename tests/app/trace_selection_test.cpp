#include "app/trace_selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "app/display_fixture.h"
#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

// Traces 1..3 of 64 samples at 2 ms. Recorded values (stored x divisor):
//   trace 1: 1 at sample 0, -2 at sample 1 (stored 0.5, -1; divisor 2)
//   trace 2: 2 at sample 0 (stored 1; divisor 2), then sin(2 pi j / 8) (stored half that)
//   trace 3: all negative: -0.25 everywhere, -0.5 at sample 5 (divisor 1)
decode::SegdRecord selectionRecord() {
  decode::SegdRecord record = test::makeDisplayRecord(3, 64, 2000);
  record.traceDivisor = {1, 2, 2, 1};
  record.samples.at(1, 0) = 0.5f;
  record.samples.at(1, 1) = -1;
  for (std::int32_t j = 1; j < 64; ++j)
    record.samples.at(2, j) = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * j / 8));
  record.samples.at(2, 0) = 1;
  for (std::int32_t j = 0; j < 64; ++j) record.samples.at(3, j) = -0.25f;
  record.samples.at(3, 5) = -0.5f;
  return record;
}

TEST(TraceSelection, RmsIsThePlainMeanAndPeakTheSignedLargest) {
  const decode::SegdRecord record = selectionRecord();
  dsp::Fft fft;
  // Traces 1-2, samples 0-1: 1, -2, 2, sin(pi/4) -> squares 1 + 4 + 4 + 0.5 = 9.5 over 4.
  const SelectionStatistics s = analyseSelection(record, {1, 2, 0, 1}, fft);
  EXPECT_NEAR(s.rms, std::sqrt(9.5 / 4), 1e-6);
  EXPECT_EQ(s.peak, -2);  // |-2| met before the equal |2| of trace 2
  EXPECT_EQ(s.startMs, 0);
  EXPECT_EQ(s.endMs, 2);
  EXPECT_EQ(microvoltText(s.rms), "1541.103");
  EXPECT_EQ(microvoltText(s.peak), "-2000.000");
  decode::SegdRecord delayed = selectionRecord();
  delayed.startTimeMs = -10;  // sample 0 at -10 ms, sample 1 at -8 ms (2 ms interval)
  const SelectionStatistics d = analyseSelection(delayed, {1, 2, 0, 1}, fft);
  EXPECT_EQ(d.startMs, -10);
  EXPECT_EQ(d.endMs, -8);
}

TEST(TraceSelection, ADragInEitherDirectionIsTheSameRectangle) {
  const decode::SegdRecord record = selectionRecord();
  dsp::Fft fft;
  const SelectionStatistics forward = analyseSelection(record, {1, 3, 2, 40}, fft);
  for (SelectionRectangle reversed :
       {SelectionRectangle{3, 1, 40, 2}, SelectionRectangle{1, 3, 40, 2},
        SelectionRectangle{3, 1, 2, 40}}) {
    const SelectionStatistics s = analyseSelection(record, reversed, fft);
    EXPECT_EQ(s.range, (SelectionRectangle{1, 3, 2, 40}));
    EXPECT_EQ(s.rms, forward.rms);
    EXPECT_EQ(s.peak, forward.peak);
    EXPECT_EQ(s.spectrum, forward.spectrum);
  }
}

TEST(TraceSelection, OneSampleGivesItsMagnitudeAndAllNegativeGivesANegativePeak) {
  const decode::SegdRecord record = selectionRecord();
  dsp::Fft fft;
  const SelectionStatistics one = analyseSelection(record, {1, 1, 1, 1}, fft);
  EXPECT_EQ(one.rms, 2);
  EXPECT_EQ(one.peak, -2);
  const SelectionStatistics negative = analyseSelection(record, {3, 3, 0, 63}, fft);
  EXPECT_EQ(negative.peak, -0.5);
  EXPECT_TRUE(analyseSelection(record, {5, 7, 0, 3}, fft).empty);  // no such traces
}

// Independent check: the direct DFT of the Blackman-tapered, peak-normalised samples.
std::vector<double> directSpectrum(const std::vector<double>& x, std::size_t n) {
  const double u = static_cast<double>(x.size() - 1);
  std::vector<double> out(n / 2 + 1, 0.0);
  for (std::size_t k = 1; k <= n / 2; ++k) {
    std::complex<double> sum = 0;
    for (std::size_t t = 0; t < x.size(); ++t) {
      const double w = 0.42 - 0.5 * std::cos(2 * 3.14159268 * t / (u - 1)) +
                       0.08 * std::cos(4 * 3.14159268 * t / (u - 1));
      sum += x[t] * w *
             std::polar(
                 1.0, -2 * std::numbers::pi * static_cast<double>(k * t) / static_cast<double>(n));
    }
    out[k] = std::abs(sum);
  }
  return out;
}

TEST(TraceSelection, SpectrumIsTheSumOfTheTracesTaperedSpectra) {
  const decode::SegdRecord record = selectionRecord();
  dsp::Fft fft;
  const SelectionStatistics s = analyseSelection(record, {2, 3, 0, 63}, fft);
  std::vector<double> wave(64);
  std::vector<double> negative(64);
  for (std::size_t j = 0; j < 64; ++j) {
    wave[j] = record.samples.at(2, static_cast<std::int32_t>(j));            // peak already 1
    negative[j] = record.samples.at(3, static_cast<std::int32_t>(j)) / 0.5;  // normalised to peak 1
  }
  const std::vector<double> a = directSpectrum(wave, 64);
  const std::vector<double> b = directSpectrum(negative, 64);
  ASSERT_EQ(s.spectrum.size(), 33u);
  EXPECT_DOUBLE_EQ(s.binHz, 1000.0 / (64 * 2));
  for (std::size_t k = 0; k < 33; ++k) EXPECT_NEAR(s.spectrum[k], a[k] + b[k], 1e-4) << k;
  const std::vector<float> level = normalisedSpectrum(s.spectrum);
  EXPECT_EQ(*std::max_element(level.begin(), level.end()), 1.0f);
}

TEST(TraceSelection, UpperBinWidensAndNarrowsByATenthWithinTheSpectrum) {
  EXPECT_EQ(narrowUpperBin(512, 512), 461u);  // 460.8
  EXPECT_EQ(widenUpperBin(461, 512), 512u);   // 512.2
  EXPECT_EQ(widenUpperBin(512, 512), 512u);   // never past the Nyquist bin
  EXPECT_EQ(narrowUpperBin(5, 512), 5u);      // 4.5 rounds up
  EXPECT_EQ(narrowUpperBin(1, 512), 1u);
}

TEST(TraceSelection, WholeTraceIsEverySampleTheTraceHolds) {
  const decode::SegdRecord record = selectionRecord();
  EXPECT_EQ(wholeTraceSelection(record, 2), (SelectionRectangle{2, 2, 0, 63}));
}

TEST(TraceSelectionPlot, DrawsLevelsTitleAndValuesAsAsked) {
  const decode::SegdRecord record = selectionRecord();
  dsp::Fft fft;
  const SelectionStatistics s = analyseSelection(record, {1, 2, 0, 1}, fft);
  SelectionPlotOptions options;
  options.dbScale = true;
  options.fromSingleTrace = true;
  RecordingCanvas canvas;
  const PlotGeometry plot = drawSelectionSpectrum(canvas, s, options);
  ASSERT_TRUE(plot.hasData);
  EXPECT_DOUBLE_EQ(plot.data.top, std::log10(1.2));
  for (const char* text :
       {"FFT Trace Selection", "0dB ", "-6dB ", "First Trace 1", "Last Trace 2", "Start Time 0 ms",
        "End Time 2 ms", "RMS 1541.103 uV", "Peak -2000.000 uV"})
    EXPECT_NE(canvas.findText(text), nullptr) << text;
  EXPECT_EQ(canvas.findText("ABCDEFGEHIJKLMNOPQ"), nullptr);

  options = {};
  options.title = false;
  options.values = false;
  RecordingCanvas plain;
  drawSelectionSpectrum(plain, s, options);
  EXPECT_EQ(plain.findText("Trace Selection"), nullptr);
  EXPECT_EQ(plain.findText("First Trace 1"), nullptr);
  EXPECT_NE(plain.findText("0.501"), nullptr);  // -6 dB as a plain level
}

}  // namespace
}  // namespace vorax::app
