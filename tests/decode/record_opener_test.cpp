#include "decode/record_opener.h"

#include <gtest/gtest.h>

#include "decode/synth/synth_writer.h"
#include "decode/vorax/handmade_record.h"
#include "test_support.h"

namespace vorax::decode {
namespace {

TEST(RecordOpener, OpensAFileOnDiskAndClosesIt) {
  test::TempDir dir;
  test::writeFileBytes(dir / "hand.segd", test::HandmadeRecord().bytes());
  SegdRecord record;
  CollectingMessages messages;
  const OpenResult result = openRecord(dir / "hand.segd", record, messages, {});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.firstTracePosition, test::HandmadeRecord::kFirstTracePosition);
  EXPECT_EQ(result.flavour, RecordFlavour::Vorax);
  EXPECT_EQ(result.tracesRead, 3);
  EXPECT_EQ(record.samples.traceCount(), 3);
  EXPECT_EQ(record.fileName, (dir / "hand.segd").string());
}

TEST(RecordOpener, FatalHeaderResultDoesNotLoadTraces) {
  test::HandmadeRecord r;
  r.gh1[22] = 0x03;
  const auto bytes = r.bytes();
  RecordFile file = RecordFile::fromMemory(bytes);
  SegdRecord record;
  record.samples.reset(5, 5);
  CollectingMessages messages;
  const OpenResult result = openRecord(file, record, messages, {});
  EXPECT_EQ(result.status, OpenStatus::DecoderFatal);
  EXPECT_EQ(result.firstTracePosition, -1);
  EXPECT_EQ(record.samples.traceCount(), 5);  // the previous record's traces stay
  EXPECT_EQ(messages.messages.size(), 1u);
}

TEST(RecordOpener, HeadersOnlyLeavesTheTraces) {
  const auto bytes = test::HandmadeRecord().bytes();
  RecordFile file = RecordFile::fromMemory(bytes);
  SegdRecord record;
  OpenOptions options;
  options.loadTraces = false;
  CollectingMessages messages;
  const OpenResult result = openRecord(file, record, messages, {}, options);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(record.summary.traceCount, 3);
  EXPECT_EQ(record.samples.traceCount(), 0);
  EXPECT_FALSE(file.isOpen());
}

TEST(RecordOpener, MissingFileIsAFileError) {
  test::TempDir dir;
  SegdRecord record;
  CollectingMessages messages;
  const OpenResult result = openRecord(dir / "none.segd", record, messages, {});
  EXPECT_EQ(result.status, OpenStatus::FileError);
  EXPECT_EQ(result.error.rfind("Cannot open ", 0), 0u);
  EXPECT_TRUE(messages.messages.empty());
}

TEST(RecordOpener, ATextFileIsNamedAsSuchAndNoRecordBytesAre) {
  auto open = [](const std::vector<std::uint8_t>& bytes) {
    RecordFile file = RecordFile::fromMemory(bytes, "/data/notes.txt");
    SegdRecord record;
    CollectingMessages messages;
    return openRecord(file, record, messages, {});
  };
  auto bytesOf = [](std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
  };
  // Text, with UTF-8 ("µ", "é") and one multi-byte character cut by the 512-byte window.
  std::string text = "Shot 1041\tline 3001\r\nGain 24 dB, 2 ms, µV, é\f\n";
  while (text.size() < 511) text += "x";
  text += "é";
  for (const std::string& t : {text, std::string("a")}) {
    const OpenResult result = open(bytesOf(t));
    EXPECT_EQ(result.status, OpenStatus::FileError);
    EXPECT_EQ(result.error, "notes.txt is a text file, not a SEG-D or SEG-2 file.");
  }
  // Not text: a record, bytes above 0x7E outside UTF-8, a control character.
  EXPECT_TRUE(open(test::HandmadeRecord().bytes()).ok());
  for (const std::vector<std::uint8_t>& bytes : {std::vector<std::uint8_t>(64, 0xFF),
                                                 bytesOf("abc\x01"
                                                         "def"),
                                                 bytesOf("caf\xC3(")})
    EXPECT_EQ(open(bytes).error.find("text file"), std::string::npos);
}

}  // namespace
}  // namespace vorax::decode
