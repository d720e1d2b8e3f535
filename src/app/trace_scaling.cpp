#include "app/trace_scaling.h"

#include "base/cpu_features.h"

namespace vorax::app {

namespace {

// The sum of the squares of the values. Eight sums side by side, each over blocks of 256
// values and then added in double, run at the processor's pace and keep the float rounding
// within a block; built for AVX2 too, which adds the same eight sums in one instruction.
[[gnu::always_inline]] inline double sumOfSquaresLoop(std::span<const float> values) {
  constexpr std::size_t kLanes = 8;
  constexpr std::size_t kBlock = 256;
  const std::size_t n = values.size();
  double sum = 0;
  for (std::size_t block = 0; block < n; block += kBlock) {
    const std::size_t end = std::min(n, block + kBlock);
    float lanes[kLanes] = {};
    std::size_t j = block;
    for (; j + kLanes <= end; j += kLanes)
      for (std::size_t k = 0; k < kLanes; ++k) lanes[k] += values[j + k] * values[j + k];
    for (float lane : lanes) sum += lane;
    for (; j < end; ++j) sum += static_cast<double>(values[j]) * values[j];
  }
  return sum;
}

#if defined(VORAX_HAS_AVX2_PATH)
__attribute__((target("avx2"))) double sumOfSquaresAvx2(std::span<const float> values) {
  return sumOfSquaresLoop(values);
}
#endif

double sumOfSquares(std::span<const float> values) {
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) return sumOfSquaresAvx2(values);
#endif
  return sumOfSquaresLoop(values);
}

}  // namespace

double finiteRms(std::span<const float> values) {
  // A value that is no finite number makes the sum so, and only then are the values summed
  // again without such values.
  double sum = sumOfSquares(values);
  std::size_t count = values.size();
  if (!std::isfinite(sum)) {
    sum = 0;
    count = 0;
    for (float v : values) {
      if (!std::isfinite(v)) continue;
      sum += static_cast<double>(v) * v;
      ++count;
    }
  }
  return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

}  // namespace vorax::app
