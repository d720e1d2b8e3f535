#include "decode/standard/standard_reader.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "decode/conversions.h"
#include "decode/problem_list.h"
#include "decode/sample_converters.h"
#include "decode/segd/segd_layout.h"
#include "decode/segd/segd_numbers.h"
#include "decode/standard/nodal_fields.h"
#include "decode/standard/standard_samples.h"
#include "decode/trace_workers.h"

namespace vorax::decode {

namespace {

using segd_layout::kTraceHeaderBytes;
constexpr std::uint64_t kExtensionBytes = segd_layout::kBlockBytes;
namespace th = segd_layout::trace_header;
namespace ext1 = segd_layout::extension1;

// Pieces of a record file, read on demand with positioned reads into one reused buffer.
class FileBytes {
 public:
  explicit FileBytes(RecordFile& file) : file_(file) {}
  std::uint64_t size() const { return file_.size(); }

  // The bytes [offset, offset + count) clipped to the file; valid until the next call.
  Bytes at(std::uint64_t offset, std::uint64_t count) {
    offset = std::min(offset, size());
    buffer_.resize(static_cast<std::size_t>(std::min(count, size() - offset)));
    buffer_.resize(file_.readAt(offset + 1, buffer_));
    return buffer_;
  }

 private:
  RecordFile& file_;
  std::vector<std::uint8_t> buffer_;
};

// Where one trace lies in the file and what its headers say.
struct TraceLocation {
  std::uint64_t dataOffset = 0;
  std::int64_t samples = 0;              // samples present in the file
  std::int64_t declaredSamples = 0;      // as the headers give them
  std::int64_t samplesInExtension1 = 0;  // 0 when extension 1 gives none
  const StandardChannelSet* channelSet = nullptr;
  int channelSetNumber = 0;
  int extensions = 0;
  std::int32_t traceNumber = 0;
  double receiverLine = 0;
  double receiverPoint = 0;
  int sensorType = 0;
  NodalTraceFields nodal;
};

// A receiver line or point number of trace header extension 1: three signed bytes, or, when
// they are all FF, the extended form of three integer bytes and a 16-bit fraction.
double receiverNumber(Bytes extension1, const FieldRow& number, const FieldRow& extended) {
  if (bigUnsigned(extension1, number.offset(), number.size()) != 0xFFFFFF)
    return static_cast<double>(signedBig(extension1, number.offset(), number.size()));
  return withFraction(extension1, extended.offset(), extended.size() - 2);
}

// The sample count of trace header extension 1 (its own field before revision 3 and from
// it); 0 when the trace has no extension or the field is blank.
std::int64_t samplesInExtension1(const StandardHeaders& headers, Bytes extension1, int extensions) {
  if (extensions < 1) return 0;
  const FieldRow& row =
      headers.revisionMajor >= 3 ? ext1::kSamplesPerTraceRev3 : ext1::kSamplesPerTrace;
  return static_cast<std::int64_t>(bigUnsigned(extension1, row.offset(), row.size()));
}

std::int64_t twoBcdBytes(Bytes header, std::size_t offset) {
  const int high = bcdByte(byteAt(header, offset));
  const int low = bcdByte(byteAt(header, offset + 1));
  return high < 0 || low < 0 ? 0 : high * 100 + low;
}

// Everything but the position from a trace's 20-byte header and its extensions
// (`headerAndExtensions`, as far as they are in the file).
void readTraceFields(const StandardHeaders& headers, NodalLayout layout, Bytes headerAndExtensions,
                     TraceLocation& trace) {
  const Bytes header = headerAndExtensions.first(
      std::min<std::size_t>(headerAndExtensions.size(), kTraceHeaderBytes));
  const Bytes extensions = headerAndExtensions.subspan(header.size());
  trace.extensions = byteAt(header, th::kTraceHeaderExtensions.offset());
  const int scanType = bcdByte(byteAt(header, th::kScanTypeNumber.offset()));
  const std::uint8_t channelSetByte = byteAt(header, th::kChannelSetNumber.offset());
  trace.channelSetNumber = channelSetByte == 0xFF
                               ? bigU16(header, th::kExtendedChannelSetNumber.offset())
                               : bcdByte(channelSetByte);
  trace.channelSet = headers.channelSet(scanType, trace.channelSetNumber);
  const std::size_t traceNumberAt = th::kTraceNumber.offset();
  const std::int64_t traceNumber = bigU16(header, traceNumberAt) == 0xFFFF
                                       ? signedBig(extensions, ext1::kExtendedTraceNumber.offset(),
                                                   ext1::kExtendedTraceNumber.size())
                                       : twoBcdBytes(header, traceNumberAt);
  trace.traceNumber = static_cast<std::int32_t>(traceNumber);
  if (trace.extensions >= 1) {
    trace.receiverLine =
        receiverNumber(extensions, ext1::kReceiverLineNumber, ext1::kExtendedReceiverLineNumber);
    trace.receiverPoint =
        receiverNumber(extensions, ext1::kReceiverPointNumber, ext1::kExtendedReceiverPointNumber);
    // The sensor type from revision 2 on; Fairfield's own revision 1.6 has it too.
    const bool hasSensorType = headers.revisionMajor >= 2 || layout == NodalLayout::Fairfield;
    trace.sensorType = hasSensorType ? byteAt(extensions, ext1::kSensorType.offset()) : 0;
  }
  trace.samplesInExtension1 = samplesInExtension1(headers, extensions, trace.extensions);
  const std::int64_t fromChannelSet = trace.channelSet != nullptr ? trace.channelSet->samples : 0;
  trace.declaredSamples = std::max<std::int64_t>(
      trace.samplesInExtension1 > 0 ? trace.samplesInExtension1 : fromChannelSet, 0);
  trace.nodal = readNodalTraceFields(layout, extensions, trace.extensions);
}

std::uint64_t headersBytesOf(const TraceLocation& trace) {
  return kTraceHeaderBytes + kExtensionBytes * static_cast<std::uint64_t>(trace.extensions);
}

class TraceWalk {
 public:
  TraceWalk(FileBytes& file, const StandardHeaders& headers, Problems& problems)
      : file_(file),
        headers_(headers),
        layout_(
            nodalLayoutOf(headers.manufacturerCode, headers.revisionMajor, headers.revisionMinor)),
        problems_(problems) {}

