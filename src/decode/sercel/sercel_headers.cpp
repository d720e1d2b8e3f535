#include "decode/sercel/sercel_headers.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "base/text_trim.h"
#include "decode/block_text.h"
#include "decode/code_lookup.h"
#include "decode/conversions.h"
#include "decode/sercel/sercel_code_tables.h"

namespace vorax::decode {

using sercel_codes::kBlasterStatusTexts;
using sercel_codes::kChannelFilters;
using sercel_codes::kControlUnitTypes;

namespace {

using CheckResult = LastFailure<FixedText<80>>;

// Looks `code` up; an unknown code stores `fallback` and fails the check.
template <std::size_t N>
void textFromTable(std::span<const CodeLabel> table, std::uint64_t code, FixedText<N>& text,
                   std::string_view fallback, CheckResult& result, std::int32_t status,
                   std::string_view message) {
  if (const std::string_view* found = findLabel(table, static_cast<std::int64_t>(code))) {
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
  namespace rows = sercel_layout::block1;
  const Block b(buffer);
  out = Ext408Block1Fields{};
  CheckResult result(out.message);
  readByteFields(b, out);
  textFromTable(kSensorTypes, b.at(rows::kSensorTypeCode.first), out.sensorTypeText, "Unknown",
                result, 1, "Sensor type code not recognised - should be 0 to 9");
  return result.status();
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK2(Bytes buffer, Ext408Block2Fields& out) {
  const Block b(buffer);
  out = Ext408Block2Fields{};
  readByteFields(b, out);
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK3(Bytes buffer, Ext408Block3Fields& out) {
  namespace rows = sercel_layout::block3;
  const Block b(buffer);
  out = Ext408Block3Fields{};
  readByteFields(b, out);
  out.resistanceErrorText = yesNo(b.at(rows::kResistanceError.first));
  out.tiltErrorText = yesNo(b.at(rows::kTiltError.first));
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK4(Bytes buffer, Ext408Block4Fields& out) {
  namespace rows = sercel_layout::block4;
  const Block b(buffer);
  out = Ext408Block4Fields{};
  readByteFields(b, out);
  out.capacitanceErrorText = yesNo(b.at(rows::kCapacitanceError.first));
  out.cutOffErrorText = yesNo(b.at(rows::kCutOffError.first));
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK5(Bytes buffer, Ext408Block5Fields& out) {
  const Block b(buffer);
  out = Ext408Block5Fields{};
  readByteFields(b, out);
  out.leakageErrorText = yesNo(b.at(sercel_layout::block5::kLeakageError.first));
  return 0;
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK6(Bytes buffer, Ext408Block6Fields& out) {
  namespace rows = sercel_layout::block6;
  const Block b(buffer);
  out = Ext408Block6Fields{};
  CheckResult result(out.message);
  readByteFields(b, out);

  textFromTable(kUnitTypes, b.at(rows::kUnitType.first), out.unitTypeText, "Unknown", result, 1,
                "Recording Unit Type Not Recognised - should be 00, 01, 02 or 1C");
  if (b.at(rows::kAssemblyType.first) <= 0x10) {
    out.assemblyTypeText = "String of " + fieldText(b, rows::kAssemblyType) + " FDUs";
  } else {
    textFromTable(kAssemblyTypes, b.at(rows::kAssemblyType.first), out.assemblyTypeText, "Unknown",
                  result, 2, "Assembly Type Not Recognised");
  }
  textFromTable(kSubunitTypes, b.at(rows::kSubunitType.first), out.subunitTypeText, "Unknown",
                result, 3, "FDU Type Not Recognised");
  out.channelTypeText = b.at(rows::kChannelTypeCode.first) == 0 ? "Geophone" : "Hydrophone";
  return result.status();
}

std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK7(Bytes buffer, Ext408Block7Fields& out) {
  namespace rows = sercel_layout::block7;
  const Block b(buffer);
  out = Ext408Block7Fields{};
  CheckResult result(out.message);
  readByteFields(b, out);
  const std::uint8_t gainScale = b.at(rows::kChannelGainScale.first);
  if (b.bigSingle(rows::kConversionFactor.first) == 0.0f)
    out.conversionFactor = nominalConversionFactor(gainScale);

  textFromTable(kControlUnitTypes, b.at(rows::kControlUnitType.first), out.controlUnitTypeText,
                "Unknown", result, 1, "Control Unit Code Not Recognised");
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
  textFromTable(kChannelFilters, b.at(rows::kChannelFilter.first), out.channelFilterText,
                "Undefined", result, 3, "Channel Filter Code Not Recognised - should be 1, 2 or 3");
  textFromTable(kEditedStatuses, b.at(rows::kChannelEditedStatus.first),
                out.channelEditedStatusText, "Undefined", result, 4,
                "Channel Edit Status Code Not Recognised - should be 1, 2 or 3");
  textFromTable(kChannelTypeIds, b.at(rows::kChannelTypeIdentification.first), out.channelTypeText,
                "Undefined", result, 5, "Channel Type ID Code Not Recognised - should be 1 or 9");
  textFromTable(kChannelProcesses, b.at(rows::kChannelProcess.first), out.channelProcessText,
                "Undefined", result, 6, "Channel Process Code Not Recognised - should be 1 to 6");
  return result.status();
}

namespace {

using Extended = Ext408ExtendedFields;

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

void decodeExtendedValues(const Block& b, Extended& out) {
  readByteFields(b, out);
  out.tapeLabel =
      base::trimmed(fieldText(b, sercel_layout::extended::kTapeLabel), base::kSpacesAndZeros);
}

// The table texts, checked in byte order so that the last failing check is the last made.
void decodeExtendedTexts(const Block& b, Extended& out, CheckResult& result) {
  namespace rows = sercel_layout::extended;
  textFromTable(kSourceTypes, fieldValue(b, rows::kSourceType), out.sourceTypeText, "Unknown",
                result, 1, "Source Type Not Correct- should be 0, 1 or 2");
  textFromTable(kTestRecordTypes, fieldValue(b, rows::kTestRecordType), out.testRecordTypeText,
                "Unknown", result, 2, "Test Type Not Correct- should be 0 to 12");
  textFromTable(kSpreadTypes, fieldValue(b, rows::kSpreadType), out.spreadTypeText, "Unknown",
                result, 3, "Spread Type Not Correct- should be 1 or 2");
  const std::uint64_t blaster = fieldValue(b, rows::kBlasterStatus);
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
  textFromTable(kNoYes, fieldValue(b, rows::kInternalTimeBreak), out.internalTimeBreakText, "Err",
                result, 5, "Internal Time break flag Error, should be 0 or 1");
  textFromTable(kNoYes, fieldValue(b, rows::kPrestackInFieldUnits), out.prestackText, "Err", result,
                6, "Field Prestack flag Error, should be 0 or 1");
  textFromTable(kNoiseEliminationTypes, fieldValue(b, rows::kNoiseEliminationType),
                out.noiseEliminationText, "Unknown", result, 7,
                "Noise elemination flag Error, should be 1,2,3 or 4");
  textFromTable(kHistoricEditingTypes, fieldValue(b, rows::kHistoricEditingType),
                out.historicEditingText, "Unknown", result, 8,
                "Historic Editing flag Error, should be 1 or 2");
  textFromTable(kThresholdTypes, fieldValue(b, rows::kThresholdHoldVariable), out.thresholdText,
                "Err", result, 9, "Threshold flag Error, should be 1 or 2");
  textFromTable(kProcessTypes, fieldValue(b, rows::kProcessType), out.processTypeText, "Unknown",
                result, 10, "Process type Error, should be 1 to 7");
  textFromTable(kNoYes, fieldValue(b, rows::kSlipSweep), out.slipSweepText, "Err", result, 11,
                "Slip Sweep flag Error, should be 0 or 1");
  textFromTable(kAcquisitionFilterTypes, fieldValue(b, rows::kAcquisitionFilterType),
                out.acquisitionFilterText, "Err", result, 12,
                "Acquisition Filter Type Error, should be 1, 2 or 3");
  textFromTable(kNoYes, fieldValue(b, rows::kPrmTiltFlag), out.prmTiltText, "Err", result, 13,
                "PRM Tilt flag Error, should be 0 or 1");
}

}  // namespace

std::int32_t SEGDDECODE408EXTENDEDHEADER(Bytes buffer, Ext408ExtendedFields& out) {
  const Block b(buffer);
  out = Ext408ExtendedFields{};
  CheckResult result(out.message);
  decodeExtendedValues(b, out);
  decodeExtendedTexts(b, out, result);
  return result.status();
}

}  // namespace vorax::decode
