#include "qc/trace_statistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/cpu_features.h"

namespace vorax::qc {

double TraceEnergy::rms() const {
  return finite == 0 ? 0.0 : std::sqrt(sumSquares / static_cast<double>(finite));
}

namespace {

constexpr std::size_t kLanes = 8;  // single-precision values in an AVX2 register

// Eight floats the compiler keeps in one AVX2 register, or two SSE ones; four doubles, the
// same bytes; and the sign bits' complement to take magnitudes with.
using Floats8 = float __attribute__((vector_size(kLanes * sizeof(float))));
using Floats4 = float __attribute__((vector_size(kLanes / 2 * sizeof(float))));
using Doubles4 = double __attribute__((vector_size(kLanes / 2 * sizeof(double))));
using Bits8 = std::uint32_t __attribute__((vector_size(kLanes * sizeof(float))));
constexpr std::uint32_t kMagnitudeBits = 0x7fffffff;

template <typename Vector>
[[gnu::always_inline]] inline void load(Vector& v, const float* p) {
  std::memcpy(&v, p, sizeof v);
}

// Vectors go by reference: passed by value they would take another calling convention in
// the functions built without AVX.

// |v| lane by lane.
[[gnu::always_inline]] inline void takeMagnitudes(Floats8& v) {
  v = (Floats8)((Bits8)v & kMagnitudeBits);
}

// The larger of each pair of lanes, the lane of `keep` kept where either is NaN.
[[gnu::always_inline]] inline void keepLarger(Floats8& keep, const Floats8& other) {
  keep = keep < other ? other : keep;
}

// The scalar pass: every sample looked at for being finite.
TraceEnergy traceEnergyOneByOne(std::span<const float> samples) {
  TraceEnergy e;
  for (const float sample : samples) {
    const double v = sample;
    if (!std::isfinite(v)) {
      e.nonFinite = true;
      continue;
    }
    if (v != 0) e.allZero = false;
    e.sumSquares += v * v;
    e.peak = std::max(e.peak, std::abs(v));
    ++e.finite;
  }
  return e;
}

// The largest of eight lanes of magnitudes.
[[gnu::always_inline]] inline float largestLane(const Floats8& lanes) {
  float peak = 0;
  for (std::size_t k = 0; k < kLanes; ++k) peak = std::max(peak, lanes[k]);
  return peak;
}

// Eight sums of squares in double precision side by side (a float's square is exact in
// double) and eight running peaks per block of kSpikeBlock samples, each block's peak kept in
// `blockPeaks` while there is room. A sample that is not finite makes the sum so: no sum of
// finite floats' squares reaches the double range's end.
[[gnu::always_inline]] inline TraceEnergy traceEnergyLoop(std::span<const float> samples,
                                                          std::span<float> blockPeaks) {
  const float* x = samples.data();
  const std::size_t n = samples.size();
  Doubles4 low = {}, high = {};  // the sums of lanes 0-3 and 4-7
  float peak = 0;
  std::size_t i = 0;
  for (std::size_t block = 0; block * kSpikeBlock < n; ++block) {
    const std::size_t end = std::min(n, i + kSpikeBlock);
    Floats8 peaks = {};
    for (; i + kLanes <= end; i += kLanes) {
      Floats4 first, second;
      load(first, x + i);
      load(second, x + i + kLanes / 2);
      const Doubles4 d0 = __builtin_convertvector(first, Doubles4);
      const Doubles4 d1 = __builtin_convertvector(second, Doubles4);
      low += d0 * d0;
      high += d1 * d1;
      Floats8 v;
      load(v, x + i);
      takeMagnitudes(v);
      keepLarger(peaks, v);  // NaN keeps the lane
    }
    float blockPeak = largestLane(peaks);
    // The last block's samples after its last eight.
    for (std::size_t j = i; j < end; ++j) blockPeak = std::max(blockPeak, std::abs(x[j]));
    if (block < blockPeaks.size()) blockPeaks[block] = blockPeak;
    peak = std::max(peak, blockPeak);
  }
  TraceEnergy e;
  for (std::size_t k = 0; k < kLanes / 2; ++k) e.sumSquares += low[k];
  for (std::size_t k = 0; k < kLanes / 2; ++k) e.sumSquares += high[k];
  for (; i < n; ++i) {
    const double v = x[i];
    e.sumSquares += v * v;
  }
  if (!std::isfinite(e.sumSquares)) return traceEnergyOneByOne(samples);
  e.peak = peak;
  e.finite = n;
  e.allZero = e.peak == 0;
  return e;
}

#if defined(VORAX_HAS_AVX2_PATH)
__attribute__((target("avx2"))) TraceEnergy traceEnergyAvx2(std::span<const float> samples,
                                                            std::span<float> blockPeaks) {
  return traceEnergyLoop(samples, blockPeaks);
}
#endif

}  // namespace

TraceEnergy traceEnergy(std::span<const float> samples, std::span<float> blockPeaks) {
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) return traceEnergyAvx2(samples, blockPeaks);
#endif
  return traceEnergyLoop(samples, blockPeaks);
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  const std::size_t mid = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid), values.end());
  const double upper = values[mid];
  if (values.size() % 2 == 1) return upper;
  const double lower =
      *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid));
  return (lower + upper) / 2;
}

