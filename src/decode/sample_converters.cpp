#include "decode/sample_converters.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include "base/cpu_features.h"
#if defined(VORAX_HAS_AVX2_PATH)
#include <immintrin.h>
#endif

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
  std::size_t i = 0;
#if defined(__SSE2__)
  // Big-endian IEEE singles are every record's samples: swap four at a time (the halves of
  // each word, then the bytes of each half) and store the bits as they are.
  if constexpr (Order == ByteOrder::kBig && std::is_same_v<Sample, float> &&
                std::endian::native == std::endian::little) {
    for (; i + 4 <= whole; i += 4) {
      __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 4 * i));
      w = _mm_shufflehi_epi16(_mm_shufflelo_epi16(w, 0xB1), 0xB1);
      w = _mm_or_si128(_mm_slli_epi16(w, 8), _mm_srli_epi16(w, 8));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(values.data() + i), w);
    }
  }
#endif
  for (; i < whole; ++i) values[i] = sampleValue<Sample>(wordAt<Order>(bytes + 4 * i));
  for (std::size_t i = whole; i < values.size(); ++i)
    values[i] = sampleValue<Sample>(wordAtEdge<Order>(raw, 4 * i));
}

float finitePeak(std::span<const float> values, float start) {
  return std::max(start, largestFiniteMagnitude(values));
}

// The normalising members that start their peak search from the scale passed in.
template <ByteOrder Order, typename Sample>
std::int32_t normaliseFromScale(Bytes raw, std::int32_t count, std::span<float> out, float& scale) {
  const float scalePassedIn = scale;
  const std::span<float> values = outputFor(count, out);
  decodeSamples<Order, Sample>(raw, values);
  const float peak = finitePeak(values, scale == 0 ? 1.0f : scale);
  if (peak == 0) {
    scale = 0;
    return -1;
  }
  divideSamples(values, peak);
  scale = scalePassedIn * peak;
  return 0;
}

}  // namespace

namespace {

// |v|, or 0 for a NaN or an infinity. Written on the bit pattern without a branch: every
// pattern from the infinity's up is not finite.
float finiteMagnitude(float v) {
  const std::uint32_t magnitude = std::bit_cast<std::uint32_t>(v) & 0x7FFFFFFFu;
  const std::uint32_t keep = 0u - static_cast<std::uint32_t>(magnitude < 0x7F800000u);
  return std::bit_cast<float>(magnitude & keep);
}

}  // namespace

// This runs over every sample of every trace when a record loads, so the x86-64 build takes
// four samples at a time with SSE2 (part of every x86-64 processor); the bit-pattern rule is
// the same as finiteMagnitude's.
float largestFiniteMagnitude(std::span<const float> values) {
  float largest = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i magnitudeMask = _mm_set1_epi32(0x7FFFFFFF);
  const __m128i infinity = _mm_set1_epi32(0x7F800000);
  __m128 maxima = _mm_setzero_ps();
  for (; i + 4 <= values.size(); i += 4) {
    __m128i bits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values.data() + i));
    bits = _mm_and_si128(bits, magnitudeMask);
    bits = _mm_and_si128(bits, _mm_cmplt_epi32(bits, infinity));  // magnitudes are >= 0 as int32
    maxima = _mm_max_ps(maxima, _mm_castsi128_ps(bits));
  }
  alignas(16) float lanes[4];
  _mm_store_ps(lanes, maxima);
  for (float lane : lanes) largest = std::max(largest, lane);
#endif
  for (; i < values.size(); ++i) largest = std::max(largest, finiteMagnitude(values[i]));
  return largest;
}

std::int32_t peakSampleIndex(std::span<const float> values) {
  const float largest = largestFiniteMagnitude(values);
  if (largest == 0) return 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (finiteMagnitude(values[i]) == largest) return static_cast<std::int32_t>(i);
  }
  return 0;
}

namespace {

#if defined(VORAX_HAS_AVX2_PATH)
__attribute__((target("avx2"))) void divideSamplesAvx2(std::span<float> values, float divisor) {
  for (float& v : values) v /= divisor;
}
#endif

}  // namespace

void divideSamples(std::span<float> values, float divisor) {
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) return divideSamplesAvx2(values, divisor);
#endif
  for (float& v : values) v /= divisor;
}

namespace {

// The peak so far as a magnitude bit pattern (finite magnitudes order like their patterns).
struct PeakBits {
  std::uint32_t bits = 0;
  std::size_t index = 0;

