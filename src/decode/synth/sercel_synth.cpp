#include "decode/synth/sercel_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/atomic_file.h"
#include "decode/conversions.h"
#include "decode/sercel/sercel_layout.h"

namespace vorax::decode::synth {

namespace {

constexpr int kManufacturerSercel = 13;
constexpr std::uint64_t kModelSn428 = 5;  // general constants: "SN428 CM428XL"
constexpr int kExtensionBlocks = 7;
constexpr int kExtendedHeaderBlocks = 32;  // 1024 bytes
// Written as "FF" in block 1 and in binary in block 2: 16 is 0x0010, which read as BCD
// digits would be 10.
constexpr int kExternalHeaderBlocks = 16;
constexpr int kMaxChannelsPerSet = 9999;  // four BCD digits

constexpr std::uint8_t kUnitFdu = 0x01;
constexpr std::uint8_t kAssemblyString12 = 0x0C;
constexpr std::uint8_t kSubunitFdu1 = 0x01;
constexpr std::uint8_t kControlUnitLaul = 0x02;
constexpr std::uint8_t kControlUnitLaux = 0x03;
constexpr int kFdusPerAssembly = 12;
constexpr float kGeophoneSensitivity = 22.8f;  // V/(m/s)
constexpr float kAuxConversionFactor = 6.742e-05f;

using Extension = std::array<Block32, kExtensionBlocks>;

int recordLengthMs(const SercelSynthOptions& o) {
  return static_cast<int>(std::lround((o.samplesPerTrace - 1) * o.sampleIntervalMs));
}

int totalTraces(const SercelSynthOptions& o) {
  return o.auxTraces + o.seismicTraces;
}

// "9 May 2024" for the record's day.
std::string dayText(const RecordClock& clock) {
  const std::string date = datefromjulian(clock.year, clock.dayOfYear);  // "CCYY-MM-DD"
  return std::to_string(std::stoi(date.substr(8))) + " " + getmonth(std::stoi(date.substr(5, 2))) +
         " " + date.substr(0, 4);
}

GeneralHeaderValues generalHeaderValues(const SercelSynthOptions& o) {
  GeneralHeaderValues v;
  v.fileNumber = o.fileNumber;
  v.generalConstants = kModelSn428;
  v.clock = o.clock;
  v.manufacturerCode = kManufacturerSercel;
  v.manufacturerSerial = 428;
  v.baseScanInterval = baseScanIntervalCode(o.sampleIntervalMs);
  v.recordLengthMs = recordLengthMs(o);
  v.channelSets = o.auxTraces > 0 ? 2 : 1;
  v.extendedHeaderBlocks = kExtendedHeaderBlocks;
  v.externalHeaderBlocks = kExternalHeaderBlocks;
  v.revisionMajor = 1;
  v.revisionMinor = 0;
  return v;
}

std::vector<Block32> channelSetDescriptors(const SercelSynthOptions& o) {
  ChannelSetValues cs;
  cs.recordLengthMs = recordLengthMs(o);
  cs.aliasFilterHz = static_cast<int>(std::lround(0.8 * 500 / o.sampleIntervalMs));
  cs.aliasFilterSlope = 370;
  cs.traceHeaderExtensions = kExtensionBlocks;
  std::vector<Block32> sets;
  if (o.auxTraces > 0) {
    cs.channelCount = o.auxTraces;
    cs.channelTypeDigit = 9;
    sets.push_back(channelSetDescriptor(cs));
    cs.number = 2;
  }
  cs.channelCount = o.seismicTraces;
  cs.channelTypeDigit = 1;
  sets.push_back(channelSetDescriptor(cs));
  return sets;
}

struct Amplitudes {
  float aux = 0;
  float seismic = 0;
};

float peakOf(std::span<const float> samples) {
  float peak = 0;
  for (float v : samples) peak = std::max(peak, std::fabs(v));
  return peak;
}

Amplitudes recordAmplitudes(const SercelSynthOptions& o) {
  Amplitudes a;
  for (int t = 1; t <= totalTraces(o); ++t) {
    const float peak = peakOf(sercelTraceSamples(o, t));
    float& kind = t <= o.auxTraces ? a.aux : a.seismic;
    kind = std::max(kind, peak);
  }
  return a;
}

void storeLeadingFields(std::span<std::uint8_t> h, const SercelSynthOptions& o) {
  namespace rows = sercel_layout::extended;
  const auto u = [](int v) { return static_cast<std::uint64_t>(v); };
  const SpreadLayout spread = sercelSpreadOf(o);
  storeField(h, rows::kAcquisitionLength, u(recordLengthMs(o)));
  storeField(h, rows::kSampleRate,
             static_cast<std::uint64_t>(std::lround(o.sampleIntervalMs * 1000)));
  storeField(h, rows::kTotalTraces, u(totalTraces(o)));
  storeField(h, rows::kAuxiliaryTraces, u(o.auxTraces));
  storeField(h, rows::kSeismicTraces, u(o.seismicTraces));
  storeField(h, rows::kLiveSeismicTraces, u(o.seismicTraces));  // none dead
  storeField(h, rows::kSourceType, 1);                          // impulsive
  storeField(h, rows::kSamplesPerTrace, u(o.samplesPerTrace));
  storeField(h, rows::kShotNumber, u(o.fileNumber));
  storeReal(h, rows::kTimeBreakWindow, 1.5);  // ms
  // A normal record (test record type 0), time break 0, no refraction delay, no time from
  // time break to T0, no prestack, historic editing and threshold unused: fields left 0.
  storeField(h, rows::kSpreadFirstLine, u(spread.firstLineNumber));
  storeField(h, rows::kSpreadFirstNumber, u(spread.firstPointNumber));
  storeField(h, rows::kSpreadNumber, 1);
  storeField(h, rows::kSpreadType, 2);  // absolute
  storeField(h, rows::kUpholeTime, u(o.upholeTimeMs));
  storeField(h, rows::kBlasterIdentifier, 1);
  storeField(h, rows::kBlasterStatus, 1);  // ready / fired OK
  storeField(h, rows::kInternalTimeBreak, 1);
  storeField(h, rows::kNoiseEliminationType, 1);  // none
  storeField(h, rows::kProcessType, 1);           // raw data
}

std::vector<std::uint8_t> extendedHeader(const SercelSynthOptions& o) {
  namespace rows = sercel_layout::extended;
  std::vector<std::uint8_t> h(32 * kExtendedHeaderBlocks, 0);
  storeLeadingFields(h, o);
  const Amplitudes amplitudes = recordAmplitudes(o);
  const Position source = spreadCentre(sercelSpreadOf(o));
  storeField(h, rows::kBytes401To404, 1);
  storeFieldText(h, rows::kBytes405To484,
                 o.auxTraces > 0 ? "a1-a" + std::to_string(o.auxTraces) : "");
  storeField(h, rows::kBytes485To488, static_cast<std::uint64_t>(recordLengthMs(o)));
  storeReal(h, rows::kMaximumAuxiliaryAmplitude, amplitudes.aux);
  storeReal(h, rows::kMaximumSeismicAmplitude, amplitudes.seismic);
  storeFieldText(h, rows::kTapeLabel, "VORAX SYNTH");
  storeField(h, rows::kTapeNumber, static_cast<std::uint64_t>(o.tapeNumber));
  storeFieldText(h, rows::kBytes545To560, "1.0");
  storeFieldText(h, rows::kBytes561To572, dayText(o.clock));
  storeReal(h, rows::kSourceEasting, source.east);
  storeReal(h, rows::kSourceNorthing, source.north);
  storeReal(h, rows::kSourceElevation, o.sourceElevation);
  storeField(h, rows::kSlipSweep, 0);  // none
  char comment[161];
  std::snprintf(comment, sizeof comment, "Synthetic 428-style shot record, file %d, seed %u",
                o.fileNumber, o.seed);
  storeFieldText(h, rows::kBytes605To764, comment);
  storeField(h, rows::kAcquisitionFilterType, 1);  // 0.8 minimum phase
  storeField(h, rows::kPrmTiltFlag, 1);            // PRM tilt correction on
  return h;
}

std::string externalHeaderText(const SercelSynthOptions& o) {
  char text[200];
  std::snprintf(text, sizeof text,
                "SERCEL-STYLE SYNTHETIC RECORD  FILE %d  SEED %u  SOURCE LINE %s POINT %s  "
                "UPHOLE %d MS",
                o.fileNumber, o.seed, shortestText(o.sourceLine).c_str(),
                shortestText(o.sourcePoint).c_str(), o.upholeTimeMs);
  return text;
}

// Uniform in [low, high), from the trace's own noise sequence.
float between(NoiseSource& noise, double low, double high) {
  return static_cast<float>(low + (high - low) * noise.uniform());
}

void storeSeismicBlocks(Extension& e, const SercelSynthOptions& o, int s) {
  using namespace sercel_layout;
  const Receiver r = receiverAt(sercelSpreadOf(o), s - 1);
  const ReceiverTest test = receiverTestFor(o, s);
  const auto line = static_cast<std::uint64_t>(r.line);
  const auto point = static_cast<std::uint64_t>(r.point);
  storeField(e[0], block1::kReceiverLineNumber, line);
  storeField(e[0], block1::kReceiverPointNumber, point);
  storeField(e[0], block1::kReceiverPointIndex, 1);
  storeField(e[0], block1::kExtendedReceiverLineNumber, line);
  storeField(e[0], block1::kExtendedReceiverPointNumber, point);
  storeField(e[0], block1::kSensorTypeCode, 2);  // geophone, vertical

  storeReal(e[1], block2::kReceiverEasting, r.east);
  storeReal(e[1], block2::kReceiverNorthing, r.north);
  storeReal(e[1], block2::kReceiverElevation,
            static_cast<float>(100 + 2 * r.lineIndex + 0.25 * (r.point % 8)));

  storeReal(e[2], block3::kResistanceLowLimit, test.resistanceLowLimit);
  storeReal(e[2], block3::kResistanceHighLimit, test.resistanceHighLimit);
  storeReal(e[2], block3::kResistanceValue, test.resistance);
  storeReal(e[2], block3::kTiltLimit, test.tiltLimit);
  storeReal(e[2], block3::kTiltValue, test.tilt);
  storeField(e[2], block3::kResistanceError, static_cast<std::uint64_t>(test.resistanceError));
  storeField(e[2], block3::kTiltError, static_cast<std::uint64_t>(test.tiltError));

  storeReal(e[3], block4::kCapacitanceLowLimit, test.capacitanceLowLimit);
  storeReal(e[3], block4::kCapacitanceHighLimit, test.capacitanceHighLimit);
  storeReal(e[3], block4::kCapacitanceValue, test.capacitance);
  storeReal(e[3], block4::kCutOffLowLimit, 8);  // cut-off frequency limits and value (Hz)
  storeReal(e[3], block4::kCutOffHighLimit, 12);
  storeReal(e[3], block4::kCutOffValue, 10);
  storeField(e[3], block4::kCapacitanceError, static_cast<std::uint64_t>(test.capacitanceError));

  storeReal(e[4], block5::kLeakageLimit, test.leakageLimit);
  storeReal(e[4], block5::kLeakageValue, test.leakage);
  storeField(e[4], block5::kLeakageError, static_cast<std::uint64_t>(test.leakageError));
  if (!o.receiverTests)
    for (Block32* block : {&e[2], &e[3], &e[4]}) block->fill(0xFF);

  e[5][block6::kUnitType.offset()] = kUnitFdu;
  storeField(e[5], block6::kUnitSerialNumber, static_cast<std::uint64_t>(100000 + s));
  storeField(e[5], block6::kChannelNumber, 1);  // within the unit
  e[5][block6::kAssemblyType.offset()] = kAssemblyString12;
  storeField(e[5], block6::kAssemblySerialNumber,
             static_cast<std::uint64_t>(5000 + (s - 1) / kFdusPerAssembly));
  storeField(e[5], block6::kLocationInAssembly,
             static_cast<std::uint64_t>((s - 1) % kFdusPerAssembly + 1));
  e[5][block6::kSubunitType.offset()] = kSubunitFdu1;
  storeField(e[5], block6::kChannelTypeCode, 0);  // geophone
  storeReal(e[5], block6::kSensorSensitivity, kGeophoneSensitivity);

  e[6][block7::kControlUnitType.offset()] = kControlUnitLaul;
  storeField(e[6], block7::kControlUnitSerialNumber,
             static_cast<std::uint64_t>(3000 + r.lineIndex));
  // Gain scale 1; a factor of 0 stands for its nominal 0.0002697.
  storeField(e[6], block7::kChannelGainScale, 1);
  storeField(e[6], block7::kChannelFilter, 1);              // 0.8 FN minimum phase
  storeField(e[6], block7::kChannelTypeIdentification, 1);  // seismic
  storeField(e[6], block7::kChannelProcess, 1);             // raw data
}

void storeAuxBlocks(Extension& e, int auxIndex) {
  using namespace sercel_layout;
  e[5][block6::kUnitType.offset()] = kUnitFdu;
  storeField(e[5], block6::kUnitSerialNumber, static_cast<std::uint64_t>(99000 + auxIndex));
  storeField(e[5], block6::kChannelNumber, static_cast<std::uint64_t>(auxIndex));
  e[5][block6::kAssemblyType.offset()] = 0x21;  // HAU
  e[5][block6::kSubunitType.offset()] = kSubunitFdu1;
  e[6][block7::kControlUnitType.offset()] = kControlUnitLaux;
  storeField(e[6], block7::kControlUnitSerialNumber, 2999);
  storeField(e[6], block7::kChannelGainScale, 2);
  storeField(e[6], block7::kChannelFilter, 1);
  storeReal(e[6], block7::kConversionFactor, kAuxConversionFactor);
  storeField(e[6], block7::kChannelTypeIdentification, 9);  // auxiliary
  storeField(e[6], block7::kChannelProcess, 1);
}

// Trace maximum value and its time (ms) in block 7.
void storeTraceMaximum(Extension& e, const SercelSynthOptions& o, std::span<const float> samples) {
  namespace rows = sercel_layout::block7;
  std::size_t peakIndex = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::fabs(samples[i]) > std::fabs(samples[peakIndex])) peakIndex = i;
  }
  const float peak = samples.empty() ? 0.0f : std::fabs(samples[peakIndex]);
  storeReal(e[6], rows::kTraceMaximumValue, peak);
  storeField(
      e[6], rows::kTraceMaximumTime,
      static_cast<std::uint64_t>(std::lround(static_cast<double>(peakIndex) * o.sampleIntervalMs)));
}

