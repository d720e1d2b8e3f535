// A multi-vibrator set-up (.MVS) of arbitrary fields, run over a synthetic three-vibrator
// record as `vorax vibsim` runs it.
#include "decode/record_file.h"
#include "decode/record_opener.h"
#include "decode/synth/synth_writer.h"
#include "setup_fuzz.h"
#include "vibsim/similarity_setup.h"
#include "vibsim/vibrator_synth.h"

namespace {

using namespace vorax;

struct Fleet {
  std::vector<std::uint8_t> bytes;
  decode::SegdRecord record;
  std::vector<std::uint8_t> setup;  // the sound .MVS image
};

const Fleet& fleet() {
  static const Fleet f = [] {
    Fleet made;
    vibsim::VibratorRecordOptions options;
    options.sweep = fuzz::shortSweep();
    options.sampleIntervalMs = 4;
    options.recordLengthS = 3;
    made.bytes = decode::synth::voraxRecordBytes(vibsim::vibratorRecordSynthOptions(options));
    decode::RecordFile file = decode::RecordFile::fromMemory(made.bytes);
    decode::CollectingMessages messages;
    decode::openRecord(file, made.record, messages, base::DebugLog{});
    app::ViewerSettings s;
    app::ApplyDefaultSettings(s);
    for (int v = 1; v <= 3; ++v) {
      const auto row = static_cast<std::size_t>(v);
      s.setMultiVibName(row, "V" + std::to_string(v));
      for (std::size_t c = 0; c < 4; ++c)
        s.setMultiVibChannel(c, row, vibsim::vibratorTrace(v, static_cast<int>(c)));
    }
    made.setup = vibsim::setupImage(vibsim::kMvsFile, s);
    return made;
  }();
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Fleet& f = fleet();
  app::ViewerSettings settings;
  if (!fuzz::readFuzzedSetup(vibsim::kMvsFile, f.setup, data, size, settings)) return 0;
  const vibsim::WirelineSetup setup = vibsim::wirelineSetupOf(settings);
  const vibsim::BannerTexts banner = vibsim::bannerTextsOf(settings, f.record);
  dsp::Fft fft;
  std::size_t run = 0;
  for (const vibsim::WirelineVibrator& v : setup.vibrators) {
    if (const auto problem = vibsim::checkWirelineChannels(setup, v, f.record.loadedTraceCount())) {
      if (problem->endsRun) break;
      continue;
    }
    if (++run > fuzz::kVibratorsRun) break;
    auto pages = vibsim::makeWirelinePages(f.record, setup, v, banner, {}, fft);
    fuzz::drawEveryPage(*pages);
    vibsim::judgeVibrator(f.record, setup.pilotChannel, v.channels.reference, v.channels.force,
                          setup.params, fft);
  }
  return 0;
}
