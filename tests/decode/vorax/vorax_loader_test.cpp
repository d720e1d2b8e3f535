#include "decode/vorax/vorax_loader.h"

#include <gtest/gtest.h>

#include "decode/header_driver.h"
#include "decode/vorax/handmade_record.h"

namespace vorax::decode {
namespace {

using test::HandmadeRecord;

struct Loaded {
  SegdRecord record;
  CollectingMessages messages;
  std::int32_t read = 0;
};

void load(const std::vector<std::uint8_t>& bytes, Loaded& out,
          const ProgressCallback& progress = {}) {
  RecordFile file = RecordFile::fromMemory(bytes);
  DecodedHeaders headers;
  const std::int32_t first = readfileheaders(file, out.record, headers, out.messages, {});
  ASSERT_GT(first, 0);
  out.read = readtracesvorax(first, file, out.record, out.messages, progress);
}

TEST(VoraxLoader, NormalisesEachTraceAndKeepsOneZeroAfterTheLastSample) {
  Loaded l;
  load(HandmadeRecord().bytes(), l);
  EXPECT_TRUE(l.messages.messages.empty());
  ASSERT_EQ(l.record.samples.traceCount(), 3);
  const auto t1 = l.record.samples.trace(1);
  ASSERT_EQ(t1.size(), 5u);  // 4 samples + the trailing 0
  EXPECT_EQ(std::vector<float>(t1.begin(), t1.end()),
            (std::vector<float>{0.25f, -1.0f, 0.5f, 0.0f, 0.0f}));
  const auto t2 = l.record.samples.trace(2);
  EXPECT_EQ(std::vector<float>(t2.begin(), t2.end()),
            (std::vector<float>{1.0f, 1.0f, 0.5f, 0.25f, 0.0f}));
  EXPECT_EQ(l.record.traceInfo[1].peakSampleIndex, 1);  // the negative peak
  EXPECT_EQ(l.record.traceInfo[2].peakSampleIndex, 0);  // first of two equal peaks
  EXPECT_EQ(l.record.traceInfo[1].amplitudeScale, 1.0f);
  EXPECT_EQ(l.record.traceInfo[3].amplitudeScale, 0.0f);  // dead trace
  // What each trace was divided by: recorded peaks |-4| and 0.5; the dead trace keeps 1.
  EXPECT_EQ(l.record.traceDivisor, (std::vector<float>{1.0f, 4.0f, 0.5f, 1.0f}));
  EXPECT_EQ(l.read, 3);
}

TEST(VoraxLoader, FillsTheOneBlockColumn) {
  Loaded l;
  load(HandmadeRecord().bytes(), l);
  const TraceHeaderInfo& i = l.record.traceInfo[1];
  EXPECT_EQ(i.receiverLine, 7.0f);
  EXPECT_EQ(i.receiverPoint, 11.0f);
  EXPECT_DOUBLE_EQ(i.receiverX, 100.0);
  EXPECT_DOUBLE_EQ(i.receiverY, 200.0);
  EXPECT_EQ(i.receiverZ, 0.0f);
  EXPECT_EQ(i.channelKind.view(), "Seis");
  EXPECT_EQ(i.sensorKind.trimmed(), "");
  EXPECT_EQ(i.resistance, 7.0f);   // low digit of 0x37
  EXPECT_EQ(i.leakage, 3.0f);      // high digit
  EXPECT_EQ(i.tilt, 24.0f);        // 0x24 read as digits
  EXPECT_EQ(i.capacitance, 0.0f);  // trace edit code
  EXPECT_EQ(i.unitSerialNumber, 12345678);
  EXPECT_EQ(i.channelNumber, 9);
  EXPECT_EQ(i.controlUnitSerialNumber, 9);
  EXPECT_EQ(i.controlUnitType, 102);
  EXPECT_EQ(i.controlUnitText.trimmed(), "258");  // 0x0102 in decimal
  EXPECT_EQ(i.interpolationCount, 5);
  EXPECT_EQ(i.mvConversionFactor, 1.0f);
  EXPECT_EQ(i.traceMaximum, 1.0f);
  EXPECT_EQ(i.conversionFactorCopy, 1.0f);
  EXPECT_EQ(i.errorColour, 0u);

  EXPECT_EQ(l.record.traceInfo[2].channelKind.view(), "Aux ");
  EXPECT_EQ(l.record.traceInfo[2].capacitance, 1.0f);  // edit code 1: still loaded
  EXPECT_EQ(l.record.traceInfo[3].capacitance, 2.0f);
}

TEST(VoraxLoader, BuildsLineRuns) {
  Loaded l;
  load(HandmadeRecord().bytes(), l);
  ASSERT_EQ(l.record.lineRuns.size(), 3u);
  EXPECT_EQ(l.record.lineRuns[1].receiverLine, 7.0f);
  EXPECT_EQ(l.record.lineRuns[1].firstTrace, 0.0f);
  EXPECT_EQ(l.record.lineRuns[1].lastTrace, 2.0f);
  EXPECT_EQ(l.record.lineRuns[2].receiverLine, 8.0f);
  EXPECT_EQ(l.record.lineRuns[2].firstTrace, 3.0f);
  EXPECT_EQ(l.record.lineRuns[2].lastTrace, 3.0f);
}

TEST(VoraxLoader, ShortFileLoadsWhatItHoldsWithOneWarning) {
  auto bytes = HandmadeRecord().bytes();
  // Cut inside trace 2's samples: traces 1 and 2 start inside the file, trace 3 does not.
  bytes.resize(HandmadeRecord::kFirstTracePosition - 1 + HandmadeRecord::kTraceBytes + 52 + 6);
  Loaded l;
  load(bytes, l);
  ASSERT_EQ(l.messages.messages.size(), 1u);
  EXPECT_EQ(l.messages.messages[0],
            "The file is shorter than its headers declare: 3 traces declared, 2 loaded; "
            "missing samples read as 0.");
  EXPECT_EQ(l.record.samples.traceCount(), 2);
  EXPECT_EQ(l.record.summary.traceCount, 3);  // as declared
  EXPECT_EQ(l.record.traceInfo.size(), 3u);
  // Trace 2 kept 0.5 and the first two bytes 0x3F 0x00 of the second 0.5, which read as 0.5.
  EXPECT_EQ(l.record.samples.at(2, 0), 1.0f);
  EXPECT_EQ(l.record.samples.at(2, 1), 1.0f);
  EXPECT_EQ(l.record.samples.at(2, 2), 0.0f);
  ASSERT_EQ(l.record.lineRuns.size(), 2u);
  EXPECT_EQ(l.record.lineRuns[1].lastTrace, 2.0f);
}

TEST(VoraxLoader, HostileCountsDoNotAllocateWhatTheFileCannotHold) {
  HandmadeRecord r;
  HandmadeRecord::put(r.extended, 3, {0x99, 0x99});        // 9999 traces
  HandmadeRecord::put(r.extended, 5, {0x99, 0x99, 0x99});  // of 999999 samples
  auto bytes = r.bytes();
  bytes.resize(4096);
  Loaded l;
  load(bytes, l);
  // 4096 - 224 = 3872 bytes from the first trace: one trace header and
  // ceil((3872 - 52) / 4) = 955 samples.
  EXPECT_EQ(l.record.samples.traceCount(), 1);
  EXPECT_EQ(l.record.samples.samplesPerTrace(), 955);
  ASSERT_EQ(l.messages.messages.size(), 1u);
  EXPECT_EQ(l.messages.messages[0],
            "The file is shorter than its headers declare: 9999 traces declared, 1 loaded, "
            "with 955 of 999999 samples per trace; missing samples read as 0.");
  EXPECT_EQ(l.record.summary.traceCount, 9999);
  EXPECT_EQ(l.record.summary.samplesPerTrace, 999999);
  EXPECT_EQ(l.record.traceInfo[1].receiverLine, 7.0f);  // the hand-made trace 1 is still there
}

std::vector<std::uint8_t> manyTraces(int count) {
  HandmadeRecord r;
  HandmadeRecord::put(
      r.extended, 3,
      {(count / 1000) << 4 | (count / 100 % 10), (count / 10 % 10) << 4 | (count % 10)});
  auto bytes = r.bytes();
  bytes.resize(HandmadeRecord::kFirstTracePosition - 1 + count * HandmadeRecord::kTraceBytes);
  return bytes;
}

TEST(VoraxLoader, ReportsProgressEveryHundredTraces) {
  std::vector<int> heard;
  Loaded l;
  load(manyTraces(250), l, [&heard](int percent) {
    heard.push_back(percent);
    return true;
  });
  EXPECT_EQ(heard, (std::vector<int>{40, 80, 100}));
  EXPECT_EQ(l.read, 250);
}

TEST(VoraxLoader, StopsWhenProgressSaysSo) {
  Loaded l;
  load(manyTraces(250), l, [](int percent) { return percent < 80; });
  EXPECT_EQ(l.read, 200);
  EXPECT_EQ(l.record.lineRuns.back().lastTrace, 200.0f);
}

}  // namespace
}  // namespace vorax::decode
