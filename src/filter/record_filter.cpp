#include "filter/record_filter.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace vorax::filter {

namespace {

constexpr std::int32_t kProgressStep = 100;  // traces between progress reports

// One filter over all traces, from `source` into the run's samples (the same samples for
// every filter after the first). Traces go through the transform two at a time, 1 with 2,
// 3 with 4 and so on (a last odd one alone), the same pairs on any number of threads, so that
// the result does not depend on it; the threads take pairs in turn from a shared counter.
class FilterPass {
 public:
  FilterPass(const decode::TraceSamples& source, FilteredTraces& out, const FilterPlan& plan,
             dsp::Fft& fft, std::atomic<bool>& cancelled)
      : source_(source), out_(out), plan_(plan), fft_(fft), cancelled_(cancelled) {}

  // Filters traces until none are left; the caller's thread passes `report`.
  void work(const std::function<void(std::int32_t done)>& report) {
    FilterWork scratch;
    const std::int32_t traces = out_.samples.traceCount();
    for (std::int32_t t = 2 * next_++ + 1; t <= traces && !cancelled_; t = 2 * next_++ + 1) {
      if (t < traces) {
        filterSamplePair(plan_, fft_, slot(t), slot(t + 1), scratch);
      } else {
        const PairedSamples last = slot(t);
        filterSamples(plan_, fft_, last.in, last.out, *last.scale, scratch);
      }
      const std::int32_t done = done_ += std::min(2, traces - t + 1);
      if (report) report(done);
    }
  }

 private:
  PairedSamples slot(std::int32_t t) {
    const std::size_t samples = plan_.upperIndex();
    return {source_.trace(t).first(samples), out_.samples.trace(t).first(samples),
            &out_.amplitudeScales[static_cast<std::size_t>(t)]};
  }

  const decode::TraceSamples& source_;
  FilteredTraces& out_;
  const FilterPlan& plan_;
  dsp::Fft& fft_;
  std::atomic<bool>& cancelled_;
  std::atomic<std::int32_t> next_{0};  // the next pair
  std::atomic<std::int32_t> done_{0};
};

}  // namespace

std::optional<FilteredTraces> filterRecordTraces(const decode::SegdRecord& record,
                                                 std::span<const FilterRequest> filters,
                                                 dsp::Fft& fft, const FilterProgress& progress,
                                                 unsigned threads) {
  const std::int32_t traces = record.samples.traceCount();
  FilteredTraces out;
  out.samples.reset(traces, record.samples.samplesPerTrace());  // value S of each trace stays 0
  out.amplitudeScales.assign(static_cast<std::size_t>(traces) + 1, 0.0f);
  for (std::int32_t t = 1; t <= traces && static_cast<std::size_t>(t) < record.traceInfo.size();
       ++t)
    out.amplitudeScales[static_cast<std::size_t>(t)] =
        record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale;
  const std::size_t samples = static_cast<std::size_t>(std::max(0, out.samples.samplesPerTrace()));
  if (traces <= 0 || samples == 0) {
    out.samples = record.samples;
    return out;
  }

  std::atomic<bool> cancelled{false};
  if (filters.empty()) out.samples = record.samples;
  for (std::size_t f = 0; f < filters.size(); ++f) {
    const FilterRequest& request = filters[f];
    const FilterPlan plan(request, record.summary.sampleIntervalUs, samples);
    FilterPass pass(f == 0 ? record.samples : out.samples, out, plan, fft, cancelled);
    std::int32_t reported = 0;
    auto report = [&](std::int32_t done) {
      if (!progress || done / kProgressStep == reported / kProgressStep) return;
      reported = done;
      if (!progress(request.type, static_cast<int>(100LL * done / traces))) cancelled = true;
    };
    if (progress && !progress(request.type, 0)) return std::nullopt;
    std::vector<std::jthread> helpers;
    for (unsigned i = 1; i < threads; ++i) helpers.emplace_back([&pass] { pass.work({}); });
    pass.work(report);
    helpers.clear();  // joins
    if (cancelled) return std::nullopt;
  }
  return out;
}

void applyFilteredTraces(decode::SegdRecord& record, FilteredTraces&& filtered) {
  const std::size_t traces = filtered.amplitudeScales.size();
  if (record.traceDivisor.size() < traces) record.traceDivisor.resize(traces, 1.0f);
  if (record.traceInfo.size() < traces) record.traceInfo.resize(traces);
  for (std::size_t t = 1; t < traces; ++t) {
    float& scale = record.traceInfo[t].amplitudeScale;
    const float filteredScale = filtered.amplitudeScales[t];
    // A scale of 0 filtered a trace to zeros: its divisor no longer matters.
    if (scale != 0.0f) record.traceDivisor[t] *= filteredScale / scale;
    scale = filteredScale;
  }
  record.samples = std::move(filtered.samples);
}

bool filterRecord(decode::SegdRecord& record, std::span<const FilterRequest> filters, dsp::Fft& fft,
                  const FilterProgress& progress, unsigned threads) {
  std::optional<FilteredTraces> filtered =
      filterRecordTraces(record, filters, fft, progress, threads);
  if (!filtered) return false;
  applyFilteredTraces(record, std::move(*filtered));
  return true;
}

}  // namespace vorax::filter
