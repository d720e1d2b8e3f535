#include "decode/sercel/sn388_headers.h"

#include <string>
#include <string_view>

#include "decode/block_text.h"
#include "decode/code_lookup.h"
#include "decode/conversions.h"
#include "decode/sercel/sercel_code_tables.h"

namespace vorax::decode {

namespace {

using Check = LastFailure<FixedText<80>>;

std::uint64_t valueOf(const Block& b, std::size_t first, std::size_t last) {
  return b.big(first, last);
}
std::string singleOf(const Block& b, std::size_t first) {
  return ieeesingletext(b.bytes(first, first + 3));
}
std::string doubleOf(const Block& b, std::size_t first) {
  return ieeedoubletext(b.bytes(first, first + 7));
}

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

// One tabled four-byte field of the extended header: its first byte, table, fallback text,
// status and message (the code is appended when `appendCode`).
struct ExtendedCheck {
  std::size_t firstByte;
  std::span<const CodeLabel> table;
  std::string_view fallback;
  std::int32_t status;
  std::string_view message;
  bool appendCode;
};

template <std::size_t W>
void decodeTabled(const Block& b, const ExtendedCheck& c, FixedText<W>& field, Check& check) {
  std::uint64_t code = valueOf(b, c.firstByte, c.firstByte + 3);
  std::string message(c.message);
  if (c.appendCode) message += std::to_string(code);
  labelOrFail(c.table, static_cast<std::int64_t>(code), field, c.fallback, check, c.status,
              message);
}

void decodeExtendedNumbers(const Block& b, Sn388ExtendedFields& out) {
  for (std::size_t k = 0; k < out.firstWords.size(); ++k)
    out.firstWords[k] = decimalOf(b, 1 + 4 * k, 4 + 4 * k);
  out.bytes105To168 = charactersOf(b, 105, 168);
  for (std::size_t k = 0; k < out.middleWords.size(); ++k)
    out.middleWords[k] = decimalOf(b, 169 + 4 * k, 172 + 4 * k);
  out.bytes305To432 = hexOf(b, 305, 432).substr(0, 128);
  out.bytes433To560 = hexOf(b, 433, 560).substr(0, 128);
  out.bytes561To564 = decimalOf(b, 561, 564);
  out.bytes565To644 = charactersOf(b, 565, 644);
  for (std::size_t k = 0; k < out.words645To696.size(); ++k)
    out.words645To696[k] = decimalOf(b, 645 + 4 * k, 648 + 4 * k);
  out.bytes697To700 = decimalOf(b, 697, 700);
  out.bytes701To704 = decimalOf(b, 701, 704);
  out.bytes705To720 = trimmedCharactersOf(b, 705, 720);
  out.bytes721To724 = decimalOf(b, 721, 724);
  out.bytes725To728 = singleOf(b, 725);
  out.bytes729To732 = singleOf(b, 729);
  out.bytes733To736 = decimalOf(b, 733, 736);
  out.bytes737To740 = decimalOf(b, 737, 740);
  out.bytes741To756 = trimmedCharactersOf(b, 741, 756);
  out.bytes757To760 = decimalOf(b, 757, 760);
  out.bytes761To764 = decimalOf(b, 761, 764);
  out.bytes765To768 = decimalOf(b, 765, 768);
  out.bytes769To772 = decimalOf(b, 769, 772);
  out.bytes773To784 = trimmedCharactersOf(b, 773, 784);
  out.bytes785To788 = decimalOf(b, 785, 788);
  out.bytes789To792 = decimalOf(b, 789, 792);
  out.bytes793To800 = doubleOf(b, 793);
  out.bytes801To808 = doubleOf(b, 801);
  out.bytes809To812 = singleOf(b, 809);
  out.bytes813To1023 = hexOf(b, 813, 1023).substr(0, 211);
}

void decodeBlasterStatus(const Block& b, Sn388ExtendedFields& out, Check& check) {
  std::uint64_t code = valueOf(b, 181, 184);
  for (std::size_t i = 0; i < 3; ++i)
    out.blasterStatusTexts[i] =
        code <= 8 ? sercel_codes::kBlasterStatusTexts[code][i] : std::string_view("Unknown");
  if (code > 8) check.fail(4, "Blaster status code not recognised");
}

}  // namespace

std::int32_t SEGDDECODE388TRACEHEADEREXTBLOCK1(Bytes buffer, Sn388Block1Fields& out) {
  const Block b(buffer);
  Check check(out.message);
  out.receiverLineNumber = decimalOf(b, 1, 3);
  out.receiverPointNumber = decimalOf(b, 4, 6);
  out.receiverPointIndex = decimalOf(b, 7, 7);
  out.samplesPerTrace = decimalOf(b, 8, 10);
  out.bytes11To13 = decimalOf(b, 11, 13);
  const int filterCode = b.at(14);
  const int gain = b.at(15);
  const int unitType = b.at(16) & 0xF0;
  const int channelType = b.at(16) & 0x0F;
  const int noiseCode = b.at(17);
  const int processCode = b.at(18);
  const int status = b.at(19);
  out.channelFilterCode = std::to_string(filterCode);
  out.channelGain = std::to_string(gain);
  out.unitTypeValue = std::to_string(unitType);
  out.channelTypeValue = std::to_string(channelType);
  out.noiseEliminationCode = std::to_string(noiseCode);
  out.processCode = std::to_string(processCode);
  out.statusByte = std::to_string(status);
  out.byte20 = decimalOf(b, 20, 20);
  out.byte21 = decimalOf(b, 21, 21);
  out.bytes22To23 = decimalOf(b, 22, 23);
  out.bytes24To25 = decimalOf(b, 24, 25);
  out.byte26 = decimalOf(b, 26, 26);
  out.bytes27To30 = b.bigSingle(27) == 0.0f ? std::string("1") : singleOf(b, 27);
  out.bytes31To32 = hexOf(b, 31, 32);

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
  const Block b(buffer);
  out.receiverX = doubleOf(b, 1);
  out.receiverY = doubleOf(b, 9);
  out.receiverZ = singleOf(b, 17);
  out.bytes22To32 = hexOf(b, 22, 32).substr(0, 12);
  return 0;
}

std::int32_t SEGDDECODE388EXTENDEDHEADER(Bytes buffer, Sn388ExtendedFields& out) {
  const Block b(buffer);
  Check check(out.message);
  decodeExtendedNumbers(b, out);

  decodeTabled(b, {13, kNoYes, "Unknown", 3, "UH Type Not Correct- should be 0 or 1", false},
               out.upholeText, check);
  decodeTabled(
      b,
      {33, kAuxiliaryUnits, "Unknown", 3, "AUX Type Not Correct- should be 2 or 3 but is ", true},
      out.auxiliaryUnitText, check);
  decodeTabled(b,
               {41, kSourceTypes, "Unknown", 3, "Source Type Not Correct- should be 0 or 1", false},
               out.sourceTypeText, check);
  decodeTabled(
      b, {45, kFiringOrderChannels, "Unknown", 2, "FOC Type Not Correct- should be 0 to 5", false},
      out.firingOrderChannelText, check);
  decodeTabled(b, {57, kSignals, "Unknown", 2, "SIG Type Not Correct- should be 0 to 9", false},
               out.signalText, check);
  decodeTabled(
      b,
      {61, kSyntheticSignalShapes, "Unknown", 2, "SSS Type Not Correct- should be 0 to 11", false},
      out.syntheticSignalShapeText, check);
  decodeTabled(b, {81, kTests, "Unknown", 2, "TST Type Not Correct- should be 0 to 14", false},
               out.testText, check);
  decodeTabled(b,
               {97, kSpreadTypes, "Unknown", 3, "Spread Type Not Correct- should be 0 or 1", false},
               out.spreadTypeText, check);
  decodeBlasterStatus(b, out, check);
  decodeTabled(b, {185, kSyntheticSignalTypes, "Unknown", 10, "SST Error, should be 0 to 5", false},
               out.syntheticSignalTypeText, check);
  decodeTabled(b,
               {193, kNoYes, "Err", 6, "SAR Prestack flag Error, should be 0 or 1 but is ", true},
               out.sarPrestackText, check);
  decodeTabled(b,
               {257, kNoiseEliminations, "Unknown", 7,
                "Noise elemination flag Error, should be 0,1,2 or 3 but is ", true},
               out.noiseEliminationText, check);
  decodeTabled(b,
               {273, kHistoricEditings, "Unknown", 8,
                "Historic Editing flag Error, should be 0 or 1 but is ", true},
               out.historicEditingText, check);
  decodeTabled(b,
               {289, kThresholds, "Err", 9, "Threshold flag Error, should be 0 or 1 but is ", true},
               out.thresholdText, check);
  decodeTabled(
      b, {301, kProcessTypes, "Unknown", 10, "Process type Error, should be 0 to 6 but is ", true},
      out.processTypeText, check);
  decodeTabled(b, {681, kNoYes, "Err", 9, "XDT flag Error, should be 0 or 1 but is ", true},
               out.xdtText, check);
  decodeTabled(b, {733, kTtms, "Err", 9, "TTM flag Error, should be 0 or 1 but is ", true},
               out.ttmText, check);
  return check.status();
}

}  // namespace vorax::decode
