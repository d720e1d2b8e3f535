// The SEG-2 path of the record opener on arbitrary bytes, and the descriptor decoders on the
// same bytes taken as a string area. Traps when a loaded record breaks its own bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/record_opener.h"
#include "decode/seg2/seg2_headers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax::decode;
  const Bytes bytes(data, size);
  RecordFile file = RecordFile::fromMemory(bytes, "fuzz");
  SegdRecord record;
  CollectingMessages messages;
  const vorax::base::DebugLog noLog;
  const OpenResult result = openRecord(file, record, messages, noLog);
  if (result.ok() && result.flavour == RecordFlavour::Seg2) {
    const std::uint64_t held = (static_cast<std::uint64_t>(record.samples.traceCount()) + 1) *
                               record.samples.valuesPerTrace();
    if (static_cast<std::size_t>(record.samples.traceCount()) != result.seg2.traces.size() ||
        record.traceInfo.size() != result.seg2.traces.size() + 1 ||
        held > 4 * size + (1u << 20) + 1)
      __builtin_trap();
  }
  const std::string terminator(size > 0 && data[0] % 3 == 0 ? 0 : 1, '\0');
  Seg2FileDescriptorFields fileFields;
  Seg2TraceDescriptorFields traceFields;
  DECODESEG2FILEDESCRIPTOR(bytes, terminator, fileFields);
  DECODESEG2TRACEDESCRIPTOR(bytes, terminator, traceFields);
  return 0;
}
