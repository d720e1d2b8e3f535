#include "vibsim/phase_analysis.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/recording_canvas.h"
#include "vibsim/vibsim_fixtures.h"

namespace vorax::vibsim {
namespace {

using test::Sweep;

// Pilot is trace 1; the signals follow.
struct Vibrator {
  explicit Vibrator(std::vector<Sweep> signals, std::int32_t samplesPerTrace = test::kSimSamples) {
    std::vector<std::vector<float>> traces{test::sweepTrace(Sweep{}, samplesPerTrace)};
    for (const Sweep& s : signals) traces.push_back(test::sweepTrace(s, samplesPerTrace));
    record = test::simRecord(traces, samplesPerTrace);
  }
  SimInput input() { return SimInput(record, params, fft); }
  decode::SegdRecord record;
  SimParams params;
  dsp::Fft fft;
};

// Points of the sweep's middle (1 s .. 11 s at 10 ms).
template <typename F>
void forMiddle(std::size_t size, F check) {
  for (std::size_t k = 100; k <= 1100 && k < size; ++k) check(k, static_cast<double>(k) * 0.010);
}

TEST(PhaseError, DelayedReversedAndDistortedCopiesOfThePilot) {
  Sweep delayed, reversed, harmonic;
  delayed.delayS = 100e-6;
  reversed.polarity = -1;
  harmonic.secondHarmonic = 0.1;
  Vibrator vib({delayed, reversed, harmonic, Sweep{}});
  SimInput input = vib.input();

  const PhaseErrorResult d = computePhaseError(input, 1, 2, 0);
  ASSERT_TRUE(d.startTimeErrorUs);
  EXPECT_NEAR(*d.startTimeErrorUs, 100, 5);
  EXPECT_EQ(d.pointMs, 10);
  ASSERT_EQ(d.error.size(), 1201u);
  forMiddle(d.error.size(), [&](std::size_t k, double t) {
    EXPECT_NEAR(d.error[k], 360 * Sweep{}.frequencyAt(t) * 100e-6, 1) << t;
  });

  const PhaseErrorResult r = computePhaseError(input, 1, 3, 0);
  forMiddle(r.error.size(),
            [&](std::size_t k, double t) { EXPECT_LT(std::abs(r.error[k]), 1) << t; });
  EXPECT_NEAR(*r.startTimeErrorUs, 0, 5);

  const PhaseErrorResult h = computePhaseError(input, 1, 4, 0);
  const IpfdCurves& hc = input.ipfd(4, input.tA());
  const IpfdCurves& clean = input.ipfd(5, input.tA());
  forMiddle(h.error.size(), [&](std::size_t k, double t) {
    EXPECT_LT(std::abs(h.error[k]), 1) << t;
    EXPECT_NEAR(hc.distortion[k], 10, 1) << t;
    EXPECT_LT(clean.distortion[k], 1) << t;
  });

  // With a third trace the main curve is pilot - c and the second pilot - b.
  const PhaseErrorResult two = computePhaseError(input, 1, 2, 3);
  ASSERT_EQ(two.secondError.size(), two.error.size());
  forMiddle(two.error.size(), [&](std::size_t k, double) {
    EXPECT_LT(std::abs(two.error[k]), 1);
    EXPECT_FLOAT_EQ(two.secondError[k], d.error[k]);
  });
}

TEST(PhaseError, FoldLeavesEndsAndUpTo135Alone) {
  struct Case {
    float in, out;
  } cases[] = {{135, 135}, {-135, -135}, {136, -44}, {-136, 44},
               {180, 0},   {-180, 0},    {300, 120}, {10, 10}};
  for (const Case& c : cases) {
    std::vector<float> d{c.in, c.in, c.in};
    foldPhase(d);
    EXPECT_EQ(d[0], c.in);
    EXPECT_FLOAT_EQ(d[1], c.out) << c.in;
    EXPECT_EQ(d[2], c.in);
  }
}

TEST(PhaseError, NoFrequencyLeavesTheRestUndrawn) {
  Vibrator vib({});
  vib.record.samples.reset(2, test::kSimSamples);  // both traces silent
  SimInput input = vib.input();
  app::RecordingCanvas canvas;
  drawPhaseErrorAnalysis(canvas, input, 416, 1, 2, 0, app::kRed, app::kBlue);
  EXPECT_FALSE(computePhaseError(input, 1, 2, 0).startTimeErrorUs);
  EXPECT_EQ(canvas.findText("QC"), nullptr);
  EXPECT_NE(canvas.findText("Phase Error (Degrees)"), nullptr);
}

TEST(PhaseError, WholeTurnsBetweenTheTwoPhasesAreNoError) {
  struct Case {
    double in, out;
  } cases[] = {{360, 0}, {-720.5, -0.5}, {365, 5}, {179, 179}, {181, -179}, {-540, 180}};
  for (const Case& c : cases) EXPECT_NEAR(std::abs(wrapPhase(c.in)), std::abs(c.out), 1e-4) << c.in;
  EXPECT_NEAR(wrapPhase(-720.5), -0.5, 1e-4);
}

TEST(AnalysisWindow, TruncateTimeBeyondTheRecordTakesTheRecord) {
  Vibrator vib({}, 8000);  // 4 s
  SimInput input = vib.input();
  EXPECT_EQ(input.nA(), 8000);
  EXPECT_EQ(input.tA(), 4000);
  vib.params.truncateTime = 3001;
  SimInput shorter = vib.input();
  EXPECT_EQ(shorter.nA(), 6002);
  EXPECT_EQ(shorter.tA(), 3001);
  EXPECT_EQ(shorter.ipfd(1, shorter.tA()).m, 300);
  EXPECT_EQ(shorter.ipfd(1, 0).m, 400);
  EXPECT_EQ(shorter.ipfd(9, 0).m, 0);  // no such trace
}

TEST(DeltaPhase, MassLeadingOrLaggingAQuarterTurnReadsMinus90) {
  for (double massPhase : {0.0, -180.0}) {  // base plate at -90 (a sine)
    Sweep mass;
    mass.startPhaseDeg = massPhase;
    Vibrator vib({mass});
    SimInput input = vib.input();
    const std::vector<float> d = computeDeltaPhase(input, 1, 2);
    ASSERT_EQ(d.size(), 1201u);
    forMiddle(d.size(),
              [&](std::size_t k, double t) { EXPECT_NEAR(d[k], -90, 1) << massPhase << " " << t; });
  }
}

}  // namespace
}  // namespace vorax::vibsim
