#include "app/frequency_vs_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/memory_canvas.h"
#include "app/recording_canvas.h"

namespace vorax::app {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(FrequencyVsTime, HopIs50msOfSamplesAndBinsAre1024PointsWide) {
  const std::pair<double, std::int64_t> hops[] = {{0.25, 200}, {0.5, 100}, {1, 50},
                                                  {2, 25},     {4, 12},    {100, 1}};
  for (auto [ms, hop] : hops) EXPECT_EQ(analysisHop(ms), hop) << ms;
  EXPECT_DOUBLE_EQ(frameBinHz(1), 1000.0 / 1024);
}

// A sine at exactly frame bin 40 with a quarter-amplitude second harmonic at bin 80.
TEST(FrequencyVsTime, FindsTheBinOfASineAndItsHarmonicAsDistortion) {
  std::vector<float> samples(1001);
  for (std::size_t j = 0; j < samples.size(); ++j) {
    const double phase = 2 * kPi * 40 * static_cast<double>(j) / 1024;
    samples[j] = static_cast<float>(std::sin(phase) + 0.25 * std::sin(2 * phase));
  }
  dsp::Fft fft;
  const std::vector<FrequencyPoint> points = AnalyseFrequencyVsTime(samples, 1, fft);
  ASSERT_EQ(points.size(), 20u);  // n = 1000, hop 50
  EXPECT_EQ(points[0].timeMs, 0);
  EXPECT_EQ(points[19].timeMs, 950);
  for (std::size_t b = 2; b < 18; ++b) {  // segments wholly inside the signal
    EXPECT_DOUBLE_EQ(points[b].frequencyHz, 40 * 1000.0 / 1024) << b;
    EXPECT_NEAR(points[b].distortionPercent, 25, 1) << b;
  }
}

// A linear sweep from 40 Hz to 120 Hz over 4 s at 1 ms, optionally with a second harmonic.
std::vector<float> sweep(double harmonic) {
  std::vector<float> samples(4001);
  for (std::size_t j = 0; j < samples.size(); ++j) {
    const double t = static_cast<double>(j) / 1000;
    const double phase = 2 * kPi * (40 * t + 10 * t * t);  // f(t) = 40 + 20 t
    samples[j] = static_cast<float>(std::sin(phase) + harmonic * std::sin(2 * phase));
  }
  return samples;
}

TEST(FrequencyVsTime, FollowsALinearSweepWithinOneBin) {
  dsp::Fft fft;
  const std::vector<FrequencyPoint> points = AnalyseFrequencyVsTime(sweep(0), 1, fft);
  ASSERT_EQ(points.size(), 80u);
  const double bin = frameBinHz(1);
  int inside = 0;
  for (const FrequencyPoint& p : points) {
    if (p.timeMs < 63 || p.timeMs + 64 > 4000) continue;
    const double centreSeconds = (p.timeMs + 0.5) / 1000;  // samples -63..+64 about the point
    EXPECT_LE(std::abs(p.frequencyHz - (40 + 20 * centreSeconds)), bin) << p.timeMs;
    EXPECT_LT(p.distortionPercent, 2) << p.timeMs;
    ++inside;
  }
  EXPECT_EQ(inside, 77);
}

TEST(FrequencyVsTime, ShowsTheSecondHarmonicOfASweepInTheDistortion) {
  dsp::Fft fft;
  for (const FrequencyPoint& p : AnalyseFrequencyVsTime(sweep(0.3), 1, fft)) {
    if (p.timeMs < 63 || p.timeMs + 64 > 4000) continue;
    EXPECT_NEAR(p.distortionPercent, 30, 3) << p.timeMs;
  }
}

TEST(FrequencyVsTime, SilenceHasNoFrequencyAndNoDistortion) {
  dsp::Fft fft;
  const std::vector<float> zeros(200, 0.0f);
  for (const FrequencyPoint& p : AnalyseFrequencyVsTime(zeros, 1, fft)) {
    EXPECT_EQ(p.frequencyHz, 0);
    EXPECT_EQ(p.distortionPercent, 0);
  }
  EXPECT_TRUE(
      AnalyseFrequencyVsTime(std::vector<float>(40, 1.0f), 1, fft).empty());  // shorter than a hop
}

TEST(TimeFrequencyImage, SixDecadeScaleRunsFromGreyToPureRed) {
  EXPECT_DOUBLE_EQ(sixDecadeLevel(8, 8), 1);
  EXPECT_NEAR(sixDecadeLevel(8e-3f, 8), 0.5, 1e-7);
  EXPECT_EQ(sixDecadeLevel(1e-7f, 1), 0);
  EXPECT_EQ(sixDecadeLevel(0, 1), 0);
  EXPECT_EQ(sixDecadeColour(1), 0x0000FFu);            // HLS(0, 120, 240): red
  EXPECT_EQ(sixDecadeColour(0), rgb(128, 128, 128));   // HLS(240, 120, 0): grey
  EXPECT_EQ(sixDecadeColour(0.5), rgb(64, 191, 191));  // HLS(120, 120, 120)
  // Steps of 1/240: -60 dB is half way; half the largest, -6.02 dB, is 240 x 0.94983 = 227.96.
  const std::vector<float> levels{8, 8e-3f, 4, 8e-6f, 1e-7f, 0};
  EXPECT_EQ(sixDecadeSteps(levels, 8), (std::vector<std::uint8_t>{240, 120, 228, 0, 0, 0}));
}

TEST(TimeFrequencyImage, ColumnsCoverTheTraceAndPeakWhereTheSignalIs) {
  std::vector<float> samples(2001, 0.0f);  // silence, then bin 100 from 1 s on
  for (std::size_t j = 1000; j < samples.size(); ++j)
    samples[j] = static_cast<float>(std::sin(2 * kPi * 100 * static_cast<double>(j) / 1024));
  dsp::Fft fft;
  const TimeFrequencyImage image = analyseTimeFrequency(samples, 1, fft);
  EXPECT_EQ(image.hop, 7);  // 2000 / 256
  EXPECT_EQ(image.columns, 286u);
  EXPECT_EQ(image.endMs, 2000);
  const auto column = [&](std::size_t c) {
    return std::span<const float>(image.levels).subspan(c * kFrameBins, kFrameBins);
  };
  const std::span<const float> quiet = column(10);
  EXPECT_EQ(*std::max_element(quiet.begin(), quiet.end()), 0);
  const std::span<const float> loud = column(200);  // 1400 ms
  EXPECT_EQ(std::max_element(loud.begin(), loud.end()) - loud.begin(), 100);
}

// The picture of that image: the tone's cells red (the largest level), silence grey (below
// six decades), the tone's bin 100 at 100 x 1000 / 1024 Hz; four times its frequency lies
// in the taper's far side lobes, more than 90 dB down: one of the scale's lowest quarter.
TEST(TimeFrequencyImage, PictureShowsTheToneRedAndTheSilenceGrey) {
  std::vector<float> samples(2001, 0.0f);
  for (std::size_t j = 1000; j < samples.size(); ++j)
    samples[j] = static_cast<float>(std::sin(2 * kPi * 100 * static_cast<double>(j) / 1024));
  dsp::Fft fft;
  const TimeFrequencyImage image = analyseTimeFrequency(samples, 1, fft);
  test::MemoryCanvas canvas(800, 600);
  const PlotGeometry plot = drawTimeFrequencyImage(canvas, image, "FT An.");
  const auto pixelAt = [&](double ms, double hz) {
    const WorldMapping m{plot.world, 800, 600};
    const PointF d = m.toDevice({ms, hz});
    return canvas.at(static_cast<int>(d.x), static_cast<int>(d.y));
  };
  const double toneHz = 100 * 1000.0 / 1024;
  EXPECT_EQ(pixelAt(1500, toneHz), surfacePixel(0x0000FF));
  EXPECT_EQ(pixelAt(500, toneHz), surfacePixel(rgb(128, 128, 128)));
  const std::uint32_t farAbove = pixelAt(1500, 4 * toneHz);
  bool inLowestQuarter = false;
  for (int k = 0; k <= 60; ++k)
    inLowestQuarter |= farAbove == surfacePixel(sixDecadeColour(k / 240.0));
  EXPECT_TRUE(inLowestQuarter) << std::hex << farAbove;

  // An image without its colour steps (filled in by hand) draws the same picture.
  TimeFrequencyImage withoutSteps = image;
  withoutSteps.colourSteps.clear();
  test::MemoryCanvas again(800, 600);
  drawTimeFrequencyImage(again, withoutSteps, "FT An.");
  EXPECT_EQ(again.pixels, canvas.pixels);
}

TEST(FrequencyVsTimePlot, FrequencyAxisEndsAtTheStepMultipleAboveTheLargest) {
  const FrequencyPoint points[] = {{0, 10, 5}, {50, 39.0625, 12}};
  RecordingCanvas canvas;
  const PlotGeometry plot = drawFrequencyVsTime(canvas, points, 0, 100, "F vs T");
  EXPECT_EQ(plot.data.top, 40);  // CHOOSESTEP(0, 39.06) = 5
  EXPECT_NE(canvas.findText("40"), nullptr);
  EXPECT_EQ(canvas.findText("45"), nullptr);
}

}  // namespace
}  // namespace vorax::app
