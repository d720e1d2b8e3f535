#include "vibsim/similarity_pages.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "app/picture_file_name.h"
#include "base/text_trim.h"
#include "vibsim/amplitude_views.h"
#include "vibsim/correlogram.h"
#include "vibsim/phase_analysis.h"
#include "vibsim/sim_input.h"
#include "vibsim/spectrum_analysis.h"
#include "vibsim/verdict_views.h"

namespace vorax::vibsim {

namespace {

// "Frequency vs Time" of two traces.
void drawFrequencies(app::Canvas& canvas, SimInput& input, double top, std::int32_t a,
                     Colorref colourA, std::int32_t b, Colorref colourB) {
  const TraceColour traces[] = {{a, colourA}, {b, colourB}};
  drawFrequencyAnalysis(canvas, input, top, traces);
}

// One band of a page: the pane it is in and how it is drawn.
struct Band {
  int pane;
  std::function<void(app::Canvas&)> draw;
};

// The traces a vibrator is judged on.
struct VerdictTraces {
  std::int32_t pilot = 0;
  std::int32_t reference = 0;
  std::int32_t signal = 0;
};

// What wireline and radio pages share: the analysis input, banner, verdict row, footer, bands
// in order, requested pages.
class BandedPages : public SimilarityPages {
 public:
  BandedPages(const decode::SegdRecord& record, const SimParams& params, dsp::Fft& fft,
              const base::DebugLog* log, std::string label, BannerTexts banner, std::string folder,
              VerdictTraces verdictTraces)
      : label_(std::move(label)),
        banner_(std::move(banner)),
        folder_(std::move(folder)),
        params_(params),
        input_(record, params_, fft, log),
        verdictTraces_(verdictTraces) {}

  const std::string& vibratorLabel() const override { return label_; }
  const std::string& pictureFolder() const override { return folder_; }

  std::vector<int> requestedPages() const override {
    if (params_.pulse == 1) return {kPulsePage};
    std::vector<int> pages;
    if (params_.page1 == 1) pages.push_back(1);
    if (params_.page2 == 1) pages.push_back(2);
    if (params_.page3 == 1) pages.push_back(3);
    return pages;
  }

  std::optional<VibratorVerdict> verdict() override {
    if (params_.pulse == 1) return std::nullopt;
    if (!verdict_)
      verdict_ = judgeVibrator(input_, verdictTraces_.pilot, verdictTraces_.reference,
                               verdictTraces_.signal);
    return verdict_;
  }

  void drawPane(app::Canvas& canvas, int page, int pane) override {
    beginPane(canvas);
    drawPageBanner(canvas, {title(page), banner_.contractor, banner_.oilCompany, label_,
                            banner_.crew, banner_.recordDate, banner_.recordTime});
    if (page != kPulsePage) {
      if (const std::optional<VibratorVerdict> v = verdict()) drawVerdictRow(canvas, *v);
    }
    for (const Band& band : bands(page)) {
      if (band.pane == pane) band.draw(canvas);
    }
    drawPaneFooter(canvas);
  }

 protected:
  virtual std::string title(int page) const = 0;
  virtual std::vector<Band> bands(int page) = 0;

  // "<prefix><label><suffix>.BMP", made safe as a file name whatever the label holds.
  std::string pictureFileName(std::string_view prefix, std::string_view suffix) const {
    return app::fileNameFromTitle(std::string(prefix) + label_ + std::string(suffix), ".BMP");
  }

  std::string label_;
  BannerTexts banner_;
  std::string folder_;
  SimParams params_;
  SimInput input_;

 private:
  VerdictTraces verdictTraces_;
  std::optional<VibratorVerdict> verdict_;
};

class WirelinePages final : public BandedPages {
 public:
  WirelinePages(const decode::SegdRecord& record, const WirelineSetup& setup,
                const WirelineVibrator& vibrator, const BannerTexts& banner, std::string folder,
                dsp::Fft& fft, const base::DebugLog* log)
      : BandedPages(record, setup.params, fft, log, vibrator.label, banner, std::move(folder),
                    {setup.pilotChannel, vibrator.channels.reference, vibrator.channels.force}),
        setup_(setup),
        channels_(vibrator.channels) {}

