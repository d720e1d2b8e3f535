#include "dsp/xcorr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "dsp/dsp_reference.h"

namespace vorax::dsp {
namespace {

using test::randomSignal;

std::vector<float> correlate(Fft& fft, const std::vector<float>& a, const std::vector<float>& b,
                             int n) {
  std::vector<float> out(2 * static_cast<std::size_t>(n) + 1, 9);
  XCORR(fft, a, b, n, out, 1, 1, 1.0f, 1.0f);
  return out;
}

TEST(Xcorr, AgainstADirectSumOnEveryLag) {
  Fft fft;
  const int n = 300;
  const std::vector<float> a = randomSignal(n + 1, 1);
  const std::vector<float> b = randomSignal(n + 1, 2);
  const std::vector<float> c = correlate(fft, a, b, n);
  double ea = 0, eb = 0;
  for (int t = 0; t <= n; ++t) ea += a[t] * a[t], eb += b[t] * b[t];
  for (int k = -n; k <= n; ++k) {
    double sum = 0;
    for (int t = 0; t <= n; ++t)
      if (t + k >= 0 && t + k <= n) sum += static_cast<double>(a[t]) * b[t + k];
    EXPECT_NEAR(c[n + k], sum / std::sqrt(ea * eb), 1e-5) << k;
  }
}

TEST(Xcorr, IdentityDelayPolarityAndSilence) {
  Fft fft;
  const int n = 2000;
  const std::vector<float> a = randomSignal(n + 1, 3);
  std::vector<float> c = correlate(fft, a, a, n);
  EXPECT_EQ(c[n], 1.0f);
  EXPECT_TRUE(std::all_of(c.begin(), c.end(), [](float v) { return v >= -1 && v <= 1; }));

  for (int k : {1, 7, -12}) {
    std::vector<float> delayed(n + 1, 0.0f);
    for (int t = 0; t <= n; ++t)
      if (t - k >= 0 && t - k <= n) delayed[t] = a[t - k];
    c = correlate(fft, a, delayed, n);
    EXPECT_EQ(std::max_element(c.begin(), c.end()) - c.begin(), n + k) << k;
  }
  std::vector<float> reversed = a;
  for (float& v : reversed) v = -v;
  EXPECT_EQ(correlate(fft, a, reversed, n)[n], -1.0f);

  const std::vector<float> silent(n + 1, 0.0f);
  c = correlate(fft, a, silent, n);
  EXPECT_TRUE(std::all_of(c.begin(), c.end(), [](float v) { return v == 0; }));
  std::vector<float> small(3, 9);
  XCORR(fft, a, a, 5, small, 1, 1, 1, 1);  // too small an output: untouched
  EXPECT_EQ(small[0], 9);
}

TEST(Ffti, SineOnABinPeaksThereWithItsAmplitude) {
  Fft fft;
  const std::int32_t n = 1023;  // 1024 values: P = 1024, K = 512
  for (int bin : {1, 40, 200, 511}) {
    std::vector<float> x(2 * n + 1, 0.0f);
    for (int t = 0; t <= n; ++t)
      x[t] = 0.5f * static_cast<float>(std::sin(2 * M_PI * bin * t / 1024.0));
    std::vector<float> work(2 * n + 1), amplitude(2 * n + 1, -1);
    const float one = 1.0f;
    const std::int32_t k = FFTI(fft, x, work, amplitude, n, one, "Z");
    ASSERT_EQ(k, 512);
    EXPECT_EQ(std::max_element(amplitude.begin(), amplitude.begin() + k + 1) - amplitude.begin(),
              bin);
    EXPECT_NEAR(amplitude[bin], 0.5, 1e-4);
    EXPECT_TRUE(
        std::all_of(amplitude.begin(), amplitude.begin() + k + 1, [](float v) { return v >= 0; }));
  }
  // 24001 values pad to 32768: K = 16384 <= n; a too-small output gives 0.
  std::vector<float> x(48001, 0.0f), work(48001), amplitude(48001);
  EXPECT_EQ(FFTI(fft, x, work, amplitude, 24000, 1.0f, "Z"), 16384);
  std::vector<float> tiny(4, 7);
  EXPECT_EQ(FFTI(fft, x, work, tiny, 24000, 1.0f, "Z"), 0);
  EXPECT_EQ(tiny[0], 0);
}

}  // namespace
}  // namespace vorax::dsp
