#include "dsp/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <thread>
#include <vector>

namespace vorax::dsp {
namespace {

// |X(k)| of the n-point DFT of x (zero beyond x's end), summed directly in double.
double directAmplitude(const std::vector<float>& x, std::size_t n, std::size_t k) {
  double re = 0;
  double im = 0;
  for (std::size_t t = 0; t < n && t < x.size(); ++t) {
    const double angle = 2 * M_PI * static_cast<double>(k * t % n) / static_cast<double>(n);
    re += x[t] * std::cos(angle);
    im -= x[t] * std::sin(angle);
  }
  return std::hypot(re, im);
}

std::vector<float> randomSignal(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> x(count);
  for (float& v : x) v = value(generator);
  return x;
}

TEST(SpectrumLength, SmallestPowerOfTwoFromTwoTo16384AtLeastTheUpperIndex) {
  EXPECT_EQ(spectrumLength(0), 2u);
  EXPECT_EQ(spectrumLength(2), 2u);
  EXPECT_EQ(spectrumLength(3), 4u);
  EXPECT_EQ(spectrumLength(1000), 1024u);
  EXPECT_EQ(spectrumLength(1024), 1024u);
  EXPECT_EQ(spectrumLength(1025), 2048u);
  EXPECT_EQ(spectrumLength(16384), 16384u);
  EXPECT_EQ(spectrumLength(100000), 16384u);
}

TEST(AmplitudeSpectrum, SmallCasesWorkedByHand) {
  Fft fft;
  // U = 3, N = 4: X1 = 1 - 2i - 3 + 4i = -2 + 2i, X2 = 1 - 2 + 3 - 4 = -2.
  const std::vector<float> four = AmplitudeSpectrum(fft, std::vector<float>{1, 2, 3, 4});
  ASSERT_EQ(four.size(), 3u);
  EXPECT_EQ(four[0], 0.0f);
  EXPECT_NEAR(four[1], std::sqrt(8.0), 1e-6);
  EXPECT_NEAR(four[2], 2.0, 1e-6);
  // U = 2, N = 2: the value at index 2 does not fit and is dropped; X1 = 5 - 1.
  const std::vector<float> two = AmplitudeSpectrum(fft, std::vector<float>{5, 1, 100});
  ASSERT_EQ(two.size(), 2u);
  EXPECT_NEAR(two[1], 4.0, 1e-6);
  EXPECT_EQ(AmplitudeSpectrum(fft, std::vector<float>{}), (std::vector<float>{0, 0}));
}

TEST(AmplitudeSpectrum, MatchesADirectDftOfTheZeroPaddedInput) {
  Fft fft;
  std::vector<float> x = randomSignal(1001, 7);  // U = 1000, N = 1024
  for (float& v : x) v += 3.0f;                  // a DC level that bin 0 must not show
  const std::vector<float> spectrum = AmplitudeSpectrum(fft, x);
  ASSERT_EQ(spectrum.size(), 513u);
  EXPECT_EQ(spectrum[0], 0.0f);
  for (std::size_t k = 1; k <= 512; ++k)
    EXPECT_NEAR(spectrum[k], directAmplitude(x, 1024, k), 2e-3) << "bin " << k;
}

TEST(AmplitudeSpectrum, InputLongerThan16384IsCutToItsFirst16384) {
  Fft fft;
  std::vector<float> x(20000);
  for (std::size_t t = 0; t < x.size(); ++t)
    x[t] = t < 16384 ? static_cast<float>(std::cos(2 * M_PI * 100.0 * t / 16384)) : 1000.0f;
  const std::vector<float> spectrum = AmplitudeSpectrum(fft, x);
  ASSERT_EQ(spectrum.size(), 8193u);
  EXPECT_NEAR(spectrum[100], 8192.0, 0.05);  // N / 2 for a unit cosine on a bin
  EXPECT_NEAR(spectrum[101], 0.0, 0.05);
  EXPECT_NEAR(spectrum[8192], 0.0, 0.05);
}

TEST(Fft, PlansServeSeveralThreadsAndLengthsAtOnce) {
  Fft fft;
  const std::vector<std::size_t> lengths{64, 100, 256, 64, 100, 256};
  std::vector<std::vector<float>> inputs;
  for (std::size_t i = 0; i < lengths.size(); ++i)
    inputs.push_back(randomSignal(lengths[i], static_cast<unsigned>(i)));
  std::vector<std::vector<std::complex<float>>> outputs(lengths.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    threads.emplace_back([&, i] {
      for (int repeat = 0; repeat < 20; ++repeat) {
        outputs[i].assign(lengths[i] / 2 + 1, {});
        fft.forward(inputs[i], outputs[i]);
      }
    });
  }
  for (std::thread& t : threads) t.join();
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    const std::size_t n = lengths[i];
    for (std::size_t k : {std::size_t{1}, n / 3, n / 2})
      EXPECT_NEAR(std::abs(outputs[i][k]), directAmplitude(inputs[i], n, k), 1e-3) << n << " " << k;
  }
}

TEST(Fft, RefusesAnOutputTooSmallToHoldTheBins) {
  Fft fft;
  std::vector<std::complex<float>> output(2, {9.0f, 9.0f});
  fft.forward(std::vector<float>{1, 2, 3, 4}, output);  // needs 3 bins
  EXPECT_EQ(output[0], std::complex<float>(9.0f, 9.0f));
}

}  // namespace
}  // namespace vorax::dsp
