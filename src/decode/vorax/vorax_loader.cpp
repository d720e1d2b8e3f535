#include "decode/vorax/vorax_loader.h"

#include <cmath>
#include <string>

#include "decode/conversions.h"
#include "decode/sample_converters.h"
#include "decode/segd/trace_header.h"
#include "decode/trace_workers.h"
#include "decode/vorax/vorax_headers.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kSampleBytes = 4;

float valueOf(std::string_view text) {
  return static_cast<float>(numericValue(text));
}

// The one-block column of the trace attributes.
void fillTraceInfo(const DemuxTraceHeaderFields& traceHeader, const VoraxTraceExt1Fields& e,
                   Bytes extensionBytes, std::int32_t peak, float scale, TraceHeaderInfo& info) {
  info = TraceHeaderInfo{};
  info.receiverLine = valueOf(e.receiverLine.view());
  info.receiverPoint = valueOf(e.receiverPoint.view());
  info.receiverX = numericValue(e.receiverX.view()) / 100;
  info.receiverY = numericValue(e.receiverY.view()) / 100;
  info.channelKind = numericInt(traceHeader.channelSetNumber.view()) == 1 ? "Seis" : "Aux";
  info.resistance = valueOf(e.byte26SecondDigit.view());
  info.capacitance = valueOf(traceHeader.traceEditCode.view());
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
  // The control unit's bytes again, read as a binary number.
  const FieldRow& controlUnit = vorax_layout::extension::kBytes27To28;
  info.controlUnitText =
      bintodecimal(extensionBytes.subspan(controlUnit.offset(), controlUnit.size()));
}

// Decodes trace t from its bytes into the record: the samples normalised to a peak of 1 (a
// dead trace kept as read, scale 0), their divisor and the trace attributes.
void decodeTrace(SegdRecord& record, std::int32_t t, Bytes header, Bytes sampleBytes) {
  DemuxTraceHeaderFields traceHeader;
  VoraxTraceExt1Fields extension;
  const Bytes extensionBytes = header.subspan(kTraceHeaderBytes, kExtensionBlockBytes);
  SEGDDECODEDEMUXTRACEHEADER(header.first(kTraceHeaderBytes), traceHeader);
  SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(extensionBytes, extension);

  // Converted straight into the record; the value after the last sample stays 0.
  const std::span<float> out = record.samples.trace(t).first(sampleBytes.size() / kSampleBytes);
  const SamplePeak peak =
      arraybigsingletolittlepeak(sampleBytes, static_cast<std::int32_t>(out.size()), out);
  float scale = 0;
  float divisor = 1;
  if (peak.magnitude != 0) {
    // Divided while the trace is still in cache; the peak sample becomes exactly +-1.
    divideSamples(out, peak.magnitude);
    scale = 1;
    divisor = peak.magnitude;
  }
  record.traceDivisor[static_cast<std::size_t>(t)] = divisor;
  fillTraceInfo(traceHeader, extension, extensionBytes, peak.index, scale,
                record.traceInfo[static_cast<std::size_t>(t)]);
}

}  // namespace

std::int32_t readtracesvorax(std::int64_t firstTracePosition, RecordFile& file, SegdRecord& record,
                             MessageSink& messages, const ProgressCallback& progress,
                             const EarlyTraces& early) {
  return loadTracesOnWorkers(
      firstTracePosition, kTraceHeaderBytes + kExtensionBlockBytes, file, record, messages,
      [&record](std::int32_t t, Bytes header, Bytes samples) {
        decodeTrace(record, t, header, samples);
      },
      progress, early);
}

}  // namespace vorax::decode