  int paneCount(int page) const override { return page == kPulsePage ? 1 : 2; }

  std::string pictureName(int page, int pane) const override {
    if (page == kPulsePage) return pictureFileName("Wire Pulse Vib ", " Page 1");
    return pictureFileName("Wire Sim Vib ",
                           " Page " + std::to_string(page) + (pane == 0 ? "A" : "B"));
  }

  std::string printCaption(int page, bool fromWindow) const override {
    if (page == kPulsePage) return "408 Wire Pulse";
    return fromWindow && page <= 2 ? "IO4 Wire Sim" : "408 Wire Sim";
  }

 private:
  std::string title(int page) const override {
    return page == kPulsePage ? "Wireline Pulse" : "Wireline Similarity";
  }

  std::vector<Band> bands(int page) override {
    const WirelineColours c = setup_.colours;
    const std::int32_t pilot = setup_.pilotChannel;
    const VibratorChannels ch = channels_;
    SimInput* in = &input_;
    switch (page) {
      case 1:
        return {
            {0,
             [=, this](app::Canvas& k) {
               drawTimeTraceAnalysis(k, *in, 840, pilot, c.pilot, "Pilot");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawTimeTraceAnalysis(k, *in, 628, ch.force, c.force, "Ground Force");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawPhaseErrorAnalysis(k, *in, 416, pilot, ch.force, 0, c.force, c.force);
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawFrequencies(k, *in, 204, pilot, c.pilot, ch.force, c.force);
             }},
            {1,
             [=, this](app::Canvas& k) {
               drawCorrelogramAnalysis(k, *in, 840, pilot, ch.reference, "Left", c.reference,
                                       "Xcorr Pilot*Ref");
               drawCorrelogramAnalysis(k, *in, 840, pilot, ch.force, "Right", c.force,
                                       "Xcorr Pilot*GF");
             }},
            {1,
             [=, this](app::Canvas& k) {
               drawDbCorrelogramAnalysis(k, *in, 416, pilot, ch.reference, "Left", 90, 0,
                                         c.reference, "Xcorr Pilot*Ref");
               drawDbCorrelogramAnalysis(k, *in, 416, pilot, ch.force, "Right", 78,
                                         params_.xcorrQcLimit, c.force, "Xcorr Pilot*GF");
             }},
            {1, [this](app::Canvas& k) { drawStartTimeLabel(k, *verdict()); }},
        };
      case 2:
        return {
            {0,
             [=, this](app::Canvas& k) {
               drawDistortionAnalysis(k, *in, 820, ch.force, c.force,
                                      "Ground Force Distortion (%)");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawSpectrumAnalysis(k, *in, 540, pilot, 0, c.pilot, "FFT Pilot");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawSpectrumAnalysis(k, *in, 260, ch.force, 13, c.force, "FFT Ground Force");
             }},
            {1,
             [=, this](app::Canvas& k) {
               drawTimeFrequencyAnalysis(k, *in, 840, pilot, "FT Analysis Pilot");
             }},
            {1,
             [=, this](app::Canvas& k) {
               drawTimeFrequencyAnalysis(k, *in, 410, ch.force, "FT Analysis GF");
             }},
        };
      case 3:
        return {
            {0,
             [=, this](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 820, pilot, "Start", kTaperAlignmentMs, c.pilot,
                                     "Pilot Start Taper");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 628, pilot, "End", kTaperAlignmentMs, c.pilot,
                                     "Pilot End Taper");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 416, ch.force, "Start", kTaperAlignmentMs, c.force,
                                     "GF Start Taper");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 204, ch.force, "End", kTaperAlignmentMs, c.force,
                                     "GF End Taper");
             }},
            {1,
             [=, this](app::Canvas& k) {
               drawTransferFunctionAnalysis(k, *in, 840, ch.basePlate, ch.mass, c.mass);
             }},
            {1,
             [=, this](app::Canvas& k) {
               drawDeltaPhaseAnalysis(k, *in, 410, ch.basePlate, ch.mass, c.basePlate);
             }},
        };
      default:
        return {
            {0,
             [=, this](app::Canvas& k) {
               drawPulseViewAnalysis(k, *in, 840, pilot, c.pilot, "Pilot");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawPulseViewAnalysis(k, *in, 670, ch.reference, c.reference, "Ref");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawPulseViewAnalysis(k, *in, 500, ch.mass, c.mass, "Mass");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawPulseViewAnalysis(k, *in, 330, ch.basePlate, c.basePlate, "BP");
             }},
            {0,
             [=, this](app::Canvas& k) {
               drawPulseViewAnalysis(k, *in, 160, ch.force, c.force, "Ground Force");
             }},
        };
    }
  }

  const WirelineSetup& setup_;
  VibratorChannels channels_;
};

