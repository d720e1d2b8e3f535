// vorax decode NAME FILE [--offset] [--length], run as a user would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/seg2/seg2_file_builder.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class DecodeCommand : public ::testing::Test {
 protected:
  // 100 bytes of filler, then a 32-byte general header block 1 (file 0100, format 8058, 2005
  // day 060, 1 ms, record type 8), then an SN388 block 1 with byte 16 = 0x13.
  void SetUp() override {
    std::vector<std::uint8_t> bytes(100, 0xEE);
    const std::vector<std::uint8_t> gh1 = {0x01, 0x00, 0x80, 0x58, 0,    0,    0,    0,    0,
                                           0,    0x05, 0x00, 0x60, 0x12, 0x30, 0x00, 0x31, 0,
                                           0,    0,    0,    0,    0x10, 0,    0,    0x80};
    bytes.insert(bytes.end(), gh1.begin(), gh1.end());
    bytes.resize(132, 0);
    std::vector<std::uint8_t> block1(32, 0);
    block1[15] = 0x13;
    bytes.insert(bytes.end(), block1.begin(), block1.end());
    test::writeFileBytes(file, bytes);
  }
  test::TempDir dir;
  std::filesystem::path file = dir / "blocks.bin";
};

TEST_F(DecodeCommand, NameIsCaseInsensitiveAndOffsetSelectsTheBlock) {
  const test::CliResult r = runCli({"decode", "segddecodegh1", file.string(), "--offset", "100"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(
      contains(r.out, "{\n  \"status\": 0,\n  \"record\": {\n    \"file_number\": \"0100\",\n"))
      << r.out;
  EXPECT_TRUE(contains(r.out, "\"date_text\": \"2005-03-01\""));
  EXPECT_TRUE(contains(r.out, "\"manufacturer_text\": \"Japex\""));
  EXPECT_TRUE(contains(r.out, "\"message\": \"\"\n  }\n}"));

  const test::CliResult sn388 =
      runCli({"decode", "SEGDDECODE388TRACEHEADEREXTBLOCK1", file.string(), "--offset=132"});
  ASSERT_EQ(sn388.exitCode, 0) << sn388.err;
  EXPECT_TRUE(contains(sn388.out, "\"unit_type_text\": \"SAR4 or SAR6\""));
  EXPECT_TRUE(contains(sn388.out, "\"channel_type_text\": \"Uphole\""));
}

TEST_F(DecodeCommand, LengthLimitsTheBytesTheDecoderSees) {
  // Two bytes: the format code reads as zeros, which is fatal for block 1.
  const test::CliResult r =
      runCli({"decode", "SEGDDECODEGH1", file.string(), "--offset", "100", "--length", "2"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(contains(r.out, "\"status\": -1,"));
  EXPECT_TRUE(contains(
      r.out, "\"message\": \"0000 is an invalid SEGD Format Code. This is not a SEG D File.\""))
      << r.out;
}

TEST_F(DecodeCommand, BlockRunningPastTheEndReadsZeros) {
  // Block 2 of SN388 from offset 150: 14 bytes in the file, the rest zeros.
  const test::CliResult r =
      runCli({"decode", "SEGDDECODE388TRACEHEADEREXTBLOCK2", file.string(), "--offset", "150"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "\"bytes_22_to_32\": \"000000000000\""));
}

TEST_F(DecodeCommand, BadArgumentsAndFiles) {
  EXPECT_EQ(runCli({"decode", "NOSUCHDECODER", file.string()}).exitCode, 2);
  EXPECT_EQ(runCli({"decode", "SEGDDECODEGH1", file.string(), "--offset", "164"}).exitCode, 2);
  EXPECT_EQ(runCli({"decode", "SEGDDECODEGH1", file.string(), "--offset", "-1"}).exitCode, 2);
  EXPECT_EQ(runCli({"decode", "SEGDDECODEGH1", file.string(), "--length", "0"}).exitCode, 2);
  EXPECT_EQ(runCli({"decode", "SEGDDECODEGH1"}).exitCode, 2);
  const test::CliResult missing = runCli({"decode", "SEGDDECODEGH1", (dir / "none").string()});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_TRUE(contains(missing.err, "Cannot open")) << missing.err;
  const test::CliResult unknown = runCli({"decode", "NOSUCHDECODER", file.string()});
  EXPECT_TRUE(contains(unknown.err, "vqc88decodefileheader"));
}

TEST(DecodeCommandSeg2, DescriptorStringsAndTraceHeaderFollowTheFilesByteOrder) {
  for (bool pc : {true, false}) {
    test::Seg2FileBuilder b(pc);
    b.fileString("INSTRUMENT UNIT 9");
    auto& t = b.trace(6);
    t.strings = {"DELAY 0.5", "RECEIVER_LOCATION 1 2 3"};
    t.data = {0, 0, 0, 0};
    test::TempDir dir;
    test::writeFileBytes(dir / "f.sg2", b.build());
    const std::string path = (dir / "f.sg2").string();
    const std::string offset = std::to_string(b.traceOffset(0));

    const test::CliResult header =
        runCli({"decode", "DECODESEG2TRACEHEADER", path, "--offset", offset});
    EXPECT_EQ(header.exitCode, 1) << pc;
    EXPECT_TRUE(contains(header.out, "\"identifier\": \"4422\"")) << pc << header.out;
    EXPECT_TRUE(contains(header.out, "\"message\": \"Unknown Data Block Numeric Format - 6\""))
        << pc;

    const test::CliResult strings = runCli({"decode", "DECODESEG2TRACEDESCRIPTOR", path, "--offset",
                                            std::to_string(b.traceOffset(0) + 32)});
    ASSERT_EQ(strings.exitCode, 0) << pc << strings.err;
    EXPECT_TRUE(contains(strings.out, "\"delay\": \"0.5\"")) << pc << strings.out;
    EXPECT_TRUE(contains(strings.out, "\"receiver_location_z\": \"3\"")) << pc;

    const test::CliResult file =
        runCli({"decode", "DECODESEG2FILEDESCRIPTOR", path, "--offset", "36"});
    EXPECT_TRUE(contains(file.out, "\"instrument\": \"UNIT 9\"")) << pc << file.out;
  }
}

}  // namespace
}  // namespace vorax::cli
