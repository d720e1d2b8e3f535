#include "decode/header_driver.h"

#include <algorithm>
#include <array>
#include <string>

#include "decode/conversions.h"
#include "decode/segd/segd_layout.h"

namespace vorax::decode {

namespace {

using segd_layout::kBlockBytes;
using segd_layout::kGeneralHeaderBytes;  // the driver always reads three blocks
constexpr std::uint64_t kVoraxExtendedHeaderBytes = 64;

using HeaderBlock = std::array<std::uint8_t, kBlockBytes>;

// Shows a decoder's non-zero result; true when reading may go on (0 or a warning).
bool accept(std::int32_t status, const FixedText<80>& message, bool systemModal,
            MessageSink& messages) {
  if (status != 0) messages.show(message.rtrimmed(), systemModal);
  return status >= 0;
}

// True when the file holds `bytes` bytes; otherwise says that it ends inside its headers,
// which need `headersNeed` bytes (at least, when `atLeast`).
bool fileHolds(const RecordFile& file, std::uint64_t bytes, std::uint64_t headersNeed, bool atLeast,
               MessageSink& messages) {
  if (file.size() >= bytes) return true;
  messages.show(shortHeadersMessage(file.size(), headersNeed, atLeast), true);
  return false;
}

void logLine(const base::DebugLog& log, std::string_view text) {
  if (log.enabled()) log.line(text);
}

// Reads `length` bytes at the current position into a buffer no longer than what the file
// still holds, then leaves the position `advance` bytes on. The decoders read bytes missing
// from a short buffer as zeros, as a short file reads, so the result is the same, and a
// hostile block count cannot make the buffer large.
std::vector<std::uint8_t> readHeaderBytes(RecordFile& file, std::uint64_t length,
                                          std::uint64_t advance) {
  const std::uint64_t start = file.position();
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(length, file.remaining())));
  file.read(buffer);
  file.setPosition(start + advance);
  return buffer;
}

// Traces outside channel set 1, which the one-block loader reads as auxiliary, as the
// channel-set descriptors declare them; never more than the record's traces.
std::int32_t auxiliaryChannels(const std::vector<ChannelSetFields>& channelSets,
                               std::int32_t traceCount) {
  std::int64_t count = 0;
  for (const ChannelSetFields& set : channelSets)
    if (numericInt(set.channelSetNumber.view()) != 1)
      count += std::max(0, numericInt(set.channelCount.view()));
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(count, 0, std::max(0, traceCount)));
}

void fillSummary(const DecodedHeaders& h, const std::string& fileName, SegdRecord& record) {
  RecordSummary& s = record.summary;
  s.fileNumber = h.gh2.expandedFileNumberValue.view();
  s.recordDate = h.gh1.dateText.view();
  s.recordTime = h.gh1.timeText.view();
  s.label = "";
  s.tapeNumber = h.extended.tapeNumber.view();
  s.sampleIntervalUs = static_cast<float>(1000 * numericValue(h.gh1.sampleIntervalMs.view()));
  s.samplesPerTrace = numericInt(h.extended.samplesPerTrace.view());
  s.recordType = h.gh1.recordTypeText.view();
  s.spare1 = "";
  s.sourceLine = static_cast<float>(numericValue(h.gh3.sourceLine.view()));
  s.sourcePoint = static_cast<float>(numericValue(h.gh3.sourcePoint.view()));
  s.sourceX = numericValue(h.gh3.sourceX.view()) / 100;
  s.sourceY = numericValue(h.gh3.sourceY.view()) / 100;
  s.sourceZ = static_cast<float>(numericValue(h.gh3.sourceZ.view()) / 100);
  s.traceCount = numericInt(h.extended.traceCount.view());
  s.auxTraceCount = auxiliaryChannels(h.channelSets, s.traceCount);
  s.seismicTraceCount = s.traceCount - s.auxTraceCount;
  s.firstReceiverLine = 0;
  s.firstReceiverPoint = 0;
  s.timeBreakKind = h.extended.timeBreakKind.view();
  s.spare2 = 0;
  s.spare3 = 0;
  s.spare4 = 0;
  s.filter = h.extended.filterPhase.trimmed().substr(0, 3);
  s.timeBreakTime = 0;
  s.upholeTime = numericInt(h.extended.upholeTime.view());
  s.blastIdentifier = 0;
  s.extendedHeaderStatus = h.extended.message.view().substr(0, 60);
  if (h.sercel.present) fillSercelSummary(h.sercel, s);

  record.sampleIntervalMs = s.sampleIntervalUs / 1000;
  record.recordLengthMs = record.sampleIntervalMs * static_cast<float>(s.samplesPerTrace - 1);
  record.fileName = fileName;
}

