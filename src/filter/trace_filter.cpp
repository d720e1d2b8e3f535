#include "filter/trace_filter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <complex>
#include <utility>

#include "decode/sample_converters.h"

namespace vorax::filter {

namespace {

constexpr std::uint32_t kExponentBits = 0x7F800000u;  // of an IEEE single

// The value of pi the ramps were always computed with.
constexpr double kRampPi = 3.14159268;

// Bin k of the packed spectrum (elements 2k and 2k + 1) multiplied by t.
void scaleBin(std::span<float> s, std::int64_t k, float t) {
  const auto at = static_cast<std::size_t>(2 * k);
  s[at] *= t;
  s[at + 1] *= t;
}

// Bins from, from + 1, ... up to `to`, scaled by the ramp's points in order; the last point
// serves the bins left over when the transition has more bins than points. `reversed` walks
// the ramp from its last point down to point 0 (the falling ramp).
void rampBins(std::span<float> s, std::int64_t from, std::int64_t to,
              const std::vector<float>& ramp, bool reversed) {
  std::size_t point = 0;
  for (std::int64_t k = from; k <= to; ++k, ++point) {
    const std::size_t p = std::min(point, ramp.size() - 1);
    scaleBin(s, k, reversed ? ramp[ramp.size() - 1 - p] : ramp[p]);
  }
}

void zeroBins(std::span<float> s, std::int64_t from, std::int64_t to) {
  for (std::int64_t k = from; k <= to; ++k) scaleBin(s, k, 0.0f);
}

// Whether corner j (0..3) begins or ends a rising ramp, one with its stop band below it.
bool risesAt(FilterType type, std::size_t j) {
  switch (type) {
    case FilterType::LowCut:
      return true;
    case FilterType::HighCut:
      return false;
    case FilterType::BandPass:
      return j < 2;
    case FilterType::BandReject:
      return j >= 2;
  }
  return false;
}

// x times `factor`, or +0 when x is NaN or infinite (exponent bits all ones): integer operations
// without a branch, so that the loops calling it vectorise.
float finiteTimes(float x, float factor) {
  const auto bits = std::bit_cast<std::uint32_t>(x);
  const std::uint32_t keep = 0u - std::uint32_t{(bits & kExponentBits) != kExponentBits};
  return std::bit_cast<float>(std::bit_cast<std::uint32_t>(factor * x) & keep);
}

// The power of two 2^e nearest to the root of the sum of squares of x's finite values (to the
// largest magnitude when that sum leaves the normal floats), as its exponent e: 0 for zeros.
int energyExponent(std::span<const float> x) {
  constexpr std::size_t kLanes = 8;  // independent sums, which the compiler vectorises
  std::array<float, kLanes> sums{};
  std::size_t i = 0;
  for (; i + kLanes <= x.size(); i += kLanes)
    for (std::size_t j = 0; j < kLanes; ++j) {
      const float v = finiteTimes(x[i + j], 1.0f);
      sums[j] += v * v;
    }
  float sum = 0;
  for (; i < x.size(); ++i) sum += finiteTimes(x[i], 1.0f) * finiteTimes(x[i], 1.0f);
  for (const float lane : sums) sum += lane;
  if (std::isnormal(sum)) return std::ilogb(sum) / 2;
  const float peak = decode::largestFiniteMagnitude(x);
  return peak > 0.0f ? std::ilogb(peak) : 0;
}

// The largest finite magnitudes of the even-indexed and of the odd-indexed values.
std::pair<float, float> largestFiniteMagnitudes(std::span<const float> interleaved) {
  std::uint32_t even = 0;
  std::uint32_t odd = 0;
  for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2) {
    // A magnitude's bits order as the magnitudes do; every pattern from the infinity's up is
    // not finite.
    std::uint32_t a = std::bit_cast<std::uint32_t>(interleaved[i]) & 0x7FFFFFFFu;
    std::uint32_t b = std::bit_cast<std::uint32_t>(interleaved[i + 1]) & 0x7FFFFFFFu;
    a &= 0u - std::uint32_t{a < kExponentBits};
    b &= 0u - std::uint32_t{b < kExponentBits};
    even = std::max(even, a);
    odd = std::max(odd, b);
  }
  return {std::bit_cast<float>(even), std::bit_cast<float>(odd)};
}

double roundHalfEven(double x) {
  return std::nearbyint(x);
}  // the default rounding mode

std::size_t powerOfTwoAbove(std::size_t m) {
  std::size_t n = 1;
  while (n <= m) n *= 2;
  return n;
}

}  // namespace

std::string_view filterCaption(FilterType type) {
  switch (type) {
    case FilterType::LowCut:
      return "Low Cut";
    case FilterType::HighCut:
      return "High Cut";
    case FilterType::BandPass:
      return "Band Pass";
    case FilterType::BandReject:
      return "Band Reject";
  }
  return "";
}

std::size_t cornerCount(FilterType type) {
  return type == FilterType::LowCut || type == FilterType::HighCut ? 2 : 4;
}

std::size_t transformLength(std::size_t upperIndex) {
  return powerOfTwoAbove(upperIndex);
}

