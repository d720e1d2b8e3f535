#include "dsp/analytic_signal.h"

#include <algorithm>

namespace vorax::dsp {

std::vector<std::complex<float>> analyticSignal(Fft& fft, std::span<const float> x) {
  if (x.empty()) return {};
  std::size_t n = 2;
  while (n < x.size() + x.size() / 8) n *= 2;

  std::vector<float> padded(n, 0.0f);
  std::copy(x.begin(), x.end(), padded.begin());
  std::vector<std::complex<float>> spectrum(n, 0.0f);
  fft.forward(padded, std::span(spectrum).first(n / 2 + 1));
  spectrum[0] = 0.0f;
  for (std::size_t k = 1; k < n / 2; ++k) spectrum[k] *= 2.0f;
  // Bin n/2 is its own mirror image: it stays as it is; bins above it stay cleared.
  fft.inverseComplex(spectrum);
  spectrum.resize(x.size());
  return spectrum;
}

}  // namespace vorax::dsp
