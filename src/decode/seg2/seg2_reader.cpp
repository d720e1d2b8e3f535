#include "decode/seg2/seg2_reader.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <system_error>

#include "decode/problem_list.h"
#include "decode/sample_converters.h"
#include "decode/seg2/seg2_record_fill.h"
#include "decode/seg2/seg2_samples.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kFileHeaderBytes = 32;
constexpr std::uint64_t kTraceHeaderBytes = 32;

class FileView {
 public:
  FileView(Bytes bytes, bool littleEndian) : bytes_(bytes), little_(littleEndian) {}
  std::uint64_t size() const { return bytes_.size(); }
  std::uint8_t byte(std::uint64_t offset) const { return offset < size() ? bytes_[offset] : 0; }
  std::uint64_t word(std::uint64_t offset) const { return read(offset, 2); }
  std::uint64_t dword(std::uint64_t offset) const { return read(offset, 4); }
  // The bytes [begin, end) clipped to the file.
  Bytes range(std::uint64_t begin, std::uint64_t end) const {
    begin = std::min(begin, size());
    end = std::clamp(end, begin, size());
    return bytes_.subspan(begin, end - begin);
  }
  bool littleEndian() const { return little_; }

 private:
  std::uint64_t read(std::uint64_t offset, std::size_t count) const {
    if (offset >= size()) return 0;
    return little_ ? littleUnsigned(bytes_, offset, count) : bigUnsigned(bytes_, offset, count);
  }
  Bytes bytes_;
  bool little_;
};

// Walks the strings of a descriptor between `begin` and `end`: each is a two-byte length
// (counting itself) followed by its text; a length of 0 ends the list. Each string's bytes go
// to `decode`; its text without terminator and padding is returned.
std::vector<std::string> walkStrings(const FileView& file, std::uint64_t begin, std::uint64_t end,
                                     const std::function<void(Bytes)>& decode,
                                     const std::string& where, Problems& problems) {
  std::vector<std::string> texts;
  std::uint64_t pos = begin;
  while (pos + 2 <= end) {
    std::uint64_t length = file.word(pos);
    if (length == 0) break;
    if (length < 2 || pos + length > end) {
      problems.add(where + ": string at byte " + std::to_string(pos) + " of " +
                   std::to_string(length) + " bytes runs past the end of its block");
      break;
    }
    Bytes string = file.range(pos, pos + length);
    decode(string);
    std::string text(string.begin() + 2, string.end());
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 0x20 && text.back() != '\n')
      text.pop_back();
    texts.push_back(std::move(text));
    pos += length;
  }
  return texts;
}

// A trace whose descriptor lies in the file, before the overlap check.
struct Candidate {
  std::size_t pointerIndex = 0;
  std::uint64_t offset = 0;
  std::uint64_t end = 0;  // one past its descriptor and the part of its data block in the file
  std::uint64_t dataOffset = 0;
  int format = 0;
  std::uint64_t samples = 0;
  Seg2TraceHeaderFields header;
};

std::string traceLabel(std::size_t pointerIndex) {
  return "Trace " + std::to_string(pointerIndex + 1);
}

// Checks one trace pointer; on success returns its candidate.
std::optional<Candidate> locateTrace(const FileView& file, std::size_t index, std::uint64_t pointer,
                                     std::uint64_t headerEnd, std::string_view byteOrderFlag,
                                     Problems& problems) {
  const std::string label = traceLabel(index);
  if (pointer < headerEnd) {
    problems.add(label + ": pointer " + std::to_string(pointer) +
                 " points into the file header or the trace pointer sub-block");
    return std::nullopt;
  }
  if (pointer + kTraceHeaderBytes > file.size()) {
    problems.add(label + ": descriptor at byte " + std::to_string(pointer) +
                 " lies outside the file of " + std::to_string(file.size()) + " bytes");
    return std::nullopt;
  }
  Candidate c;
  c.pointerIndex = index;
  c.offset = pointer;
  if (DECODESEG2TRACEHEADER(file.range(pointer, pointer + kTraceHeaderBytes), byteOrderFlag,
                            c.header) != 0) {
    problems.add(label + " at byte " + std::to_string(pointer) + ": " +
                 std::string(c.header.message.trimmed()));
    return std::nullopt;
  }
  const std::uint64_t blockSize = file.word(pointer + 2);
  const std::uint64_t dataSize = file.dword(pointer + 4);
  const std::uint64_t declared = file.dword(pointer + 8);
  c.format = static_cast<int>(file.byte(pointer + 12));
  if (blockSize < kTraceHeaderBytes || pointer + blockSize > file.size()) {
    problems.add(label + ": descriptor block of " + std::to_string(blockSize) + " bytes at byte " +
                 std::to_string(pointer) +
                 (blockSize < kTraceHeaderBytes ? " is shorter than 32 bytes"
                                                : " runs past the end of the file"));
    return std::nullopt;
  }
  c.dataOffset = pointer + blockSize;
  const std::uint64_t dataInFile = std::min(dataSize, file.size() - c.dataOffset);
  if (dataInFile < dataSize)
    problems.add(label + ": data block of " + std::to_string(dataSize) + " bytes at byte " +
                 std::to_string(c.dataOffset) + " runs past the end of the file");
  if (seg2DataBytes(c.format, declared) > dataSize)
    problems.add(label + ": data block of " + std::to_string(dataSize) +
                 " bytes is too short for the " + std::to_string(declared) + " samples declared");
  c.samples = std::min(declared, seg2SamplesIn(c.format, dataInFile));
  c.end = c.dataOffset + dataInFile;
  return c;
}

