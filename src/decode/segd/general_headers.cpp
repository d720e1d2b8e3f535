#include "decode/segd/general_headers.h"

#include <array>
#include <string>
#include <string_view>

#include "decode/block_text.h"
#include "decode/conversions.h"

namespace vorax::decode {

namespace {

namespace gh2 = segd_layout::gh2;

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
  return std::to_string(static_cast<int>(segd_layout::kBlockBytes) * numericInt(blockDigits));
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
  readByteFields(b, out);

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
  readByteFields(b, out);
  out.expandedFileNumberValue = decimalOf(b, gh2::kExpandedFileNumber);
  out.revisionText = revisiontext(b.bytes(gh2::kSegdRevision.first, gh2::kSegdRevision.last));
  out.extendedRecordLengthValue = decimalOf(b, gh2::kExtendedRecordLength);
  return 0;
}

std::int32_t SEGDDECODEGH3(Bytes buffer, Gh3Fields& out) {
  const Block b(buffer);
  readByteFields(b, out);
  fillGh3SourceTexts(b, out);
  return 0;
}

std::int32_t SEGDDECODESCANTYPEHEADER(Bytes buffer, ChannelSetFields& out) {
  const Block b(buffer);
  readByteFields(b, out);
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
