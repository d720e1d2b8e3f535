#include "decode/segd/trace_header.h"

#include <gtest/gtest.h>

#include "decode/header_test_bytes.h"

namespace vorax::decode {
namespace {

using test::ByteVector;
using test::putBytes;

// File 1234, scan type 1, channel set 2, trace 0017, timing word 100000, one extension,
// edit code 2, extended file number 100000.
ByteVector traceHeader() {
  ByteVector b(20, 0);
  putBytes(b, 1, {0x12, 0x34, 0x01, 0x02, 0x00, 0x17, 0x01, 0x86, 0xA0, 0x01});
  putBytes(b, 11, {0x00, 0x02, 0x00, 0x03, 0xE8, 0x00, 0x05, 0x01, 0x86, 0xA0});
  return b;
}

TEST(DemuxTraceHeader, DecodesFields) {
  DemuxTraceHeaderFields f;
  EXPECT_EQ(SEGDDECODEDEMUXTRACEHEADER(traceHeader(), f), 0);
  EXPECT_EQ(f.fileNumber, "1234");
  EXPECT_EQ(f.channelSetNumber, "02");
  EXPECT_EQ(f.traceNumber, "0017");
  EXPECT_EQ(f.firstTimingWord, "1000");  // "100000" cut to four characters
  EXPECT_EQ(f.traceHeaderExtensions.trimmed(), "1");
  EXPECT_EQ(f.traceEditCode.trimmed(), "2");
  EXPECT_EQ(f.timeBreakWindow.trimmed(), "1000");
  EXPECT_EQ(f.extendedChannelSetNumber, "0005");
  EXPECT_EQ(f.extendedFileNumber, "100000");
  EXPECT_EQ(f.traceEditText.trimmed(), "Muted or dead prior to acquisition");
  EXPECT_EQ(f.effectiveFileNumber.trimmed(), "1234");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(DemuxTraceHeader, TraceEditCodes) {
  ByteVector b = traceHeader();
  putBytes(b, 12, {0x00});
  DemuxTraceHeaderFields none;
  EXPECT_EQ(SEGDDECODEDEMUXTRACEHEADER(b, none), 0);
  EXPECT_EQ(none.traceEditText.trimmed(), "No edit applied");

  putBytes(b, 12, {0x03});
  DemuxTraceHeaderFields edited;
  EXPECT_EQ(SEGDDECODEDEMUXTRACEHEADER(b, edited), 0);
  EXPECT_EQ(edited.traceEditText.trimmed(), "Edited by acquisition system");

  for (int code : {0x01, 0x20}) {  // 0x20 reads "32": not a 3
    putBytes(b, 12, {code});
    DemuxTraceHeaderFields bad;
    EXPECT_EQ(SEGDDECODEDEMUXTRACEHEADER(b, bad), 1) << code;
    EXPECT_EQ(bad.traceEditText.trimmed(), "Status Unknown");
    EXPECT_EQ(bad.message.trimmed(), "Trace edit Flag error - should be 0,2 or 3");
    EXPECT_EQ(bad.effectiveFileNumber.trimmed(), "1234");  // still filled
  }
}

TEST(DemuxTraceHeader, FileNumberFFFFUsesExtendedFileNumber) {
  ByteVector b = traceHeader();
  putBytes(b, 1, {0xFF, 0xFF});
  DemuxTraceHeaderFields f;
  SEGDDECODEDEMUXTRACEHEADER(b, f);
  EXPECT_EQ(f.fileNumber, "FFFF");
  EXPECT_EQ(f.effectiveFileNumber, "100000");
}

TEST(DemuxTraceHeader, EmptyBufferReadsAsZeros) {
  DemuxTraceHeaderFields f;
  EXPECT_EQ(SEGDDECODEDEMUXTRACEHEADER(ByteVector{}, f), 0);
  EXPECT_EQ(f.fileNumber, "0000");
  EXPECT_EQ(f.traceEditText.trimmed(), "No edit applied");
}

}  // namespace
}  // namespace vorax::decode
