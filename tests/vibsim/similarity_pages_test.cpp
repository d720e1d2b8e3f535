#include "vibsim/similarity_pages.h"

#include <gtest/gtest.h>

#include "vibsim/radio_file.h"
#include "vibsim/vibsim_fixtures.h"

namespace vorax::vibsim {
namespace {

struct PaneCaptions {
  int page, pane;
  std::vector<std::string> captions;
};

// Each pane drawn carries its captions and the banner's texts.
void expectCaptions(SimilarityPages& pages, const std::vector<PaneCaptions>& panes,
                    const std::vector<std::string>& banner) {
  for (const PaneCaptions& p : panes) {
    SCOPED_TRACE(testing::Message() << "page " << p.page << " pane " << p.pane);
    app::RecordingCanvas canvas(kPanePictureWidth, kPanePictureHeight);
    pages.drawPane(canvas, p.page, p.pane);
    const auto texts = test::textsOf(canvas);
    for (const std::string& caption : p.captions)
      EXPECT_TRUE(test::contains(texts, caption)) << caption;
    for (const std::string& text : banner) EXPECT_TRUE(test::contains(texts, text)) << text;
  }
}

class WirelinePagesTest : public ::testing::Test {
 protected:
  const decode::SegdRecord& record_ = test::faultyFleetRecord();
  WirelineSetup setup_ = test::fleetSetup(3);
  dsp::Fft fft_;
};

TEST_F(WirelinePagesTest, EveryPaneCarriesItsBannerAndCaptions) {
  auto pages = makeWirelinePages(record_, setup_, setup_.vibrators[1],
                                 {"Acme", "Oil Co", "Crew 9", "d", "t"}, "/f", fft_);
  expectCaptions(
      *pages,
      {{1,
        0,
        {"Wireline Similarity", "Vibrator Number V2", "Pilot", "Ground Force",
         "Phase Error (Degrees)", "Frequency vs Time"}},
       {1, 1, {"Wireline Similarity", "Xcorr Pilot*Ref", "Xcorr Pilot*GF", "Db"}},
       {2, 0, {"Ground Force Distortion (%)", "FFT Pilot", "FFT Ground Force"}},
       {2, 1, {"FT Analysis Pilot", "FT Analysis GF", "DB"}},
       {3, 0, {"Pilot Start Taper", "Pilot End Taper", "GF Start Taper", "GF End Taper"}},
       {3, 1, {"Transfer Function (BP Acc/Mass Acc)", "Delta Phase (BP-Mass Deg)"}},
       {kPulsePage, 0, {"Wireline Pulse", "Pilot", "Ref", "Mass", "BP", "Ground Force"}}},
      {"Acme", "Crew 9"});
}

TEST_F(WirelinePagesTest, PagesPicturesAndPrintCaptions) {
  WirelineSetup s = setup_;
  s.params.page2 = 0;
  auto pages = makeWirelinePages(record_, s, s.vibrators[0], {}, "/data", fft_);
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
  EXPECT_EQ(makeWirelinePages(record_, s, hostile, {}, "", fft_)->pictureName(2, 1),
            "Wire Sim Vib 08_12_a___ Page 2B.BMP");
  s.params.pulse = 1;
  EXPECT_EQ(makeWirelinePages(record_, s, s.vibrators[0], {}, "", fft_)->requestedPages(),
            (std::vector<int>{kPulsePage}));
}

// Radio files carrying the first three faults of the fleet read as the wireline record does.
TEST(RadioPages, VerdictsNamesAndCaptions) {
  RadioSetup setup;
  setup.params.distortionQcLimit = 20;
  setup.folder = "/radio";
  dsp::Fft fft;
  for (int v = 0; v < 3; ++v) {
    RadioFileOptions options;
    options.returnFault = test::kFleetFaults[v].fault;
    decode::SegdRecord record;
    ASSERT_TRUE(loadRadioSimilarity(radioFileBytes(options), "r", record).ok);
    test::expectVerdict(judgeVibrator(record, setup.referenceChannel, setup.referenceChannel,
                                      setup.returnChannel, setup.params, fft),
                        test::kFleetFaults[v]);
    if (v != 0) continue;
    auto pages = makeRadioPages(record, setup, {1, "R1", "R1.DAT"}, {}, fft);
    EXPECT_EQ(pages->pictureName(2, 1), "Vib R1 Page 2B.BMP");
    EXPECT_EQ(pages->pictureName(3, 0), "Vib R1 Page 3A.BMP");
    EXPECT_EQ(pages->paneCount(3), 1);
    EXPECT_EQ(pages->printCaption(1, false), "408 Radio Sim");
    EXPECT_EQ(pages->printCaption(1, true), "IO4 Radio Sim");
    expectCaptions(*pages,
                   {{1,
                     0,
                     {"Radio Similarity", "Radio Ref", "Ground Force", "Phase Error (Degrees)",
                      "Frequency vs Time"}},
                    {1, 1, {"Autocorr Radio Ref", "Xcorr Ref*Return"}},
                    {2, 0, {"Distortion Ground Force(%)", "FFT Ground Force", "FFT Radio Ref"}},
                    {2, 1, {"FT Analysis Radio Ref", "FT Analysis Ground Force"}},
                    {3,
                     0,
                     {"Radio Ref Start Taper", "Radio Ref End Taper", "Ground Force Start Taper",
                      "Ground Force End Taper"}}},
                   {});
  }
}

}  // namespace
}  // namespace vorax::vibsim