  std::vector<TraceLocation> run(std::uint64_t& endOfLastTrace) {
    std::vector<TraceLocation> traces;
    const std::int64_t declared = headers_.declaredTraces();
    std::uint64_t offset = headers_.firstTraceOffset;
    while (static_cast<std::int64_t>(traces.size()) < declared &&
           offset + kTraceHeaderBytes <= file_.size()) {
      TraceLocation trace;
      const std::uint64_t next = locate(offset, trace);
      traces.push_back(trace);
      if (next == 0) break;
      offset = next;
    }
    endOfLastTrace = traces.empty() ? headers_.firstTraceOffset : end_;
    if (static_cast<std::int64_t>(traces.size()) < declared)
      problems_.add("The file ends after " + std::to_string(traces.size()) + " of the " +
                    std::to_string(declared) + " traces its channel sets declare");
    return traces;
  }

 private:
  // Fills `trace` from the trace header at `offset`; returns the offset of the next trace
  // header, or 0 when this trace runs past the end of the file.
  std::uint64_t locate(std::uint64_t offset, TraceLocation& trace) {
    readTraceFields(headers_, layout_, headersAt(offset), trace);
    const std::int64_t declared = trace.declaredSamples;
    trace.dataOffset = offset + headersBytesOf(trace);
    const std::uint64_t bytes =
        standardSampleBytes(headers_.formatCode, static_cast<std::uint64_t>(declared));
    const std::uint64_t end = trace.dataOffset + bytes;
    if (end <= file_.size()) {
      trace.samples = declared;
      end_ = end;
      return end;
    }
    const std::uint64_t inFile =
        trace.dataOffset < file_.size() ? file_.size() - trace.dataOffset : 0;
    const std::uint64_t perSample =
        std::max<std::uint64_t>(standardSampleBytes(headers_.formatCode, 4) / 4, 1);
    trace.samples = static_cast<std::int64_t>(
        std::min<std::uint64_t>(inFile / perSample, static_cast<std::uint64_t>(declared)));
    end_ = file_.size();
    problems_.add("Trace at byte " + std::to_string(offset + 1) +
                  " is cut by the end of the file: " + std::to_string(trace.samples) + " of " +
                  std::to_string(declared) + " samples read");
    return 0;
  }

