#include "decode/segd/general_headers.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/header_test_bytes.h"

namespace vorax::decode {
namespace {

using test::ByteVector;
using test::putBytes;

// A VORAX block 1: file 1234, format 8058, year 05 day 060 13:45:07, manufacturer 31,
// 1 ms, record type 8 with extended record length, 2 channel sets, 2 extended header
// blocks, external header length in block 2.
ByteVector goodGh1() {
  ByteVector b(32, 0);
  putBytes(b, 1, {0x12, 0x34, 0x80, 0x58});
  putBytes(b, 11, {0x05, 0x20, 0x60, 0x13, 0x45, 0x07, 0x31, 0x00, 0x42});
  putBytes(b, 23, {0x10, 0x3A, 0xBC, 0x8F, 0xFF, 0x01, 0x02, 0x00, 0x02, 0xFF});
  return b;
}

TEST(Gh1, DecodesDigitAndTextFields) {
  Gh1Fields f;
  EXPECT_EQ(SEGDDECODEGH1(goodGh1(), f), 0);
  EXPECT_EQ(f.fileNumber, "1234");
  EXPECT_EQ(f.formatText, "32 Bit IEEE DeMUX   ");
  EXPECT_EQ(f.additionalBlocks, "2");
  EXPECT_EQ(f.julianDay, "060");
  EXPECT_EQ(f.polarity, "3");
  EXPECT_EQ(f.scansPerBlock, "ABC");
  EXPECT_EQ(f.recordTypeCode, "8");
  EXPECT_EQ(f.recordLength, "FFF");
  EXPECT_EQ(f.channelSetsPerScanType, "02");
  EXPECT_EQ(f.manufacturerText.trimmed(), "Japex");
  EXPECT_EQ(f.instrumentModel.trimmed(), "");
  EXPECT_EQ(f.dateText.trimmed(), "2005-03-01");
  EXPECT_EQ(f.timeText, "13:45:07");
  EXPECT_EQ(f.sampleIntervalMs.trimmed(), "1");
  EXPECT_EQ(f.recordTypeText.trimmed(), "Normal");
  EXPECT_EQ(f.recordLengthText.trimmed(), "Ext Rec Len Used");
  EXPECT_EQ(f.extendedHeaderLength.trimmed(), "64");
  EXPECT_EQ(f.externalHeaderLength.trimmed(), "From GH2");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(Gh1, FormatCodes) {
  ByteVector b = goodGh1();
  Gh1Fields f;
  putBytes(b, 3, {0x80, 0x36});
  EXPECT_EQ(SEGDDECODEGH1(b, f), 0);
  EXPECT_EQ(f.formatText, "24 Bit 2's Comp Inte");  // cut to the 20-wide field

  putBytes(b, 3, {0x87, 0x65});
  Gh1Fields vqc;
  EXPECT_EQ(SEGDDECODEGH1(b, vqc), 1);
  EXPECT_EQ(vqc.formatText.trimmed(), "Sercel VQC-88");
  EXPECT_EQ(vqc.manufacturerText.trimmed(), "Sercel");  // even with code 31 in byte 17
  EXPECT_EQ(vqc.message.trimmed(), "Non Fatal Error - VQC88 file");
  EXPECT_EQ(vqc.dateText.trimmed(), "");
  EXPECT_EQ(vqc.timeText.trimmed(), "");
  EXPECT_EQ(vqc.sampleIntervalMs.trimmed(), "");
  EXPECT_EQ(vqc.recordTypeText.trimmed(), "");
  EXPECT_EQ(vqc.manufacturerCode, "31");  // digit fields come first

  putBytes(b, 3, {0x12, 0x3F});
  Gh1Fields bad;
  EXPECT_EQ(SEGDDECODEGH1(b, bad), -1);
  EXPECT_EQ(bad.formatText.trimmed(), "Unknown");
  EXPECT_EQ(bad.message.trimmed(),
            "123F is an invalid SEGD Format Code. This is not a SEG D File.");
  EXPECT_EQ(bad.dateText.trimmed(), "");
  EXPECT_EQ(bad.manufacturerText.trimmed(), "");
}

TEST(Gh1, EmptyBufferIsFormatZeroAndFatal) {
  Gh1Fields f;
  EXPECT_EQ(SEGDDECODEGH1(ByteVector{}, f), -1);
  EXPECT_EQ(f.fileNumber, "0000");
  EXPECT_EQ(f.message.trimmed(), "0000 is an invalid SEGD Format Code. This is not a SEG D File.");
}

TEST(Gh1, Manufacturers) {
  ByteVector b = goodGh1();
  putBytes(b, 17, {0x13});
  putBytes(b, 5, {0x00, 0x00, 0x00, 0x00, 0x00, 0x05});
  Gh1Fields sercel;
  EXPECT_EQ(SEGDDECODEGH1(b, sercel), 0);
  EXPECT_EQ(sercel.manufacturerText.trimmed(), "Sercel");
  EXPECT_EQ(sercel.instrumentModel.trimmed(), "SN428 CM428XL");

  putBytes(b, 10, {0x04});
  Gh1Fields otherModel;
  SEGDDECODEGH1(b, otherModel);
  EXPECT_EQ(otherModel.instrumentModel.trimmed(), "Unknown");

  putBytes(b, 17, {0x21});
  Gh1Fields unnamed;
  EXPECT_EQ(SEGDDECODEGH1(b, unnamed), 0);
  EXPECT_EQ(unnamed.manufacturerText.trimmed(), "");
  EXPECT_EQ(unnamed.instrumentModel.trimmed(), "");

  putBytes(b, 17, {0x40});
  Gh1Fields last;
  SEGDDECODEGH1(b, last);
  EXPECT_EQ(last.manufacturerText.trimmed(), "Geo-X");

  for (int code : {0x41, 0x00, 0x99}) {
    putBytes(b, 17, {code});
    Gh1Fields unknown;
    EXPECT_EQ(SEGDDECODEGH1(b, unknown), 2) << code;
    EXPECT_EQ(unknown.manufacturerText.trimmed(), "Unknown Manufacturer");
    EXPECT_EQ(unknown.message.trimmed(), "The Manufacturer code is not recognised");
    EXPECT_EQ(unknown.recordTypeText.trimmed(), "Normal");  // decoding went on
    EXPECT_EQ(unknown.externalHeaderLength.trimmed(), "From GH2");
  }
}

TEST(Gh1, SampleIntervalCodes) {
  ByteVector b = goodGh1();
  const std::pair<int, const char*> accepted[] = {
      {0x04, "0.25"}, {0x08, "0.5"}, {0x10, "1"}, {0x20, "2"}, {0x40, "4"}};
  for (auto [code, ms] : accepted) {
    putBytes(b, 23, {code});
    Gh1Fields f;
    EXPECT_EQ(SEGDDECODEGH1(b, f), 0);
    EXPECT_EQ(f.sampleIntervalMs.trimmed(), ms);
  }
  putBytes(b, 23, {0x03});
  putBytes(b, 17, {0x99});  // the fatal status wins over the manufacturer warning
  Gh1Fields bad;
  EXPECT_EQ(SEGDDECODEGH1(b, bad), -3);
  EXPECT_EQ(bad.sampleIntervalMs.trimmed(), "0");
  EXPECT_EQ(bad.message.trimmed(),
            "Invalid Sample Rate Code - the code to indicate sample rate is not correct");
  EXPECT_EQ(bad.recordTypeText.trimmed(), "");
}

TEST(Gh1, RecordTypeAndLengths) {
  ByteVector b = goodGh1();
  putBytes(b, 26, {0x21, 0x23});
  putBytes(b, 31, {0x10, 0x00});
  Gh1Fields test;
  EXPECT_EQ(SEGDDECODEGH1(b, test), 0);
  EXPECT_EQ(test.recordTypeText.trimmed(), "Test");
  EXPECT_EQ(test.recordLengthText.trimmed(), "123");
  EXPECT_EQ(test.extendedHeaderLength.trimmed(), "320");  // BCD 10 blocks of 32 bytes
  EXPECT_EQ(test.externalHeaderLength.trimmed(), "0");

  for (int nibble : {0x50, 0xA0}) {
    putBytes(b, 26, {nibble});
    Gh1Fields bad;
    EXPECT_EQ(SEGDDECODEGH1(b, bad), -4);
    EXPECT_EQ(bad.recordTypeText.trimmed(), "Unknown");
    EXPECT_EQ(bad.message.trimmed(),
              "Invalid Record Type Code - The code indicating record type should be 2 or 8");
    EXPECT_EQ(bad.recordLengthText.trimmed(), "");
  }
}

TEST(Gh1, DatesFromYearAndDay) {
  ByteVector b = goodGh1();
  putBytes(b, 11, {0x04, 0x20, 0x60});
  Gh1Fields leap;
  SEGDDECODEGH1(b, leap);
  EXPECT_EQ(leap.dateText.trimmed(), "2004-02-29");
  putBytes(b, 11, {0x99, 0x23, 0x65});
  Gh1Fields lastDay;
  SEGDDECODEGH1(b, lastDay);
  EXPECT_EQ(lastDay.dateText.trimmed(), "1999-12-31");
}

TEST(Gh2, DigitsNumbersAndRevision) {
  ByteVector b(32, 0);
  putBytes(b, 1, {0x01, 0x02, 0x03, 0x00, 0x05, 0x00, 0x00, 0x00, 0x12});
  putBytes(b, 11, {0x02, 0x01});
  putBytes(b, 15, {0x00, 0x27, 0x10});
  putBytes(b, 32, {0xAB});
  Gh2Fields f;
  EXPECT_EQ(SEGDDECODEGH2(b, f), 0);
  EXPECT_EQ(f.expandedFileNumber, "010203");
  EXPECT_EQ(f.expandedFileNumberValue.trimmed(), "66051");
  EXPECT_EQ(f.extendedChannelSets, "0005");
  EXPECT_EQ(f.externalHeaderBlocks, "0012");
  EXPECT_EQ(f.segdRevision, "0201");
  EXPECT_EQ(f.revisionText.trimmed(), "2.1");
  EXPECT_EQ(f.extendedRecordLength, "002710");
  EXPECT_EQ(f.extendedRecordLengthValue.trimmed(), "10000");
  EXPECT_EQ(f.bytes20To32, "000000000000000000000000AB");
}

TEST(Gh3, SourceLineAndPoint) {
  ByteVector b(32, 0);
  putBytes(b, 4, {0x00, 0x00, 0x64, 0x00, 0x50});        // line 100.0050
  putBytes(b, 9, {0x00, 0x01, 0x2C, 0x12, 0x34, 0x12});  // point 300.1234, index 0x12
  putBytes(b, 21, {0xDE, 0xAD});
  Gh3Fields f;
  EXPECT_EQ(SEGDDECODEGH3(b, f), 0);
  EXPECT_EQ(f.sourceLineDigits, "0000640050");
  EXPECT_EQ(f.sourceLine.trimmed(), "100.0050");
  EXPECT_EQ(f.sourcePoint.trimmed(), "300.1234");
  EXPECT_EQ(f.sourcePointIndexDigits, "12");
  EXPECT_EQ(f.sourcePointIndex.trimmed(), "18");
  EXPECT_EQ(f.bytes21To32, "DEAD00000000000000000000");
}

TEST(ScanTypeHeader, SplitsNibbleFields) {
  ByteVector b(32, 0);
  putBytes(b, 1, {0x01, 0x02, 0x12, 0x34});
  putBytes(b, 9, {0x02, 0x40, 0x19, 0x3C});
  putBytes(b, 29, {0x57, 0x01, 0x02, 0x03});
  ChannelSetFields f;
  EXPECT_EQ(SEGDDECODESCANTYPEHEADER(b, f), 0);
  EXPECT_EQ(f.startTime, "1234 ");
  EXPECT_EQ(f.channelCount, "0240");
  EXPECT_EQ(f.channelType, "1");
  EXPECT_EQ(f.channelTypeSecondDigit, "9");
  EXPECT_EQ(f.subscans, "3");
  EXPECT_EQ(f.channelGainControl, "C");
  EXPECT_EQ(f.extendedHeaderFlag, "5");
  EXPECT_EQ(f.traceHeaderExtensions, "7");
  EXPECT_EQ(f.arrayForming, "03");
}

TEST(ExternalHeader, PrintableBytesOnlyAndZeroPadding) {
  const ByteVector b{0x41, 0x0D, 0x20, 0xC8, 0x21, 0x7E, 0x7F, 0x00};
  ExternalHeaderFields f;
  EXPECT_EQ(SEGDDECODE408EXTERNALHEADER(b, f), 0);
  EXPECT_EQ(f.text.view().substr(0, 8), "A   !~  ");
  EXPECT_EQ(f.text.trimmed(), "A   !~");
  EXPECT_EQ(f.hexDigits.view().substr(0, 16), "410D20C8217E7F00");
  EXPECT_EQ(f.hexDigits.view().substr(16), std::string(2032, '0'));
}

TEST(ExternalHeader, OnlyTheFirst1024BytesShow) {
  ByteVector b(1025, 0x42);
  b[1024] = 0x43;
  ExternalHeaderFields f;
  SEGDDECODE408EXTERNALHEADER(b, f);
  EXPECT_EQ(f.text.view(), std::string(1024, 'B'));
  EXPECT_EQ(f.hexDigits.view().substr(2046), "42");
}

}  // namespace
}  // namespace vorax::decode
