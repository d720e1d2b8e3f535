#include "decode/sercel/quick_headers.h"

#include <string>
#include <string_view>
#include <vector>

#include "base/text_trim.h"
#include "decode/block_text.h"
#include "decode/code_lookup.h"
#include "decode/conversions.h"
#include "decode/segd/segd_layout.h"
#include "decode/sercel/sercel_code_tables.h"
#include "decode/sercel/sercel_layout.h"

namespace vorax::decode {

namespace {

using namespace sercel_layout;
namespace gh1 = segd_layout::gh1;
namespace gh3 = segd_layout::gh3;

// General header block 3 counted from the start of the file header.
constexpr FieldRow inGh3(const FieldRow& row) {
  return row.at(2 * segd_layout::kBlockBytes);
}

std::int32_t numberOf(const Block& b, std::size_t first, std::size_t last) {
  return bintonumber(b.bytes(first, last));
}
std::int32_t numberOf(const Block& b, const FieldRow& row) {
  return numberOf(b, row.first, row.last);
}
std::uint8_t byteOf(const Block& b, const FieldRow& row) {
  return b.at(row.first);
}
float singleOf(const Block& b, const FieldRow& row) {
  return b.bigSingle(row.first);
}
double doubleOf(const Block& b, const FieldRow& row) {
  return b.bigDoubleAt(row.first);
}
float fractionalOf(const Block& b, const FieldRow& row) {
  return static_cast<float>(numericValue(fractionaltext(b.bytes(row.first, row.last))));
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

// Seconds per sample for the base scan interval code of general header block 1, or 0.
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
  out.receiverLine = static_cast<float>(numberOf(b, inTraceHeader(1, block1::kReceiverLineNumber)));
  out.receiverPoint =
      static_cast<float>(numberOf(b, inTraceHeader(1, block1::kReceiverPointNumber)));
  out.receiverX = doubleOf(b, inTraceHeader(2, block2::kReceiverEasting));
  out.receiverY = doubleOf(b, inTraceHeader(2, block2::kReceiverNorthing));
  out.receiverZ = singleOf(b, inTraceHeader(2, block2::kReceiverElevation));
  out.sensorType = byteOf(b, inTraceHeader(1, block1::kSensorTypeCode));
  out.resistance = singleOf(b, inTraceHeader(3, block3::kResistanceValue));
  out.capacitance = singleOf(b, inTraceHeader(4, block4::kCapacitanceValue));
  out.tilt = singleOf(b, inTraceHeader(3, block3::kTiltValue));
  out.leakage = singleOf(b, inTraceHeader(5, block5::kLeakageValue));
  out.resistanceError = byteOf(b, inTraceHeader(3, block3::kResistanceError));
  out.capacitanceError = byteOf(b, inTraceHeader(4, block4::kCapacitanceError));
  out.tiltError = byteOf(b, inTraceHeader(3, block3::kTiltError));
  out.leakageError = byteOf(b, inTraceHeader(5, block5::kLeakageError));
  out.unitSerialNumber = numberOf(b, inTraceHeader(6, block6::kUnitSerialNumber));
  out.channelNumber = byteOf(b, inTraceHeader(6, block6::kChannelNumber));
  // Block 6 also holds a channel type; block 7's identification is the one kept.
  out.channelType = byteOf(b, inTraceHeader(7, block7::kChannelTypeIdentification));
  out.controlUnitType = byteOf(b, inTraceHeader(7, block7::kControlUnitType));
  out.controlUnitSerialNumber = numberOf(b, inTraceHeader(7, block7::kControlUnitSerialNumber));
  out.channelFilter = byteOf(b, inTraceHeader(7, block7::kChannelFilter));
  out.mvConversionFactor =
      millivoltsPerCount(byteOf(b, inTraceHeader(7, block7::kChannelGainScale)));
  out.traceMaximumValue = singleOf(b, inTraceHeader(7, block7::kTraceMaximumValue));
  out.interpolationCount = numberOf(b, inTraceHeader(7, block7::kNumberOfInterpolations));
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
  out.fileNumber = numericInt(fieldText(b, gh1::kFileNumber));
  out.formatCode = fieldText(b, gh1::kFormatCode);
  if (!(out.formatCode == "8058")) {
    out.message = "Invalid Format Code - Should be 8058";
    return -1;
  }
  out.date = datefromjulian(numericInt(fieldText(b, gh1::kYear)),
                            numericInt(fieldText(b, gh1::kJulianDay)));
  out.time = fieldText(b, gh1::kHour) + ":" + fieldText(b, gh1::kMinute) + ":" +
             fieldText(b, gh1::kSecond);
  out.sampleInterval = sampleIntervalSeconds(b.at(gh1::kBaseScanIntervalCode.first));
  if (out.sampleInterval == 0.0f) {
    out.message = "Invalid Sample Rate Code - " + fieldText(b, gh1::kBaseScanIntervalCode);
    return -3;
  }
  out.tapeLabel = trimmedCharactersOf(b, inFileHeader(extended::kTapeLabel));
  out.tapeNumber = fieldText(b, inFileHeader(extended::kTapeNumber));
  out.samplesPerTrace = numberOf(b, inFileHeader(extended::kSamplesPerTrace));
  out.recordType = numericInt(fieldText(b, gh1::kRecordTypeCode));
  out.testRecordType = numberOf(b, inFileHeader(extended::kTestRecordType));
  out.sourceLine = fractionalOf(b, inGh3(gh3::kSourceLineDigits));
  out.sourcePoint = fractionalOf(b, inGh3(gh3::kSourcePointDigits));
  out.sourceX = doubleOf(b, inFileHeader(extended::kSourceEasting));
  out.sourceY = doubleOf(b, inFileHeader(extended::kSourceNorthing));
  out.sourceZ = singleOf(b, inFileHeader(extended::kSourceElevation));
  out.totalTraces = numberOf(b, inFileHeader(extended::kTotalTraces));
  out.auxiliaryTraces = numberOf(b, inFileHeader(extended::kAuxiliaryTraces));
  out.seismicTraces = numberOf(b, inFileHeader(extended::kSeismicTraces));
  out.spreadFirstLine = numberOf(b, inFileHeader(extended::kSpreadFirstLine));
  out.spreadFirstNumber = numberOf(b, inFileHeader(extended::kSpreadFirstNumber));
  out.internalTimeBreak = numberOf(b, inFileHeader(extended::kInternalTimeBreak));
  out.blasterStatus = numberOf(b, inFileHeader(extended::kBlasterStatus));
  out.maximumAuxiliaryAmplitude = singleOf(b, inFileHeader(extended::kMaximumAuxiliaryAmplitude));
  out.maximumSeismicAmplitude = singleOf(b, inFileHeader(extended::kMaximumSeismicAmplitude));
  out.acquisitionFilterType = numberOf(b, inFileHeader(extended::kAcquisitionFilterType));
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
  out.formatCode = fieldText(b, gh1::kFormatCode);
  if (!(out.formatCode == "8765")) {
    out.message = "Format code is not 8765. This is not a VQC88 File!!";
    status = -1;
  }
  out.bytes609To612 = decimalOf(b, 609, 612);
  out.bytes613To616 = decimalOf(b, 613, 616);
  out.bytes617To620 = hexOf(b, 617, 620);
  out.bytes657To660 = decimalOf(b, 657, 660);
  out.bytes1261To1264 = decimalOf(b, 1261, 1264);
  decodeVqc88Table(b, out);
  decodeVqc88Texts(b, out);
  out.text2433To2532 = textBeforeZero(b, 2433, 2532);
  out.text2533To2656 = textBeforeZero(b, 2533, 2656);
  return status;
}

}  // namespace vorax::decode
