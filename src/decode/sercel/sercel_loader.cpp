#include "decode/sercel/sercel_loader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "decode/sample_converters.h"
#include "decode/sercel/sercel_record_headers.h"
#include "decode/trace_workers.h"
#include "decode/vorax/vorax_loader.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kSampleBytes = 4;
// Decodes trace t from its bytes into the record: the samples as recorded and the trace
// attributes of the first seven extension blocks (any further ones are skipped).
void decodeTrace(SegdRecord& record, const ChannelSetTypes& setTypes, std::int32_t t, Bytes header,
                 Bytes sampleBytes) {
  SercelExtensionRecords blocks;
  const Bytes sevenBlocks = header.subspan(20, kSercelExtensionBytes);
  decodeSercelTraceInfoTexts(sevenBlocks, blocks);
  TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
  fillSevenBlockTraceInfo(sevenBlocks, blocks, info, setTypes[byteAt(header, 3)]);

  // Converted straight into the record; the value after the last sample stays 0. A factor
  // that is not a number would make the scale one too, so it does not take part.
  const std::span<float> out = record.samples.trace(t).first(sampleBytes.size() / kSampleBytes);
  const SamplePeak peak =
      arraybigsingletolittlepeak(sampleBytes, static_cast<std::int32_t>(out.size()), out);
  const float factor = std::isfinite(info.mvConversionFactor) ? info.mvConversionFactor : 0.0f;
  info.amplitudeScale = std::max(factor, peak.magnitude);
  info.peakSampleIndex = peak.index;
}

}  // namespace

std::int32_t readtraces408(std::int64_t firstTracePosition, RecordFile& file, SegdRecord& record,
                           MessageSink& messages, const ProgressCallback& progress,
                           std::size_t extensionBlocks, const EarlyTraces& early,
                           std::span<const ChannelSetFields> channelSets) {
  extensionBlocks = std::max(extensionBlocks, kSercelExtensionBlocks);
  const ChannelSetTypes setTypes = channelSetTypes(channelSets);
  const std::int32_t read = loadTracesOnWorkers(
      firstTracePosition, 20 + 32 * static_cast<std::uint64_t>(extensionBlocks), file, record,
      messages,
      [&record, &setTypes](std::int32_t t, Bytes header, Bytes samples) {
        decodeTrace(record, setTypes, t, header, samples);
      },
      progress, early);
  for (std::int32_t t = 1; t <= read; ++t) {
    if (record.traceInfo[static_cast<std::size_t>(t)].tiltError == 1) ++record.tiltErrorCount;
  }
  return read;
}

}  // namespace vorax::decode