class RadioPages final : public BandedPages {
 public:
  RadioPages(const decode::SegdRecord& record, const RadioSetup& setup,
             const RadioVibrator& vibrator, const BannerTexts& banner, dsp::Fft& fft,
             const base::DebugLog* log)
      : BandedPages(record, setup.params, fft, log, vibrator.label, banner, setup.folder.string(),
                    {setup.referenceChannel, setup.referenceChannel, setup.returnChannel}),
        setup_(setup) {}

  int paneCount(int page) const override { return page == 1 || page == 2 ? 2 : 1; }

  std::string pictureName(int page, int pane) const override {
    if (page == kPulsePage) return pictureFileName("Radio Pulse Vib ", " Page 1");
    return pictureFileName("Vib ", " Page " + std::to_string(page) + (pane == 0 ? "A" : "B"));
  }

  std::string printCaption(int page, bool fromWindow) const override {
    if (page == kPulsePage) return "408 Radio Pulse";
    return fromWindow ? "IO4 Radio Sim" : "408 Radio Sim";
  }

 private:
  std::string title(int page) const override {
    return page == kPulsePage ? "Radio Pulse" : "Radio Similarity";
  }

  std::vector<Band> bands(int page) override {
    const std::int32_t ref = setup_.referenceChannel;
    const std::int32_t ret = setup_.returnChannel;
    const Colorref refColour = setup_.referenceColour;
    const Colorref retColour = setup_.returnColour;
    const std::string REF = setup_.referenceTitle;
    const std::string RET = setup_.returnTitle;
    SimInput* in = &input_;
    switch (page) {
      case 1:
        return {
            {0, [=](app::Canvas& k) { drawTimeTraceAnalysis(k, *in, 840, ref, refColour, REF); }},
            {0, [=](app::Canvas& k) { drawTimeTraceAnalysis(k, *in, 628, ret, retColour, RET); }},
            {0,
             [=](app::Canvas& k) {
               drawPhaseErrorAnalysis(k, *in, 416, ref, ret, 0, retColour, retColour);
             }},
            {0,
             [=](app::Canvas& k) { drawFrequencies(k, *in, 204, ref, refColour, ret, retColour); }},
            {1,
             [=](app::Canvas& k) {
               drawCorrelogramAnalysis(k, *in, 840, ref, ref, "Left", refColour,
                                       "Autocorr Radio Ref");
               drawCorrelogramAnalysis(k, *in, 840, ref, ret, "Right", retColour,
                                       "Xcorr Ref*Return");
             }},
            {1,
             [=, this](app::Canvas& k) {
               drawDbCorrelogramAnalysis(k, *in, 416, ref, ref, "Left", 90, 0, refColour,
                                         "Autocorr Radio Ref");
               drawDbCorrelogramAnalysis(k, *in, 416, ref, ret, "Right", 78, params_.xcorrQcLimit,
                                         retColour, "Xcorr Ref*Return");
             }},
            {1, [this](app::Canvas& k) { drawStartTimeLabel(k, *verdict()); }},
        };
      case 2:
        return {
            {0,
             [=](app::Canvas& k) {
               drawDistortionAnalysis(k, *in, 820, ret, retColour, "Distortion " + RET + "(%)");
             }},
            {0,
             [=](app::Canvas& k) {
               drawSpectrumAnalysis(k, *in, 540, ret, 7, retColour, "FFT " + RET);
             }},
            {0,
             [=](app::Canvas& k) {
               drawSpectrumAnalysis(k, *in, 260, ref, 0, refColour, "FFT " + REF);
             }},
            {1,
             [=](app::Canvas& k) {
               drawTimeFrequencyAnalysis(k, *in, 840, ref, "FT Analysis " + REF);
             }},
            {1,
             [=](app::Canvas& k) {
               drawTimeFrequencyAnalysis(k, *in, 410, ret, "FT Analysis " + RET);
             }},
        };
      case 3:
        return {
            {0,
             [=](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 820, ref, "Start", kTaperAlignmentMs, refColour,
                                     REF + " Start Taper");
             }},
            {0,
             [=](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 628, ref, "End", kTaperAlignmentMs, refColour,
                                     REF + " End Taper");
             }},
            {0,
             [=](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 416, ret, "Start", kTaperAlignmentMs, retColour,
                                     RET + " Start Taper");
             }},
            {0,
             [=](app::Canvas& k) {
               drawTaperViewAnalysis(k, *in, 204, ret, "End", kTaperAlignmentMs, retColour,
                                     RET + " End Taper");
             }},
        };
      default:
        return {
            {0, [=](app::Canvas& k) { drawPulseViewAnalysis(k, *in, 840, ref, refColour, REF); }},
            {0, [=](app::Canvas& k) { drawPulseViewAnalysis(k, *in, 670, ret, retColour, RET); }},
        };
    }
  }

  const RadioSetup& setup_;
};

}  // namespace

