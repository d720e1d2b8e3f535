#include "dsp/fft.h"

#include <fftw3.h>

#include <algorithm>
#include <climits>
#include <complex>

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
  explicit FftwArray(std::size_t n)
      : data(static_cast<T*>(fftwf_malloc(sizeof(T) * std::max<std::size_t>(n, 1)))) {}
  ~FftwArray() { fftwf_free(data); }
  FftwArray(const FftwArray&) = delete;
  FftwArray& operator=(const FftwArray&) = delete;
  T* data;
};

constexpr std::size_t kLargestLength = INT_MAX;  // FFTW takes the length as an int

bool usableLength(std::size_t n) {
  return n > 0 && n <= kLargestLength;
}

// A plan made on fftwf_malloc arrays may run on other arrays only when they have the same
// alignment; arrays that do not are copied through aligned ones.
bool planAligned(const void* p) {
  return fftwf_alignment_of(static_cast<float*>(const_cast<void*>(p))) == 0;
}

fftwf_complex* asFftw(std::complex<float>* p) {
  return reinterpret_cast<fftwf_complex*>(p);
}

void scale(float* values, std::size_t count, std::size_t n) {
  const float factor = 1.0f / static_cast<float>(n);
  for (std::size_t i = 0; i < count; ++i) values[i] *= factor;
}

}  // namespace

Fft::~Fft() {
  std::lock_guard planner(plannerMutex());
  for (auto& [key, plan] : plans_) fftwf_destroy_plan(plan);
}

fftwf_plan Fft::planFor(Kind kind, std::size_t n) {
  std::lock_guard lock(mutex_);
  auto found = plans_.find({kind, n});
  if (found != plans_.end()) return found->second;
  const int length = static_cast<int>(n);
  const std::size_t bins = n / 2 + 1;
  // Out-of-place plans get separate arrays; in-place plans one array of 2 * bins floats, the
  // size FFTW asks for (n + 2 when n is even).
  FftwArray<float> reals(2 * bins);
  FftwArray<fftwf_complex> complexes(std::max(bins, n));
  auto* inPlace = reinterpret_cast<fftwf_complex*>(reals.data);
  fftwf_plan plan = nullptr;
  {
    std::lock_guard planner(plannerMutex());
    switch (kind) {
      case Kind::RealForward:
        plan = fftwf_plan_dft_r2c_1d(length, reals.data, complexes.data, FFTW_ESTIMATE);
        break;
      case Kind::RealInverse:
        plan = fftwf_plan_dft_c2r_1d(length, complexes.data, reals.data, FFTW_ESTIMATE);
        break;
      case Kind::CcsForward:
        plan = fftwf_plan_dft_r2c_1d(length, reals.data, inPlace, FFTW_ESTIMATE);
        break;
      case Kind::CcsInverse:
        plan = fftwf_plan_dft_c2r_1d(length, inPlace, reals.data, FFTW_ESTIMATE);
        break;
      case Kind::ComplexForward:
      case Kind::ComplexInverse:
        plan = fftwf_plan_dft_1d(length, complexes.data, complexes.data,
                                 kind == Kind::ComplexForward ? FFTW_FORWARD : FFTW_BACKWARD,
                                 FFTW_ESTIMATE);
        break;
    }
  }
  if (plan != nullptr) plans_.emplace(std::pair{kind, n}, plan);
  return plan;
}

void Fft::forward(std::span<const float> input, std::span<std::complex<float>> output) {
  const std::size_t n = input.size();
  if (!usableLength(n) || output.size() < n / 2 + 1) return;
  fftwf_plan plan = planFor(Kind::RealForward, n);
  if (plan == nullptr) return;
  if (planAligned(input.data()) && planAligned(output.data())) {
    // A real-to-complex transform leaves its input as it was.
    fftwf_execute_dft_r2c(plan, const_cast<float*>(input.data()), asFftw(output.data()));
    return;
  }
  FftwArray<float> in(n);
  FftwArray<fftwf_complex> out(n / 2 + 1);
  std::copy(input.begin(), input.end(), in.data);
  fftwf_execute_dft_r2c(plan, in.data, out.data);
  for (std::size_t k = 0; k <= n / 2; ++k) output[k] = {out.data[k][0], out.data[k][1]};
}