  // The trace header at `offset` and the extensions its byte 10 counts, as far as they are in
  // the file. They come in with as many extensions as the trace before had, so that one read
  // serves a trace unless the count changes.
  Bytes headersAt(std::uint64_t offset) {
    Bytes head = file_.at(offset, kTraceHeaderBytes + kExtensionBytes * lastExtensions_);
    lastExtensions_ = byteAt(head, th::kTraceHeaderExtensions.offset());
    const std::uint64_t bytes = kTraceHeaderBytes + kExtensionBytes * lastExtensions_;
    if (head.size() < bytes) head = file_.at(offset, bytes);
    return head.first(static_cast<std::size_t>(std::min<std::uint64_t>(head.size(), bytes)));
  }

  FileBytes& file_;
  const StandardHeaders& headers_;
  NodalLayout layout_;
  Problems& problems_;
  std::uint64_t end_ = 0;
  std::uint64_t lastExtensions_ = 0;
};

// Where the traces lie when each has the first trace's extensions and sample count, as the
// traces of most records do: at a fixed stride from the first, so that the workers can read
// them in large reads without a walk of the headers first.
struct UniformTraces {
  NodalLayout nodal = NodalLayout::None;
  TraceLocation first;
  std::uint64_t firstOffset = 0;
  std::uint64_t headerBytes = 0;
  std::uint64_t stride = 0;
  std::int64_t count = 0;
};

// Whether a trace's headers give it the same place in the stride as `first`'s.
bool sameShape(const TraceLocation& trace, const TraceLocation& first) {
  return trace.extensions == first.extensions && trace.declaredSamples == first.declaredSamples;
}

// The fields of the trace whose headers start at `offset`.
TraceLocation traceFieldsAt(FileBytes& file, const StandardHeaders& headers, NodalLayout layout,
                            std::uint64_t offset) {
  TraceLocation trace;
  trace.extensions =
      byteAt(file.at(offset, kTraceHeaderBytes), th::kTraceHeaderExtensions.offset());
  readTraceFields(headers, layout, file.at(offset, headersBytesOf(trace)), trace);
  return trace;
}

// The uniform layout the first trace predicts, when the file holds every declared trace at it
// and the last of them agrees; empty otherwise (the walk finds the places then).
std::optional<UniformTraces> predictUniformTraces(FileBytes& file, const StandardHeaders& headers) {
  UniformTraces uniform;
  uniform.nodal =
      nodalLayoutOf(headers.manufacturerCode, headers.revisionMajor, headers.revisionMinor);
  uniform.firstOffset = headers.firstTraceOffset;
  uniform.count = headers.declaredTraces();
  if (uniform.count < 1 || uniform.firstOffset + kTraceHeaderBytes > file.size()) return {};
  uniform.first = traceFieldsAt(file, headers, uniform.nodal, uniform.firstOffset);
  uniform.first.samples = uniform.first.declaredSamples;
  uniform.headerBytes = headersBytesOf(uniform.first);
  uniform.stride =
      uniform.headerBytes +
      standardSampleBytes(headers.formatCode, static_cast<std::uint64_t>(uniform.first.samples));
  const std::uint64_t inFile = file.size() - uniform.firstOffset;
  if (inFile / uniform.stride < static_cast<std::uint64_t>(uniform.count)) return {};
  const std::uint64_t lastOffset =
      uniform.firstOffset + static_cast<std::uint64_t>(uniform.count - 1) * uniform.stride;
  if (!sameShape(traceFieldsAt(file, headers, uniform.nodal, lastOffset), uniform.first)) return {};
  return uniform;
}

std::string channelSetList(const std::set<int>& numbers) {
  std::string text;
  for (int n : numbers) text += (text.empty() ? "" : ", ") + std::to_string(n);
  return text;
}

// Warns when traces differ in length or sample interval, naming the channel sets.
void checkChannelSets(const std::vector<TraceLocation>& traces, std::int64_t longest,
                      double intervalUs, Problems& problems) {
  std::set<int> shorter;
  std::set<int> otherInterval;
  for (const TraceLocation& t : traces) {
    if (t.samples < longest) shorter.insert(t.channelSetNumber);
    if (t.channelSet != nullptr && t.channelSet->sampleIntervalUs != intervalUs)
      otherInterval.insert(t.channelSetNumber);
  }
  if (!shorter.empty())
    problems.add("Channel sets " + channelSetList(shorter) +
                 " hold fewer samples than the longest trace (" + std::to_string(longest) +
                 "): their traces are padded with zeros");
  if (!otherInterval.empty())
    problems.add("Channel sets " + channelSetList(otherInterval) +
                 " have another sample interval than " + std::to_string(intervalUs) +
                 " us: they are shown at that interval");
}

// The record's sample interval: that of the first seismic channel set holding traces, else the
// first channel set's.
double recordIntervalUs(const StandardHeaders& headers) {
  for (const StandardChannelSet& cs : headers.channelSets) {
    if (cs.seismic() && cs.sampleIntervalUs > 0) return cs.sampleIntervalUs;
  }
  return headers.channelSets.empty() ? 0 : headers.channelSets.front().sampleIntervalUs;
}

// The sensor type of trace header extension 1, byte 21: the kind and, for geophones and
// accelerometers, the component: Z vertical, H1 horizontal in-line, H2 horizontal cross-line,
// H horizontal in another direction.
const char* sensorKindText(int sensorType) {
  switch (sensorType) {
    case 1:
      return "Hydro";
    case 2:
      return "Geoph Z";
    case 3:
      return "Geoph H1";
    case 4:
      return "Geoph H2";
    case 5:
      return "Geoph H";
    case 6:
      return "Accel Z";
    case 7:
      return "Accel H1";
    case 8:
      return "Accel H2";
    case 9:
      return "Accel H";
    default:
      return "";
  }
}

void fillTraceInfo(const TraceLocation& t, TraceHeaderInfo& info) {
  info.receiverLine = static_cast<float>(t.receiverLine);
  info.receiverPoint = static_cast<float>(t.receiverPoint);
  info.channelKind = t.channelSet != nullptr && !t.channelSet->seismic() ? "Aux" : "Seis";
  info.sensorKind = sensorKindText(t.sensorType);
  info.channelNumber = t.traceNumber;
  const NodalTraceFields& nodal = t.nodal;
  info.receiverX = nodal.receiverX.value_or(0);
  info.receiverY = nodal.receiverY.value_or(0);
  info.receiverZ = static_cast<float>(nodal.receiverZ.value_or(0));
  info.unitSerialNumber = nodal.unitSerialNumber.value_or(0);
  info.startTimeUtcUs = nodal.startTimeUtcUs;
  info.latitude = nodal.latitude;
  info.longitude = nodal.longitude;
}

// Each channel set's sample count as its first trace whose extension 1 gives one says, so
// that the channel set and its traces agree: the descriptor's start and end times alone
// count one sample more than some recorders write.
void countChannelSetSamples(const std::vector<TraceLocation>& traces, StandardHeaders& headers) {
  for (StandardChannelSet& cs : headers.channelSets) {
    const auto own = std::find_if(traces.begin(), traces.end(), [&](const TraceLocation& t) {
      return t.channelSet == &cs && t.samplesInExtension1 > 0;
    });
    if (own != traces.end()) cs.samples = own->samplesInExtension1;
  }
}

std::string twoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", std::clamp(value, 0, 99));
  return text;
}

void fillSummary(const StandardHeaders& h, const std::vector<TraceLocation>& traces,
                 std::int32_t ns, double intervalUs, SegdRecord& record) {
  RecordSummary& s = record.summary;
  s.fileNumber = std::to_string(std::clamp<std::int64_t>(h.fileNumber, 0, 9999));
  s.recordDate = datefromjulian(std::max(h.year, 0), std::max(h.dayOfYear, 1));
  s.recordTime = twoDigits(h.hour) + ":" + twoDigits(h.minute) + ":" + twoDigits(h.second);
  s.sampleIntervalUs = static_cast<float>(intervalUs);
  s.samplesPerTrace = ns;
  s.recordType = "Type " + std::to_string(h.recordType);
  s.sourceLine = static_cast<float>(h.sourceLine);
  s.sourcePoint = static_cast<float>(h.sourcePoint);
  s.traceCount = static_cast<std::int32_t>(traces.size());
  const auto located = std::find_if(traces.begin(), traces.end(), [](const TraceLocation& t) {
    return t.nodal.latitude && t.nodal.longitude;
  });
  if (located != traces.end()) {
    s.gpsLatitude = located->nodal.latitude;
    s.gpsLongitude = located->nodal.longitude;
  }
  for (std::size_t i = 0; i < traces.size(); ++i) {
    const bool seismic = traces[i].channelSet == nullptr || traces[i].channelSet->seismic();
    if (!seismic) {
      ++s.auxTraceCount;
      continue;
    }
    if (s.seismicTraceCount++ == 0) {
      s.firstReceiverLine = static_cast<std::int32_t>(traces[i].receiverLine);
      s.firstReceiverPoint = static_cast<std::int32_t>(traces[i].receiverPoint);
    }
  }
  s.extendedHeaderStatus = "SEG-D rev " + std::to_string(h.revisionMajor) + "." +
                           std::to_string(h.revisionMinor) + ", format " +
                           std::to_string(h.formatCode);
  record.sampleIntervalMs = s.sampleIntervalUs / 1000;
  record.recordLengthMs = record.sampleIntervalMs * static_cast<float>(std::max(ns - 1, 0));
}

// Trace t's samples, normalised to a peak of 1 (a dead trace kept as read, scale 0), their
// divisor and the trace attributes, from the trace's sample bytes.
void decodeTrace(const StandardHeaders& headers, const TraceLocation& t, std::int32_t number,
                 Bytes sampleBytes, SegdRecord& record) {
  const auto count =
      static_cast<std::size_t>(std::min<std::int64_t>(t.samples, record.samples.samplesPerTrace()));
  const std::span<float> out = record.samples.trace(number).first(count);
  const SamplePeak found = convertStandardSamplesToPeak(sampleBytes, headers.formatCode, out);
  const float peak = found.magnitude;
  const float descale = t.channelSet != nullptr ? static_cast<float>(t.channelSet->descale) : 1.0f;
  if (peak > 0) divideSamples(out, peak);
  TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(number)];
  fillTraceInfo(t, info);
  info.amplitudeScale = peak;
  info.peakSampleIndex = peak > 0 ? found.index : 0;
  if (peak > 0) record.traceDivisor[static_cast<std::size_t>(number)] = peak * descale;
}

