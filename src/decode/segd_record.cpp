#include "decode/segd_record.h"

namespace vorax::decode {

void TraceSamples::reset(std::int32_t traceCount, std::int32_t samplesPerTrace) {
  traceCount_ = traceCount < 0 ? 0 : traceCount;
  samplesPerTrace_ = samplesPerTrace < 0 ? 0 : samplesPerTrace;
  values_ = ZeroedFloats();  // release the old record before sizing the new one
  values_ = ZeroedFloats((static_cast<std::size_t>(traceCount_) + 1) * valuesPerTrace());
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

}  // namespace vorax::decode
