#include "decode/record_opener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// Three hand-made records one after another (428 bytes each: 224 of headers, 3 traces of
// 20 + 32 + 4 x 4), told apart by their tape numbers.
std::vector<std::uint8_t> threeRecords() {
  std::vector<std::uint8_t> bytes;
  for (const int tape : {1, 2, 3}) {
    test::HandmadeRecord r;
    r.extended[1] = static_cast<std::uint8_t>(tape);  // tape number "000<tape>"
    const auto one = r.bytes();
    bytes.insert(bytes.end(), one.begin(), one.end());
  }
  return bytes;
}

TEST(RecordOpener, AFileOfSeveralRecordsOpensTheOneAsked) {
  const auto bytes = threeRecords();
  ASSERT_EQ(bytes.size(), 3u * 428u);
  const struct {
    std::int32_t asked;
    const char* tapeNumber;
    std::int32_t firstTracePosition;  // from the file's start
    std::vector<std::string> messages;
  } cases[] = {
      {0,
       "0001",
       225,
       {"This file holds 3 records; record 1 is shown (vorax split separates them)"}},
      {1, "0001", 225, {}},
      {2, "0002", 428 + 225, {}},
      {3, "0003", 2 * 428 + 225, {}},
  };
  for (const auto& c : cases) {
    for (const bool loadTraces : {true, false}) {
      RecordFile file = RecordFile::fromMemory(bytes, "three.segd");
      SegdRecord record;
      CollectingMessages messages;
      OpenOptions options;
      options.record = c.asked;
      options.loadTraces = loadTraces;
      const OpenResult result = openRecord(file, record, messages, {}, options);
      ASSERT_TRUE(result.ok()) << c.asked;
      EXPECT_EQ(result.recordCount, 3);
      EXPECT_EQ(result.recordNumber, std::max(1, c.asked));
      EXPECT_EQ(result.firstTracePosition, c.firstTracePosition) << c.asked;
      EXPECT_EQ(record.summary.tapeNumber.rtrimmed(), c.tapeNumber) << c.asked;
      EXPECT_EQ(messages.messages, c.messages) << c.asked;
      if (loadTraces) {
        ASSERT_EQ(record.loadedTraceCount(), 3);
        EXPECT_EQ(record.samples.at(1, 1), -1.0f);  // trace 1: 1, -4, 2, 0 over its peak 4
      }
    }
  }
  RecordFile file = RecordFile::fromMemory(bytes, "three.segd");
  SegdRecord record;
  CollectingMessages messages;
  OpenOptions options;
  options.record = 4;
  const OpenResult result = openRecord(file, record, messages, {}, options);
  EXPECT_EQ(result.status, OpenStatus::FileError);
  EXPECT_EQ(result.error, "three.segd holds 3 records; there is no record 4");
}

// What the headers declare against the file's size, also when only the headers are read.
TEST(RecordOpener, AFileOfAnotherSizeThanDeclaredIsSaidSo) {
  const auto whole = test::HandmadeRecord().bytes();
  std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + 224 + 68 + 30);
  std::vector<std::uint8_t> longer = whole;
  longer.insert(longer.end(), 10, 0xEE);
  const struct {
    std::vector<std::uint8_t> bytes;
    std::string message;
  } cases[] = {
      // 98 bytes after the headers: trace 1 whole, trace 2 started.
      {cut,
       "The file is shorter than its headers declare: 3 traces declared, 2 loaded; missing "
       "samples read as 0."},
      {longer,
       "The file is longer than its headers declare: the 10 bytes after the last trace are not "
       "read."},
  };
  for (const auto& c : cases) {
    for (const bool loadTraces : {true, false}) {
      RecordFile file = RecordFile::fromMemory(c.bytes, "hand.segd");
      SegdRecord record;
      CollectingMessages messages;
      OpenOptions options;
      options.loadTraces = loadTraces;
      ASSERT_TRUE(openRecord(file, record, messages, {}, options).ok());
      EXPECT_EQ(messages.messages, std::vector<std::string>{c.message}) << loadTraces;
    }
  }
}

}  // namespace
}  // namespace vorax::decode
