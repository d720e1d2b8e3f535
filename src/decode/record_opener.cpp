#include "decode/record_opener.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>

#include "decode/seg2/seg2_opener.h"
#include "decode/sercel/sercel_loader.h"
#include "decode/standard/standard_opener.h"
#include "decode/trace_capacity.h"
#include "decode/vorax/vorax_loader.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kSampleBytes = 4;

// Whether `bytes` are text: tabs, line ends, form feeds and printable characters, with any
// byte above 0x7E part of a well-formed UTF-8 sequence (one cut by the end of `bytes` counts).
// Every SEG-D general header holds bytes below 0x20 (BCD zeros, binary counts), every SEG-2
// file starts with its identifier word, so a record never reads as text.
bool isText(std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t c = bytes[i];
    if (c == '\t' || c == '\n' || c == '\r' || c == '\f' || (c >= 0x20 && c < 0x7F)) continue;
    const std::size_t following = c >= 0xC2 && c <= 0xDF   ? 1
                                  : c >= 0xE0 && c <= 0xEF ? 2
                                  : c >= 0xF0 && c <= 0xF4 ? 3
                                                           : 0;
    if (following == 0) return false;
    for (std::size_t k = 1; k <= following && i + k < bytes.size(); ++k)
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
    i += following;
  }
  return true;
}

// A text file opened by mistake (a note, a log, an exported listing): its first 512 bytes.
bool startsAsText(const RecordFile& file) {
  std::array<std::uint8_t, 512> head{};
  const std::size_t got = file.readAt(1, head);
  return got > 0 && isText(std::span<const std::uint8_t>(head).first(got));
}

RecordFlavour flavourOf(const DecodedHeaders& headers, const OpenOptions& options) {
  switch (options.loader) {
    case LoaderChoice::Vorax:
      return RecordFlavour::Vorax;
    case LoaderChoice::Sercel408:
      return RecordFlavour::Sercel408;
    case LoaderChoice::Auto:
    case LoaderChoice::Standard:
      break;
  }
  return headers.sercel.present ? RecordFlavour::Sercel408 : RecordFlavour::Vorax;
}

// Extension blocks per trace the seven-block loader reads: only a Sercel record's channel sets
// are trusted to say how many a trace has.
std::size_t sevenBlockExtensions(const DecodedHeaders& headers) {
  return headers.sercel.present ? sercelExtensionBlocks(headers.channelSets)
                                : kSercelExtensionBlocks;
}

// The bytes before each trace's samples: its header and extension blocks.
std::uint64_t traceHeaderBytesOf(RecordFlavour flavour, const DecodedHeaders& headers) {
  if (flavour == RecordFlavour::Sercel408)
    return kTraceHeaderBytes + kExtensionBlockBytes * sevenBlockExtensions(headers);
  return kTraceHeaderBytes + kExtensionBlockBytes;
}

// A record's declared extent, from byte 1 of its first general header.
struct RecordExtent {
  std::uint64_t headerBytes = 0;       // before the first trace header
  std::uint64_t traceHeaderBytes = 0;  // before each trace's samples
  std::int32_t traces = 0;
  std::int32_t samplesPerTrace = 0;
  std::uint64_t bytes() const {
    return headerBytes + static_cast<std::uint64_t>(std::max(0, traces)) *
                             (traceHeaderBytes + kSampleBytes * static_cast<std::uint64_t>(
                                                                    std::max(0, samplesPerTrace)));
  }
};

RecordExtent extentOf(std::int32_t firstTracePosition, const SegdRecord& record,
                      const DecodedHeaders& headers, RecordFlavour flavour) {
  return {static_cast<std::uint64_t>(firstTracePosition - 1), traceHeaderBytesOf(flavour, headers),
          record.summary.traceCount, record.summary.samplesPerTrace};
}

// Where each record of the file starts (1-based), and the bytes after the last that start none.
struct RecordSequence {
  std::vector<std::uint64_t> starts;
  std::uint64_t trailingBytes = 0;
};

// The extent of the record starting at `position` of `walker`, read without messages; nullopt
// when no record of the flavours read here starts there.
std::optional<std::uint64_t> recordBytesAt(RecordFile& walker, std::uint64_t position,
                                           const OpenOptions& options) {
  walker.startAt(position);
  if (startsAsSeg2(walker) || startsAsText(walker)) return std::nullopt;
  if (options.loader == LoaderChoice::Auto && startsAsStandardSegd(walker)) return std::nullopt;
  SegdRecord record;
  DecodedHeaders headers;
  CollectingMessages unheard;
  const std::int32_t first = readfileheaders(walker, record, headers, unheard, base::DebugLog{});
  if (first < 0) return std::nullopt;
  return extentOf(first, record, headers, flavourOf(headers, options)).bytes();
}

// Walks the file from record to record, each found where the one before ends; `firstBytes`
// is record 1's extent when known already.
RecordSequence walkRecords(const RecordFile& file, const OpenOptions& options,
                           std::optional<std::uint64_t> firstBytes) {
  RecordSequence sequence{{1}, 0};
  if (firstBytes && *firstBytes >= file.size()) return sequence;  // the usual file: one record
  RecordFile::Opened walker = file.reopen();
  if (!walker.ok()) return sequence;
  const std::uint64_t end = walker.file->size() + 1;
  std::optional<std::uint64_t> bytes =
      firstBytes ? firstBytes : recordBytesAt(*walker.file, 1, options);
  for (std::uint64_t position = 1; bytes;) {
    position += *bytes;
    if (position >= end) break;  // the file ends with this record, or inside it
    bytes = recordBytesAt(*walker.file, position, options);
    if (bytes) {
      sequence.starts.push_back(position);
    } else {
      sequence.trailingBytes = end - position;
    }
  }
  return sequence;
}

