#include "decode/sercel/sn388_headers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace vorax::decode {
namespace {

// A block with every code valid: filter 0, unit/channel type 0, noise and process 0.
std::vector<std::uint8_t> zeroBlock() {
  return std::vector<std::uint8_t>(32, 0);
}

TEST(Sn388Block1, UnitAndChannelTypeComeFromTheTwoNibblesOfByte16) {
  auto bytes = zeroBlock();
  bytes[15] = 0x13;
  Sn388Block1Fields f;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f), 0);
  EXPECT_EQ(f.unitTypeValue.trimmed(), "16");
  EXPECT_EQ(f.channelTypeValue.trimmed(), "3");
  EXPECT_EQ(f.unitTypeText.trimmed(), "SAR4 or SAR6");
  EXPECT_EQ(f.channelTypeText.trimmed(), "Uphole");
}

TEST(Sn388Block1, StatusByteGivesOneFlagPerBitFromBit7Down) {
  auto bytes = zeroBlock();
  bytes[18] = 0x05;
  Sn388Block1Fields f;
  SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f);
  // statusFlags[0] is bit 7, statusFlags[7] bit 0: 0x05 sets bits 2 and 0.
  const std::array<const char*, 8> expected = {"No", "No", "No", "No", "No", "Yes", "No", "Yes"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(f.statusFlags[i].trimmed(), expected[i]) << i;
  EXPECT_EQ(f.statusByte.trimmed(), "5");
}

TEST(Sn388Block1, NoiseEliminationAndProcessTables) {
  auto bytes = zeroBlock();
  bytes[16] = 0x11;
  bytes[17] = 0x31;
  Sn388Block1Fields f;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f), 0);
  EXPECT_EQ(f.noiseEliminationText.trimmed(), "Historic/Clipping");
  EXPECT_EQ(f.noiseEliminationCode.trimmed(), "17");
  EXPECT_EQ(f.processText.trimmed(), "Negative time correlation before stack");

  bytes[16] = 0x12;
  Sn388Block1Fields g;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, g), 1);
  EXPECT_EQ(g.noiseEliminationText.trimmed(), "Unknown");
  EXPECT_EQ(g.message.trimmed(), "NETHET type code not recognised - should be 0, 10, 11, 20");
}

TEST(Sn388Block1, LastFailingCheckGivesTheMessage) {
  auto bytes = zeroBlock();
  bytes[13] = 7;     // filter: unknown
  bytes[17] = 0x50;  // process: unknown, checked later
  Sn388Block1Fields f;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f), 1);
  EXPECT_EQ(f.filterText.trimmed(), "Unknown");
  EXPECT_EQ(f.message.trimmed(), "PROC-CT type code not recognised - Returned :80");
}

TEST(Sn388Block1, UnknownCodeIsReportedEvenWhenItsCutTextLooksKnown) {
  // Filter code 12 is held in a one-character field as "1", a known code; it is still unknown.
  auto bytes = zeroBlock();
  bytes[13] = 12;
  Sn388Block1Fields f;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f), 1);
  EXPECT_EQ(f.channelFilterCode.view(), "1");
  EXPECT_EQ(f.filterText.trimmed(), "Unknown");
  EXPECT_EQ(f.message.trimmed(),
            "Channel Filter type code not recognised - should be 0 to 5 but is 12");
}

