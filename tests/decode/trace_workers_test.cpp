// The trace loading on the program's workers: every trace decoded as the one-trace converters
// decode it, from memory and from a file on disk, with progress in order and a stop that leaves the
// later traces unloaded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "base/worker_count.h"
#include "decode/sample_converters.h"
#include "decode/sercel/sercel_loader.h"
#include "decode/vorax/vorax_loader.h"

namespace vorax::decode {
namespace {

using ByteVector = std::vector<std::uint8_t>;

void appendBigSingle(ByteVector& out, float v) {
  const auto word = std::bit_cast<std::uint32_t>(v);
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(word >> shift));
}

ByteVector bigSingles(const std::vector<float>& values) {
  ByteVector out;
  for (float v : values) appendBigSingle(out, v);
  return out;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(PeakConverter, FindsTheFirstLargestFiniteMagnitudeWhileConverting) {
  struct Case {
    std::vector<float> samples;
    float magnitude;
    std::int32_t index;
  };
  const std::vector<Case> cases = {
      {{1, -4, 2, 0}, 4, 1},                           // negative peak
      {{0.5f, 0.5f, 0.25f, 0.125f}, 0.5f, 0},          // first of two equal peaks
      {{0, 0, 0, 0, 0, 0, 0}, 0, 0},                   // dead trace
      {{kNaN, kInf, -5, 5, -kInf, 1, 2, 3, 9}, 9, 8},  // non-finite never counts; peak in the tail
      {{1, 2, 3, 7, 1, 2, 7, 3, 1, -7, 0}, 7, 3},      // ties across lanes: the first wins
      {{2, 1, 1, 1, 3, 1, 1, 1, 3}, 3, 4},  // a later lane's tie after an earlier lane's peak
      {{std::numeric_limits<float>::denorm_min(), 0}, std::numeric_limits<float>::denorm_min(), 0},
  };
  for (const Case& c : cases) {
    const ByteVector raw = bigSingles(c.samples);
    std::vector<float> out(c.samples.size() + 1, -1.0f);
    const SamplePeak peak =
        arraybigsingletolittlepeak(raw, static_cast<std::int32_t>(c.samples.size()), out);
    EXPECT_EQ(peak.magnitude, c.magnitude);
    EXPECT_EQ(peak.index, c.index);
    for (std::size_t i = 0; i < c.samples.size(); ++i)
      EXPECT_EQ(std::bit_cast<std::uint32_t>(out[i]), std::bit_cast<std::uint32_t>(c.samples[i]));
    EXPECT_EQ(out.back(), -1.0f);  // nothing written past the count
  }
  // A last sample cut short reads its missing bytes as zeros: 0x40 0x80 00 00 = 4.
  const ByteVector cut = {0x3F, 0x80, 0x00, 0x00, 0x40, 0x80};
  std::vector<float> out(2);
  const SamplePeak peak = arraybigsingletolittlepeak(cut, 2, out);
  EXPECT_EQ(out, (std::vector<float>{1.0f, 4.0f}));
  EXPECT_EQ(peak.magnitude, 4.0f);
  EXPECT_EQ(peak.index, 1);
}

// 250 one-block traces (three blocks of 100: up to three workers decode) of 37 samples, each
// with its own peak position and sign; trace 7 dead, trace 8 with a NaN.
constexpr std::int32_t kTraces = 250;
constexpr std::int32_t kSamples = 37;

float sampleOf(std::int32_t t, std::int32_t i) {
  if (t == 7) return 0;
  if (t == 8 && i == 3) return kNaN;
  const float v = std::sin(0.37f * static_cast<float>(t) + 1.3f * static_cast<float>(i)) * 1000.0f /
                  static_cast<float>(t);
  return i == t % kSamples ? 3000.0f * (t % 2 == 0 ? 1 : -1) : v;
}

ByteVector voraxTraces() {
  ByteVector out;
  for (std::int32_t t = 1; t <= kTraces; ++t) {
    out.insert(out.end(), 52, 0);
    for (std::int32_t i = 0; i < kSamples; ++i) appendBigSingle(out, sampleOf(t, i));
  }
  return out;
}

struct TempFile {
  explicit TempFile(const ByteVector& bytes)
      : path(std::filesystem::temp_directory_path() /
             ("vorax_trace_workers_" + std::to_string(::getpid()))) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { std::filesystem::remove(path); }
  std::filesystem::path path;
};

TEST(WorkerLoading, EveryTraceAsTheSingleTraceConvertersGiveIt) {
  const ByteVector bytes = voraxTraces();
  const TempFile onDisk(bytes);
  RecordFile::Opened opened = RecordFile::open(onDisk.path);
  ASSERT_TRUE(opened.ok());
  RecordFile inMemory = RecordFile::fromMemory(bytes);
  struct Workers {
    ~Workers() { base::setWorkerCount(0); }
  } restore;
  for (const unsigned workers : {1u, 2u, 3u, 8u})
    for (RecordFile* file : {&inMemory, &*opened.file}) {
      base::setWorkerCount(workers);
      SegdRecord record;
      record.summary.traceCount = kTraces;
      record.summary.samplesPerTrace = kSamples;
      CollectingMessages messages;
      std::vector<int> heard;
      ASSERT_EQ(readtracesvorax(1, *file, record, messages,
                                [&](int p) {
                                  heard.push_back(p);
                                  return true;
                                }),
                kTraces);
      EXPECT_EQ(heard, (std::vector<int>{40, 80, 100})) << workers << " workers";
      EXPECT_EQ(file->position(), 1 + bytes.size());
      for (std::int32_t t = 1; t <= kTraces; ++t) {
        std::vector<float> expected(kSamples);
        float peak = 0;
        std::int32_t peakIndex = 0;
        for (std::int32_t i = 0; i < kSamples; ++i) {
          expected[static_cast<std::size_t>(i)] = sampleOf(t, i);
          const float m = std::fabs(sampleOf(t, i));
          if (std::isfinite(m) && m > peak) {
            peak = m;
            peakIndex = i;
          }
        }
        if (peak != 0)
          for (float& v : expected) v /= peak;
        const auto got = record.samples.trace(t);
        for (std::int32_t i = 0; i < kSamples; ++i)
          ASSERT_EQ(std::bit_cast<std::uint32_t>(got[static_cast<std::size_t>(i)]),
                    std::bit_cast<std::uint32_t>(expected[static_cast<std::size_t>(i)]))
              << t << " " << i;
        EXPECT_EQ(got[kSamples], 0.0f);
        EXPECT_EQ(record.traceDivisor[static_cast<std::size_t>(t)], peak == 0 ? 1.0f : peak);
        EXPECT_EQ(record.traceInfo[static_cast<std::size_t>(t)].peakSampleIndex, peakIndex);
        EXPECT_EQ(record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale,
                  peak == 0 ? 0.0f : 1.0f);
      }
    }
}

TEST(WorkerLoading, AStopLeavesTheLaterTracesUnloaded) {
  const ByteVector bytes = voraxTraces();
  RecordFile file = RecordFile::fromMemory(bytes);
  SegdRecord record;
  record.summary.traceCount = kTraces;
  record.summary.samplesPerTrace = kSamples;
  CollectingMessages messages;
  EXPECT_EQ(readtracesvorax(1, file, record, messages, [](int) { return false; }), 100);
  EXPECT_NE(record.traceDivisor[100], 1.0f);
  for (std::int32_t t = 101; t <= kTraces; ++t) {
    for (float v : record.samples.trace(t)) ASSERT_EQ(v, 0.0f) << t;
    EXPECT_EQ(record.traceDivisor[static_cast<std::size_t>(t)], 1.0f);
    EXPECT_EQ(record.traceInfo[static_cast<std::size_t>(t)].peakSampleIndex, 0);
  }
}

// The first traces are handed over once, as soon as they are in and before the rest: a copy
// taken then holds exactly what the finished record holds for them.
TEST(WorkerLoading, EarlyTracesAreHeardOnceBeforeTheRest) {
  const ByteVector bytes = voraxTraces();
  struct Case {
    std::int32_t asked;
    std::int32_t heardWith;  // 0: not heard
  };
  for (const Case c : {Case{61, 100}, Case{100, 100}, Case{101, 200}, Case{250, 0}, Case{400, 0}}) {
    RecordFile file = RecordFile::fromMemory(bytes);
    SegdRecord record;
    record.summary.traceCount = kTraces;
    record.summary.samplesPerTrace = kSamples;
    record.fileName = "early.segd";
    CollectingMessages messages;
    std::vector<SegdRecord> early;
    std::vector<int> progressWhenHeard;
    int lastProgress = 0;
    EarlyTraces earlyTraces{c.asked, [&](const SegdRecord& r, std::int32_t loaded) {
                              early.push_back(leadingTraces(r, loaded));
                              progressWhenHeard.push_back(lastProgress);
                            }};
    readtracesvorax(
        1, file, record, messages,
        [&](int p) {
          lastProgress = p;
          return true;
        },
        earlyTraces);
    ASSERT_EQ(early.size(), c.heardWith == 0 ? 0u : 1u) << c.asked;
    if (early.empty()) continue;
    const SegdRecord& first = early.front();
    EXPECT_EQ(first.loadedTraceCount(), c.heardWith);
    EXPECT_LT(progressWhenHeard.front(), 100);
    EXPECT_EQ(first.fileName, "early.segd");
    EXPECT_EQ(first.summary.traceCount, kTraces);
    for (std::int32_t t = 1; t <= c.heardWith; ++t) {
      const auto got = first.samples.trace(t);
      const auto whole = record.samples.trace(t);
      ASSERT_TRUE(std::equal(got.begin(), got.end(), whole.begin(), [](float a, float b) {
        return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
      })) << t;
      EXPECT_EQ(first.traceDivisor[static_cast<std::size_t>(t)],
                record.traceDivisor[static_cast<std::size_t>(t)]);
      EXPECT_EQ(first.traceInfo[static_cast<std::size_t>(t)].peakSampleIndex,
                record.traceInfo[static_cast<std::size_t>(t)].peakSampleIndex);
    }
  }
}

}  // namespace
}  // namespace vorax::decode
