#include "decode/record_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vorax::decode {
namespace {

std::vector<std::uint8_t> pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  return bytes;
}

// Reads `count` bytes at 1-based `position` and checks them against the pattern, with zeros
// past `size`.
void expectPatternAt(RecordFile& file, std::uint64_t position, std::size_t count,
                     std::size_t size) {
  std::vector<std::uint8_t> out(count, 0xEE);
  file.setPosition(position);
  const std::size_t got = file.read(out);
  const std::size_t inFile =
      position - 1 < size ? std::min<std::size_t>(count, size - (position - 1)) : 0;
  EXPECT_EQ(got, inFile);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t offset = position - 1 + i;
    const std::uint8_t expected = offset < size ? static_cast<std::uint8_t>(offset % 251) : 0;
    ASSERT_EQ(out[i], expected) << "position " << position << " + " << i;
  }
  EXPECT_EQ(file.position(), position + count);
}

TEST(RecordFile, MemoryAndDiskReadTheSameBytesWithZerosPastTheEnd) {
  const std::size_t size = 100000;  // more than the disk buffer
  const auto bytes = pattern(size);
  test::TempDir dir;
  test::writeFileBytes(dir / "f.bin", bytes);
  RecordFile::Opened opened = RecordFile::open(dir / "f.bin");
  ASSERT_TRUE(opened.ok()) << opened.error;
  RecordFile memory = RecordFile::fromMemory(bytes);
  for (RecordFile* file : {&*opened.file, &memory}) {
    EXPECT_EQ(file->size(), size);
    EXPECT_EQ(file->position(), 1u);
    expectPatternAt(*file, 1, 32, size);
    expectPatternAt(*file, 33, 30000, size);  // sequential, larger than a buffer
    expectPatternAt(*file, 7, 5, size);       // backwards
    expectPatternAt(*file, 99990, 32, size);  // across the end
    expectPatternAt(*file, 200000, 8, size);  // wholly past the end
    file->setPosition(99991);
    EXPECT_EQ(file->remaining(), 10u);
    file->close();
    EXPECT_FALSE(file->isOpen());
    expectPatternAt(*file, 1, 4, 0);  // a closed file reads zeros
  }
}

TEST(RecordFile, OpenFailuresAreValuesWithAMessage) {
  test::TempDir dir;
  const auto missing = dir / "missing.segd";
  RecordFile::Opened opened = RecordFile::open(missing);
  EXPECT_FALSE(opened.ok());
  EXPECT_EQ(opened.error.rfind("Cannot open " + missing.string() + ": ", 0), 0u) << opened.error;
  EXPECT_GT(opened.error.size(), ("Cannot open " + missing.string() + ": ").size());

  opened = RecordFile::open(dir.path());
  EXPECT_FALSE(opened.ok());
  EXPECT_EQ(opened.error, "Cannot open " + dir.path().string() + ": it is a folder");
}

}  // namespace
}  // namespace vorax::decode
