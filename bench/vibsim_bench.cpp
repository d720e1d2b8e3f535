// Similarity measurements of one vibrator: the library calls alone, and every analysis of the
// three similarity pages for a pilot and four traces (reference, base plate, mass, ground
// force), 12 s at 0.5 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "../tests/sweep_fixture.h"
#include "../tests/vibsim/sim_record.h"
#include "dsp/ipfd.h"
#include "dsp/xcorr.h"
#include "vibsim/amplitude_views.h"
#include "vibsim/correlogram.h"
#include "vibsim/phase_analysis.h"
#include "vibsim/spectrum_analysis.h"
#include "vibsim/time_frequency.h"

namespace {

using namespace vorax;

constexpr std::int32_t kN = test::kSimSamples;

void BM_Getipfd(benchmark::State& state) {
  dsp::Fft fft;
  const std::vector<float> x = test::sweepTrace(test::Sweep{});
  std::vector<float> p(kN + 1), f(kN + 1), d(kN + 1);
  for (auto _ : state) benchmark::DoNotOptimize(dsp::GETIPFD(fft, x, kN, 2000, 0, 0, p, f, d));
}
BENCHMARK(BM_Getipfd)->Unit(benchmark::kMillisecond);

void BM_Xcorr(benchmark::State& state) {
  dsp::Fft fft;
  const std::vector<float> x = test::sweepTrace(test::Sweep{});
  std::vector<float> out(2 * kN + 1);
  for (auto _ : state) dsp::XCORR(fft, x, x, kN, out, 1, 1, 1, 1);
}
BENCHMARK(BM_Xcorr)->Unit(benchmark::kMillisecond);

decode::SegdRecord vibratorRecord() {
  test::Sweep ref, bp, mass, gf;
  ref.delayS = 50e-6;
  bp.startPhaseDeg = 0;
  bp.secondHarmonic = 0.05;
  mass.startPhaseDeg = 90;
  gf.delayS = 120e-6;
  gf.secondHarmonic = 0.15;
  return test::simRecord({test::sweepTrace(test::Sweep{}), test::sweepTrace(ref),
                          test::sweepTrace(bp), test::sweepTrace(mass), test::sweepTrace(gf)});
}

// Traces: 1 pilot, 2 reference, 3 base plate, 4 mass, 5 ground force. A fresh SimInput each
// time, so every trace is measured anew.
void BM_AllAnalysesOfOneVibrator(benchmark::State& state) {
  const decode::SegdRecord record = vibratorRecord();
  const vibsim::SimParams params;
  dsp::Fft fft;
  for (auto _ : state) {
    vibsim::SimInput input(record, params, fft);
    // Page 1.
    benchmark::DoNotOptimize(vibsim::computePhaseError(input, 1, 5, 0));
    benchmark::DoNotOptimize(input.ipfd(1, input.tA()));  // frequency vs time of the pilot
    benchmark::DoNotOptimize(vibsim::computeCorrelogram(input, 1, 2));
    benchmark::DoNotOptimize(vibsim::computeCorrelogram(input, 1, 5));
    // Page 2.
    benchmark::DoNotOptimize(vibsim::computeSpectrum(input, 1, 0));
    benchmark::DoNotOptimize(vibsim::computeSpectrum(input, 5, 13));
    for (std::int32_t t : {1, 5})
      benchmark::DoNotOptimize(
          vibsim::computeTimeFrequency(fft, input.trace(t).first(kN + 1), 0.5, 80));
    // Page 3.
    for (std::int32_t t : {1, 5})
      for (auto end : {vibsim::TaperEnd::Start, vibsim::TaperEnd::End})
        benchmark::DoNotOptimize(
            vibsim::computeTaperView(input, t, end, vibsim::kTaperAlignmentMs));
    benchmark::DoNotOptimize(vibsim::computeTransferFunction(input, 3, 4));
    benchmark::DoNotOptimize(vibsim::computeDeltaPhase(input, 3, 4));
  }
}
BENCHMARK(BM_AllAnalysesOfOneVibrator)->Unit(benchmark::kMillisecond);

}  // namespace
