#include "decode/standard/standard_samples.h"

#include <cmath>

#include "decode/sample_converters.h"

namespace vorax::decode {

namespace {

constexpr std::uint64_t kGroupSamples = 4;
constexpr std::uint64_t kGroupBytes = 10;

std::int32_t signed24(Bytes data, std::size_t offset) {
  const auto raw = static_cast<std::uint32_t>(bigUnsigned(data, offset, 3));
  return static_cast<std::int32_t>(raw << 8) >> 8;
}

// 8015: a 16-bit word of four 4-bit exponents (the first sample's in the highest digit), then
// four 16-bit two's complement mantissas; a sample is mantissa x 2^exponent.
void convert20Bit(Bytes data, std::span<float> out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::size_t group = (i / kGroupSamples) * kGroupBytes;
    const std::size_t k = i % kGroupSamples;
    const int exponent = static_cast<int>((bigU16(data, group) >> (12 - 4 * k)) & 0x0F);
    out[i] = std::ldexp(static_cast<float>(bigI16(data, group + 2 + 2 * k)), exponent);
  }
}

}  // namespace

std::uint64_t standardSampleBytes(int formatCode, std::uint64_t samples) {
  switch (formatCode) {
    case 8015:
      return (samples + kGroupSamples - 1) / kGroupSamples * kGroupBytes;
    case 8036:
      return 3 * samples;
    case 8038:
    case 8058:
      return 4 * samples;
    case 8080:
      return 8 * samples;
    default:
      return 0;
  }
}

void convertStandardSamples(Bytes data, int formatCode, std::span<float> out) {
  switch (formatCode) {
    case 8015:
      convert20Bit(data, out);
      return;
    case 8036:
      for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(signed24(data, 3 * i));
      return;
    case 8038:
      for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<float>(bigI32(data, 4 * i));
      return;
    case 8058:
      arraybigsingletolittle(data, static_cast<std::int32_t>(out.size()), out);
      return;
    case 8080:
      for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(bigDouble(data, 8 * i));
      return;
    default:
      for (float& v : out) v = 0;
  }
}

SamplePeak convertStandardSamplesToPeak(Bytes data, int formatCode, std::span<float> out) {
  if (formatCode == 8058 && data.size() >= 4 * out.size())
    return arraybigsingletolittlepeak(data, static_cast<std::int32_t>(out.size()), out);
  convertStandardSamples(data, formatCode, out);
  return {largestFiniteMagnitude(out), peakSampleIndex(out)};
}

}  // namespace vorax::decode
