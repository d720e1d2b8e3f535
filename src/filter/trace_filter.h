// The frequency-domain trace filter: one trace at a time, through the packed real spectrum of
// the FFT layer. Four types, each given by corner frequencies in Hz:
//   low cut (F1, F2), high cut (F1, F2), band pass (F1..F4), band reject (F1..F4).
// Between two corners the spectrum is tapered by half a Blackman window; outside the pass
// region it is set to zero; the result is re-normalised to a peak magnitude of 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "dsp/fft.h"

namespace vorax::filter {

// In the order a filtering run applies them.
enum class FilterType { LowCut, HighCut, BandPass, BandReject };
inline constexpr std::array<FilterType, 4> kFilterOrder{
    FilterType::LowCut, FilterType::HighCut, FilterType::BandPass, FilterType::BandReject};

// "Low Cut", "High Cut", "Band Pass", "Band Reject".
std::string_view filterCaption(FilterType type);
// How many corners the type takes: 2 or 4.
std::size_t cornerCount(FilterType type);

struct FilterRequest {
  FilterType type = FilterType::BandPass;
  std::array<float, 4> corners{};  // F1..F4 in Hz; cuts use the first two
};

// The transform length for a trace vector of upper index M (samples at 1..M, element 0 the
// leading 0): the smallest power of two greater than M, so that every sample is transformed.
std::size_t transformLength(std::size_t upperIndex);

// The index into the packed spectrum of a corner: 2 dt f n rounded to the nearest whole
// number, halves to the even neighbour (twice the corner's bin number), limited to 0..n.
std::int64_t cornerIndex(double dtSeconds, double hertz, std::size_t n);

// The rising ramp of a transition `width` indices wide: the first half of a Blackman window of
// w = width (less 1 when odd) points, points 0..h, h = (w - 1) / 2 rounded half to even;
// point 0 is 0. A width too narrow for a window (w <= 2) gives the step {0, 1}.
std::vector<float> risingRamp(std::int64_t width);

// The corner indices and ramps of one filter for one transform length, shared by every trace
// (and every thread) that filter runs on. A corner index names an element of the packed
// spectrum; a ramp begins or ends at the bin that holds it, and an odd index (the imaginary
// half of bin index / 2) goes to the stop band's side: rising ramps' corners round up to bin
// (index + 1) / 2, falling ramps' down to index / 2. Ramps act on whole bins, one ramp point
// per bin, and every bin from a stop corner's bin outwards (inside a band reject's stop band)
// is zero, so a sine at a stop corner is taken out whole.
class FilterPlan {
 public:
  FilterPlan(const FilterRequest& request, double sampleIntervalUs, std::size_t upperIndex);

  std::size_t upperIndex() const { return upperIndex_; }
  std::size_t transformLength() const { return n_; }
  const std::array<std::int64_t, 4>& cornerIndices() const { return b_; }
  const std::array<std::int64_t, 4>& cornerBins() const { return bin_; }

  // Changes bins 0..n/2 of the packed spectrum (at least n + 2 values) as the filter type asks.
  void shapeSpectrum(std::span<float> spectrum) const;
  // What shapeSpectrum multiplies the packed spectrum by, value for value: n + 2 gains, the
  // gain of bin k twice (at 2k and 2k + 1).
  const std::vector<float>& gains() const { return gains_; }
  // Multiplies the whole spectrum of n complex bins (2n values) by the same gains, bin k above
  // n / 2 by bin n - k's (the gain is real and even, as a real filter's must be). Where the gain
  // is 0 the values are set to +0; where it is 1 they are left alone.
  void shapeWholeSpectrum(std::span<float> spectrum) const;

 private:
  void layOutGains();

  FilterType type_;
  std::size_t upperIndex_;
  std::size_t n_;
  std::array<std::int64_t, 4> b_{};
  std::array<std::int64_t, 4> bin_{};  // the bins of b_
  std::vector<float> lowerRamp_;       // rising ramp of the b1..b2 transition
  std::vector<float> upperRamp_;       // rising ramp of the b3..b4 (cuts: b1..b2) transition
  std::vector<float> gains_;           // the ramps and stop bands laid out over the spectrum
  // The gains over the whole spectrum, 2n values, and the runs of them that are not 1.
  struct GainRun {
    std::size_t begin;
    std::size_t end;  // one past the last value
    bool zeros;       // every gain 0
  };
  void layOutWholeSpectrumGains();
  std::vector<float> wholeGains_;
  std::vector<GainRun> wholeGainRuns_;
};

// Scratch space of the filter that a caller reuses from trace to trace (one per thread), aligned
// for the transforms.
struct FilterWork {
  dsp::FftBuffer signal;    // the n values transformed
  dsp::FftBuffer spectrum;  // their bins 0..n/2 as (real, imaginary) pairs: n + 2 values
};

// Filters the M = plan.upperIndex() samples `in` into `out` (which may be `in` itself): they
// are the trace vector's samples 1..M, after its leading 0. The input is scale x samples
// (non-finite samples enter as 0); the output is re-normalised so that its largest magnitude
// is 1, and scale becomes that magnitude (0, with the samples all 0, when nothing is left).
void filterSamples(const FilterPlan& plan, dsp::Fft& fft, std::span<const float> in,
                   std::span<float> out, float& scale, FilterWork& work);

// One of the two traces filterSamplePair filters, as filterSamples takes them.
struct PairedSamples {
  std::span<const float> in;
  std::span<float> out;
  float* scale;
};

// filterSamples on two traces in one complex transform of n points, the first trace as its
// real part and the second as its imaginary part: the gain is real and even, so the two stay
// apart. Each trace enters multiplied by a power of two that brings its energy near 1, so that
// neither trace's rounding grows with the other's amplitude; the samples and scales agree with
// filterSamples' within float rounding.
void filterSamplePair(const FilterPlan& plan, dsp::Fft& fft, const PairedSamples& first,
                      const PairedSamples& second, FilterWork& work);

// The same on a trace vector v of upper index M (samples at 1..M), in place; v[0] becomes 0.
void filterTrace(const FilterPlan& plan, dsp::Fft& fft, std::span<float> v, float& scale,
                 FilterWork& work);

}  // namespace vorax::filter
