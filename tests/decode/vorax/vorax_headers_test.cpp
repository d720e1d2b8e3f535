#include "decode/vorax/vorax_headers.h"

#include <gtest/gtest.h>

#include "decode/conversions.h"
#include "decode/header_test_bytes.h"

namespace vorax::decode {
namespace {

using test::ByteVector;
using test::putBytes;

TEST(VoraxGh3, SourceCoordinatesInHundredths) {
  ByteVector b(32, 0);
  putBytes(b, 4, {0x00, 0x00, 0x64, 0x00, 0x50});
  putBytes(b, 21, {0x00, 0x01, 0x86, 0xA0});  // 100000
  putBytes(b, 25, {0x26, 0xBE, 0x36, 0x80});  // 650000000: a northing of 6,500,000.00 m
  putBytes(b, 29, {0xFF, 0xFF, 0xFF, 0xFF});
  VoraxGh3Fields f;
  EXPECT_EQ(SEGDDECODEVORAXGH3(b, f), 0);
  EXPECT_EQ(f.sourceX.trimmed(), "100000");
  EXPECT_DOUBLE_EQ(numericValue(f.sourceX.view()) / 100, 1000.0);
  EXPECT_EQ(f.sourceY.trimmed(), "650000000");  // nine digits, not cut
  EXPECT_EQ(f.sourceZ.trimmed(), "4294967295");
  EXPECT_EQ(f.sourceLine.trimmed(), "100.0050");
  EXPECT_EQ(f.message.trimmed(), "");
}

// Extended header with 240 traces of 2001 samples, ITB, CBS, system test, minimum phase.
ByteVector extendedHeader() {
  ByteVector b(64, 0);
  putBytes(b, 1, {0x12, 0x34, 0x02, 0x40, 0x00, 0x20, 0x01, 0x10, 0x21, 0x10});
  putBytes(b, 11, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
  putBytes(b, 21, {0xDE, 0x90, 0x34, 0x56, 0x78, 0xBA, 0x0F});
  putBytes(b, 33, {0x50});
  putBytes(b, 39, {0x01, 0x25, 0x00, 0x00, 0x07});
  putBytes(b, 48, {0x12, 0x30});
  putBytes(b, 52, {0x20, 0xEE, 0x54});
  putBytes(b, 64, {0x64});
  return b;
}

TEST(VoraxExtended, CountsAreBcd) {
  VoraxExtendedFields f;
  EXPECT_EQ(SEGDDECODEVORAXEXTENDEDHEADER(extendedHeader(), f), 0);
  EXPECT_EQ(f.tapeNumber, "1234 ");
  EXPECT_EQ(f.traceCount, "0240 ");
  EXPECT_EQ(f.samplesPerTrace, "002001  ");
  EXPECT_EQ(numericInt(f.traceCount.view()), 240);
  EXPECT_EQ(numericInt(f.samplesPerTrace.view()), 2001);
  EXPECT_EQ(f.bytes11To16, "11223344");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(VoraxExtended, SettingTexts) {
  VoraxExtendedFields f;
  SEGDDECODEVORAXEXTENDEDHEADER(extendedHeader(), f);
  EXPECT_EQ(f.timeBreakKind, "ITB");
  EXPECT_EQ(f.dataRetry.trimmed(), "No Data Retry");
  EXPECT_EQ(f.correlation.trimmed(), "CBS");
  EXPECT_EQ(f.recordKind.trimmed(), "System Test");
  EXPECT_EQ(f.filterPhase.trimmed(), "Minimum Phase");
  EXPECT_EQ(f.noiseEdit.trimmed(), "No Noise Edit");
  EXPECT_EQ(f.sourceType.trimmed(), "5 Unknown");
  EXPECT_EQ(f.arrayFilter.trimmed(), "Eliptic");

  ByteVector b = extendedHeader();
  putBytes(b, 8, {0x01, 0xA0, 0x00});
  putBytes(b, 28, {0x00, 0x01, 0x23});
  putBytes(b, 33, {0x10});
  putBytes(b, 52, {0x70});
  VoraxExtendedFields g;
  SEGDDECODEVORAXEXTENDEDHEADER(b, g);
  EXPECT_EQ(g.timeBreakKind, "FTB");
  EXPECT_EQ(g.dataRetry.trimmed(), "Data Retry");
  EXPECT_EQ(g.correlation.trimmed(), "Unknown");  // nibble A is not 0
  EXPECT_EQ(g.recordKind.trimmed(), "Normal Record");
  EXPECT_EQ(g.filterPhase.trimmed(), "Linear Phase");
  EXPECT_EQ(g.noiseEdit.trimmed(), "000123");
  EXPECT_EQ(g.sourceType.trimmed(), "Explosive");
  EXPECT_EQ(g.arrayFilter.trimmed(), "7 Unknown");
}

TEST(VoraxExtended, AuxiliaryChannels) {
  VoraxExtendedFields f;
  SEGDDECODEVORAXEXTENDEDHEADER(extendedHeader(), f);
  const char* codes = "DE90345678BA0F";
  const char* texts[] = {"Radio Ref",   "Radio Return", "9 Unspecified", "Unknown",
                         "Dummy",       "TB",           "Uphole",        "Pilot",
                         "Timing Word", "WaterBreak",   "Conf TB",       "A Unspecified",
                         "Unknown",     "F Unspecified"};
  for (std::size_t i = 0; i < kAuxChannelCount; ++i) {
    EXPECT_EQ(f.auxChannelCodes[i].view(), std::string_view(codes + i, 1)) << i;
    EXPECT_EQ(f.auxChannelTexts[i].trimmed(), texts[i]) << i;
  }
}

TEST(VoraxExtended, ValuesInTenths) {
  VoraxExtendedFields f;
  SEGDDECODEVORAXEXTENDEDHEADER(extendedHeader(), f);
  EXPECT_EQ(f.upholeTime, "0125  ");
  EXPECT_EQ(f.upholeTimeTenths.trimmed(), "12.5");
  EXPECT_EQ(f.valueD, "000007  ");
  EXPECT_EQ(f.valueDTenths.trimmed(), "0.7");
  EXPECT_EQ(f.valueE, "1230");
  EXPECT_EQ(f.valueETenths.trimmed(), "123");
  EXPECT_EQ(f.valueETenths.view().size(), 164u);
  EXPECT_EQ(f.valueATenths.trimmed(), "0");
  // Byte 53 is skipped: the tail starts at byte 54.
  EXPECT_EQ(f.bytes54To64, "5400000000000000000064  ");
}

TEST(VoraxTraceExt1, ReceiverFields) {
  ByteVector b(32, 0);
  putBytes(b, 1, {0x00, 0x04, 0xD2, 0x00, 0x00, 0x65, 0x01, 0x00, 0x07, 0xD1, 0xAB, 0x0C});
  putBytes(b, 13, {0x00, 0x01, 0x86, 0xA0, 0x26, 0xBE, 0x36, 0x80});
  putBytes(b, 21, {0x1E, 0x12, 0x34, 0xAB, 0xCD, 0x37, 0x04, 0x28, 0x00, 0x03, 0x05, 0x99});
  VoraxTraceExt1Fields f;
  EXPECT_EQ(SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(b, f), 0);
  EXPECT_EQ(f.receiverLine.trimmed(), "1234");
  EXPECT_EQ(f.receiverPoint.trimmed(), "101");
  EXPECT_EQ(f.receiverPointIndex.trimmed(), "1");
  EXPECT_EQ(f.samplesPerTrace.trimmed(), "2001");
  EXPECT_EQ(f.byte11, "AB");
  EXPECT_EQ(f.byte12, "0C");
  EXPECT_EQ(f.receiverX.trimmed(), "100000");
  EXPECT_EQ(f.receiverY.trimmed(), "650000000");
  EXPECT_EQ(f.byte21, "1E");
  EXPECT_EQ(f.unitIdentifier, "1234ABCD");
  EXPECT_EQ(f.byte26FirstDigit, "3");
  EXPECT_EQ(f.byte26SecondDigit, "7");
  EXPECT_EQ(f.bytes27To28, "0428");
  EXPECT_EQ(f.bytes29To30, "0003");
  EXPECT_EQ(f.byte31, "05  ");
  EXPECT_EQ(f.byte31Again, "05");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(VoraxDecoders, ShortBuffersReadAsZeros) {
  VoraxExtendedFields f;
  EXPECT_EQ(SEGDDECODEVORAXEXTENDEDHEADER(ByteVector{0x12}, f), 0);
  EXPECT_EQ(f.tapeNumber, "1200 ");
  EXPECT_EQ(f.timeBreakKind, "FTB");
  EXPECT_EQ(f.auxChannelTexts[13].trimmed(), "Unknown");
  EXPECT_EQ(f.sourceType.trimmed(), "0 Unknown");
  VoraxTraceExt1Fields t;
  SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(ByteVector{}, t);
  EXPECT_EQ(t.receiverX.trimmed(), "0");
  EXPECT_EQ(t.byte31Again, "00");
}

}  // namespace
}  // namespace vorax::decode
