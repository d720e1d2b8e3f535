#include "dsp/fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <thread>
#include <vector>

namespace vorax::dsp {
namespace {

using Complex = std::complex<double>;

// The n-point DFT of x summed directly in double; sign -1 forward, +1 inverse (unscaled).
std::vector<Complex> directDft(const std::vector<Complex>& x, int sign) {
  const std::size_t n = x.size();
  std::vector<Complex> out(n);
  for (std::size_t k = 0; k < n; ++k)
    for (std::size_t t = 0; t < n; ++t)
      out[k] += x[t] * std::polar(1.0, sign * 2 * M_PI * static_cast<double>(k * t % n) /
                                           static_cast<double>(n));
  return out;
}

std::vector<float> randomReals(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> x(count);
  for (float& v : x) v = value(generator);
  return x;
}

std::vector<Complex> asComplex(const std::vector<float>& x) {
  return {x.begin(), x.end()};
}

// Lengths with even, odd and power-of-two cases; the tolerance grows with sqrt(n).
const std::vector<std::size_t> kLengths{1, 2, 7, 8, 1000, 1024};
double tolerance(std::size_t n) {
  return 2e-6 * std::sqrt(static_cast<double>(n)) * 8;
}

TEST(FftCcs, ForwardPacksBinKAsRealAt2kAndImaginaryAt2kPlus1) {
  Fft fft;
  for (std::size_t n : kLengths) {
    const std::vector<float> x = randomReals(n, static_cast<unsigned>(n));
    const std::vector<Complex> expected = directDft(asComplex(x), -1);
    std::vector<float> data(n + 3, 0.0f);
    std::copy(x.begin(), x.end(), data.begin());
    data[n + 2] = 42.0f;  // the spare element is never touched
    ASSERT_TRUE(fft.forwardCcs(data, n));
    for (std::size_t k = 0; k <= n / 2; ++k) {
      EXPECT_NEAR(data[2 * k], expected[k].real(), tolerance(n)) << n << " bin " << k;
      EXPECT_NEAR(data[2 * k + 1], expected[k].imag(), tolerance(n)) << n << " bin " << k;
    }
    EXPECT_EQ(data[1], 0.0f);
    EXPECT_EQ(data[n + 2], 42.0f);
  }
}

TEST(FftCcs, InverseOfAPackedSpectrumIsTheScaledInverseDft) {
  Fft fft;
  for (std::size_t n : {std::size_t{8}, std::size_t{1024}}) {
    // A conjugate-symmetric spectrum made from random bins 0..n/2 (DC and Nyquist real).
    const std::vector<float> halves = randomReals(n + 2, 99);
    std::vector<Complex> full(n);
    for (std::size_t k = 0; k <= n / 2; ++k) {
      const bool realOnly = k == 0 || k == n / 2;
      full[k] = {halves[2 * k], realOnly ? 0.0 : halves[2 * k + 1]};
      if (k != 0) full[n - k] = std::conj(full[k]);
    }
    const std::vector<Complex> expected = directDft(full, +1);
    std::vector<float> data(n + 3);
    for (std::size_t k = 0; k <= n / 2; ++k) {
      data[2 * k] = static_cast<float>(full[k].real());
      data[2 * k + 1] = static_cast<float>(full[k].imag());
    }
    ASSERT_TRUE(fft.inverseCcs(data, n));
    for (std::size_t t = 0; t < n; ++t)
      EXPECT_NEAR(data[t], expected[t].real() / static_cast<double>(n), 1e-6) << n << " t " << t;
  }
}

TEST(FftCcs, RoundTripGivesTheSignalBackAlsoOnUnalignedArrays) {
  Fft fft;
  const std::size_t n = 1024;
  const std::vector<float> x = randomReals(n, 5);
  std::vector<float> storage(n + 4, 0.0f);
  const std::span<float> unaligned(storage.data() + 1, n + 3);
  std::copy(x.begin(), x.end(), unaligned.begin());
  ASSERT_TRUE(fft.forwardCcs(unaligned, n));
  ASSERT_TRUE(fft.inverseCcs(unaligned, n));
  for (std::size_t t = 0; t < n; ++t) EXPECT_NEAR(unaligned[t], x[t], 1e-6) << t;
  EXPECT_EQ(storage[0], 0.0f);
}

TEST(FftCcs, RefusesAnArrayWithoutRoomForTheNyquistPair) {
  Fft fft;
  std::vector<float> data{1, 2, 3, 4, 5};  // n = 4 needs 6 values
  EXPECT_FALSE(fft.forwardCcs(data, 4));
  EXPECT_FALSE(fft.inverseCcs(data, 4));
  EXPECT_FALSE(fft.forwardCcs(data, 0));
  EXPECT_EQ(data, (std::vector<float>{1, 2, 3, 4, 5}));
}

TEST(FftReal, InverseOfBinsIsTheScaledInverseDftAndLeavesTheBinsAlone) {
  Fft fft;
  for (std::size_t n : kLengths) {
    const std::vector<float> x = randomReals(n, 11);
    std::vector<std::complex<float>> bins(n / 2 + 1);
    fft.forward(x, bins);
    const std::vector<std::complex<float>> kept = bins;
    std::vector<float> back(n);
    ASSERT_TRUE(fft.inverse(bins, back));
    EXPECT_EQ(bins, kept);
    for (std::size_t t = 0; t < n; ++t) EXPECT_NEAR(back[t], x[t], 1e-5) << n << " t " << t;
  }
  std::vector<float> out(8);
  EXPECT_FALSE(fft.inverse(std::vector<std::complex<float>>(4), out));  // needs 5 bins
}

TEST(FftComplex, ForwardIsTheDirectDftAndInverseUndoesIt) {
  Fft fft;
  for (std::size_t n : kLengths) {
    const std::vector<float> re = randomReals(n, 21);
    const std::vector<float> im = randomReals(n, 22);
    std::vector<std::complex<float>> data(n);
    std::vector<Complex> x(n);
    for (std::size_t t = 0; t < n; ++t) data[t] = {re[t], im[t]}, x[t] = {re[t], im[t]};
    const std::vector<Complex> expected = directDft(x, -1);
    ASSERT_TRUE(fft.forwardComplex(data));
    for (std::size_t k = 0; k < n; ++k)
      EXPECT_LT(std::abs(Complex(data[k]) - expected[k]), tolerance(n)) << n << " " << k;
    ASSERT_TRUE(fft.inverseComplex(data));
    for (std::size_t t = 0; t < n; ++t)
      EXPECT_LT(std::abs(Complex(data[t]) - x[t]), 1e-5) << n << " " << t;
  }
}

TEST(Fft, EveryKindServesSeveralThreadsAtOnce) {
  Fft fft;
  const std::size_t n = 512;
  const std::vector<float> x = randomReals(n, 3);
  std::vector<int> failures(8, 0);
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) {
    threads.emplace_back([&, i] {
      for (int repeat = 0; repeat < 50; ++repeat) {
        std::vector<float> data(n + 3, 0.0f);
        std::copy(x.begin(), x.end(), data.begin());
        fft.forwardCcs(data, n);
        if (i % 2 == 0) {
          fft.inverseCcs(data, n);
        } else {
          std::vector<std::complex<float>> bins(n / 2 + 1);
          for (std::size_t k = 0; k <= n / 2; ++k) bins[k] = {data[2 * k], data[2 * k + 1]};
          std::vector<float> back(n);
          fft.inverse(bins, back);
          std::copy(back.begin(), back.end(), data.begin());
        }
        for (std::size_t t = 0; t < n; ++t) failures[i] += std::abs(data[t] - x[t]) > 1e-5f;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(failures, std::vector<int>(8, 0));
}

}  // namespace
}  // namespace vorax::dsp