bool Fft::inverse(std::span<const std::complex<float>> bins, std::span<float> output) {
  const std::size_t n = output.size();
  if (!usableLength(n) || bins.size() < n / 2 + 1) return false;
  FftwArray<fftwf_complex> copy(n / 2 + 1);
  auto* scratch = reinterpret_cast<std::complex<float>*>(copy.data);
  std::copy_n(bins.begin(), n / 2 + 1, scratch);
  return inverseOverwriting({scratch, n / 2 + 1}, output);
}

bool Fft::inverseOverwriting(std::span<std::complex<float>> bins, std::span<float> output) {
  const std::size_t n = output.size();
  if (!usableLength(n) || bins.size() < n / 2 + 1) return false;
  fftwf_plan plan = planFor(Kind::RealInverse, n);
  if (plan == nullptr) return false;
  if (planAligned(bins.data()) && planAligned(output.data())) {
    fftwf_execute_dft_c2r(plan, asFftw(bins.data()), output.data());
  } else {
    FftwArray<fftwf_complex> in(n / 2 + 1);
    FftwArray<float> out(n);
    std::copy_n(bins.begin(), n / 2 + 1, reinterpret_cast<std::complex<float>*>(in.data));
    fftwf_execute_dft_c2r(plan, in.data, out.data);
    std::copy_n(out.data, n, output.begin());
  }
  scale(output.data(), n, n);
  return true;
}

namespace {

// Runs `execute` on `count` values of `data`, through an aligned copy when `data` is not
// aligned as the plan's arrays were.
template <typename T, typename Execute>
void runAligned(T* data, std::size_t count, Execute execute) {
  if (planAligned(data)) {
    execute(data);
    return;
  }
  FftwArray<T> copy(count);
  std::copy_n(data, count, copy.data);
  execute(copy.data);
  std::copy_n(copy.data, count, data);
}

}  // namespace

bool Fft::forwardComplex(std::span<std::complex<float>> data) {
  const std::size_t n = data.size();
  if (!usableLength(n)) return false;
  fftwf_plan plan = planFor(Kind::ComplexForward, n);
  if (plan == nullptr) return false;
  runAligned(data.data(), n, [&](std::complex<float>* values) {
    fftwf_execute_dft(plan, asFftw(values), asFftw(values));
  });
  return true;
}

bool Fft::inverseComplex(std::span<std::complex<float>> data) {
  const std::size_t n = data.size();
  if (!usableLength(n)) return false;
  fftwf_plan plan = planFor(Kind::ComplexInverse, n);
  if (plan == nullptr) return false;
  runAligned(data.data(), n, [&](std::complex<float>* values) {
    fftwf_execute_dft(plan, asFftw(values), asFftw(values));
  });
  scale(reinterpret_cast<float*>(data.data()), 2 * n, n);
  return true;
}

bool Fft::forwardCcs(std::span<float> data, std::size_t n) {
  if (!usableLength(n) || data.size() < n + 2) return false;
  fftwf_plan plan = planFor(Kind::CcsForward, n);
  if (plan == nullptr) return false;
  runAligned(data.data(), 2 * (n / 2 + 1), [&](float* values) {
    fftwf_execute_dft_r2c(plan, values, reinterpret_cast<fftwf_complex*>(values));
  });
  return true;
}

bool Fft::inverseCcs(std::span<float> data, std::size_t n) {
  if (!usableLength(n) || data.size() < n + 2) return false;
  fftwf_plan plan = planFor(Kind::CcsInverse, n);
  if (plan == nullptr) return false;
  runAligned(data.data(), 2 * (n / 2 + 1), [&](float* values) {
    fftwf_execute_dft_c2r(plan, reinterpret_cast<fftwf_complex*>(values), values);
  });
  scale(data.data(), n, n);
  return true;
}

}  // namespace vorax::dsp