Extension extensionBlocks(const SercelSynthOptions& o, int t, std::span<const float> samples) {
  Extension e{};
  if (t <= o.auxTraces) {
    storeAuxBlocks(e, t);
  } else {
    storeSeismicBlocks(e, o, t - o.auxTraces);
  }
  storeField(e[0], sercel_layout::block1::kSamplesPerTrace,
             static_cast<std::uint64_t>(o.samplesPerTrace));
  storeTraceMaximum(e, o, samples);
  return e;
}

std::string outOfRange(const char* what, double low, double high) {
  return std::string(what) + " must be from " + shortestText(low) + " to " + shortestText(high);
}

bool inRange(double value, double low, double high) {
  return value >= low && value <= high;
}

}  // namespace

std::string checkSercelSynthOptions(const SercelSynthOptions& o) {
  if (!inRange(o.seismicTraces, 1, kMaxChannelsPerSet))
    return outOfRange("seismic trace count", 1, kMaxChannelsPerSet);
  if (!inRange(o.auxTraces, 0, 99)) return outOfRange("auxiliary trace count", 0, 99);
  if (!inRange(o.samplesPerTrace, 1, 999999)) return outOfRange("samples per trace", 1, 999999);
  if (baseScanIntervalCode(o.sampleIntervalMs) == 0)
    return "sample interval must be 0.25, 0.5, 1, 2 or 4 ms";
  if (!inRange(o.fileNumber, 1, 9999)) return outOfRange("file number", 1, 9999);
  if (!inRange(o.receiverLines, 1, 99)) return outOfRange("receiver line count", 1, 99);
  if (!inRange(o.tiltErrorTraces, 0, o.seismicTraces))
    return outOfRange("tilt error trace count", 0, o.seismicTraces);
  if (!inRange(o.tapeNumber, 0, 9999)) return outOfRange("tape number", 0, 9999);
  if (!inRange(o.clock.year, 0, 99) || !inRange(o.clock.dayOfYear, 1, 366) ||
      !inRange(o.clock.hour, 0, 23) || !inRange(o.clock.minute, 0, 59) ||
      !inRange(o.clock.second, 0, 59))
    return "record date or time out of range";
  if (!inRange(o.sourceLine, 0, 999999) || !inRange(o.sourcePoint, 0, 999999))
    return "source line and point must be from 0 to 999999";
  if (!inRange(o.upholeTimeMs, 0, 9999)) return outOfRange("uphole time", 0, 9999);
  const SpreadLayout spread = sercelSpreadOf(o);
  const Receiver last = receiverAt(spread, o.seismicTraces - 1);
  if (spread.firstLineNumber < 0 || spread.firstPointNumber < 0 || last.line > 0xFFFFFF ||
      spread.firstPointNumber + receiversPerLine(spread) > 0xFFFFFF)
    return "receiver line and point numbers do not fit the record";
  return {};
}

