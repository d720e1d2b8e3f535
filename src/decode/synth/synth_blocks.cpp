#include "decode/synth/synth_blocks.h"

#include <algorithm>
#include <bit>

#include "base/byte_reader.h"

namespace vorax::decode::synth {

namespace {

constexpr int kFileNumberOverflow = 9999;  // beyond this, 4-digit BCD fields hold FFFF

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
  if (v.fileNumber > kFileNumberOverflow) {
    b[0] = b[1] = 0xFF;
  } else {
    storeBcd(b, 0, static_cast<std::uint64_t>(v.fileNumber), 4);
  }
  storeBcd(b, 2, static_cast<std::uint64_t>(v.formatCode), 4);
  storeBcd(b, 4, v.generalConstants, 12);
  storeBcd(b, 10, static_cast<std::uint64_t>(v.clock.year), 2);
  b[11] = nibbles(v.additionalBlocks, 0);
  storeBcd(b, 11, static_cast<std::uint64_t>(v.clock.dayOfYear), 3);  // byte 12 low .. 13
  storeBcd(b, 13, static_cast<std::uint64_t>(v.clock.hour), 2);
  storeBcd(b, 14, static_cast<std::uint64_t>(v.clock.minute), 2);
  storeBcd(b, 15, static_cast<std::uint64_t>(v.clock.second), 2);
  storeBcd(b, 16, static_cast<std::uint64_t>(v.manufacturerCode), 2);
  storeBcd(b, 17, static_cast<std::uint64_t>(v.manufacturerSerial), 4);
  // Bytes 20-22 (bytes per scan) stay 0: the data are demultiplexed.
  b[22] = static_cast<std::uint8_t>(v.baseScanInterval);
  // Byte 24: polarity 0, scans per block 0. Bytes 26-27: record type, then "FFF".
  b[25] = nibbles(v.recordTypeDigit, 0xF);
  b[26] = 0xFF;
  storeBcd(b, 27, 1, 2);  // one scan type
  storeBcd(b, 28, static_cast<std::uint64_t>(v.channelSets), 2);
  storeBcd(b, 30, static_cast<std::uint64_t>(v.extendedHeaderBlocks), 2);
  storeBcd(b, 31, static_cast<std::uint64_t>(v.externalHeaderBlocks), 2);
  return b;
}

Block32 generalHeaderBlock2(const GeneralHeaderValues& v) {
  Block32 b{};
  storeBig(b, 0, static_cast<std::uint64_t>(v.fileNumber), 3);
  storeBig(b, 5, static_cast<std::uint64_t>(v.extendedHeaderBlocks), 2);
  storeBig(b, 7, static_cast<std::uint64_t>(v.externalHeaderBlocks), 2);
  b[10] = static_cast<std::uint8_t>(v.revisionMajor);
  b[11] = static_cast<std::uint8_t>(v.revisionMinor);
  storeBig(b, 14, static_cast<std::uint64_t>(v.recordLengthMs), 3);
  b[18] = 0x02;  // general header block number
  return b;
}

Block32 channelSetDescriptor(const ChannelSetValues& v) {
  Block32 b{};
  b[0] = 0x01;  // scan type 1
  storeBcd(b, 1, static_cast<std::uint64_t>(v.number), 2);
  // Bytes 3-4: start time 0. Bytes 5-6: end time in units of 2 ms.
  storeBig(b, 4, std::min<std::uint64_t>(static_cast<std::uint64_t>(v.recordLengthMs / 2), 0xFFFF),
           2);
  storeBcd(b, 8, static_cast<std::uint64_t>(v.channelCount), 4);
  b[10] = nibbles(v.channelTypeDigit, 0);
  b[11] = nibbles(0, 1);  // one subscan, fixed gain control
  storeBcd(b, 12, static_cast<std::uint64_t>(v.aliasFilterHz), 4);
  storeBcd(b, 14, static_cast<std::uint64_t>(v.aliasFilterSlope), 4);
  storeBcd(b, 16, static_cast<std::uint64_t>(v.lowCutHz), 4);
  storeBcd(b, 18, static_cast<std::uint64_t>(v.lowCutSlope), 4);
  b[28] = nibbles(0, v.traceHeaderExtensions);
  storeBcd(b, 29, static_cast<std::uint64_t>(v.verticalStack), 2);
  return b;
}

std::array<std::uint8_t, 20> demuxTraceHeader(const TraceHeaderValues& v) {
  std::array<std::uint8_t, 20> b{};
  if (v.fileNumber > kFileNumberOverflow) {
    b[0] = b[1] = 0xFF;
  } else {
    storeBcd(b, 0, static_cast<std::uint64_t>(v.fileNumber), 4);
  }
  b[2] = 0x01;  // scan type 1
  storeBcd(b, 3, static_cast<std::uint64_t>(v.channelSet), 2);
  storeBcd(b, 4, static_cast<std::uint64_t>(v.traceNumber), 4);
  b[9] = static_cast<std::uint8_t>(v.traceHeaderExtensions);
  b[11] = static_cast<std::uint8_t>(v.traceEditCode);
  storeBig(b, 17, static_cast<std::uint64_t>(v.fileNumber), 3);
  return b;
}

int externalHeaderBlocksFor(std::string_view text) {
  return static_cast<int>((text.size() + 31) / 32);
}

std::vector<std::uint8_t> externalHeaderBytes(std::string_view text, int blocks) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(blocks) * 32, ' ');
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
