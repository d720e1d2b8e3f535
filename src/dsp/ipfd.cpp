#include "dsp/ipfd.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "dsp/analytic_signal.h"

namespace vorax::dsp {

namespace {

using Complex = std::complex<double>;

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;
constexpr std::size_t kShortestSpan = 8;
constexpr int kPeriodRounds = 3;
constexpr double kFirstWindowSeconds = 0.02;
constexpr double kLongestPeriodSeconds = 0.5;
constexpr double kShortestPeriodSamples = 2;
constexpr double kOnsetFraction = 0.05;
constexpr double kStartPhaseLowDegrees = -135;

// The piecewise-linear function through v[0..L-1] (sample i at x = i) with its running
// integral, for values and means at fractional positions. Positions are clamped to the track.
template <typename T>
class LinearTrack {
 public:
  explicit LinearTrack(std::vector<T> values) : v_(std::move(values)), integral_(v_.size()) {
    for (std::size_t i = 1; i < v_.size(); ++i)
      integral_[i] = integral_[i - 1] + (v_[i - 1] + v_[i]) * 0.5;
  }

  const std::vector<T>& values() const { return v_; }
  double clamp(double x) const { return std::clamp(x, 0.0, static_cast<double>(v_.size() - 1)); }

  T at(double x) const {
    const auto [i, f] = split(x);
    return i + 1 < v_.size() ? v_[i] + (v_[i + 1] - v_[i]) * f : v_[i];
  }

  // Half the width of a window of `width` centred on x, shrunk so that it stays on the track
  // (centred windows keep the measure at x; a window cut on one side only would not).
  double halfWidth(double x, double width) const {
    x = clamp(x);
    return std::min({width / 2, x, static_cast<double>(v_.size() - 1) - x});
  }

  // Mean over the centred window of `width` at x (halfWidth); the value at x when that
  // leaves no width.
  T mean(double x, double width) const {
    const double h = halfWidth(x, width);
    if (h < 1e-9) return at(x);
    return (integralTo(x + h) - integralTo(x - h)) / (2 * h);
  }

  // Slope over the centred window of `width` at x, per sample; 0 when it leaves no width.
  T slope(double x, double width) const {
    const double h = halfWidth(x, width);
    if (h < 1e-9) return T{};
    return (at(x + h) - at(x - h)) / (2 * h);
  }

 private:
  std::pair<std::size_t, double> split(double x) const {
    x = clamp(x);
    const auto i = static_cast<std::size_t>(x);
    return {i, x - static_cast<double>(i)};
  }
  T integralTo(double x) const {
    const auto [i, f] = split(x);
    if (i + 1 >= v_.size()) return integral_[i];
    return integral_[i] + v_[i] * f + (v_[i + 1] - v_[i]) * (f * f * 0.5);
  }

  std::vector<T> v_;
  std::vector<T> integral_;
};

std::vector<double> unwrappedPhase(std::span<const std::complex<float>> z) {
  std::vector<double> theta(z.size());
  theta[0] = std::arg(Complex(z[0]));
  for (std::size_t i = 1; i < z.size(); ++i)
    theta[i] = theta[i - 1] + std::arg(Complex(z[i]) * std::conj(Complex(z[i - 1])));
  return theta;
}

// Removes whole turns so that the phase extrapolated back to sample 0 from the first sample
// above kOnsetFraction of the peak lies in [-135, 225) degrees.
void anchorWholeTurns(std::vector<double>& theta, std::span<const double> magnitude, double peak,
                      double fs) {
  const auto onset = std::find_if(magnitude.begin(), magnitude.end(),
                                  [&](double m) { return m >= kOnsetFraction * peak; });
  if (peak <= 0 || onset == magnitude.end()) return;
  const auto i0 = static_cast<std::size_t>(onset - magnitude.begin());
  const std::size_t reach =
      std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(kFirstWindowSeconds * fs)));
  const std::size_t i1 = std::min(i0 + reach, theta.size() - 1);
  const double radiansPerSample =
      i1 > i0 ? (theta[i1] - theta[i0]) / static_cast<double>(i1 - i0) : 0;
  const double startDegrees =
      (theta[i0] - radiansPerSample * static_cast<double>(i0)) * kDegreesPerRadian;
  const double turns = std::floor((startDegrees - kStartPhaseLowDegrees) / 360);
  for (double& t : theta) t -= turns * kTwoPi;
}

// The local period of the fundamental at sample position x, in samples (see the header).
double localPeriod(const LinearTrack<double>& phase, double x, double fs) {
  const double longest = std::max(kShortestPeriodSamples, kLongestPeriodSeconds * fs);
  double period = std::clamp(kFirstWindowSeconds * fs, kShortestPeriodSamples, longest);
  for (int round = 0; round < kPeriodRounds; ++round) {
    const double radiansPerSample = phase.slope(x, period);
    period = radiansPerSample > 0
                 ? std::clamp(kTwoPi / radiansPerSample, kShortestPeriodSamples, longest)
                 : longest;
  }
  return period;
}

double frequencyAt(const LinearTrack<double>& phase, double x, double period, double fs) {
  return phase.slope(x, period) * fs / kTwoPi;
}

std::vector<double> hannWindow(std::size_t halfWidth) {
  const std::size_t count = 2 * halfWidth + 1;
  std::vector<double> w(count);
  for (std::size_t j = 0; j < count; ++j)
    w[j] =
        0.5 * (1 - std::cos(kTwoPi * static_cast<double>(j + 1) / static_cast<double>(count + 1)));
  return w;
}

void clearFirst(std::span<float> out) {
  if (!out.empty()) out[0] = 0;
}

}  // namespace

