#include "decode/sercel/sn388_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "decode/layout_rows.h"
#include "decode/sercel/sn388_headers.h"

namespace vorax::decode {
namespace {

using test::rowsOf;

struct BlockCase {
  const char* block;
  std::vector<FieldRow> rows;
  std::size_t size;
  std::set<std::size_t> unread;  // bytes no field holds
};

// Every block's fields, in the order its JSON lists them, cover it from byte 1 with no gap and
// no overlap apart from the unread bytes; a low-digit row shares the byte of the high-digit row
// before it. Numbers have their IEEE widths; names are unique and fields named after their
// bytes name those.
TEST(Sn388Layout, FieldsTileEachBlockInOrder) {
  const BlockCase cases[] = {
      {"block 1", rowsOf<Sn388Block1Fields>(), 32, {}},
      {"block 2", rowsOf<Sn388Block2Fields>(), 32, {21}},
      {"extended header", rowsOf<Sn388ExtendedFields>(), 1024, {1024}},
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(c.block);
    std::size_t next = 1;
    const FieldRow* previous = nullptr;
    std::set<std::string_view> names;
    for (const FieldRow& row : c.rows) {
      SCOPED_TRACE(std::string(row.name));
      EXPECT_TRUE(fieldNameMatches(row));
      EXPECT_TRUE(names.insert(row.name).second) << "name used twice";
      if (row.encoding == FieldEncoding::Single) {
        EXPECT_EQ(row.size(), 4u);
      }
      if (row.encoding == FieldEncoding::Double) {
        EXPECT_EQ(row.size(), 8u);
      }
      const bool secondNibble = row.encoding == FieldEncoding::LowDigit && previous &&
                                previous->encoding == FieldEncoding::HighDigit;
      if (secondNibble) {
        EXPECT_EQ(row.first, previous->first);
      } else {
        while (c.unread.contains(next)) ++next;
        EXPECT_EQ(row.first, next);
        next = row.last + 1;
      }
      previous = &row;
    }
    while (c.unread.contains(next)) ++next;
    EXPECT_EQ(next - 1, c.size);
  }
}

// The coded words of the extended header at the positions the SN388 layout gives them (block
// 1's codes are planted at theirs by the decoder tests).
TEST(Sn388Layout, CodedFieldsWhereTheLayoutPutsThem) {
  namespace ext = sn388_layout::extended;
  const struct {
    FieldRow row;
    std::size_t first;
    std::size_t last;
  } cases[] = {
      {ext::kUpholeType, 13, 16},        {ext::kAuxiliaryUnitType, 33, 36},
      {ext::kSourceType, 41, 44},        {ext::kFiringOrderChannel, 45, 48},
      {ext::kSignalType, 57, 60},        {ext::kSyntheticSignalShape, 61, 64},
      {ext::kTestType, 81, 84},          {ext::kSpreadType, 97, 100},
      {ext::kBlasterStatus, 181, 184},   {ext::kSyntheticSignalType, 185, 188},
      {ext::kSarPrestack, 193, 196},     {ext::kNoiseElimination, 257, 260},
      {ext::kHistoricEditing, 273, 276}, {ext::kThreshold, 289, 292},
      {ext::kProcessType, 301, 304},     {ext::kXdtFlag, 681, 684},
      {ext::kTtmFlag, 733, 736},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.row.first, c.first) << c.row.name;
    EXPECT_EQ(c.row.last, c.last) << c.row.name;
  }
}

}  // namespace
}  // namespace vorax::decode
