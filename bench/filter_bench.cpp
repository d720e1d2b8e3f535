// One band pass (8-12-70-90 Hz) over a record of 1,000 traces x 4,096 samples at 2 ms, as the
// Filters dialog runs it (copy of the record, every trace filtered), on one thread and on
// two. bench/numpy_bandpass.py times NumPy/SciPy on the same data for comparison. The FFT
// plans are the measured ones, as the program uses them once its wisdom file holds them: the
// first run measures them (a few seconds) before timing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "dsp/fft_wisdom.h"
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

const std::vector<vorax::filter::FilterRequest> kBandPass{
    {vorax::filter::FilterType::BandPass, {8, 12, 70, 90}}};

// Measures the plans the band pass uses, unless the wisdom file already holds them.
void measurePlans() {
  static const bool measured = [] {
    vorax::dsp::enableMeasuredPlans(vorax::dsp::userWisdomFile());
    vorax::dsp::Fft fft;
    vorax::filter::filterRecordTraces(benchRecord(), kBandPass, fft, {}, 1);
    return vorax::dsp::waitForMeasuredPlans(std::chrono::minutes(2));
  }();
  benchmark::DoNotOptimize(measured);
}

void BM_BandPassRecord(benchmark::State& state) {
  const auto threads = static_cast<unsigned>(state.range(0));
  const vorax::decode::SegdRecord& record = benchRecord();
  measurePlans();
  const std::vector<vorax::filter::FilterRequest>& bandPass = kBandPass;
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
