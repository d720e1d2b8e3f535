#include "tools/trace_copy.h"

#include <algorithm>
#include <vector>

namespace vorax::tools {

namespace {

constexpr std::uint64_t kChunkBytes = 1 << 20;
constexpr std::uint64_t kHuge = ~std::uint64_t{0};

}  // namespace

TraceCopy copyTraces(decode::RecordFile& in, base::AtomicFileWriter& out,
                     const RecordLayout& layout, std::uint64_t count,
                     const TraceProgress& progress) {
  TraceCopy copy;
  const std::uint64_t traceBytes = layout.traceBytes();
  // A hostile header can declare more bytes than 64 bits count; no file holds that many.
  const std::uint64_t wanted = count > kHuge / traceBytes ? kHuge : count * traceBytes;
  const std::uint64_t held = std::min(wanted, in.remaining());
  copy.inputEnded = held < wanted;
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min(held, kChunkBytes)));
  std::uint64_t copied = 0;
  while (copied < held) {
    const auto length = static_cast<std::size_t>(std::min(held - copied, kChunkBytes));
    const std::span<std::uint8_t> part(chunk.data(), length);
    std::size_t got = 0;
    if (!readExactly(in, part, got)) {
      copy.error =
          "Cannot read " + in.name() + " at byte " + std::to_string(in.position() - length);
      break;
    }
    if (!out.write(part)) {
      copy.error = out.error();
      break;
    }
    copied += length;
    copy.traces = copied / traceBytes;
    if (progress && !progress(copy.traces)) {
      copy.cancelled = copied < held;
      break;
    }
  }
  return copy;
}

}  // namespace vorax::tools