BannerTexts bannerTextsOf(const app::ViewerSettings& settings, const decode::SegdRecord& record) {
  return {base::trimmed(settings.contractor()), base::trimmed(settings.oilCompany()),
          base::trimmed(settings.crew()), base::trimmed(record.summary.recordDate.view()),
          base::trimmed(record.summary.recordTime.view())};
}

std::string fleetSubtitle(const BannerTexts& banner, std::string_view source) {
  std::string when = banner.recordDate;
  if (!banner.recordTime.empty()) when += (when.empty() ? "" : " ") + banner.recordTime;
  std::string out;
  for (const std::string& part :
       {banner.contractor, banner.oilCompany, banner.crew, when, std::string(source)})
    if (!part.empty()) out += (out.empty() ? "" : " - ") + part;
  return out;
}

std::unique_ptr<SimilarityPages> makeWirelinePages(const decode::SegdRecord& record,
                                                   const WirelineSetup& setup,
                                                   const WirelineVibrator& vibrator,
                                                   const BannerTexts& banner,
                                                   std::string pictureFolder, dsp::Fft& fft,
                                                   const base::DebugLog* log) {
  return std::make_unique<WirelinePages>(record, setup, vibrator, banner, std::move(pictureFolder),
                                         fft, log);
}

std::unique_ptr<SimilarityPages> makeRadioPages(const decode::SegdRecord& record,
                                                const RadioSetup& setup,
                                                const RadioVibrator& vibrator,
                                                const BannerTexts& banner, dsp::Fft& fft,
                                                const base::DebugLog* log) {
  return std::make_unique<RadioPages>(record, setup, vibrator, banner, fft, log);
}

}  // namespace vorax::vibsim
