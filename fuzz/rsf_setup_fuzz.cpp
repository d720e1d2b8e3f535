// A radio similarity set-up (.RSF) of arbitrary fields, run over a folder of three synthetic
// radio similarity files as `vorax radiosim` runs it.
#include "setup_fuzz.h"
#include "vibsim/radio_file.h"
#include "vibsim/similarity_setup.h"
#include "vibsim/vibrator_synth.h"

namespace {

using namespace vorax;

struct RadioFleet {
  std::filesystem::path folder;
  std::vector<std::uint8_t> setup;  // the sound .RSF image
};

const RadioFleet& fleet() {
  static const RadioFleet f = [] {
    RadioFleet made;
    made.folder =
        std::filesystem::temp_directory_path() / ("vorax_rsf_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(made.folder);
    const vibsim::VibratorFault faults[] = {{}, {300, 0, 1}, {0, 0.3, 1}};
    app::ViewerSettings s;
    app::ApplyDefaultSettings(s);
    for (int v = 1; v <= 3; ++v) {
      vibsim::RadioFileOptions options;
      options.sweep = fuzz::shortSweep();
      options.intervalMultiplier = 16;   // 16 x 124.78 us: about 2 ms
      options.samplesPerChannel = 1500;  // 3 s
      options.returnFault = faults[v - 1];
      const std::string name = "VIB" + std::to_string(v) + ".DAT";
      vibsim::writeRadioFile(made.folder / name, options);
      s.setRadioSimFile(static_cast<std::size_t>(v), name);
    }
    made.setup = vibsim::setupImage(vibsim::kRsfFile, s);
    return made;
  }();
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const RadioFleet& f = fleet();
  app::ViewerSettings settings;
  if (!fuzz::readFuzzedSetup(vibsim::kRsfFile, f.setup, data, size, settings)) return 0;
  const vibsim::RadioSetup setup = vibsim::radioSetupOf(settings, f.folder);
  dsp::Fft fft;
  std::size_t run = 0;
  for (const vibsim::RadioVibrator& v : setup.vibrators) {
    decode::SegdRecord record;
    if (!vibsim::loadRadioSimilarityFile(setup.folder / v.file, record).ok) continue;
    if (vibsim::checkRadioChannels(setup, record.loadedTraceCount())) break;
    if (++run > fuzz::kVibratorsRun) break;
    auto pages =
        vibsim::makeRadioPages(record, setup, v, vibsim::bannerTextsOf(settings, record), fft);
    fuzz::drawEveryPage(*pages);
    vibsim::judgeVibrator(record, setup.referenceChannel, setup.referenceChannel,
                          setup.returnChannel, setup.params, fft);
  }
  return 0;
}
