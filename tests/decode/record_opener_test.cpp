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

}  // namespace
}  // namespace vorax::decode
