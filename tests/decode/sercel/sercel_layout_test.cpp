#include "decode/sercel/sercel_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "decode/layout_rows.h"
#include "decode/sercel/sercel_headers.h"

namespace vorax::decode {
namespace {

using test::rowsOf;

struct BlockCase {
  const char* block;
  std::vector<FieldRow> rows;
  std::size_t lastByteRead;  // the block's last byte any field holds
};

// Every block's fields, in the order its JSON lists them, cover it from byte 1 with no gap and
// no overlap; numbers have their IEEE widths and fields named after their bytes name those.
TEST(SercelLayout, FieldsTileEachBlockInOrder) {
  const BlockCase cases[] = {
      {"block 1", rowsOf<Ext408Block1Fields>(), 32},
      {"block 2", rowsOf<Ext408Block2Fields>(), 32},
      {"block 3", rowsOf<Ext408Block3Fields>(), 32},
      {"block 4", rowsOf<Ext408Block4Fields>(), 32},
      {"block 5", rowsOf<Ext408Block5Fields>(), 32},
      {"block 6", rowsOf<Ext408Block6Fields>(), 32},
      {"block 7", rowsOf<Ext408Block7Fields>(), 32},
      // Byte 1024 of the extended header is read by no field.
      {"extended header", rowsOf<Ext408ExtendedFields>(), 1023},
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(c.block);
    std::size_t next = 1;
    std::set<std::string_view> names;
    for (const FieldRow& row : c.rows) {
      SCOPED_TRACE(std::string(row.name));
      EXPECT_EQ(row.first, next);
      EXPECT_TRUE(fieldNameMatches(row));
      EXPECT_TRUE(names.insert(row.name).second) << "name used twice";
      if (row.encoding == FieldEncoding::Single) {
        EXPECT_EQ(row.size(), 4u);
      }
      if (row.encoding == FieldEncoding::Double) {
        EXPECT_EQ(row.size(), 8u);
      }
      next = row.last + 1;
    }
    EXPECT_EQ(next - 1, c.lastByteRead);
  }
}

// Positions counted from a whole trace header or file header, as the quick reader takes them:
// block k byte n is trace header byte 20 + 32 (k - 1) + n; extended header byte n is file
// header byte 608 + n.
TEST(SercelLayout, FieldsCountedFromLargerBuffers) {
  using namespace sercel_layout;
  EXPECT_EQ(inTraceHeader(3, block3::kResistanceValue).first, 93u);
  EXPECT_EQ(inTraceHeader(7, block7::kNumberOfInterpolations).last, 240u);
  EXPECT_EQ(inExtensions(6, block6::kUnitSerialNumber).offset(), 161u);
  EXPECT_EQ(inFileHeader(extended::kSamplesPerTrace).first, 641u);
  EXPECT_EQ(inFileHeader(extended::kTapeLabel).last, 1148u);
}

TEST(FieldLayout, NamesAfterPositionsMustNameThem) {
  using enum FieldEncoding;
  const struct {
    FieldRow row;
    bool matches;
  } cases[] = {
      {{"bytes_22_to_32", 22, 32, Hex}, true},
      {{"bytes_22_to_31", 22, 32, Hex}, false},
      {{"bytes_22_32", 22, 32, Hex}, false},  // the older spelling
      {{"bytes_22_to_32x", 22, 32, Hex}, false},
      {{"byte_21", 21, 21, Decimal}, true},
      {{"byte_21", 21, 22, Decimal}, false},
      {{"byte_10_second_digit", 10, 10, Hex}, true},  // a named field, not a position
      {{"bytes_per_scan", 20, 22, Hex}, true},        // a count, not a position
      {{"tape_label", 525, 540, Characters}, true},
      {{"tape_label", 540, 525, Characters}, false},
      {{"tape_label", 0, 4, Characters}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fieldNameMatches(c.row), c.matches) << c.row.name << " " << c.row.first;
}

}  // namespace
}  // namespace vorax::decode
