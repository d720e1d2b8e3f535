#include "decode/sample_converters.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace vorax::decode {

namespace {

enum class ByteOrder { kBig, kLittle };

// The 4-byte word at p in the given byte order. p must point at 4 readable bytes.
template <ByteOrder Order>
std::uint32_t wordAt(const std::uint8_t* p) {
  std::uint32_t word;
  std::memcpy(&word, p, sizeof word);
  constexpr bool kSwap = (Order == ByteOrder::kBig) != (std::endian::native == std::endian::big);
  if constexpr (kSwap) word = __builtin_bswap32(word);
  return word;
}

// The same word read through the bounds-checked reader, for a sample `raw` holds only part of.
template <ByteOrder Order>
std::uint32_t wordAtEdge(Bytes raw, std::size_t offset) {
  return Order == ByteOrder::kBig ? bigU32(raw, offset) : littleU32(raw, offset);
}

template <typename Sample>
float sampleValue(std::uint32_t word) {
  if constexpr (std::is_same_v<Sample, float>) {
    return std::bit_cast<float>(word);
  } else {
    return static_cast<float>(static_cast<std::int32_t>(word));
  }
}

std::span<float> outputFor(std::int32_t count, std::span<float> out) {
  const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
  return out.first(std::min(wanted, out.size()));
}

// Fills every element of `values` from `raw`; samples past the end of `raw` read as zero bytes.
template <ByteOrder Order, typename Sample>
void decodeSamples(Bytes raw, std::span<float> values) {
  const std::size_t whole = std::min(values.size(), raw.size() / 4);
  const std::uint8_t* bytes = raw.data();
  for (std::size_t i = 0; i < whole; ++i) values[i] = sampleValue<Sample>(wordAt<Order>(bytes + 4 * i));
  for (std::size_t i = whole; i < values.size(); ++i)
    values[i] = sampleValue<Sample>(wordAtEdge<Order>(raw, 4 * i));
}

// max(start, largest absolute finite value). NaN and infinite samples are skipped: a trace
// with NaNs still gets the peak of its real samples.
float finitePeak(std::span<const float> values, float start) {
  float peak = start;
  for (float v : values) {
    if (std::isfinite(v)) peak = std::max(peak, std::fabs(v));
  }
  return peak;
}

void divideAll(std::span<float> values, float divisor) {
  for (float& v : values) v /= divisor;
}

// The normalising members that start their peak search from the scale passed in.
template <ByteOrder Order, typename Sample>
std::int32_t normaliseFromScale(Bytes raw, std::int32_t count, std::span<float> out,
                                float& scale) {
  const float scalePassedIn = scale;
  const std::span<float> values = outputFor(count, out);
  decodeSamples<Order, Sample>(raw, values);
  const float peak = finitePeak(values, scale == 0 ? 1.0f : scale);
  if (peak == 0) {
    scale = 0;
    return -1;
  }
  divideAll(values, peak);
  scale = scalePassedIn * peak;
  return 0;
}

}  // namespace

std::int32_t ARRAYBIGSINGLETOLITTLENORM(Bytes raw, std::int32_t count, std::span<float> out,
                                        float& scale) {
  const float requested = scale == 0 ? 1.0f : scale;
  const std::span<float> values = outputFor(count, out);
  decodeSamples<ByteOrder::kBig, float>(raw, values);
  const float peak = finitePeak(values, 0.0f);
  if (peak == 0) {
    scale = 0;
    return -1;
  }
  divideAll(values, peak);
  scale = requested == 1 ? 1.0f : requested * peak;
  return 0;
}

std::int32_t ARRAYLITTLESINGLETOLITTLENORM(Bytes raw, std::int32_t count, std::span<float> out,
                                           float& scale) {
  return normaliseFromScale<ByteOrder::kLittle, float>(raw, count, out, scale);
}

std::int32_t ARRAYLITTLELONGINTTOLITTLESINGLENORM(Bytes raw, std::int32_t count,
                                                  std::span<float> out, float& scale) {
  return normaliseFromScale<ByteOrder::kLittle, std::int32_t>(raw, count, out, scale);
}

std::int32_t ARRAYBIGLONGINTTOLITTLESINGLENORM(Bytes raw, std::int32_t count,
                                               std::span<float> out, float& scale) {
  return normaliseFromScale<ByteOrder::kBig, std::int32_t>(raw, count, out, scale);
}

std::int32_t ARRAYBIGSINGLETOLITTLENOTNORM(Bytes raw, std::int32_t count, std::span<float> out,
                                           float& scale) {
  const std::span<float> values = outputFor(count, out);
  decodeSamples<ByteOrder::kBig, float>(raw, values);
  scale = finitePeak(values, scale);
  return 0;
}

std::int32_t ARRAYBIGSINGLETOLITTLEFIXED(Bytes raw, std::int32_t count, std::span<float> out,
                                         float& scale) {
  const std::span<float> values = outputFor(count, out);
  decodeSamples<ByteOrder::kBig, float>(raw, values);
  divideAll(values, scale == 0 ? 1.0f : scale);
  return 0;
}

std::int32_t arraybigsingletolittle(Bytes raw, std::int32_t count, std::span<float> out) {
  decodeSamples<ByteOrder::kBig, float>(raw, outputFor(count, out));
  return 0;
}

}  // namespace vorax::decode
