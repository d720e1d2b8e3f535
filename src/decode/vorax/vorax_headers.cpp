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

void fillExtendedDigits(const Block& b, VoraxExtendedFields& out) {
  out.tapeNumber = hexOf(b, 1, 2);
  out.traceCount = hexOf(b, 3, 4);
  out.samplesPerTrace = hexOf(b, 5, 7);
  out.timeBreakDigit = highDigitOf(b, 8);
  out.dataRetryDigit = lowDigitOf(b, 8);
  out.correlationDigit = highDigitOf(b, 9);
  out.recordKindDigit = lowDigitOf(b, 9);
  out.filterPhaseDigit = highDigitOf(b, 10);
  out.byte10SecondDigit = lowDigitOf(b, 10);
  out.bytes11To16 = hexOf(b, 11, 16);
  out.bytes17To20 = hexOf(b, 17, 20);
  const std::string auxDigits = hexOf(b, 21, 27);
  for (std::size_t i = 0; i < kAuxChannelCount; ++i)
    out.auxChannelCodes[i] = auxDigits.substr(i, 1);
  out.noiseEditDigits = hexOf(b, 28, 30);
  out.byte31 = hexOf(b, 31, 31);
  out.byte32 = hexOf(b, 32, 32);
  out.sourceTypeDigit = highDigitOf(b, 33);
  out.byte33SecondDigit = lowDigitOf(b, 33);
  out.byte34 = hexOf(b, 34, 34);
  out.valueA = hexOf(b, 35, 36);
  out.valueB = hexOf(b, 37, 38);
  out.upholeTime = hexOf(b, 39, 40);
  out.valueD = hexOf(b, 41, 43);
  out.bytes44To45 = hexOf(b, 44, 45);
  out.bytes46To47 = hexOf(b, 46, 47);
  out.valueE = hexOf(b, 48, 49);
  out.valueF = hexOf(b, 50, 51);
  out.arrayFilterDigit = highDigitOf(b, 52);
  out.bytes54To64 = hexOf(b, 54, 64);
}

// The single-digit codes are compared as the nibble they are, so a nibble A-F never
// passes for 0.
void fillExtendedTexts(const Block& b, VoraxExtendedFields& out) {
  out.timeBreakKind = highNibble(b, 8) == 0 ? "FTB" : "ITB";
  out.dataRetry = lowNibble(b, 8) == 0 ? "No Data Retry" : "Data Retry";
  out.correlation = correlationText(highNibble(b, 9));
  out.recordKind = lowNibble(b, 9) == 0 ? "Normal Record" : "System Test";
  out.filterPhase = highNibble(b, 10) == 0 ? "Linear Phase" : "Minimum Phase";
  for (std::size_t i = 0; i < kAuxChannelCount; ++i) {
    const std::size_t position = 21 + i / 2;
    const int code = i % 2 == 0 ? highNibble(b, position) : lowNibble(b, position);
    out.auxChannelTexts[i] = auxChannelText(code, out.auxChannelCodes[i].trimmed());
  }
  const bool noNoiseEdit = b.at(28) == 0 && b.at(29) == 0 && b.at(30) == 0;
  out.noiseEdit = noNoiseEdit ? std::string("No Noise Edit") : out.noiseEditDigits.str();
  out.sourceType = sourceTypeText(highNibble(b, 33), out.sourceTypeDigit.view());
  out.valueATenths = tenths(out.valueA.view());
  out.valueBTenths = tenths(out.valueB.view());
  out.upholeTimeTenths = tenths(out.upholeTime.view());
  out.valueDTenths = tenths(out.valueD.view());
  out.valueETenths = tenths(out.valueE.view());
  out.valueFTenths = tenths(out.valueF.view());
  out.arrayFilter = arrayFilterText(highNibble(b, 52), out.arrayFilterDigit.view());
}

}  // namespace

std::int32_t SEGDDECODEVORAXGH3(Bytes buffer, VoraxGh3Fields& out) {
  const Block b(buffer);
  fillGh3SourceFields(b, out);
  out.sourceX = decimalOf(b, 21, 24);
  out.sourceY = decimalOf(b, 25, 28);
  out.sourceZ = decimalOf(b, 29, 32);
  return 0;
}

std::int32_t SEGDDECODEVORAXEXTENDEDHEADER(Bytes buffer, VoraxExtendedFields& out) {
  const Block b(buffer);
  fillExtendedDigits(b, out);
  fillExtendedTexts(b, out);
  return 0;
}

std::int32_t SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(Bytes buffer, VoraxTraceExt1Fields& out) {
  const Block b(buffer);
  out.receiverLine = decimalOf(b, 1, 3);
  out.receiverPoint = decimalOf(b, 4, 6);
  out.receiverPointIndex = decimalOf(b, 7, 7);
  out.samplesPerTrace = decimalOf(b, 8, 10);
  out.byte11 = hexOf(b, 11, 11);
  out.byte12 = hexOf(b, 12, 12);
  out.receiverX = decimalOf(b, 13, 16);
  out.receiverY = decimalOf(b, 17, 20);
  out.byte21 = hexOf(b, 21, 21);
  out.unitIdentifier = hexOf(b, 22, 25);
  out.byte26FirstDigit = highDigitOf(b, 26);
  out.byte26SecondDigit = lowDigitOf(b, 26);
  out.bytes27To28 = hexOf(b, 27, 28);
  out.bytes29To30 = hexOf(b, 29, 30);
  out.byte31 = hexOf(b, 31, 31);
  out.byte31Again = hexOf(b, 31, 31);
  return 0;
}

}  // namespace vorax::decode