ReceiverTest receiverTestFor(const SercelSynthOptions& o, int s) {
  NoiseSource noise(o.seed * 7919u + static_cast<std::uint32_t>(s));
  ReceiverTest t;
  t.resistanceLowLimit = kResistanceLowLimit;
  t.resistanceHighLimit = kResistanceHighLimit;
  t.capacitanceLowLimit = kCapacitanceLowLimit;
  t.capacitanceHighLimit = kCapacitanceHighLimit;
  t.tiltLimit = kTiltLimit;
  t.leakageLimit = kLeakageLimit;
  t.resistance = between(noise, 360, 440);
  t.capacitance = between(noise, 92, 108);
  t.tilt = between(noise, 0.2, 4);
  t.leakage = between(noise, 8, 30);

  auto resistanceHigh = [&] {
    t.resistance = between(noise, 560, 900);
    t.resistanceError = 1;
  };
  auto resistanceLow = [&] {
    t.resistance = between(noise, 60, 200);
    t.resistanceError = 1;
  };
  auto capacitanceHigh = [&] {
    t.capacitance = between(noise, 130, 180);
    t.capacitanceError = 1;
  };
  auto capacitanceLow = [&] {
    t.capacitance = between(noise, 20, 60);
    t.capacitanceError = 1;
  };
  auto tiltOver = [&] {
    t.tilt = between(noise, 11, 25);
    t.tiltError = 1;
  };
  auto leakageLow = [&] {
    t.leakage = between(noise, 0.05, 0.8);
    t.leakageError = 1;
  };
  const bool evenCycle = ((s - 1) / 20) % 2 == 0;
  switch ((s - 1) % 20 + 1) {
    case 14:
      resistanceHigh();
      break;
    case 15:
      resistanceLow();
      break;
    case 16:
      evenCycle ? capacitanceHigh() : capacitanceLow();
      break;
    case 17:
      tiltOver();
      break;
    case 18:
      leakageLow();
      break;
    case 19:
      if (evenCycle) {
        resistanceHigh();
        tiltOver();
      } else {
        capacitanceLow();
        leakageLow();
      }
      break;
    default:
      break;
  }
  if (s <= o.tiltErrorTraces && t.tiltError == 0) tiltOver();
  return t;
}

