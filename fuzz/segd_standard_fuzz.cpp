// The standard SEG-D reader on arbitrary bytes, through the record opener's standard branch.
// Traps when a loaded record breaks its own bounds, or holds a start time it cannot write or
// a GPS position off the globe.
#include <cstddef>
#include <cstdint>

#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/record_opener.h"
#include "decode/utc_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax::decode;
  RecordFile file = RecordFile::fromMemory(Bytes(data, size), "fuzz");
  SegdRecord record;
  CollectingMessages messages;
  const vorax::base::DebugLog noLog;
  OpenOptions options;
  options.loader = LoaderChoice::Standard;
  const OpenResult result = openRecord(file, record, messages, noLog, options);
  if (result.ok()) {
    const std::uint64_t held = (static_cast<std::uint64_t>(record.samples.traceCount()) + 1) *
                               record.samples.valuesPerTrace();
    if (record.traceInfo.size() != static_cast<std::size_t>(record.samples.traceCount()) + 1 ||
        record.traceDivisor.size() != record.traceInfo.size() || held > 4 * size + (1u << 20) + 1)
      __builtin_trap();
    for (const TraceHeaderInfo& info : record.traceInfo) {
      if (info.startTimeUtcUs && utcText(*info.startTimeUtcUs).empty()) __builtin_trap();
      if (info.latitude && !(*info.latitude >= -90 && *info.latitude <= 90)) __builtin_trap();
      if (info.longitude && !(*info.longitude >= -180 && *info.longitude <= 180)) __builtin_trap();
    }
  }
  return 0;
}
