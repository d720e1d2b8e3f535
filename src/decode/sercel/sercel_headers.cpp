#include "decode/sercel/sercel_headers.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "base/text_trim.h"
#include "decode/code_lookup.h"
#include "decode/conversions.h"
#include "decode/sercel/sercel_code_tables.h"

namespace vorax::decode {

using sercel_codes::kBlasterStatusTexts;
using sercel_codes::kChannelFilters;
using sercel_codes::kControlUnitTypes;

namespace {

// A copy of one block at its full size, zero-filled where the buffer passed is shorter, so
// every read below is in range. Positions are 1-based and inclusive.
template <std::size_t N>
class PaddedBlock {
 public:
  explicit PaddedBlock(Bytes buffer) { copyBytes(buffer, 0, N, bytes_.data()); }

  std::uint8_t at(std::size_t position) const { return bytes_[position - 1]; }
  Bytes range(std::size_t first, std::size_t last) const {
    return Bytes(bytes_).subspan(first - 1, last - first + 1);
  }
  std::uint32_t u32(std::size_t first) const { return bigU32(Bytes(bytes_), first - 1); }
  float single(std::size_t first) const { return bigFloat(Bytes(bytes_), first - 1); }

  std::string decimal(std::size_t first, std::size_t last) const {
    return bintodecimal(range(first, last));
  }
  std::string hex(std::size_t first, std::size_t last) const {
    return hexdigits(range(first, last));
  }
  std::string singleText(std::size_t first) const {
    return ieeesingletext(range(first, first + 3));
  }
  std::string doubleText(std::size_t first) const {
    return ieeedoubletext(range(first, first + 7));
  }
  // The bytes as characters, unchanged.
  std::string characters(std::size_t first, std::size_t last) const {
    Bytes r = range(first, last);
    return std::string(r.begin(), r.end());
  }

