#include "qc/trace_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <span>
#include <vector>

namespace vorax::qc {
namespace {

// +-1 alternating: every sample's magnitude is 1, so the RMS of any n - 1 of them is 1.
std::vector<float> alternating(std::size_t n) {
  std::vector<float> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = i % 2 == 0 ? 1.0f : -1.0f;
  return v;
}

// The spike test as the record check runs it: on the energy and block peaks of one pass.
bool spikeIn(std::span<const float> v) {
  std::vector<float> peaks(spikeBlocksOf(v.size()));
  return hasSpike(v, traceEnergy(v, peaks), 8, peaks);
}

TEST(TraceStatistics, EnergyLeavesOutSamplesThatAreNotNumbers) {
  std::vector<float> v{3, 4, std::numeric_limits<float>::quiet_NaN(), 0};
  const TraceEnergy e = traceEnergy(v);
  EXPECT_EQ(e.finite, 3u);
  EXPECT_TRUE(e.nonFinite);
  EXPECT_FALSE(e.allZero);
  EXPECT_DOUBLE_EQ(e.rms(), 5 / std::sqrt(3.0));
  EXPECT_TRUE(traceEnergy(std::vector<float>(5, 0.0f)).allZero);
  EXPECT_EQ(traceEnergy({}).rms(), 0);
  // A long trace of +-2 with one -7 and an infinity: 1,001 finite samples, the sum of their
  // squares 1,000 x 4 + 49.
  std::vector<float> longTrace = alternating(1002);
  for (float& x : longTrace) x *= 2;
  longTrace[517] = -7;
  longTrace[1001] = std::numeric_limits<float>::infinity();
  const TraceEnergy l = traceEnergy(longTrace);
  EXPECT_EQ(l.finite, 1001u);
  EXPECT_TRUE(l.nonFinite);
  EXPECT_EQ(l.sumSquares, 4049);
  EXPECT_EQ(l.peak, 7);
  longTrace[1001] = 2;
  EXPECT_EQ(traceEnergy(longTrace).sumSquares, 4053);
}

// The block peaks the energy pass gives the spike test: each block's largest magnitude, a NaN
// left out and an infinity kept, the last block short or a single short one.
TEST(TraceStatistics, EnergyPassGivesEachBlocksPeak) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const std::size_t n : {5, 64, 200, 1001}) {
    std::vector<float> v = alternating(n);
    v[n / 2] = -6;
    v[n - 1] = 3;  // after the last eight when n = 1001
    v[n - 2] = nan;
    if (n > 64) v[70] = inf;
    std::vector<float> peaks(spikeBlocksOf(n), -1.0f);
    traceEnergy(v, peaks);
    for (std::size_t b = 0; b < peaks.size(); ++b) {
      const auto from = v.begin() + static_cast<std::ptrdiff_t>(b * 64);
      const auto to = v.begin() + static_cast<std::ptrdiff_t>(std::min(n, b * 64 + 64));
      float expected = 0;
      for (auto x = from; x != to; ++x)
        if (!std::isnan(*x)) expected = std::max(expected, std::abs(*x));
      EXPECT_EQ(peaks[b], expected) << n << " block " << b;
    }
  }
}

TEST(TraceStatistics, MedianOfOddAndEvenCounts) {
  EXPECT_EQ(median({}), 0);
  EXPECT_EQ(median({5, 1, 3}), 3);
  EXPECT_EQ(median({4, 1, 3, 10}), 3.5);
  std::vector<float> out(1);
  const std::vector<float> a{1}, b{8}, c{-2}, d{3};
  medianOfFour({a, b, c, d}, {1, 1, 1, 1}, out);
  EXPECT_EQ(out[0], 2);  // of -2, 1, 3, 8
  medianOfFour({a, b, c, d}, {10, 1, 1, 1}, out);
  EXPECT_EQ(out[0], 5.5);  // of -2, 3, 8, 10
  // The same four values in each of their 24 orders, one order a sample.
  std::array<float, 4> order{-2, 1, 3, 8};
  std::array<std::vector<float>, 4> traces;
  do {
    for (std::size_t k = 0; k < 4; ++k) traces[k].push_back(order[k]);
  } while (std::next_permutation(order.begin(), order.end()));
  std::vector<float> middle(traces[0].size());
  medianOfFour({traces[0], traces[1], traces[2], traces[3]}, {1, 1, 1, 1}, middle);
  EXPECT_EQ(middle, std::vector<float>(24, 2.0f));
}

TEST(TraceStatistics, SpikeIsOneLoneSampleAboveEightTimesTheOthersRms) {
  const struct {
    float value;
    bool spike;
  } kCases[] = {{8.1f, true}, {-8.1f, true}, {7.9f, false}};
  for (const auto& c : kCases) {
    std::vector<float> v = alternating(1001);
    v[500] = c.value;
    EXPECT_EQ(spikeIn(v), c.spike) << c.value;
  }
  // At either end of the trace there is only one neighbour to look at; a spike is found
  // wherever it lies, its neighbour on the same side of a block of samples or not.
  for (const std::size_t at : {0, 63, 64, 1000}) {
    std::vector<float> edge = alternating(1001);
    edge[at] = 9;
    EXPECT_TRUE(spikeIn(edge)) << at;
  }
  // Two neighbouring samples far above the rest are an event, not a spike.
  std::vector<float> pair = alternating(1001);
  pair[500] = 20;
  pair[501] = 15;
  EXPECT_FALSE(spikeIn(pair));
}

