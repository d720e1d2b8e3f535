#include "decode/standard/standard_headers.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "decode/segd/segd_numbers.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kBlockBytes = 32;

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

// A count held as two BCD digits, or, when the byte is FF, as a binary number elsewhere.
std::int64_t countWithEscape(Bytes gh1, std::size_t offset, Bytes gh2, std::size_t gh2Offset,
                             std::size_t gh2Bytes) {
  const std::uint8_t b = byteAt(gh1, offset);
  if (b == 0xFF) return static_cast<std::int64_t>(bigUnsigned(gh2, gh2Offset, gh2Bytes));
  return bcdByte(b);
}

void readGeneralHeader1(Bytes gh1, StandardHeaders& out) {
  out.fileNumber = bcdDigits(gh1, 0, 4);
  out.formatCode = static_cast<int>(bcdDigits(gh1, 2, 4));
  out.year = bcdByte(byteAt(gh1, 10));
  out.dayOfYear = static_cast<int>(bcdDigits(gh1, 11, 3, true));
  out.hour = bcdByte(byteAt(gh1, 13));
  out.minute = bcdByte(byteAt(gh1, 14));
  out.second = bcdByte(byteAt(gh1, 15));
  out.manufacturerCode = bcdByte(byteAt(gh1, 16));
  // Byte 23: the base scan interval in sixteenths of a millisecond.
  out.baseScanIntervalUs = byteAt(gh1, 22) * 1000.0 / 16.0;
  out.recordType = byteAt(gh1, 25) >> 4;
  const std::int64_t length = bcdDigits(gh1, 25, 3, true);
  // Record length in units of 0.5 x 1.024 s; FFF sends the reader to block 2.
  if (length > 0) out.recordLengthMs = static_cast<double>(length) * 512.0;
  out.scanTypes = bcdByte(byteAt(gh1, 27));
}

void readGeneralHeader2(Bytes gh1, Bytes gh2, StandardHeaders& out) {
  out.revisionMajor = byteAt(gh2, 10);
  out.revisionMinor = byteAt(gh2, 11);
  if (out.fileNumber < 0) out.fileNumber = static_cast<std::int64_t>(bigUnsigned(gh2, 0, 3));
  const bool rev3 = out.revisionMajor >= 3;
  out.channelSetsPerScanType = static_cast<int>(countWithEscape(gh1, 28, gh2, 3, 2));
  const std::int64_t skew = countWithEscape(gh1, 29, gh2, 8, 2);
  const std::int64_t extended = countWithEscape(gh1, 30, gh2, 5, rev3 ? 3 : 2);
  const std::int64_t external = countWithEscape(gh1, 31, gh2, rev3 ? 27 : 7, rev3 ? 3 : 2);
  out.skewBytes = static_cast<std::uint64_t>(std::max<std::int64_t>(skew, 0)) * kBlockBytes;
  out.extendedHeaderBytes =
      static_cast<std::uint64_t>(std::max<std::int64_t>(extended, 0)) * kBlockBytes;
  out.externalHeaderBytes =
      static_cast<std::uint64_t>(std::max<std::int64_t>(external, 0)) * kBlockBytes;
  if (out.recordLengthMs == 0 && out.revisionMajor >= 1)
    out.recordLengthMs = static_cast<double>(bigUnsigned(gh2, 14, 3));
}

StandardChannelSet readDescriptorBefore3(Bytes d, double baseScanIntervalUs) {
  StandardChannelSet cs;
  cs.scanType = bcdByte(byteAt(d, 0));
  cs.number = bcdByte(byteAt(d, 1));
  // Start and end times in units of 2 ms.
  cs.startMs = 2.0 * bigU16(d, 2);
  cs.endMs = 2.0 * bigU16(d, 4);
  cs.channels = std::max<std::int64_t>(bcdDigits(d, 8, 4), 0);
  cs.typeCode = byteAt(d, 10) >> 4;
  // Byte 12, high digit: sub-scans per base scan as a power of two.
  cs.sampleIntervalUs = baseScanIntervalUs / static_cast<double>(1u << (byteAt(d, 11) >> 4));
  if (cs.number < 0 || cs.number == 0)
    cs.number = static_cast<int>(bigU16(d, 26));  // extended number
  cs.extensions = byteAt(d, 28) & 0x0F;
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
  const std::uint8_t code = byteAt(generalHeader1, 16);
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
  int additional = byteAt(gh1, 11) >> 4;
  const Bytes gh2 =
      head.size() >= 2 * kBlockBytes ? head.subspan(kBlockBytes, kBlockBytes) : Bytes{};
  if (additional >= 1) {
    if (std::string e = needs(2 * kBlockBytes, "general header"); !e.empty()) return finished(e);
    if (additional == 0xF) additional = static_cast<int>(bigU16(gh2, 22));
    readGeneralHeader2(gh1, gh2, out);
  } else {
    out.channelSetsPerScanType = bcdByte(byteAt(gh1, 28));
    out.skewBytes = static_cast<std::uint64_t>(std::max(bcdByte(byteAt(gh1, 29)), 0)) * kBlockBytes;
    out.extendedHeaderBytes =
        static_cast<std::uint64_t>(std::max(bcdByte(byteAt(gh1, 30)), 0)) * kBlockBytes;
    out.externalHeaderBytes =
        static_cast<std::uint64_t>(std::max(bcdByte(byteAt(gh1, 31)), 0)) * kBlockBytes;
  }
  out.generalHeaderBytes = kBlockBytes * static_cast<std::uint64_t>(1 + additional);
  if (std::string e = needs(out.generalHeaderBytes, "general header"); !e.empty())
    return finished(e);
  if (additional >= 2 && out.revisionMajor < 3) {
    const Bytes gh3 = head.subspan(2 * kBlockBytes, kBlockBytes);
    out.sourceLine = withFraction(gh3, 3, 3);
    out.sourcePoint = withFraction(gh3, 8, 3);
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
