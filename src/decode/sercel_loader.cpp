#include "decode/sercel_loader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "decode/sample_converters.h"
#include "decode/vorax_loader.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kSampleBytes = 4;
constexpr std::int32_t kProgressStep = 100;

}  // namespace

void readtrace408(std::int32_t t, std::int32_t samplesPerTrace, std::uint64_t& position,
                  SercelTraceContext& c) {
  c.file.setPosition(position);
  c.file.read(c.headerBytes);
  c.file.read(c.extensionBytes);
  c.file.read(c.sampleBytes);
  position += c.headerBytes.size() + c.extensionBytes.size() +
              kSampleBytes * static_cast<std::uint64_t>(std::max(0, samplesPerTrace));

  SEGDDECODEDEMUXTRACEHEADER(c.headerBytes, c.traceHeader);
  const Bytes sevenBlocks = Bytes(c.extensionBytes).first(kSercelExtensionBytes);
  decodeSercelExtensions(sevenBlocks, c.blocks);
  TraceHeaderInfo& info = c.record.traceInfo[static_cast<std::size_t>(t)];
  fillSevenBlockTraceInfo(sevenBlocks, c.blocks, info);

  // Converted straight into the record; the value after the last sample stays 0. A factor
  // that is not a number would make the scale one too, so it does not take part.
  const std::span<float> out = c.record.samples.trace(t).first(static_cast<std::size_t>(c.heldSamples));
  float scale = std::isfinite(info.mvConversionFactor) ? info.mvConversionFactor : 0.0f;
  ARRAYBIGSINGLETOLITTLENOTNORM(c.sampleBytes, c.heldSamples, out, scale);
  info.amplitudeScale = scale;
  info.peakSampleIndex = peakSampleIndex(out);
}

std::int32_t readtraces408(std::int64_t firstTracePosition, RecordFile& file, SegdRecord& record,
                           MessageSink& messages, const ProgressCallback& progress,
                           std::size_t extensionBlocks) {
  extensionBlocks = std::max(extensionBlocks, kSercelExtensionBlocks);
  const std::int32_t declaredTraces = record.summary.traceCount;
  const std::int32_t declaredSamples = record.summary.samplesPerTrace;
  std::uint64_t position = static_cast<std::uint64_t>(std::max<std::int64_t>(1, firstTracePosition));
  file.setPosition(position);
  const TraceCapacity held = traceCapacity(declaredTraces, declaredSamples,
                                           20 + 32 * static_cast<std::uint64_t>(extensionBlocks),
                                           file.remaining());

  record.samples.reset(held.traces, held.samplesPerTrace);
  record.traceInfo.assign(static_cast<std::size_t>(held.traces) + 1, TraceHeaderInfo{});
  record.traceDivisor.assign(static_cast<std::size_t>(held.traces) + 1, 1.0f);  // kept as recorded
  record.tiltErrorCount = 0;
  if (held.fileShort) messages.show(held.warning(declaredTraces, declaredSamples), false);

  SercelTraceContext context(file, record, held.samplesPerTrace, extensionBlocks);
  std::int32_t read = 0;
  for (std::int32_t t = 1; t <= held.traces; ++t) {
    readtrace408(t, declaredSamples, position, context);
    read = t;
    if (record.traceInfo[static_cast<std::size_t>(t)].tiltError == 1) ++record.tiltErrorCount;
    if (progress && t % kProgressStep == 0 &&
        !progress(static_cast<int>(std::lround(100.0 * t / held.traces))))
      break;
  }
  if (progress && read == held.traces) progress(100);
  record.lineRuns = buildLineRuns(record.traceInfo, read);
  return read;
}

}  // namespace vorax::decode