// Samples per trace the record holds: the longest trace's, unless the traces differ so much in
// length that padding them all would take far more memory than the file.
std::int64_t heldSamples(std::int64_t longest, std::size_t traces, std::uint64_t fileBytes,
                         Problems& problems) {
  const std::uint64_t limit =
      std::max<std::uint64_t>(paddedSampleLimit(fileBytes) / (traces + 1), 2) - 1;
  if (static_cast<std::uint64_t>(longest) <= limit) return longest;
  problems.add("Traces differ too much in length: samples per trace limited to " +
               std::to_string(limit) + " of " + std::to_string(longest));
  return static_cast<std::int64_t>(limit);
}

void sizeRecord(SegdRecord& record, std::size_t traces, std::int64_t samples) {
  record.samples.reset(static_cast<std::int32_t>(traces), static_cast<std::int32_t>(samples));
  record.traceInfo.assign(traces + 1, TraceHeaderInfo{});
  record.traceDivisor.assign(traces + 1, 1.0f);
}

// The sample bytes read of a trace of `samples` in a record holding `held` per trace.
std::uint64_t sampleBytesRead(const StandardHeaders& headers, std::int64_t samples,
                              std::int64_t held) {
  return standardSampleBytes(headers.formatCode,
                             static_cast<std::uint64_t>(std::min(samples, held)));
}

