// The VORAX reading path on arbitrary bytes: header driver, then the one-block trace loader.
#include <cstddef>
#include <cstdint>

#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/header_driver.h"
#include "decode/record_file.h"
#include "decode/vorax/vorax_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax::decode;
  RecordFile file = RecordFile::fromMemory(Bytes(data, size), "fuzz");
  SegdRecord record;
  DecodedHeaders headers;
  CollectingMessages messages;
  const vorax::base::DebugLog noLog;
  const std::int32_t firstTrace = readfileheaders(file, record, headers, messages, noLog);
  if (firstTrace > 0) readtracesvorax(firstTrace, file, record, messages);
  return 0;
}