SpreadLayout sercelSpreadOf(const SercelSynthOptions& o) {
  SpreadLayout spread = o.spread;
  spread.receiverCount = o.seismicTraces;
  spread.lines = o.receiverLines;
  return spread;
}

std::vector<float> sercelTraceSamples(const SercelSynthOptions& o, int t) {
  std::vector<float> out(static_cast<std::size_t>(std::max(0, o.samplesPerTrace)), 0.0f);
  NoiseSource noise(o.seed * 1000003u + static_cast<std::uint32_t>(t));
  const double dt = o.sampleIntervalMs / 1000.0;
  if (t == 1 && o.auxTraces >= 1) {
    synthesiseTimeBreakTrace(dt, out, noise);
  } else if (t == 2 && o.auxTraces >= 2) {
    synthesiseUpholeTrace(o.upholeTimeMs / 1000.0, dt, out, noise);
  } else if (t <= o.auxTraces) {
    for (float& v : out) v = static_cast<float>(0.001 * noise.gaussian());
  } else {
    const SpreadLayout spread = sercelSpreadOf(o);
    const Receiver r = receiverAt(spread, t - o.auxTraces - 1);
    const Position s = spreadCentre(spread);
    synthesiseSeismicTrace(o.model, std::hypot(r.east - s.east, r.north - s.north), dt, out, noise);
  }
  return out;
}

