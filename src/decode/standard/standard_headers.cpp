#include "decode/standard/standard_headers.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "decode/segd/segd_layout.h"
#include "decode/segd/segd_numbers.h"

namespace vorax::decode {

namespace {

using segd_layout::kBlockBytes;
namespace gh1 = segd_layout::gh1;
namespace gh2 = segd_layout::gh2;
namespace gh2_rev3 = segd_layout::gh2_rev3;
namespace gh3 = segd_layout::gh3;
namespace channel_set = segd_layout::channel_set;

// `count` BCD digits starting at the high nibble of byte `offset` (0-based); -1 when any is not
// a decimal digit.
std::int64_t bcdDigits(Bytes data, std::size_t offset, std::size_t count,
                       bool startAtLowNibble = false) {
  std::int64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t nibble = i + (startAtLowNibble ? 1 : 0);
    const std::uint8_t b = byteAt(data, offset + nibble / 2);
    const int digit = nibble % 2 == 0 ? b >> 4 : b & 0x0F;
    if (digit > 9) return -1;
    value = value * 10 + digit;
  }
  return value;
}

// The BCD digits of a Hex or HexFromLowDigit field; -1 when any is not a decimal digit.
std::int64_t bcdField(Bytes data, const FieldRow& row) {
  const bool fromLowDigit = row.encoding == FieldEncoding::HexFromLowDigit;
  return bcdDigits(data, row.offset(), 2 * row.size() - (fromLowDigit ? 1 : 0), fromLowDigit);
}

// The binary number a field holds.
std::uint64_t binaryField(Bytes data, const FieldRow& row) {
  return bigUnsigned(data, row.offset(), row.size());
}

// A count held as two BCD digits in block 1, or, when that byte is FF, as a binary number in
// block 2.
std::int64_t countWithEscape(Bytes gh1, const FieldRow& count, Bytes gh2, const FieldRow& escaped) {
  const std::uint8_t b = byteAt(gh1, count.offset());
  if (b == 0xFF) return static_cast<std::int64_t>(binaryField(gh2, escaped));
  return bcdByte(b);
}

void readGeneralHeader1(Bytes gh1, StandardHeaders& out) {
  out.fileNumber = bcdField(gh1, gh1::kFileNumber);
  out.formatCode = static_cast<int>(bcdField(gh1, gh1::kFormatCode));
  out.year = static_cast<int>(bcdField(gh1, gh1::kYear));
  out.dayOfYear = static_cast<int>(bcdField(gh1, gh1::kJulianDay));
  out.hour = static_cast<int>(bcdField(gh1, gh1::kHour));
  out.minute = static_cast<int>(bcdField(gh1, gh1::kMinute));
  out.second = static_cast<int>(bcdField(gh1, gh1::kSecond));
  out.manufacturerCode = static_cast<int>(bcdField(gh1, gh1::kManufacturerCode));
  // The base scan interval in sixteenths of a millisecond.
  out.baseScanIntervalUs =
      static_cast<double>(binaryField(gh1, gh1::kBaseScanIntervalCode)) * 1000.0 / 16.0;
  out.recordType = byteAt(gh1, gh1::kRecordTypeCode.offset()) >> 4;
  const std::int64_t length = bcdField(gh1, gh1::kRecordLength);
  // Record length in units of 0.5 x 1.024 s; FFF sends the reader to block 2.
  if (length > 0) out.recordLengthMs = static_cast<double>(length) * 512.0;
  out.scanTypes = static_cast<int>(bcdField(gh1, gh1::kScanTypesPerRecord));
}

void readGeneralHeader2(Bytes b1, Bytes b2, StandardHeaders& out) {
  out.revisionMajor = byteAt(b2, gh2::kSegdRevision.offset());
  out.revisionMinor = byteAt(b2, gh2::kSegdRevision.offset() + 1);
  if (out.fileNumber < 0)
    out.fileNumber = static_cast<std::int64_t>(binaryField(b2, gh2::kExpandedFileNumber));
  const bool rev3 = out.revisionMajor >= 3;
  out.channelSetsPerScanType = static_cast<int>(
      countWithEscape(b1, gh1::kChannelSetsPerScanType, b2, gh2::kExtendedChannelSets));
  // Revision 3's extended skew blocks, read whatever the revision.
  const std::int64_t skew =
      countWithEscape(b1, gh1::kSkewBlocks, b2, gh2_rev3::kExtendedSkewBlocks);
  const std::int64_t extended =
      countWithEscape(b1, gh1::kExtendedHeaderBlocks, b2,
                      rev3 ? gh2_rev3::kExtendedHeaderBlocks : gh2::kExtendedHeaderBlocks);
  const std::int64_t external =
      countWithEscape(b1, gh1::kExternalHeaderBlocks, b2,
                      rev3 ? gh2_rev3::kExternalHeaderBlocks : gh2::kExternalHeaderBlocks);
  out.skewBytes = static_cast<std::uint64_t>(std::max<std::int64_t>(skew, 0)) * kBlockBytes;
  out.extendedHeaderBytes =
      static_cast<std::uint64_t>(std::max<std::int64_t>(extended, 0)) * kBlockBytes;
  out.externalHeaderBytes =
      static_cast<std::uint64_t>(std::max<std::int64_t>(external, 0)) * kBlockBytes;
  if (out.recordLengthMs == 0 && out.revisionMajor >= 1)
    out.recordLengthMs = static_cast<double>(binaryField(b2, gh2::kExtendedRecordLength));
}

StandardChannelSet readDescriptorBefore3(Bytes d, double baseScanIntervalUs) {
  StandardChannelSet cs;
  cs.scanType = static_cast<int>(bcdField(d, channel_set::kScanTypeNumber));
  cs.number = static_cast<int>(bcdField(d, channel_set::kChannelSetNumber));
  // Start and end times in units of 2 ms.
  cs.startMs = 2.0 * static_cast<double>(binaryField(d, channel_set::kStartTime));
  cs.endMs = 2.0 * static_cast<double>(binaryField(d, channel_set::kEndTime));
  cs.channels = std::max<std::int64_t>(bcdField(d, channel_set::kChannelCount), 0);
  cs.typeCode = byteAt(d, channel_set::kChannelType.offset()) >> 4;
  // Sub-scans per base scan as a power of two.
  cs.sampleIntervalUs =
      baseScanIntervalUs /
      static_cast<double>(1u << (byteAt(d, channel_set::kSubscans.offset()) >> 4));
  if (cs.number < 0 || cs.number == 0)
    cs.number = static_cast<int>(binaryField(d, channel_set::kExtendedChannelSetNumber));
  cs.extensions = byteAt(d, channel_set::kTraceHeaderExtensions.offset()) & 0x0F;
  if (cs.sampleIntervalUs > 0 && cs.endMs > cs.startMs)
    cs.samples =
        static_cast<std::int64_t>((cs.endMs - cs.startMs) * 1000.0 / cs.sampleIntervalUs) + 1;
  return cs;
}

StandardChannelSet readDescriptor3(Bytes d) {
  StandardChannelSet cs;
  cs.scanType = bcdByte(byteAt(d, 0));
  cs.number = bigU16(d, 1);
  cs.typeCode = byteAt(d, 3) >> 4;
  cs.startMs = static_cast<double>(bigI32(d, 4)) / 1000.0;
  cs.endMs = static_cast<double>(bigI32(d, 8)) / 1000.0;
  cs.samples = bigU32(d, 12);
  const float descale = bigFloat(d, 16);
  if (std::isfinite(descale) && descale != 0) cs.descale = descale;
  cs.channels = static_cast<std::int64_t>(bigUnsigned(d, 20, 3));
  cs.sampleIntervalUs = static_cast<double>(bigUnsigned(d, 23, 3));
  cs.extensions = byteAt(d, 27);
  return cs;
}

}  // namespace

