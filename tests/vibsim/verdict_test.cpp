// Verdicts of a fleet with the faults crews meet: besides the clean, late and distorted
// vibrators, a ground force wired with reversed polarity, one that is dead and one at 0.5 %
// of its level. Each must fail exactly the verdicts its fault breaks, on the page as in the
// numbers; the fleet table and its CSV show the same.
#include "vibsim/verdict.h"

#include <gtest/gtest.h>

#include <cmath>

#include "vibsim/similarity_pages.h"
#include "vibsim/verdict_views.h"
#include "vibsim/vibsim_fixtures.h"

namespace vorax::vibsim {
namespace {

using test::kFleetFaults;
using test::kFleetSize;
using test::textStartingWith;

class FaultyFleet : public ::testing::Test {
 protected:
  static WirelineSetup setup() { return test::fleetSetup(kFleetSize); }
  const decode::SegdRecord& record_ = test::faultyFleetRecord();
  dsp::Fft fft_;
};

TEST_F(FaultyFleet, EachFaultFailsExactlyItsVerdicts) {
  const WirelineSetup s = setup();
  for (int v = 1; v <= kFleetSize; ++v) {
    const test::FleetFault& c = kFleetFaults[v - 1];
    SCOPED_TRACE(c.name);
    auto pages =
        makeWirelinePages(record_, s, s.vibrators[static_cast<std::size_t>(v - 1)], {}, "", fft_);
    const VibratorVerdict got = *pages->verdict();
    test::expectVerdict(got, c);

    // The page says it where the user looks: the row under the banner, page 1's label.
    app::RecordingCanvas a(kPanePictureWidth, kPanePictureHeight),
        b(kPanePictureWidth, kPanePictureHeight);
    pages->drawPane(a, 2, 0);
    pages->drawPane(b, 1, 1);
    const app::DrawnItem* verdictWord = a.findText(v == 1 ? "PASS" : "FAIL");
    ASSERT_NE(verdictWord, nullptr);
    EXPECT_EQ(verdictWord->colour, v == 1 ? kPassGreen : kFailRed);
    const app::DrawnItem* signal = textStartingWith(a, "Signal ");
    ASSERT_NE(signal, nullptr);
    EXPECT_EQ(signal->colour, c.passes[5] ? kPassGreen : kFailRed);
    const app::DrawnItem* polarity = textStartingWith(a, "Polarity ");
    ASSERT_NE(polarity, nullptr);
    EXPECT_EQ(polarity->colour, c.passes[4] ? kPassGreen : kFailRed);
    const StartTimeLabel label = startTimeLabel(got);
    ASSERT_NE(b.findText(label.text), nullptr);
    if (!c.passes[5]) {
      EXPECT_EQ(label.text, "No signal");
    }
    EXPECT_EQ(b.findText(label.text)->colour, label.colour);
  }
}

TEST_F(FaultyFleet, NumbersOfTheWiringFaults) {
  const auto judged = [&](int v) {
    return judgeVibrator(record_, kPilotTrace, vibratorTrace(v, 0), vibratorTrace(v, 3),
                         setup().params, fft_);
  };
  // Reversed: the fold hides it from the phase (as for the clean one), not from these.
  const VibratorVerdict reversed = judged(4);
  EXPECT_LT(reversed.maxPhaseErrorDeg, 1);
  EXPECT_NEAR(reversed.zeroLagCorrelation, -1, 0.01);
  ASSERT_TRUE(reversed.meanUnfoldedPhaseDeg);
  EXPECT_NEAR(std::abs(*reversed.meanUnfoldedPhaseDeg), 180, 1);
  EXPECT_GT(std::abs(reversed.correlationLagMs), 5);  // the two side peaks of -autocorrelation
  EXPECT_LT(reversed.correlationPeak, 0.5f);
  // Signal shares: RMS of s + 0.3 s2 is sqrt(1.09) of that of s.
  EXPECT_NEAR(judged(1).signalShare, 1, 1e-3);
  EXPECT_NEAR(judged(3).signalShare, std::sqrt(1.09), 2e-3);
  EXPECT_NEAR(judged(6).signalShare, 0.005, 1e-5);
  const VibratorVerdict dead = judged(5);
  EXPECT_EQ(dead.signalShare, 0);
  EXPECT_EQ(dead.judgedPoints, 0u);
  EXPECT_FALSE(dead.startTimeErrorUs);
  EXPECT_EQ(dead.correlationPeak, 0);
}

TEST_F(FaultyFleet, TapersCoveringTheSweepJudgeNoPointAndFail) {
  SimParams params = setup().params;
  params.startTaper = 6000;
  params.endTaper = 6000;
  const VibratorVerdict v =
      judgeVibrator(record_, kPilotTrace, vibratorTrace(1, 0), vibratorTrace(1, 3), params, fft_);
  EXPECT_EQ(v.judgedPoints, 0u);
  EXPECT_FALSE(v.phasePass);
  EXPECT_FALSE(v.distortionPass);
  EXPECT_EQ(verdictItems(v)[1].reading, "no points");
}

TEST(StartTimeLabel, GreenUpTo100MicrosecondsRedAboveAndWithoutSignal) {
  struct Case {
    std::optional<float> us;
    bool signal;
    const char* text;
    Colorref colour;
  } cases[] = {{100, true, "Start Time Error 100.0uS", kPassGreen},
               {-100, true, "Start Time Error -100.0uS", kPassGreen},
               {100.1f, true, "Start Time Error 100.1uS", kFailRed},
               {-250.25f, true, "Start Time Error -250.2uS", kFailRed},
               {std::nullopt, true, "Start Time Error not measured", kFailRed},
               {0, false, "No signal", kFailRed}};
  for (const Case& c : cases) {
    VibratorVerdict v;
    v.startTimeErrorUs = c.us;
    v.signalPass = c.signal;
    app::RecordingCanvas canvas;
    drawStartTimeLabel(canvas, v);
    ASSERT_EQ(canvas.texts().size(), 1u);
    EXPECT_EQ(canvas.texts()[0]->text, c.text);
    EXPECT_EQ(canvas.texts()[0]->colour, c.colour) << c.text;
  }
}

TEST(FleetTable, RowsCsvAndPicture) {
  VibratorVerdict good;
  good.startTimeErrorUs = -0.04f;  // reads 0.0, never -0.0
  good.maxPhaseErrorDeg = 0.56f;
  good.maxDistortionPercent = 12.34f;
  good.judgedPoints = 1000;
  good.correlationPeak = 0.9981f;
  good.correlationLagMs = 0;
  good.zeroLagCorrelation = 0.99f;
  good.meanUnfoldedPhaseDeg = 0.1f;
  good.signalShare = 1;
  good.startTimePass = good.phasePass = good.distortionPass = good.correlationPass =
      good.polarityPass = good.signalPass = true;
  VibratorVerdict reversed = good;
  reversed.polarityPass = reversed.correlationPass = false;
  reversed.zeroLagCorrelation = -0.99f;
  reversed.correlationPeak = 0.367f;
  reversed.correlationLagMs = -8;
  const std::vector<FleetEntry> fleet = {
      {1, "V1", good, {}}, {2, "V,2", reversed, {}}, {6, "BAD", std::nullopt, "Force \"99\""}};
  SimParams params;
  params.distortionQcLimit = 20;
  const std::string csv = fleetCsv(fleet, verdictLimitsOf(params));
  EXPECT_EQ(csv,
            "Row,Vibrator,Start Time (uS),Phase (Deg),Distortion (%),Xcorr Peak,Xcorr Lag (mS),"
            "Polarity,Signal (% of Ref),Verdict,Failed\r\n"
            "Limits,,+/-100,+/-5,<= 20,>= 0.010,+/-1.0,Normal,>= 1.0,,\r\n"
            "1,V1,0.0,0.56,12.3,0.998,0.0,Normal,100.0,PASS,\r\n"
            "2,\"V,2\",0.0,0.56,12.3,0.367,-8.0,Reversed,100.0,FAIL,Xcorr Polarity\r\n"
            "6,BAD,,,,,,,,SKIPPED,\"Force \"\"99\"\"\"\r\n");

  app::RecordingCanvas canvas(kFleetPictureWidth, kFleetPictureHeight);
  drawFleetTable(canvas, fleet, verdictLimitsOf(params), "Wireline Similarity Fleet", "Crew 9");
  EXPECT_NE(canvas.findText("Wireline Similarity Fleet"), nullptr);
  ASSERT_NE(canvas.findText("Reversed"), nullptr);
  EXPECT_EQ(canvas.findText("Reversed")->colour, kFailRed);
  EXPECT_EQ(canvas.findText("PASS")->colour, kPassGreen);
  EXPECT_NE(canvas.findText("Force \"99\""), nullptr);
  for (const app::DrawnItem* t : canvas.texts()) {
    EXPECT_GE(t->points[0].x, 0) << t->text;
    EXPECT_LE(t->points[0].x, 1414) << t->text;
  }
}

}  // namespace
}  // namespace vorax::vibsim
