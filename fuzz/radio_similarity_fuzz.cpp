// The radio similarity file reader and the set-up files on arbitrary bytes. Traps when a file
// is accepted but its record is not three traces peaking at most at 1. A set-up image whose
// numbers pass the range checks is run: every page of a short radio test is drawn with its
// parameters, so that no accepted value can reach an analysis it breaks.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "app/recording_canvas.h"
#include "app/settings.h"
#include "vibsim/radio_file.h"
#include "vibsim/setup_checks.h"
#include "vibsim/setup_files.h"
#include "vibsim/similarity_pages.h"
#include "vibsim/vibrator_synth.h"

namespace {

using namespace vorax;

// A 1.5 s radio test of a 1 s sweep at 1 ms, read once.
const decode::SegdRecord& shortRadioTest() {
  static const decode::SegdRecord record = [] {
    vibsim::RadioFileOptions options;
    options.sweep.lengthS = 1;
    options.sweep.taperS = 0.1;
    options.intervalMultiplier = 8;
    options.samplesPerChannel = 1500;
    options.returnFault = {0, 0.2, 1};
    decode::SegdRecord r;
    vibsim::loadRadioSimilarity(vibsim::radioFileBytes(options), "fuzz", r);
    return r;
  }();
  return record;
}

void drawEveryPage(vibsim::SimilarityPages& pages) {
  for (int page : {1, 2, 3, vibsim::kPulsePage})
    for (int pane = 0; pane < pages.paneCount(page); ++pane) {
      app::RecordingCanvas canvas(300, 420);
      pages.drawPane(canvas, page, pane);
    }
  pages.verdict();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const decode::Bytes bytes(data, size);
  decode::SegdRecord record;
  const vibsim::RadioLoad load = vibsim::loadRadioSimilarity(bytes, "fuzz", record);
  if (load.ok) {
    if (record.loadedTraceCount() != 3) __builtin_trap();
    for (std::int32_t t = 1; t <= 3; ++t)
      for (float v : record.samples.trace(t))
        if (!(std::abs(v) <= 1.0f)) __builtin_trap();
  }
  for (const vibsim::SetupFileKind* kind : {&vibsim::kMvsFile, &vibsim::kRsfFile}) {
    if (size < kind->size) continue;
    app::ViewerSettings settings;
    app::ApplyDefaultSettings(settings);
    vibsim::applySetupImage(*kind, bytes.first(kind->size), settings);
    if (!vibsim::checkSetupValues(*kind, settings).empty()) continue;
    dsp::Fft fft;
    const decode::SegdRecord& test = shortRadioTest();
    if (kind == &vibsim::kMvsFile) {
      vibsim::WirelineSetup setup = vibsim::wirelineSetupOf(settings);
      setup.pilotChannel = 2;
      const vibsim::WirelineVibrator v{1, "F", {2, 2, 3, 3}};
      drawEveryPage(*vibsim::makeWirelinePages(test, setup, v, {}, "", fft));
    } else {
      vibsim::RadioSetup setup = vibsim::radioSetupOf(settings, "");
      setup.referenceChannel = 2;
      setup.returnChannel = 3;
      drawEveryPage(*vibsim::makeRadioPages(test, setup, {1, "F", "F"}, {}, fft));
    }
  }
  return 0;
}
