// The frequency slice's spectra: 2,000 live traces of 4,001 samples (N 4096) on one and on
// two threads, as the spread view computes them once per opening.
#include <benchmark/benchmark.h>

#include <cmath>

#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "spread/slice_spectra.h"

namespace {

constexpr std::int32_t kTraces = 2000;
constexpr std::int32_t kSamples = 4001;

vorax::decode::SegdRecord makeSpread() {
  vorax::decode::SegdRecord record;
  record.summary.sampleIntervalUs = 1000;
  record.samples.reset(kTraces, kSamples);
  record.traceInfo.resize(kTraces + 1);
  for (std::int32_t t = 1; t <= kTraces; ++t) {
    record.traceInfo[static_cast<std::size_t>(t)].receiverLine =
        static_cast<float>(1 + (t - 1) / 100);
    record.traceInfo[static_cast<std::size_t>(t)].receiverPoint =
        static_cast<float>(1 + (t - 1) % 100);
    for (std::int32_t j = 0; j < kSamples; ++j)
      record.samples.at(t, j) =
          static_cast<float>(std::sin(0.01 * t * j) + 0.1 * std::cos(1.3 * j));
  }
  return record;
}

void BM_SliceSpectra(benchmark::State& state) {
  static const vorax::decode::SegdRecord record = makeSpread();
  vorax::dsp::Fft fft;
  const int threads = static_cast<int>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(vorax::spread::computeSliceSpectra(record, fft, {}, threads));
  state.SetItemsProcessed(state.iterations() * kTraces);
}

}  // namespace

BENCHMARK(BM_SliceSpectra)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
