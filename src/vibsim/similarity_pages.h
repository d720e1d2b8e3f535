// One vibrator's similarity pages as the display window, the picture files, the printer and
// the command line see them: how many panes a page has, drawing a pane onto any canvas, the
// picture file names and the printed captions. Wireline pages come from traces of a record,
// radio pages from a radio similarity file; both lay their analyses out band by band.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/canvas.h"
#include "app/settings.h"
#include "base/debug_log.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "vibsim/plot_primitives.h"
#include "vibsim/sim_params.h"
#include "vibsim/similarity_setup.h"

namespace vorax::vibsim {

// Page numbers: the similarity pages 1..3, and the pulse page.
inline constexpr int kPulsePage = 0;

// Pixel size of a pane saved as a picture: A4 portrait proportions, about 127 dots per inch.
inline constexpr int kPanePictureWidth = 1050;
inline constexpr int kPanePictureHeight = 1485;

// Who and when, for the banner: from the settings and the record's header.
struct BannerTexts {
  std::string contractor;
  std::string oilCompany;
  std::string crew;
  std::string recordDate;
  std::string recordTime;
};
BannerTexts bannerTextsOf(const app::ViewerSettings& settings, const decode::SegdRecord& record);

class SimilarityPages {
 public:
  virtual ~SimilarityPages() = default;

  virtual const std::string& vibratorLabel() const = 0;
  // The pages the set-up asks for, in order: the pulse page alone for a pulse test, else the
  // ticked pages among 1..3.
  virtual std::vector<int> requestedPages() const = 0;
  // 1 or 2 (pane A, pane B).
  virtual int paneCount(int page) const = 0;
  // Draws pane 0 (A) or 1 (B) of a page, banner and footer included. Drawing pane A of
  // page 1 measures the start-time error that pane B shows.
  virtual void drawPane(app::Canvas& canvas, int page, int pane) = 0;
  // The picture file name (no folder) of a pane saved by a run: "Wire Sim Vib V1 Page 1A.BMP".
  virtual std::string pictureName(int page, int pane) const = 0;
  // The caption of a high-resolution printed page; `fromWindow` for the window's own "Print".
  virtual std::string printCaption(int page, bool fromWindow) const = 0;
  // The folder the run saves pictures in.
  virtual const std::string& pictureFolder() const = 0;
  // Microseconds, as measured by the last drawing of page 1 pane A.
  float startTimeError() const { return run_.startTimeError; }

 protected:
  SimRunState run_;
};

// Wireline pages of one vibrator of a multi-vibrator run over `record` (which, like the
// set-up and the FFT plans, must outlive the pages).
std::unique_ptr<SimilarityPages> makeWirelinePages(const decode::SegdRecord& record,
                                                   const WirelineSetup& setup,
                                                   const WirelineVibrator& vibrator,
                                                   const BannerTexts& banner,
                                                   std::string pictureFolder, dsp::Fft& fft,
                                                   const base::DebugLog* log = nullptr);

// Radio pages of one radio similarity file loaded into `record`.
std::unique_ptr<SimilarityPages> makeRadioPages(const decode::SegdRecord& record,
                                                const RadioSetup& setup,
                                                const RadioVibrator& vibrator,
                                                const BannerTexts& banner, dsp::Fft& fft,
                                                const base::DebugLog* log = nullptr);

// The numbers a QC sheet is signed on, for one vibrator: pilot (or radio reference) against
// ground force (or radio return). Phase and distortion count only where the sweep is present
// (instantaneous frequency above 0) and past its tapers: "Start Taper Length (mS)" from the
// first such point, "End Taper Length (mS)" before the last.
struct VibratorVerdict {
  std::optional<float> startTimeErrorUs;  // absent when no point of the sweep could measure it
  float maxPhaseErrorDeg = 0;             // largest magnitude, after the fold
  float maxDistortionPercent = 0;
  bool startTimePass = false;   // |error| <= 100 us (measured)
  bool phasePass = false;       // no point beyond the phase QC limit
  bool distortionPass = false;  // no point beyond the distortion QC limit
  bool pass() const { return startTimePass && phasePass && distortionPass; }
};
inline constexpr float kStartTimeLimitUs = 100;
VibratorVerdict judgeVibrator(const decode::SegdRecord& record, std::int32_t pilotTrace,
                              std::int32_t signalTrace, const SimParams& params, dsp::Fft& fft);

}  // namespace vorax::vibsim
