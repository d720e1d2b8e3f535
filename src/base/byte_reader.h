// Bounds-checked access to bytes. Every binary read of the program goes through here: a read
// past the end yields zero bytes, the way a short file reads, never an out-of-range access.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace vorax::decode {

using Bytes = std::span<const std::uint8_t>;

// Byte at 0-based offset, 0 past the end.
inline std::uint8_t byteAt(Bytes data, std::size_t offset) {
  return offset < data.size() ? data[offset] : 0;
}

// Copies `count` bytes from `offset` into `out`, filling with zeros past the end of `data`.
inline void copyBytes(Bytes data, std::size_t offset, std::size_t count, std::uint8_t* out) {
  std::size_t available = offset < data.size() ? std::min(count, data.size() - offset) : 0;
  if (available > 0) std::memcpy(out, data.data() + offset, available);
  if (available < count) std::memset(out + available, 0, count - available);
}

// Unsigned big-endian integer of 1..8 bytes at a 0-based offset.
inline std::uint64_t bigUnsigned(Bytes data, std::size_t offset, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value = (value << 8) | byteAt(data, offset + i);
  return value;
}

// Unsigned little-endian integer of 1..8 bytes at a 0-based offset.
inline std::uint64_t littleUnsigned(Bytes data, std::size_t offset, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = count; i > 0; --i) value = (value << 8) | byteAt(data, offset + i - 1);
  return value;
}

inline std::uint16_t bigU16(Bytes d, std::size_t o) {
  return static_cast<std::uint16_t>(bigUnsigned(d, o, 2));
}
inline std::uint32_t bigU32(Bytes d, std::size_t o) {
  return static_cast<std::uint32_t>(bigUnsigned(d, o, 4));
}
inline std::int32_t bigI32(Bytes d, std::size_t o) {
  return static_cast<std::int32_t>(bigU32(d, o));
}
inline std::uint16_t littleU16(Bytes d, std::size_t o) {
  return static_cast<std::uint16_t>(littleUnsigned(d, o, 2));
}
inline std::uint32_t littleU32(Bytes d, std::size_t o) {
  return static_cast<std::uint32_t>(littleUnsigned(d, o, 4));
}
inline std::int16_t littleI16(Bytes d, std::size_t o) {
  return static_cast<std::int16_t>(littleU16(d, o));
}
inline std::int32_t littleI32(Bytes d, std::size_t o) {
  return static_cast<std::int32_t>(littleU32(d, o));
}
inline std::int16_t bigI16(Bytes d, std::size_t o) {
  return static_cast<std::int16_t>(bigU16(d, o));
}

inline float bigFloat(Bytes d, std::size_t o) {
  return std::bit_cast<float>(bigU32(d, o));
}
inline float littleFloat(Bytes d, std::size_t o) {
  return std::bit_cast<float>(littleU32(d, o));
}
inline double bigDouble(Bytes d, std::size_t o) {
  return std::bit_cast<double>(bigUnsigned(d, o, 8));
}
inline double littleDouble(Bytes d, std::size_t o) {
  return std::bit_cast<double>(littleUnsigned(d, o, 8));
}

// Writers used by the record and settings writers: append or store in a byte vector.
inline void putBig(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t count) {
  for (std::size_t i = count; i > 0; --i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * (i - 1))));
}
inline void storeLittle(std::span<std::uint8_t> out, std::size_t offset, std::uint64_t value,
                        std::size_t count) {
  for (std::size_t i = 0; i < count && offset + i < out.size(); ++i)
    out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void storeBig(std::span<std::uint8_t> out, std::size_t offset, std::uint64_t value,
                     std::size_t count) {
  for (std::size_t i = 0; i < count && offset + i < out.size(); ++i)
    out[offset + i] = static_cast<std::uint8_t>(value >> (8 * (count - 1 - i)));
}

// A 1-based view of one header block, as byte positions are numbered in the record layouts.
// `bytes(3, 4)` is bytes 3 and 4. Positions past the block's end read as zero.
class Block {
 public:
  explicit Block(Bytes data) : data_(data) {}
  std::uint8_t at(std::size_t position) const { return byteAt(data_, position - 1); }
  std::vector<std::uint8_t> bytes(std::size_t first, std::size_t last) const {
    std::vector<std::uint8_t> out(last - first + 1);
    copyBytes(data_, first - 1, out.size(), out.data());
    return out;
  }
  std::uint64_t big(std::size_t first, std::size_t last) const {
    return bigUnsigned(data_, first - 1, last - first + 1);
  }
  float bigSingle(std::size_t first) const { return bigFloat(data_, first - 1); }
  double bigDoubleAt(std::size_t first) const { return bigDouble(data_, first - 1); }
  Bytes span() const { return data_; }

 private:
  Bytes data_;
};

}  // namespace vorax::decode
