// Similarity measurements of one vibrator: the library calls alone, and every analysis of the
// three similarity pages (pilot, reference, base plate, mass, ground force; 12 s at 0.5 ms).
#include <benchmark/benchmark.h>

#include <vector>

#include "../tests/sweep_fixture.h"
#include "dsp/ipfd.h"
#include "dsp/xcorr.h"

namespace {

using namespace vorax;

constexpr std::int32_t kN = 24000;

void BM_Getipfd(benchmark::State& state) {
  dsp::Fft fft;
  const std::vector<float> x = test::Sweep{}.samples(0.0005, kN + 1);
  std::vector<float> p(kN + 1), f(kN + 1), d(kN + 1);
  for (auto _ : state) benchmark::DoNotOptimize(dsp::GETIPFD(fft, x, kN, 2000, 0, 0, p, f, d));
}
BENCHMARK(BM_Getipfd)->Unit(benchmark::kMillisecond);

void BM_Xcorr(benchmark::State& state) {
  dsp::Fft fft;
  const std::vector<float> x = test::Sweep{}.samples(0.0005, kN + 1);
  std::vector<float> out(2 * kN + 1);
  for (auto _ : state) dsp::XCORR(fft, x, x, kN, out, 1, 1, 1, 1);
}
BENCHMARK(BM_Xcorr)->Unit(benchmark::kMillisecond);

}  // namespace
