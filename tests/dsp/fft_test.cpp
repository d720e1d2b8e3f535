#include "dsp/fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <thread>
#include <vector>

#include "dsp/dsp_reference.h"

namespace vorax::dsp {
namespace {

using Complex = std::complex<double>;
using test::directDft;
using test::randomSignal;

// Lengths with even, odd and power-of-two cases; the tolerance grows with sqrt(n).
const std::vector<std::size_t> kLengths{1, 2, 7, 8, 1000, 1024};
double tolerance(std::size_t n) {
  return 2e-6 * std::sqrt(static_cast<double>(n)) * 8;
}

TEST(FftCcs, ForwardPacksBinKAsRealAt2kAndImaginaryAt2kPlus1) {
  Fft fft;
  for (std::size_t n : kLengths) {
    const std::vector<float> x = randomSignal(n, static_cast<unsigned>(n));
    const std::vector<Complex> expected = directDft(x, -1);
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
    const std::vector<float> halves = randomSignal(n + 2, 99);
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
  const std::vector<float> x = randomSignal(n, 5);
  std::vector<float> storage(n + 4, 0.0f);
  const std::span<float> unaligned(storage.data() + 1, n + 3);
  std::copy(x.begin(), x.end(), unaligned.begin());
  ASSERT_TRUE(fft.forwardCcs(unaligned, n));
  ASSERT_TRUE(fft.inverseCcs(unaligned, n));
  for (std::size_t t = 0; t < n; ++t) EXPECT_NEAR(unaligned[t], x[t], 1e-6) << t;
  EXPECT_EQ(storage[0], 0.0f);
}

TEST(FftReal, ForwardIsTheDirectDftAndInverseGivesTheSignalBackLeavingTheBinsAlone) {
  Fft fft;
  for (std::size_t n : kLengths) {
    const std::vector<float> x = randomSignal(n, 11);
    const std::vector<Complex> expected = directDft(x, -1);
    std::vector<std::complex<float>> bins(n / 2 + 1);
    fft.forward(x, bins);
    for (std::size_t k = 0; k <= n / 2; ++k)
      EXPECT_LT(std::abs(Complex(bins[k]) - expected[k]), tolerance(n)) << n << " bin " << k;
    const std::vector<std::complex<float>> kept = bins;
    std::vector<float> back(n);
    ASSERT_TRUE(fft.inverse(bins, back));
    EXPECT_EQ(bins, kept);
    for (std::size_t t = 0; t < n; ++t) EXPECT_NEAR(back[t], x[t], 1e-5) << n << " t " << t;
  }
}

TEST(FftComplex, ForwardIsTheDirectDftAndInverseUndoesIt) {
  Fft fft;
  for (std::size_t n : kLengths) {
    const std::vector<float> re = randomSignal(n, 21);
    const std::vector<float> im = randomSignal(n, 22);
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

TEST(Fft, RefusesBuffersTooSmallAndLeavesThemAlone) {
  Fft fft;
  std::vector<float> data{1, 2, 3, 4, 5};  // n = 4 needs 6 values
  EXPECT_FALSE(fft.forwardCcs(data, 4));
  EXPECT_FALSE(fft.inverseCcs(data, 4));
  EXPECT_FALSE(fft.forwardCcs(data, 0));
  EXPECT_EQ(data, (std::vector<float>{1, 2, 3, 4, 5}));
  std::vector<float> out(8);
  EXPECT_FALSE(fft.inverse(std::vector<std::complex<float>>(4), out));  // needs 5 bins
  std::vector<std::complex<float>> bins(2, {9.0f, 9.0f});
  fft.forward(std::vector<float>{1, 2, 3, 4}, bins);  // needs 3 bins
  EXPECT_EQ(bins[0], std::complex<float>(9.0f, 9.0f));
}

// Threads of several lengths at once, each through every kind of real transform: the plans
// made meanwhile serve them all.
TEST(Fft, EveryKindAndLengthServesSeveralThreadsAtOnce) {
  Fft fft;
  const std::size_t lengths[] = {64, 100, 256, 512};
  constexpr int kThreads = 8;
  std::vector<std::vector<float>> inputs;
  std::vector<std::vector<Complex>> spectra;
  for (int i = 0; i < kThreads; ++i) {
    inputs.push_back(randomSignal(lengths[i % 4], static_cast<unsigned>(i)));
    spectra.push_back(directDft(inputs.back(), -1));
  }
  std::vector<int> failures(kThreads, 0);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      const std::vector<float>& x = inputs[i];
      const std::size_t n = x.size();
      for (int repeat = 0; repeat < 20; ++repeat) {
        std::vector<std::complex<float>> bins(n / 2 + 1);
        fft.forward(x, bins);
        for (std::size_t k = 0; k <= n / 2; ++k)
          failures[i] += std::abs(Complex(bins[k]) - spectra[i][k]) > 1e-3;
        std::vector<float> data(n + 3, 0.0f);
        std::copy(x.begin(), x.end(), data.begin());
        fft.forwardCcs(data, n);
        if (i % 2 == 0) {
          fft.inverseCcs(data, n);
        } else {
          for (std::size_t k = 0; k <= n / 2; ++k) bins[k] = {data[2 * k], data[2 * k + 1]};
          fft.inverse(bins, std::span<float>(data.data(), n));
        }
        for (std::size_t t = 0; t < n; ++t) failures[i] += std::abs(data[t] - x[t]) > 1e-5f;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
}

}  // namespace
}  // namespace vorax::dsp