// Drops every candidate that begins inside an earlier one (by file position); keeps the
// pointer order of the rest.
std::vector<Candidate> withoutOverlaps(std::vector<Candidate> candidates, Problems& problems) {
  std::vector<Candidate> sorted = candidates;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Candidate& a, const Candidate& b) { return a.offset < b.offset; });
  std::vector<Candidate> kept;
  for (const Candidate& c : sorted) {
    if (!kept.empty() && c.offset < kept.back().end) {
      problems.add(traceLabel(c.pointerIndex) + " at byte " + std::to_string(c.offset) +
                   " overlaps " + traceLabel(kept.back().pointerIndex) + " (bytes " +
                   std::to_string(kept.back().offset) + " to " +
                   std::to_string(kept.back().end - 1) + ")");
      continue;
    }
    kept.push_back(c);
  }
  std::sort(kept.begin(), kept.end(),
            [](const Candidate& a, const Candidate& b) { return a.pointerIndex < b.pointerIndex; });
  return kept;
}

// The pointers of the trace pointer sub-block that lie in the file and in the sub-block.
std::vector<std::uint64_t> tracePointers(const FileView& file, std::uint64_t blockSize,
                                         std::uint64_t traceCount, Problems& problems) {
  if (kFileHeaderBytes + blockSize > file.size())
    problems.add("The trace pointer sub-block of " + std::to_string(blockSize) +
                 " bytes runs past the end of the file");
  std::uint64_t count = traceCount;
  if (4 * count > blockSize) {
    problems.add(std::to_string(traceCount) +
                 " trace pointers do not fit in the trace pointer sub-block of " +
                 std::to_string(blockSize) + " bytes");
    count = blockSize / 4;
  }
  const std::uint64_t inFile =
      file.size() > kFileHeaderBytes ? (file.size() - kFileHeaderBytes) / 4 : 0;
  count = std::min(count, inFile);
  std::vector<std::uint64_t> pointers;
  for (std::uint64_t i = 0; i < count; ++i)
    pointers.push_back(file.dword(kFileHeaderBytes + 4 * i));
  return pointers;
}

// Terminator text of `count` characters from the file header's two terminator bytes.
std::string terminatorText(Bytes file) {
  std::size_t count = std::min<std::size_t>(byteAt(file, 8), 2);
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text.push_back(static_cast<char>(byteAt(file, 9 + i)));
  return text;
}

// The trace's DESCALING_FACTOR (stored value x factor = value in the recorded unit); 1 when the
// descriptor gives none or gives no usable number.
float descalingFactorOf(const Seg2Trace& trace) {
  const double factor = seg2Number(trace.descriptor.descalingFactor.view());
  return std::isfinite(factor) && factor != 0 ? static_cast<float>(factor) : 1.0f;
}

// Converts each trace's samples into the record and normalises it to peak 1; the amplitude
// scale is the largest absolute value as stored, and the trace's divisor that peak times the
// descaling factor, so that normalised x divisor is the recorded value. Non-finite samples are
// kept but do not count towards the peak.
void loadSamples(const FileView& file, const std::vector<Candidate>& traces,
                 const Seg2Headers& headers, SegdRecord& record) {
  for (std::size_t i = 0; i < traces.size(); ++i) {
    const Candidate& c = traces[i];
    const auto t = static_cast<std::int32_t>(i + 1);
    std::span<float> out = record.samples.trace(t);
    const std::size_t count = std::min<std::uint64_t>(
        c.samples, static_cast<std::uint64_t>(record.samples.samplesPerTrace()));
    convertSeg2Samples(file.range(c.dataOffset, c.end), c.format, file.littleEndian(),
                       out.first(count));
    const float peak = largestFiniteMagnitude(out.first(count));
    if (peak > 0) {
      for (std::size_t s = 0; s < count; ++s) out[s] /= peak;
    }
    TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
    info.amplitudeScale = peak;
    if (peak > 0)
      record.traceDivisor[static_cast<std::size_t>(t)] =
          peak * descalingFactorOf(headers.traces[i]);
    info.peakSampleIndex = peakSampleIndex(out.first(count));
  }
}

// The longest trace's sample count, capped so that the padded sample array stays bounded.
std::int32_t samplesPerTrace(const std::vector<Candidate>& traces, std::uint64_t fileBytes,
                             Problems& problems) {
  std::uint64_t longest = 0;
  for (const Candidate& c : traces) longest = std::max(longest, c.samples);
  const std::uint64_t perTraceLimit =
      std::max<std::uint64_t>(paddedSampleLimit(fileBytes) / (traces.size() + 1), 1) - 1;
  if (longest > perTraceLimit) {
    problems.add("Traces differ too much in length: samples per trace limited to " +
                 std::to_string(perTraceLimit) + " of " + std::to_string(longest));
    longest = perTraceLimit;
  }
  return static_cast<std::int32_t>(std::min<std::uint64_t>(longest, INT32_MAX - 1));
}

