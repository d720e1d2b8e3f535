// Independent references for the signal-processing tests: random signals and the DFT summed
// directly in double.
#pragma once

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace vorax::test {

// Values uniform in -1..1, the same for the same seed.
inline std::vector<float> randomSignal(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> x(count);
  for (float& v : x) v = value(generator);
  return x;
}

// The n-point DFT of x (zero beyond x's end, cut after n values); sign -1 forward, +1 inverse
// (unscaled).
inline std::vector<std::complex<double>> directDft(const std::vector<std::complex<double>>& x,
                                                   int sign, std::size_t n = 0) {
  if (n == 0) n = x.size();
  std::vector<std::complex<double>> out(n);
  for (std::size_t k = 0; k < n; ++k)
    for (std::size_t t = 0; t < n && t < x.size(); ++t)
      out[k] += x[t] * std::polar(1.0, sign * 2 * M_PI * static_cast<double>(k * t % n) /
                                           static_cast<double>(n));
  return out;
}

inline std::vector<std::complex<double>> directDft(const std::vector<float>& x, int sign,
                                                   std::size_t n = 0) {
  return directDft(std::vector<std::complex<double>>(x.begin(), x.end()), sign, n);
}

}  // namespace vorax::test