bool hasSpike(std::span<const float> samples, const TraceEnergy& energy, double factor,
              std::span<const float> blockPeaks) {
  if (energy.finite < 2) return false;
  // |x| > factor * sqrt((S - x^2) / (n - 1))  <=>  x^2 (n - 1 + factor^2) > factor^2 S.
  const double f2 = factor * factor;
  const double bar = f2 * energy.sumSquares / (static_cast<double>(energy.finite - 1) + f2);
  if (!(energy.peak * energy.peak > bar)) return false;  // most traces end here
  auto magnitude = [&](std::size_t k) {
    const double v = samples[k];
    return std::isfinite(v) ? std::abs(v) : 0.0;
  };
  // Only blocks holding a sample of at least `low` can hold one above the bar: `low` is a
  // float a little below the bar's root, so no rounding of the root can leave a sample out.
  const float low = static_cast<float>(std::sqrt(bar) * (1 - 1e-6));
  for (std::size_t b = 0; b < blockPeaks.size(); ++b) {
    if (!(blockPeaks[b] >= low)) continue;
    const std::size_t end = std::min(samples.size(), (b + 1) * kSpikeBlock);
    for (std::size_t i = b * kSpikeBlock; i < end; ++i) {
      const double x = magnitude(i);
      if (!(x * x > bar)) continue;
      const bool leftLow = i == 0 || magnitude(i - 1) < x / 2;
      const bool rightLow = i + 1 == samples.size() || magnitude(i + 1) < x / 2;
      if (leftLow && rightLow) return true;
    }
  }
  return false;
}

namespace {

[[gnu::always_inline]] inline void medianOfFourLoop(
    const std::array<std::span<const float>, 4>& traces, const std::array<float, 4>& scales,
    std::span<float> out) {
  const float* t0 = traces[0].data();
  const float* t1 = traces[1].data();
  const float* t2 = traces[2].data();
  const float* t3 = traces[3].data();
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float a = t0[i] * scales[0], b = t1[i] * scales[1];
    const float c = t2[i] * scales[2], d = t3[i] * scales[3];
    // Of the two pairs' smaller values the larger, and of their larger values the smaller,
    // are the middle two of the four.
    const float second = std::max(std::min(a, b), std::min(c, d));
    const float third = std::min(std::max(a, b), std::max(c, d));
    out[i] = (second + third) / 2;
  }
}

#if defined(VORAX_HAS_AVX2_PATH)
__attribute__((target("avx2"))) void medianOfFourAvx2(
    const std::array<std::span<const float>, 4>& traces, const std::array<float, 4>& scales,
    std::span<float> out) {
  medianOfFourLoop(traces, scales, out);
}
#endif

}  // namespace

void medianOfFour(const std::array<std::span<const float>, 4>& traces,
                  const std::array<float, 4>& scales, std::span<float> out) {
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) return medianOfFourAvx2(traces, scales, out);
#endif
  medianOfFourLoop(traces, scales, out);
}

namespace {

// Correlations of a against b at kLagGroup neighbouring lags in one pass, register-blocked:
// each load of a serves every lag of the group.
constexpr std::size_t kLagGroup = 7;

// sums[g] = sum over i in [0, n) of a[i] * padded[i + first + g], each sum in eight float
// lanes (a lane adds some n / 8 products: over a trace of 10,000 samples about 1,250, well
// within what a correlation coefficient needs, about 1e-5 of its value) added in double at
// the end. One cache line of `warm` is fetched per eight samples, as far as it reaches.
[[gnu::always_inline]] inline void lagGroupLoop(const float* a, const float* padded, std::size_t n,
                                                std::size_t first,
                                                std::span<double, kLagGroup> sums,
                                                std::span<const float> warm) {
  constexpr std::size_t kLineFloats = 64 / sizeof(float);
  Floats8 lanes[kLagGroup] = {};
  const float* b = padded + first;
  std::size_t i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    if (const std::size_t line = i / kLanes * kLineFloats; line < warm.size())
      __builtin_prefetch(warm.data() + line);
    Floats8 ai, bi;
    load(ai, a + i);
#pragma GCC unroll 7
    for (std::size_t g = 0; g < kLagGroup; ++g) {
      load(bi, b + i + g);
      lanes[g] += ai * bi;
    }
  }
  for (std::size_t g = 0; g < kLagGroup; ++g) {
    double sum = 0;
    for (std::size_t k = 0; k < kLanes; ++k) sum += lanes[g][k];
    for (std::size_t j = i; j < n; ++j) sum += static_cast<double>(a[j]) * b[j + g];
    sums[g] = sum;
  }
}

