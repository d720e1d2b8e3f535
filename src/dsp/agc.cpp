#include "dsp/agc.h"

#include <algorithm>
#include <cmath>

namespace vorax::dsp {

std::vector<float> slidingRmsAgc(std::span<const float> values, std::size_t windowSamples) {
  const std::size_t n = values.size();
  const std::size_t half = std::max<std::size_t>(windowSamples, 1) / 2;
  std::vector<double> energy(n + 1, 0.0);  // energy[k]: sum of squares of values 0..k-1
  for (std::size_t k = 0; k < n; ++k) {
    const double v = std::isnan(values[k]) ? 0.0 : values[k];
    energy[k + 1] = energy[k] + v * v;
  }
  std::vector<float> out(n, 0.0f);
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t from = k > half ? k - half : 0;
    const std::size_t to = std::min(n, k + half + 1);
    const double rms =
        std::sqrt(std::max(0.0, energy[to] - energy[from]) / static_cast<double>(to - from));
    if (rms > 0 && !std::isnan(values[k])) out[k] = static_cast<float>(values[k] / rms);
  }
  return out;
}

}  // namespace vorax::dsp
