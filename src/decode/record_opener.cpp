#include "decode/record_opener.h"

#include "decode/seg2/seg2_opener.h"
#include "decode/sercel/sercel_loader.h"
#include "decode/standard/standard_opener.h"
#include "decode/vorax/vorax_loader.h"

namespace vorax::decode {

namespace {

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
                           options.earlyTraces);
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
