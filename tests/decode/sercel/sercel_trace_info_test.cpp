#include "decode/sercel/sercel_trace_info.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

namespace vorax::decode {
namespace {

using B = std::vector<std::uint8_t>;

// Seven extension blocks; setters take the 1-based block and byte.
struct Blocks {
  B bytes = B(kSercelExtensionBytes, 0);
  void u8(int block, int byte, std::uint8_t v) { bytes[32 * (block - 1) + byte - 1] = v; }
  void big(int block, int byte, std::uint64_t v, int count) {
    for (int i = 0; i < count; ++i)
      u8(block, byte + i, static_cast<std::uint8_t>(v >> (8 * (count - 1 - i))));
  }
  void single(int block, int byte, float v) {
    big(block, byte, std::bit_cast<std::uint32_t>(v), 4);
  }
  void dbl(int block, int byte, double v) { big(block, byte, std::bit_cast<std::uint64_t>(v), 8); }
};

TraceHeaderInfo fill(const Blocks& b) {
  SercelExtensionRecords records;
  decodeSercelExtensions(b.bytes, records);
  TraceHeaderInfo info;
  info.note = "left from an earlier trace";
  fillSevenBlockTraceInfo(b.bytes, records, info);
  return info;
}

TEST(SercelTraceInfo, EveryAttributeFromItsBlock) {
  Blocks b;
  b.big(1, 1, 1003, 3);
  b.big(1, 4, 2047, 3);
  b.dbl(2, 1, 12345678.25);  // wider than the decoder's 10-character text
  b.dbl(2, 9, 6234200.5);
  b.single(2, 17, 123.5f);
  b.single(3, 1, 250);
  b.single(3, 5, 500);
  b.single(3, 9, 406.96f);
  b.single(3, 13, 15);
  b.single(3, 17, 2.5f);
  b.u8(3, 21, 0);
  b.u8(3, 22, 1);
  b.single(4, 1, 80);
  b.single(4, 5, 120);
  b.single(4, 9, 101.25f);
  b.single(5, 1, 20);
  b.single(5, 5, 1.5e-5f);  // a display text would write this with an exponent
  b.u8(6, 1, 0x01);
  b.big(6, 2, 654321, 3);
  b.u8(6, 5, 200);  // beyond the 2-character text
  b.u8(6, 18, 1);
  b.u8(7, 1, 0x15);
  b.big(7, 2, 70000, 3);
  b.u8(7, 5, 1);
  b.u8(7, 6, 1);
  b.u8(7, 8, 1);
  b.single(7, 9, 6.742e-05f);  // "6.742e-05" as text: its leading digits read 6.742
  b.u8(7, 15, 1);
  b.u8(7, 16, 1);
  b.single(7, 17, 88.5f);
  b.big(7, 25, 3, 4);

  TraceHeaderInfo info = fill(b);
  EXPECT_EQ(info.receiverLine, 1003);
  EXPECT_EQ(info.receiverPoint, 2047);
  EXPECT_EQ(info.receiverX, 12345678.25);
  EXPECT_EQ(info.receiverY, 6234200.5);
  EXPECT_EQ(info.receiverZ, 123.5f);
  EXPECT_EQ(info.channelKind, "Seis");
  EXPECT_EQ(info.sensorKind.trimmed(), "Hydro");
  EXPECT_EQ(info.resistance, 406.96f);
  EXPECT_EQ(info.resistanceLowLimit, 250);
  EXPECT_EQ(info.resistanceHighLimit, 500);
  EXPECT_EQ(info.tilt, 2.5f);
  EXPECT_EQ(info.tiltLimit, 15);
  EXPECT_EQ(info.capacitance, 101.25f);
  EXPECT_EQ(info.capacitanceLowLimit, 80);
  EXPECT_EQ(info.capacitanceHighLimit, 120);
  EXPECT_EQ(info.leakage, 1.5e-5f);
  EXPECT_EQ(info.leakageLimit, 20);
  EXPECT_EQ(info.resistanceError, 0);
  EXPECT_EQ(info.tiltError, 1);
  EXPECT_EQ(info.capacitanceError, 0);
  EXPECT_EQ(info.leakageError, 0);
  EXPECT_EQ(info.unitSerialNumber, 654321);
  EXPECT_EQ(info.channelNumber, 200);
  EXPECT_EQ(info.sensorChannelTypeCode, 1);
  EXPECT_EQ(info.controlUnitType, 15);
  EXPECT_EQ(info.controlUnitSerialNumber, 70000);
  EXPECT_EQ(info.mvConversionFactor, 6.742e-05f);
  EXPECT_EQ(info.conversionFactorCopy, 6.742e-05f);
  EXPECT_EQ(info.traceMaximum, 88.5f);
  EXPECT_EQ(info.interpolationCount, 3);
  EXPECT_EQ(info.controlUnitText.trimmed(), "REM");
  EXPECT_EQ(info.filterText.trimmed(), "0.8FN Minimum Phase");
  EXPECT_EQ(info.errorColour, kTiltErrorColour);
  EXPECT_EQ(info.note.trimmed(), "");
  EXPECT_EQ(info.peakSampleIndex, 0);
}

TEST(SercelTraceInfo, ZeroFactorTakesTheGainScalesNominalFactor) {
  Blocks b;
  b.u8(7, 5, 2);
  EXPECT_EQ(fill(b).mvConversionFactor, 0.00006742f);
  b.u8(7, 5, 3);
  EXPECT_EQ(fill(b).conversionFactorCopy, 0.0002697f);
}

TEST(SercelTraceInfo, UnknownCodesGiveCutTexts) {
  Blocks b;
  b.u8(7, 15, 4);
  b.u8(6, 18, 0);
  TraceHeaderInfo info = fill(b);
  EXPECT_EQ(info.channelKind, "Unde");
  EXPECT_EQ(info.sensorKind.trimmed(), "Geoph");
  EXPECT_EQ(info.controlUnitText.trimmed(), "Unknown");
  EXPECT_EQ(info.filterText.trimmed(), "Undefined");
  EXPECT_EQ(info.controlUnitType, 0);  // "00"
}

TEST(SercelErrorColour, SingleFlagsSeveralFlagsAndAuxiliaries) {
  TraceHeaderInfo info;
  EXPECT_EQ(sercelErrorColour(info, 1), 0u);
  info.resistanceError = 1;
  EXPECT_EQ(sercelErrorColour(info, 1), 0x0000FFu);
  info = {};
  info.capacitanceError = 1;
  EXPECT_EQ(sercelErrorColour(info, 1), 0xFF00FFu);
  info = {};
  info.tiltError = 2;  // any non-zero value is an error
  EXPECT_EQ(sercelErrorColour(info, 1), 0x00FF00u);
  info = {};
  info.leakageError = 1;
  EXPECT_EQ(sercelErrorColour(info, 1), 0xFF0000u);

  info = {};
  info.resistanceError = 1;
  info.tiltError = 1;
  EXPECT_EQ(sercelErrorColour(info, 1), 0x00FFFFu);
  info.capacitanceError = 1;
  info.leakageError = 1;
  EXPECT_EQ(sercelErrorColour(info, 1), 0x00FFFFu);

  EXPECT_EQ(sercelErrorColour(info, 9), 0xC0C0C0u);
  EXPECT_EQ(sercelErrorColour(TraceHeaderInfo{}, 9), 0xC0C0C0u);
}

TEST(SercelTraceInfo, ShortInputReadsAsZeros) {
  B shortBlocks(40, 0);
  shortBlocks[0] = 0x01;  // receiver line 0x010000
  SercelExtensionRecords records;
  decodeSercelExtensions(shortBlocks, records);
  TraceHeaderInfo info;
  fillSevenBlockTraceInfo(shortBlocks, records, info);
  EXPECT_EQ(info.receiverLine, 65536);
  EXPECT_EQ(info.receiverX, 0);
  EXPECT_EQ(info.mvConversionFactor, 0.0002697f);
  EXPECT_EQ(info.errorColour, 0u);
}

}  // namespace
}  // namespace vorax::decode
