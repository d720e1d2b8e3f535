// Forward real-to-complex FFT on FFTW (single precision). Plans are made once per length and
// kept by the Fft object; transforms may run on several threads at once.
#pragma once

#include <complex>
#include <cstddef>
#include <map>
#include <mutex>
#include <span>

struct fftwf_plan_s;

namespace vorax::dsp {

class Fft {
 public:
  Fft() = default;
  ~Fft();
  Fft(const Fft&) = delete;
  Fft& operator=(const Fft&) = delete;

  // Transforms the n = input.size() values into output[0..n/2]:
  // X(k) = sum over t of x(t) e^(-2 pi i k t / n), unnormalised. Nothing is done when the
  // input is empty or longer than 2^31 - 1 values, or `output` holds fewer than n/2 + 1.
  void forward(std::span<const float> input, std::span<std::complex<float>> output);

 private:
  fftwf_plan_s* planFor(std::size_t n);

  std::mutex mutex_;  // guards plans_
  std::map<std::size_t, fftwf_plan_s*> plans_;
};

}  // namespace vorax::dsp
