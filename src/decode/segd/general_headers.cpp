#include "decode/segd/general_headers.h"

#include <array>
#include <string>
#include <string_view>

#include "decode/block_text.h"
#include "decode/conversions.h"

namespace vorax::decode {

namespace {

struct CodeText {
  std::string_view code;
  std::string_view text;
};

constexpr std::array<CodeText, 18> kFormats{{
    {"0015", "20 Bit Binary MUX"},
    {"0022", "8 Bit Quaternary MUX"},
    {"0024", "16 Bit Quaternary MUX"},
    {"0042", "8 Bit Hexadecimal MUX"},
    {"0044", "16 Bit Hexadecimal MUX"},
    {"0048", "32 Bit Hexadecimal MUX"},
    {"8015", "20 Bit Binary DeMUX"},
    {"8022", "8 Bit Quaternary DeMUX"},
    {"8024", "16 Bit Qauternary DeMUX"},
    {"8042", "8 Bit Hexadecimal DeMUX"},
    {"8044", "16 Bit Hexadecimal DeMUX"},
    {"8048", "32 Bit Hexadecimal DeMUX"},
    {"0036", "24 Bit 2's Comp Integer MUX"},
    {"0038", "32 Bit 2's Comp Integer MUX"},
    {"0058", "32 Bit IEEE MUX"},
    {"8036", "24 Bit 2's Comp Integer DeMUX"},
    {"8038", "32 Bit 2's Comp Integer DeMUX"},
    {"8058", "32 Bit IEEE DeMUX"},
}};

constexpr std::string_view kVqc88Format = "8765";

// Text of a format code; empty for a code not in the table.
std::string_view formatText(std::string_view code) {
  for (const CodeText& entry : kFormats) {
    if (entry.code == code) return entry.text;
  }
  return {};
}

// SEG-D manufacturer codes 0..40; an empty text is a known code without a name, nullptr an
// unknown code.
constexpr std::array<const char*, 41> kManufacturers{
    nullptr,
    "Alpine",
    "Applied Magnetics Corp",
    "Western Geo",
    "SIE",
    "Dyna-Tronics",
    "Electronic Instrumentation",
    "Halliburton (Geosource)",
    "Fortune Electronics",
    "Geospace",
    "Leach Corporation",
    "Metrix Instrument Co.",
    "Redcor Corporation",
    "Sercel",
    "SDS",
    "Halliburton (TI)",
    "F/N",
    "GUS",
    "I/O",
    "Geco-Prakla",
    "Fairfield Industries",
    "",
    "Geco Prakla",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "Japex",
    "Halliburton",
    "Compuseis",
    "Syntron US",
    "Syntron Europe",
    "Opseis",
    "",
    "",
    "Grant Geophysical",
    "Geo-X",
};

constexpr int kSercel = 13;

std::string_view sercelModel(std::int32_t generalConstants) {
  switch (generalConstants) {
    case 0:
      return "SN388";
    case 1:
      return "SN408UL CM408";
    case 2:
      return "Seal";
    case 3:
      return "SN408UL CM408XL";
    case 5:
      return "SN428 CM428XL";
    default:
      return "Unknown";
  }
}

// Milliseconds for the base scan interval code of byte 23; empty for a code not accepted.
std::string_view sampleIntervalMs(std::string_view code) {
  if (code == "04") return "0.25";
  if (code == "08") return "0.5";
  if (code == "10") return "1";
  if (code == "20") return "2";
  if (code == "40") return "4";
  return {};
}

// Header length text for the block count of byte 31 or 32: "FF" defers to block 2.
std::string headerLengthText(std::string_view blockDigits) {
  if (blockDigits == "FF") return "From GH2";
  return std::to_string(32 * numericInt(blockDigits));
}

void fillGh1Digits(const Block& b, Gh1Fields& out) {
  out.fileNumber = hexOf(b, 1, 2);
  out.formatCode = hexOf(b, 3, 4);
  out.generalConstants = hexOf(b, 5, 10);
  out.year = hexOf(b, 11, 11);
  out.additionalBlocks = highDigitOf(b, 12);
  out.julianDay = lowDigitOf(b, 12) + hexOf(b, 13, 13);
  out.hour = hexOf(b, 14, 14);
  out.minute = hexOf(b, 15, 15);
  out.second = hexOf(b, 16, 16);
  out.manufacturerCode = hexOf(b, 17, 17);
  out.manufacturerSerial = hexOf(b, 18, 19);
  out.bytesPerScan = hexOf(b, 20, 22);
  out.baseScanIntervalCode = hexOf(b, 23, 23);
  out.polarity = highDigitOf(b, 24);
  out.scansPerBlock = lowDigitOf(b, 24) + hexOf(b, 25, 25);
  out.recordTypeCode = highDigitOf(b, 26);
  out.recordLength = lowDigitOf(b, 26) + hexOf(b, 27, 27);
  out.scanTypesPerRecord = hexOf(b, 28, 28);
  out.channelSetsPerScanType = hexOf(b, 29, 29);
  out.skewBlocks = hexOf(b, 30, 30);
  out.extendedHeaderBlocks = hexOf(b, 31, 31);
  out.externalHeaderBlocks = hexOf(b, 32, 32);
}

// Manufacturer text and, for Sercel, the instrument model. Returns 2 for an unknown code.
std::int32_t decodeManufacturer(Gh1Fields& out) {
  const std::int32_t code = numericInt(out.manufacturerCode.view());
  const char* name = code >= 0 && code < static_cast<std::int32_t>(kManufacturers.size())
                         ? kManufacturers[code]
                         : nullptr;
  if (name == nullptr) {
    out.manufacturerText = "Unknown Manufacturer";
    out.message = "The Manufacturer code is not recognised";
    return 2;
  }
  out.manufacturerText = name;
  if (code == kSercel) out.instrumentModel = sercelModel(numericInt(out.generalConstants.view()));
  return 0;
}

}  // namespace

std::int32_t SEGDDECODEGH1(Bytes buffer, Gh1Fields& out) {
  const Block b(buffer);
  fillGh1Digits(b, out);

  const std::string_view format = out.formatCode.view();
  if (format == kVqc88Format) {
    out.formatText = "Sercel VQC-88";
    out.manufacturerText = "Sercel";
    out.message = "Non Fatal Error - VQC88 file";
    return 1;
  }
  const std::string_view formatName = formatText(format);
  if (formatName.empty()) {
    out.formatText = "Unknown";
    out.message =
        std::string(format) + " is an invalid SEGD Format Code. This is not a SEG D File.";
    return -1;
  }
  out.formatText = formatName;

  out.dateText = datefromjulian(numericInt(out.year.view()), numericInt(out.julianDay.view()));
  out.timeText = out.hour.str() + ":" + out.minute.str() + ":" + out.second.str();

  const std::int32_t status = decodeManufacturer(out);

  const std::string_view interval = sampleIntervalMs(out.baseScanIntervalCode.view());
  if (interval.empty()) {
    out.sampleIntervalMs = "0";
    out.message = "Invalid Sample Rate Code - the code to indicate sample rate is not correct";
    return -3;
  }
  out.sampleIntervalMs = interval;

  switch (numericInt(out.recordTypeCode.view())) {
    case 2:
      out.recordTypeText = "Test";
      break;
    case 8:
      out.recordTypeText = "Normal";
      break;
    default:
      out.recordTypeText = "Unknown";
      out.message = "Invalid Record Type Code - The code indicating record type should be 2 or 8";
      return -4;
  }

  out.recordLengthText =
      out.recordLength == "FFF" ? std::string("Ext Rec Len Used") : out.recordLength.str();
  out.extendedHeaderLength = headerLengthText(out.extendedHeaderBlocks.view());
  out.externalHeaderLength = headerLengthText(out.externalHeaderBlocks.view());
  return status;
}

std::int32_t SEGDDECODEGH2(Bytes buffer, Gh2Fields& out) {
  const Block b(buffer);
  out.expandedFileNumber = hexOf(b, 1, 3);
  out.extendedChannelSets = hexOf(b, 4, 5);
  out.extendedHeaderBlocks = hexOf(b, 6, 7);
  out.externalHeaderBlocks = hexOf(b, 8, 9);
  out.byte10 = hexOf(b, 10, 10);
  out.segdRevision = hexOf(b, 11, 12);
  out.generalTrailerBlocks = hexOf(b, 13, 14);
  out.extendedRecordLength = hexOf(b, 15, 17);
  out.byte18 = hexOf(b, 18, 18);
  out.generalHeaderBlockNumber = hexOf(b, 19, 19);
  out.bytes20To32 = hexOf(b, 20, 32);
  out.expandedFileNumberValue = decimalOf(b, 1, 3);
  out.revisionText = revisiontext(b.bytes(11, 12));
  out.extendedRecordLengthValue = decimalOf(b, 15, 17);
  return 0;
}

std::int32_t SEGDDECODEGH3(Bytes buffer, Gh3Fields& out) {
  const Block b(buffer);
  fillGh3SourceFields(b, out);
  out.bytes21To32 = hexOf(b, 21, 32);
  return 0;
}

std::int32_t SEGDDECODESCANTYPEHEADER(Bytes buffer, ChannelSetFields& out) {
  const Block b(buffer);
  out.scanTypeNumber = hexOf(b, 1, 1);
  out.channelSetNumber = hexOf(b, 2, 2);
  out.startTime = hexOf(b, 3, 4);
  out.endTime = hexOf(b, 5, 6);
  out.descaleMultiplier = hexOf(b, 7, 8);
  out.channelCount = hexOf(b, 9, 10);
  out.channelType = highDigitOf(b, 11);
  out.channelTypeSecondDigit = lowDigitOf(b, 11);
  out.subscans = highDigitOf(b, 12);
  out.channelGainControl = lowDigitOf(b, 12);
  out.aliasFilterFrequency = hexOf(b, 13, 14);
  out.aliasFilterSlope = hexOf(b, 15, 16);
  out.lowCutFilter = hexOf(b, 17, 18);
  out.lowCutSlope = hexOf(b, 19, 20);
  out.firstNotch = hexOf(b, 21, 22);
  out.secondNotch = hexOf(b, 23, 24);
  out.thirdNotch = hexOf(b, 25, 26);
  out.extendedChannelSetNumber = hexOf(b, 27, 28);
  out.extendedHeaderFlag = highDigitOf(b, 29);
  out.traceHeaderExtensions = lowDigitOf(b, 29);
  out.verticalStack = hexOf(b, 30, 30);
  out.streamerCableNumber = hexOf(b, 31, 31);
  out.arrayForming = hexOf(b, 32, 32);
  return 0;
}

std::int32_t SEGDDECODE408EXTERNALHEADER(Bytes buffer, ExternalHeaderFields& out) {
  constexpr std::size_t kShownBytes = 1024;
  const Block b(buffer);
  out.hexDigits = hexOf(b, 1, kShownBytes);
  std::string text(kShownBytes, ' ');
  for (std::size_t i = 0; i < kShownBytes; ++i) {
    const std::uint8_t c = b.at(i + 1);
    if (c > 32 && c < 127) text[i] = static_cast<char>(c);
  }
  out.text = text;
  return 0;
}

}  // namespace vorax::decode
