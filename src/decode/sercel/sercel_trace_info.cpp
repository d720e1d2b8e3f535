#include "decode/sercel/sercel_trace_info.h"

#include <algorithm>
#include <limits>

#include "decode/conversions.h"
#include "decode/sercel/sercel_layout.h"

namespace vorax::decode {

namespace {

using namespace sercel_layout;

Bytes blockBytes(Bytes blocks, std::size_t block) {
  const std::size_t first = kExtensionBlockBytes * (block - 1);
  if (first >= blocks.size()) return {};
  return blocks.subspan(first, std::min<std::size_t>(kExtensionBlockBytes, blocks.size() - first));
}

std::int32_t saturatedInt(std::uint64_t value) {
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(std::min(value, kMax));
}

std::int32_t byteValue(Bytes blocks, std::size_t block, const FieldRow& row) {
  return byteAt(blocks, inExtensions(block, row).offset());
}

float singleAt(Bytes blocks, std::size_t block, const FieldRow& row) {
  return bigFloat(blocks, inExtensions(block, row).offset());
}

double doubleAt(Bytes blocks, std::size_t block, const FieldRow& row) {
  return bigDouble(blocks, inExtensions(block, row).offset());
}

std::int32_t unsignedAt(Bytes blocks, std::size_t block, const FieldRow& row) {
  const FieldRow field = inExtensions(block, row);
  return saturatedInt(bigUnsigned(blocks, field.offset(), field.size()));
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
  info.receiverLine = static_cast<float>(unsignedAt(blocks, 1, block1::kReceiverLineNumber));
  info.receiverPoint = static_cast<float>(unsignedAt(blocks, 1, block1::kReceiverPointNumber));
  info.receiverX = doubleAt(blocks, 2, block2::kReceiverEasting);
  info.receiverY = doubleAt(blocks, 2, block2::kReceiverNorthing);
  info.receiverZ = singleAt(blocks, 2, block2::kReceiverElevation);
  const int ownType = byteValue(blocks, 7, block7::kChannelTypeIdentification);
  const int type = isSeismicOrAuxiliary(ownType) || !isSeismicOrAuxiliary(channelSetType)
                       ? ownType
                       : channelSetType;
  if (type == ownType) {
    info.channelKind = decoded.block7.channelTypeText.view();
  } else {
    info.channelKind = type == kAuxiliaryChannelType ? "Aux" : "Seis";
  }
  info.sensorKind = decoded.block6.channelTypeText.view().substr(0, 5);

  info.resistanceLowLimit = singleAt(blocks, 3, block3::kResistanceLowLimit);
  info.resistanceHighLimit = singleAt(blocks, 3, block3::kResistanceHighLimit);
  info.resistance = singleAt(blocks, 3, block3::kResistanceValue);
  info.tiltLimit = singleAt(blocks, 3, block3::kTiltLimit);
  info.tilt = singleAt(blocks, 3, block3::kTiltValue);
  info.resistanceError = byteValue(blocks, 3, block3::kResistanceError);
  info.tiltError = byteValue(blocks, 3, block3::kTiltError);

  info.capacitanceLowLimit = singleAt(blocks, 4, block4::kCapacitanceLowLimit);
  info.capacitanceHighLimit = singleAt(blocks, 4, block4::kCapacitanceHighLimit);
  info.capacitance = singleAt(blocks, 4, block4::kCapacitanceValue);
  info.capacitanceError = byteValue(blocks, 4, block4::kCapacitanceError);

  info.leakageLimit = singleAt(blocks, 5, block5::kLeakageLimit);
  info.leakage = singleAt(blocks, 5, block5::kLeakageValue);
  info.leakageError = byteValue(blocks, 5, block5::kLeakageError);

  info.unitSerialNumber = unsignedAt(blocks, 6, block6::kUnitSerialNumber);
  info.channelNumber = byteValue(blocks, 6, block6::kChannelNumber);
  info.sensorChannelTypeCode = byteValue(blocks, 6, block6::kChannelTypeCode);

  // The control unit type is read as its hex digits, like every BCD-style code: 0x15 is 15.
  info.controlUnitType = numericInt(decoded.block7.controlUnitType.view());
  info.controlUnitSerialNumber = unsignedAt(blocks, 7, block7::kControlUnitSerialNumber);
  // A recorded factor of 0 stands for the gain scale's nominal factor, which the decoder put
  // in the text (always plain decimal, never an exponent).
  const float recordedFactor = singleAt(blocks, 7, block7::kConversionFactor);
  const float factor =
      recordedFactor == 0.0f
          ? static_cast<float>(numericValue(decoded.block7.conversionFactor.view()))
          : recordedFactor;
  info.mvConversionFactor = factor;
  info.conversionFactorCopy = factor;
  info.traceMaximum = singleAt(blocks, 7, block7::kTraceMaximumValue);
  info.interpolationCount = unsignedAt(blocks, 7, block7::kNumberOfInterpolations);
  info.controlUnitText = decoded.block7.controlUnitTypeText.view();
  info.filterText = decoded.block7.channelFilterText.view();
  info.errorColour = sercelErrorColour(info, type);
}

}  // namespace vorax::decode