// Steps after general header blocks 1 and 2, with the file positioned after block 3; false
// when a decoder stopped the reading.
bool readRemainingHeaders(RecordFile& file, const HeaderBlock& block3, DecodedHeaders& h,
                          MessageSink& messages, const base::DebugLog& log) {
  // Block 3 is decoded when the record declares two or more additional blocks. Further
  // blocks are never read, so decoding block 3 again for each would only repeat the result.
  h.sercel.present = isSercelRecord(h.gh1);
  if (numericInt(h.gh1.additionalBlocks.view()) >= 2) {
    h.gh3Decoded = true;
    const bool gh3Ok =
        h.sercel.present
            ? accept(SEGDDECODEGH3(block3, h.sercel.gh3), h.sercel.gh3.message, false, messages)
            : accept(SEGDDECODEVORAXGH3(block3, h.gh3), h.gh3.message, false, messages);
    h.reached = HeaderStage::Gh3;
    if (!gh3Ok) return false;
  }

  const int channelSets = numericInt(h.gh1.channelSetsPerScanType.view());
  h.channelSets.assign(static_cast<std::size_t>(std::max(0, channelSets)), ChannelSetFields{});
  HeaderBlock descriptor{};
  for (ChannelSetFields& channelSet : h.channelSets) {
    h.reached = HeaderStage::ChannelSets;
    file.read(descriptor);
    if (!accept(SEGDDECODESCANTYPEHEADER(descriptor, channelSet), channelSet.message, false,
                messages))
      return false;
  }

  const HeaderLengths lengths = headerLengths(h.gh1, h.gh2);
  const std::vector<std::uint8_t> extended =
      readHeaderBytes(file, lengths.extended, lengths.extended);
  logLine(log, "readfileheaders Ready to decode extended header OK");
  h.reached = HeaderStage::Extended;
  if (h.sercel.present) {
    h.sercel.extendedBytes = extended;
    if (!accept(SEGDDECODE408EXTENDEDHEADER(extended, h.sercel.extended), h.sercel.extended.message,
                false, messages))
      return false;
  } else if (!accept(SEGDDECODEVORAXEXTENDEDHEADER(extended, h.extended), h.extended.message, false,
                     messages)) {
    return false;
  }

  // One byte more than the external header is read; the position ends right after it.
  const std::vector<std::uint8_t> external =
      readHeaderBytes(file, lengths.external + 1, lengths.external);
  h.reached = HeaderStage::External;
  return accept(SEGDDECODE408EXTERNALHEADER(external, h.external), h.external.message, false,
                messages);
}

// General header blocks 1 and 2, each decoded only once the file holds it whole, then the
// file's length checked against the header length they give; false when reading stops.
// Until both blocks are whole the counts that size the headers are not all known, so the
// message can only say the least the headers need.
bool readGeneralHeaders(const RecordFile& file, const HeaderBlock& block1,
                        const HeaderBlock& block2, DecodedHeaders& h, MessageSink& messages) {
  if (!fileHolds(file, kBlockBytes, kGeneralHeaderBytes, true, messages)) return false;
  h.reached = HeaderStage::Gh1;
  if (!accept(SEGDDECODEGH1(block1, h.gh1), h.gh1.message, true, messages)) return false;
  if (!fileHolds(file, 2 * kBlockBytes, headerBytes(h.gh1, Gh2Fields{}), true, messages))
    return false;
  h.reached = HeaderStage::Gh2;
  if (!accept(SEGDDECODEGH2(block2, h.gh2), h.gh2.message, false, messages)) return false;
  const std::uint64_t needed = headerBytes(h.gh1, h.gh2);
  return fileHolds(file, needed, needed, false, messages);
}

}  // namespace

