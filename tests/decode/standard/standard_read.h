// The standard reader run on bytes held in memory, with everything it gives back, for the
// reader's tests.
#pragma once

#include <cstdint>
#include <vector>

#include "decode/standard/standard_reader.h"
#include "test_support.h"

namespace vorax::test {

struct StandardRead {
  decode::StandardReadResult result;
  decode::SegdRecord record;
  decode::StandardHeaders headers;
  decode::CollectingMessages messages;
};

inline StandardRead readStandard(const std::vector<std::uint8_t>& bytes,
                                 const decode::ProgressCallback& progress = {}) {
  StandardRead r;
  decode::RecordFile file = decode::RecordFile::fromMemory(bytes);
  r.result = decode::readStandardSegd(file, r.record, r.headers, r.messages, progress);
  return r;
}

}  // namespace vorax::test
