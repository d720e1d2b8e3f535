#include "decode/seg2/seg2_opener.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "decode/seg2/seg2_reader.h"

namespace vorax::decode {

bool startsAsSeg2(RecordFile& file) {
  std::array<std::uint8_t, 2> identifier{};
  file.setPosition(1);
  file.read(identifier);
  file.setPosition(1);
  return file.size() >= identifier.size() && isSeg2(identifier);
}

OpenResult openSeg2(RecordFile& file, SegdRecord& record, MessageSink& messages) {
  OpenResult result;
  result.flavour = RecordFlavour::Seg2;
  // The whole file is the SEG-2 reader's input; its size is what the file holds.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.size()));
  file.setPosition(1);
  bytes.resize(file.read(bytes));
  file.close();
  if (!readSeg2(bytes, record, result.seg2, messages)) {
    result.status = OpenStatus::DecoderFatal;
    return result;
  }
  record.fileName = file.name();
  record.flavour = RecordFlavour::Seg2;
  result.status = OpenStatus::Ok;
  result.firstTracePosition = static_cast<std::int32_t>(
      std::min<std::uint64_t>(result.seg2.traces.front().offset + 1, INT32_MAX));
  result.tracesRead = record.loadedTraceCount();
  return result;
}

}  // namespace vorax::decode
