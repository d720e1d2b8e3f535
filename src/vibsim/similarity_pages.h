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
#include "vibsim/verdict.h"

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
// The fleet table's second line: contractor, oil company, crew, record date and time and
// `source` (the record file or the radio folder), those that are not empty, " - " between.
std::string fleetSubtitle(const BannerTexts& banner, std::string_view source);

class SimilarityPages {
 public:
  virtual ~SimilarityPages() = default;

  virtual const std::string& vibratorLabel() const = 0;
  // The pages the set-up asks for, in order: the pulse page alone for a pulse test, else the
  // ticked pages among 1..3.
  virtual std::vector<int> requestedPages() const = 0;
  // 1 or 2 (pane A, pane B).
  virtual int paneCount(int page) const = 0;
  // Draws pane 0 (A) or 1 (B) of a page, banner, verdict row and footer included.
  virtual void drawPane(app::Canvas& canvas, int page, int pane) = 0;
  // The picture file name (no folder) of a pane saved by a run: "Wire Sim Vib V1 Page 1A.BMP".
  virtual std::string pictureName(int page, int pane) const = 0;
  // The caption of a high-resolution printed page; `fromWindow` for the window's own "Print".
  virtual std::string printCaption(int page, bool fromWindow) const = 0;
  // The folder the run saves pictures in.
  virtual const std::string& pictureFolder() const = 0;
  // The vibrator's verdicts (judged once, when first asked for), which every similarity
  // pane shows under its banner; a pulse test has none.
  virtual std::optional<VibratorVerdict> verdict() = 0;
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

}  // namespace vorax::vibsim
