#include "dsp/fft.h"

#include <algorithm>
#include <climits>
#include <fftw3.h>

namespace vorax::dsp {

namespace {

// FFTW's planner is state of the library itself, shared by every Fft object of the process,
// and must never run on two threads at once; executing a finished plan is thread-safe.
std::mutex& plannerMutex() {
  static std::mutex mutex;
  return mutex;
}

// Arrays from fftwf_malloc, so that every array a plan executes on has the alignment the
// planner saw.
template <typename T>
struct FftwArray {
  explicit FftwArray(std::size_t n) : data(static_cast<T*>(fftwf_malloc(sizeof(T) * n))) {}
  ~FftwArray() { fftwf_free(data); }
  FftwArray(const FftwArray&) = delete;
  FftwArray& operator=(const FftwArray&) = delete;
  T* data;
};

constexpr std::size_t kLargestLength = INT_MAX;  // FFTW takes the length as an int

}  // namespace

Fft::~Fft() {
  std::lock_guard planner(plannerMutex());
  for (auto& [n, plan] : plans_) fftwf_destroy_plan(plan);
}

fftwf_plan Fft::planFor(std::size_t n) {
  std::lock_guard lock(mutex_);
  auto found = plans_.find(n);
  if (found != plans_.end()) return found->second;
  FftwArray<float> in(n);
  FftwArray<fftwf_complex> out(n / 2 + 1);
  fftwf_plan plan;
  {
    std::lock_guard planner(plannerMutex());
    plan = fftwf_plan_dft_r2c_1d(static_cast<int>(n), in.data, out.data, FFTW_ESTIMATE);
  }
  plans_.emplace(n, plan);
  return plan;
}

void Fft::forward(std::span<const float> input, std::span<std::complex<float>> output) {
  const std::size_t n = input.size();
  if (n == 0 || n > kLargestLength || output.size() < n / 2 + 1) return;
  fftwf_plan plan = planFor(n);
  FftwArray<float> in(n);
  FftwArray<fftwf_complex> out(n / 2 + 1);
  if (in.data == nullptr || out.data == nullptr) return;
  std::copy(input.begin(), input.end(), in.data);
  fftwf_execute_dft_r2c(plan, in.data, out.data);
  for (std::size_t k = 0; k <= n / 2; ++k) output[k] = {out.data[k][0], out.data[k][1]};
}

}  // namespace vorax::dsp