// The samples of every trace, decoded on the workers from the places the walk found.
void loadWalkedTraces(RecordFile& file, const StandardHeaders& headers,
                      const std::vector<TraceLocation>& traces, SegdRecord& record,
                      const ProgressCallback& progress) {
  const std::int64_t held = record.samples.samplesPerTrace();
  std::vector<TracePlace> places(traces.size());
  for (std::size_t i = 0; i < traces.size(); ++i)
    places[i] = {traces[i].dataOffset + 1, sampleBytesRead(headers, traces[i].samples, held)};
  TraceLayout layout;
  layout.traces = static_cast<std::int32_t>(traces.size());
  layout.places = places;
  decodeTracesOnWorkers(
      file, layout,
      [&](std::int32_t t, Bytes, Bytes sampleBytes) {
        decodeTrace(headers, traces[static_cast<std::size_t>(t - 1)], t, sampleBytes, record);
      },
      progress, record);
}

// The traces at the places `uniform` predicts, each trace's headers read and checked against
// the first's by the worker that decodes it. False when one disagrees: the loading stops at
// the next block, and what it left in `traces`, `record` and `problems` is to be dropped.
bool loadUniformTraces(RecordFile& file, const StandardHeaders& headers,
                       const UniformTraces& uniform, std::vector<TraceLocation>& traces,
                       SegdRecord& record, Problems& problems, const ProgressCallback& progress) {
  traces.assign(static_cast<std::size_t>(uniform.count), TraceLocation{});
  const std::int64_t held =
      heldSamples(uniform.first.samples, traces.size(), file.size(), problems);
  sizeRecord(record, traces.size(), held);
  const std::uint64_t sampleBytes = sampleBytesRead(headers, uniform.first.samples, held);
  std::vector<TracePlace> places(traces.size());
  for (std::size_t i = 0; i < places.size(); ++i)
    places[i] = {uniform.firstOffset + i * uniform.stride + 1, sampleBytes};
  TraceLayout layout;
  layout.headerBytes = uniform.headerBytes;
  layout.traces = static_cast<std::int32_t>(traces.size());
  layout.places = places;
  std::atomic<bool> differs{false};
  decodeTracesOnWorkers(
      file, layout,
      [&](std::int32_t t, Bytes headerBytes, Bytes samples) {
        const auto i = static_cast<std::size_t>(t - 1);
        TraceLocation& trace = traces[i];
        readTraceFields(headers, uniform.nodal, headerBytes, trace);
        if (!sameShape(trace, uniform.first)) {
          differs = true;
          return;
        }
        trace.dataOffset = places[i].position - 1 + uniform.headerBytes;
        trace.samples = trace.declaredSamples;
        decodeTrace(headers, trace, t, samples, record);
      },
      [&](int percent) { return !differs && (!progress || progress(percent)); }, record);
  return !differs;
}