void checkSampleIntervals(const Seg2Headers& headers, Problems& problems) {
  if (headers.traces.empty()) return;
  const double first = seg2Number(headers.traces.front().descriptor.sampleInterval.view());
  if (first <= 0) {
    problems.add("The first trace gives no SAMPLE_INTERVAL: the sample interval is unknown");
    return;
  }
  for (std::size_t i = 1; i < headers.traces.size(); ++i) {
    if (seg2Number(headers.traces[i].descriptor.sampleInterval.view()) != first) {
      problems.add("Traces differ in SAMPLE_INTERVAL: the first trace's is used");
      return;
    }
  }
}

}  // namespace

bool isSeg2(Bytes firstBytes) {
  return firstBytes.size() >= 2 && ((firstBytes[0] == 0x55 && firstBytes[1] == 0x3A) ||
                                    (firstBytes[0] == 0x3A && firstBytes[1] == 0x55));
}

bool readSeg2(Bytes bytes, SegdRecord& record, Seg2Headers& headers, MessageSink& messages) {
  headers = Seg2Headers{};
  if (DECODESEG2FILEHEADER(bytes.first(std::min<std::size_t>(bytes.size(), kFileHeaderBytes)),
                           headers.fileHeader) != 0) {
    messages.show(headers.fileHeader.message.trimmed(), false);
    return false;
  }
  const FileView file(bytes, headers.fileHeader.byteOrderFlag == "1");
  const std::string terminator = terminatorText(bytes);
  const std::uint64_t pointerBlockSize = file.word(4);
  const std::uint64_t headerEnd = kFileHeaderBytes + pointerBlockSize;
  Problems problems;

  std::vector<Candidate> candidates;
  const std::vector<std::uint64_t> pointers =
      tracePointers(file, pointerBlockSize, file.word(6), problems);
  for (std::size_t i = 0; i < pointers.size(); ++i) {
    if (auto c = locateTrace(file, i, pointers[i], headerEnd,
                             headers.fileHeader.byteOrderFlag.view(), problems))
      candidates.push_back(*c);
  }
  const std::vector<Candidate> traces = withoutOverlaps(std::move(candidates), problems);

  std::uint64_t stringsEnd = file.size();
  for (const Candidate& c : traces) stringsEnd = std::min(stringsEnd, c.offset);
  headers.fileStrings = walkStrings(
      file, headerEnd, stringsEnd,
      [&](Bytes s) { DECODESEG2FILEDESCRIPTOR(s, terminator, headers.fileDescriptor); },
      "File descriptor", problems);
  for (const Candidate& c : traces) {
    Seg2Trace& trace = headers.traces.emplace_back();
    trace.offset = c.offset;
    trace.header = c.header;
    trace.strings = walkStrings(
        file, c.offset + kTraceHeaderBytes, c.dataOffset,
        [&](Bytes s) { DECODESEG2TRACEDESCRIPTOR(s, terminator, trace.descriptor); },
        traceLabel(c.pointerIndex) + " descriptor", problems);
  }

  if (traces.empty()) {
    problems.add("No readable trace in this SEG-2 file");
    problems.showTo(messages);
    return false;
  }
  const std::int32_t ns = samplesPerTrace(traces, file.size(), problems);
  checkSampleIntervals(headers, problems);

  record = SegdRecord{};
  const auto traceCount = static_cast<std::int32_t>(traces.size());
  record.samples.reset(traceCount, ns);
  record.traceInfo.assign(traces.size() + 1, TraceHeaderInfo{});
  record.traceDivisor.assign(traces.size() + 1, 1.0f);
  for (std::int32_t t = 1; t <= traceCount; ++t) {
    Seg2Trace& trace = headers.traces[static_cast<std::size_t>(t - 1)];
    trace.samplesLoaded = static_cast<std::int32_t>(std::min<std::uint64_t>(
        traces[static_cast<std::size_t>(t - 1)].samples, static_cast<std::uint64_t>(ns)));
    fillSeg2TraceInfo(trace, t, record.traceInfo[static_cast<std::size_t>(t)]);
  }
  loadSamples(file, traces, headers, record);
  record.lineRuns = buildLineRuns(record.traceInfo, traceCount);
  fillSeg2Summary(headers, ns, record);
  problems.showTo(messages);
  return true;
}

Seg2FileResult readSeg2File(const std::filesystem::path& path, SegdRecord& record,
                            Seg2Headers& headers, MessageSink& messages) {
  Seg2FileResult result;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  std::ifstream in(path, std::ios::binary);
  if (error || !in) {
    result.error = "Cannot open " + path.string() + ": " +
                   (error ? error.message() : std::string("cannot be read"));
    return result;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  result.ok = readSeg2(bytes, record, headers, messages);
  if (result.ok) record.fileName = path.string();
  return result;
}

}  // namespace vorax::decode
