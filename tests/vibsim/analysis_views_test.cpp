#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/recording_canvas.h"
#include "test_support.h"
#include "vibsim/amplitude_views.h"
#include "vibsim/correlogram.h"
#include "vibsim/spectrum_analysis.h"
#include "vibsim/time_frequency.h"
#include "vibsim/vibsim_fixtures.h"

namespace vorax::vibsim {
namespace {

using app::DrawnItem;
using test::Sweep;

std::vector<float> sine(double hz, double amplitude, std::int32_t samples = test::kSimSamples) {
  std::vector<float> v(static_cast<std::size_t>(samples) + 1, 0.0f);
  for (std::size_t i = 0; i + 1 < v.size(); ++i)
    v[i] = static_cast<float>(amplitude *
                              std::sin(2 * M_PI * hz * static_cast<double>(i) * test::kSimDtS));
  return v;
}

std::vector<const DrawnItem*> itemsOf(const app::RecordingCanvas& canvas, DrawnItem::Kind kind,
                                      Colorref colour) {
  std::vector<const DrawnItem*> found;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == kind && item.colour == colour) found.push_back(&item);
  return found;
}

struct Fixture {
  explicit Fixture(std::vector<std::vector<float>> traces) : record(test::simRecord(traces)) {}
  decode::SegdRecord record;
  SimParams params;
  dsp::Fft fft;
};

TEST(Correlogram, PeakAtTheDelayAndTheDbRules) {
  Sweep delayed;
  delayed.delayS = 0.005;  // 10 samples
  Fixture f({test::sweepTrace(Sweep{}), test::sweepTrace(delayed)});
  SimInput input(f.record, f.params, f.fft);
  const Correlogram auto1 = computeCorrelogram(input, 1, 1);
  EXPECT_EQ(auto1.halfLags, 160);
  ASSERT_EQ(auto1.values.size(), 321u);
  EXPECT_EQ(auto1.values[160], 1.0f);
  EXPECT_EQ(auto1.peakLagMs, 0);
  const Correlogram cross = computeCorrelogram(input, 1, 2);
  EXPECT_DOUBLE_EQ(cross.peakLagMs, 5);
  EXPECT_EQ(std::max_element(cross.values.begin(), cross.values.end()) - cross.values.begin(), 170);

  // 0 and below read -120 dB before the peak is taken off.
  const std::vector<float> db = correlogramDb(std::vector<float>{0.5f, 0.05f, 0.0f, -0.3f}, 0.5f);
  EXPECT_NEAR(db[0], 0, 1e-5);
  EXPECT_NEAR(db[1], -20, 1e-4);
  EXPECT_NEAR(db[2], -120 + 6.0206, 1e-3);
  EXPECT_NEAR(db[3], -120 + 6.0206, 1e-3);

  // The QC line is drawn only for a limit above 0, at -Q dB of the depth.
  for (double q : {0.0, 40.0}) {
    app::RecordingCanvas canvas;
    const PlotBand band = plotBand(BandKind::DbCorrelogramRight, 416);
    drawDbCorrelogram(canvas, band, cross, 80, 78, q, app::kBlue, "Xcorr Pilot*GF");
    const auto red = itemsOf(canvas, DrawnItem::Kind::Line, kQcRed);
    ASSERT_EQ(red.size(), q > 0 ? 1u : 0u);
    if (q > 0) {
      EXPECT_NEAR(red[0]->points[0].y, 416 - 300 * 40.0 / 78, 1e-9);
    }
    EXPECT_NE(canvas.findText("-78"), nullptr);
  }
  EXPECT_EQ(sideFromName("right"), Side::Right);
  EXPECT_EQ(sideFromName("Left"), Side::Left);
  EXPECT_EQ(sideFromName("r"), Side::Right);
}

TEST(Spectrum, PeakBinSmoothingAndShownRange) {
  Fixture f({sine(31.25, 0.8), std::vector<float>(test::kSimSamples + 1, 0.0f)});
  SimInput input(f.record, f.params, f.fft);
  const SpectrumCurve s = computeSpectrum(input, 1, 0);
  EXPECT_DOUBLE_EQ(s.binHz, 2000.0 / 32768);  // 24001 values pad to 32768 at 0.5 ms
  EXPECT_NEAR(s.peakHz, 31.25, s.binHz / 2);
  EXPECT_EQ(s.db.size(), static_cast<std::size_t>(std::lround(16384 * 80 / 1000.0)) + 1);
  EXPECT_EQ(*std::max_element(s.db.begin(), s.db.end()), 0.0f);
  // Smoothing by 13 (and 12, raised to 13) takes the peak down, the same for both.
  const SpectrumCurve s13 = computeSpectrum(input, 1, 13);
  const SpectrumCurve s12 = computeSpectrum(input, 1, 12);
  EXPECT_LT(*std::max_element(s13.db.begin(), s13.db.end()), -1);
  EXPECT_EQ(s12.db, s13.db);
  EXPECT_TRUE(computeSpectrum(input, 2, 0).silent);
}

TEST(TransferFunction, FollowsTheAmplitudeRatioAndSilenceDrawsNothing) {
  // Base plate three times the mass for the first 6 s, 1.5 times after.
  const std::vector<float> mass = test::sweepTrace(Sweep{});
  std::vector<float> bp = mass;
  for (std::size_t i = 0; i < bp.size(); ++i) bp[i] *= i < 12000 ? 3.0f : 1.5f;
  Fixture f({bp, mass, std::vector<float>(test::kSimSamples + 1, 0.0f)});
  SimInput input(f.record, f.params, f.fft);
  const std::vector<float> r = computeTransferFunction(input, 1, 2);
  ASSERT_EQ(r.size(), 600u);  // 12 s of 20 ms windows
  EXPECT_FLOAT_EQ(*std::max_element(r.begin() + 5, r.end() - 5), 1.0f);
  for (std::size_t w = 60; w < 270; ++w) {
    EXPECT_NEAR(r[w], r[60], 0.002) << w;             // steady where the ratio is
    EXPECT_NEAR(r[w + 270] / r[w], 0.5, 0.005) << w;  // and it halves
  }
  EXPECT_TRUE(computeTransferFunction(input, 3, 2).empty());
}

TEST(TaperView, StartAndEndSpansWithTheAmplitudeCurve) {
  Fixture f({test::sweepTrace(Sweep{})});
  SimInput input(f.record, f.params, f.fft);
  const TaperView start = computeTaperView(input, 1, taperEndFromName("Start"), kTaperAlignmentMs);
  ASSERT_EQ(start.samples.size(), 1001u);
  EXPECT_EQ(start.taperMarkMs, 350);
  const Sweep sweep;
  for (double t : {0.1, 0.2, 0.45})
    EXPECT_NEAR(start.amplitude[static_cast<std::size_t>(t * 2000)], sweep.taperAt(t), 0.03) << t;
  const TaperView end = computeTaperView(input, 1, taperEndFromName("end"), kTaperAlignmentMs);
  EXPECT_EQ(end.startMs, 11500);
  EXPECT_EQ(end.endMs, 12000);
  EXPECT_EQ(end.taperMarkMs, 11650);
  EXPECT_EQ(computeTaperView(input, 1, TaperEnd::Start, -20).shiftSamples, 0);  // -40 samples
  EXPECT_EQ(computeTaperView(input, 1, TaperEnd::Start, -5).shiftSamples, -10);
  EXPECT_EQ(computeTaperView(input, 1, TaperEnd::Start, 10).shiftSamples, 20);

  // The shift goes to the debug log when it is on.
  test::TempDir dir;
  const base::DebugLog log(dir.path(), true);
  SimInput logged(f.record, f.params, f.fft, &log);
  app::RecordingCanvas canvas;
  drawTaperViewAnalysis(canvas, logged, 820, 1, "S", 10, app::kRed, "Pilot Start Taper");
  const std::vector<std::uint8_t> bytes = test::readFileBytes(log.file());
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Filter Fiddle Factor = 20 Samples\r\n");
}

TEST(PulseView, SamplesAsStoredClippedToTheBand) {
  std::vector<float> trace(test::kSimSamples + 1, 0.0f);
  trace[400] = 0.5f;
  trace[450] = 3.0f;  // beyond the band: drawn on its top edge
  trace[600] = -0.25f;
  Fixture f({trace});
  SimInput input(f.record, f.params, f.fft);
  const std::vector<float> pulse = pulseSamples(input, 1);
  ASSERT_EQ(pulse.size(), 201u);
  EXPECT_EQ(pulse.front(), 0.5f);
  EXPECT_EQ(pulse.back(), -0.25f);
  app::RecordingCanvas canvas;
  drawPulseViewAnalysis(canvas, input, 840, 1, app::kRed, "Pilot");
  const auto curves = itemsOf(canvas, DrawnItem::Kind::Polyline, app::kRed);
  ASSERT_EQ(curves.size(), 1u);
  const PlotBand band = plotBand(BandKind::Pulse, 840);
  EXPECT_DOUBLE_EQ(curves[0]->points[0].y, band.yAt(0.75));
  EXPECT_DOUBLE_EQ(curves[0]->points[50].y, band.top);
}

TEST(PlotBands, EdgeClippingAndSilentTraces) {
  const PlotBand band = plotBand(BandKind::TimeTrace, 628);
  EXPECT_EQ(band.bottom(), 476);
  app::RecordingCanvas canvas;
  drawBandCurve(canvas, band, std::vector<float>{-10, 10, 30, -99, 0}, -10, 10, app::kRed);
  const auto& p = itemsOf(canvas, DrawnItem::Kind::Polyline, app::kRed).at(0)->points;
  EXPECT_EQ(p[0].y, 476);
  EXPECT_EQ(p[1].y, 628);
  EXPECT_EQ(p[2].y, 628);
  EXPECT_EQ(p[3].y, 476);
  EXPECT_EQ(p[4].y, 552);
  EXPECT_EQ(p[0].x, 60);
  EXPECT_EQ(p[4].x, 985);

  app::RecordingCanvas silent;
  drawTimeTrace(silent, band, std::vector<float>(100, 0.0f), app::kRed, "Pilot", SimParams{});
  EXPECT_TRUE(itemsOf(silent, DrawnItem::Kind::Polyline, app::kRed).empty());
  EXPECT_NE(silent.findText("Pilot"), nullptr);
  EXPECT_NE(silent.findText("-1"), nullptr);
}

TEST(TimeFrequency, StrongestRowFollowsAConstantTone) {
  dsp::Fft fft;
  const TimeFrequencyGrid grid = computeTimeFrequency(fft, sine(40, 1), 0.5, 80);
  EXPECT_EQ(grid.columns, 240);
  EXPECT_EQ(grid.columnStepMs, 50);
  for (int c = 5; c < 235; c += 23) {
    int best = 0;
    for (int r = 0; r < grid.rows; ++r)
      if (grid.at(c, r) > grid.at(c, best)) best = r;
    EXPECT_NEAR(best * grid.rowStepHz, 40, grid.rowStepHz) << c;
  }
  EXPECT_EQ(computeTimeFrequency(fft, std::vector<float>(100, 0.0f), 0.5, 80).columns, 0);

  // Weak cells blue, the strongest red: the colour bar's bottom and top cells.
  app::RecordingCanvas canvas;
  drawTimeFrequencyPicture(canvas, plotBand(BandKind::TransferFunction, 840), grid, 80,
                           "FT Analysis Pilot");
  std::vector<const DrawnItem*> bar;
  for (const DrawnItem& item : canvas.items())
    if (item.kind == DrawnItem::Kind::FillRect && item.points[0].x > 900) bar.push_back(&item);
  ASSERT_FALSE(bar.empty());
  EXPECT_EQ(app::blueOf(bar.front()->colour), 255);
  EXPECT_EQ(app::redOf(bar.front()->colour), 0);
  EXPECT_EQ(app::redOf(bar.back()->colour), 255);
  EXPECT_EQ(app::blueOf(bar.back()->colour), 0);
}

}  // namespace
}  // namespace vorax::vibsim
