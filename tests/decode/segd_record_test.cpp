#include "decode/segd_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "base/byte_reader.h"
#include "base/fixed_text.h"

namespace vorax::decode {
namespace {

TEST(FixedText, PadsCutsAndTrims) {
  FixedText<6> t("ab");
  EXPECT_EQ(t.view(), "ab    ");
  t = "abcdefgh";
  EXPECT_EQ(t.view(), "abcdef");
  t = "  x ";
  EXPECT_EQ(t.trimmed(), "x");
  EXPECT_EQ(t.rtrimmed(), "  x");
  EXPECT_EQ(FixedText<3>().view(), "   ");
  static_assert(sizeof(FixedText<80>) == 80);
}

TEST(ByteReader, ReadsPastTheEndAsZero) {
  std::vector<std::uint8_t> bytes{0x12, 0x34};
  EXPECT_EQ(bigU16(bytes, 0), 0x1234);
  EXPECT_EQ(bigU32(bytes, 0), 0x12340000u);
  EXPECT_EQ(littleU16(bytes, 0), 0x3412);
  EXPECT_EQ(bigU32(bytes, 100), 0u);
  Block block(bytes);
  EXPECT_EQ(block.at(1), 0x12);
  EXPECT_EQ(block.at(3), 0);
  EXPECT_EQ(block.bytes(2, 4), (std::vector<std::uint8_t>{0x34, 0, 0}));
}

TEST(TraceSamples, TraceMajorWithOneExtraZeroPerTrace) {
  TraceSamples s;
  s.reset(3, 4);
  EXPECT_EQ(s.trace(1).size(), 5u);
  s.at(2, 3) = 7.0f;
  EXPECT_EQ(s.trace(2)[3], 7.0f);
  EXPECT_EQ(s.trace(2).data() - s.trace(1).data(), 5);  // each trace contiguous
  EXPECT_EQ(s.at(3, 4), 0.0f);
}

// Arrays of a few megabytes are mapped, and a reset to as many huge pages reuses the memory:
// whatever the previous shape left there, every value must read zero again.
TEST(TraceSamples, ResetZeroesWhateverTheMemoryHeldBefore) {
  struct Shape {
    std::int32_t traces, samples;
    bool sameMemory;  // as the shape before
  };
  TraceSamples s;
  const float* before = nullptr;
  for (const Shape& shape : {Shape{800, 1000, false},
                             {800, 1000, true},
                             {700, 1100, true},
                             {900, 700, true},
                             {300, 1000, false},
                             {800, 1000, false}}) {
    s.reset(shape.traces, shape.samples);
    const std::span<float> all(s.trace(0).data(),
                               (static_cast<std::size_t>(shape.traces) + 1) * s.valuesPerTrace());
    EXPECT_EQ(std::count(all.begin(), all.end(), 0.0f), std::ssize(all)) << shape.traces;
    EXPECT_EQ(all.data() == before, shape.sameMemory) << shape.traces;
    std::fill(all.begin(), all.end(), 7.0f);
    before = all.data();
  }
}

// The flags the kernel lists for the mapping holding `p` ("hg": huge pages asked for, "nh":
// refused); empty where the kernel lists none.
std::string mappingFlags(const void* p) {
  std::ifstream smaps("/proc/self/smaps");
  const auto address = reinterpret_cast<std::uintptr_t>(p);
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    std::uintptr_t from = 0, to = 0;
    char dash = 0;
    if (std::istringstream range(line); range >> std::hex >> from >> dash >> to && dash == '-')
      inside = from <= address && address < to;
    if (inside && line.starts_with("VmFlags:")) return line;
  }
  return {};
}

// Memory kept from record to record is mapped in small pages, and stays so however often the
// samples move between a job and its records; memory of a record on its own takes huge pages.
TEST(TraceSamples, MemoryKeptForReuseIsMappedInSmallPages) {
  TraceSamples once;
  once.reset(800, 1000);
  const std::string flags = mappingFlags(once.trace(0).data());
  if (flags.find(" hg") == std::string::npos) GTEST_SKIP() << "no transparent huge pages here";

  TraceSamples kept;
  kept.clear();
  for (std::int32_t traces : {800, 700, 1200}) {  // fresh, kept, fresh
    TraceSamples record = std::move(kept);
    record.reset(traces, 1000);
    EXPECT_NE(mappingFlags(record.trace(0).data()).find(" nh"), std::string::npos) << traces;
    kept = std::move(record);
    kept.clear();
  }
}

std::vector<TraceHeaderInfo> withLines(std::initializer_list<float> lines) {
  std::vector<TraceHeaderInfo> info(1);
  for (float l : lines) {
    TraceHeaderInfo t;
    t.receiverLine = l;
    info.push_back(t);
  }
  return info;
}

TEST(LineRuns, OneLineGivesOneElementFromZero) {
  auto info = withLines({7, 7, 7, 7});
  auto runs = buildLineRuns(info, 4);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].receiverLine, 7);
  EXPECT_EQ(runs[1].firstTrace, 0);
  EXPECT_EQ(runs[1].lastTrace, 4);
}

TEST(LineRuns, LaterRunsStartAtTheirFirstTrace) {
  auto info = withLines({0, 0, 10, 10, 10, 11});
  auto runs = buildLineRuns(info, 6);
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[1].lastTrace, 2);
  EXPECT_EQ(runs[2].receiverLine, 10);
  EXPECT_EQ(runs[2].firstTrace, 3);
  EXPECT_EQ(runs[2].lastTrace, 5);
  EXPECT_EQ(runs[3].firstTrace, 6);
  EXPECT_EQ(runs[3].lastTrace, 6);
}

}  // namespace
}  // namespace vorax::decode
