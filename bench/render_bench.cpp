// One full page of the main display (300 traces x 2001 samples) drawn into a 1600 x 1000
// picture through the Qt canvas, as the viewer and `vorax render` draw it; and a variable
// density page of 3,000 traces into the same picture, which is to take no longer.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdlib>
#include <random>

#include "app/record_display.h"
#include "app/ui/qt_canvas.h"
#include "gui_application.h"

namespace {

constexpr std::int32_t kSamples = 2001;

// A shot-like record: decaying wavelets arriving later with offset, plus noise, each trace
// normalised to peak 1 as the loader leaves it.
vorax::decode::SegdRecord shotRecord(std::int32_t traces) {
  vorax::decode::SegdRecord record;
  record.summary.sampleIntervalUs = 2000;
  record.summary.samplesPerTrace = kSamples;
  record.summary.traceCount = traces;
  record.samples.reset(traces, kSamples);
  record.traceInfo.resize(traces + 1);
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0, 0.02f);
  for (std::int32_t t = 1; t <= traces; ++t) {
    record.traceInfo[static_cast<std::size_t>(t)].channelKind = "Seis";
    record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale = 1;
    const double arrival = 50 + 2.0 * std::abs(t - traces / 2) * 300.0 / traces;
    std::span<float> trace = record.samples.trace(t);
    float peak = 0;
    for (std::int32_t j = 0; j < kSamples; ++j) {
      double age = j - arrival;
      double signal = age < 0 ? 0 : std::exp(-age / 400) * std::sin(age * 0.35);
      trace[static_cast<std::size_t>(j)] = static_cast<float>(signal) + noise(random);
      peak = std::max(peak, std::abs(trace[static_cast<std::size_t>(j)]));
    }
    for (std::int32_t j = 0; j < kSamples; ++j) trace[static_cast<std::size_t>(j)] /= peak;
  }
  return record;
}

void drawPages(benchmark::State& state, std::int32_t traces,
               const vorax::app::DisplayOptions& options) {
  ensureGuiApplication();
  vorax::decode::SegdRecord record = shotRecord(traces);
  vorax::app::DisplayState display;
  display.firstTrace = 0;
  display.lastTrace = traces;
  display.displayStartMs = 0;
  display.displayEndMs = 4000;
  display.displayGainDb = 18;
  QImage image(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    vorax::app::ui::QtCanvas canvas(image);
    benchmark::DoNotOptimize(vorax::app::DrawRecordDisplay(canvas, record, display, options));
  }
  state.SetItemsProcessed(state.iterations() * traces * kSamples);
}

void BM_FullPage300x2001(benchmark::State& state) {
  drawPages(state, 300, vorax::app::DisplayOptions{});
}
BENCHMARK(BM_FullPage300x2001)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The viewer's default balance (RMS) in variable density: every trace of 3,000 on one page.
void BM_DensityPage3000x2001(benchmark::State& state) {
  vorax::app::DisplayOptions options;
  options.mode = vorax::app::DisplayMode::Density;
  options.balance = vorax::app::TraceBalance::Rms;
  drawPages(state, 3000, options);
}
BENCHMARK(BM_DensityPage3000x2001)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
