// One field of a header block as its layout describes it: the JSON name, the byte range as the
// layout numbers it (1-based, inclusive, within the block) and how the bytes are held. The
// layout tables (segd_layout.h, sercel_layout.h, vorax_layout.h) are lists of these;
// decoders, quick readers, record tools and writers all take positions from them.
//
// Bytes the layout gives no meaning are named after their positions: "byte_21" for one byte,
// "bytes_22_to_32" for a range. fieldNameMatches() checks that spelling at compile time.
#pragma once

#include <cstddef>
#include <string_view>

namespace vorax::decode {

enum class FieldEncoding {
  Decimal,          // one big-endian unsigned integer, shown as decimal text
  Hex,              // two upper-case hex digits per byte (how BCD fields are shown)
  Single,           // big-endian IEEE 754 single, 4 bytes
  Double,           // big-endian IEEE 754 double, 8 bytes
  Characters,       // single-byte text
  HighDigit,        // one byte's high nibble as a hex digit
  LowDigit,         // one byte's low nibble as a hex digit
  HexFromLowDigit,  // hex digits from the first byte's low nibble on (3 digits in 2 bytes)
};

struct FieldRow {
  std::string_view name;
  std::size_t first;
  std::size_t last;
  FieldEncoding encoding;

  constexpr std::size_t offset() const { return first - 1; }
  constexpr std::size_t size() const { return last - first + 1; }
  // The same field counted from the start of a larger buffer in which its block starts at
  // 0-based offset `blockOffset` (the quick readers take whole file and trace headers).
  constexpr FieldRow at(std::size_t blockOffset) const {
    return {name, first + blockOffset, last + blockOffset, encoding};
  }
};

namespace field_layout_detail {

// Reads a decimal number at the front of `text` into `value`; the rest is left in `text`.
constexpr bool readNumber(std::string_view& text, std::size_t& value) {
  std::size_t digits = 0;
  value = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
    value = value * 10 + static_cast<std::size_t>(text[digits++] - '0');
  text.remove_prefix(digits);
  return digits > 0;
}

constexpr bool consume(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace field_layout_detail

// False when a field named after its positions ("byte_N", "bytes_N_to_M") names other
// positions than it holds, or when its range is empty or reversed.
constexpr bool fieldNameMatches(const FieldRow& row) {
  using namespace field_layout_detail;
  if (row.first == 0 || row.last < row.first) return false;
  std::string_view name = row.name;
  std::size_t first = 0;
  std::size_t last = 0;
  // "bytes_per_scan" names a count, not positions: only a digit after the prefix does.
  if (consume(name, "bytes_") && readNumber(name, first)) {
    return consume(name, "_to_") && readNumber(name, last) && name.empty() && first == row.first &&
           last == row.last;
  }
  if (consume(name, "byte_") && readNumber(name, first) && name.empty())
    return first == row.first && row.last == row.first;
  return true;
}

}  // namespace vorax::decode