  // Takes sample i when it is strictly larger, so the first of equal peaks stays.
  void offer(std::uint32_t candidate, std::size_t i) {
    if (candidate > bits) {
      bits = candidate;
      index = i;
    }
  }
};

std::uint32_t finiteMagnitudeBits(std::uint32_t word) {
  return std::bit_cast<std::uint32_t>(finiteMagnitude(std::bit_cast<float>(word)));
}

// Merges per-lane peaks (each the first index of its lane's largest value) into `peak`: the
// largest overall, the first index among equals.
void mergeLanePeaks(const std::uint32_t* laneBits, const std::uint32_t* laneFirst, int lanes,
                    PeakBits& peak) {
  for (int lane = 0; lane < lanes; ++lane) {
    if (laneBits[lane] > peak.bits ||
        (laneBits[lane] == peak.bits && laneFirst[lane] < peak.index)) {
      peak.bits = laneBits[lane];
      peak.index = laneFirst[lane];
    }
  }
}

#if defined(VORAX_HAS_AVX2_PATH)
// Eight samples at a time on processors with AVX2: one byte shuffle swaps them. Returns how
// many samples it converted (a multiple of eight); `peak` holds their peak.
__attribute__((target("avx2"))) std::size_t swapWithPeakAvx2(const std::uint8_t* bytes,
                                                             std::size_t count, float* values,
                                                             PeakBits& peak) {
  const __m256i swap = _mm256_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12, 3, 2,
                                        1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12);
  const __m256i magnitudeMask = _mm256_set1_epi32(0x7FFFFFFF);
  const __m256i infinity = _mm256_set1_epi32(0x7F800000);
  const __m256i eight = _mm256_set1_epi32(8);
  __m256i laneIndex = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  __m256i bestBits = _mm256_setzero_si256();
  __m256i bestIndex = _mm256_setzero_si256();
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i w = _mm256_shuffle_epi8(
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 4 * i)), swap);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(values + i), w);
    __m256i bits = _mm256_and_si256(w, magnitudeMask);
    bits = _mm256_and_si256(bits, _mm256_cmpgt_epi32(infinity, bits));  // 0 for NaN and infinity
    const __m256i larger = _mm256_cmpgt_epi32(bits, bestBits);
    bestBits = _mm256_blendv_epi8(bestBits, bits, larger);
    bestIndex = _mm256_blendv_epi8(bestIndex, laneIndex, larger);
    laneIndex = _mm256_add_epi32(laneIndex, eight);
  }
  alignas(32) std::uint32_t laneBits[8];
  alignas(32) std::uint32_t laneFirst[8];
  _mm256_store_si256(reinterpret_cast<__m256i*>(laneBits), bestBits);
  _mm256_store_si256(reinterpret_cast<__m256i*>(laneFirst), bestIndex);
  mergeLanePeaks(laneBits, laneFirst, 8, peak);
  return i;
}
#endif

}  // namespace

// Loading a record runs this over every sample: the x86-64 build swaps eight samples at a time
// with AVX2, or four (as decodeSamples does) without, and keeps, per lane, the largest finite
// magnitude and the first index where it was seen; the lanes are then merged to the first
// index overall.
SamplePeak arraybigsingletolittlepeak(Bytes raw, std::int32_t count, std::span<float> out) {
  const std::span<float> values = outputFor(count, out);
  const std::size_t whole = std::min(values.size(), raw.size() / 4);
  const std::uint8_t* bytes = raw.data();
  PeakBits peak;
  std::size_t i = 0;
#if defined(VORAX_HAS_AVX2_PATH)
  if (base::hasAvx2()) i = swapWithPeakAvx2(bytes, whole, values.data(), peak);
#endif
#if defined(__SSE2__)
  if (i == 0) {
    const __m128i magnitudeMask = _mm_set1_epi32(0x7FFFFFFF);
    const __m128i infinity = _mm_set1_epi32(0x7F800000);
    const __m128i four = _mm_set1_epi32(4);
    __m128i laneIndex = _mm_setr_epi32(0, 1, 2, 3);
    __m128i bestBits = _mm_setzero_si128();
    __m128i bestIndex = _mm_setzero_si128();
    for (; i + 4 <= whole; i += 4) {
      __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 4 * i));
      w = _mm_shufflehi_epi16(_mm_shufflelo_epi16(w, 0xB1), 0xB1);
      w = _mm_or_si128(_mm_slli_epi16(w, 8), _mm_srli_epi16(w, 8));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(values.data() + i), w);
      __m128i bits = _mm_and_si128(w, magnitudeMask);
      bits = _mm_and_si128(bits, _mm_cmplt_epi32(bits, infinity));  // >= 0 as int32
      const __m128i larger = _mm_cmpgt_epi32(bits, bestBits);
      bestBits = _mm_or_si128(_mm_and_si128(larger, bits), _mm_andnot_si128(larger, bestBits));
      bestIndex =
          _mm_or_si128(_mm_and_si128(larger, laneIndex), _mm_andnot_si128(larger, bestIndex));
      laneIndex = _mm_add_epi32(laneIndex, four);
    }
    alignas(16) std::uint32_t laneBits[4];
    alignas(16) std::uint32_t laneFirst[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(laneBits), bestBits);
    _mm_store_si128(reinterpret_cast<__m128i*>(laneFirst), bestIndex);
    mergeLanePeaks(laneBits, laneFirst, 4, peak);
  }
#endif
  for (; i < whole; ++i) {
    const std::uint32_t word = wordAt<ByteOrder::kBig>(bytes + 4 * i);
    values[i] = std::bit_cast<float>(word);
    peak.offer(finiteMagnitudeBits(word), i);
  }
  for (; i < values.size(); ++i) {
    const std::uint32_t word = wordAtEdge<ByteOrder::kBig>(raw, 4 * i);
    values[i] = std::bit_cast<float>(word);
    peak.offer(finiteMagnitudeBits(word), i);
  }
  if (peak.bits == 0) return {};
  return {std::bit_cast<float>(peak.bits), static_cast<std::int32_t>(peak.index)};
}

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
  divideSamples(values, peak);
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

std::int32_t ARRAYBIGLONGINTTOLITTLESINGLENORM(Bytes raw, std::int32_t count, std::span<float> out,
                                               float& scale) {
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
  divideSamples(values, scale == 0 ? 1.0f : scale);
  return 0;
}

std::int32_t arraybigsingletolittle(Bytes raw, std::int32_t count, std::span<float> out) {
  decodeSamples<ByteOrder::kBig, float>(raw, outputFor(count, out));
  return 0;
}

}  // namespace vorax::decode
