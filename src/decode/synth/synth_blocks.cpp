#include "decode/synth/synth_blocks.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "base/byte_reader.h"

namespace vorax::decode::synth {

namespace {

constexpr int kFileNumberOverflow = 9999;  // beyond this, 4-digit BCD fields hold FFFF

namespace gh1 = segd_layout::gh1;
namespace gh2 = segd_layout::gh2;
namespace gh3 = segd_layout::gh3;
namespace channel_set = segd_layout::channel_set;
namespace trace_header = segd_layout::trace_header;

// A file number in a four-digit BCD field, or FFFF when it does not fit.
void storeFileNumber(std::span<std::uint8_t> out, const FieldRow& row, int fileNumber) {
  if (fileNumber > kFileNumberOverflow) {
    out[row.offset()] = out[row.offset() + 1] = 0xFF;
  } else {
    storeField(out, row, static_cast<std::uint64_t>(fileNumber));
  }
}

}  // namespace

void storeBcd(std::span<std::uint8_t> out, std::size_t offset, std::uint64_t value, int digits) {
  const std::size_t bytes = static_cast<std::size_t>(digits + 1) / 2;
  for (int i = 0; i < digits; ++i) {
    const auto digit = static_cast<std::uint8_t>(value % 10);
    value /= 10;
    const std::size_t index = offset + bytes - 1 - static_cast<std::size_t>(i / 2);
    if (index >= out.size()) continue;
    if (i % 2 == 0) {
      out[index] = static_cast<std::uint8_t>((out[index] & 0xF0) | digit);
    } else {
      out[index] = static_cast<std::uint8_t>((out[index] & 0x0F) | (digit << 4));
    }
  }
}

void storeField(std::span<std::uint8_t> out, const FieldRow& row, std::uint64_t value) {
  const auto digits = static_cast<int>(2 * row.size());
  switch (row.encoding) {
    case FieldEncoding::Hex:
      storeBcd(out, row.offset(), value, digits);
      return;
    case FieldEncoding::HexFromLowDigit:
      storeBcd(out, row.offset(), value, digits - 1);
      return;
    case FieldEncoding::HighDigit:
      out[row.offset()] = nibbles(static_cast<int>(value % 16), out[row.offset()] & 0x0F);
      return;
    case FieldEncoding::LowDigit:
      out[row.offset()] = nibbles(out[row.offset()] >> 4, static_cast<int>(value % 16));
      return;
    default:
      storeBig(out, row.offset(), value, row.size());
  }
}

void storeReal(std::span<std::uint8_t> out, const FieldRow& row, double value) {
  if (row.encoding == FieldEncoding::Double) {
    storeBig(out, row.offset(), std::bit_cast<std::uint64_t>(value), 8);
  } else {
    storeBig(out, row.offset(), std::bit_cast<std::uint32_t>(static_cast<float>(value)), 4);
  }
}

void storeBinary(std::span<std::uint8_t> out, const FieldRow& row, std::uint64_t value) {
  storeBig(out, row.offset(), value, row.size());
}

void storeFractional(std::span<std::uint8_t> out, std::size_t offset, double value) {
  auto whole = static_cast<std::uint64_t>(std::floor(value));
  auto fraction = static_cast<std::uint64_t>(std::llround((value - std::floor(value)) * 10000));
  if (fraction >= 10000) {
    ++whole;
    fraction = 0;
  }
  storeBig(out, offset, whole, 3);
  storeBcd(out, offset + 3, fraction, 4);
}

void storeFieldText(std::span<std::uint8_t> out, const FieldRow& row, std::string_view text) {
  for (std::size_t i = 0; i < row.size() && i < text.size(); ++i)
    out[row.offset() + i] = static_cast<std::uint8_t>(text[i]);
}

int baseScanIntervalCode(double intervalMs) {
  for (const double accepted : {0.25, 0.5, 1.0, 2.0, 4.0}) {
    if (intervalMs == accepted) return static_cast<int>(accepted * 16);
  }
  return 0;
}

std::uint8_t nibbles(int high, int low) {
  return static_cast<std::uint8_t>(((high & 0xF) << 4) | (low & 0xF));
}

Block32 generalHeaderBlock1(const GeneralHeaderValues& v) {
  Block32 b{};
  storeFileNumber(b, gh1::kFileNumber, v.fileNumber);
  storeField(b, gh1::kFormatCode, static_cast<std::uint64_t>(v.formatCode));
  storeField(b, gh1::kGeneralConstants, v.generalConstants);
  storeField(b, gh1::kYear, static_cast<std::uint64_t>(v.clock.year));
  storeField(b, gh1::kAdditionalBlocks, static_cast<std::uint64_t>(v.additionalBlocks));
  storeField(b, gh1::kJulianDay, static_cast<std::uint64_t>(v.clock.dayOfYear));
  storeField(b, gh1::kHour, static_cast<std::uint64_t>(v.clock.hour));
  storeField(b, gh1::kMinute, static_cast<std::uint64_t>(v.clock.minute));
  storeField(b, gh1::kSecond, static_cast<std::uint64_t>(v.clock.second));
  storeField(b, gh1::kManufacturerCode, static_cast<std::uint64_t>(v.manufacturerCode));
  storeField(b, gh1::kManufacturerSerial, static_cast<std::uint64_t>(v.manufacturerSerial));
  // Bytes per scan stay 0: the data are demultiplexed. Polarity and scans per block stay 0.
  storeBinary(b, gh1::kBaseScanIntervalCode, static_cast<std::uint64_t>(v.baseScanInterval));
  storeField(b, gh1::kRecordTypeCode, static_cast<std::uint64_t>(v.recordTypeDigit));
  // Record length "FFF": block 2's extended record length holds it.
  b[gh1::kRecordLength.offset()] |= 0x0F;
  b[gh1::kRecordLength.offset() + 1] = 0xFF;
  storeField(b, gh1::kScanTypesPerRecord, 1);
  storeField(b, gh1::kChannelSetsPerScanType, static_cast<std::uint64_t>(v.channelSets));
  storeField(b, gh1::kExtendedHeaderBlocks, static_cast<std::uint64_t>(v.extendedHeaderBlocks));
  storeField(b, gh1::kExternalHeaderBlocks, static_cast<std::uint64_t>(v.externalHeaderBlocks));
  return b;
}

Block32 generalHeaderBlock2(const GeneralHeaderValues& v) {
  Block32 b{};
  storeBinary(b, gh2::kExpandedFileNumber, static_cast<std::uint64_t>(v.fileNumber));
  storeBinary(b, gh2::kExtendedHeaderBlocks, static_cast<std::uint64_t>(v.extendedHeaderBlocks));
  storeBinary(b, gh2::kExternalHeaderBlocks, static_cast<std::uint64_t>(v.externalHeaderBlocks));
  b[gh2::kSegdRevision.offset()] = static_cast<std::uint8_t>(v.revisionMajor);
  b[gh2::kSegdRevision.offset() + 1] = static_cast<std::uint8_t>(v.revisionMinor);
  storeBinary(b, gh2::kExtendedRecordLength, static_cast<std::uint64_t>(v.recordLengthMs));
  storeField(b, gh2::kGeneralHeaderBlockNumber, 2);
  return b;
}

Block32 generalHeaderBlock3(int fileNumber, double sourceLine, double sourcePoint) {
  Block32 b{};
  storeBinary(b, gh3::kExpandedFileNumber, static_cast<std::uint64_t>(fileNumber));
  storeFractional(b, gh3::kSourceLineDigits.offset(), sourceLine);
  storeFractional(b, gh3::kSourcePointDigits.offset(), sourcePoint);
  storeField(b, gh3::kSourcePointIndexDigits, 1);
  storeField(b, gh3::kGeneralHeaderBlockNumber, 3);
  storeField(b, gh3::kSourceSetNumber, 1);
  return b;
}

Block32 channelSetDescriptor(const ChannelSetValues& v) {
  Block32 b{};
  storeField(b, channel_set::kScanTypeNumber, 1);
  storeField(b, channel_set::kChannelSetNumber, static_cast<std::uint64_t>(v.number));
  // Start time 0; end time in units of 2 ms.
  storeBinary(b, channel_set::kEndTime,
              std::min<std::uint64_t>(static_cast<std::uint64_t>(v.recordLengthMs / 2), 0xFFFF));
  storeField(b, channel_set::kChannelCount, static_cast<std::uint64_t>(v.channelCount));
  storeField(b, channel_set::kChannelType, static_cast<std::uint64_t>(v.channelTypeDigit));
  // One subscan (high digit 0), fixed gain control.
  storeField(b, channel_set::kChannelGainControl, 1);
  storeField(b, channel_set::kAliasFilterFrequency, static_cast<std::uint64_t>(v.aliasFilterHz));
  storeField(b, channel_set::kAliasFilterSlope, static_cast<std::uint64_t>(v.aliasFilterSlope));
  storeField(b, channel_set::kLowCutFilter, static_cast<std::uint64_t>(v.lowCutHz));
  storeField(b, channel_set::kLowCutSlope, static_cast<std::uint64_t>(v.lowCutSlope));
  storeField(b, channel_set::kTraceHeaderExtensions,
             static_cast<std::uint64_t>(v.traceHeaderExtensions));
  storeField(b, channel_set::kVerticalStack, static_cast<std::uint64_t>(v.verticalStack));
  return b;
}

std::array<std::uint8_t, segd_layout::kTraceHeaderBytes> demuxTraceHeader(
    const TraceHeaderValues& v) {
  std::array<std::uint8_t, segd_layout::kTraceHeaderBytes> b{};
  storeFileNumber(b, trace_header::kFileNumber, v.fileNumber);
  storeField(b, trace_header::kScanTypeNumber, 1);
  storeField(b, trace_header::kChannelSetNumber, static_cast<std::uint64_t>(v.channelSet));
  storeField(b, trace_header::kTraceNumber, static_cast<std::uint64_t>(v.traceNumber));
  storeField(b, trace_header::kTraceHeaderExtensions,
             static_cast<std::uint64_t>(v.traceHeaderExtensions));
  storeField(b, trace_header::kTraceEditCode, static_cast<std::uint64_t>(v.traceEditCode));
  storeField(b, trace_header::kExtendedFileNumber, static_cast<std::uint64_t>(v.fileNumber));
  return b;
}

int externalHeaderBlocksFor(std::string_view text) {
  constexpr std::size_t kBlock = segd_layout::kBlockBytes;
  return static_cast<int>((text.size() + kBlock - 1) / kBlock);
}

std::vector<std::uint8_t> externalHeaderBytes(std::string_view text, int blocks) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(blocks) * segd_layout::kBlockBytes, ' ');
  for (std::size_t i = 0; i < text.size() && i < out.size(); ++i)
    out[i] = static_cast<std::uint8_t>(text[i]);
  return out;
}

void appendBigFloats(std::vector<std::uint8_t>& out, std::span<const float> samples) {
  const std::size_t start = out.size();
  out.resize(start + 4 * samples.size());
  std::uint8_t* p = out.data() + start;
  for (float s : samples) {
    const auto bits = std::bit_cast<std::uint32_t>(s);
    p[0] = static_cast<std::uint8_t>(bits >> 24);
    p[1] = static_cast<std::uint8_t>(bits >> 16);
    p[2] = static_cast<std::uint8_t>(bits >> 8);
    p[3] = static_cast<std::uint8_t>(bits);
    p += 4;
  }
}

}  // namespace vorax::decode::synth