OpenResult fileError(std::string error) {
  OpenResult result;
  result.status = OpenStatus::FileError;
  result.error = std::move(error);
  return result;
}

OpenResult noSuchRecord(RecordFile& file, std::size_t count, std::int32_t wanted) {
  file.close();
  return fileError(std::filesystem::path(file.name()).filename().string() + " holds " +
                   std::to_string(count) + (count == 1 ? " record" : " records") +
                   "; there is no record " + std::to_string(wanted));
}

std::int32_t loadTraces(RecordFlavour flavour, std::int32_t firstTracePosition, RecordFile& file,
                        SegdRecord& record, const DecodedHeaders& headers, MessageSink& messages,
                        const OpenOptions& options) {
  switch (flavour) {
    case RecordFlavour::Vorax:
      return readtracesvorax(firstTracePosition, file, record, messages, options.progress,
                             options.earlyTraces);
    case RecordFlavour::Sercel408:
      return readtraces408(firstTracePosition, file, record, messages, options.progress,
                           sevenBlockExtensions(headers), options.earlyTraces, headers.channelSets);
    case RecordFlavour::Seg2:      // read whole by openSeg2
    case RecordFlavour::Standard:  // read whole by openStandardSegd
      break;
  }
  return 0;
}

// The warning a loader gives for a file shorter than the record, when only the headers are
// read.
void warnIfShort(const RecordExtent& extent, const RecordFile& file, MessageSink& messages) {
  const std::uint64_t held =
      file.size() > extent.headerBytes ? file.size() - extent.headerBytes : 0;
  const TraceCapacity capacity =
      traceCapacity(extent.traces, extent.samplesPerTrace, extent.traceHeaderBytes, held);
  if (capacity.fileShort)
    messages.show(capacity.warning(extent.traces, extent.samplesPerTrace), false);
}

// A VORAX or Sercel record: the header driver, then the flavour's loader.
OpenResult openSegdRecord(RecordFile& file, SegdRecord& record, MessageSink& messages,
                          const base::DebugLog& debugLog, const OpenOptions& options) {
  RecordSequence sequence;
  std::uint64_t start = 1;
  if (options.record > 1) {
    sequence = walkRecords(file, options, std::nullopt);
    if (static_cast<std::size_t>(options.record) > sequence.starts.size())
      return noSuchRecord(file, sequence.starts.size(), options.record);
    start = sequence.starts[static_cast<std::size_t>(options.record - 1)];
    file.startAt(start);
  }
  OpenResult result;
  const std::int32_t firstTrace = readfileheaders(file, record, result.headers, messages, debugLog);
  result.firstTracePosition = firstTrace;
  if (firstTrace < 0) {
    result.status = OpenStatus::DecoderFatal;
    return result;
  }
  result.flavour = flavourOf(result.headers, options);
  record.flavour = result.flavour;
  const RecordExtent extent = extentOf(firstTrace, record, result.headers, result.flavour);
  if (options.record <= 1) sequence = walkRecords(file, options, extent.bytes());
  if (options.loadTraces) {
    result.tracesRead =
        loadTraces(result.flavour, firstTrace, file, record, result.headers, messages, options);
  } else {
    warnIfShort(extent, file, messages);
  }
  file.close();
  result.status = OpenStatus::Ok;
  result.recordCount = static_cast<std::int32_t>(sequence.starts.size());
  result.recordNumber = std::max(1, options.record);
  result.firstTracePosition = static_cast<std::int32_t>(
      std::min<std::uint64_t>(start - 1 + static_cast<std::uint64_t>(firstTrace), INT32_MAX));
  if (options.record == 0 && result.recordCount > 1)
    messages.show(severalRecordsMessage(result.recordCount), false);
  if (sequence.trailingBytes > 0) {
    messages.show("The file is longer than its headers declare: the " +
                      std::to_string(sequence.trailingBytes) +
                      " bytes after the last trace are not read.",
                  false);
  }
  return result;
}

}  // namespace

std::string severalRecordsMessage(std::int32_t count) {
  return "This file holds " + std::to_string(count) +
         " records; record 1 is shown (vorax split separates them)";
}

OpenResult openRecord(const std::filesystem::path& path, SegdRecord& record, MessageSink& messages,
                      const base::DebugLog& debugLog, const OpenOptions& options) {
  RecordFile::Opened opened = RecordFile::open(path);
  if (!opened.ok()) return fileError(opened.error);
  return openRecord(*opened.file, record, messages, debugLog, options);
}

OpenResult openRecord(RecordFile& file, SegdRecord& record, MessageSink& messages,
                      const base::DebugLog& debugLog, const OpenOptions& options) {
  const bool seg2 = startsAsSeg2(file);
  if (!seg2 && startsAsText(file)) {
    file.close();
    return fileError(std::filesystem::path(file.name()).filename().string() + kTextFileMessage);
  }
  const bool standard =
      !seg2 && (options.loader == LoaderChoice::Standard ||
                (options.loader == LoaderChoice::Auto && startsAsStandardSegd(file)));
  // A SEG-2 file and a standard record hold one record each here.
  if ((seg2 || standard) && options.record > 1) return noSuchRecord(file, 1, options.record);
  if (seg2) return openSeg2(file, record, messages);
  if (standard) return openStandardSegd(file, record, messages, debugLog, options);
  return openSegdRecord(file, record, messages, debugLog, options);
}

}  // namespace vorax::decode
