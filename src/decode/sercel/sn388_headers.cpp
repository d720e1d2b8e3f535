#include "decode/sercel/sn388_headers.h"

#include <string>
#include <string_view>

#include "decode/block_text.h"
#include "decode/code_lookup.h"
#include "decode/sercel/sercel_code_tables.h"

namespace vorax::decode {

namespace {

using Check = LastFailure<FixedText<80>>;

// ---- Block 1 tables ----

constexpr CodeLabel kChannelFilters[] = {
    {0, "None"},
    {1, "Min Phase 0.5 Fn"},
    {2, "Min Phase 0.8 Fn"},
    {3, "Lin Phase 0.5 Fn"},
    {4, "Min Phase 0.8 Fn"},
    {5, "SAR Filter"},
};

constexpr CodeLabel kUnitTypes[] = {{0, "SU1 or SU6"}, {16, "SAR4 or SAR6"}};

constexpr CodeLabel kChannelTypes[] = {
    {0, "Unused"}, {1, "Seis"}, {3, "Uphole"}, {9, "Signature, Filtered(Aux)"}};

constexpr CodeLabel kBlockNoiseEliminations[] = {
    {0x00, "No Noise Elimination"},
    {0x10, "Historic/Zeroing"},
    {0x11, "Historic/Clipping"},
    {0x20, "Diversity Stack"},
};

constexpr CodeLabel kProcesses[] = {
    {0x00, "None (raw data)"},
    {0x10, "Stack"},
    {0x21, "Correlation before stack"},
    {0x22, "Correlation after stack"},
    {0x31, "Negative time correlation before stack"},
    {0x32, "Negative time correlation after stack"},
    {0x41, "Positive time correlation before stack"},
    {0x42, "Positive time correlation after stack"},
};

// Looks `code` up; on a miss stores `fallback` and reports `status` with `message`.
template <std::size_t W>
void labelOrFail(std::span<const CodeLabel> table, std::int64_t code, FixedText<W>& field,
                 std::string_view fallback, Check& check, std::int32_t status,
                 const std::string& message) {
  if (const std::string_view* text = findLabel(table, code)) {
    field = *text;
  } else {
    field = fallback;
    check.fail(status, message);
  }
}

// ---- Extended header tables ----

constexpr CodeLabel kNoYes[] = {{0, "No"}, {1, "Yes"}};
constexpr CodeLabel kAuxiliaryUnits[] = {{2, "SU1"}, {3, "SU6"}};
constexpr CodeLabel kSourceTypes[] = {{0, "Impulsive"}, {1, "Vibrator"}};
constexpr CodeLabel kFiringOrderChannels[] = {
    {0, "None"},
    {1, "SN388 blaster plug"},
    {2, "SN388 aux line"},
    {3, "Opseis 815 blaster"},
    {4, "Eagle 88 blaster plug 1"},
    {5, "Eagle 88 blaster plug 2"},
};
constexpr CodeLabel kSignals[] = {
    {0, "Field normal operations"},
    {1, "Field test"},
    {2, "Similarity"},
    {3, "SU Resistor"},
    {4, "SU Generator"},
    {5, "SU generator with receiver connected"},
    {6, "Synthetic signal on odd traces"},
    {7, "Synthetic signal on even traces"},
    {8, "Synthetic signal on all traces"},
    {9, "Synth sig on all traces with pos sign on odd acq and neg sign on even acq"},
};
constexpr CodeLabel kSyntheticSignalShapes[] = {
    {0, "Zero volt"},
    {1, "+ DC"},
    {2, "- DC"},
    {3, "Impulse"},
    {4, "Sine wave 9.765625 Hz"},
    {5, "Sine wave 19.53125 Hz"},
    {6, "Sine wave 39.0625 Hz"},
    {7, "Sine wave 78.125 Hz"},
    {8, "Sine wave 156.25 Hz"},
    {9, "Sine wave 312.5 Hz"},
    {10, "Sine wave 635 Hz"},
    {11, "Sine wave 1250 Hz"},
};
constexpr CodeLabel kTests[] = {
    {0, "None"},
    {1, "SU distortion/dynamic"},
    {2, "SU rms/offset"},
    {3, "SU resistor impulse"},
    {4, "SU crosstalk"},
    {5, "SAR distortion"},
    {6, "SAR noise"},
    {7, "SAR resistor impulse"},
    {8, "SAR crosstalk"},
    {9, "SAR common mode"},
    {10, "Field receiver impulse"},
    {11, "Field receiver impulse model save"},
    {12, "Field noise"},
    {13, "Field crosstalk"},
    {14, "Field leakage"},
};
constexpr CodeLabel kSpreadTypes[] = {{0, "Generic"}, {1, "Absolute"}};
constexpr CodeLabel kSyntheticSignalTypes[] = {
    {0, "No signal"},           {1, "Impulse"},
    {2, "Sine wave 7.8125 Hz"}, {3, "Sine wave 15.625 Hz"},
    {4, "Sine wave 31.25 Hz"},  {5, "Sine wave 62.50 Hz"},
};
constexpr CodeLabel kNoiseEliminations[] = {
    {0, "None"}, {1, "Diversity Stack"}, {2, "Historic"}, {3, "Off"}};
constexpr CodeLabel kHistoricEditings[] = {{0, "Zeroing"}, {1, "Clipping"}};
constexpr CodeLabel kThresholds[] = {{0, "Hold"}, {1, "Var"}};
constexpr CodeLabel kProcessTypes[] = {
    {0, "No operation"},
    {1, "Stack"},
    {2, "Correlation After stack"},
    {3, "Correlation Before stack"},
    {4, "No operation"},
    {5, "No operation"},
    {6, "No operation"},
};
constexpr CodeLabel kTtms[] = {{0, "Single"}, {1, "Simultaneous"}};

// One coded word of the extended header: its row, table, fallback text, status and message
// (the code is appended when `appendCode`).
struct ExtendedCheck {
  FieldRow row;
  std::span<const CodeLabel> table;
  std::string_view fallback;
  std::int32_t status;
  std::string_view message;
  bool appendCode;
};

template <std::size_t W>
void decodeTabled(const Block& b, const ExtendedCheck& c, FixedText<W>& field, Check& check) {
  const std::uint64_t code = fieldValue(b, c.row);
  std::string message(c.message);
  if (c.appendCode) message += std::to_string(code);
  labelOrFail(c.table, static_cast<std::int64_t>(code), field, c.fallback, check, c.status,
              message);
}

// The three character fields shown without their leading and trailing blanks and zeros.
void trimExtendedTexts(const Block& b, Sn388ExtendedFields& out) {
  namespace rows = sn388_layout::extended;
  out.bytes705To720 = trimmedCharactersOf(b, rows::kBytes705To720);
  out.bytes741To756 = trimmedCharactersOf(b, rows::kBytes741To756);
  out.bytes773To784 = trimmedCharactersOf(b, rows::kBytes773To784);
}

void decodeBlasterStatus(const Block& b, Sn388ExtendedFields& out, Check& check) {
  const std::uint64_t code = fieldValue(b, sn388_layout::extended::kBlasterStatus);
  for (std::size_t i = 0; i < 3; ++i)
    out.blasterStatusTexts[i] =
        code <= 8 ? sercel_codes::kBlasterStatusTexts[code][i] : std::string_view("Unknown");
  if (code > 8) check.fail(4, "Blaster status code not recognised");
}

}  // namespace

std::int32_t SEGDDECODE388TRACEHEADEREXTBLOCK1(Bytes buffer, Sn388Block1Fields& out) {
  namespace rows = sn388_layout::block1;
  const Block b(buffer);
  Check check(out.message);
  readByteFields(b, out);
  const auto filterCode = static_cast<int>(fieldValue(b, rows::kChannelFilterCode));
  const auto gain = static_cast<int>(fieldValue(b, rows::kChannelGain));
  const int unitType = b.at(rows::kUnitTypeValue.first) & 0xF0;
  const int channelType = b.at(rows::kChannelTypeValue.first) & 0x0F;
  const auto noiseCode = static_cast<int>(fieldValue(b, rows::kNoiseEliminationCode));
  const auto processCode = static_cast<int>(fieldValue(b, rows::kProcessCode));
  const auto status = static_cast<int>(fieldValue(b, rows::kStatusByte));
  out.unitTypeValue = std::to_string(unitType);
  out.channelTypeValue = std::to_string(channelType);
  if (b.bigSingle(rows::kBytes27To30.first) == 0.0f) out.bytes27To30 = "1";

  labelOrFail(kChannelFilters, filterCode, out.filterText, "Unknown", check, 1,
              "Channel Filter type code not recognised - should be 0 to 5 but is " +
                  std::to_string(filterCode));
  out.gainText = std::to_string(gain) + " dB";
  labelOrFail(kUnitTypes, unitType, out.unitTypeText, "Unknown", check, 1,
              "FUT type code not recognised - should be 0 or 1 but is " + std::to_string(unitType));
  labelOrFail(kChannelTypes, channelType, out.channelTypeText, "Unknown", check, 1,
              "Channel type code not recognised - should be 0, 1, 3 or 9 but is " +
                  std::to_string(channelType));
  labelOrFail(kBlockNoiseEliminations, noiseCode, out.noiseEliminationText, "Unknown", check, 1,
              "NETHET type code not recognised - should be 0, 10, 11, 20");
  labelOrFail(kProcesses, processCode, out.processText, "Unknown", check, 1,
              "PROC-CT type code not recognised - Returned :" + std::to_string(processCode));
  for (std::size_t i = 0; i < out.statusFlags.size(); ++i)
    out.statusFlags[i] = (status >> (7 - i)) & 1 ? "Yes" : "No";
  out.byte26Text = out.byte26.rtrimmed();
  return check.status();
}

std::int32_t SEGDDECODE388TRACEHEADEREXTBLOCK2(Bytes buffer, Sn388Block2Fields& out) {
  readByteFields(Block(buffer), out);
  return 0;
}

std::int32_t SEGDDECODE388EXTENDEDHEADER(Bytes buffer, Sn388ExtendedFields& out) {
  namespace rows = sn388_layout::extended;
  const Block b(buffer);
  Check check(out.message);
  readByteFields(b, out);
  trimExtendedTexts(b, out);

  decodeTabled(
      b, {rows::kUpholeType, kNoYes, "Unknown", 3, "UH Type Not Correct- should be 0 or 1", false},
      out.upholeText, check);
  decodeTabled(b,
               {rows::kAuxiliaryUnitType, kAuxiliaryUnits, "Unknown", 3,
                "AUX Type Not Correct- should be 2 or 3 but is ", true},
               out.auxiliaryUnitText, check);
  decodeTabled(b,
               {rows::kSourceType, kSourceTypes, "Unknown", 3,
                "Source Type Not Correct- should be 0 or 1", false},
               out.sourceTypeText, check);
  decodeTabled(b,
               {rows::kFiringOrderChannel, kFiringOrderChannels, "Unknown", 2,
                "FOC Type Not Correct- should be 0 to 5", false},
               out.firingOrderChannelText, check);
  decodeTabled(
      b,
      {rows::kSignalType, kSignals, "Unknown", 2, "SIG Type Not Correct- should be 0 to 9", false},
      out.signalText, check);
  decodeTabled(b,
               {rows::kSyntheticSignalShape, kSyntheticSignalShapes, "Unknown", 2,
                "SSS Type Not Correct- should be 0 to 11", false},
               out.syntheticSignalShapeText, check);
  decodeTabled(
      b, {rows::kTestType, kTests, "Unknown", 2, "TST Type Not Correct- should be 0 to 14", false},
      out.testText, check);
  decodeTabled(b,
               {rows::kSpreadType, kSpreadTypes, "Unknown", 3,
                "Spread Type Not Correct- should be 0 or 1", false},
               out.spreadTypeText, check);
  decodeBlasterStatus(b, out, check);
  decodeTabled(b,
               {rows::kSyntheticSignalType, kSyntheticSignalTypes, "Unknown", 10,
                "SST Error, should be 0 to 5", false},
               out.syntheticSignalTypeText, check);
  decodeTabled(b,
               {rows::kSarPrestack, kNoYes, "Err", 6,
                "SAR Prestack flag Error, should be 0 or 1 but is ", true},
               out.sarPrestackText, check);
  decodeTabled(b,
               {rows::kNoiseElimination, kNoiseEliminations, "Unknown", 7,
                "Noise elemination flag Error, should be 0,1,2 or 3 but is ", true},
               out.noiseEliminationText, check);
  decodeTabled(b,
               {rows::kHistoricEditing, kHistoricEditings, "Unknown", 8,
                "Historic Editing flag Error, should be 0 or 1 but is ", true},
               out.historicEditingText, check);
  decodeTabled(b,
               {rows::kThreshold, kThresholds, "Err", 9,
                "Threshold flag Error, should be 0 or 1 but is ", true},
               out.thresholdText, check);
  decodeTabled(b,
               {rows::kProcessType, kProcessTypes, "Unknown", 10,
                "Process type Error, should be 0 to 6 but is ", true},
               out.processTypeText, check);
  decodeTabled(b,
               {rows::kXdtFlag, kNoYes, "Err", 9, "XDT flag Error, should be 0 or 1 but is ", true},
               out.xdtText, check);
  decodeTabled(b,
               {rows::kTtmFlag, kTtms, "Err", 9, "TTM flag Error, should be 0 or 1 but is ", true},
               out.ttmText, check);
  return check.status();
}

}  // namespace vorax::decode