HeaderLengths headerLengths(const Gh1Fields& gh1, const Gh2Fields& gh2) {
  if (isSercelRecord(gh1))
    return {sercelExtendedHeaderBytes(gh1, gh2), sercelExternalHeaderBytes(gh1, gh2)};
  HeaderLengths lengths;
  // The VORAX extended header is 64 bytes whatever general header byte 31 says.
  lengths.extended = kVoraxExtendedHeaderBytes;
  const int externalBlocks = gh1.externalHeaderBlocks.view() == "FF"
                                 ? numericInt(gh2.externalHeaderBlocks.view())
                                 : numericInt(gh1.externalHeaderBlocks.view());
  lengths.external = kBlockBytes * static_cast<std::uint64_t>(std::max(0, externalBlocks));
  return lengths;
}

std::uint64_t headerBytes(const Gh1Fields& gh1, const Gh2Fields& gh2) {
  const HeaderLengths lengths = headerLengths(gh1, gh2);
  const auto channelSets =
      static_cast<std::uint64_t>(std::max(0, numericInt(gh1.channelSetsPerScanType.view())));
  return kGeneralHeaderBytes + kBlockBytes * channelSets + lengths.extended + lengths.external;
}

std::string shortHeadersMessage(std::uint64_t fileBytes, std::uint64_t neededBytes, bool atLeast) {
  return "File ends inside its headers - the file has " + std::to_string(fileBytes) +
         " bytes, its headers need " + (atLeast ? "at least " : "") + std::to_string(neededBytes);
}

std::int32_t readfileheaders(RecordFile& file, SegdRecord& record, DecodedHeaders& headers,
                             MessageSink& messages, const base::DebugLog& debugLog) {
  if (debugLog.enabled())
    debugLog.line("Readfileheaders Reading Headers - Dims OK, File: " + file.name());
  DecodedHeaders decoded;
  HeaderBlock block1{};
  HeaderBlock block2{};
  HeaderBlock block3{};
  file.setPosition(1);
  file.read(block1);
  file.read(block2);
  file.read(block3);

  logLine(debugLog, "readfileheaders Ready to decode Header 1");
  const bool ok = readGeneralHeaders(file, block1, block2, decoded, messages) &&
                  readRemainingHeaders(file, block3, decoded, messages, debugLog);
  if (!ok) {
    file.close();
    headers = std::move(decoded);
    return -1;
  }

  fillSummary(decoded, file.name(), record);
  headers = std::move(decoded);
  const auto firstTrace = static_cast<std::int32_t>(file.position());
  logLine(debugLog, "readfileheaders Finished Reading Headers OK");
  return firstTrace;
}

std::int32_t quickvoraxcheck(RecordFile& file) {
  HeaderBlock block1{};
  HeaderBlock block2{};
  file.setPosition(1);
  file.read(block1);
  file.read(block2);
  // Nothing after block 2 bears on the answer, so the rest of the headers is not read.
  Gh1Fields gh1;
  Gh2Fields gh2;
  const bool readable = SEGDDECODEGH1(block1, gh1) >= 0 && SEGDDECODEGH2(block2, gh2) >= 0;
  file.close();
  return readable && gh1.manufacturerText.trimmed() == "Japex" ? 0 : -1;
}

std::int32_t quickvoraxcheck(const std::filesystem::path& fileName) {
  RecordFile::Opened opened = RecordFile::open(fileName);
  if (!opened.ok()) return -1;
  return quickvoraxcheck(*opened.file);
}

}  // namespace vorax::decode
