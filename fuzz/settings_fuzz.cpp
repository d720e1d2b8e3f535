// A settings file of arbitrary bytes, loaded as the viewer loads one (its bytes over the
// defaults), then used: the main display and the multi trace options of a small record drawn
// with whatever paging, window, gain, clip, colours and fonts it holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/display_settings.h"
#include "app/record_display.h"
#include "app/recording_canvas.h"
#include "app/settings.h"
#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/record_opener.h"
#include "decode/synth/synth_writer.h"

namespace {

// One small record, made once: 12 seismic and 2 auxiliary traces of 201 samples.
const std::vector<std::uint8_t>& recordBytes() {
  static const std::vector<std::uint8_t> bytes = [] {
    vorax::decode::synth::SynthOptions options;
    options.seismicTraces = 12;
    options.samplesPerTrace = 201;
    std::vector<std::uint8_t> out;
    vorax::decode::synth::writeVoraxRecord(options, [&](vorax::decode::Bytes b) {
      out.insert(out.end(), b.begin(), b.end());
      return true;
    });
    return out;
  }();
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax;
  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  std::memcpy(settings.bytes().data(), data, std::min(size, app::kSettingsSize));

  decode::RecordFile file = decode::RecordFile::fromMemory(recordBytes(), "fuzz");
  decode::SegdRecord record;
  decode::CollectingMessages messages;
  const base::DebugLog noLog;
  if (!decode::openRecord(file, record, messages, noLog).ok()) __builtin_trap();

  app::DisplayState display;
  app::takeDisplaySettings(settings, display);
  app::startRecordDisplay(settings, record, display);
  app::RecordingCanvas canvas(320, 200);
  app::DrawRecordDisplay(canvas, record, display, app::displayOptionsFrom(settings));
  app::multiTraceOptionsFrom(settings, true);
  return 0;
}
