#include "decode/sercel/sercel_trace_info.h"

#include <algorithm>
#include <limits>

#include "decode/conversions.h"

namespace vorax::decode {

namespace {

// 0-based offset of 1-based `byte` of extension block `block` (1..7).
constexpr std::size_t offsetOf(std::size_t block, std::size_t byte) {
  return 32 * (block - 1) + byte - 1;
}

Bytes blockBytes(Bytes blocks, std::size_t block) {
  const std::size_t first = offsetOf(block, 1);
  if (first >= blocks.size()) return {};
  return blocks.subspan(first, std::min<std::size_t>(32, blocks.size() - first));
}

std::int32_t saturatedInt(std::uint64_t value) {
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(std::min(value, kMax));
}

std::int32_t byteValue(Bytes blocks, std::size_t block, std::size_t byte) {
  return byteAt(blocks, offsetOf(block, byte));
}

float singleAt(Bytes blocks, std::size_t block, std::size_t byte) {
  return bigFloat(blocks, offsetOf(block, byte));
}

bool isSeismicOrAuxiliary(int channelType) {
  return channelType == kSeismicChannelType || channelType == kAuxiliaryChannelType;
}

}  // namespace

void decodeSercelExtensions(Bytes blocks, SercelExtensionRecords& out) {
  SEGDDECODE408TRACEHEADEREXTBLOCK1(blockBytes(blocks, 1), out.block1);
  SEGDDECODE408TRACEHEADEREXTBLOCK2(blockBytes(blocks, 2), out.block2);
  SEGDDECODE408TRACEHEADEREXTBLOCK3(blockBytes(blocks, 3), out.block3);
  SEGDDECODE408TRACEHEADEREXTBLOCK4(blockBytes(blocks, 4), out.block4);
  SEGDDECODE408TRACEHEADEREXTBLOCK5(blockBytes(blocks, 5), out.block5);
  SEGDDECODE408TRACEHEADEREXTBLOCK6(blockBytes(blocks, 6), out.block6);
  SEGDDECODE408TRACEHEADEREXTBLOCK7(blockBytes(blocks, 7), out.block7);
}

void decodeSercelTraceInfoTexts(Bytes blocks, SercelExtensionRecords& out) {
  SEGDDECODE408TRACEHEADEREXTBLOCK6(blockBytes(blocks, 6), out.block6);
  SEGDDECODE408TRACEHEADEREXTBLOCK7(blockBytes(blocks, 7), out.block7);
}

Colorref sercelErrorColour(const TraceHeaderInfo& info, int channelTypeIdentification) {
  Colorref colour = 0;
  int errors = 0;
  auto test = [&](std::int32_t flag, Colorref flagColour) {
    if (flag != 0) {
      colour = flagColour;
      ++errors;
    }
  };
  test(info.resistanceError, kResistanceErrorColour);
  test(info.capacitanceError, kCapacitanceErrorColour);
  test(info.tiltError, kTiltErrorColour);
  test(info.leakageError, kLeakageErrorColour);
  if (errors > 1) colour = kSeveralErrorsColour;
  if (channelTypeIdentification == kAuxiliaryChannelType) colour = kAuxiliaryTraceColour;
  return colour;
}

void fillSevenBlockTraceInfo(Bytes blocks, const SercelExtensionRecords& decoded,
                             TraceHeaderInfo& info, int channelSetType) {
  info = TraceHeaderInfo{};
  info.receiverLine = static_cast<float>(bigUnsigned(blocks, offsetOf(1, 1), 3));
  info.receiverPoint = static_cast<float>(bigUnsigned(blocks, offsetOf(1, 4), 3));
  info.receiverX = bigDouble(blocks, offsetOf(2, 1));
  info.receiverY = bigDouble(blocks, offsetOf(2, 9));
  info.receiverZ = singleAt(blocks, 2, 17);
  const int ownType = byteValue(blocks, 7, 15);
  const int type = isSeismicOrAuxiliary(ownType) || !isSeismicOrAuxiliary(channelSetType)
                       ? ownType
                       : channelSetType;
  if (type == ownType) {
    info.channelKind = decoded.block7.channelTypeText.view();
  } else {
    info.channelKind = type == kAuxiliaryChannelType ? "Aux" : "Seis";
  }
  info.sensorKind = decoded.block6.channelTypeText.view().substr(0, 5);

  info.resistanceLowLimit = singleAt(blocks, 3, 1);
  info.resistanceHighLimit = singleAt(blocks, 3, 5);
  info.resistance = singleAt(blocks, 3, 9);
  info.tiltLimit = singleAt(blocks, 3, 13);
  info.tilt = singleAt(blocks, 3, 17);
  info.resistanceError = byteValue(blocks, 3, 21);
  info.tiltError = byteValue(blocks, 3, 22);

  info.capacitanceLowLimit = singleAt(blocks, 4, 1);
  info.capacitanceHighLimit = singleAt(blocks, 4, 5);
  info.capacitance = singleAt(blocks, 4, 9);
  info.capacitanceError = byteValue(blocks, 4, 25);

  info.leakageLimit = singleAt(blocks, 5, 1);
  info.leakage = singleAt(blocks, 5, 5);
  info.leakageError = byteValue(blocks, 5, 25);

  info.unitSerialNumber = saturatedInt(bigUnsigned(blocks, offsetOf(6, 2), 3));
  info.channelNumber = byteValue(blocks, 6, 5);
  info.sensorChannelTypeCode = byteValue(blocks, 6, 18);

  // The control unit type is read as its hex digits, like every BCD-style code: 0x15 is 15.
  info.controlUnitType = numericInt(decoded.block7.controlUnitType.view());
  info.controlUnitSerialNumber = saturatedInt(bigUnsigned(blocks, offsetOf(7, 2), 3));
  // A recorded factor of 0 stands for the gain scale's nominal factor, which the decoder put
  // in the text (always plain decimal, never an exponent).
  const float recordedFactor = singleAt(blocks, 7, 9);
  const float factor =
      recordedFactor == 0.0f
          ? static_cast<float>(numericValue(decoded.block7.conversionFactor.view()))
          : recordedFactor;
  info.mvConversionFactor = factor;
  info.conversionFactorCopy = factor;
  info.traceMaximum = singleAt(blocks, 7, 17);
  info.interpolationCount = saturatedInt(bigUnsigned(blocks, offsetOf(7, 25), 4));
  info.controlUnitText = decoded.block7.controlUnitTypeText.view();
  info.filterText = decoded.block7.channelFilterText.view();
  info.errorColour = sercelErrorColour(info, type);
}

}  // namespace vorax::decode
