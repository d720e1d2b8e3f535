#include "decode/segd/segd_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "decode/block_text.h"
#include "decode/segd/general_headers.h"
#include "decode/segd/trace_header.h"
#include "decode/synth/synth_blocks.h"
#include "decode/vorax/vorax_headers.h"

namespace vorax::decode {
namespace {

// How often each nibble of a block is read (nibble 2(n-1) is byte n's high nibble), with the
// names of the fields checked on the way.
template <typename Fields>
std::vector<int> nibblesRead(std::size_t blockBytes) {
  std::vector<int> read(2 * blockBytes + 2, 0);
  std::set<std::string_view> names;
  Fields fields;
  Fields::eachByteField(fields, [&](const FieldRow& row, auto&) {
    SCOPED_TRACE(std::string(row.name));
    EXPECT_TRUE(fieldNameMatches(row));
    EXPECT_TRUE(names.insert(row.name).second) << "name used twice";
    for (std::size_t n = 2 * (row.first - 1); n < 2 * row.last; ++n) {
      const bool high = n % 2 == 0;
      const bool firstByte = n / 2 + 1 == row.first;
      if (row.encoding == FieldEncoding::LowDigit && high) continue;
      if (row.encoding == FieldEncoding::HighDigit && !high) continue;
      if (row.encoding == FieldEncoding::HexFromLowDigit && high && firstByte) continue;
      ++read[std::min(n, read.size() - 1)];
    }
  });
  return read;
}

// Each block's byte fields read every nibble of it exactly once, and nothing past its end.
TEST(SegdLayout, FieldsCoverEachBlockOnce) {
  struct Case {
    const char* block;
    std::vector<int> read;
    std::size_t bytes;
  };
  const Case cases[] = {
      {"general header 1", nibblesRead<Gh1Fields>(32), 32},
      {"general header 2", nibblesRead<Gh2Fields>(32), 32},
      {"general header 3", nibblesRead<Gh3Fields>(32), 32},
      {"VORAX general header 3", nibblesRead<VoraxGh3Fields>(32), 32},
      {"scan type header", nibblesRead<ChannelSetFields>(32), 32},
      {"trace header", nibblesRead<DemuxTraceHeaderFields>(20), 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.block);
    for (std::size_t n = 0; n < c.read.size(); ++n) {
      const int expected = n < 2 * c.bytes ? 1 : 0;
      EXPECT_EQ(c.read[n], expected) << "byte " << n / 2 + 1 << (n % 2 ? " low" : " high");
    }
  }
}

// Positions as the SEG-D standard gives them, worked by hand.
TEST(SegdLayout, PositionsMatchTheStandard) {
  namespace L = segd_layout;
  struct Case {
    FieldRow row;
    std::size_t first;
    std::size_t last;
  };
  const Case cases[] = {
      {L::gh1::kBaseScanIntervalCode, 23, 23},
      {L::gh1::kExtendedHeaderBlocks, 31, 31},
      {L::gh1::kExternalHeaderBlocks, 32, 32},
      {L::gh2::kSegdRevision, 11, 12},
      {L::gh2::kExtendedRecordLength, 15, 17},
      {L::gh3::kSourcePointDigits, 9, 13},
      {L::channel_set::kChannelCount, 9, 10},
      {L::channel_set::kEndTime, 5, 6},
      {L::trace_header::kTraceHeaderExtensions, 10, 10},
      {L::trace_header::kExtendedFileNumber, 18, 20},
      {L::extension1::kSensorType, 21, 21},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.row.name));
    EXPECT_EQ(c.row.first, c.first);
    EXPECT_EQ(c.row.last, c.last);
  }
  EXPECT_EQ(L::kGeneralHeaderBytes, 96u);
}

// Three digits from byte 12's low nibble: day 130 beside 2 additional blocks is 0x21 0x30.
TEST(SegdLayout, DigitsFromTheLowNibbleShareTheirFirstByte) {
  std::array<std::uint8_t, 32> bytes{};
  synth::storeField(bytes, segd_layout::gh1::kAdditionalBlocks, 2);
  synth::storeField(bytes, segd_layout::gh1::kJulianDay, 130);
  EXPECT_EQ(bytes[11], 0x21);
  EXPECT_EQ(bytes[12], 0x30);
  const Block block(bytes);
  EXPECT_EQ(fieldText(block, segd_layout::gh1::kJulianDay), "130");
  EXPECT_EQ(fieldText(block, segd_layout::gh1::kAdditionalBlocks), "2");
}

}  // namespace
}  // namespace vorax::decode
