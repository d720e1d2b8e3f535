#include "decode/vorax/vorax_headers.h"

#include <string>
#include <string_view>

#include "decode/block_text.h"
#include "decode/conversions.h"
#include "decode/segd/general_headers.h"

namespace vorax::decode {

namespace {

// Text of one auxiliary channel code (a single hex digit, 0-15).
std::string auxChannelText(int code, std::string_view digit) {
  switch (code) {
    case 0:
      return "Unknown";
    case 3:
      return "Dummy";
    case 4:
      return "TB";
    case 5:
      return "Uphole";
    case 6:
      return "Pilot";
    case 7:
      return "Timing Word";
    case 8:
      return "WaterBreak";
    case 11:
      return "Conf TB";
    case 13:
      return "Radio Ref";
    case 14:
      return "Radio Return";
    default:
      return std::string(digit) + " Unspecified";
  }
}

std::string sourceTypeText(int code, std::string_view digit) {
  switch (code) {
    case 1:
      return "Explosive";
    case 2:
      return "Vibrator";
    case 3:
      return "Other";
    default:
      return std::string(digit) + " Unknown";
  }
}

std::string arrayFilterText(int code, std::string_view digit) {
  switch (code) {
    case 1:
      return "Linear";
    case 2:
      return "Eliptic";
    case 3:
      return "Other";
    default:
      return std::string(digit) + " Unknown";
  }
}

std::string_view correlationText(int code) {
  switch (code) {
    case 0:
      return "No Xcorrelation";
    case 1:
      return "CAS";
    case 2:
      return "CBS";
    default:
      return "Unknown";
  }
}

// The numeric value of a digit field divided by 10: "0125" -> "12.5".
std::string tenths(std::string_view digits) {
  return shortestText(numericValue(digits) / 10.0);
}

int nibbleOf(const Block& b, const FieldRow& row) {
  return row.encoding == FieldEncoding::HighDigit ? highNibble(b, row.first)
                                                  : lowNibble(b, row.first);
}

// The single-digit codes are compared as the nibble they are, so a nibble A-F never
// passes for 0.
void fillExtendedTexts(const Block& b, VoraxExtendedFields& out) {
  namespace rows = vorax_layout::extended;
  out.timeBreakKind = nibbleOf(b, rows::kTimeBreakDigit) == 0 ? "FTB" : "ITB";
  out.dataRetry = nibbleOf(b, rows::kDataRetryDigit) == 0 ? "No Data Retry" : "Data Retry";
  out.correlation = correlationText(nibbleOf(b, rows::kCorrelationDigit));
  out.recordKind = nibbleOf(b, rows::kRecordKindDigit) == 0 ? "Normal Record" : "System Test";
  out.filterPhase = nibbleOf(b, rows::kFilterPhaseDigit) == 0 ? "Linear Phase" : "Minimum Phase";
  for (std::size_t i = 0; i < kAuxChannelCount; ++i) {
    const int code = nibbleOf(b, rows::kAuxChannelCodes[i]);
    out.auxChannelTexts[i] = auxChannelText(code, out.auxChannelCodes[i].trimmed());
  }
  const bool noNoiseEdit = fieldValue(b, rows::kNoiseEditDigits) == 0;
  out.noiseEdit = noNoiseEdit ? std::string("No Noise Edit") : out.noiseEditDigits.str();
  out.sourceType = sourceTypeText(nibbleOf(b, rows::kSourceTypeDigit), out.sourceTypeDigit.view());
  out.valueATenths = tenths(out.valueA.view());
  out.valueBTenths = tenths(out.valueB.view());
  out.upholeTimeTenths = tenths(out.upholeTime.view());
  out.valueDTenths = tenths(out.valueD.view());
  out.valueETenths = tenths(out.valueE.view());
  out.valueFTenths = tenths(out.valueF.view());
  out.arrayFilter =
      arrayFilterText(nibbleOf(b, rows::kArrayFilterDigit), out.arrayFilterDigit.view());
}

}  // namespace

std::int32_t SEGDDECODEVORAXGH3(Bytes buffer, VoraxGh3Fields& out) {
  const Block b(buffer);
  fillGh3SourceFields(b, out);
  out.sourceX = fieldText(b, vorax_layout::gh3::kSourceX);
  out.sourceY = fieldText(b, vorax_layout::gh3::kSourceY);
  out.sourceZ = fieldText(b, vorax_layout::gh3::kSourceZ);
  return 0;
}

std::int32_t SEGDDECODEVORAXEXTENDEDHEADER(Bytes buffer, VoraxExtendedFields& out) {
  const Block b(buffer);
  readByteFields(b, out);
  fillExtendedTexts(b, out);
  return 0;
}

std::int32_t SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(Bytes buffer, VoraxTraceExt1Fields& out) {
  const Block b(buffer);
  readByteFields(b, out);
  return 0;
}

}  // namespace vorax::decode
