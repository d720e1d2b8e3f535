#include "decode/seg2/seg2_headers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vorax::decode {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(Seg2Hexvalue, AnyLengthAsOneUnsignedNumber) {
  EXPECT_EQ(hexvalue(std::vector<std::uint8_t>{0x01, 0x00}), "256");
  EXPECT_EQ(hexvalue(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}), "4294967295");
  EXPECT_EQ(hexvalue(std::vector<std::uint8_t>(10, 0xFF)),
            "1208925819614629174706175");  // 2^80 - 1
  EXPECT_EQ(hexvalue(std::vector<std::uint8_t>{0x00, 0x00, 0x07}), "7");
  EXPECT_EQ(hexvalue(Bytes{}), "0");
}

TEST(Seg2FileHeader, PcOrderReversesTwoByteFields) {
  // Revision 1, M = 0x0210 = 528, N = 60, string terminator 1 x 00, line terminator 2 x 0C 0A.
  std::vector<std::uint8_t> bytes = {0x55, 0x3A, 0x01, 0x00, 0x10, 0x02, 0x3C,
                                     0x00, 0x01, 0x00, 0x00, 0x02, 0x0C, 0x0A};
  bytes.resize(32, 0);
  Seg2FileHeaderFields f;
  EXPECT_EQ(DECODESEG2FILEHEADER(bytes, f), 0);
  EXPECT_EQ(f.identifier.view(), "553A");
  EXPECT_EQ(f.revision.view(), "0001");
  EXPECT_EQ(f.tracePointerBlockSize.trimmed(), "528");
  EXPECT_EQ(f.traceCount.trimmed(), "60");
  EXPECT_EQ(f.stringTerminatorCount.trimmed(), "1");
  EXPECT_EQ(f.stringTerminatorCode1.trimmed(), "0");
  EXPECT_EQ(f.lineTerminatorCount.trimmed(), "2");
  EXPECT_EQ(f.lineTerminatorCode1.trimmed(), "12");
  EXPECT_EQ(f.lineTerminatorCode2.trimmed(), "10");
  EXPECT_EQ(f.byteOrderFlag.view(), "1");
  EXPECT_EQ(f.machine.view(), "PC  ");
  EXPECT_EQ(f.lineTerminator.view(), "\x0C\x0A");
  EXPECT_EQ(f.stringTerminator.view(), std::string(2, '\0'));
}

TEST(Seg2FileHeader, UnixOrderReadsFieldsAsStored) {
  std::vector<std::uint8_t> bytes = {0x3A, 0x55, 0x00, 0x01, 0x10, 0x80, 0x00, 0x03, 0x01, 0x0A};
  bytes.resize(32, 0);
  Seg2FileHeaderFields f;
  EXPECT_EQ(DECODESEG2FILEHEADER(bytes, f), 0);
  EXPECT_EQ(f.identifier.view(), "3A55");
  EXPECT_EQ(f.revision.view(), "0001");
  EXPECT_EQ(f.tracePointerBlockSize.trimmed(), "4224");
  EXPECT_EQ(f.traceCount.trimmed(), "3");
  EXPECT_EQ(f.byteOrderFlag.view(), "-");
  EXPECT_EQ(f.machine.view(), "UNIX");
  EXPECT_EQ(f.stringTerminator.view().substr(0, 1), "\n");
}

TEST(Seg2FileHeader, OtherIdentifierIsNotSeg2AndLeavesLaterFields) {
  std::vector<std::uint8_t> bytes = {0x53, 0x45, 0x47, 0x44};
  Seg2FileHeaderFields f;
  f.revision = "keep";
  EXPECT_EQ(DECODESEG2FILEHEADER(bytes, f), -1);
  EXPECT_EQ(f.message.view(), "Not a SEG 2 File");
  EXPECT_EQ(f.identifier.view(), "5345");
  EXPECT_EQ(f.revision.view(), "keep");
}