// Reads the traces at the places the first trace predicts when every trace agrees, else at the
// places a walk of the headers finds. False when no trace lies in the file.
bool loadTraces(RecordFile& recordFile, FileBytes& file, const StandardHeaders& headers,
                std::vector<TraceLocation>& traces, SegdRecord& record, Problems& problems,
                std::uint64_t& endOfLastTrace, const ProgressCallback& progress) {
  // What the caller hears never goes back, though a trace that disagrees sends the loading
  // back to the first trace.
  int heard = 0;
  const ProgressCallback onward = [&](int percent) {
    heard = std::max(heard, percent);
    return !progress || progress(heard);
  };
  const std::optional<UniformTraces> uniform = predictUniformTraces(file, headers);
  if (uniform &&
      loadUniformTraces(recordFile, headers, *uniform, traces, record, problems, onward)) {
    endOfLastTrace =
        uniform->firstOffset + static_cast<std::uint64_t>(uniform->count) * uniform->stride;
    return true;
  }
  problems = Problems{};
  record = SegdRecord{};
  traces = TraceWalk(file, headers, problems).run(endOfLastTrace);
  if (traces.empty()) {
    problems.add("No trace of this record lies in the file");
    return false;
  }
  std::int64_t longest = 0;
  for (const TraceLocation& t : traces) longest = std::max(longest, t.samples);
  sizeRecord(record, traces.size(), heldSamples(longest, traces.size(), file.size(), problems));
  loadWalkedTraces(recordFile, headers, traces, record, onward);
  return true;
}

