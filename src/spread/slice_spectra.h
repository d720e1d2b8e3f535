// The spectra behind the frequency slice: every live trace's amplitude spectrum (Blackman
// tapered), each trace's peak and the spread's peak. Computed once per opening of the
// spread view, on the program's workers, with an abandon check every ten traces.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/worker_count.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"

namespace vorax::spread {

inline constexpr std::string_view kSpectraPhase = "FFT %";
inline constexpr std::string_view kPeaksPhase = "Normalise %";

class SliceSpectra {
 public:
  SliceSpectra(std::vector<std::int32_t> traces, std::int32_t binCount);

  // B: the spectrum routine's bins 1..B (bin k at k / (n dt) Hz, n = 2B).
  std::int32_t binCount() const { return binCount_; }
  // The live traces, in trace order; spectra and peaks are indexed like them.
  std::span<const std::int32_t> traces() const { return traces_; }

  // Bin 0..B of the i-th live trace; bin 0 is held as 0 (the mean is not shown).
  float at(std::size_t i, std::int32_t bin) const { return row(i)[static_cast<std::size_t>(bin)]; }
  std::span<float> row(std::size_t i) { return {values_.data() + i * rowLength(), rowLength()}; }
  std::span<const float> row(std::size_t i) const {
    return {values_.data() + i * rowLength(), rowLength()};
  }

  float tracePeak(std::size_t i) const { return tracePeaks_[i]; }
  float spreadPeak() const { return spreadPeak_; }
  // Takes the largest of bins 1..B as trace i's peak and raises the spread peak to it.
  void findPeak(std::size_t i);

 private:
  std::size_t rowLength() const { return static_cast<std::size_t>(binCount_) + 1; }

  std::vector<std::int32_t> traces_;
  std::int32_t binCount_;
  std::vector<float> values_;
  std::vector<float> tracePeaks_;
  float spreadPeak_ = 0;
};

// Told the phase ("FFT %" or "Normalise %"), the traces done and the total; returns false to
// abandon. Called on the calling thread only, after every ten traces and at the end of each
// phase.
using SpectraProgress =
    std::function<bool(std::string_view phase, std::int32_t done, std::int32_t total)>;

// The spectra of the record's live traces: each trace's samples 0..S-1 moved up one place
// behind a 0 (S + 1 values, non-finite samples read as 0), Blackman tapered and transformed
// by the program's amplitude spectrum. Runs on the calling thread and `threads` - 1 helpers
// (at least one thread; by default the program's worker count). Nothing when the progress
// callback abandons.
std::optional<SliceSpectra> computeSliceSpectra(
    const decode::SegdRecord& record, dsp::Fft& fft, const SpectraProgress& progress = {},
    int threads = static_cast<int>(base::workerCount()));

}  // namespace vorax::spread
