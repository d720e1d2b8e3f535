#include "decode/vorax_loader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "decode/conversions.h"
#include "decode/sample_converters.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kSampleBytes = 4;
constexpr std::int32_t kProgressStep = 100;

float valueOf(std::string_view text) { return static_cast<float>(numericValue(text)); }

// The one-block column of the trace attributes.
void fillTraceInfo(const VoraxTraceContext& c, std::int32_t peak, float scale,
                   TraceHeaderInfo& info) {
  const VoraxTraceExt1Fields& e = c.extension;
  info = TraceHeaderInfo{};
  info.receiverLine = valueOf(e.receiverLine.view());
  info.receiverPoint = valueOf(e.receiverPoint.view());
  info.receiverX = numericValue(e.receiverX.view()) / 100;
  info.receiverY = numericValue(e.receiverY.view()) / 100;
  info.channelKind = numericInt(c.traceHeader.channelSetNumber.view()) == 1 ? "Seis" : "Aux";
  info.resistance = valueOf(e.byte26SecondDigit.view());
  info.capacitance = valueOf(c.traceHeader.traceEditCode.view());
  info.tilt = valueOf(e.byte21.view());
  info.leakage = valueOf(e.byte26FirstDigit.view());
  info.unitSerialNumber = numericInt(e.unitIdentifier.view());
  info.channelNumber = numericInt(e.byte31.view());
  info.controlUnitType = numericInt(e.bytes27To28.view());
  info.controlUnitSerialNumber = numericInt(e.byte31.view());
  info.mvConversionFactor = 1;
  info.traceMaximum = 1;
  info.peakSampleIndex = peak;
  info.interpolationCount = numericInt(e.bytes29To30.view());
  info.amplitudeScale = scale;
  info.conversionFactorCopy = 1;
  info.controlUnitText = bintodecimal(Bytes(c.extensionBytes).subspan(26, 2));
}

}  // namespace

std::string TraceCapacity::warning(std::int32_t declaredTraces,
                                   std::int32_t declaredSamples) const {
  std::string text = "The file is shorter than its headers declare: " +
                     std::to_string(declaredTraces) + " traces declared, " +
                     std::to_string(traces) + " loaded";
  if (samplesPerTrace < declaredSamples) {
    text += ", with " + std::to_string(samplesPerTrace) + " of " +
            std::to_string(declaredSamples) + " samples per trace";
  }
  return text + "; missing samples read as 0.";
}

TraceCapacity traceCapacity(std::int32_t declaredTraces, std::int32_t declaredSamples,
                            std::uint64_t headerBytesPerTrace, std::uint64_t bytesAvailable) {
  TraceCapacity held;
  const auto traces = static_cast<std::uint64_t>(std::max(0, declaredTraces));
  const auto samples = static_cast<std::uint64_t>(std::max(0, declaredSamples));
  const std::uint64_t bytesPerTrace = std::max<std::uint64_t>(1, headerBytesPerTrace + kSampleBytes * samples);
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

void readtracevorax(std::int32_t t, std::int32_t samplesPerTrace, std::uint64_t& position,
                    VoraxTraceContext& c) {
  c.file.setPosition(position);
  c.file.read(c.headerBytes);
  c.file.read(c.extensionBytes);
  c.file.read(c.sampleBytes);
  position += kTraceHeaderBytes + kExtensionBlockBytes +
              kSampleBytes * static_cast<std::uint64_t>(std::max(0, samplesPerTrace));

  SEGDDECODEDEMUXTRACEHEADER(c.headerBytes, c.traceHeader);
  SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(c.extensionBytes, c.extension);

  // Converted straight into the record; the value after the last sample stays 0.
  const std::span<float> out = c.record.samples.trace(t).first(static_cast<std::size_t>(c.heldSamples));
  float scale = 1;
  const bool normalised = ARRAYBIGSINGLETOLITTLENORM(c.sampleBytes, c.heldSamples, out, scale) == 0;
  const std::int32_t peak = peakSampleIndex(out);
  // The sample that became +-1 was divided by its own magnitude.
  c.record.traceDivisor[static_cast<std::size_t>(t)] =
      normalised ? std::fabs(bigFloat(c.sampleBytes, 4 * static_cast<std::size_t>(peak))) : 1.0f;
  fillTraceInfo(c, peak, scale, c.record.traceInfo[static_cast<std::size_t>(t)]);
}

std::int32_t readtracesvorax(std::int64_t firstTracePosition, RecordFile& file,
                             SegdRecord& record, MessageSink& messages,
                             const ProgressCallback& progress) {
  const std::int32_t declaredTraces = record.summary.traceCount;
  const std::int32_t declaredSamples = record.summary.samplesPerTrace;
  std::uint64_t position = static_cast<std::uint64_t>(std::max<std::int64_t>(1, firstTracePosition));
  file.setPosition(position);
  const TraceCapacity held = traceCapacity(declaredTraces, declaredSamples,
                                           kTraceHeaderBytes + kExtensionBlockBytes,
                                           file.remaining());

  record.samples.reset(held.traces, held.samplesPerTrace);
  record.traceInfo.assign(static_cast<std::size_t>(held.traces) + 1, TraceHeaderInfo{});
  record.traceDivisor.assign(static_cast<std::size_t>(held.traces) + 1, 1.0f);
  record.tiltErrorCount = 0;
  if (held.fileShort) messages.show(held.warning(declaredTraces, declaredSamples), false);

  VoraxTraceContext context(file, record, held.samplesPerTrace);
  std::int32_t read = 0;
  for (std::int32_t t = 1; t <= held.traces; ++t) {
    readtracevorax(t, declaredSamples, position, context);
    read = t;
    if (progress && t % kProgressStep == 0 &&
        !progress(static_cast<int>(std::lround(100.0 * t / held.traces))))
      break;
  }
  if (progress && read == held.traces) progress(100);
  record.lineRuns = buildLineRuns(record.traceInfo, read);
  return read;
}

}  // namespace vorax::decode
