#include "decode/record_opener.h"

#include <array>

#include "decode/seg2/seg2_opener.h"
#include "decode/sercel/sercel_loader.h"
#include "decode/standard/standard_opener.h"
#include "decode/vorax/vorax_loader.h"

namespace vorax::decode {

namespace {

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

std::int32_t loadTraces(RecordFlavour flavour, std::int32_t firstTracePosition, RecordFile& file,
                        SegdRecord& record, const DecodedHeaders& headers, MessageSink& messages,
                        const OpenOptions& options) {
  switch (flavour) {
    case RecordFlavour::Vorax:
      return readtracesvorax(firstTracePosition, file, record, messages, options.progress,
                             options.earlyTraces);
    case RecordFlavour::Sercel408:
      // Only a Sercel record's channel sets are trusted to say how many blocks a trace has.
      return readtraces408(firstTracePosition, file, record, messages, options.progress,
                           headers.sercel.present ? sercelExtensionBlocks(headers.channelSets)
                                                  : kSercelExtensionBlocks,
                           options.earlyTraces, headers.channelSets);
    case RecordFlavour::Seg2:      // read whole by openSeg2
    case RecordFlavour::Standard:  // read whole by openStandardSegd
      break;
  }
  return 0;
}

}  // namespace

OpenResult openRecord(const std::filesystem::path& path, SegdRecord& record, MessageSink& messages,
                      const base::DebugLog& debugLog, const OpenOptions& options) {
  RecordFile::Opened opened = RecordFile::open(path);
  if (!opened.ok()) {
    OpenResult result;
    result.status = OpenStatus::FileError;
    result.error = opened.error;
    return result;
  }
  return openRecord(*opened.file, record, messages, debugLog, options);
}

OpenResult openRecord(RecordFile& file, SegdRecord& record, MessageSink& messages,
                      const base::DebugLog& debugLog, const OpenOptions& options) {
  if (startsAsSeg2(file)) return openSeg2(file, record, messages);
  if (startsAsText(file)) {
    OpenResult result;
    result.status = OpenStatus::FileError;
    result.error = std::filesystem::path(file.name()).filename().string() + kTextFileMessage;
    file.close();
    return result;
  }
  const bool standard = options.loader == LoaderChoice::Standard ||
                        (options.loader == LoaderChoice::Auto && startsAsStandardSegd(file));
  if (standard) return openStandardSegd(file, record, messages, debugLog, options);
  OpenResult result;
  result.firstTracePosition = readfileheaders(file, record, result.headers, messages, debugLog);
  if (result.firstTracePosition < 0) {
    result.status = OpenStatus::DecoderFatal;
    return result;
  }
  result.flavour = flavourOf(result.headers, options);
  record.flavour = result.flavour;
  if (options.loadTraces) {
    result.tracesRead = loadTraces(result.flavour, result.firstTracePosition, file, record,
                                   result.headers, messages, options);
  }
  file.close();
  result.status = OpenStatus::Ok;
  return result;
}

}  // namespace vorax::decode