// The headers, from as few of the file's first bytes as they need.
std::string readHeaders(FileBytes& file, StandardHeaders& headers) {
  std::uint64_t wanted = 4096;
  for (;;) {
    std::uint64_t more = 0;
    const Bytes head = file.at(0, wanted);
    std::string error = readStandardHeaders(head, file.size(), headers, more);
    if (more == 0 || more <= head.size()) return error;
    wanted = more;
  }
}

}  // namespace

StandardReadResult readStandardSegd(RecordFile& recordFile, SegdRecord& record,
                                    StandardHeaders& headers, MessageSink& messages,
                                    const ProgressCallback& progress) {
  StandardReadResult result;
  FileBytes file(recordFile);
  if (std::string error = readHeaders(file, headers); !error.empty()) {
    messages.show(error, false);
    return result;
  }
  if (!isStandardSampleFormat(headers.formatCode)) {
    messages.show("Sample format " + std::to_string(headers.formatCode) +
                      " is not read: formats 8015, 8036, 8038, 8058 and 8080 are",
                  false);
    return result;
  }
  Problems problems;
  std::vector<TraceLocation> traces;
  SegdRecord loaded;
  // Memory a record without traces keeps for reuse (TraceSamples::clear) goes on to the
  // record loaded.
  if (record.samples.traceCount() == 0 && record.samples.samplesPerTrace() == 0)
    loaded.samples = std::move(record.samples);
  if (!loadTraces(recordFile, file, headers, traces, loaded, problems, result.endOfLastTrace,
                  progress)) {
    problems.showTo(messages);
    return result;
  }
  const double intervalUs = recordIntervalUs(headers);
  const std::int32_t ns = loaded.samples.samplesPerTrace();
  const auto traceCount = static_cast<std::int32_t>(traces.size());
  checkChannelSets(traces, ns, intervalUs, problems);
  countChannelSetSamples(traces, headers);
  loaded.lineRuns = buildLineRuns(loaded.traceInfo, traceCount);
  fillSummary(headers, traces, ns, intervalUs, loaded);
  record = std::move(loaded);
  problems.showTo(messages);
  result.ok = true;
  result.tracesRead = traceCount;
  return result;
}

}  // namespace vorax::decode