std::int32_t ipfdPointStep(float sampleRateHz) {
  const double step = std::round(static_cast<double>(sampleRateHz) * kIpfdPointSpacingMs / 1000);
  return step >= 1 && step < 1e9 ? static_cast<std::int32_t>(step) : 1;
}

std::int32_t GETIPFD(Fft& fft, std::span<const float> samples, std::int32_t n, float sampleRateHz,
                     std::int32_t timeMs, std::int32_t /*reserved*/, std::span<float> phase,
                     std::span<float> frequency, std::span<float> distortion) {
  clearFirst(phase);
  clearFirst(frequency);
  clearFirst(distortion);
  const double fs = sampleRateHz;
  if (n < 1 || !(fs > 0) || !std::isfinite(fs) || phase.empty() || frequency.empty() ||
      distortion.empty())
    return 0;
  double lastSample = n;
  if (timeMs > 0) lastSample = std::min(lastSample, std::floor(timeMs * fs / 1000));
  std::vector<float> span(static_cast<std::size_t>(lastSample) + 1, 0.0f);
  std::copy_n(samples.begin(), std::min(span.size(), samples.size()), span.begin());
  if (span.size() < kShortestSpan) return 0;

  const std::vector<std::complex<float>> z = analyticSignal(fft, span);
  std::vector<double> magnitude(z.size());
  for (std::size_t i = 0; i < z.size(); ++i) magnitude[i] = std::sqrt(std::norm(Complex(z[i])));
  const double peak = *std::max_element(magnitude.begin(), magnitude.end());

  std::vector<double> theta = unwrappedPhase(z);
  anchorWholeTurns(theta, magnitude, peak, fs);
  const LinearTrack<double> rawPhase(std::move(theta));

  const std::size_t L = z.size();
  const std::size_t step = static_cast<std::size_t>(ipfdPointStep(sampleRateHz));
  const std::size_t lastPoint = (L - 1) / step;
  const std::size_t m =
      std::min({lastPoint, phase.size() - 1, frequency.size() - 1, distortion.size() - 1});

  // Period and smooth phase at every point of the span (also those beyond m, so that the
  // samples up to the span's end are covered); between points both are linear in time.
  std::vector<double> period(lastPoint + 1);
  std::vector<double> smooth(lastPoint + 2);
  for (std::size_t k = 0; k <= lastPoint; ++k) {
    const double x = static_cast<double>(k * step);
    period[k] = localPeriod(rawPhase, x, fs);
    smooth[k] = rawPhase.mean(x, period[k]);
  }
  smooth[lastPoint + 1] =
      lastPoint > 0 ? 2 * smooth[lastPoint] - smooth[lastPoint - 1] : smooth[lastPoint];

  // The signal turned down by the smooth phase: the fundamental sits near 0 Hz, a harmonic h
  // near (h - 1) f. The rotation runs by recurrence within each stretch between points.
  std::vector<Complex> turned(L);
  for (std::size_t k = 0; k <= lastPoint; ++k) {
    const std::size_t first = k * step;
    const std::size_t end = std::min(L, first + step);
    Complex rotation = std::polar(1.0, -smooth[k]);
    const Complex advance =
        std::polar(1.0, -(smooth[k + 1] - smooth[k]) / static_cast<double>(step));
    for (std::size_t i = first; i < end; ++i, rotation *= advance)
      turned[i] = Complex(z[i]) * rotation;
  }
  const LinearTrack<Complex> turnedTrack(std::move(turned));
  const std::vector<Complex>& y = turnedTrack.values();

  // The fundamental's complex amplitude: the mean over one period at each point, linear between.
  std::vector<Complex> fundamental(lastPoint + 1);
  for (std::size_t k = 0; k <= lastPoint; ++k) {
    const double x = static_cast<double>(k * step);
    fundamental[k] = turnedTrack.mean(x, period[k]);
  }
  auto fundamentalAt = [&](std::size_t i) {
    const std::size_t k = std::min(i / step, lastPoint);
    if (k == lastPoint) return fundamental[k];
    const double f = static_cast<double>(i - k * step) / static_cast<double>(step);
    return fundamental[k] + (fundamental[k + 1] - fundamental[k]) * f;
  };

  const double weak = kWeakSignalFraction * peak;

  const auto halfWindow = std::max<std::size_t>(
      1, static_cast<std::size_t>(std::lround(kDistortionWindowMs * fs / 2000)));
  const std::vector<double> hann = hannWindow(halfWindow);
  for (std::size_t k = 0; k <= m; ++k) {
    const std::size_t c = k * step;
    phase[k] = static_cast<float>((smooth[k] + std::arg(fundamental[k])) * kDegreesPerRadian);
    if (!(magnitude[c] >= weak) || peak <= 0) {
      frequency[k] = 0;
      distortion[k] = 0;
      continue;
    }
    frequency[k] = static_cast<float>(frequencyAt(rawPhase, static_cast<double>(c), period[k], fs));
    double harmonics = 0;
    double fundamentalEnergy = 0;
    const std::size_t from = c >= halfWindow ? c - halfWindow : 0;
    const std::size_t to = std::min(L - 1, c + halfWindow);
    for (std::size_t s = from; s <= to; ++s) {
      const double w = hann[s + halfWindow - c];
      const Complex a = fundamentalAt(s);
      harmonics += w * std::norm(y[s] - a);
      fundamentalEnergy += w * std::norm(a);
    }
    distortion[k] = fundamentalEnergy > 0
                        ? static_cast<float>(100 * std::sqrt(harmonics / fundamentalEnergy))
                        : 0;
  }
  return static_cast<std::int32_t>(m);
}

}  // namespace vorax::dsp
