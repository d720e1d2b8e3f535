#include "dsp/fft.h"

#include <fftw3.h>

#include <algorithm>
#include <climits>
#include <complex>
#include <new>

namespace vorax::dsp {

namespace {

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

namespace planner {

std::mutex& lock() {
  static std::mutex mutex;
  return mutex;
}

fftwf_plan makePlan(Kind kind, std::size_t n, unsigned flags) {
  const int length = static_cast<int>(n);
  const std::size_t bins = n / 2 + 1;
  // Out-of-place plans get separate arrays; in-place plans one array of 2 * bins floats, the
  // size FFTW asks for (n + 2 when n is even). Measuring overwrites them: they are scratch.
  FftwArray<float> reals(2 * bins);
  FftwArray<fftwf_complex> complexes(std::max(bins, n));
  auto* inPlace = reinterpret_cast<fftwf_complex*>(reals.data);
  std::lock_guard planning(lock());
  switch (kind) {
    case Kind::RealForward:
      return fftwf_plan_dft_r2c_1d(length, reals.data, complexes.data, flags);
    case Kind::RealInverse:
      return fftwf_plan_dft_c2r_1d(length, complexes.data, reals.data, flags);
    case Kind::CcsForward:
      return fftwf_plan_dft_r2c_1d(length, reals.data, inPlace, flags);
    case Kind::CcsInverse:
      return fftwf_plan_dft_c2r_1d(length, inPlace, reals.data, flags);
    case Kind::ComplexForward:
    case Kind::ComplexInverse:
      return fftwf_plan_dft_1d(length, complexes.data, complexes.data,
                               kind == Kind::ComplexForward ? FFTW_FORWARD : FFTW_BACKWARD, flags);
    case Kind::ComplexApartForward:
    case Kind::ComplexApartInverse: {
      FftwArray<fftwf_complex> results(n);
      return fftwf_plan_dft_1d(length, complexes.data, results.data,
                               kind == Kind::ComplexApartForward ? FFTW_FORWARD : FFTW_BACKWARD,
                               flags);
    }
  }
  return nullptr;
}

}  // namespace planner

namespace {

fftwf_plan planFromWisdom(planner::Kind kind, std::size_t n) {
  return planner::makePlan(kind, n, FFTW_MEASURE | FFTW_WISDOM_ONLY);
}

}  // namespace

Fft::~Fft() {
  std::lock_guard planning(planner::lock());
  for (auto& [key, entry] : plans_) fftwf_destroy_plan(entry.plan);
  for (fftwf_plan plan : replaced_) fftwf_destroy_plan(plan);
}

fftwf_plan Fft::planFor(Kind kind, std::size_t n) {
  std::lock_guard lock(mutex_);
  const unsigned generation = planner::wisdomGeneration();
  auto found = plans_.find({kind, n});
  if (found != plans_.end()) {
    Plan& entry = found->second;
    if (entry.measured || entry.generation == generation) return entry.plan;
    entry.generation = generation;
    if (fftwf_plan measured = planFromWisdom(kind, n)) {
      replaced_.push_back(entry.plan);
      entry = {measured, true, generation};
    }
    return entry.plan;
  }
  Plan entry{planFromWisdom(kind, n), true, generation};
  if (entry.plan == nullptr) {
    entry = {planner::makePlan(kind, n, FFTW_ESTIMATE), false, generation};
    if (entry.plan != nullptr) planner::requestMeasurement(kind, n);
  }
  if (entry.plan != nullptr) plans_.emplace(std::pair{kind, n}, entry);
  return entry.plan;
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
  if (!inverseOverwritingUnscaled(bins, output)) return false;
  scale(output.data(), output.size(), output.size());
  return true;
}

bool Fft::inverseOverwritingUnscaled(std::span<std::complex<float>> bins, std::span<float> output) {
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

bool Fft::transformApart(Kind kind, std::span<const std::complex<float>> input,
                         std::span<std::complex<float>> output) {
  const std::size_t n = input.size();
  if (!usableLength(n) || output.size() < n) return false;
  fftwf_plan plan = planFor(kind, n);
  if (plan == nullptr) return false;
  // An out-of-place complex transform leaves its input as it was.
  auto* in = asFftw(const_cast<std::complex<float>*>(input.data()));
  if (planAligned(input.data()) && planAligned(output.data())) {
    fftwf_execute_dft(plan, in, asFftw(output.data()));
    return true;
  }
  FftwArray<fftwf_complex> alignedIn(n);
  FftwArray<fftwf_complex> alignedOut(n);
  std::copy_n(input.begin(), n, reinterpret_cast<std::complex<float>*>(alignedIn.data));
  fftwf_execute_dft(plan, alignedIn.data, alignedOut.data);
  std::copy_n(reinterpret_cast<std::complex<float>*>(alignedOut.data), n, output.begin());
  return true;
}

bool Fft::forwardComplex(std::span<const std::complex<float>> input,
                         std::span<std::complex<float>> output) {
  return transformApart(Kind::ComplexApartForward, input, output);
}

bool Fft::inverseComplexUnscaled(std::span<const std::complex<float>> input,
                                 std::span<std::complex<float>> output) {
  return transformApart(Kind::ComplexApartInverse, input, output);
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

FftBuffer::~FftBuffer() {
  fftwf_free(data_);
}

std::span<float> FftBuffer::resize(std::size_t count) {
  if (count > capacity_) {
    fftwf_free(data_);
    data_ = static_cast<float*>(fftwf_malloc(sizeof(float) * count));
    if (data_ == nullptr) throw std::bad_alloc();
    capacity_ = count;
  }
  size_ = count;
  return values();
}

}  // namespace vorax::dsp
