// One vibrator's three similarity pages end to end: every analysis measured afresh and every
// pane drawn into a picture of the size the runs save (1050 x 1485), for a record of a pilot
// and three vibrators of 12 s sweeps at 0.5 ms.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <memory>

#include "app/ui/qt_canvas.h"
#include "decode/record_file.h"
#include "decode/record_opener.h"
#include "gui_application.h"
#include "vibsim/similarity_pages.h"
#include "vibsim/vibrator_synth.h"

namespace {

using namespace vorax;

const decode::SegdRecord& vibratorRecord() {
  static decode::SegdRecord record = [] {
    vibsim::VibratorRecordOptions options;
    options.sampleIntervalMs = 0.5;
    const auto bytes = decode::synth::voraxRecordBytes(vibsim::vibratorRecordSynthOptions(options));
    decode::RecordFile file = decode::RecordFile::fromMemory(bytes);
    decode::SegdRecord r;
    decode::CollectingMessages messages;
    decode::openRecord(file, r, messages, {});
    return r;
  }();
  return record;
}

void BM_OneVibratorThreePages(benchmark::State& state) {
  ensureGuiApplication();
  const decode::SegdRecord& record = vibratorRecord();
  vibsim::WirelineSetup setup;
  const vibsim::WirelineVibrator vibrator{
      3,
      "V3",
      {vibsim::vibratorTrace(3, 0), vibsim::vibratorTrace(3, 1), vibsim::vibratorTrace(3, 2),
       vibsim::vibratorTrace(3, 3)}};
  dsp::Fft fft;
  QImage picture(vibsim::kPanePictureWidth, vibsim::kPanePictureHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    auto pages = vibsim::makeWirelinePages(record, setup, vibrator, {}, "", fft);
    for (int page = 1; page <= 3; ++page) {
      for (int pane = 0; pane < pages->paneCount(page); ++pane) {
        app::ui::QtCanvas canvas(picture);
        pages->drawPane(canvas, page, pane);
      }
    }
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(BM_OneVibratorThreePages)->Unit(benchmark::kMillisecond);

}  // namespace
