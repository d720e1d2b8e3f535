#include "decode/synth/synth_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/atomic_file.h"
#include "decode/conversions.h"
#include "decode/vorax/vorax_layout.h"

namespace vorax::decode::synth {

namespace {

constexpr int kMaxAuxTraces = 14;    // auxiliary channel codes in the extended header
constexpr int kChannelsPerUnit = 6;  // receivers served by one field unit
constexpr std::uint32_t kFirstUnitSerial = 41000001;
constexpr std::uint32_t kAuxUnitSerial = 40000001;
constexpr int kSeismicGainDb = 24;
constexpr int kAuxGainDb = 12;
constexpr int kControlUnitType = 5;
constexpr double kMaxHundredths = 4294967295.0;  // four unsigned bytes

// Auxiliary channel codes of the extended header: time break, uphole, then dummies.
int auxChannelCode(int auxIndex) {
  if (auxIndex == 1) return 4;
  if (auxIndex == 2) return 5;
  return 3;
}

std::uint64_t hundredths(double metres) {
  return static_cast<std::uint64_t>(std::llround(metres * 100));
}

double recordLengthMs(const SynthOptions& o) {
  return (o.samplesPerTrace - 1) * o.sampleIntervalMs;
}

GeneralHeaderValues generalHeaderValues(const SynthOptions& o, int externalBlocks) {
  GeneralHeaderValues v;
  v.fileNumber = o.fileNumber;
  v.clock = o.clock;
  v.manufacturerCode = 31;
  v.manufacturerSerial = 2718;
  v.baseScanInterval = baseScanIntervalCode(o.sampleIntervalMs);
  v.recordLengthMs = static_cast<int>(std::lround(recordLengthMs(o)));
  v.channelSets = o.auxTraces > 0 ? 2 : 1;
  v.extendedHeaderBlocks = 2;
  v.externalHeaderBlocks = externalBlocks;
  return v;
}

Block32 voraxGeneralHeaderBlock3(const SynthOptions& o) {
  const Position source = sourcePosition(o);
  Block32 b = generalHeaderBlock3(o.fileNumber, o.sourceLine, o.sourcePoint);
  storeField(b, vorax_layout::gh3::kSourceX, hundredths(source.east));
  storeField(b, vorax_layout::gh3::kSourceY, hundredths(source.north));
  storeField(b, vorax_layout::gh3::kSourceZ, hundredths(o.sourceElevation));
  return b;
}

std::array<std::uint8_t, 64> voraxExtendedHeader(const SynthOptions& o) {
  namespace rows = vorax_layout::extended;
  std::array<std::uint8_t, vorax_layout::kExtendedHeaderBytes> b{};
  storeField(b, rows::kTapeNumber, static_cast<std::uint64_t>(o.tapeNumber));
  storeField(b, rows::kTraceCount, static_cast<std::uint64_t>(o.seismicTraces + o.auxTraces));
  storeField(b, rows::kSamplesPerTrace, static_cast<std::uint64_t>(o.samplesPerTrace));
  // No data retry, no correlation, a normal record: digits left 0.
  storeField(b, rows::kTimeBreakDigit, o.internalTimeBreak ? 1 : 0);
  storeField(b, rows::kFilterPhaseDigit, o.minimumPhase ? 1 : 0);
  for (int aux = 1; aux <= o.auxTraces; ++aux) {
    storeField(b, rows::kAuxChannelCodes[static_cast<std::size_t>(aux - 1)],
               static_cast<std::uint64_t>(auxChannelCode(aux)));
  }
  storeField(b, rows::kSourceTypeDigit, 1);  // explosive
  storeField(b, rows::kValueA, 120);         // 12.0 (charge depth, m)
  storeField(b, rows::kValueB, 20);          // 2.0 (charge, kg)
  storeField(b, rows::kUpholeTime, static_cast<std::uint64_t>(std::llround(o.upholeTimeMs * 10)));
  storeField(b, rows::kValueD, 250);          // 25.0
  storeField(b, rows::kArrayFilterDigit, 1);  // linear
  return b;
}

std::string externalHeaderText(const SynthOptions& o) {
  char text[200];
  std::snprintf(text, sizeof text,
                "VORAX SYNTHETIC SHOT RECORD  FILE %d  SEED %u  SHOT %s %02d:%02d:%02d  "
                "SOURCE LINE %s POINT %s  EXPLOSIVE 2 KG AT 12 M  CREW 7",
                o.fileNumber, o.seed, datefromjulian(o.clock.year, o.clock.dayOfYear).c_str(),
                o.clock.hour, o.clock.minute, o.clock.second, shortestText(o.sourceLine).c_str(),
                shortestText(o.sourcePoint).c_str());
  return text;
}

Block32 extensionBlock(const SynthOptions& o, int t) {
  namespace rows = vorax_layout::extension;
  Block32 b{};
  const int auxIndex = t - o.seismicTraces;
  storeField(b, rows::kSamplesPerTrace, static_cast<std::uint64_t>(o.samplesPerTrace));
  if (auxIndex <= 0) {
    const Receiver r = receiverAt(spreadOf(o), t - 1);
    const int unit = (t - 1) / kChannelsPerUnit;
    storeField(b, rows::kReceiverLine, static_cast<std::uint64_t>(r.line));
    storeField(b, rows::kReceiverPoint, static_cast<std::uint64_t>(r.point));
    storeField(b, rows::kReceiverPointIndex, 1);
    storeField(b, rows::kReceiverX, hundredths(r.east));
    storeField(b, rows::kReceiverY, hundredths(r.north));
    storeField(b, rows::kByte21, kSeismicGainDb);
    storeField(b, rows::kUnitIdentifier, kFirstUnitSerial + static_cast<std::uint32_t>(unit));
    storeField(b, rows::kByte26SecondDigit, static_cast<std::uint64_t>(r.lineIndex + 1));  // cable
    storeField(b, rows::kByte31, static_cast<std::uint64_t>((t - 1) % kChannelsPerUnit + 1));
    // The trace after the dead one was repaired by interpolation.
    if (t == deadTraceNumber(o) + 1) storeField(b, rows::kBytes29To30, 3);
  } else {
    storeField(b, rows::kByte21, kAuxGainDb);
    storeField(b, rows::kUnitIdentifier, kAuxUnitSerial);
    storeField(b, rows::kByte31, static_cast<std::uint64_t>(auxIndex));
  }
  storeField(b, rows::kBytes27To28, kControlUnitType);
  return b;
}

std::string outOfRange(const char* what, double low, double high) {
  return std::string(what) + " must be from " + shortestText(low) + " to " + shortestText(high);
}

bool inRange(double value, double low, double high) {
  return value >= low && value <= high;
}

std::string checkGeometry(const SynthOptions& o) {
  const SpreadLayout spread = spreadOf(o);
  const Receiver first = receiverAt(spread, 0);
  const Receiver endOfFirstLine =
      receiverAt(spread, std::min(o.seismicTraces, receiversPerLine(spread)) - 1);
  const Receiver last = receiverAt(spread, o.seismicTraces - 1);
  for (const double metres : {first.east, first.north, endOfFirstLine.east, last.north}) {
    if (!inRange(metres * 100, 0, kMaxHundredths))
      return "receiver coordinates do not fit the record";
  }
  if (!inRange(o.sourceElevation * 100, 0, kMaxHundredths))
    return outOfRange("source elevation", 0, kMaxHundredths / 100);
  if (first.line < 0 || last.line > 0xFFFFFF || first.point < 0 || endOfFirstLine.point > 0xFFFFFF)
    return "receiver line and point numbers do not fit the record";
  return {};
}

}  // namespace

std::string checkSynthOptions(const SynthOptions& o) {
  if (!inRange(o.seismicTraces, 1, 9999)) return outOfRange("seismic trace count", 1, 9999);
  if (!inRange(o.auxTraces, 0, kMaxAuxTraces))
    return outOfRange("auxiliary trace count", 0, kMaxAuxTraces);
  if (o.seismicTraces + o.auxTraces > 9999) return "at most 9999 traces in all";
  if (!inRange(o.samplesPerTrace, 1, 999999)) return outOfRange("samples per trace", 1, 999999);
  if (baseScanIntervalCode(o.sampleIntervalMs) == 0)
    return "sample interval must be 0.25, 0.5, 1, 2 or 4 ms";
  if (!inRange(o.fileNumber, 1, 999999)) return outOfRange("file number", 1, 999999);
  if (!inRange(o.receiverLines, 1, 9)) return outOfRange("receiver line count", 1, 9);
  if (!inRange(o.deadTrace, -1, o.seismicTraces))
    return outOfRange("dead trace", -1, o.seismicTraces);
  if (!inRange(o.reversedTrace, -1, o.seismicTraces))
    return outOfRange("reversed trace", -1, o.seismicTraces);
  if (!inRange(o.tapeNumber, 0, 9999)) return outOfRange("tape number", 0, 9999);
  if (!inRange(o.clock.year, 0, 99) || !inRange(o.clock.dayOfYear, 1, 366) ||
      !inRange(o.clock.hour, 0, 23) || !inRange(o.clock.minute, 0, 59) ||
      !inRange(o.clock.second, 0, 59))
    return "record date or time out of range";
  if (!inRange(o.sourceLine, 0, 999999) || !inRange(o.sourcePoint, 0, 999999))
    return "source line and point must be from 0 to 999999";
  if (!inRange(o.upholeTimeMs, 0, 999.9)) return outOfRange("uphole time", 0, 999.9);
  return checkGeometry(o);
}

int deadTraceNumber(const SynthOptions& o) {
  return o.deadTrace >= 0 ? o.deadTrace : std::max(1, (o.seismicTraces + 2) / 3);
}

int reversedTraceNumber(const SynthOptions& o) {
  const int chosen = o.reversedTrace >= 0 ? o.reversedTrace : (2 * o.seismicTraces + 2) / 3;
  return chosen == deadTraceNumber(o) && o.reversedTrace < 0 ? 0 : chosen;
}

SpreadLayout spreadOf(const SynthOptions& o) {
  SpreadLayout spread = o.spread;
  spread.receiverCount = o.seismicTraces;
  spread.lines = o.receiverLines;
  return spread;
}

Position sourcePosition(const SynthOptions& o) {
  return spreadCentre(spreadOf(o));
}

std::vector<float> synthTraceSamples(const SynthOptions& o, int t) {
  std::vector<float> out(static_cast<std::size_t>(std::max(0, o.samplesPerTrace)), 0.0f);
  if (o.traceSource) {
    const std::vector<float> given = o.traceSource(t);
    std::copy_n(given.begin(), std::min(given.size(), out.size()), out.begin());
    return out;
  }
  NoiseSource noise(o.seed * 1000003u + static_cast<std::uint32_t>(t));
  const double dt = o.sampleIntervalMs / 1000.0;
  const int auxIndex = t - o.seismicTraces;
  if (auxIndex == 1) {
    synthesiseTimeBreakTrace(dt, out, noise);
  } else if (auxIndex == 2) {
    synthesiseUpholeTrace(o.upholeTimeMs / 1000.0, dt, out, noise);
  } else if (auxIndex > 2) {
    for (float& v : out) v = static_cast<float>(0.001 * noise.gaussian());
  } else if (t != deadTraceNumber(o)) {
    const Receiver r = receiverAt(spreadOf(o), t - 1);
    const Position s = sourcePosition(o);
    synthesiseSeismicTrace(o.model, std::hypot(r.east - s.east, r.north - s.north), dt, out, noise);
    if (t == reversedTraceNumber(o)) {
      for (float& v : out) v = -v;
    }
  }
  return out;
}

bool writeVoraxRecord(const SynthOptions& o, const ByteSink& sink) {
  const std::string external = externalHeaderText(o);
  const int externalBlocks = externalHeaderBlocksFor(external);
  const GeneralHeaderValues general = generalHeaderValues(o, externalBlocks);

  std::vector<std::uint8_t> headers;
  const auto append = [&headers](std::span<const std::uint8_t> bytes) {
    headers.insert(headers.end(), bytes.begin(), bytes.end());
  };
  append(generalHeaderBlock1(general));
  append(generalHeaderBlock2(general));
  append(voraxGeneralHeaderBlock3(o));
  ChannelSetValues channelSet;
  channelSet.recordLengthMs = general.recordLengthMs;
  channelSet.aliasFilterHz = static_cast<int>(std::lround(0.8 * 500 / o.sampleIntervalMs));
  channelSet.aliasFilterSlope = 370;
  channelSet.number = 1;
  channelSet.channelCount = o.seismicTraces;
  channelSet.channelTypeDigit = 1;
  append(channelSetDescriptor(channelSet));
  if (o.auxTraces > 0) {
    channelSet.number = 2;
    channelSet.channelCount = o.auxTraces;
    channelSet.channelTypeDigit = 9;
    append(channelSetDescriptor(channelSet));
  }
  append(voraxExtendedHeader(o));
  append(externalHeaderBytes(external, externalBlocks));
  if (!sink(headers)) return false;

  std::vector<std::uint8_t> trace;
  for (int t = 1; t <= o.seismicTraces + o.auxTraces; ++t) {
    const bool seismic = t <= o.seismicTraces;
    TraceHeaderValues header;
    header.fileNumber = o.fileNumber;
    header.channelSet = seismic ? 1 : 2;
    header.traceNumber = seismic ? t : t - o.seismicTraces;
    header.traceEditCode = t == deadTraceNumber(o) ? 2 : 0;
    trace.clear();
    const auto traceHeader = demuxTraceHeader(header);
    trace.insert(trace.end(), traceHeader.begin(), traceHeader.end());
    const Block32 extension = extensionBlock(o, t);
    trace.insert(trace.end(), extension.begin(), extension.end());
    appendBigFloats(trace, synthTraceSamples(o, t));
    if (!sink(trace)) return false;
  }
  return true;
}

std::vector<std::uint8_t> voraxRecordBytes(const SynthOptions& options) {
  std::vector<std::uint8_t> out;
  writeVoraxRecord(options, [&out](Bytes bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
  });
  return out;
}

std::string writeSyntheticRecord(const std::filesystem::path& path, const SynthOptions& options) {
  if (std::string problem = checkSynthOptions(options); !problem.empty()) return problem;
  base::AtomicFileWriter writer(path);
  writeVoraxRecord(options, [&writer](Bytes bytes) { return writer.write(bytes); });
  writer.commit();
  return writer.error();
}

}  // namespace vorax::decode::synth
