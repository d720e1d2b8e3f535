#include "decode/vorax/vorax_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "decode/block_text.h"
#include "decode/vorax/vorax_headers.h"

namespace vorax::decode {
namespace {

// Nibble n of a block: byte n / 2 + 1, high nibble when n is even.
using Nibbles = std::map<std::size_t, int>;  // nibble -> times read

template <typename Fields>
Nibbles nibblesRead(std::set<std::string_view>& names) {
  Nibbles read;
  Fields fields;
  Fields::eachByteField(fields, [&](const FieldRow& row, auto&) {
    SCOPED_TRACE(std::string(row.name));
    EXPECT_TRUE(fieldNameMatches(row));
    EXPECT_TRUE(names.insert(row.name).second) << "name used twice";
    for (std::size_t byte = row.first; byte <= row.last; ++byte) {
      if (row.encoding != FieldEncoding::LowDigit) ++read[2 * (byte - 1)];
      if (row.encoding != FieldEncoding::HighDigit) ++read[2 * (byte - 1) + 1];
    }
  });
  return read;
}

struct Case {
  const char* block;
  Nibbles read;
  std::size_t bytes;
  std::set<std::size_t> unread;     // nibbles no field holds
  std::set<std::size_t> readTwice;  // nibbles two fields show
};

// Every nibble of each block is read exactly once, but for those the layout leaves unread and
// byte 31 of the extension block, which the record shows twice.
TEST(VoraxLayout, FieldsCoverEachBlockOnce) {
  std::set<std::string_view> extendedNames;
  std::set<std::string_view> extensionNames;
  const Case cases[] = {
      {"extended header", nibblesRead<VoraxExtendedFields>(extendedNames), 64, {103, 104, 105}, {}},
      {"extension block",
       nibblesRead<VoraxTraceExt1Fields>(extensionNames),
       32,
       {62, 63},
       {60, 61}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.block);
    for (std::size_t n = 0; n < 2 * c.bytes; ++n) {
      const auto found = c.read.find(n);
      const int times = found == c.read.end() ? 0 : found->second;
      const int expected = c.unread.count(n) ? 0 : c.readTwice.count(n) ? 2 : 1;
      EXPECT_EQ(times, expected) << "byte " << n / 2 + 1 << (n % 2 ? " low" : " high");
    }
    EXPECT_LE(c.read.rbegin()->first, 2 * c.bytes - 1);
  }
}

TEST(VoraxLayout, DigitFieldsShowTheirNibble) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1A};
  const Block block(bytes);
  EXPECT_EQ(fieldText(block, vorax_layout::extended::kTimeBreakDigit), "1");
  EXPECT_EQ(fieldText(block, vorax_layout::extended::kDataRetryDigit), "A");
}

}  // namespace
}  // namespace vorax::decode
