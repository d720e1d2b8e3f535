// Field extraction shared by the header decoders. Byte positions are 1-based within the
// block, as the header layouts number them; positions past the block's end read as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/text_trim.h"
#include "decode/conversions.h"
#include "decode/field_layout.h"

namespace vorax::decode {

// Upper-case hex digits of bytes first..last: how every BCD field is held.
inline std::string hexOf(const Block& block, std::size_t first, std::size_t last) {
  return hexdigits(block.bytes(first, last));
}

// Decimal text of bytes first..last read as one big-endian unsigned integer.
inline std::string decimalOf(const Block& block, std::size_t first, std::size_t last) {
  return bintodecimal(block.bytes(first, last));
}

inline std::string decimalOf(const Block& block, const FieldRow& row) {
  return decimalOf(block, row.first, row.last);
}

// Bytes first..last as characters, unchanged.
inline std::string charactersOf(const Block& block, std::size_t first, std::size_t last) {
  const std::vector<std::uint8_t> raw = block.bytes(first, last);
  return std::string(raw.begin(), raw.end());
}

// Bytes first..last as characters without leading and trailing blanks or zero bytes.
inline std::string trimmedCharactersOf(const Block& block, std::size_t first, std::size_t last) {
  return base::trimmed(charactersOf(block, first, last), base::kSpacesAndZeros);
}
inline std::string trimmedCharactersOf(const Block& block, const FieldRow& row) {
  return trimmedCharactersOf(block, row.first, row.last);
}

// The text of a field whose bytes are exactly `bytes`, as its encoding is shown.
inline std::string fieldText(Bytes bytes, FieldEncoding encoding) {
  switch (encoding) {
    case FieldEncoding::Decimal:
      return bintodecimal(bytes);
    case FieldEncoding::Hex:
      return hexdigits(bytes);
    case FieldEncoding::Single:
      return ieeesingletext(bytes);
    case FieldEncoding::Double:
      return ieeedoubletext(bytes);
    case FieldEncoding::HighDigit:
      return hexdigits(bytes.first(1)).substr(0, 1);
    case FieldEncoding::LowDigit:
      return hexdigits(bytes.first(1)).substr(1, 1);
    case FieldEncoding::HexFromLowDigit: {
      const std::string digits = hexdigits(bytes);
      return digits.empty() ? digits : digits.substr(1);
    }
    case FieldEncoding::Characters:
      break;
  }
  return std::string(bytes.begin(), bytes.end());
}

inline std::string fieldText(const Block& block, const FieldRow& row) {
  const Bytes data = block.span();
  if (row.last <= data.size())
    return fieldText(data.subspan(row.offset(), row.size()), row.encoding);
  const std::vector<std::uint8_t> padded = block.bytes(row.first, row.last);
  return fieldText(Bytes(padded), row.encoding);
}

// Every field of `out` that its type binds to a layout row (`Fields::eachByteField`) gets
// that row's text.
template <typename Fields>
void readByteFields(const Block& block, Fields& out) {
  Fields::eachByteField(
      out, [&block](const FieldRow& row, auto& field) { field = fieldText(block, row); });
}

// The field's bytes as one big-endian unsigned integer.
inline std::uint64_t fieldValue(const Block& block, const FieldRow& row) {
  return block.big(row.first, row.last);
}

// The high and low nibble of one byte as a single hex digit.
inline std::string highDigitOf(const Block& block, std::size_t position) {
  return hexOf(block, position, position).substr(0, 1);
}
inline std::string lowDigitOf(const Block& block, std::size_t position) {
  return hexOf(block, position, position).substr(1, 1);
}

// The numeric value of the high and low nibble (0-15), for single-digit codes.
inline int highNibble(const Block& block, std::size_t position) {
  return block.at(position) >> 4;
}
inline int lowNibble(const Block& block, std::size_t position) {
  return block.at(position) & 0x0F;
}

}  // namespace vorax::decode
