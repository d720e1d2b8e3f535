#include "decode/sercel/quick_headers.h"

#include <string>
#include <string_view>
#include <vector>

#include "base/text_trim.h"
#include "decode/block_text.h"
#include "decode/code_lookup.h"
#include "decode/conversions.h"
#include "decode/sercel/sercel_code_tables.h"

namespace vorax::decode {

namespace {

std::int32_t numberOf(const Block& b, std::size_t first, std::size_t last) {
  return bintonumber(b.bytes(first, last));
}
float fractionalOf(const Block& b, std::size_t first, std::size_t last) {
  return static_cast<float>(numericValue(fractionaltext(b.bytes(first, last))));
}

// Bytes as characters up to (not including) the first zero byte.
std::string textBeforeZero(const Block& b, std::size_t first, std::size_t last) {
  std::vector<std::uint8_t> raw = b.bytes(first, last);
  std::string text;
  for (std::uint8_t byte : raw) {
    if (byte == 0) break;
    text.push_back(static_cast<char>(byte));
  }
  return text;
}

// Seconds per sample for the base scan interval code of general header byte 23, or 0.
float sampleIntervalSeconds(std::uint8_t code) {
  switch (code) {
    case 0x04:
      return 0.00025f;
    case 0x08:
      return 0.0005f;
    case 0x10:
      return 0.001f;
    case 0x20:
      return 0.002f;
    case 0x40:
      return 0.004f;
    default:
      return 0.0f;
  }
}

// Sample-to-mV factor of a channel gain code: 2 is the low-range gain.
float millivoltsPerCount(std::uint8_t gainCode) {
  return gainCode == 2 ? 0.00006742f : 0.0002697f;
}

void copyRecordValues(const QuickFileHeader& file, QuickTraceHeader& out) {
  out.fileNumber = file.fileNumber;
  out.date = file.date;
  out.time = file.time;
  out.tapeLabel = file.tapeLabel;
  out.tapeNumber = file.tapeNumber;
  out.sampleInterval = file.sampleInterval;
  out.samplesPerTrace = file.samplesPerTrace;
  out.recordType = file.recordType;
  out.sourceLine = file.sourceLine;
  out.sourcePoint = file.sourcePoint;
  out.sourceX = static_cast<float>(file.sourceX);
  out.sourceY = static_cast<float>(file.sourceY);
  out.sourceZ = file.sourceZ;
}

void decodeTraceValues(const Block& b, QuickTraceHeader& out) {
  out.receiverLine = static_cast<float>(numberOf(b, 21, 23));
  out.receiverPoint = static_cast<float>(numberOf(b, 24, 26));
  out.receiverX = b.bigDoubleAt(53);
  out.receiverY = b.bigDoubleAt(61);
  out.receiverZ = b.bigSingle(69);
  out.sensorType = b.at(41);
  out.resistance = b.bigSingle(93);
  out.capacitance = b.bigSingle(125);
  out.tilt = b.bigSingle(101);
  out.leakage = b.bigSingle(153);
  out.resistanceError = b.at(105);
  out.capacitanceError = b.at(141);
  out.tiltError = b.at(106);
  out.leakageError = b.at(173);
  out.unitSerialNumber = numberOf(b, 182, 184);
  out.channelNumber = b.at(185);
  // Block 6 byte 18 (198) also holds a channel type; block 7's identification (227) is the
  // one kept.
  out.channelType = b.at(227);
  out.controlUnitType = b.at(213);
  out.controlUnitSerialNumber = numberOf(b, 214, 216);
  out.channelFilter = b.at(218);
  out.mvConversionFactor = millivoltsPerCount(b.at(217));
  out.traceMaximumValue = b.bigSingle(229);
  out.interpolationCount = numberOf(b, 237, 240);
}

void decodeVqc88Table(const Block& b, Vqc88FileHeader& out) {
  for (std::size_t k = 0; k < out.table.size(); ++k) {
    std::size_t entry = 1633 + 37 * k;
    out.table[k].code = textBeforeZero(b, entry, entry + 2);
    out.table[k].name = textBeforeZero(b, entry + 3, entry + 19);
    out.table[k].value = textBeforeZero(b, entry + 20, entry + 36);
  }
}

// The first three parts of bytes 2033-2432 split at every zero byte, each trimmed.
void decodeVqc88Texts(const Block& b, Vqc88FileHeader& out) {
  std::vector<std::uint8_t> raw = b.bytes(2033, 2432);
  std::string area(raw.begin(), raw.end());
  std::string_view rest = area;
  for (FixedText<20>& text : out.texts) {
    std::size_t cut = rest.find('\0');
    text = base::trimmed(rest.substr(0, cut));
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
}

}  // namespace

std::int32_t quick408fhl(Bytes fileHeader, QuickFileHeader& out) {
  const Block b(fileHeader);
  out.message = "";
  out.fileNumber = numericInt(hexOf(b, 1, 2));
  out.formatCode = hexOf(b, 3, 4);
  if (!(out.formatCode == "8058")) {
    out.message = "Invalid Format Code - Should be 8058";
    return -1;
  }
  const std::string dayDigits = hexOf(b, 12, 13).substr(1);
  out.date = datefromjulian(numericInt(hexOf(b, 11, 11)), numericInt(dayDigits));
  out.time = hexOf(b, 14, 14) + ":" + hexOf(b, 15, 15) + ":" + hexOf(b, 16, 16);
  out.sampleInterval = sampleIntervalSeconds(b.at(23));
  if (out.sampleInterval == 0.0f) {
    out.message = "Invalid Sample Rate Code - " + hexOf(b, 23, 23);
    return -3;
  }
  out.tapeLabel = trimmedCharactersOf(b, 1133, 1148);
  out.tapeNumber = bintodecimal(b.bytes(1149, 1152));
  out.samplesPerTrace = numberOf(b, 641, 644);
  out.recordType = numericInt(hexOf(b, 26, 26).substr(0, 1));
  out.testRecordType = numberOf(b, 653, 656);
  out.sourceLine = fractionalOf(b, 68, 72);
  out.sourcePoint = fractionalOf(b, 73, 77);
  out.sourceX = b.bigDoubleAt(1181);
  out.sourceY = b.bigDoubleAt(1189);
  out.sourceZ = b.bigSingle(1197);
  out.totalTraces = numberOf(b, 617, 620);
  out.auxiliaryTraces = numberOf(b, 621, 624);
  out.seismicTraces = numberOf(b, 625, 628);
  out.spreadFirstLine = numberOf(b, 657, 660);
  out.spreadFirstNumber = numberOf(b, 661, 664);
  out.internalTimeBreak = numberOf(b, 697, 700);
  out.blasterStatus = numberOf(b, 685, 688);
  out.maximumAuxiliaryAmplitude = b.bigSingle(1121);
  out.maximumSeismicAmplitude = b.bigSingle(1125);
  out.acquisitionFilterType = numberOf(b, 1373, 1376);
  if (out.acquisitionFilterType < 1 || out.acquisitionFilterType > 3) {
    out.message = "Invalid Filter Code - " + std::to_string(out.acquisitionFilterType);
    return -4;
  }
  return 0;
}

std::int32_t quick408gettracehl(Bytes traceHeader, QuickTraceHeader& out,
                                const QuickFileHeader& fileHeader) {
  const Block b(traceHeader);
  std::int32_t status = 0;
  out.message = "";
  copyRecordValues(fileHeader, out);
  decodeTraceValues(b, out);
  if (const std::string_view* text =
          findLabel(sercel_codes::kControlUnitTypes, out.controlUnitType)) {
    out.controlUnitText = *text;
  } else {
    out.controlUnitText = "Unknown";
    out.message = "Control Unit Code Not Recognised";
    status = -1;
  }
  if (const std::string_view* text = findLabel(sercel_codes::kChannelFilters, out.channelFilter)) {
    out.filterText = *text;
  } else {
    out.filterText = "Undefined";
    out.message = "Channel Filter Code Not Recognised  - should be 1, 2 or 3";
    status = -2;
  }
  return status;
}

std::int32_t vqc88decodefileheader(Bytes fileHeader, Vqc88FileHeader& out) {
  const Block b(fileHeader);
  std::int32_t status = 0;
  out.formatCode = hexOf(b, 3, 4);
  if (!(out.formatCode == "8765")) {
    out.message = "Format code is not 8765. This is not a VQC88 File!!";
    status = -1;
  }
  out.bytes609To612 = bintodecimal(b.bytes(609, 612));
  out.bytes613To616 = bintodecimal(b.bytes(613, 616));
  out.bytes617To620 = hexOf(b, 617, 620);
  out.bytes657To660 = bintodecimal(b.bytes(657, 660));
  out.bytes1261To1264 = bintodecimal(b.bytes(1261, 1264));
  decodeVqc88Table(b, out);
  decodeVqc88Texts(b, out);
  out.text2433To2532 = textBeforeZero(b, 2433, 2532);
  out.text2533To2656 = textBeforeZero(b, 2533, 2656);
  return status;
}

}  // namespace vorax::decode