std::int64_t cornerIndex(double dtSeconds, double hertz, std::size_t n) {
  const double index = roundHalfEven(2.0 * dtSeconds * hertz * static_cast<double>(n));
  if (!(index > 0)) return 0;  // also a corner that is not a number
  return index >= static_cast<double>(n) ? static_cast<std::int64_t>(n)
                                         : static_cast<std::int64_t>(index);
}

std::vector<float> risingRamp(std::int64_t width) {
  const std::int64_t w = width % 2 != 0 ? width - 1 : width;
  if (w <= 2) return {0.0f, 1.0f};  // (w - 2) would divide by zero: a step at the corner
  const auto h = static_cast<std::int64_t>(roundHalfEven(static_cast<double>(w - 1) / 2));
  std::vector<float> ramp(static_cast<std::size_t>(h) + 1);
  const double period = static_cast<double>(w - 2);
  for (std::int64_t m = 1; m <= h; ++m) {
    const double phase = 2 * kRampPi * static_cast<double>(m) / period;
    ramp[static_cast<std::size_t>(m)] =
        static_cast<float>(0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2 * phase));
  }
  ramp[0] = 0.0f;  // the formula's 0.42 - 0.5 + 0.08, exactly
  return ramp;
}

FilterPlan::FilterPlan(const FilterRequest& request, double sampleIntervalUs,
                       std::size_t upperIndex)
    : type_(request.type), upperIndex_(upperIndex), n_(filter::transformLength(upperIndex)) {
  const double dt = sampleIntervalUs / 1000000.0;
  for (std::size_t j = 0; j < cornerCount(type_); ++j)
    b_[j] = cornerIndex(dt, request.corners[j], n_);
  // An odd index is the imaginary half of bin b / 2: a stop band takes the whole bin, so the
  // corners of a rising ramp (stop band below) round up, those of a falling one round down.
  for (std::size_t j = 0; j < 4; ++j) bin_[j] = risesAt(type_, j) ? (b_[j] + 1) / 2 : b_[j] / 2;
  lowerRamp_ = risingRamp(b_[1] - b_[0]);
  upperRamp_ = cornerCount(type_) == 4 ? risingRamp(b_[3] - b_[2]) : lowerRamp_;
  layOutGains();
  layOutWholeSpectrumGains();
}

void FilterPlan::layOutWholeSpectrumGains() {
  wholeGains_.resize(2 * n_);
  std::copy(gains_.begin(), gains_.end(), wholeGains_.begin());
  for (std::size_t k = n_ / 2 + 1; k < n_; ++k) {
    wholeGains_[2 * k] = gains_[2 * (n_ - k)];
    wholeGains_[2 * k + 1] = gains_[2 * (n_ - k)];
  }
  wholeGainRuns_.clear();
  for (std::size_t i = 0; i < wholeGains_.size(); ++i) {
    if (wholeGains_[i] == 1.0f) continue;
    const bool zero = wholeGains_[i] == 0.0f;
    if (wholeGainRuns_.empty() || wholeGainRuns_.back().end != i ||
        wholeGainRuns_.back().zeros != zero)
      wholeGainRuns_.push_back({i, i, zero});
    wholeGainRuns_.back().end = i + 1;
  }
}

void FilterPlan::shapeWholeSpectrum(std::span<float> spectrum) const {
  float* value = spectrum.data();
  const float* gain = wholeGains_.data();
  for (const GainRun& run : wholeGainRuns_) {
    if (run.zeros) {
      std::fill(value + run.begin, value + run.end, 0.0f);
    } else {
      for (std::size_t i = run.begin; i < run.end; ++i) value[i] *= gain[i];
    }
  }
}

void FilterPlan::layOutGains() {
  const auto nyquist = static_cast<std::int64_t>(n_ / 2);
  gains_.assign(n_ + 2, 1.0f);
  const std::span<float> g(gains_);
  switch (type_) {
    case FilterType::LowCut:
      rampBins(g, bin_[0], bin_[1], lowerRamp_, false);
      zeroBins(g, 0, bin_[0]);
      break;
    case FilterType::HighCut:
      rampBins(g, bin_[0], bin_[1], lowerRamp_, true);
      zeroBins(g, bin_[1], nyquist);
      break;
    case FilterType::BandPass:
      rampBins(g, bin_[0], bin_[1], lowerRamp_, false);
      zeroBins(g, 0, bin_[0]);
      rampBins(g, bin_[2], bin_[3], upperRamp_, true);
      zeroBins(g, bin_[3], nyquist);
      break;
    case FilterType::BandReject:
      // The reject band between the ramps is set to 0, the value both ramps end at.
      rampBins(g, bin_[0], bin_[1], lowerRamp_, true);
      rampBins(g, bin_[2], bin_[3], upperRamp_, false);
      zeroBins(g, bin_[1], bin_[2]);
      break;
  }
}

void FilterPlan::shapeSpectrum(std::span<float> s) const {
  // One product per value over contiguous floats, which the compiler vectorises.
  const float* gain = gains_.data();
  float* value = s.data();
  for (std::size_t i = 0; i < gains_.size(); ++i) value[i] *= gain[i];
}

