#include "decode/trace_capacity.h"

#include <algorithm>

namespace vorax::decode {

namespace {

constexpr std::uint64_t kSampleBytes = 4;  // every loader's samples are 32-bit

}  // namespace

std::string TraceCapacity::warning(std::int32_t declaredTraces,
                                   std::int32_t declaredSamples) const {
  std::string text =
      "The file is shorter than its headers declare: " + std::to_string(declaredTraces) +
      " traces declared, " + std::to_string(traces) + " loaded";
  if (samplesPerTrace < declaredSamples) {
    text += ", with " + std::to_string(samplesPerTrace) + " of " + std::to_string(declaredSamples) +
            " samples per trace";
  }
  return text + "; missing samples read as 0.";
}

TraceCapacity traceCapacity(std::int32_t declaredTraces, std::int32_t declaredSamples,
                            std::uint64_t headerBytesPerTrace, std::uint64_t bytesAvailable) {
  TraceCapacity held;
  const auto traces = static_cast<std::uint64_t>(std::max(0, declaredTraces));
  const auto samples = static_cast<std::uint64_t>(std::max(0, declaredSamples));
  const std::uint64_t bytesPerTrace =
      std::max<std::uint64_t>(1, headerBytesPerTrace + kSampleBytes * samples);
  const std::uint64_t startingInFile = (bytesAvailable + bytesPerTrace - 1) / bytesPerTrace;
  held.traces = static_cast<std::int32_t>(std::min(traces, startingInFile));
  held.samplesPerTrace = static_cast<std::int32_t>(samples);
  if (held.traces > 0 && bytesAvailable < bytesPerTrace) {
    const std::uint64_t sampleArea =
        bytesAvailable > headerBytesPerTrace ? bytesAvailable - headerBytesPerTrace : 0;
    held.samplesPerTrace = static_cast<std::int32_t>(
        std::min(samples, (sampleArea + kSampleBytes - 1) / kSampleBytes));
  } else if (held.traces == 0) {
    held.samplesPerTrace = 0;
  }
  // held.traces x bytesPerTrace stays within bytesAvailable + bytesPerTrace: no overflow.
  held.fileShort = static_cast<std::uint64_t>(held.traces) < traces ||
                   static_cast<std::uint64_t>(held.traces) * bytesPerTrace > bytesAvailable;
  return held;
}

}  // namespace vorax::decode
