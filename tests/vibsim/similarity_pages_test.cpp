#include "vibsim/similarity_pages.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/recording_canvas.h"
#include "decode/record_opener.h"
#include "fleet_setup.h"
#include "test_support.h"
#include "vibsim/radio_file.h"
#include "vibsim/setup_fields.h"
#include "vibsim/vibrator_synth.h"

namespace vorax::vibsim {
namespace {

// Expected numbers, worked out from the faults put in: a 300 us delay is a phase lag of
// 360 f x 300 us, 8.41 degrees at 77.9 Hz (the sweep's frequency where its end taper starts);
// 30 % second harmonic is 30 % distortion.
struct Expected {
  const char* name;
  double startUs, startTolerance;
  double phaseLow, phaseHigh;
  double distortionLow, distortionHigh;
  bool startPass, phasePass, distortionPass;
};
constexpr Expected kExpected[] = {
    {"clean", 0, 5, 0, 0.5, 0, 1, true, true, true},
    {"300 us late", 300, 10, 7.9, 8.9, 0, 1, false, false, true},
    {"30 % harmonic", 0, 30, 0, 2, 28.5, 31.5, true, true, false},
};

class WirelinePagesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::TempDir dir;
    VibratorRecordOptions options;
    options.sampleIntervalMs = 1;
    ASSERT_EQ(writeVibratorRecord(dir / "vibs.segd", options), "");
    decode::CollectingMessages messages;
    record_ = new decode::SegdRecord;
    ASSERT_TRUE(decode::openRecord(dir / "vibs.segd", *record_, messages, {}).ok());
  }
  static void TearDownTestSuite() { delete record_; }

  WirelineSetup setup() const { return test::fleetSetup(3); }

  static decode::SegdRecord* record_;
  dsp::Fft fft_;
};
decode::SegdRecord* WirelinePagesTest::record_ = nullptr;

void expectVerdict(const VibratorVerdict& got, const Expected& e) {
  SCOPED_TRACE(e.name);
  ASSERT_TRUE(got.startTimeErrorUs.has_value());
  EXPECT_NEAR(*got.startTimeErrorUs, e.startUs, e.startTolerance);
  EXPECT_GE(got.maxPhaseErrorDeg, e.phaseLow);
  EXPECT_LE(got.maxPhaseErrorDeg, e.phaseHigh);
  EXPECT_GE(got.maxDistortionPercent, e.distortionLow);
  EXPECT_LE(got.maxDistortionPercent, e.distortionHigh);
  EXPECT_EQ(got.startTimePass, e.startPass);
  EXPECT_EQ(got.phasePass, e.phasePass);
  EXPECT_EQ(got.distortionPass, e.distortionPass);
  EXPECT_EQ(got.pass(), e.startPass && e.phasePass && e.distortionPass);
}

TEST_F(WirelinePagesTest, VerdictsShowExactlyTheFaultsPutIn) {
  const WirelineSetup s = setup();
  for (int v = 1; v <= 3; ++v)
    expectVerdict(judgeVibrator(*record_, kPilotTrace, vibratorTrace(v, 0), vibratorTrace(v, 3),
                                s.params, fft_),
                  kExpected[v - 1]);
}

