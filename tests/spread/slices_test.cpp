#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "app/readouts.h"
#include "app/recording_canvas.h"
#include "app/utilities.h"
#include "spread/frequency_slice.h"
#include "spread/slice_spectra.h"
#include "spread/spread_record.h"
#include "spread/time_slice.h"

namespace vorax::spread {
namespace {

using app::DrawnItem;
using test::filled;

// The trace boxes: filled rectangles left of the legend.
std::vector<const DrawnItem*> boxes(const app::RecordingCanvas& canvas,
                                    const SpreadLayout& layout) {
  std::vector<const DrawnItem*> out;
  for (const DrawnItem* item : filled(canvas))
    if (item->points[0].x < legendFrameOf(layout).left) out.push_back(item);
  return out;
}

TEST(TimeSlice, SampleColoursRunFromRedThroughYellowGreenToCyanBlue) {
  EXPECT_EQ(timeSliceColour(-1), app::rgb(255, 0, 0));      // hue 0
  EXPECT_EQ(timeSliceColour(0), app::rgb(85, 255, 0));      // hue 100: sector 1, f 2/3
  EXPECT_EQ(timeSliceColour(1), app::rgb(0, 170, 255));     // hue 200: sector 3, f 1/3
  EXPECT_EQ(timeSliceColour(0.8f), app::rgb(0, 255, 255));  // hue 180: sector 3, f 0
  EXPECT_EQ(hsvToRgb(400, 1, 1), app::rgb(255, 0, 0));      // capped at 360, then 360 mod 360 = 0
  EXPECT_EQ(hsvToRgb(-1, 0, 0.5), app::rgb(128, 128, 128));
}

TEST(TimeSlice, ARecordWithoutSamplesDrawsOnlyTheFrameAndTitle) {
  const auto record = test::makeGridRecord(2, 3, 0);
  app::RecordingCanvas canvas;
  drawTimeSliceFrame(canvas, record, computeSpreadLayout(record), timeSlicePeaks(record), 0);
  EXPECT_TRUE(filled(canvas).empty());
  ASSERT_EQ(canvas.texts().size(), 1u);
  EXPECT_EQ(canvas.texts()[0]->text, "Time Slice");
  int outlines = 0;
  for (const DrawnItem& item : canvas.items()) outlines += item.kind == DrawnItem::Kind::Rectangle;
  EXPECT_EQ(outlines, 1);
}

TEST(TimeSlice, EachLiveBoxTakesItsSampleOverItsTracePeak) {
  // Samples in recorded mV, as the seven-block loader keeps them. Trace 2 peaks at +13 mV
  // (sample 1), trace 3 at -10 mV (sample 2); trace 4 is silent, trace 5 damaged at sample 1.
  auto record = test::makeSpreadRecord({{0, 0}, {1, 10}, {1, 11}, {1, 12}, {1, 13}}, 3);
  record.samples.at(1, 1) = 500;  // auxiliary: no box
  record.samples.at(2, 0) = -6.5f;
  record.samples.at(2, 1) = 13;
  record.samples.at(3, 1) = -7.5f;
  record.samples.at(3, 2) = -10;
  record.samples.at(5, 1) = NAN;
  record.samples.at(5, 2) = 4;
  const std::vector<float> peaks = timeSlicePeaks(record);
  EXPECT_EQ(peaks, (std::vector<float>{0, 500, 13, 10, 0, 4}));

  const std::vector<TimeSliceBox> atOne = timeSliceBoxes(record, peaks, 1);
  ASSERT_EQ(atOne.size(), 4u);
  EXPECT_EQ(atOne[0].trace, 2);
  EXPECT_EQ(atOne[0].value, 1.0f);
  EXPECT_EQ(atOne[0].colour, app::rgb(0, 170, 255));  // +1: hue 200
  EXPECT_EQ(atOne[1].value, -0.75f);
  EXPECT_EQ(atOne[1].colour, app::rgb(255, 106, 0));  // hue 25: sector 0, g = 25/60 x 255
  EXPECT_EQ(atOne[2].value, 0.0f);                    // a silent trace is 0, never 0/0
  EXPECT_TRUE(std::isnan(atOne[3].value));
  EXPECT_EQ(atOne[3].colour, app::rgb(128, 128, 128));  // the out-of-range grey
  EXPECT_EQ(timeSliceBoxes(record, peaks, 0)[0].value, -0.5f);
  EXPECT_EQ(timeSliceBoxes(record, peaks, 2)[1].colour, app::rgb(255, 0, 0));  // -1
  EXPECT_TRUE(timeSliceBoxes(record, peaks, 3).empty());  // value S is not a sample

  app::RecordingCanvas canvas;
  const SpreadLayout layout = computeSpreadLayout(record);
  drawTimeSliceFrame(canvas, record, layout, peaks, 1);
  const auto drawn = boxes(canvas, layout);
  ASSERT_EQ(drawn.size(), 4u);
  for (std::size_t k = 0; k < drawn.size(); ++k) EXPECT_EQ(drawn[k]->colour, atOne[k].colour);
  EXPECT_NE(canvas.findText("Time 2.0"), nullptr);  // sample 1 of 2 ms
  EXPECT_NE(canvas.findText("Sample / trace peak"), nullptr);
}

TEST(FrequencySlice, BandLabelsAndSliderOfTheWorkedExample) {
  const double fN = *nyquistKhz(2000);
  EXPECT_DOUBLE_EQ(fN, 0.25);
  const SliceBand band = sliceBand(512, fN, 10, 80);
  EXPECT_EQ(band.firstBin, 20);  // 512 x 0.01 / 0.25 = 20.48
  EXPECT_EQ(band.lastBin, 164);  // 163.84
  EXPECT_EQ(app::fixedDecimals(binFrequencyHz(20, 512, fN), 1), "9.8");  // 9.765625 Hz
  EXPECT_EQ(positionSliderMaximum(fN), 25000);
  EXPECT_EQ(positionOf(binFrequencyHz(20, 512, fN)), 977);

  EXPECT_EQ(sliceBand(512, fN, 10, 300).lastBin, 512);  // above Nyquist: B
  EXPECT_EQ(sliceBand(512, fN, -5, 80).firstBin, 0);
  EXPECT_EQ(sliceBand(512, fN, 10, 0.2).lastBin, 2);  // To below 1 Hz taken as 1: 2.048
  EXPECT_FALSE(nyquistKhz(0).has_value());
}

TEST(FrequencySlice, LevelsSpanSixDecadesWithAFloor) {
  EXPECT_DOUBLE_EQ(sliceLevel(5, 5), 1);
  EXPECT_NEAR(sliceLevel(0.005, 5), 0.5, 1e-12);  // 10^-3
  EXPECT_DOUBLE_EQ(sliceLevel(5e-6, 5), 0);       // exactly six decades down
  EXPECT_DOUBLE_EQ(sliceLevel(1e-9, 5), 0);       // below: floor
  EXPECT_DOUBLE_EQ(sliceLevel(0, 5), 0);          // log of zero
  EXPECT_DOUBLE_EQ(sliceLevel(0, 0), 0);          // a zero reference
  EXPECT_EQ(levelColour(1), app::rgb(255, 0, 0));
  EXPECT_EQ(levelColour(0), app::rgb(128, 128, 128));  // HLS with saturation 0
}

// |X(k)| of x(n) = 0 for n = 0, tapered sample n - 1 for n = 1..S, zero-padded to N, by a
// direct DFT.
double directSpectrum(const std::vector<float>& samples, std::size_t n, std::size_t k) {
  const std::size_t s = samples.size();
  std::complex<double> sum = 0;
  constexpr double kPi = 3.14159268;
  for (std::size_t m = 1; m <= s && m < n; ++m) {
    const double w =
        0.42 - 0.5 * std::cos(2 * kPi * m / (s - 1)) + 0.08 * std::cos(4 * kPi * m / (s - 1));
    sum += static_cast<double>(samples[m - 1]) * w *
           std::polar(1.0, -2 * 3.14159265358979 * k * m / n);
  }
  return std::abs(sum);
}

TEST(SliceSpectraTest, MatchADirectTransformAndFindThePeaks) {
  // 300 samples at 2 ms -> N 512, B 256. Trace 2: 50 Hz, bin 50 x 512 x 0.002 = 51.2.
  // Trace 3: 100 Hz at a quarter of the amplitude. Trace 1 is auxiliary (line 0).
  auto record = test::makeSpreadRecord({{0, 0}, {1, 1}, {1, 2}}, 300);
  std::vector<float> a(300), b(300);
  for (int j = 0; j < 300; ++j) {
    a[j] = static_cast<float>(std::sin(2 * 3.14159265358979 * 50 * j * 0.002));
    b[j] = 0.25f * static_cast<float>(std::sin(2 * 3.14159265358979 * 100 * j * 0.002));
    record.samples.at(2, j) = a[j];
    record.samples.at(3, j) = b[j];
  }
  dsp::Fft fft;
  const std::optional<SliceSpectra> spectra = computeSliceSpectra(record, fft);
  ASSERT_TRUE(spectra.has_value());
  ASSERT_EQ(spectra->traces().size(), 2u);
  EXPECT_EQ(spectra->binCount(), 256);
  for (std::int32_t k : {1, 20, 51, 52, 102, 256}) {
    EXPECT_NEAR(spectra->at(0, k), directSpectrum(a, 512, k),
                1e-3 * (1 + directSpectrum(a, 512, k)))
        << k;
    EXPECT_NEAR(spectra->at(1, k), directSpectrum(b, 512, k),
                1e-3 * (1 + directSpectrum(b, 512, k)))
        << k;
  }
  double peakA = 0;
  for (std::int32_t k = 1; k <= 256; ++k) peakA = std::max(peakA, directSpectrum(a, 512, k));
  EXPECT_NEAR(spectra->tracePeak(0), peakA, 1e-3 * peakA);
  EXPECT_FLOAT_EQ(spectra->spreadPeak(), spectra->tracePeak(0));
  EXPECT_LT(spectra->tracePeak(1), 0.3 * spectra->tracePeak(0));

  // Trace Peak: each trace reaches the top colour at its own strongest bin; Spread Peak only
  // the strongest trace does.
  const SpreadLayout layout = computeSpreadLayout(record);
  auto boxColours = [&](std::int32_t bin, PeakReference reference) {
    app::RecordingCanvas canvas;
    drawFrequencySliceFrame(canvas, record, layout, *spectra, bin, reference);
    std::vector<decode::Colorref> colours;
    for (const DrawnItem* item : boxes(canvas, layout)) colours.push_back(item->colour);
    return colours;
  };
  const decode::Colorref top = levelColour(1);
  EXPECT_EQ(boxColours(51, PeakReference::Trace)[0], top);
  EXPECT_EQ(boxColours(102, PeakReference::Trace)[1], top);
  EXPECT_EQ(boxColours(51, PeakReference::Spread)[0], top);
  EXPECT_NE(boxColours(102, PeakReference::Spread)[1], top);
}

TEST(SliceSpectraTest, AbandonStopsAtTheNextCheckOnTheCallingThread) {
  const auto record = test::makeGridRecord(5, 20, 64);  // 100 traces
  dsp::Fft fft;
  int calls = 0;
  const auto abandoned = computeSliceSpectra(
      record, fft, [&](std::string_view phase, std::int32_t done, std::int32_t total) {
        ++calls;
        EXPECT_EQ(phase, kSpectraPhase);
        EXPECT_EQ(total, 100);
        EXPECT_GE(done, 10);
        return false;
      });
  EXPECT_FALSE(abandoned.has_value());
  EXPECT_EQ(calls, 1);
}

TEST(SliceSpectraTest, ZeroTracesGiveTheFloorNotANumber) {
  const auto record = test::makeGridRecord(1, 2, 16);  // all samples 0; N 16, B 8
  dsp::Fft fft;
  const auto spectra = computeSliceSpectra(record, fft);
  ASSERT_TRUE(spectra.has_value());
  EXPECT_EQ(spectra->spreadPeak(), 0);
  app::RecordingCanvas canvas;
  const SpreadLayout layout = computeSpreadLayout(record);
  drawFrequencySliceFrame(canvas, record, layout, *spectra, 3, PeakReference::Spread);
  EXPECT_EQ(filled(canvas).back()->colour, levelColour(0));
  EXPECT_NE(canvas.findText("Frequency Slice - Ref Peak Record"), nullptr);
  EXPECT_NE(canvas.findText("Frequency 93.8"), nullptr);  // bin 3 is 93.75 Hz
}

}  // namespace
}  // namespace vorax::spread
