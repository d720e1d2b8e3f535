#include "decode/sercel/sercel_loader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

namespace vorax::decode {
namespace {

using B = std::vector<std::uint8_t>;

void appendBig(B& out, std::uint64_t value, int count) {
  for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One trace as a Sercel recorder writes it; setters take the 1-based block and byte.
struct TraceBytes {
  explicit TraceBytes(int channelSet, int extensionBlocks = 7)
      : header(20, 0), blocks(32 * static_cast<std::size_t>(extensionBlocks), 0) {
    header[3] = static_cast<std::uint8_t>(channelSet);
    header[9] = static_cast<std::uint8_t>(extensionBlocks);
  }
  void u8(int block, int byte, std::uint8_t v) { blocks[32 * (block - 1) + byte - 1] = v; }
  void big(int block, int byte, std::uint64_t v, int count) {
    for (int i = 0; i < count; ++i)
      u8(block, byte + i, static_cast<std::uint8_t>(v >> (8 * (count - 1 - i))));
  }
  void single(int block, int byte, float v) {
    big(block, byte, std::bit_cast<std::uint32_t>(v), 4);
  }
  void appendTo(B& file, const std::vector<float>& samples) const {
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), blocks.begin(), blocks.end());
    for (float s : samples) appendBig(file, std::bit_cast<std::uint32_t>(s), 4);
  }
  B header;
  B blocks;
};

struct Loaded {
  SegdRecord record;
  CollectingMessages messages;
  std::vector<int> progress;
  std::int32_t read = 0;
};

// Loads `file` from byte `first` (1-based) as a record of `traces` x `samples`.
void load(Loaded& out, const B& file, std::int32_t traces, std::int32_t samples,
          std::int64_t first = 1, std::size_t extensionBlocks = 7) {
  out.record.summary.traceCount = traces;
  out.record.summary.samplesPerTrace = samples;
  RecordFile f = RecordFile::fromMemory(file);
  out.read = readtraces408(
      first, f, out.record, out.messages,
      [&out](int percent) {
        out.progress.push_back(percent);
        return true;
      },
      extensionBlocks);
}

// Four traces of four samples, worked by hand:
//   1 aux (type 9) with a resistance error, factor 0 at gain 1: grey, scale 0.0002697 < 2
//   2 line 1001, resistance + tilt errors, factor 10 > peak 3: yellow, scale 10
//   3 line 1002, tilt error, factor 0 at gain 2, all zero: green, scale 0.00006742
//   4 line 1002, tilt flag 2 (an error, but not counted as a tilt error of value 1)
B handMadeRecord() {
  B file;
  TraceBytes aux(1);
  aux.u8(7, 15, 9);
  aux.u8(7, 5, 1);
  aux.u8(3, 21, 1);
  aux.appendTo(file, {0.5f, -2.0f, 1.0f, 0.0f});

  TraceBytes t2(2);
  t2.big(1, 1, 1001, 3);
  t2.big(1, 4, 5, 3);
  t2.u8(7, 15, 1);
  t2.single(7, 9, 10.0f);
  t2.single(3, 9, 612.5f);
  t2.u8(3, 21, 1);
  t2.u8(3, 22, 1);
  t2.appendTo(file, {1.0f, -3.0f, 3.0f, 2.0f});

  TraceBytes t3(2);
  t3.big(1, 1, 1002, 3);
  t3.big(1, 4, 6, 3);
  t3.u8(7, 15, 1);
  t3.u8(7, 5, 2);
  t3.u8(3, 22, 1);
  t3.appendTo(file, {0.0f, 0.0f, 0.0f, 0.0f});

  TraceBytes t4(2);
  t4.big(1, 1, 1002, 3);
  t4.big(1, 4, 7, 3);
  t4.u8(7, 15, 1);
  t4.u8(3, 22, 2);
  t4.appendTo(file, {-0.25f, 0.125f, 0.0f, 0.0f});
  return file;
}

TEST(SevenBlockLoader, EveryTraceInItsPlaceWithRecordedValues) {
  B file(100, 0xAA);  // headers before the first trace
  const B traces = handMadeRecord();
  file.insert(file.end(), traces.begin(), traces.end());
  Loaded l;
  load(l, file, 4, 4, 101);
  ASSERT_EQ(l.read, 4);
  EXPECT_TRUE(l.messages.messages.empty());
  const SegdRecord& r = l.record;
  ASSERT_EQ(r.samples.traceCount(), 4);

  const std::vector<float> expected[5] = {
      {}, {0.5f, -2, 1, 0, 0}, {1, -3, 3, 2, 0}, {0, 0, 0, 0, 0}, {-0.25f, 0.125f, 0, 0, 0}};
  for (int t = 1; t <= 4; ++t) {
    auto got = r.samples.trace(t);
    EXPECT_EQ(std::vector<float>(got.begin(), got.end()), expected[t]) << "trace " << t;
  }

  const auto& info = r.traceInfo;
  EXPECT_EQ(info[1].channelKind, "Aux ");
  EXPECT_EQ(info[1].errorColour, 0xC0C0C0u);
  EXPECT_EQ(info[1].amplitudeScale, 2.0f);
  EXPECT_EQ(info[1].peakSampleIndex, 1);
  EXPECT_EQ(info[1].mvConversionFactor, 0.0002697f);

  EXPECT_EQ(info[2].receiverLine, 1001);
  EXPECT_EQ(info[2].receiverPoint, 5);
  EXPECT_EQ(info[2].resistance, 612.5f);
  EXPECT_EQ(info[2].errorColour, 0x00FFFFu);
  EXPECT_EQ(info[2].amplitudeScale, 10.0f);
  EXPECT_EQ(info[2].peakSampleIndex, 1);  // the first of -3 and 3

  EXPECT_EQ(info[3].errorColour, 0x00FF00u);
  EXPECT_EQ(info[3].amplitudeScale, 0.00006742f);
  EXPECT_EQ(info[3].peakSampleIndex, 0);

  EXPECT_EQ(info[4].errorColour, 0x00FF00u);
  EXPECT_EQ(info[4].amplitudeScale, 0.25f);
  EXPECT_EQ(info[4].peakSampleIndex, 0);

  EXPECT_EQ(r.tiltErrorCount, 2);  // traces 2 and 3; trace 4's flag is 2

  ASSERT_EQ(r.lineRuns.size(), 4u);
  EXPECT_EQ(r.lineRuns[1].receiverLine, 0);
  EXPECT_EQ(r.lineRuns[1].firstTrace, 0);
  EXPECT_EQ(r.lineRuns[1].lastTrace, 1);
  EXPECT_EQ(r.lineRuns[2].receiverLine, 1001);
  EXPECT_EQ(r.lineRuns[2].firstTrace, 2);
  EXPECT_EQ(r.lineRuns[2].lastTrace, 2);
  EXPECT_EQ(r.lineRuns[3].receiverLine, 1002);
  EXPECT_EQ(r.lineRuns[3].firstTrace, 3);
  EXPECT_EQ(r.lineRuns[3].lastTrace, 4);
  EXPECT_EQ(l.progress, std::vector<int>{100});
}

TEST(SevenBlockLoader, ProgressEveryHundredTraces) {
  B file;
  for (int t = 0; t < 250; ++t) TraceBytes(1).appendTo(file, {1.0f});
  Loaded l;
  load(l, file, 250, 1);
  EXPECT_EQ(l.read, 250);
  EXPECT_EQ(l.progress, (std::vector<int>{40, 80, 100}));
}

TEST(SevenBlockLoader, StopsWhenProgressSaysSo) {
  B file;
  for (int t = 0; t < 250; ++t) TraceBytes(1).appendTo(file, {1.0f});
  SegdRecord record;
  record.summary.traceCount = 250;
  record.summary.samplesPerTrace = 1;
  CollectingMessages messages;
  RecordFile f = RecordFile::fromMemory(file);
  EXPECT_EQ(readtraces408(1, f, record, messages, [](int) { return false; }), 100);
}

TEST(SevenBlockLoader, NanTraceNeitherCrashesNorPoisonsTheScale) {
  B file;
  TraceBytes nan(1);
  nan.u8(7, 15, 9);
  nan.single(7, 9, 1.5f);
  nan.appendTo(file, {});
  for (int i = 0; i < 3; ++i) appendBig(file, 0xFFFFFFFF, 4);
  TraceBytes mixed(2);
  mixed.appendTo(file, {std::nanf(""), -4.0f, 2.0f});
  Loaded l;
  load(l, file, 2, 3);
  EXPECT_EQ(l.record.traceInfo[1].amplitudeScale, 1.5f);
  EXPECT_EQ(l.record.traceInfo[1].peakSampleIndex, 0);
  EXPECT_TRUE(std::isnan(l.record.samples.at(1, 0)));  // kept as recorded
  EXPECT_EQ(l.record.traceInfo[2].amplitudeScale, 4.0f);
  EXPECT_EQ(l.record.traceInfo[2].peakSampleIndex, 1);
}

TEST(SevenBlockLoader, NanConversionFactorDoesNotBecomeTheScale) {
  B file;
  TraceBytes t(1);
  t.big(7, 9, 0x7FC00000, 4);  // NaN
  t.appendTo(file, {-0.5f, 0.25f});
  Loaded l;
  load(l, file, 1, 2);
  EXPECT_EQ(l.record.traceInfo[1].amplitudeScale, 0.5f);
}

TEST(SevenBlockLoader, MoreExtensionBlocksAreSkipped) {
  B file;
  for (int line = 1; line <= 2; ++line) {
    TraceBytes t(1, 10);
    t.big(1, 1, static_cast<std::uint64_t>(line), 3);
    t.u8(8, 1, 0xEE);  // a block the seven-block layout does not know
    t.appendTo(file, {static_cast<float>(line), 0.0f});
  }
  Loaded l;
  load(l, file, 2, 2, 1, 10);
  EXPECT_EQ(l.record.traceInfo[2].receiverLine, 2);
  EXPECT_EQ(l.record.samples.at(2, 0), 2.0f);
  EXPECT_EQ(l.record.samples.at(1, 0), 1.0f);
}

TEST(SevenBlockLoader, FileShorterThanDeclaredGivesOneWarningAndAUsableRecord) {
  B file;
  TraceBytes(1).appendTo(file, {1, 2, 3});
  TraceBytes(1).appendTo(file, {4});  // cut short: two of its three samples are missing
  Loaded l;
  load(l, file, 9999, 3);
  EXPECT_EQ(l.read, 2);
  EXPECT_EQ(l.record.samples.traceCount(), 2);
  EXPECT_EQ(l.record.summary.traceCount, 9999);
  ASSERT_EQ(l.messages.messages.size(), 1u);
  EXPECT_EQ(l.messages.messages[0],
            "The file is shorter than its headers declare: 9999 traces declared, 2 loaded; "
            "missing samples read as 0.");
  EXPECT_EQ(l.record.samples.at(2, 0), 4.0f);
  EXPECT_EQ(l.record.samples.at(2, 1), 0.0f);
}

TEST(SevenBlockLoader, UndefinedTraceTypeTakesItsChannelSetsKind) {
  // Sets 1 (auxiliary) and 2 (seismic) as their descriptors declare them; set 3 is declared
  // as time break (2), which says neither.
  std::vector<ChannelSetFields> sets(3);
  sets[0].channelSetNumber = "01";
  sets[0].channelType = "9";
  sets[1].channelSetNumber = "02";
  sets[1].channelType = "1";
  sets[2].channelSetNumber = "03";
  sets[2].channelType = "2";
  B file;
  TraceBytes aux(1);  // byte 15 left 0: undefined
  aux.u8(3, 21, 1);   // a resistance error, which an auxiliary trace does not show
  aux.appendTo(file, {1.0f});
  TraceBytes(2).appendTo(file, {1.0f});
  TraceBytes own(1);  // its own type wins over its set's
  own.u8(7, 15, 1);
  own.appendTo(file, {1.0f});
  TraceBytes(3).appendTo(file, {1.0f});
  TraceBytes(7).appendTo(file, {1.0f});  // a set no descriptor declares
  SegdRecord record;
  record.summary.traceCount = 5;
  record.summary.samplesPerTrace = 1;
  CollectingMessages messages;
  RecordFile f = RecordFile::fromMemory(file);
  ASSERT_EQ(readtraces408(1, f, record, messages, {}, 7, {}, sets), 5);
  const auto& info = record.traceInfo;
  EXPECT_EQ(info[1].channelKind, "Aux ");
  EXPECT_EQ(info[1].errorColour, 0xC0C0C0u);
  EXPECT_EQ(info[2].channelKind, "Seis");
  EXPECT_EQ(info[3].channelKind, "Seis");
  EXPECT_EQ(info[3].errorColour, 0u);
  EXPECT_EQ(info[4].channelKind, "Unde");
  EXPECT_EQ(info[5].channelKind, "Unde");
}

TEST(SevenBlockLoader, HostileSampleCountIsCutToWhatTheFileHolds) {
  B file;
  TraceBytes(1).appendTo(file, {1, 2});
  Loaded l;
  load(l, file, 9999, 999999);  // 40 GB declared, 252 bytes held
  EXPECT_EQ(l.read, 1);
  EXPECT_EQ(l.record.samples.samplesPerTrace(), 2);
  ASSERT_EQ(l.messages.messages.size(), 1u);
  EXPECT_NE(l.messages.messages[0].find("with 2 of 999999 samples per trace"), std::string::npos);
}

}  // namespace
}  // namespace vorax::decode
