#include "dsp/ipfd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sweep_fixture.h"

namespace vorax::dsp {
namespace {

constexpr double kDt = 0.0005;
constexpr float kFs = 2000;
constexpr std::int32_t kN = 24000;  // 12 s

struct Ipfd {
  std::vector<float> phase, frequency, distortion;
  std::int32_t m = 0;
  double timeOf(std::size_t k) const { return static_cast<double>(k) * 0.010; }
};

Ipfd run(Fft& fft, const std::vector<float>& samples, std::int32_t timeMs = 0) {
  const auto n = static_cast<std::int32_t>(samples.size()) - 1;
  Ipfd r;
  r.phase.assign(samples.size(), -1);
  r.frequency.assign(samples.size(), -1);
  r.distortion.assign(samples.size(), -1);
  r.m = GETIPFD(fft, samples, n, kFs, timeMs, 0, r.phase, r.frequency, r.distortion);
  return r;
}

Ipfd runSweep(Fft& fft, const test::Sweep& sweep, std::int32_t timeMs = 0,
              std::size_t count = kN + 1) {
  return run(fft, sweep.samples(kDt, count), timeMs);
}

// Points of the sweep's middle, clear of the tapers.
template <typename F>
void forMiddle(const Ipfd& r, F check) {
  for (std::size_t k = 50; k + 50 <= static_cast<std::size_t>(r.m); ++k) check(k, r.timeOf(k));
}

TEST(Ipfd, PointsEvery10msOverTheSpanWhateverTheTimeArgument) {
  Fft fft;
  const test::Sweep sweep;
  EXPECT_EQ(ipfdPointStep(2000), 20);
  EXPECT_EQ(ipfdPointStep(4000), 40);
  EXPECT_EQ(ipfdPointStep(50), 1);
  EXPECT_EQ(runSweep(fft, sweep).m, 1200);
  const Ipfd part = runSweep(fft, sweep, 6000);
  EXPECT_EQ(part.m, 600);
  EXPECT_EQ(runSweep(fft, sweep, 20000).m, 1200);  // capped at the trace
  // Point k is the same time in both calls: frequencies agree away from the cut.
  const Ipfd whole = runSweep(fft, sweep);
  for (std::size_t k = 100; k < 550; k += 50)
    EXPECT_NEAR(part.frequency[k], whole.frequency[k], 0.05) << k;
}

TEST(Ipfd, FrequencyAndPhaseOfACleanSweepFollowItsFormula) {
  Fft fft;
  for (double startPhase : {-90.0, 0.0, 90.0, 180.0}) {
    test::Sweep sweep;
    sweep.startPhaseDeg = startPhase;
    const Ipfd r = runSweep(fft, sweep);
    forMiddle(r, [&](std::size_t k, double t) {
      EXPECT_NEAR(r.frequency[k], sweep.frequencyAt(t), 0.05) << t;
      // Whole turns included: the phase is the formula's, not only modulo 360.
      EXPECT_NEAR(r.phase[k], sweep.phaseAt(t) * 180 / M_PI, 0.5)
          << "start " << startPhase << " t " << t;
      EXPECT_LT(r.distortion[k], 1.0) << t;
    });
  }
}

TEST(Ipfd, DelayReversalAndHarmonicAgainstACleanCopy) {
  Fft fft;
  const test::Sweep clean;
  const Ipfd a = runSweep(fft, clean);

  test::Sweep delayed;
  delayed.delayS = 100e-6;
  const Ipfd b = runSweep(fft, delayed, 12000);
  forMiddle(b, [&](std::size_t k, double t) {
    EXPECT_NEAR(a.phase[k] - b.phase[k], 360 * clean.frequencyAt(t) * 100e-6, 0.2) << t;
  });

  test::Sweep reversed;
  reversed.polarity = -1;
  const Ipfd r = runSweep(fft, reversed, 12000);
  forMiddle(r, [&](std::size_t k, double t) {
    EXPECT_NEAR(std::abs(a.phase[k] - r.phase[k]), 180, 0.2) << t;
  });

  test::Sweep harmonic;
  harmonic.secondHarmonic = 0.1;
  const Ipfd h = runSweep(fft, harmonic, 12000);
  forMiddle(h, [&](std::size_t k, double t) {
    EXPECT_NEAR(h.distortion[k], 10, 1) << t;
    EXPECT_NEAR(a.phase[k] - h.phase[k], 0, 1) << t;
    EXPECT_NEAR(h.frequency[k], clean.frequencyAt(t), 0.2) << t;
  });
}

TEST(Ipfd, WeakPointsReportNoFrequencyNorDistortion) {
  Fft fft;
  const test::Sweep sweep;  // 12 s sweep in a 14 s trace
  const Ipfd r = runSweep(fft, sweep, 0, 28001);
  EXPECT_EQ(r.m, 1400);
  for (std::size_t k = 1210; k <= 1400; ++k) {
    EXPECT_EQ(r.frequency[k], 0) << k;
    EXPECT_EQ(r.distortion[k], 0) << k;
  }
  EXPECT_EQ(r.frequency[0], 0);  // the taper starts from nothing
  EXPECT_GT(r.frequency[600], 0);
}

TEST(Ipfd, DegenerateInputs) {
  Fft fft;
  std::vector<float> out(10, 5), f(10, 5), d(10, 5);
  const std::vector<float> few(5, 1.0f);
  EXPECT_EQ(GETIPFD(fft, few, 4, kFs, 0, 0, out, f, d), 0);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(GETIPFD(fft, few, 0, kFs, 0, 0, out, f, d), 0);
  EXPECT_EQ(GETIPFD(fft, few, 4, 0, 0, 0, out, f, d), 0);
  // Silence: points, all zero.
  const std::vector<float> silent(401, 0.0f);
  std::vector<float> p(401, 5), fr(401, 5), di(401, 5);
  EXPECT_EQ(GETIPFD(fft, silent, 400, kFs, 0, 0, p, fr, di), 20);
  for (int k = 0; k <= 20; ++k) EXPECT_TRUE(p[k] == 0 && fr[k] == 0 && di[k] == 0) << k;
  // Outputs shorter than the points cut M; a trace shorter than n counts as zeros beyond.
  std::vector<float> p3(3), f3(3), d3(3);
  EXPECT_EQ(GETIPFD(fft, silent, 400, kFs, 0, 0, p3, f3, d3), 2);
  EXPECT_EQ(GETIPFD(fft, few, 400, kFs, 0, 0, p, fr, di), 20);
}

}  // namespace
}  // namespace vorax::dsp
