#include "spread/slice_spectra.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "dsp/spectrum.h"
#include "dsp/taper.h"
#include "spread/spread_layout.h"

namespace vorax::spread {

namespace {

constexpr std::int32_t kTracesPerCheck = 10;

std::vector<std::int32_t> liveTraces(const decode::SegdRecord& record) {
  std::vector<std::int32_t> traces;
  const std::int32_t n = heldTraceCount(record);
  for (std::int32_t t = 1; t <= n; ++t)
    if (isLiveTrace(record.traceInfo[static_cast<std::size_t>(t)])) traces.push_back(t);
  return traces;
}

std::int32_t binCountFor(std::int32_t samples) {
  return static_cast<std::int32_t>(dsp::spectrumLength(static_cast<std::size_t>(samples)) / 2);
}

// The Blackman window over S + 1 values, the same for every trace.
std::vector<float> taperWindow(std::size_t s) {
  const std::vector<float> ones(s + 1, 1.0f);
  std::vector<float> window(s + 1);
  dsp::BlackmanTaper(ones, window);
  return window;
}

// One trace's spectrum into its row: the samples behind a leading 0, tapered, transformed.
void transformTrace(const decode::SegdRecord& record, std::int32_t trace,
                    std::span<const float> window, dsp::Fft& fft, std::vector<float>& work,
                    std::span<float> row) {
  const std::span<const float> samples = record.samples.trace(trace);
  const std::size_t s = window.size() - 1;
  work.assign(s + 1, 0.0f);
  for (std::size_t j = 0; j < s; ++j)
    work[j + 1] = std::isfinite(samples[j]) ? samples[j] * window[j + 1] : 0.0f;
  const std::vector<float> spectrum = dsp::AmplitudeSpectrum(fft, work);
  const std::size_t bins = std::min(spectrum.size(), row.size());
  std::copy_n(spectrum.begin(), bins, row.begin());
  row[0] = 0;
}

}  // namespace

SliceSpectra::SliceSpectra(std::vector<std::int32_t> traces, std::int32_t binCount)
    : traces_(std::move(traces)),
      binCount_(binCount),
      values_(traces_.size() * rowLength(), 0.0f),
      tracePeaks_(traces_.size(), 0.0f) {}

void SliceSpectra::findPeak(std::size_t i) {
  const std::span<const float> bins = row(i).subspan(1);
  const float peak = bins.empty() ? 0.0f : *std::max_element(bins.begin(), bins.end());
  tracePeaks_[i] = peak;
  spreadPeak_ = std::max(spreadPeak_, peak);
}

std::optional<SliceSpectra> computeSliceSpectra(const decode::SegdRecord& record, dsp::Fft& fft,
                                                const SpectraProgress& progress, int threads) {
  SliceSpectra spectra(liveTraces(record), binCountFor(record.samples.samplesPerTrace()));
  const auto total = static_cast<std::int32_t>(spectra.traces().size());
  auto report = [&](std::string_view phase, std::int32_t done) {
    return !progress || progress(phase, done, total);
  };

  const std::vector<float> window =
      taperWindow(static_cast<std::size_t>(record.samples.samplesPerTrace()));
  // Every thread takes ten traces at a time; only the calling thread reports and decides to stop.
  std::atomic<std::int32_t> next{0};
  std::atomic<std::int32_t> done{0};
  std::atomic<bool> stop{false};
  auto work = [&](bool reporting) {
    std::vector<float> buffer;
    while (!stop.load()) {
      const std::int32_t first = next.fetch_add(kTracesPerCheck);
      if (first >= total) break;
      const std::int32_t last = std::min(total, first + kTracesPerCheck);
      for (std::int32_t i = first; i < last; ++i)
        transformTrace(record, spectra.traces()[static_cast<std::size_t>(i)], window, fft, buffer,
                       spectra.row(static_cast<std::size_t>(i)));
      const std::int32_t finished = done.fetch_add(last - first) + (last - first);
      if (reporting && !report(kSpectraPhase, finished)) stop = true;
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (int h = 1; h < threads; ++h) helpers.emplace_back(work, false);
    work(true);
  }
  if (stop.load() || !report(kSpectraPhase, total)) return std::nullopt;

  for (std::int32_t i = 0; i < total; ++i) {
    spectra.findPeak(static_cast<std::size_t>(i));
    if ((i + 1) % kTracesPerCheck == 0 && !report(kPeaksPhase, i + 1)) return std::nullopt;
  }
  if (!report(kPeaksPhase, total)) return std::nullopt;
  return spectra;
}

}  // namespace vorax::spread
