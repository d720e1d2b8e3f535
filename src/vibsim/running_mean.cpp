#include "vibsim/running_mean.h"

#include <algorithm>

namespace vorax::vibsim {

std::vector<float> runningMean(std::span<const float> values, int length) {
  std::vector<float> out(values.begin(), values.end());
  if (length <= 1 || values.empty()) return out;
  const auto half = static_cast<std::size_t>(length / 2);
  std::vector<double> prefix(values.size() + 1, 0.0);
  for (std::size_t i = 0; i < values.size(); ++i) prefix[i + 1] = prefix[i] + values[i];
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::size_t from = i >= half ? i - half : 0;
    const std::size_t to = std::min(values.size() - 1, i + half);
    out[i] =
        static_cast<float>((prefix[to + 1] - prefix[from]) / static_cast<double>(to - from + 1));
  }
  return out;
}

}  // namespace vorax::vibsim
