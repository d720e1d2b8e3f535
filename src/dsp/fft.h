// The program's one FFT wrapper, on FFTW (single precision). Plans are made once per length
// and kind and kept by the Fft object; every transform may run on several threads at once.
// A plan starts as FFTW's estimate, or as a measured plan when the wisdom holds one (see
// fft_wisdom.h); an estimated plan is replaced by the measured one as soon as the background
// measurement has found it. Both give the same results within float rounding.
//
// Conventions shared by every member:
// - forward transforms are unnormalised: X(k) = sum over t of x(t) e^(-2 pi i k t / n);
// - inverse transforms are scaled by 1/n, so that inverse(forward(x)) gives x back;
// - the real transforms' spectrum holds bins 0..n/2 (n/2 + 1 values), the non-negative
//   frequencies; the others are their complex conjugates.
// A call with a length of 0, a length above 2^31 - 1 or a destination too small does nothing
// (and the members that return bool return false).
#pragma once

#include <complex>
#include <cstddef>
#include <map>
#include <mutex>
#include <span>
#include <utility>
#include <vector>

#include "dsp/fft_planner.h"

struct fftwf_plan_s;

namespace vorax::dsp {

class Fft {
 public:
  Fft() = default;
  ~Fft();
  Fft(const Fft&) = delete;
  Fft& operator=(const Fft&) = delete;

  // The n = input.size() real values into output[0..n/2].
  void forward(std::span<const float> input, std::span<std::complex<float>> output);

  // The real signal of n = output.size() values whose bins 0..n/2 are bins[0..n/2], scaled by
  // 1/n. The imaginary parts of bin 0 (and of bin n/2 when n is even) are ignored.
  bool inverse(std::span<const std::complex<float>> bins, std::span<float> output);
  // The same without copying the bins first: their contents are lost.
  bool inverseOverwriting(std::span<std::complex<float>> bins, std::span<float> output);
  // The same again without the 1/n scaling: the real signal times n.
  bool inverseOverwritingUnscaled(std::span<std::complex<float>> bins, std::span<float> output);

  // In place on n = data.size() complex values; the inverse is scaled by 1/n.
  bool forwardComplex(std::span<std::complex<float>> data);
  bool inverseComplex(std::span<std::complex<float>> data);
  // Out of place on n = input.size() complex values into output[0..n-1]; the input is kept.
  // The inverse is not scaled: it gives the signal times n.
  bool forwardComplex(std::span<const std::complex<float>> input,
                      std::span<std::complex<float>> output);
  bool inverseComplexUnscaled(std::span<const std::complex<float>> input,
                              std::span<std::complex<float>> output);

  // The conjugate-symmetric packing, in place: `data` holds at least n + 2 values. The forward
  // transform reads the real signal in data[0..n-1] and leaves bin k, k = 0..n/2, as
  // data[2k] (real part) and data[2k + 1] (imaginary part); so data[1] is 0, and data[n + 1]
  // is 0 when n is even. The inverse reads that layout and leaves the real signal, scaled by
  // 1/n, in data[0..n-1]; values after data[n + 1] are never touched.
  bool forwardCcs(std::span<float> data, std::size_t n);
  bool inverseCcs(std::span<float> data, std::size_t n);

 private:
  using Kind = planner::Kind;
  struct Plan {
    fftwf_plan_s* plan = nullptr;
    bool measured = false;
    unsigned generation = 0;  // planner::wisdomGeneration() when the wisdom was last asked
  };
  fftwf_plan_s* planFor(Kind kind, std::size_t n);
  bool transformApart(Kind kind, std::span<const std::complex<float>> input,
                      std::span<std::complex<float>> output);

  std::mutex mutex_;  // guards plans_ and replaced_
  std::map<std::pair<Kind, std::size_t>, Plan> plans_;
  // Estimated plans a measured one replaced: another thread may still be executing them.
  std::vector<fftwf_plan_s*> replaced_;
};

// Floats from fftwf_malloc, aligned as the plans' arrays were, so that transforms on them run
// without a copy. resize() keeps no values.
class FftBuffer {
 public:
  FftBuffer() = default;
  ~FftBuffer();
  FftBuffer(const FftBuffer&) = delete;
  FftBuffer& operator=(const FftBuffer&) = delete;

  std::span<float> resize(std::size_t count);
  std::span<float> values() { return {data_, size_}; }

 private:
  float* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace vorax::dsp