TEST(TraceStatistics, WaveletCrestIsNoSpike) {
  // A 30 Hz Ricker at 1 ms in a quiet trace: its crest is about 20 times the trace's RMS,
  // but spread over several samples.
  std::vector<float> v(2001, 0.0f);
  for (std::size_t i = 0; i < v.size(); ++i) {
    const double t = (static_cast<double>(i) - 1000) / 1000;
    const double a = std::numbers::pi * std::numbers::pi * 900 * t * t;
    v[i] = static_cast<float>((1 - 2 * a) * std::exp(-a));
  }
  ASSERT_GT(1.0 / traceEnergy(v).rms(), 8);
  EXPECT_FALSE(spikeIn(v));
}

TEST(TraceStatistics, BestCorrelationFindsTheLagAndTheSign) {
  // A windowed 25 Hz sine at 1 ms, and the same delayed by 6 samples: the best lag recovers
  // the delay (correlation near 1 over the full energies); negated, near -1.
  const std::size_t n = 1000;
  std::vector<float> a(n), delayed(n), negated(n);
  auto wave = [](double i) {
    const double w = std::sin(std::numbers::pi * i / 999.0);
    return w * w * std::sin(2 * std::numbers::pi * 25 * i / 1000.0);
  };
  for (std::size_t i = 0; i < n; ++i) {
    a[i] = static_cast<float>(wave(static_cast<double>(i)));
    delayed[i] = static_cast<float>(wave(static_cast<double>(i) - 6));
    negated[i] = -delayed[i];
  }
  EXPECT_NEAR(bestCorrelation(a, delayed, 10), 1, 0.01);
  EXPECT_NEAR(bestCorrelation(a, negated, 10), -1, 0.01);
  // Out of reach of the lags, the 25 Hz sine (40 samples a period) shifted by 6 of them
  // correlates by about cos(54 degrees) at lag 0.
  EXPECT_NEAR(bestCorrelation(a, delayed, 0), std::cos(2 * std::numbers::pi * 6 / 40), 0.01);
  EXPECT_EQ(bestCorrelation(a, std::vector<float>(n, 0.0f), 10), 0);
}

// The normalised correlation of largest magnitude, each lag summed directly in double.
double directBestCorrelation(const std::vector<float>& a, const std::vector<float>& b, int maxLag) {
  const auto n = static_cast<std::ptrdiff_t>(a.size());
  double ea = 0, eb = 0;
  for (std::ptrdiff_t i = 0; i < n; ++i) {
    ea += static_cast<double>(a[i]) * a[i];
    eb += static_cast<double>(b[i]) * b[i];
  }
  double best = 0;
  for (int lag = -maxLag; lag <= maxLag; ++lag) {
    double sum = 0;
    for (std::ptrdiff_t i = 0; i < n; ++i)
      if (i + lag >= 0 && i + lag < n) sum += static_cast<double>(a[i]) * b[i + lag];
    const double c = sum / std::sqrt(ea * eb);
    if (std::abs(c) > std::abs(best)) best = c;
  }
  return best;
}

TEST(TraceStatistics, BestCorrelationEqualsTheDirectSumsAtEveryLag) {
  // Noise against a copy of itself moved by `delay` samples, scaled by `sign`, plus noise of
  // its own: lengths that do not fill the last eight samples, reaches that do not fill the
  // last group of lags, a delay at either end of the reach, traces shorter than the reach;
  // correlations against a target kept for several traces in turn equal those against each.
  const struct {
    std::size_t n;
    int maxLag;
    int delay;
    float sign;
  } kCases[] = {{1003, 10, -10, -1}, {1003, 10, 10, 1}, {517, 3, 2, -1},
                {600, 12, -12, 1},   {5, 10, 1, 1},     {1003, 10, 0, -1}};
  std::uint32_t state = 12345;
  auto noise = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
  };
  constexpr int kReusedLag = 10;
  CorrelationTarget reused(1003, kReusedLag);
  for (const auto& c : kCases) {
    std::vector<float> a(c.n), b(c.n);
    for (float& x : a) x = noise();
    for (std::size_t i = 0; i < c.n; ++i) {
      const auto from = static_cast<std::ptrdiff_t>(i) - c.delay;
      const float moved = from >= 0 && from < static_cast<std::ptrdiff_t>(c.n)
                              ? a[static_cast<std::size_t>(from)]
                              : 0.0f;
      b[i] = c.sign * moved + 0.3f * noise();
    }
    const double direct = directBestCorrelation(a, b, c.maxLag);
    EXPECT_NEAR(bestCorrelation(a, b, c.maxLag), direct, 1e-5)
        << c.n << " " << c.maxLag << " " << c.delay;
    // One target written over for each b of its size, with samples to fetch meanwhile.
    if (c.n != reused.samples().size() || c.maxLag != kReusedLag) continue;
    std::copy(b.begin(), b.end(), reused.samples().begin());
    EXPECT_EQ(reused.bestWith(a, b), bestCorrelation(a, b, c.maxLag)) << c.delay;
  }
}

}  // namespace
}  // namespace vorax::qc