bool writeSercelRecord(const SercelSynthOptions& o, const ByteSink& sink) {
  const GeneralHeaderValues general = generalHeaderValues(o);
  std::vector<std::uint8_t> headers;
  const auto append = [&headers](std::span<const std::uint8_t> bytes) {
    headers.insert(headers.end(), bytes.begin(), bytes.end());
  };
  Block32 block1 = generalHeaderBlock1(general);
  // External header blocks: block 2's count holds them.
  block1[segd_layout::gh1::kExternalHeaderBlocks.offset()] = 0xFF;
  append(block1);
  append(generalHeaderBlock2(general));
  append(generalHeaderBlock3(o.fileNumber, o.sourceLine, o.sourcePoint));
  for (const Block32& descriptor : channelSetDescriptors(o)) append(descriptor);
  append(extendedHeader(o));
  append(externalHeaderBytes(externalHeaderText(o), kExternalHeaderBlocks));
  if (!sink(headers)) return false;

  std::vector<std::uint8_t> trace;
  for (int t = 1; t <= totalTraces(o); ++t) {
    const bool aux = t <= o.auxTraces;
    TraceHeaderValues header;
    header.fileNumber = o.fileNumber;
    header.channelSet = aux || o.auxTraces == 0 ? 1 : 2;
    header.traceNumber = aux ? t : t - o.auxTraces;
    header.traceHeaderExtensions = kExtensionBlocks;
    const std::vector<float> samples = sercelTraceSamples(o, t);
    trace.clear();
    const auto traceHeader = demuxTraceHeader(header);
    trace.insert(trace.end(), traceHeader.begin(), traceHeader.end());
    for (const Block32& block : extensionBlocks(o, t, samples))
      trace.insert(trace.end(), block.begin(), block.end());
    appendBigFloats(trace, samples);
    if (!sink(trace)) return false;
  }
  return true;
}

std::vector<std::uint8_t> sercelRecordBytes(const SercelSynthOptions& options) {
  std::vector<std::uint8_t> out;
  writeSercelRecord(options, [&out](Bytes bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
  });
  return out;
}

std::string writeSercelRecords(const std::filesystem::path& path, const SercelSynthOptions& options,
                               std::span<const int> fileNumbers) {
  std::vector<SercelSynthOptions> records;
  if (fileNumbers.empty()) records.push_back(options);
  for (std::size_t k = 0; k < fileNumbers.size(); ++k) {
    SercelSynthOptions record = options;
    record.fileNumber = fileNumbers[k];
    record.seed = options.seed + static_cast<std::uint32_t>(k);
    records.push_back(record);
  }
  for (const SercelSynthOptions& record : records) {
    if (std::string problem = checkSercelSynthOptions(record); !problem.empty()) return problem;
  }
  base::AtomicFileWriter writer(path);
  for (const SercelSynthOptions& record : records) {
    if (!writeSercelRecord(record, [&writer](Bytes bytes) { return writer.write(bytes); })) break;
  }
  writer.commit();
  return writer.error();
}

}  // namespace vorax::decode::synth
