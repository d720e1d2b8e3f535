// Helpers shared by the C entry points: C buffers as byte spans, C records exchanged with the
// C++ records of identical layout, texts copied into caller buffers.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "base/byte_reader.h"

namespace vorax::capi {

inline decode::Bytes bytesOf(const std::uint8_t* buffer, std::size_t length) {
  return buffer == nullptr ? decode::Bytes{} : decode::Bytes(buffer, length);
}

// Runs `decode(bytes, record)` on the C++ twin of the C record `*out`: the record goes in with
// its current contents (fields a decoder does not reach keep them) and comes back decoded.
template <typename CppRecord, typename CRecord, typename Decode>
std::int32_t decodeInto(CRecord* out, Decode&& decode) {
  static_assert(sizeof(CppRecord) == sizeof(CRecord));
  static_assert(std::is_trivially_copyable_v<CppRecord> && std::is_trivially_copyable_v<CRecord>);
  if (out == nullptr) return -1;
  auto record = std::bit_cast<CppRecord>(*out);
  const std::int32_t status = decode(record);
  *out = std::bit_cast<CRecord>(record);
  return status;
}

// Copies `text` into out[0..capacity) zero-terminated (cut to capacity - 1 characters) and
// returns the text's full length.
inline std::size_t copyText(std::string_view text, char* out, std::size_t capacity) {
  if (out != nullptr && capacity > 0) {
    const std::size_t n = std::min(text.size(), capacity - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
  }
  return text.size();
}

}  // namespace vorax::capi
