#include "decode/synth/sercel_synth.h"

#include <gtest/gtest.h>

#include <vector>

#include "decode/sercel/sercel_headers.h"
#include "decode/sercel/sercel_loader.h"
#include "test_support.h"

namespace vorax::decode::synth {
namespace {

// Two channel-set descriptors, the 1024-byte extended header and 16 external blocks.
constexpr std::size_t kHeaderBytes = 96 + 2 * 32 + 1024 + 16 * 32;

SercelSynthOptions smallRecord() {
  SercelSynthOptions o;
  o.seismicTraces = 120;
  o.auxTraces = 2;
  o.samplesPerTrace = 51;
  o.sampleIntervalMs = 2;
  return o;
}

SegdRecord loadTraces(const std::vector<std::uint8_t>& bytes, const SercelSynthOptions& o) {
  SegdRecord record;
  record.summary.traceCount = o.seismicTraces + o.auxTraces;
  record.summary.samplesPerTrace = o.samplesPerTrace;
  CollectingMessages messages;
  RecordFile file = RecordFile::fromMemory(bytes);
  readtraces408(kHeaderBytes + 1, file, record, messages);
  EXPECT_TRUE(messages.messages.empty());
  return record;
}

TEST(SercelSynth, GeneralHeadersSayWhereEverythingIs) {
  const SercelSynthOptions o = smallRecord();
  const std::vector<std::uint8_t> bytes = sercelRecordBytes(o);
  ASSERT_EQ(bytes.size(), kHeaderBytes + 122 * (20 + 7 * 32 + 4 * 51));
  EXPECT_EQ(bytes[16], 0x13);  // manufacturer 13, BCD
  EXPECT_EQ(bytes[9], 0x05);   // general constants ...000005: the 428 model
  EXPECT_EQ(bytes[28], 0x02);  // two channel sets
  EXPECT_EQ(bytes[30], 0x32);  // 32 extended header blocks, BCD
  EXPECT_EQ(bytes[31], 0xFF);  // external header blocks: in block 2
  EXPECT_EQ(bytes[32 + 7], 0x00);
  EXPECT_EQ(bytes[32 + 8], 0x10);       // 16, binary
  EXPECT_EQ(bytes[96 + 10], 0x90);      // channel set 1: auxiliary
  EXPECT_EQ(bytes[128 + 10], 0x10);     // channel set 2: seismic
  EXPECT_EQ(bytes[96 + 28] & 0x0F, 7);  // seven trace header extensions
}

TEST(SercelSynth, ExtendedHeaderDecodesCleanly) {
  const SercelSynthOptions o = smallRecord();
  const std::vector<std::uint8_t> bytes = sercelRecordBytes(o);
  Ext408ExtendedFields f;
  EXPECT_EQ(SEGDDECODE408EXTENDEDHEADER(Bytes(bytes).subspan(160, 1024), f), 0) << f.message.view();
  EXPECT_EQ(f.acquisitionLength.trimmed(), "100");
  EXPECT_EQ(f.sampleRate.trimmed(), "2000");
  EXPECT_EQ(f.totalTraces.trimmed(), "122");
  EXPECT_EQ(f.auxiliaryTraces.trimmed(), "2");
  EXPECT_EQ(f.seismicTraces.trimmed(), "120");
  EXPECT_EQ(f.samplesPerTrace.trimmed(), "51");
  EXPECT_EQ(f.upholeTime.trimmed(), "12");
  EXPECT_EQ(f.spreadFirstLine.trimmed(), "1001");
  EXPECT_EQ(f.spreadFirstNumber.trimmed(), "2001");
  EXPECT_EQ(f.tapeLabel.trimmed(), "VORAX SYNTH");
  EXPECT_EQ(f.tapeNumber.trimmed(), "7");
  EXPECT_EQ(f.internalTimeBreakText.trimmed(), "Yes");
  EXPECT_EQ(f.acquisitionFilterText.trimmed(), "0.8 Min");
  EXPECT_EQ(f.bytes561To572.rtrimmed().substr(0, 11), "9 May 2024");  // day 130 of 2024
}

TEST(SercelSynth, ReceiverTestsFollowThePattern) {
  const SercelSynthOptions o = smallRecord();
  const SegdRecord r = loadTraces(sercelRecordBytes(o), o);
  // Aux traces first, grey.
  EXPECT_EQ(r.traceInfo[1].channelKind, "Aux ");
  EXPECT_EQ(r.traceInfo[2].errorColour, 0xC0C0C0u);
  // Seismic trace s is trace s + 2. Of each 20: 14 resistance high, 15 low, 16 capacitance,
  // 17 tilt, 18 leakage, 19 two errors; the rest pass.
  const TraceHeaderInfo& pass = r.traceInfo[1 + 2];
  EXPECT_EQ(pass.errorColour, 0u);
  EXPECT_GE(pass.resistance, 250);
  EXPECT_LE(pass.resistance, 500);
  EXPECT_EQ(pass.resistanceLowLimit, 250);
  EXPECT_EQ(pass.resistanceHighLimit, 500);
  const TraceHeaderInfo& high = r.traceInfo[14 + 2];
  EXPECT_GT(high.resistance, 500);
  EXPECT_EQ(high.errorColour, 0x0000FFu);
  const TraceHeaderInfo& low = r.traceInfo[35 + 2];
  EXPECT_LT(low.resistance, 250);
  EXPECT_EQ(low.resistanceError, 1);
  EXPECT_GT(r.traceInfo[16 + 2].capacitance, 120);  // first cycle: above
  EXPECT_LT(r.traceInfo[36 + 2].capacitance, 80);   // second cycle: below
  EXPECT_EQ(r.traceInfo[36 + 2].errorColour, 0xFF00FFu);
  EXPECT_GT(r.traceInfo[17 + 2].tilt, 10);
  EXPECT_EQ(r.traceInfo[17 + 2].errorColour, 0x00FF00u);
  EXPECT_LT(r.traceInfo[18 + 2].leakage, 1);
  EXPECT_EQ(r.traceInfo[18 + 2].errorColour, 0xFF0000u);
  EXPECT_EQ(r.traceInfo[19 + 2].errorColour, 0x00FFFFu);
  EXPECT_EQ(r.traceInfo[39 + 2].errorColour, 0x00FFFFu);
  // Tilt errors: position 17 in each of 6 cycles, position 19 in the 3 even cycles.
  EXPECT_EQ(r.tiltErrorCount, 9);
}

TEST(SercelSynth, SpreadLinesAndPositions) {
  const SercelSynthOptions o = smallRecord();
  const SegdRecord r = loadTraces(sercelRecordBytes(o), o);
  // 120 receivers on 3 lines of 40, from line 1001 point 2001, 25 m apart, lines 200 m apart.
  EXPECT_EQ(r.traceInfo[3].receiverLine, 1001);
  EXPECT_EQ(r.traceInfo[3].receiverPoint, 2001);
  EXPECT_EQ(r.traceInfo[3].receiverX, 512000.0);
  EXPECT_EQ(r.traceInfo[3].receiverY, 6234000.0);
  EXPECT_EQ(r.traceInfo[44].receiverLine, 1002);
  EXPECT_EQ(r.traceInfo[44].receiverPoint, 2002);
  EXPECT_EQ(r.traceInfo[44].receiverX, 512025.0);
  EXPECT_EQ(r.traceInfo[44].receiverY, 6234200.0);
  ASSERT_EQ(r.lineRuns.size(), 5u);  // aux (line 0), then three lines
  EXPECT_EQ(r.lineRuns[2].firstTrace, 3);
  EXPECT_EQ(r.lineRuns[4].receiverLine, 1003);
  EXPECT_EQ(r.lineRuns[4].lastTrace, 122);
  EXPECT_EQ(r.traceInfo[3].sensorKind.trimmed(), "Geoph");
  EXPECT_EQ(r.traceInfo[3].controlUnitText.trimmed(), "LAUL");
  EXPECT_EQ(r.traceInfo[3].mvConversionFactor, 0.0002697f);  // recorded as 0, gain scale 1
  EXPECT_EQ(r.traceInfo[1].mvConversionFactor, 6.742e-05f);  // recorded
}

TEST(SercelSynth, SamplesAsWrittenAndTraceMaximum) {
  const SercelSynthOptions o = smallRecord();
  const SegdRecord r = loadTraces(sercelRecordBytes(o), o);
  for (int t : {1, 2, 3, 60, 122}) {
    const std::vector<float> written = sercelTraceSamples(o, t);
    float peak = 0;
    for (std::size_t i = 0; i < written.size(); ++i) {
      ASSERT_EQ(r.samples.at(t, static_cast<std::int32_t>(i)), written[i]) << t;
      peak = std::max(peak, std::fabs(written[i]));
    }
    EXPECT_EQ(r.samples.at(t, 51), 0.0f);
    EXPECT_EQ(r.traceInfo[static_cast<std::size_t>(t)].traceMaximum, peak);
  }
}

TEST(SercelSynth, TiltErrorRun) {
  SercelSynthOptions o = smallRecord();
  o.tiltErrorTraces = 110;
  const SegdRecord r = loadTraces(sercelRecordBytes(o), o);
  // Traces 1-110 all have one; of 111-120, position 17 (trace 117) and none at 19 (odd cycle).
  EXPECT_EQ(r.tiltErrorCount, 111);
  EXPECT_EQ(r.traceInfo[2 + 110].tiltError, 1);
  EXPECT_EQ(r.traceInfo[2 + 111].tiltError, 0);
}

TEST(SercelSynth, OptionsAreChecked) {
  SercelSynthOptions o = smallRecord();
  EXPECT_EQ(checkSercelSynthOptions(o), "");
  o.tiltErrorTraces = 121;
  EXPECT_EQ(checkSercelSynthOptions(o), "tilt error trace count must be from 0 to 120");
  o = smallRecord();
  o.sampleIntervalMs = 3;
  EXPECT_NE(checkSercelSynthOptions(o), "");
  o = smallRecord();
  o.fileNumber = 10000;
  EXPECT_EQ(checkSercelSynthOptions(o), "file number must be from 1 to 9999");
}

TEST(SercelSynth, SeveralRecordsOneAfterAnother) {
  test::TempDir dir;
  SercelSynthOptions o = smallRecord();
  o.seismicTraces = 4;
  o.auxTraces = 1;
  const std::vector<int> numbers{101, 102, 103};
  ASSERT_EQ(writeSercelRecords(dir / "three.segd", o, numbers), "");
  const std::vector<std::uint8_t> bytes = test::readFileBytes(dir / "three.segd");
  const std::size_t recordBytes = sercelRecordBytes(o).size();
  ASSERT_EQ(bytes.size(), 3 * recordBytes);
  for (std::size_t k = 0; k < 3; ++k) {
    const std::size_t start = k * recordBytes;
    EXPECT_EQ(bytes[start], 0x01);  // BCD file number 0101, 0102, 0103
    EXPECT_EQ(bytes[start + 1], static_cast<std::uint8_t>(k + 1));
    EXPECT_EQ(bytes[start + 32 + 2], static_cast<std::uint8_t>(101 + k));  // block 2, binary
  }
  EXPECT_NE(writeSercelRecords(dir / "bad.segd", o, std::vector<int>{5, 0}), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.segd"));
}

}  // namespace
}  // namespace vorax::decode::synth