 private:
  std::array<std::uint8_t, N> bytes_;
};

using TraceBlock = PaddedBlock<32>;
using ExtendedBlock = PaddedBlock<1024>;

using CheckResult = LastFailure<FixedText<80>>;

// Looks `code` up; an unknown code stores `fallback` and fails the check.
template <std::size_t N>
void textFromTable(std::span<const CodeLabel> table, std::uint32_t code, FixedText<N>& text,
                   std::string_view fallback, CheckResult& result, std::int32_t status,
                   std::string_view message) {
  if (const std::string_view* found = findLabel(table, code)) {
    text = *found;
  } else {
    text = fallback;
    result.fail(status, message);
  }
}

std::string_view yesNo(std::uint8_t errorValue) {
  return errorValue == 0 ? "No" : "Yes";
}

constexpr CodeLabel kSensorTypes[] = {
    {0, "Not defined"},
    {1, "Hydrophone"},
    {2, "Geophone, Vertical"},
    {3, "Geophone, Horizontal, In-line"},
    {4, "Geophone, Horizontal, Crossline"},
    {5, "Geophone, Horizontal, other "},
    {6, "Accelerometer, Vertical "},
    {7, "Accelerometer, Horizontal, In-line "},
    {8, "Accelerometer, Horizontal, Crossline "},
    {9, "Accelerometer, Horizontal"},
};

// Block 6 and 7 unit codes are keyed by the byte, written as its hex digits in the texts.
constexpr CodeLabel kUnitTypes[] = {
    {0x00, "Not identified"}, {0x01, "FDU"}, {0x02, "SU6R"}, {0x1C, "DSU"}};

constexpr CodeLabel kAssemblyTypes[] = {{0x20, "ALS"},  {0x21, "HAU"},  {0x22, "HAPU"},
                                        {0x23, "SAXU"}, {0x24, "AXCU"}, {0x42, "LSI"},
                                        {0x60, "TZAS"}, {0xE0, "FDU2S"}};

constexpr CodeLabel kSubunitTypes[] = {{0x01, "FDU1"},  {0x02, "FDU3C"},  {0x03, "FDU1M"},
                                       {0x04, "FDU2M"}, {0x05, "FDU6"},   {0x07, "FDU2Mx2"},
                                       {0x09, "DSU3"},  {0x10, "DSU1"},   {0x0A, "TZSU2"},
                                       {0x0B, "TZSU4"}, {0x0C, "OBCSU4"}, {0x0F, "FDU2S"}};

// Gain scale 1..5 in three unit families; an empty entry is a blank text.
constexpr std::array<std::array<std::string_view, 3>, 5> kGainScaleTexts = {{
    {"0dB (1600mV Max Input)", "", "High Full Scale"},
    {"12dB (400mV Max Input)", "24dB (400mV Max Input)", "Low Full Scale"},
    {"24dB (100mV Max Input)", "36dB (100mV Max Input)", ""},
    {"", "42dB (500mV Max Input)", ""},
    {"", "48dB (25mV Max Input)", ""},
}};

constexpr CodeLabel kEditedStatuses[] = {
    {1, "Dead"}, {2, "acquisition/retrieve error"}, {3, "Noise edit"}};

constexpr CodeLabel kChannelTypeIds[] = {{1, "Seis"}, {9, "Aux"}};

constexpr CodeLabel kChannelProcesses[] = {{1, "Raw data"},
                                           {2, "Aux stack"},
                                           {3, "Correlation, negative part"},
                                           {4, "Correlation, positive part"},
                                           {5, "Normal correlation"},
                                           {6, "Seis stack"}};

// Nominal sample-to-mV factors used when a block 7 records a factor of 0.
std::string_view nominalConversionFactor(std::uint8_t gainScale) {
  return gainScale == 2 ? "0.00006742" : "0.0002697";
}

}  // namespace

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK1(Bytes buffer, Ext408Block1Fields& out) {
  const TraceBlock b(buffer);
  out = Ext408Block1Fields{};
  CheckResult result(out.message);
  out.receiverLineNumber = b.decimal(1, 3);
  out.receiverPointNumber = b.decimal(4, 6);
  out.receiverPointIndex = b.decimal(7, 7);
  out.samplesPerTrace = b.decimal(8, 10);
  out.extendedReceiverLineNumber = b.decimal(11, 15);
  out.extendedReceiverPointNumber = b.decimal(16, 20);
  out.sensorTypeCode = b.decimal(21, 21);
  out.bytes22To32 = b.hex(22, 32);
  textFromTable(kSensorTypes, b.at(21), out.sensorTypeText, "Unknown", result, 1,
                "Sensor type code not recognised - should be 0 to 9");
  return result.status();
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK2(Bytes buffer, Ext408Block2Fields& out) {
  const TraceBlock b(buffer);
  out = Ext408Block2Fields{};
  out.receiverEasting = b.doubleText(1);
  out.receiverNorthing = b.doubleText(9);
  out.receiverElevation = b.singleText(17);
  out.byte21 = b.decimal(21, 21);
  out.bytes22To32 = b.hex(22, 32);
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK3(Bytes buffer, Ext408Block3Fields& out) {
  const TraceBlock b(buffer);
  out = Ext408Block3Fields{};
  out.resistanceLowLimit = b.singleText(1);
  out.resistanceHighLimit = b.singleText(5);
  out.resistanceValue = b.singleText(9);
  out.tiltLimit = b.singleText(13);
  out.tiltValue = b.singleText(17);
  out.resistanceError = b.decimal(21, 21);
  out.tiltError = b.decimal(22, 22);
  out.bytes23To32 = b.hex(23, 32);
  out.resistanceErrorText = yesNo(b.at(21));
  out.tiltErrorText = yesNo(b.at(22));
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK4(Bytes buffer, Ext408Block4Fields& out) {
  const TraceBlock b(buffer);
  out = Ext408Block4Fields{};
  out.capacitanceLowLimit = b.singleText(1);
  out.capacitanceHighLimit = b.singleText(5);
  out.capacitanceValue = b.singleText(9);
  out.cutOffLowLimit = b.singleText(13);
  out.cutOffHighLimit = b.singleText(17);
  out.cutOffValue = b.singleText(21);
  out.capacitanceError = b.decimal(25, 25);
  out.cutOffError = b.decimal(26, 26);
  out.bytes27To32 = b.hex(27, 32);
  out.capacitanceErrorText = yesNo(b.at(25));
  out.cutOffErrorText = yesNo(b.at(26));
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK5(Bytes buffer, Ext408Block5Fields& out) {
  const TraceBlock b(buffer);
  out = Ext408Block5Fields{};
  out.leakageLimit = b.singleText(1);
  out.leakageValue = b.singleText(5);
  out.bytes9To24 = b.hex(9, 24);
  out.leakageError = b.decimal(25, 25);
  out.bytes26To32 = b.hex(26, 32);
  out.leakageErrorText = yesNo(b.at(25));
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK6(Bytes buffer, Ext408Block6Fields& out) {
  const TraceBlock b(buffer);
  out = Ext408Block6Fields{};
  CheckResult result(out.message);
  out.unitType = b.hex(1, 1);
  out.unitSerialNumber = b.decimal(2, 4);
  out.channelNumber = b.decimal(5, 5);
  out.bytes6To8 = b.hex(6, 8);
  out.assemblyType = b.hex(9, 9);
  out.assemblySerialNumber = b.decimal(10, 12);
  out.locationInAssembly = b.decimal(13, 13);
  out.bytes14To16 = b.hex(14, 16);
  out.subunitType = b.hex(17, 17);
  out.channelTypeCode = b.decimal(18, 18);
  out.bytes19To20 = b.hex(19, 20);
  out.sensorSensitivity = b.singleText(21);
  out.bytes25To32 = b.hex(25, 32);

  textFromTable(kUnitTypes, b.at(1), out.unitTypeText, "Unknown", result, 1,
                "Recording Unit Type Not Recognised - should be 00, 01, 02 or 1C");
  if (b.at(9) <= 0x10) {
    out.assemblyTypeText = "String of " + b.hex(9, 9) + " FDUs";
  } else {
    textFromTable(kAssemblyTypes, b.at(9), out.assemblyTypeText, "Unknown", result, 2,
                  "Assembly Type Not Recognised");
  }
  textFromTable(kSubunitTypes, b.at(17), out.subunitTypeText, "Unknown", result, 3,
                "FDU Type Not Recognised");
  out.channelTypeText = b.at(18) == 0 ? "Geophone" : "Hydrophone";
  return result.status();
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK7(Bytes buffer, Ext408Block7Fields& out) {
  const TraceBlock b(buffer);
  out = Ext408Block7Fields{};
  CheckResult result(out.message);
  const std::uint8_t gainScale = b.at(5);
  out.controlUnitType = b.hex(1, 1);
  out.controlUnitSerialNumber = b.decimal(2, 4);
  out.channelGainScale = b.decimal(5, 5);
  out.channelFilter = b.decimal(6, 6);
  out.channelDataError = b.decimal(7, 7);
  out.channelEditedStatus = b.decimal(8, 8);
  out.conversionFactor =
      b.single(9) == 0.0f ? std::string(nominalConversionFactor(gainScale)) : b.singleText(9);
  out.stacksNoisy = b.decimal(13, 13);
  out.stacksLow = b.decimal(14, 14);
  out.channelTypeIdentification = b.decimal(15, 15);
  out.channelProcess = b.decimal(16, 16);
  out.traceMaximumValue = b.singleText(17);
  out.traceMaximumTime = b.decimal(21, 24);
  out.numberOfInterpolations = b.decimal(25, 28);
  out.bytes29To32 = b.hex(29, 32);

  textFromTable(kControlUnitTypes, b.at(1), out.controlUnitTypeText, "Unknown", result, 1,
                "Control Unit Code Not Recognised");
  if (gainScale >= 1 && gainScale <= kGainScaleTexts.size()) {
    const auto& texts = kGainScaleTexts[gainScale - 1];
    out.gainScaleText1 = texts[0];
    out.gainScaleText2 = texts[1];
    out.gainScaleText3 = texts[2];
  } else {
    out.gainScaleText1 = "Undefined";
    out.gainScaleText2 = "Undefined";
    out.gainScaleText3 = "Undefined";
    result.fail(2, "Channel Gain Scale Code Not Recognised should be 1 to 5");
  }
  textFromTable(kChannelFilters, b.at(6), out.channelFilterText, "Undefined", result, 3,
                "Channel Filter Code Not Recognised - should be 1, 2 or 3");
  textFromTable(kEditedStatuses, b.at(8), out.channelEditedStatusText, "Undefined", result, 4,
                "Channel Edit Status Code Not Recognised - should be 1, 2 or 3");
  textFromTable(kChannelTypeIds, b.at(15), out.channelTypeText, "Undefined", result, 5,
                "Channel Type ID Code Not Recognised - should be 1 or 9");
  textFromTable(kChannelProcesses, b.at(16), out.channelProcessText, "Undefined", result, 6,
                "Channel Process Code Not Recognised - should be 1 to 6");
  return result.status();
}

namespace {

using Extended = Ext408ExtendedFields;

// Bytes 1-144 in order, four bytes each.
constexpr FixedText<5> Extended::*kLeadingFields[36] = {
    &Extended::acquisitionLength,
    &Extended::sampleRate,
    &Extended::totalTraces,
    &Extended::auxiliaryTraces,
    &Extended::seismicTraces,
    &Extended::deadSeismicTraces,
    &Extended::liveSeismicTraces,
    &Extended::sourceType,
    &Extended::samplesPerTrace,
    &Extended::shotNumber,
    &Extended::timeBreakWindow,
    &Extended::testRecordType,
    &Extended::spreadFirstLine,
    &Extended::spreadFirstNumber,
    &Extended::spreadNumber,
    &Extended::spreadType,
    &Extended::timeBreak,
    &Extended::upholeTime,
    &Extended::blasterIdentifier,
    &Extended::blasterStatus,
    &Extended::refractionDelay,
    &Extended::timeBreakToT0,
    &Extended::internalTimeBreak,
    &Extended::prestackInFieldUnits,
    &Extended::noiseEliminationType,
    &Extended::lowTracePercentage,
    &Extended::lowTraceValue,
    &Extended::numberOfWindows,
    &Extended::historicEditingType,
    &Extended::noisyTracePercentage,
    &Extended::historicRange,
    &Extended::historicTaperLength,
    &Extended::thresholdHoldVariable,
    &Extended::historicThresholdInitialValue,
    &Extended::historicZeroingLength,
    &Extended::processType,
};
constexpr std::size_t kTimeBreakWindowIndex = 10;  // bytes 41-44, the one IEEE single

constexpr CodeLabel kSourceTypes[] = {{0, "No Source"}, {1, "Impulsive"}, {2, "Vibrator"}};

constexpr CodeLabel kTestRecordTypes[] = {
    {0, "Normal record"},    {1, "Field noise"},     {2, "Field impulse"},
    {3, "Not used"},         {4, "Instr noise"},     {5, "Instr distortion"},
    {6, "Instr gain/phase"}, {7, "Instr crosstalk"}, {8, "Instr common mode"},
    {9, "Synthetic"},        {10, "Similarity"},     {11, "Instr pulse"},
    {12, "Field distortion"}};

constexpr CodeLabel kSpreadTypes[] = {{1, "Generic"}, {2, "Absolute"}};

constexpr CodeLabel kNoYes[] = {{0, "No"}, {1, "Yes"}};

constexpr CodeLabel kNoiseEliminationTypes[] = {
    {1, "None"}, {2, "Diversity Stack"}, {3, "Historic"}, {4, "Off"}};

constexpr CodeLabel kHistoricEditingTypes[] = {{0, "Unused"}, {1, "Zeroing"}, {2, "Clipping"}};

constexpr CodeLabel kThresholdTypes[] = {{0, "Unused"}, {1, "Hold"}, {2, "Var"}};

constexpr CodeLabel kProcessTypes[] = {{1, "No operation (raw data)"},
                                       {2, "Stack"},
                                       {3, "Correlation After stack"},
                                       {4, "Correlation Before stack"},
                                       {5, "Raw data, Stack"},
                                       {6, "Raw data, Correlation After Stack"},
                                       {7, "Raw data, Correlation Before Stack"}};

constexpr CodeLabel kAcquisitionFilterTypes[] = {{1, "0.8 Min"}, {2, "0.8 Lin"}, {3, "SU6R Like"}};

void decodeExtendedValues(const ExtendedBlock& b, Extended& out) {
  for (std::size_t i = 0; i < std::size(kLeadingFields); ++i) {
    const std::size_t first = 4 * i + 1;
    out.*kLeadingFields[i] =
        i == kTimeBreakWindowIndex ? b.singleText(first) : b.decimal(first, first + 3);
  }
  out.bytes145To272 = b.hex(145, 272);
  out.bytes273To400 = b.hex(273, 400);
  out.bytes401To404 = b.decimal(401, 404);
  out.bytes405To484 = b.characters(405, 484);
  out.bytes485To488 = b.decimal(485, 488);
  out.bytes489To492 = b.decimal(489, 492);
  out.bytes493To496 = b.decimal(493, 496);
  out.bytes497To500 = b.decimal(497, 500);
  out.bytes501To504 = b.decimal(501, 504);
  out.bytes505To508 = b.decimal(505, 508);
  out.bytes509To512 = b.decimal(509, 512);
  out.maximumAuxiliaryAmplitude = b.singleText(513);
  out.maximumSeismicAmplitude = b.singleText(517);
  out.bytes521To524 = b.decimal(521, 524);
  out.tapeLabel = base::trimmed(b.characters(525, 540), base::kSpacesAndZeros);
  out.tapeNumber = b.decimal(541, 544);
  out.bytes545To560 = b.characters(545, 560);
  out.bytes561To572 = b.characters(561, 572);
  out.sourceEasting = b.doubleText(573);
  out.sourceNorthing = b.doubleText(581);
  out.sourceElevation = b.singleText(589);
  out.slipSweep = b.decimal(593, 596);
  out.bytes597To600 = b.decimal(597, 600);
  out.bytes601To604 = b.decimal(601, 604);
  out.bytes605To764 = b.characters(605, 764);
  out.acquisitionFilterType = b.decimal(765, 768);
  out.bytes769To772 = b.decimal(769, 772);
  out.prmTiltFlag = b.decimal(773, 776);
  out.bytes777To1023 = b.hex(777, 1023);
}

// The table texts, checked in byte order so that the last failing check is the last made.
void decodeExtendedTexts(const ExtendedBlock& b, Extended& out, CheckResult& result) {
  textFromTable(kSourceTypes, b.u32(29), out.sourceTypeText, "Unknown", result, 1,
                "Source Type Not Correct- should be 0, 1 or 2");
  textFromTable(kTestRecordTypes, b.u32(45), out.testRecordTypeText, "Unknown", result, 2,
                "Test Type Not Correct- should be 0 to 12");
  textFromTable(kSpreadTypes, b.u32(61), out.spreadTypeText, "Unknown", result, 3,
                "Spread Type Not Correct- should be 1 or 2");
  const std::uint32_t blaster = b.u32(77);
  if (blaster < kBlasterStatusTexts.size()) {
    out.blasterStatusText1 = kBlasterStatusTexts[blaster][0];
    out.blasterStatusText2 = kBlasterStatusTexts[blaster][1];
    out.blasterStatusText3 = kBlasterStatusTexts[blaster][2];
  } else {
    out.blasterStatusText1 = "Unknown";
    out.blasterStatusText2 = "Unknown";
    out.blasterStatusText3 = "Unknown";
    result.fail(4, "Blaster status code not recognised");
  }
  textFromTable(kNoYes, b.u32(89), out.internalTimeBreakText, "Err", result, 5,
                "Internal Time break flag Error, should be 0 or 1");
  textFromTable(kNoYes, b.u32(93), out.prestackText, "Err", result, 6,
                "Field Prestack flag Error, should be 0 or 1");
  textFromTable(kNoiseEliminationTypes, b.u32(97), out.noiseEliminationText, "Unknown", result, 7,
                "Noise elemination flag Error, should be 1,2,3 or 4");
  textFromTable(kHistoricEditingTypes, b.u32(113), out.historicEditingText, "Unknown", result, 8,
                "Historic Editing flag Error, should be 1 or 2");
  textFromTable(kThresholdTypes, b.u32(129), out.thresholdText, "Err", result, 9,
                "Threshold flag Error, should be 1 or 2");
  textFromTable(kProcessTypes, b.u32(141), out.processTypeText, "Unknown", result, 10,
                "Process type Error, should be 1 to 7");
  textFromTable(kNoYes, b.u32(593), out.slipSweepText, "Err", result, 11,
                "Slip Sweep flag Error, should be 0 or 1");
  textFromTable(kAcquisitionFilterTypes, b.u32(765), out.acquisitionFilterText, "Err", result, 12,
                "Acquisition Filter Type Error, should be 1, 2 or 3");
  textFromTable(kNoYes, b.u32(773), out.prmTiltText, "Err", result, 13,
                "PRM Tilt flag Error, should be 0 or 1");
}

}  // namespace

std::int32_t SEGDDECODE408EXTENDEDHEADER(Bytes buffer, Ext408ExtendedFields& out) {
  const ExtendedBlock b(buffer);
  out = Ext408ExtendedFields{};
  CheckResult result(out.message);
  decodeExtendedValues(b, out);
  decodeExtendedTexts(b, out, result);
  return result.status();
}

}  // namespace vorax::decode
