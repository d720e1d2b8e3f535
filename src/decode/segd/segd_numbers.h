// Number encodings the SEG-D headers share across revisions: two BCD digits in a byte, signed
// big-endian integers of any width up to 8 bytes, and the integer-and-fraction form of line and
// point numbers. Offsets are 0-based; bytes past the end of a short buffer read as zero.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/byte_reader.h"

namespace vorax::decode {

// Two BCD digits of one byte (the high nibble first); -1 when a nibble is not a decimal digit.
inline int bcdByte(std::uint8_t b) {
  const int high = b >> 4;
  const int low = b & 0x0F;
  return high > 9 || low > 9 ? -1 : high * 10 + low;
}

// The `count` bytes (1-8) at `offset` as a big-endian two's complement integer.
inline std::int64_t signedBig(Bytes data, std::size_t offset, std::size_t count) {
  const std::uint64_t raw = bigUnsigned(data, offset, count);
  const std::uint64_t sign = std::uint64_t{1} << (8 * count - 1);
  return static_cast<std::int64_t>(raw ^ sign) - static_cast<std::int64_t>(sign);
}

// A signed integer of `integerBytes` bytes followed by a 16-bit binary fraction, as general
// header block 3 and trace header extension 1 hold line and point numbers.
inline double withFraction(Bytes data, std::size_t offset, std::size_t integerBytes) {
  return static_cast<double>(signedBig(data, offset, integerBytes)) +
         static_cast<double>(bigUnsigned(data, offset + integerBytes, 2)) / 65536.0;
}

}  // namespace vorax::decode
