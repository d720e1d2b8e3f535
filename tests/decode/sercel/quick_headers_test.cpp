#include "decode/sercel/quick_headers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vorax::decode {
namespace {

void putBig(std::vector<std::uint8_t>& b, std::size_t firstByte, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i)
    b[firstByte - 1 + static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(value >> (8 * (count - 1 - i)));
}
void putText(std::vector<std::uint8_t>& b, std::size_t firstByte, std::string_view text) {
  std::memcpy(b.data() + firstByte - 1, text.data(), text.size());
}

// A Sercel 408 file header: file 0100, format 8058, 2007 day 052 13:04:15, 1 ms, record type
// 8, and the extended-header values the quick reader takes.
std::vector<std::uint8_t> sercelFileHeader() {
  std::vector<std::uint8_t> b(1400, 0);
  putBig(b, 1, 0x0100, 2);
  putBig(b, 3, 0x8058, 2);
  putBig(b, 11, 0x070052, 3);
  putBig(b, 14, 0x130415, 3);
  b[22] = 0x10;
  b[25] = 0x80;
  putBig(b, 68, 0x0000640050, 5);  // source line 100.0050
  putBig(b, 73, 0x0007D10009, 5);  // source point 2001.0009
  putBig(b, 617, 86, 4);
  putBig(b, 621, 2, 4);
  putBig(b, 625, 84, 4);
  putBig(b, 641, 2001, 4);
  putBig(b, 653, 10, 4);
  putBig(b, 657, 5, 4);
  putBig(b, 661, 101, 4);
  putBig(b, 685, 1, 4);
  putBig(b, 697, 1, 4);
  putBig(b, 1121, std::bit_cast<std::uint32_t>(0.5f), 4);
  putBig(b, 1125, std::bit_cast<std::uint32_t>(-3.0f), 4);
  putText(b, 1133, "  segdtest  ");
  putBig(b, 1149, 42, 4);
  putBig(b, 1181, std::bit_cast<std::uint64_t>(512345.5), 8);
  putBig(b, 1189, std::bit_cast<std::uint64_t>(6012345.25), 8);
  putBig(b, 1197, std::bit_cast<std::uint32_t>(101.5f), 4);
  putBig(b, 1373, 2, 4);
  return b;
}

TEST(Quick408FileHeader, DecodesEveryField) {
  QuickFileHeader h;
  EXPECT_EQ(quick408fhl(sercelFileHeader(), h), 0);
  EXPECT_EQ(h.fileNumber, 100);
  EXPECT_EQ(h.date.trimmed(), "2007-02-21");
  EXPECT_EQ(h.time.view(), "13:04:15");
  EXPECT_EQ(h.tapeLabel.trimmed(), "segdtest");
  EXPECT_EQ(h.tapeNumber.trimmed(), "42");
  EXPECT_EQ(h.formatCode.view(), "8058");
  EXPECT_FLOAT_EQ(h.sampleInterval, 0.001f);
  EXPECT_EQ(h.samplesPerTrace, 2001);
  EXPECT_EQ(h.recordType, 8);
  EXPECT_EQ(h.testRecordType, 10);
  EXPECT_FLOAT_EQ(h.sourceLine, 100.005f);
  EXPECT_FLOAT_EQ(h.sourcePoint, 2001.0009f);
  EXPECT_DOUBLE_EQ(h.sourceX, 512345.5);
  EXPECT_DOUBLE_EQ(h.sourceY, 6012345.25);
  EXPECT_FLOAT_EQ(h.sourceZ, 101.5f);
  EXPECT_EQ(h.totalTraces, 86);
  EXPECT_EQ(h.auxiliaryTraces, 2);
  EXPECT_EQ(h.seismicTraces, 84);
  EXPECT_EQ(h.spreadFirstLine, 5);
  EXPECT_EQ(h.spreadFirstNumber, 101);
  EXPECT_EQ(h.internalTimeBreak, 1);
  EXPECT_EQ(h.blasterStatus, 1);
  EXPECT_FLOAT_EQ(h.maximumAuxiliaryAmplitude, 0.5f);
  EXPECT_FLOAT_EQ(h.maximumSeismicAmplitude, -3.0f);
  EXPECT_EQ(h.acquisitionFilterType, 2);
  EXPECT_EQ(h.message.trimmed(), "");
}

// Marks every field after the format code so that "left unset" can be seen.
QuickFileHeader markedHeader() {
  QuickFileHeader h;
  h.date = "unset";
  h.sampleInterval = -1;
  h.samplesPerTrace = -1;
  h.sourceX = -1;
  h.acquisitionFilterType = -1;
  return h;
}

TEST(Quick408FileHeader, WrongFormatStopsBeforeTheDate) {
  auto bytes = sercelFileHeader();
  putBig(bytes, 3, 0x8036, 2);
  QuickFileHeader h = markedHeader();
  EXPECT_EQ(quick408fhl(bytes, h), -1);
  EXPECT_EQ(h.message.trimmed(), "Invalid Format Code - Should be 8058");
  EXPECT_EQ(h.fileNumber, 100);
  EXPECT_EQ(h.formatCode.view(), "8036");
  EXPECT_EQ(h.date.trimmed(), "unset");
  EXPECT_EQ(h.sampleInterval, -1);
  EXPECT_EQ(h.samplesPerTrace, -1);
  EXPECT_EQ(h.acquisitionFilterType, -1);
}

TEST(Quick408FileHeader, UnknownSampleIntervalCodeStopsAfterTheTime) {
  auto bytes = sercelFileHeader();
  bytes[22] = 0x03;
  QuickFileHeader h = markedHeader();
  EXPECT_EQ(quick408fhl(bytes, h), -3);
  EXPECT_EQ(h.message.trimmed(), "Invalid Sample Rate Code - 03");
  EXPECT_EQ(h.sampleInterval, 0.0f);
  EXPECT_EQ(h.time.view(), "13:04:15");
  EXPECT_EQ(h.samplesPerTrace, -1);
  EXPECT_EQ(h.sourceX, -1);
}

TEST(Quick408FileHeader, SampleIntervalCodes) {
  const std::pair<std::uint8_t, float> cases[] = {
      {0x04, 0.00025f}, {0x08, 0.0005f}, {0x10, 0.001f}, {0x20, 0.002f}, {0x40, 0.004f}};
  for (auto [code, seconds] : cases) {
    auto bytes = sercelFileHeader();
    bytes[22] = code;
    QuickFileHeader h;
    EXPECT_EQ(quick408fhl(bytes, h), 0);
    EXPECT_FLOAT_EQ(h.sampleInterval, seconds) << int(code);
  }
}

TEST(Quick408FileHeader, FilterTypeOutsideOneToThreeIsFatalAfterEveryField) {
  auto bytes = sercelFileHeader();
  putBig(bytes, 1373, 0, 4);
  QuickFileHeader h;
  EXPECT_EQ(quick408fhl(bytes, h), -4);
  EXPECT_EQ(h.message.trimmed(), "Invalid Filter Code - 0");
  EXPECT_EQ(h.seismicTraces, 84);
}

TEST(Quick408FileHeader, ShortBufferIsSafe) {
  std::vector<std::uint8_t> bytes = {0x01, 0x00, 0x80, 0x58};
  QuickFileHeader h;
  EXPECT_EQ(quick408fhl(bytes, h), -3);
  EXPECT_EQ(h.message.trimmed(), "Invalid Sample Rate Code - 00");
}

// One 244-byte trace header: control unit LAULM (0x0B), filter 2, gain code 2.
std::vector<std::uint8_t> sercelTraceHeader() {
  std::vector<std::uint8_t> b(244, 0);
  putBig(b, 21, 1005, 3);
  putBig(b, 24, 2071, 3);
  putBig(b, 53, std::bit_cast<std::uint64_t>(500010.5), 8);
  putBig(b, 61, std::bit_cast<std::uint64_t>(6000020.25), 8);
  putBig(b, 69, std::bit_cast<std::uint32_t>(12.5f), 4);
  b[40] = 2;
  putBig(b, 93, std::bit_cast<std::uint32_t>(406.96f), 4);
  putBig(b, 101, std::bit_cast<std::uint32_t>(0.75f), 4);
  b[104] = 1;
  b[105] = 0;
  putBig(b, 125, std::bit_cast<std::uint32_t>(24.5f), 4);
  b[140] = 1;
  putBig(b, 153, std::bit_cast<std::uint32_t>(3.25f), 4);
  b[172] = 0;
  putBig(b, 182, 123456, 3);
  b[184] = 7;
  b[197] = 1;  // block 6 channel type, replaced by block 7's
  b[212] = 0x0B;
  putBig(b, 214, 654321, 3);
  b[216] = 2;
  b[217] = 2;
  b[226] = 9;
  putBig(b, 229, std::bit_cast<std::uint32_t>(1234.5f), 4);
  putBig(b, 237, 3, 4);
  return b;
}

TEST(Quick408TraceHeader, DecodesTraceValuesAndCopiesRecordValues) {
  QuickFileHeader file;
  ASSERT_EQ(quick408fhl(sercelFileHeader(), file), 0);
  QuickTraceHeader t;
  t.message = "stale";
  EXPECT_EQ(quick408gettracehl(sercelTraceHeader(), t, file), 0);
  EXPECT_EQ(t.fileNumber, 100);
  EXPECT_EQ(t.date.trimmed(), "2007-02-21");
  EXPECT_FLOAT_EQ(t.sourceX, 512345.5f);
  EXPECT_EQ(t.samplesPerTrace, 2001);
  EXPECT_FLOAT_EQ(t.receiverLine, 1005);
  EXPECT_FLOAT_EQ(t.receiverPoint, 2071);
  EXPECT_DOUBLE_EQ(t.receiverX, 500010.5);
  EXPECT_DOUBLE_EQ(t.receiverY, 6000020.25);
  EXPECT_FLOAT_EQ(t.receiverZ, 12.5f);
  EXPECT_EQ(t.sensorType, 2);
  EXPECT_FLOAT_EQ(t.resistance, 406.96f);
  EXPECT_FLOAT_EQ(t.tilt, 0.75f);
  EXPECT_FLOAT_EQ(t.capacitance, 24.5f);
  EXPECT_FLOAT_EQ(t.leakage, 3.25f);
  EXPECT_EQ(t.resistanceError, 1);
  EXPECT_EQ(t.tiltError, 0);
  EXPECT_EQ(t.capacitanceError, 1);
  EXPECT_EQ(t.unitSerialNumber, 123456);
  EXPECT_EQ(t.channelNumber, 7);
  EXPECT_EQ(t.channelType, 9);
  EXPECT_EQ(t.controlUnitType, 11);
  EXPECT_EQ(t.controlUnitSerialNumber, 654321);
  EXPECT_EQ(t.channelFilter, 2);
  EXPECT_FLOAT_EQ(t.mvConversionFactor, 0.00006742f);
  EXPECT_FLOAT_EQ(t.traceMaximumValue, 1234.5f);
  EXPECT_EQ(t.interpolationCount, 3);
  EXPECT_EQ(t.controlUnitText.trimmed(), "LAULM");
  EXPECT_EQ(t.filterText.trimmed(), "0.8FN Linear phase");
  EXPECT_EQ(t.message.trimmed(), "");
}

TEST(Quick408TraceHeader, UnknownCodesBothCheckedAndTheFilterWins) {
  QuickFileHeader file;
  auto bytes = sercelTraceHeader();
  bytes[212] = 0x05;  // not a control unit code
  bytes[216] = 5;     // gain code other than 1 and 2
  QuickTraceHeader t;
  EXPECT_EQ(quick408gettracehl(bytes, t, file), -1);
  EXPECT_EQ(t.controlUnitText.trimmed(), "Unknown");
  EXPECT_EQ(t.message.trimmed(), "Control Unit Code Not Recognised");
  EXPECT_FLOAT_EQ(t.mvConversionFactor, 0.0002697f);

  bytes[217] = 0;
  EXPECT_EQ(quick408gettracehl(bytes, t, file), -2);
  EXPECT_EQ(t.filterText.trimmed(), "Undefined");
  EXPECT_EQ(t.message.trimmed(), "Channel Filter Code Not Recognised  - should be 1, 2 or 3");
}

std::vector<std::uint8_t> vqc88Header() {
  std::vector<std::uint8_t> b(2656, 0);
  putBig(b, 3, 0x8765, 2);
  putBig(b, 609, 12, 4);
  putBig(b, 613, 34, 4);
  putBig(b, 617, 0x00AB12CD, 4);
  putBig(b, 657, 56, 4);
  putBig(b, 1261, 78, 4);
  return b;
}

TEST(Vqc88FileHeaderTest, NumbersTableAndTexts) {
  auto b = vqc88Header();
  putText(b, 1633, "F1");  // code cut at its zero byte
  putText(b, 1636, "Phase error max");
  putText(b, 1653, "12.5 deg");
  putText(b, 1633 + 37, "AB");
  putText(b, 1633 + 37 + 3, "ABCDEFGHIJKLMNOPQ");  // 17 characters, no zero byte
  putText(b, 1633 + 37 + 20, "v");
  putText(b, 2033, " FIRST ");
  putText(b, 2041, "SECOND");
  putText(b, 2048, "THIRD");
  putText(b, 2054, "FOURTH");
  putText(b, 2433, "Operator note");
  putText(b, 2533, "Unit list");
  Vqc88FileHeader h;
  EXPECT_EQ(vqc88decodefileheader(b, h), 0);
  EXPECT_EQ(h.formatCode.view(), "8765");
  EXPECT_EQ(h.bytes609To612.trimmed(), "12");
  EXPECT_EQ(h.bytes613To616.trimmed(), "34");
  EXPECT_EQ(h.bytes617To620.view(), "00AB12CD");
  EXPECT_EQ(h.bytes657To660.trimmed(), "56");
  EXPECT_EQ(h.bytes1261To1264.trimmed(), "78");
  EXPECT_EQ(h.table[0].code.trimmed(), "F1");
  EXPECT_EQ(h.table[0].name.trimmed(), "Phase error max");
  EXPECT_EQ(h.table[0].value.trimmed(), "12.5 deg");
  EXPECT_EQ(h.table[1].name.view(), "ABCDEFGHIJKLMNOPQ");
  EXPECT_EQ(h.table[1].value.trimmed(), "v");
  EXPECT_EQ(h.table[9].name.trimmed(), "");
  EXPECT_EQ(h.texts[0].trimmed(), "FIRST");
  EXPECT_EQ(h.texts[1].trimmed(), "SECOND");
  EXPECT_EQ(h.texts[2].trimmed(), "THIRD");
  EXPECT_EQ(h.text2433To2532.trimmed(), "Operator note");
  EXPECT_EQ(h.text2533To2656.trimmed(), "Unit list");
}

TEST(Vqc88FileHeaderTest, OtherFormatCodeStillDecodes) {
  auto b = vqc88Header();
  putBig(b, 3, 0x0058, 2);
  Vqc88FileHeader h;
  EXPECT_EQ(vqc88decodefileheader(b, h), -1);
  EXPECT_EQ(h.message.trimmed(), "Format code is not 8765. This is not a VQC88 File!!");
  EXPECT_EQ(h.formatCode.view(), "0058");
  EXPECT_EQ(h.bytes609To612.trimmed(), "12");
}

}  // namespace
}  // namespace vorax::decode
