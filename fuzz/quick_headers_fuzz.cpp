// The quick readers and the VQC-88 decoder on arbitrary bytes: the file header from the start
// of the input, the trace header from the 244 bytes after the first 1632.
#include <cstddef>
#include <cstdint>

#include "decode/sercel/quick_headers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax::decode;
  const Bytes bytes(data, size);
  constexpr std::size_t kFileHeaderBytes = 1632;
  QuickFileHeader fileHeader;
  QuickTraceHeader traceHeader;
  Vqc88FileHeader vqc88;
  const std::int32_t f = quick408fhl(bytes, fileHeader);
  const Bytes trace = size > kFileHeaderBytes ? bytes.subspan(kFileHeaderBytes) : Bytes();
  const std::int32_t t = quick408gettracehl(trace, traceHeader, fileHeader);
  const std::int32_t v = vqc88decodefileheader(bytes, vqc88);
  const bool knownStatuses = (f == 0 || f == -1 || f == -3 || f == -4) &&
                             (t == 0 || t == -1 || t == -2) && (v == 0 || v == -1);
  if (!knownStatuses) __builtin_trap();
  return 0;
}
