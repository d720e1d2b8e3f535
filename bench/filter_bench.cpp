// One band pass (8-12-70-90 Hz) over a record of 1,000 traces x 4,096 samples at 2 ms, as the
// Filters dialog runs it (copy of the record, every trace filtered), on one thread and on
// two. bench/numpy_bandpass.py times NumPy/SciPy on the same data for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "filter/record_filter.h"

namespace {

constexpr std::int32_t kTraces = 1000;
constexpr std::int32_t kSamples = 4096;

// Trace t, sample s: sin(0.05 s + 0.1 t) + 0.5 sin(0.9 s); the script makes the same.
const vorax::decode::SegdRecord& benchRecord() {
  static const vorax::decode::SegdRecord record = [] {
    vorax::decode::SegdRecord r;
    r.summary.sampleIntervalUs = 2000;
    r.samples.reset(kTraces, kSamples);
    r.traceInfo.assign(kTraces + 1, {});
    r.traceDivisor.assign(kTraces + 1, 1.0f);
    for (std::int32_t t = 1; t <= kTraces; ++t) {
      r.traceInfo[static_cast<std::size_t>(t)].amplitudeScale = 1;
      for (std::int32_t s = 0; s < kSamples; ++s)
        r.samples.at(t, s) =
            static_cast<float>(std::sin(0.05 * s + 0.1 * (t - 1)) + 0.5 * std::sin(0.9 * s));
    }
    return r;
  }();
  return record;
}

void BM_BandPassRecord(benchmark::State& state) {
  const auto threads = static_cast<unsigned>(state.range(0));
  const vorax::decode::SegdRecord& record = benchRecord();
  const std::vector<vorax::filter::FilterRequest> bandPass{
      {vorax::filter::FilterType::BandPass, {8, 12, 70, 90}}};
  vorax::dsp::Fft fft;
  for (auto _ : state)
    benchmark::DoNotOptimize(vorax::filter::filterRecordTraces(record, bandPass, fft, {}, threads));
  state.SetItemsProcessed(state.iterations() * kTraces);
}

}  // namespace

BENCHMARK(BM_BandPassRecord)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