TEST(Sn388Block1, NumericFieldsAndTexts) {
  auto bytes = zeroBlock();
  bytes[0] = 0x01;
  bytes[1] = 0x86;
  bytes[2] = 0xA0;  // 100000
  bytes[7] = 0x00;
  bytes[8] = 0x07;
  bytes[9] = 0xD1;  // 2001
  bytes[13] = 5;
  bytes[14] = 24;
  bytes[25] = 0xFF;
  bytes[30] = 0xAB;
  bytes[31] = 0x0C;
  Sn388Block1Fields f;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f), 0);
  EXPECT_EQ(f.receiverLineNumber.trimmed(), "100000");
  EXPECT_EQ(f.samplesPerTrace.trimmed(), "2001");
  EXPECT_EQ(f.filterText.trimmed(), "SAR Filter");
  EXPECT_EQ(f.gainText.trimmed(), "24 dB");
  EXPECT_EQ(f.byte26.trimmed(), "255");
  EXPECT_EQ(f.byte26Text.trimmed(), "255");
  EXPECT_EQ(f.bytes31To32.trimmed(), "AB0C");
  EXPECT_EQ(f.unitTypeText.trimmed(), "SU1 or SU6");
  EXPECT_EQ(f.channelTypeText.trimmed(), "Unused");
}

TEST(Sn388Block1, ZeroSingleAtBytes27To30ReadsOne) {
  auto bytes = zeroBlock();
  Sn388Block1Fields f;
  SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f);
  EXPECT_EQ(f.bytes27To30.trimmed(), "1");
  bytes[26] = 0xC0;
  bytes[27] = 0x20;  // -2.5
  SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f);
  EXPECT_EQ(f.bytes27To30.trimmed(), "-2.5");
}

TEST(Sn388Block1, ShortBufferReadsAsZeros) {
  std::vector<std::uint8_t> bytes = {0, 0, 1};
  Sn388Block1Fields f;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK1(bytes, f), 0);
  EXPECT_EQ(f.receiverLineNumber.trimmed(), "1");
  EXPECT_EQ(f.bytes31To32.trimmed(), "0000");
}

TEST(Sn388Block2, CoordinatesAndHexTail) {
  auto bytes = zeroBlock();
  // 1234.5 = 0x40934A0000000000; -7.25 = 0xC0E80000; bytes 22-32 hex cut to 12 digits.
  const std::uint8_t x[8] = {0x40, 0x93, 0x4A, 0, 0, 0, 0, 0};
  std::copy(x, x + 8, bytes.begin());
  bytes[16] = 0xC0;
  bytes[17] = 0xE8;
  bytes[20] = 0x99;  // byte 21 is not shown
  for (int i = 21; i < 32; ++i)
    bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x10 + i);
  Sn388Block2Fields f;
  EXPECT_EQ(SEGDDECODE388TRACEHEADEREXTBLOCK2(bytes, f), 0);
  EXPECT_EQ(f.receiverX.trimmed(), "1234.5");
  EXPECT_EQ(f.receiverY.trimmed(), "0");
  EXPECT_EQ(f.receiverZ.trimmed(), "-7.25");
  EXPECT_EQ(f.bytes22To32.view(), "25262728292A");
}

// An extended header in which every tabled code is valid (auxiliary unit 2 = "SU1").
std::vector<std::uint8_t> validExtended() {
  std::vector<std::uint8_t> bytes(1024, 0);
  bytes[35] = 2;
  return bytes;
}

