// The numbers the survey QC judges a trace by, on one trace's samples at a time. Sums run in
// double precision; samples that are not finite (NaN, infinities) are left out of every sum.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace vorax::qc {

struct TraceEnergy {
  double sumSquares = 0;   // over the finite samples
  std::size_t finite = 0;  // how many samples are finite
  bool allZero = true;     // every sample is exactly zero
  bool nonFinite = false;  // some sample is NaN or infinite
  double peak = 0;         // the largest magnitude of a finite sample
  double rms() const;      // over the finite samples; 0 when there are none
};

// The spike test looks for its sample among blocks of kSpikeBlock samples (the last one
// maybe short), by each block's largest magnitude.
inline constexpr std::size_t kSpikeBlock = 64;
inline std::size_t spikeBlocksOf(std::size_t samples) {
  return (samples + kSpikeBlock - 1) / kSpikeBlock;
}

// The energy of the samples, and into `blockPeaks` (as far as it has room) the largest
// magnitude of each block, samples that are not numbers left out.
TraceEnergy traceEnergy(std::span<const float> samples, std::span<float> blockPeaks = {});

// The median of the values (the mean of the middle two for an even count); 0 for none.
double median(std::vector<double> values);

// Whether the trace holds a spike: a sample whose magnitude is above `factor` times the RMS
// of the trace's other samples and that stands alone, its neighbours on both sides being
// below half of it. A wavelet of the recorded band spreads its crest over several samples; a
// spike of one bad sample does not.
// `energy` and `blockPeaks` are what traceEnergy gave for the samples
// (spikeBlocksOf(samples.size()) block peaks).
bool hasSpike(std::span<const float> samples, const TraceEnergy& energy, double factor,
              std::span<const float> blockPeaks);

// The sample-by-sample median of four traces of equal length, each sample times its trace's
// scale, into `out`.
void medianOfFour(const std::array<std::span<const float>, 4>& traces,
                  const std::array<float, 4>& scales, std::span<float> out);

// The normalised cross-correlation of `a` and `b` at every lag within +-maxLag samples
// (sum of a[i] * b[i + lag] over the full traces' energies), and of those the one of largest
// magnitude, with its sign. 0 when either trace has no energy.
double bestCorrelation(std::span<const float> a, std::span<const float> b, int maxLag);

// A trace `b` held between zeros, as the correlations at every lag read it, for correlating
// trace after trace against it: writing its samples in place (a median of neighbours, say)
// spares a copy and an allocation per correlation.
class CorrelationTarget {
 public:
  CorrelationTarget(std::size_t samples, int maxLag);
  std::span<float> samples() { return std::span(padded_).subspan(reach_, samples_); }
  // bestCorrelation(a, b, maxLag). Meanwhile `next`, samples the caller reads next, is brought
  // into the processor's cache: the lags keep the processor busy for longer than a trace
  // takes to come from memory.
  double bestWith(std::span<const float> a, std::span<const float> next = {}) const;

 private:
  std::size_t samples_;
  std::size_t reach_;
  std::vector<float> padded_;
};

}  // namespace vorax::qc