// The sums of squares of a and of b, each in eight float lanes added in double at the end.
// Each lane's sum is a chain of additions, each waiting on the one before: the two traces'
// chains side by side take the time of one.
[[gnu::always_inline]] inline std::array<double, 2> squareSumsLoop(const float* a, const float* b,
                                                                   std::size_t n) {
  Floats8 lanesA = {}, lanesB = {};
  std::size_t i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    Floats8 ai, bi;
    load(ai, a + i);
    load(bi, b + i);
    lanesA += ai * ai;
    lanesB += bi * bi;
  }
  std::array<double, 2> sums{};
  for (std::size_t k = 0; k < kLanes; ++k) sums[0] += lanesA[k];
  for (std::size_t k = 0; k < kLanes; ++k) sums[1] += lanesB[k];
  for (std::size_t j = i; j < n; ++j) sums[0] += static_cast<double>(a[j]) * a[j];
  for (std::size_t j = i; j < n; ++j) sums[1] += static_cast<double>(b[j]) * b[j];
  return sums;
}

#if defined(VORAX_HAS_AVX2_PATH)
__attribute__((target("avx2"))) void lagGroupAvx2(const float* a, const float* padded,
                                                  std::size_t n, std::size_t first,
                                                  std::span<double, kLagGroup> sums,
                                                  std::span<const float> warm) {
  lagGroupLoop(a, padded, n, first, sums, warm);
}

__attribute__((target("avx2"))) std::array<double, 2> squareSumsAvx2(const float* a, const float* b,
                                                                     std::size_t n) {
  return squareSumsLoop(a, b, n);
}
#endif

std::array<double, 2> squareSums(const float* a, const float* b, std::size_t n) {
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) return squareSumsAvx2(a, b, n);
#endif
  return squareSumsLoop(a, b, n);
}

void lagGroup(const float* a, const float* padded, std::size_t n, std::size_t first,
              std::span<double, kLagGroup> sums, std::span<const float> warm) {
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) return lagGroupAvx2(a, padded, n, first, sums, warm);
#endif
  lagGroupLoop(a, padded, n, first, sums, warm);
}

std::size_t lagGroupsFor(int maxLag) {
  return (2 * static_cast<std::size_t>(std::max(0, maxLag)) + 1 + kLagGroup - 1) / kLagGroup;
}

}  // namespace

// b between zeros: a[i] against padded[i + reach + lag] is a[i] * b[i + lag] where that sample
// exists and 0 where it does not. Groups run past the last lag into more zeros.
CorrelationTarget::CorrelationTarget(std::size_t samples, int maxLag)
    : samples_(samples),
      reach_(static_cast<std::size_t>(std::max(0, maxLag))),
      padded_(samples + lagGroupsFor(maxLag) * kLagGroup + reach_, 0.0f) {}

double CorrelationTarget::bestWith(std::span<const float> a, std::span<const float> next) const {
  const std::size_t n = std::min(a.size(), samples_);
  const float* b = padded_.data() + reach_;
  const std::array<double, 2> squares = squareSums(a.data(), b, n);
  const double energy = squares[0] * squares[1];
  if (!(energy > 0)) return 0;
  const double norm = std::sqrt(energy);
  const std::size_t lags = 2 * reach_ + 1;
  std::array<double, kLagGroup> sums{};
  double best = 0;
  for (std::size_t first = 0; first < lags; first += kLagGroup) {
    lagGroup(a.data(), padded_.data(), n, first, sums,
             first == 0 ? next : std::span<const float>{});
    // sums[g] belongs to lag first + g - reach: the lags are taken from -reach up.
    for (std::size_t lag = first; lag < std::min(lags, first + kLagGroup); ++lag) {
      const double c = sums[lag - first] / norm;
      if (std::abs(c) > std::abs(best)) best = c;
    }
  }
  return best;
}

double bestCorrelation(std::span<const float> a, std::span<const float> b, int maxLag) {
  const std::size_t n = std::min(a.size(), b.size());
  CorrelationTarget target(n, maxLag);
  std::copy_n(b.data(), n, target.samples().data());
  return target.bestWith(a.first(n));
}

}  // namespace vorax::qc
