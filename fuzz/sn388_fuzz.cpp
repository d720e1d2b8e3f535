// The SN388 decoders on arbitrary bytes: the two 32-byte extension blocks from the start of
// the input and the extended header from all of it. Traps on a status outside the decoders'
// own set.
#include <cstddef>
#include <cstdint>

#include "decode/sercel/sn388_headers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax::decode;
  const Bytes bytes(data, size);
  Sn388Block1Fields block1;
  Sn388Block2Fields block2;
  Sn388ExtendedFields extended;
  const std::int32_t s1 =
      SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes.first(size < 32 ? size : 32), block1);
  const std::int32_t s2 =
      SEGDDECODE388TRACEHEADEREXTBLOCK2(size > 32 ? bytes.subspan(32) : Bytes(), block2);
  const std::int32_t s3 = SEGDDECODE388EXTENDEDHEADER(bytes, extended);
  if ((s1 != 0 && s1 != 1) || s2 != 0 || s3 < 0 || s3 > 10) __builtin_trap();
  return 0;
}