std::vector<std::uint8_t> traceHeaderBytes(bool pc, int format) {
  // Identifier 4422, block size 316, data size 5120, 2048 samples.
  std::vector<std::uint8_t> b =
      pc ? std::vector<std::uint8_t>{0x22, 0x44, 0x3C, 0x01, 0x00, 0x14, 0, 0, 0x00, 0x08, 0, 0}
         : std::vector<std::uint8_t>{0x44, 0x22, 0x01, 0x3C, 0, 0, 0x14, 0x00, 0, 0, 0x08, 0x00};
  b.push_back(static_cast<std::uint8_t>(format));
  b.resize(32, 0);
  return b;
}

TEST(Seg2TraceHeader, BothByteOrdersGiveTheSameValues) {
  for (bool pc : {true, false}) {
    Seg2TraceHeaderFields f;
    EXPECT_EQ(DECODESEG2TRACEHEADER(traceHeaderBytes(pc, 4), pc ? "1" : "-", f), 0);
    EXPECT_EQ(f.identifier.view(), "4422");
    EXPECT_EQ(f.blockSize.trimmed(), "316");
    EXPECT_EQ(f.dataBlockSize.trimmed(), "5120");
    EXPECT_EQ(f.sampleCount.trimmed(), "2048");
    EXPECT_EQ(f.dataFormatCode.trimmed(), "4");
    EXPECT_EQ(f.dataFormatText.trimmed(), "32 Bit Floating Point (IEEE)");
  }
}

TEST(Seg2TraceHeader, UnknownFormatAndWrongIdentifier) {
  Seg2TraceHeaderFields f;
  EXPECT_EQ(DECODESEG2TRACEHEADER(traceHeaderBytes(true, 6), "1", f), -1);
  EXPECT_EQ(f.dataFormatText.trimmed(), "Unknown Format");
  EXPECT_EQ(f.message.trimmed(), "Unknown Data Block Numeric Format - 6");

  // A PC-order descriptor read as UNIX order shows its identifier's bytes as stored.
  Seg2TraceHeaderFields g;
  g.blockSize = "keep";
  EXPECT_EQ(DECODESEG2TRACEHEADER(traceHeaderBytes(true, 4), "-", g), -1);
  EXPECT_EQ(g.message.trimmed(), "Invalid Trace Descriptor - Should Be 4422, But Got 2244");
  EXPECT_EQ(g.blockSize.view(), "keep");
}

TEST(Seg2Descriptor, ReceiverLocationSplitsIntoThreeFields) {
  Seg2TraceDescriptorFields f;
  EXPECT_EQ(DECODESEG2TRACEDESCRIPTOR(bytesOf("xxRECEIVER_LOCATION 100.0 200.5 12.0"),
                                      std::string(1, '\0'), f),
            0);
  EXPECT_EQ(f.receiverLocationX.trimmed(), "100.0");
  EXPECT_EQ(f.receiverLocationY.trimmed(), "200.5");
  EXPECT_EQ(f.receiverLocationZ.trimmed(), "12.0");
  EXPECT_EQ(f.receiver.trimmed(), "");
}

TEST(Seg2Descriptor, StationNumberDoesNotFillSourceButPlainSourceDoes) {
  Seg2TraceDescriptorFields f;
  DECODESEG2TRACEDESCRIPTOR(bytesOf("xxSOURCE_STATION_NUMBER 1001"), std::string(1, '\0'), f);
  EXPECT_EQ(f.sourceStationNumber.trimmed(), "1001");
  EXPECT_EQ(f.source.trimmed(), "");
  DECODESEG2TRACEDESCRIPTOR(bytesOf("xxSOURCE VIBROSEIS"), std::string(1, '\0'), f);
  EXPECT_EQ(f.source.trimmed(), "VIBROSEIS");
  EXPECT_EQ(f.sourceStationNumber.trimmed(), "1001");
}