void filterSamples(const FilterPlan& plan, dsp::Fft& fft, std::span<const float> in,
                   std::span<float> out, float& scale, FilterWork& work) {
  const std::size_t m = plan.upperIndex();
  const std::size_t n = plan.transformLength();
  if (m == 0 || in.size() < m || out.size() < m) return;
  const std::span<float> signalValues = work.signal.resize(n);
  float* signal = signalValues.data();
  signal[0] = 0.0f;
  const float inputScale = scale;
  for (std::size_t k = 0; k < m; ++k) signal[k + 1] = finiteTimes(in[k], inputScale);
  std::fill(signal + m + 1, signal + n, 0.0f);

  // Out of place: FFTW's plans then need no buffer of their own.
  const std::span<float> spectrum = work.spectrum.resize(n + 2);
  const std::span<std::complex<float>> bins(reinterpret_cast<std::complex<float>*>(spectrum.data()),
                                            n / 2 + 1);
  fft.forward(signalValues, bins);
  plan.shapeSpectrum(spectrum);
  // Without its 1/n the inverse is the filtered signal times n, a power of two: the peak and
  // every sample carry the same exact factor, which the normalisation below divides out, so
  // the samples come out as with the scaled inverse, and the scale is the peak times 1/n.
  fft.inverseOverwritingUnscaled(bins, signalValues);

  const float peak = decode::largestFiniteMagnitude(signalValues.subspan(1, m));
  const float factor = peak > 0.0f ? 1.0f / peak : 1.0f;
  for (std::size_t k = 0; k < m; ++k) out[k] = signal[k + 1] * factor;
  scale = peak * (1.0f / static_cast<float>(n));
}

void filterSamplePair(const FilterPlan& plan, dsp::Fft& fft, const PairedSamples& first,
                      const PairedSamples& second, FilterWork& work) {
  const std::size_t m = plan.upperIndex();
  const std::size_t n = plan.transformLength();
  for (const PairedSamples* trace : {&first, &second})
    if (m == 0 || trace->in.size() < m || trace->out.size() < m) return;
  // Powers of two: multiplying by them and dividing them out again changes no bit.
  const auto exponentOf = [m](const PairedSamples& trace) {
    const float scale = *trace.scale;
    const int scaleExponent = std::isnormal(scale) ? std::ilogb(scale) : 0;
    return std::clamp(energyExponent(trace.in.first(m)) + scaleExponent, -100, 100);
  };
  const int firstExponent = exponentOf(first);
  const int secondExponent = exponentOf(second);
  const float firstFactor = std::ldexp(*first.scale, -firstExponent);
  const float secondFactor = std::ldexp(*second.scale, -secondExponent);

  // Value 2k is sample k of the first trace, 2k + 1 of the second (sample 0 the leading 0).
  const std::span<float> signalValues = work.signal.resize(2 * n);
  float* signal = signalValues.data();
  signal[0] = signal[1] = 0.0f;
  for (std::size_t k = 0; k < m; ++k) {
    signal[2 * k + 2] = finiteTimes(first.in[k], firstFactor);
    signal[2 * k + 3] = finiteTimes(second.in[k], secondFactor);
  }
  std::fill(signal + 2 * m + 2, signal + 2 * n, 0.0f);

  const std::span<float> spectrumValues = work.spectrum.resize(2 * n);
  const auto complexes = [n](std::span<float> values) {
    return std::span<std::complex<float>>(reinterpret_cast<std::complex<float>*>(values.data()), n);
  };
  fft.forwardComplex(complexes(signalValues), complexes(spectrumValues));
  plan.shapeWholeSpectrum(spectrumValues);
  // Unscaled, as in filterSamples: the factor n is divided out with the peak.
  fft.inverseComplexUnscaled(complexes(spectrumValues), complexes(signalValues));

  const auto [firstPeak, secondPeak] = largestFiniteMagnitudes(signalValues.subspan(2, 2 * m));
  const float firstNormaliser = firstPeak > 0.0f ? 1.0f / firstPeak : 1.0f;
  const float secondNormaliser = secondPeak > 0.0f ? 1.0f / secondPeak : 1.0f;
  for (std::size_t k = 0; k < m; ++k) {
    first.out[k] = signal[2 * k + 2] * firstNormaliser;
    second.out[k] = signal[2 * k + 3] * secondNormaliser;
  }
  const float perPoint = 1.0f / static_cast<float>(n);
  *first.scale = std::ldexp(firstPeak * perPoint, firstExponent);
  *second.scale = std::ldexp(secondPeak * perPoint, secondExponent);
}

void filterTrace(const FilterPlan& plan, dsp::Fft& fft, std::span<float> v, float& scale,
                 FilterWork& work) {
  const std::size_t m = plan.upperIndex();
  if (m == 0 || v.size() <= m) return;
  filterSamples(plan, fft, v.subspan(1, m), v.subspan(1, m), scale, work);
  v[0] = 0.0f;
}

}  // namespace vorax::filter
