// The single trace view on a 14,001-sample trace (14 s at 1 ms): the "F vs T" and "FT An."
// analyses alone, and each view drawn into a 1600 x 1000 picture through the Qt canvas as
// the window redraws it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdlib>
#include <random>

#include "app/single_trace_view.h"
#include "app/ui/qt_canvas.h"
#include "gui_application.h"

namespace {

constexpr std::int32_t kSamples = 14001;

// One trace: a 10-80 Hz sweep over the first 12 s with noise, normalised to peak 1.
vorax::decode::SegdRecord sweepRecord() {
  vorax::decode::SegdRecord record;
  record.summary.sampleIntervalUs = 1000;
  record.summary.samplesPerTrace = kSamples;
  record.summary.traceCount = 1;
  record.sampleIntervalMs = 1;
  record.recordLengthMs = kSamples - 1;
  record.samples.reset(1, kSamples);
  record.traceInfo.resize(2);
  record.traceDivisor = {1, 25};
  std::mt19937 random(3);
  std::normal_distribution<float> noise(0, 0.01f);
  std::span<float> trace = record.samples.trace(1);
  for (std::int32_t j = 0; j < kSamples; ++j) {
    const double t = j / 1000.0;
    const double sweep = t < 12 ? std::sin(2 * 3.14159265358979 * (10 * t + 35 * t * t / 12)) : 0;
    trace[static_cast<std::size_t>(j)] = static_cast<float>(0.9 * sweep) + noise(random);
  }
  return record;
}

void BM_FrequencyVsTime(benchmark::State& state) {
  const vorax::decode::SegdRecord record = sweepRecord();
  vorax::app::SingleTraceState view = vorax::app::openSingleTrace(record, 1);
  vorax::dsp::Fft fft;
  for (auto _ : state)
    benchmark::DoNotOptimize(vorax::app::traceFrequencyVsTime(record, view, fft));
}
BENCHMARK(BM_FrequencyVsTime)->Unit(benchmark::kMillisecond);

void BM_TimeFrequencyAnalysis(benchmark::State& state) {
  const vorax::decode::SegdRecord record = sweepRecord();
  vorax::dsp::Fft fft;
  for (auto _ : state) benchmark::DoNotOptimize(vorax::app::traceTimeFrequency(record, 1, fft));
}
BENCHMARK(BM_TimeFrequencyAnalysis)->Unit(benchmark::kMillisecond);

// A whole redraw of the view in a mode; FT An. with the window's kept spectrogram (range(1)
// = 1) or computing it as well (0).
void BM_RedrawView(benchmark::State& state) {
  ensureGuiApplication();
  const vorax::decode::SegdRecord record = sweepRecord();
  vorax::app::SingleTraceState view = vorax::app::openSingleTrace(record, 1);
  view.viewMode = static_cast<vorax::app::SingleTraceMode>(state.range(0));
  vorax::dsp::Fft fft;
  const vorax::app::TimeFrequencyImage image = vorax::app::traceTimeFrequency(record, 1, fft);
  QImage picture(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    vorax::app::ui::QtCanvas canvas(picture);
    vorax::app::drawSingleTraceView(canvas, record, view, fft, nullptr,
                                    state.range(1) ? &image : nullptr);
  }
}
BENCHMARK(BM_RedrawView)
    ->ArgNames({"mode", "kept"})
    ->Args({2, 0})
    ->Args({1, 0})
    ->Args({3, 1})
    ->Args({3, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