// A whole string area as a file holds it: length word, text, zero terminator, repeated.
std::vector<std::uint8_t> stringArea(const std::vector<std::string>& texts, bool pc) {
  std::vector<std::uint8_t> area;
  for (const std::string& t : texts) {
    std::size_t length = t.size() + 3;
    if (pc)
      area.insert(area.end(),
                  {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)});
    else
      area.insert(area.end(),
                  {static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
    area.insert(area.end(), t.begin(), t.end());
    area.push_back(0);
  }
  return area;
}

TEST(Seg2Descriptor, WholeAreaInEitherOrderFillsEveryKeyword) {
  // Lengths 0x41 ('A') and 0x30 ('0') put a word character right before a keyword in UNIX order.
  std::string longNote = "NOTE " + std::string(0x41 - 8, 'n');
  std::string sortText = "TRACE_SORT " + std::string(0x30 - 14, 's');
  for (bool pc : {true, false}) {
    Seg2FileDescriptorFields f;
    f.client = "untouched";
    auto area =
        stringArea({"ACQUISITION_DATE 07/JAN/2013", longNote, "INSTRUMENT DMT", sortText}, pc);
    EXPECT_EQ(DECODESEG2FILEDESCRIPTOR(area, std::string(1, '\0'), f), 0);
    EXPECT_EQ(f.acquisitionDate.trimmed(), "07/JAN/2013") << pc;
    EXPECT_EQ(f.note.trimmed(), longNote.substr(5)) << pc;
    EXPECT_EQ(f.instrument.trimmed(), "DMT") << pc;
    EXPECT_EQ(f.traceSort.trimmed(), sortText.substr(11, 30)) << pc;  // cut to the width
    EXPECT_EQ(f.client.trimmed(), "untouched") << pc;
  }
}

TEST(Seg2Descriptor, LongerKeywordsDoNotOverwriteTheirPrefixes) {
  auto area = stringArea({"ACQUISITION_TIME 10:30:41", "ACQUISITION_TIME_MICROSECONDS_UTC 0",
                          "ACQUISITION_DATE_UTC 07/JAN/2013", "SCALE_UNITS mm/s"},
                         true);
  Seg2FileDescriptorFields f;
  DECODESEG2FILEDESCRIPTOR(area, std::string(1, '\0'), f);
  EXPECT_EQ(f.acquisitionTime.trimmed(), "10:30:41");
  EXPECT_EQ(f.acquisitionDate.trimmed(), "");
  EXPECT_EQ(f.units.trimmed(), "");

  auto traceArea =
      stringArea({"DIGITAL_BAND_REJECT_FILTER 50 60", "TRIGGER_DELAY 5", "DELAY -0.010"}, true);
  Seg2TraceDescriptorFields t;
  DECODESEG2TRACEDESCRIPTOR(traceArea, std::string(1, '\0'), t);
  EXPECT_EQ(t.digitalBandRejectFilter.trimmed(), "50 60");
  EXPECT_EQ(t.bandRejectFilter.trimmed(), "");
  EXPECT_EQ(t.delay.trimmed(), "-0.010");
}

TEST(Seg2Descriptor, ValueKeepsLeadingBlankAndIsCutToWidth) {
  auto area = stringArea({"CHANNEL_NUMBER 12345678901234", "POLARITY  -1"}, true);
  Seg2TraceDescriptorFields f;
  DECODESEG2TRACEDESCRIPTOR(area, std::string(1, '\0'), f);
  EXPECT_EQ(f.channelNumber.view(), "1234567890");
  EXPECT_EQ(f.polarity.view(), " -1 ");
}

TEST(Seg2Descriptor, LocationWithFewerPartsAndExtraBlanks) {
  auto area = stringArea({"SOURCE_LOCATION   1000.00  ", "RECEIVER_LOCATION 1  2   3 4"}, true);
  Seg2TraceDescriptorFields f;
  f.sourceLocationY = "old";
  DECODESEG2TRACEDESCRIPTOR(area, std::string(1, '\0'), f);
  EXPECT_EQ(f.sourceLocationX.trimmed(), "1000.00");
  EXPECT_EQ(f.sourceLocationY.trimmed(), "");
  EXPECT_EQ(f.receiverLocationY.trimmed(), "2");
  EXPECT_EQ(f.receiverLocationZ.trimmed(), "3");
}

}  // namespace
}  // namespace vorax::decode