std::int64_t StandardHeaders::declaredTraces() const {
  std::int64_t total = 0;
  for (const StandardChannelSet& cs : channelSets) total += cs.channels;
  return total;
}

const StandardChannelSet* StandardHeaders::channelSet(int scanType, int number) const {
  for (const StandardChannelSet& cs : channelSets) {
    if (cs.scanType == scanType && cs.number == number) return &cs;
  }
  for (const StandardChannelSet& cs : channelSets) {
    if (cs.number == number) return &cs;
  }
  return nullptr;
}

bool isStandardManufacturer(Bytes generalHeader1) {
  const std::uint8_t code = byteAt(generalHeader1, gh1::kManufacturerCode.offset());
  return generalHeader1.size() >= kBlockBytes && code != 0x31 && code != 0x13;
}

bool isStandardSampleFormat(int formatCode) {
  switch (formatCode) {
    case 8015:
    case 8036:
    case 8038:
    case 8058:
    case 8080:
      return true;
    default:
      return false;
  }
}

std::string readStandardHeaders(Bytes head, std::uint64_t fileSize, StandardHeaders& out,
                                std::uint64_t& moreBytesNeeded) {
  out = StandardHeaders{};
  moreBytesNeeded = 0;
  // Empty when the first `bytes` are at hand; the reason when the file is shorter; "more"
  // (with moreBytesNeeded set) when only `head` is too short.
  const auto needs = [&](std::uint64_t bytes, const char* what) -> std::string {
    if (bytes > fileSize)
      return "The file ends inside its " + std::string(what) + ": it has " +
             std::to_string(fileSize) + " bytes, its headers need " + std::to_string(bytes);
    if (bytes <= head.size()) return {};
    moreBytesNeeded = bytes;
    return "more";
  };
  const auto finished = [&](std::string reason) {
    return moreBytesNeeded > 0 ? std::string() : reason;
  };
  if (std::string e = needs(kBlockBytes, "general header"); !e.empty()) return finished(e);
  const Bytes gh1 = head.first(kBlockBytes);
  readGeneralHeader1(gh1, out);
  int additional = byteAt(gh1, gh1::kAdditionalBlocks.offset()) >> 4;
  const Bytes gh2 =
      head.size() >= 2 * kBlockBytes ? head.subspan(kBlockBytes, kBlockBytes) : Bytes{};
  if (additional >= 1) {
    if (std::string e = needs(2 * kBlockBytes, "general header"); !e.empty()) return finished(e);
    if (additional == 0xF)
      additional = static_cast<int>(binaryField(gh2, gh2_rev3::kGeneralHeaderBlocks));
    readGeneralHeader2(gh1, gh2, out);
  } else {
    const auto blockBytes = [gh1](const FieldRow& count) {
      return static_cast<std::uint64_t>(std::max<std::int64_t>(bcdField(gh1, count), 0)) *
             kBlockBytes;
    };
    out.channelSetsPerScanType = static_cast<int>(bcdField(gh1, gh1::kChannelSetsPerScanType));
    out.skewBytes = blockBytes(gh1::kSkewBlocks);
    out.extendedHeaderBytes = blockBytes(gh1::kExtendedHeaderBlocks);
    out.externalHeaderBytes = blockBytes(gh1::kExternalHeaderBlocks);
  }
  out.generalHeaderBytes = kBlockBytes * static_cast<std::uint64_t>(1 + additional);
  if (std::string e = needs(out.generalHeaderBytes, "general header"); !e.empty())
    return finished(e);
  if (additional >= 2 && out.revisionMajor < 3) {
    const Bytes gh3 = head.subspan(2 * kBlockBytes, kBlockBytes);
    out.sourceLine = withFraction(gh3, gh3::kSourceLineDigits.offset(), gh3::kLineIntegerBytes);
    out.sourcePoint = withFraction(gh3, gh3::kSourcePointDigits.offset(), gh3::kLineIntegerBytes);
  }
  if (out.scanTypes <= 0 || out.channelSetsPerScanType <= 0)
    return "The general header declares no channel sets (" + std::to_string(out.scanTypes) +
           " scan types, " + std::to_string(out.channelSetsPerScanType) +
           " channel sets per scan type)";

  out.channelSetBytes = out.revisionMajor >= 3 ? 96 : kBlockBytes;
  const std::uint64_t descriptors = static_cast<std::uint64_t>(out.scanTypes) *
                                    static_cast<std::uint64_t>(out.channelSetsPerScanType);
  const std::uint64_t descriptorsEnd = out.generalHeaderBytes + descriptors * out.channelSetBytes +
                                       static_cast<std::uint64_t>(out.scanTypes) * out.skewBytes;
  if (std::string e = needs(descriptorsEnd, "channel set descriptors"); !e.empty())
    return finished(e);
  std::uint64_t at = out.generalHeaderBytes;
  for (int s = 0; s < out.scanTypes; ++s) {
    for (int c = 0; c < out.channelSetsPerScanType; ++c, at += out.channelSetBytes) {
      const Bytes d = head.subspan(at, out.channelSetBytes);
      StandardChannelSet cs = out.revisionMajor >= 3
                                  ? readDescriptor3(d)
                                  : readDescriptorBefore3(d, out.baseScanIntervalUs);
      if (cs.channels > 0) out.channelSets.push_back(cs);
    }
    at += out.skewBytes;
  }
  out.firstTraceOffset = at + out.extendedHeaderBytes + out.externalHeaderBytes;
  if (out.firstTraceOffset > fileSize)
    return "The file ends inside its extended and external headers: it has " +
           std::to_string(fileSize) + " bytes, its headers need " +
           std::to_string(out.firstTraceOffset);
  return {};
}

}  // namespace vorax::decode
