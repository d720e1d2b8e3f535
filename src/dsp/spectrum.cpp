#include "dsp/spectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace vorax::dsp {

std::size_t spectrumLength(std::size_t upperIndex) {
  std::size_t n = 2;
  while (n < upperIndex && n < kLongestSpectrum) n *= 2;
  return n;
}

std::vector<float> AmplitudeSpectrum(Fft& fft, std::span<const float> input) {
  const std::size_t upperIndex = input.empty() ? 0 : input.size() - 1;
  const std::size_t n = spectrumLength(upperIndex);
  std::vector<float> padded(n, 0.0f);
  std::copy_n(input.begin(), std::min(n, input.size()), padded.begin());

  std::vector<std::complex<float>> bins(n / 2 + 1);
  fft.forward(padded, bins);
  std::vector<float> amplitudes(n / 2 + 1, 0.0f);
  for (std::size_t i = 1; i <= n / 2; ++i) amplitudes[i] = std::abs(bins[i]);
  return amplitudes;
}

}  // namespace vorax::dsp