std::vector<std::string> textsOf(const app::RecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const app::DrawnItem* item : canvas.texts()) out.push_back(item->text);
  return out;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(WirelinePagesTest, EveryPaneCarriesItsBannerAndCaptions) {
  const WirelineSetup s = setup();
  auto pages = makeWirelinePages(*record_, s, s.vibrators[1],
                                 {"Acme", "Oil Co", "Crew 9", "d", "t"}, "/f", fft_);
  const struct {
    int page, pane;
    std::vector<std::string> captions;
  } cases[] = {
      {1,
       0,
       {"Wireline Similarity", "Vibrator Number V2", "Pilot", "Ground Force",
        "Phase Error (Degrees)", "Frequency vs Time"}},
      {1, 1, {"Wireline Similarity", "Xcorr Pilot*Ref", "Xcorr Pilot*GF", "Db"}},
      {2, 0, {"Ground Force Distortion (%)", "FFT Pilot", "FFT Ground Force"}},
      {2, 1, {"FT Analysis Pilot", "FT Analysis GF", "DB"}},
      {3, 0, {"Pilot Start Taper", "Pilot End Taper", "GF Start Taper", "GF End Taper"}},
      {3, 1, {"Transfer Function (BP Acc/Mass Acc)", "Delta Phase (BP-Mass Deg)"}},
      {kPulsePage, 0, {"Wireline Pulse", "Pilot", "Ref", "Mass", "BP", "Ground Force"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << c.page << " pane " << c.pane);
    app::RecordingCanvas canvas(kPanePictureWidth, kPanePictureHeight);
    pages->drawPane(canvas, c.page, c.pane);
    const auto texts = textsOf(canvas);
    for (const std::string& caption : c.captions) EXPECT_TRUE(contains(texts, caption)) << caption;
    EXPECT_TRUE(contains(texts, "Acme"));
    EXPECT_TRUE(contains(texts, "Crew 9"));
  }
}

TEST_F(WirelinePagesTest, StartTimeLabelShowsPageOnesMeasurement) {
  const WirelineSetup s = setup();
  for (int v : {1, 2}) {
    auto pages =
        makeWirelinePages(*record_, s, s.vibrators[static_cast<std::size_t>(v - 1)], {}, "", fft_);
    app::RecordingCanvas a(kPanePictureWidth, kPanePictureHeight),
        b(kPanePictureWidth, kPanePictureHeight);
    pages->drawPane(a, 1, 0);
    pages->drawPane(b, 1, 1);
    const app::DrawnItem* label = nullptr;
    for (const app::DrawnItem* item : b.texts())
      if (item->text.starts_with("Start Time Error ")) label = item;
    ASSERT_NE(label, nullptr);
    const float measured = *pages->verdict()->startTimeErrorUs;
    char expected[64];
    std::snprintf(expected, sizeof expected, "Start Time Error %.1fuS", measured);
    EXPECT_EQ(label->text, expected);
    EXPECT_EQ(label->colour, v == 1 ? 0x008000u : 0x0000FFu);
    EXPECT_NEAR(measured, v == 1 ? 0 : 300, 10);
  }
}

TEST_F(WirelinePagesTest, PagesPicturesAndPrintCaptions) {
  WirelineSetup s = setup();
  s.params.page2 = 0;
  auto pages = makeWirelinePages(*record_, s, s.vibrators[0], {}, "/data", fft_);
  EXPECT_EQ(pages->requestedPages(), (std::vector<int>{1, 3}));
  EXPECT_EQ(pages->pictureName(1, 0), "Wire Sim Vib V1 Page 1A.BMP");
  EXPECT_EQ(pages->pictureName(2, 1), "Wire Sim Vib V1 Page 2B.BMP");
  EXPECT_EQ(pages->pictureName(3, 0), "Wire Sim Vib V1 Page 3A.BMP");
  EXPECT_EQ(pages->pictureName(kPulsePage, 0), "Wire Pulse Vib V1 Page 1.BMP");
  EXPECT_EQ(pages->paneCount(3), 2);
  EXPECT_EQ(pages->paneCount(kPulsePage), 1);
  EXPECT_EQ(pages->printCaption(1, false), "408 Wire Sim");
  EXPECT_EQ(pages->printCaption(2, true), "IO4 Wire Sim");
  EXPECT_EQ(pages->printCaption(3, true), "408 Wire Sim");
  EXPECT_EQ(pages->printCaption(kPulsePage, false), "408 Wire Pulse");
  EXPECT_EQ(pages->pictureFolder(), "/data");
  // A name is no path: separators, control characters and NUL bytes become '_'.
  WirelineVibrator hostile = s.vibrators[0];
  hostile.label = std::string("08/12\\a:") + '\0' + "\n";
  EXPECT_EQ(makeWirelinePages(*record_, s, hostile, {}, "", fft_)->pictureName(2, 1),
            "Wire Sim Vib 08_12_a___ Page 2B.BMP");
  s.params.pulse = 1;
  EXPECT_EQ(makeWirelinePages(*record_, s, s.vibrators[0], {}, "", fft_)->requestedPages(),
            (std::vector<int>{kPulsePage}));
}

TEST(RadioPages, VerdictsNamesAndCaptions) {
  const VibratorFault faults[] = {{}, {300, 0, 1}, {0, 0.3, 1}};
  RadioSetup setup;
  setup.params.distortionQcLimit = 20;
  setup.folder = "/radio";
  dsp::Fft fft;
  for (int v = 0; v < 3; ++v) {
    RadioFileOptions options;
    options.returnFault = faults[v];
    decode::SegdRecord record;
    ASSERT_TRUE(loadRadioSimilarity(radioFileBytes(options), "r", record).ok);
    expectVerdict(judgeVibrator(record, setup.referenceChannel, setup.referenceChannel,
                                setup.returnChannel, setup.params, fft),
                  kExpected[v]);
    if (v != 0) continue;
    auto pages = makeRadioPages(record, setup, {1, "R1", "R1.DAT"}, {}, fft);
    EXPECT_EQ(pages->pictureName(2, 1), "Vib R1 Page 2B.BMP");
    EXPECT_EQ(pages->pictureName(3, 0), "Vib R1 Page 3A.BMP");
    EXPECT_EQ(pages->paneCount(3), 1);
    EXPECT_EQ(pages->printCaption(1, false), "408 Radio Sim");
    EXPECT_EQ(pages->printCaption(1, true), "IO4 Radio Sim");
    const struct {
      int page, pane;
      std::vector<std::string> captions;
    } cases[] = {
        {1,
         0,
         {"Radio Similarity", "Radio Ref", "Ground Force", "Phase Error (Degrees)",
          "Frequency vs Time"}},
        {1, 1, {"Autocorr Radio Ref", "Xcorr Ref*Return"}},
        {2, 0, {"Distortion Ground Force(%)", "FFT Ground Force", "FFT Radio Ref"}},
        {2, 1, {"FT Analysis Radio Ref", "FT Analysis Ground Force"}},
        {3,
         0,
         {"Radio Ref Start Taper", "Radio Ref End Taper", "Ground Force Start Taper",
          "Ground Force End Taper"}},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "page " << c.page << " pane " << c.pane);
      app::RecordingCanvas canvas(kPanePictureWidth, kPanePictureHeight);
      pages->drawPane(canvas, c.page, c.pane);
      const auto texts = textsOf(canvas);
      for (const std::string& caption : c.captions)
        EXPECT_TRUE(contains(texts, caption)) << caption;
    }
  }
}

}  // namespace
}  // namespace vorax::vibsim
