#include "decode/standard/standard_opener.h"

#include <algorithm>
#include <array>

#include "decode/segd/general_headers.h"
#include "decode/standard/standard_reader.h"

namespace vorax::decode {

namespace {

using segd_layout::kBlockBytes;

void keepNote(std::int32_t status, std::string_view message, const base::DebugLog& debugLog,
              OpenResult& result) {
  if (status == 0) return;
  debugLog.line(message);
  result.notes.emplace_back(message);
}

}  // namespace

bool startsAsStandardSegd(RecordFile& file) {
  std::array<std::uint8_t, kBlockBytes> gh1{};
  file.setPosition(1);
  const std::size_t read = file.read(gh1);
  file.setPosition(1);
  return read == gh1.size() && isStandardManufacturer(gh1);
}

OpenResult openStandardSegd(RecordFile& file, SegdRecord& record, MessageSink& messages,
                            const base::DebugLog& debugLog, const OpenOptions& options) {
  OpenResult result;
  result.flavour = RecordFlavour::Standard;
  std::array<std::uint8_t, 2 * kBlockBytes> generalHeaders{};
  file.setPosition(1);
  const std::size_t held = file.read(generalHeaders);
  const Bytes blocks(generalHeaders.data(), held);
  const std::int32_t gh1Status =
      SEGDDECODEGH1(blocks.first(std::min(held, kBlockBytes)), result.headers.gh1);
  keepNote(gh1Status, result.headers.gh1.message.trimmed(), debugLog, result);
  if (held >= kBlockBytes) result.headers.reached = HeaderStage::Gh1;
  if (held == 2 * kBlockBytes) {
    result.headers.reached = HeaderStage::Gh2;
    const std::int32_t gh2Status = SEGDDECODEGH2(blocks.subspan(kBlockBytes), result.headers.gh2);
    keepNote(gh2Status, result.headers.gh2.message.trimmed(), debugLog, result);
  }

  const StandardReadResult read =
      readStandardSegd(file, record, result.standard, messages, options.progress);
  file.close();
  if (!read.ok) {
    result.status = OpenStatus::DecoderFatal;
    return result;
  }
  record.fileName = file.name();
  record.flavour = RecordFlavour::Standard;
  result.status = OpenStatus::Ok;
  result.firstTracePosition = static_cast<std::int32_t>(
      std::min<std::uint64_t>(result.standard.firstTraceOffset + 1, INT32_MAX));
  result.tracesRead = read.tracesRead;
  return result;
}

}  // namespace vorax::decode
