#include "qc/trace_statistics.h"

#include <algorithm>
#include <cmath>

namespace vorax::qc {

double TraceEnergy::rms() const {
  return finite == 0 ? 0.0 : std::sqrt(sumSquares / static_cast<double>(finite));
}

TraceEnergy traceEnergy(std::span<const float> samples) {
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

bool hasSpike(std::span<const float> samples, const TraceEnergy& energy, double factor) {
  if (energy.finite < 2) return false;
  // |x| > factor * sqrt((S - x^2) / (n - 1))  <=>  x^2 (n - 1 + factor^2) > factor^2 S.
  const double f2 = factor * factor;
  const double bar = f2 * energy.sumSquares / (static_cast<double>(energy.finite - 1) + f2);
  if (!(energy.peak * energy.peak > bar)) return false;  // most traces end here
  auto magnitude = [&](std::size_t k) {
    const double v = samples[k];
    return std::isfinite(v) ? std::abs(v) : 0.0;
  };
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double x = magnitude(i);
    if (!(x * x > bar)) continue;
    const bool leftLow = i == 0 || magnitude(i - 1) < x / 2;
    const bool rightLow = i + 1 == samples.size() || magnitude(i + 1) < x / 2;
    if (leftLow && rightLow) return true;
  }
  return false;
}

void medianOfFour(const std::array<std::span<const float>, 4>& traces,
                  const std::array<float, 4>& scales, std::span<float> out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    float a = traces[0][i] * scales[0], b = traces[1][i] * scales[1];
    float c = traces[2][i] * scales[2], d = traces[3][i] * scales[3];
    // Sorting network: after it a <= b <= c <= d.
    if (b < a) std::swap(a, b);
    if (d < c) std::swap(c, d);
    if (c < a) std::swap(a, c);
    if (d < b) std::swap(b, d);
    if (c < b) std::swap(b, c);
    out[i] = (b + c) / 2;
  }
}

namespace {

double dot(const float* a, const float* b, std::size_t n) {
  // Eight single-precision lanes the compiler keeps in vector registers, summed in double at
  // the end: over a trace of 10,000 samples a lane adds some 1,250 products, well within what
  // a correlation coefficient needs (about 1e-5 of its value).
  constexpr std::size_t kLanes = 8;
  float lanes[kLanes] = {};
  std::size_t i = 0;
  for (; i + kLanes <= n; i += kLanes)
    for (std::size_t k = 0; k < kLanes; ++k) lanes[k] += a[i + k] * b[i + k];
  double sum = 0;
  for (const float lane : lanes) sum += lane;
  for (; i < n; ++i) sum += static_cast<double>(a[i]) * b[i];
  return sum;
}

}  // namespace

double bestCorrelation(std::span<const float> a, std::span<const float> b, int maxLag) {
  const std::size_t n = std::min(a.size(), b.size());
  const double energy = dot(a.data(), a.data(), n) * dot(b.data(), b.data(), n);
  if (!(energy > 0)) return 0;
  const double norm = std::sqrt(energy);
  double best = 0;
  for (int lag = -maxLag; lag <= maxLag; ++lag) {
    const std::size_t shift = static_cast<std::size_t>(std::abs(lag));
    if (shift >= n) continue;
    // Positive lag: a[i] against b[i + lag].
    const double sum = lag >= 0 ? dot(a.data(), b.data() + shift, n - shift)
                                : dot(a.data() + shift, b.data(), n - shift);
    const double c = sum / norm;
    if (std::abs(c) > std::abs(best)) best = c;
  }
  return best;
}

}  // namespace vorax::qc
