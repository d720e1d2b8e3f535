#include "dsp/taper.h"

#include <algorithm>
#include <cmath>

namespace vorax::dsp {

void BlackmanTaper(std::span<const float> in, std::span<float> out) {
  const std::size_t count = std::min(in.size(), out.size());
  if (in.size() < 3) {
    std::copy_n(in.begin(), count, out.begin());
    return;
  }
  constexpr double kPi = 3.14159268;
  const double denominator = static_cast<double>(in.size() - 2);  // U - 1
  for (std::size_t n = 0; n < count; ++n) {
    const double phase = kPi * static_cast<double>(n) / denominator;
    const double window = 0.42 - 0.5 * std::cos(2 * phase) + 0.08 * std::cos(4 * phase);
    out[n] = static_cast<float>(in[n] * window);
  }
}

}  // namespace vorax::dsp
