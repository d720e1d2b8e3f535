#include "vibsim/radio_file.h"

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "test_support.h"

namespace vorax::vibsim {
namespace {

// A radio file made byte by byte: channel c's sample i is c * 100 + i (channel 2 negated).
std::vector<std::uint8_t> radioBytes(std::int32_t n, std::int16_t k) {
  std::vector<std::uint8_t> b(256 + 6 * static_cast<std::size_t>(n), 0);
  decode::storeLittle(b, 0, static_cast<std::uint32_t>(n), 4);
  const std::string date = "07/12/2026", time = "13:45:01";
  std::copy(date.begin(), date.end(), b.begin() + 6);
  std::copy(time.begin(), time.end(), b.begin() + 52);
  decode::storeLittle(b, 48, 48, 4);
  decode::storeLittle(b, 126, 126, 4);
  decode::storeLittle(b, 134, static_cast<std::uint32_t>(-5), 4);
  decode::storeLittle(b, 152, static_cast<std::uint16_t>(k), 2);
  for (int c = 1; c <= 3; ++c) {
    for (std::int32_t i = 0; i < n; ++i) {
      const int value = (c == 2 ? -1 : 1) * (c * 100 + i % 1000);
      decode::storeLittle(b, 256 + 2 * (static_cast<std::size_t>(c - 1) * n + i),
                          static_cast<std::uint16_t>(value), 2);
    }
  }
  return b;
}

TEST(RadioFile, HeaderAndSampleInterval) {
  const RadioFileHeader h = decodeRadioFileHeader(radioBytes(10, 2));
  EXPECT_EQ(h.samplesPerChannel, 10);
  EXPECT_EQ(h.date.trimmed(), "07/12/2026");
  EXPECT_EQ(h.time.trimmed(), "13:45:01");
  EXPECT_EQ(h.value48, 48);
  EXPECT_EQ(h.value126, 126);
  EXPECT_EQ(h.value134, -5);
  EXPECT_NEAR(radioSampleIntervalUs(2), 249.56587, 1e-5);
  EXPECT_DOUBLE_EQ(radioSampleIntervalUs(0), 488.0);
  EXPECT_DOUBLE_EQ(radioSampleIntervalUs(-3), 488.0);
}

TEST(RadioFile, ShiftedBy120AndNormalised) {
  decode::SegdRecord r;
  const RadioLoad load = loadRadioSimilarity(radioBytes(1000, 2), "sim.dat", r);
  ASSERT_TRUE(load.ok) << load.message;
  EXPECT_EQ(r.loadedTraceCount(), 3);
  EXPECT_EQ(r.samples.samplesPerTrace(), 1000);
  EXPECT_NEAR(r.summary.sampleIntervalUs, 249.56587f, 1e-3);
  EXPECT_NEAR(r.sampleIntervalMs, 0.24956587f, 1e-7);
  EXPECT_EQ(r.summary.recordDate.trimmed(), "07/12/2026");
  // Trace c: zeros at 0..119, then file samples 0..880 at 120..1000; the peak among the
  // stored samples (c*100 + 880) becomes 1.
  for (int c = 1; c <= 3; ++c) {
    SCOPED_TRACE(c);
    const float sign = c == 2 ? -1.0f : 1.0f;
    const float peak = static_cast<float>(c * 100 + 880);
    EXPECT_EQ(r.samples.at(c, 0), 0.0f);
    EXPECT_EQ(r.samples.at(c, 119), 0.0f);
    EXPECT_FLOAT_EQ(r.samples.at(c, 120), sign * (c * 100) / peak);
    EXPECT_FLOAT_EQ(r.samples.at(c, 500), sign * (c * 100 + 380) / peak);
    EXPECT_FLOAT_EQ(r.samples.at(c, 1000), sign * 1.0f);
    EXPECT_FLOAT_EQ(r.divisorOf(c), peak);
  }
}

TEST(RadioFile, ZeroChannelStaysZeroAndShortChannelIsEmpty) {
  auto bytes = radioBytes(300, 4);
  std::fill(bytes.begin() + 256 + 600, bytes.begin() + 256 + 1200, 0);  // channel 2 silent
  decode::SegdRecord r;
  ASSERT_TRUE(loadRadioSimilarity(bytes, "z", r).ok);
  for (float v : r.samples.trace(2)) ASSERT_EQ(v, 0.0f);
  EXPECT_FLOAT_EQ(r.samples.at(1, 300), 1.0f);

  ASSERT_TRUE(loadRadioSimilarity(radioBytes(100, 4), "tiny", r).ok);  // N < 120: nothing stored
  for (float v : r.samples.trace(3)) ASSERT_EQ(v, 0.0f);
}

TEST(RadioFile, HostileFilesAreSkippedWithAMessage) {
  decode::SegdRecord r;
  r.fileName = "kept";
  const auto whole = radioBytes(500, 2);
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  auto lying = whole;
  decode::storeLittle(lying, 0, 0x7FFFFFFF, 4);
  auto negative = whole;
  decode::storeLittle(negative, 0, static_cast<std::uint32_t>(-4), 4);
  const Case cases[] = {
      {"empty", {}},
      {"header cut", std::vector<std::uint8_t>(whole.begin(), whole.begin() + 255)},
      {"samples cut", std::vector<std::uint8_t>(whole.begin(), whole.end() - 1)},
      {"huge N", lying},
      {"negative N", negative},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RadioLoad load = loadRadioSimilarity(c.bytes, "bad.dat", r);
    EXPECT_FALSE(load.ok);
    EXPECT_NE(load.message.find("bad.dat"), std::string::npos);
    EXPECT_NE(load.message.find("skipped"), std::string::npos);
    EXPECT_EQ(r.fileName, "kept");
  }
}

TEST(RadioFile, FromDiskReadsOnlyWhatTheHeaderAsks) {
  test::TempDir dir;
  auto bytes = radioBytes(400, 2);
  bytes.resize(bytes.size() + 5000, 0xEE);  // trailing bytes beyond the channels
  test::writeFileBytes(dir / "a.dat", bytes);
  decode::SegdRecord r;
  const RadioLoad load = loadRadioSimilarityFile(dir / "a.dat", r);
  ASSERT_TRUE(load.ok) << load.message;
  EXPECT_FLOAT_EQ(r.samples.at(3, 400), 1.0f);
  EXPECT_FALSE(loadRadioSimilarityFile(dir / "absent.dat", r).ok);
  bytes.resize(256 + 6 * 400 - 2);
  test::writeFileBytes(dir / "b.dat", bytes);
  EXPECT_FALSE(loadRadioSimilarityFile(dir / "b.dat", r).ok);
}

}  // namespace
}  // namespace vorax::vibsim
