#include "decode/segd_record.h"

#include <algorithm>

namespace vorax::decode {

void TraceSamples::reset(std::int32_t traceCount, std::int32_t samplesPerTrace) {
  traceCount_ = traceCount < 0 ? 0 : traceCount;
  samplesPerTrace_ = samplesPerTrace < 0 ? 0 : samplesPerTrace;
  values_.assignZeros((static_cast<std::size_t>(traceCount_) + 1) * valuesPerTrace());
}

void TraceSamples::clear() {
  traceCount_ = 0;
  samplesPerTrace_ = 0;
  values_.mapFreshMemoryIn(ZeroedFloats::Pages::Small);
}

std::span<float> TraceSamples::trace(std::int32_t t) {
  return {values_.data() + static_cast<std::size_t>(t) * valuesPerTrace(), valuesPerTrace()};
}

std::span<const float> TraceSamples::trace(std::int32_t t) const {
  return {values_.data() + static_cast<std::size_t>(t) * valuesPerTrace(), valuesPerTrace()};
}

std::vector<LineRun> buildLineRuns(std::span<const TraceHeaderInfo> traceInfo,
                                   std::int32_t traceCount) {
  std::vector<LineRun> runs(2);
  if (traceCount < 1 || traceInfo.size() < 2) return runs;
  runs[1] = {traceInfo[1].receiverLine, 0, 0};
  for (std::int32_t t = 2; t <= traceCount && static_cast<std::size_t>(t) < traceInfo.size(); ++t) {
    float line = traceInfo[static_cast<std::size_t>(t)].receiverLine;
    if (line != runs.back().receiverLine) {
      runs.back().lastTrace = static_cast<float>(t - 1);
      runs.push_back({line, static_cast<float>(t), 0});
    }
  }
  runs.back().lastTrace = static_cast<float>(traceCount);
  return runs;
}

bool tracesStartApart(const SegdRecord& record) {
  const std::optional<std::int64_t>* first = nullptr;
  const std::size_t held =
      std::min(record.traceInfo.size(), static_cast<std::size_t>(record.loadedTraceCount()) + 1);
  for (std::size_t t = 1; t < held; ++t) {
    const std::optional<std::int64_t>& start = record.traceInfo[t].startTimeUtcUs;
    if (first == nullptr) {
      first = &start;
    } else if (start != *first) {
      return true;
    }
  }
  return false;
}

SegdRecord leadingTraces(const SegdRecord& record, std::int32_t count) {
  const std::int32_t kept = std::clamp(count, 0, record.loadedTraceCount());
  SegdRecord leading;
  leading.summary = record.summary;
  leading.flavour = record.flavour;
  leading.sampleIntervalMs = record.sampleIntervalMs;
  leading.recordLengthMs = record.recordLengthMs;
  leading.startTimeMs = record.startTimeMs;
  leading.fileName = record.fileName;
  leading.tiltErrorCount = record.tiltErrorCount;
  leading.samples.reset(kept, record.samples.samplesPerTrace());
  if (kept > 0) {
    const std::span<const float> from = record.samples.trace(1);
    std::copy_n(from.data(), record.samples.valuesPerTrace() * static_cast<std::size_t>(kept),
                leading.samples.trace(1).data());
  }
  const auto entries = static_cast<std::size_t>(kept) + 1;
  leading.traceInfo.assign(record.traceInfo.begin(),
                           record.traceInfo.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                          entries, record.traceInfo.size())));
  leading.traceDivisor.assign(
      record.traceDivisor.begin(),
      record.traceDivisor.begin() +
          static_cast<std::ptrdiff_t>(std::min(entries, record.traceDivisor.size())));
  leading.lineRuns = buildLineRuns(leading.traceInfo, kept);
  return leading;
}

}  // namespace vorax::decode
