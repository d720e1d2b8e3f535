// AmplitudeSpectrum of one trace, 2^10 to 2^14 points, with the plan already made.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "dsp/spectrum.h"

namespace {

void BM_AmplitudeSpectrum(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  std::vector<float> trace(points);  // upper index points - 1, so N = points
  for (std::size_t t = 0; t < points; ++t)
    trace[t] =
        static_cast<float>(std::sin(0.05 * static_cast<double>(t)) + 0.1 * std::cos(1.3 * t));
  vorax::dsp::Fft fft;
  for (auto _ : state) benchmark::DoNotOptimize(vorax::dsp::AmplitudeSpectrum(fft, trace));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points));
}

}  // namespace

BENCHMARK(BM_AmplitudeSpectrum)->RangeMultiplier(2)->Range(1 << 10, 1 << 14);
