#include "dsp/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/dsp_reference.h"

namespace vorax::dsp {
namespace {

TEST(SpectrumLength, SmallestPowerOfTwoFromTwoTo16384AtLeastTheUpperIndex) {
  const std::pair<std::size_t, std::size_t> cases[] = {{0, 2},         {2, 2},         {3, 4},
                                                       {1000, 1024},   {1024, 1024},   {1025, 2048},
                                                       {16384, 16384}, {100000, 16384}};
  for (auto [upperIndex, length] : cases)
    EXPECT_EQ(spectrumLength(upperIndex), length) << upperIndex;
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
  std::vector<float> x = test::randomSignal(1001, 7);  // U = 1000, N = 1024
  for (float& v : x) v += 3.0f;                        // a DC level that bin 0 must not show
  const std::vector<float> spectrum = AmplitudeSpectrum(fft, x);
  const auto expected = test::directDft(x, -1, 1024);
  ASSERT_EQ(spectrum.size(), 513u);
  EXPECT_EQ(spectrum[0], 0.0f);
  for (std::size_t k = 1; k <= 512; ++k)
    EXPECT_NEAR(spectrum[k], std::abs(expected[k]), 2e-3) << "bin " << k;
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

}  // namespace
}  // namespace vorax::dsp
