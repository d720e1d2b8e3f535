#include "dsp/xcorr.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace vorax::dsp {

namespace {

std::size_t powerOfTwoAtLeast(std::size_t n) {
  std::size_t p = 1;
  while (p < n) p *= 2;
  return p;
}

// The first `count` values of `values`, zero-padded to `length`.
std::vector<float> padded(std::span<const float> values, std::size_t count, std::size_t length) {
  std::vector<float> out(length, 0.0f);
  std::copy_n(values.begin(), std::min({count, values.size(), length}), out.begin());
  return out;
}

double energy(std::span<const float> v) {
  double sum = 0;
  for (float x : v) sum += static_cast<double>(x) * x;
  return sum;
}

}  // namespace

void XCORR(Fft& fft, std::span<const float> a, std::span<const float> b, std::int32_t n,
           std::span<float> out, std::int32_t, std::int32_t, float, float) {
  if (n < 0) return;
  const auto count = static_cast<std::size_t>(n) + 1;
  if (out.size() < 2 * count - 1) return;
  const std::size_t p = powerOfTwoAtLeast(2 * count);
  const std::vector<float> pa = padded(a, count, p);
  const std::vector<float> pb = padded(b, count, p);
  const std::span<const float> ta(pa.data(), count);
  const std::span<const float> tb(pb.data(), count);
  const double norm = std::sqrt(energy(ta) * energy(tb));
  std::fill_n(out.begin(), 2 * count - 1, 0.0f);
  if (!(norm > 0)) return;

  std::vector<std::complex<float>> sa(p / 2 + 1);
  std::vector<std::complex<float>> sb(p / 2 + 1);
  fft.forward(pa, sa);
  fft.forward(pb, sb);
  for (std::size_t k = 0; k < sa.size(); ++k) sa[k] = std::conj(sa[k]) * sb[k];
  std::vector<float> lags(p);
  fft.inverse(sa, lags);  // lags[k] = sum a[t] b[t + k], k < 0 wrapping to p + k

  const std::size_t zero = count - 1;
  for (std::size_t k = 1; k < count; ++k) {
    out[zero + k] = static_cast<float>(std::clamp(lags[k] / norm, -1.0, 1.0));
    out[zero - k] = static_cast<float>(std::clamp(lags[p - k] / norm, -1.0, 1.0));
  }
  double dot = 0;
  for (std::size_t t = 0; t < count; ++t) dot += static_cast<double>(ta[t]) * tb[t];
  out[zero] = static_cast<float>(std::clamp(dot / norm, -1.0, 1.0));
}

std::int32_t FFTI(Fft& fft, std::span<const float> samples, std::span<float>,
                  std::span<float> amplitude, const std::int32_t& n, const float&,
                  std::string_view) {
  if (!amplitude.empty()) amplitude[0] = 0;
  if (n < 1) return 0;
  const auto count = static_cast<std::size_t>(n) + 1;
  const std::size_t p = powerOfTwoAtLeast(count);
  const std::size_t k = p / 2;
  if (amplitude.size() < k + 1) return 0;
  std::vector<std::complex<float>> bins(k + 1);
  fft.forward(padded(samples, count, p), bins);
  const double scale = 1.0 / static_cast<double>(count);
  for (std::size_t i = 0; i <= k; ++i) {
    const double edge = i == 0 || i == k ? 1 : 2;
    amplitude[i] = static_cast<float>(edge * scale * std::abs(bins[i]));
  }
  return static_cast<std::int32_t>(k);
}

}  // namespace vorax::dsp
