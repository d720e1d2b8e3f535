#include "decode/seg2/seg2_samples.h"

#include <cmath>

namespace vorax::decode {

namespace {

constexpr std::uint64_t kPackedGroupSamples = 4;
constexpr std::uint64_t kPackedGroupBytes = 10;

std::uint64_t fixedSampleBytes(int format) {
  switch (format) {
    case 1:
      return 2;
    case 2:
      return 4;
    case 4:
      return 4;
    case 5:
      return 8;
    default:
      return 0;
  }
}

std::uint64_t unsignedAt(Bytes data, std::size_t offset, std::size_t count, bool littleEndian) {
  return littleEndian ? littleUnsigned(data, offset, count) : bigUnsigned(data, offset, count);
}

float fixedSample(Bytes data, std::size_t offset, int format, bool littleEndian) {
  switch (format) {
    case 1:
      return static_cast<std::int16_t>(unsignedAt(data, offset, 2, littleEndian));
    case 2:
      return static_cast<float>(
          static_cast<std::int32_t>(unsignedAt(data, offset, 4, littleEndian)));
    case 4:
      return std::bit_cast<float>(
          static_cast<std::uint32_t>(unsignedAt(data, offset, 4, littleEndian)));
    default:
      return static_cast<float>(std::bit_cast<double>(unsignedAt(data, offset, 8, littleEndian)));
  }
}

void convertPacked(Bytes data, bool littleEndian, std::span<float> out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    std::size_t group = (i / kPackedGroupSamples) * kPackedGroupBytes;
    std::size_t k = i % kPackedGroupSamples;
    auto exponents = static_cast<unsigned>(unsignedAt(data, group, 2, littleEndian));
    int exponent = static_cast<int>((exponents >> (4 * k)) & 0x0F);
    // The 16-bit mantissa is one's complement: a negative pattern is one unit above its
    // two's-complement reading (0xFFFF is minus zero).
    int mantissa = static_cast<std::int16_t>(unsignedAt(data, group + 2 + 2 * k, 2, littleEndian));
    if (mantissa < 0) mantissa += 1;
    out[i] = std::ldexp(static_cast<float>(mantissa), exponent);
  }
}

}  // namespace

bool isSeg2Format(int format) {
  return format >= 1 && format <= 5;
}

std::uint64_t seg2DataBytes(int format, std::uint64_t samples) {
  if (format == 3)
    return (samples + kPackedGroupSamples - 1) / kPackedGroupSamples * kPackedGroupBytes;
  return samples * fixedSampleBytes(format);
}

std::uint64_t seg2SamplesIn(int format, std::uint64_t bytes) {
  if (format == 3) return bytes / kPackedGroupBytes * kPackedGroupSamples;
  std::uint64_t size = fixedSampleBytes(format);
  return size == 0 ? 0 : bytes / size;
}

void convertSeg2Samples(Bytes data, int format, bool littleEndian, std::span<float> out) {
  if (format == 3) {
    convertPacked(data, littleEndian, out);
    return;
  }
  const std::size_t size = fixedSampleBytes(format);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = size == 0 ? 0.0f : fixedSample(data, i * size, format, littleEndian);
}

}  // namespace vorax::decode