void setWord(std::vector<std::uint8_t>& bytes, std::size_t firstByte, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[firstByte - 1 + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

TEST(Sn388Extended, ValidCodesAndProcessTypeFive) {
  auto bytes = validExtended();
  setWord(bytes, 301, 5);
  Sn388ExtendedFields f;
  EXPECT_EQ(SEGDDECODE388EXTENDEDHEADER(bytes, f), 0);
  EXPECT_EQ(f.processTypeText.trimmed(), "No operation");
  EXPECT_EQ(f.auxiliaryUnitText.trimmed(), "SU1");
  EXPECT_EQ(f.upholeText.trimmed(), "No");
  EXPECT_EQ(f.signalText.trimmed(), "Field normal operations");
  EXPECT_EQ(f.blasterStatusTexts[2].trimmed(), "Did Not Fire");
  EXPECT_EQ(f.ttmText.trimmed(), "Single");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(Sn388Extended, UnknownCodesGiveFallbackStatusAndMessage) {
  auto bytes = validExtended();
  setWord(bytes, 33, 7);
  Sn388ExtendedFields f;
  EXPECT_EQ(SEGDDECODE388EXTENDEDHEADER(bytes, f), 3);
  EXPECT_EQ(f.auxiliaryUnitText.trimmed(), "Unknown");
  EXPECT_EQ(f.message.trimmed(), "AUX Type Not Correct- should be 2 or 3 but is 7");

  bytes = validExtended();
  setWord(bytes, 193, 2);
  Sn388ExtendedFields g;
  EXPECT_EQ(SEGDDECODE388EXTENDEDHEADER(bytes, g), 6);
  EXPECT_EQ(g.sarPrestackText.trimmed(), "Err");
  EXPECT_EQ(g.message.trimmed(), "SAR Prestack flag Error, should be 0 or 1 but is 2");
}

TEST(Sn388Extended, LaterFailureOverwritesEarlierEvenWithLowerStatus) {
  auto bytes = validExtended();
  setWord(bytes, 185, 6);  // synthetic signal type: status 10
  setWord(bytes, 733, 2);  // TTM, checked last: status 9
  Sn388ExtendedFields f;
  EXPECT_EQ(SEGDDECODE388EXTENDEDHEADER(bytes, f), 9);
  EXPECT_EQ(f.syntheticSignalTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.ttmText.trimmed(), "Err");
  EXPECT_EQ(f.message.trimmed(), "TTM flag Error, should be 0 or 1 but is 2");
}

TEST(Sn388Extended, BlasterStatusGivesThreeTexts) {
  auto bytes = validExtended();
  setWord(bytes, 181, 4);
  Sn388ExtendedFields f;
  EXPECT_EQ(SEGDDECODE388EXTENDEDHEADER(bytes, f), 0);
  EXPECT_EQ(f.blasterStatusTexts[0].trimmed(), "Fired OK");
  EXPECT_EQ(f.blasterStatusTexts[1].trimmed(), "UH Error");
  EXPECT_EQ(f.blasterStatusTexts[2].trimmed(), "Low Battery");
  setWord(bytes, 181, 9);
  EXPECT_EQ(SEGDDECODE388EXTENDEDHEADER(bytes, f), 4);
  for (const auto& text : f.blasterStatusTexts) EXPECT_EQ(text.trimmed(), "Unknown");
  EXPECT_EQ(f.message.trimmed(), "Blaster status code not recognised");
}

TEST(Sn388Extended, FieldPositionsAndWidths) {
  auto bytes = validExtended();
  setWord(bytes, 5, 1000);
  setWord(bytes, 169, 250);
  setWord(bytes, 301, 1);
  setWord(bytes, 645, 123456);  // cut to 5 characters
  const char label[] = "  LINE 7  ";
  std::copy(label, label + 10, bytes.begin() + 704);
  bytes[304] = 0xAB;
  bytes[812] = 0xCD;
  Sn388ExtendedFields f;
  EXPECT_EQ(SEGDDECODE388EXTENDEDHEADER(bytes, f), 0);
  EXPECT_EQ(f.firstWords[1].trimmed(), "1000");
  EXPECT_EQ(f.middleWords[0].trimmed(), "250");
  EXPECT_EQ(f.middleWords[33].trimmed(), "1");
  EXPECT_EQ(f.processTypeText.trimmed(), "Stack");
  EXPECT_EQ(f.words645To696[0].view(), "12345");
  EXPECT_EQ(f.bytes705To720.trimmed(), "LINE 7");
  EXPECT_EQ(f.bytes705To720.view().substr(0, 6), "LINE 7");
  EXPECT_EQ(f.bytes305To432.view().substr(0, 4), "AB00");
  EXPECT_EQ(f.bytes813To1023.view().substr(0, 2), "CD");
  EXPECT_EQ(f.bytes813To1023.view().size(), 211u);
}

}  // namespace
}  // namespace vorax::decode
