// Sample conversion of one trace as the one-block loader does it: 6001 big-endian IEEE
// samples (a 12 s record at 2 ms) normalised to peak 1. Throughput counts raw input bytes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "decode/sample_converters.h"

namespace {

constexpr std::int32_t kSamples = 6001;

// A decaying noisy wavelet, stored big-endian as the file holds it.
std::vector<std::uint8_t> bigEndianTrace() {
  std::mt19937 random(11);
  std::normal_distribution<float> noise(0, 0.05f);
  std::vector<std::uint8_t> raw;
  raw.reserve(4 * kSamples);
  for (std::int32_t i = 0; i < kSamples; ++i) {
    const float t = static_cast<float>(i) * 0.002f;
    const float value = 1000.0f * std::exp(-t) * std::sin(2 * 3.14159265f * 30 * t) + noise(random);
    std::uint32_t word;
    std::memcpy(&word, &value, 4);
    for (int shift = 24; shift >= 0; shift -= 8)
      raw.push_back(static_cast<std::uint8_t>(word >> shift));
  }
  return raw;
}

void bigSingleNorm(benchmark::State& state) {
  const std::vector<std::uint8_t> raw = bigEndianTrace();
  std::vector<float> out(kSamples + 1);
  for (auto _ : state) {
    float scale = 1;
    benchmark::DoNotOptimize(vorax::decode::ARRAYBIGSINGLETOLITTLENORM(raw, kSamples, out, scale));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raw.size()));
  state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(bigSingleNorm);

}  // namespace
