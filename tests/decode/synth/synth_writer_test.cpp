#include "decode/synth/synth_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "decode/record_opener.h"
#include "test_support.h"

namespace vorax::decode::synth {
namespace {

TEST(SynthBlocks, BcdPacksDigitsAndKeepsTheFreeHighNibble) {
  std::array<std::uint8_t, 3> b{0xA0, 0x00, 0x00};
  storeBcd(b, 0, 130, 3);  // odd count: starts in the low nibble of the first byte
  EXPECT_EQ(b[0], 0xA1);
  EXPECT_EQ(b[1], 0x30);
  storeBcd(b, 1, 1234, 4);
  EXPECT_EQ(b[1], 0x12);
  EXPECT_EQ(b[2], 0x34);
}

TEST(SynthBlocks, LargeFileNumbersMoveToTheExpandedFields) {
  GeneralHeaderValues v;
  v.fileNumber = 12345;
  const Block32 gh1 = generalHeaderBlock1(v);
  EXPECT_EQ(gh1[0], 0xFF);
  EXPECT_EQ(gh1[1], 0xFF);
  const Block32 gh2 = generalHeaderBlock2(v);
  EXPECT_EQ(gh2[0], 0x00);
  EXPECT_EQ(gh2[1], 0x30);
  EXPECT_EQ(gh2[2], 0x39);
  TraceHeaderValues t;
  t.fileNumber = 12345;
  const auto header = demuxTraceHeader(t);
  EXPECT_EQ(header[0], 0xFF);
  EXPECT_EQ(header[19], 0x39);
}

TEST(SynthSignal, FirstBreaksFollowTheRefractorBeyondTheCrossover) {
  const ShotModel model;
  EXPECT_DOUBLE_EQ(firstBreakTime(model, 13), 13 / 650.0);               // direct wave
  EXPECT_DOUBLE_EQ(firstBreakTime(model, 1000), 0.045 + 1000 / 2100.0);  // refraction
  EXPECT_DOUBLE_EQ(ricker(30, 0), 1.0);
  // Zero crossing where pi^2 f^2 t^2 = 1/2.
  EXPECT_NEAR(ricker(30, 1 / (30 * std::numbers::pi * std::sqrt(2.0))), 0.0, 1e-12);
}

SynthOptions smallOptions() {
  SynthOptions o;
  o.samplesPerTrace = 101;
  return o;
}

struct OpenedSynth {
  SegdRecord record;
  CollectingMessages messages;
  OpenResult result;
  std::vector<std::uint8_t> bytes;
};

void openSynth(const SynthOptions& options, OpenedSynth& out) {
  out.bytes = voraxRecordBytes(options);
  RecordFile file = RecordFile::fromMemory(out.bytes);
  out.result = openRecord(file, out.record, out.messages, {});
}

TEST(SynthRecord, OpensWithTheSummaryAsWritten) {
  OpenedSynth s;
  openSynth(smallOptions(), s);
  ASSERT_TRUE(s.result.ok());
  EXPECT_TRUE(s.messages.messages.empty());
  const RecordSummary& r = s.record.summary;
  EXPECT_EQ(r.traceCount, 98);  // 96 seismic + 2 auxiliary
  EXPECT_EQ(r.samplesPerTrace, 101);
  EXPECT_EQ(r.sampleIntervalUs, 2000.0f);
  EXPECT_EQ(s.record.recordLengthMs, 200.0f);
  EXPECT_EQ(r.fileNumber.trimmed(), "1");
  EXPECT_EQ(r.recordDate.trimmed(), "2024-05-09");  // day 130 of 2024
  EXPECT_EQ(r.recordTime.view(), "10:42:17");
  EXPECT_EQ(r.tapeNumber.view(), "0017");
  EXPECT_EQ(r.timeBreakKind.view(), "FTB");
  EXPECT_EQ(r.filter.trimmed(), "Lin");
  EXPECT_EQ(r.upholeTime, 125);  // 12.5 ms in tenths
  EXPECT_EQ(r.sourceLine, 3001.0f);
  EXPECT_EQ(r.sourcePoint, 1041.5f);
  // 24 receivers per line 25 m apart, 4 lines 200 m apart: the centre is 287.5 m east and
  // 300 m north of the first receiver.
  EXPECT_DOUBLE_EQ(r.sourceX, 512287.5);
  EXPECT_DOUBLE_EQ(r.sourceY, 6234300.0);
  EXPECT_FLOAT_EQ(r.sourceZ, 123.45f);
  const std::size_t traceBytes = 52 + 4 * 101;
  EXPECT_EQ(s.bytes.size(),
            static_cast<std::size_t>(s.result.firstTracePosition - 1) + 98 * traceBytes);
  EXPECT_EQ(s.result.headers.extended.auxChannelTexts[0].trimmed(), "TB");
  EXPECT_EQ(s.result.headers.extended.auxChannelTexts[1].trimmed(), "Uphole");
  EXPECT_NE(s.result.headers.external.text.view().find("VORAX SYNTHETIC SHOT RECORD"),
            std::string_view::npos);
}

TEST(SynthRecord, ReceiversUnitsAndLinesAsWritten) {
  OpenedSynth s;
  openSynth(smallOptions(), s);
  const auto& info = s.record.traceInfo;
  ASSERT_EQ(info.size(), 99u);
  EXPECT_EQ(info[1].receiverLine, 1001.0f);
  EXPECT_EQ(info[1].receiverPoint, 2001.0f);
  EXPECT_DOUBLE_EQ(info[1].receiverX, 512000.0);
  EXPECT_DOUBLE_EQ(info[1].receiverY, 6234000.0);
  EXPECT_EQ(info[25].receiverLine, 1002.0f);
  EXPECT_EQ(info[25].receiverPoint, 2001.0f);
  EXPECT_DOUBLE_EQ(info[25].receiverY, 6234200.0);
  EXPECT_EQ(info[96].receiverPoint, 2024.0f);
  EXPECT_DOUBLE_EQ(info[96].receiverX, 512575.0);
  EXPECT_EQ(info[25].resistance, 2.0f);           // cable number of the second line
  EXPECT_EQ(info[25].tilt, 24.0f);                // gain digits
  EXPECT_EQ(info[7].unitSerialNumber, 41000002);  // second unit of six channels
  EXPECT_EQ(info[7].channelNumber, 1);
  EXPECT_EQ(info[12].channelNumber, 6);
  EXPECT_EQ(info[96].channelKind.view(), "Seis");
  EXPECT_EQ(info[97].channelKind.view(), "Aux ");
  EXPECT_EQ(info[98].channelNumber, 2);
  const auto& runs = s.record.lineRuns;
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[1].lastTrace, 24.0f);
  EXPECT_EQ(runs[4].receiverLine, 1004.0f);
  EXPECT_EQ(runs[4].firstTrace, 73.0f);
  EXPECT_EQ(runs[5].receiverLine, 0.0f);  // the auxiliary traces
  EXPECT_EQ(runs[5].lastTrace, 98.0f);
}

TEST(SynthRecord, SamplesLoadNormalisedWithTheDeadAndReversedTraces) {
  const SynthOptions options = smallOptions();
  OpenedSynth s;
  openSynth(options, s);
  EXPECT_EQ(deadTraceNumber(options), 32);      // (96 + 2) / 3
  EXPECT_EQ(reversedTraceNumber(options), 64);  // (2 x 96 + 2) / 3
  for (int t = 1; t <= 98; ++t) {
    if (t == 32) continue;
    const std::vector<float> written = synthTraceSamples(options, t);
    float peak = 0;
    for (float v : written) peak = std::max(peak, std::fabs(v));
    const auto loaded = s.record.samples.trace(t);
    for (std::size_t i = 0; i < written.size(); ++i)
      ASSERT_FLOAT_EQ(loaded[i], written[i] / peak) << "trace " << t << " sample " << i;
    EXPECT_EQ(loaded[101], 0.0f);
  }
  const auto dead = s.record.samples.trace(32);
  EXPECT_TRUE(std::all_of(dead.begin(), dead.end(), [](float v) { return v == 0.0f; }));
  EXPECT_EQ(s.record.traceInfo[32].amplitudeScale, 0.0f);
  EXPECT_EQ(s.record.traceInfo[32].capacitance, 2.0f);  // trace edit code
  EXPECT_EQ(s.record.traceInfo[33].interpolationCount, 3);

  SynthOptions upright = options;
  upright.reversedTrace = 0;
  const std::vector<float> reversed = synthTraceSamples(options, 64);
  const std::vector<float> normal = synthTraceSamples(upright, 64);
  for (std::size_t i = 0; i < normal.size(); ++i) ASSERT_EQ(reversed[i], -normal[i]);
}

TEST(SynthRecord, SeismicTraceIsQuietBeforeItsFirstBreak) {
  SynthOptions options;
  const Receiver r = receiverAt(spreadOf(options), 0);
  const Position source = sourcePosition(options);
  const double offset = std::hypot(r.east - source.east, r.north - source.north);
  const double firstBreak = firstBreakTime(options.model, offset);  // about 0.243 s
  const std::vector<float> samples = synthTraceSamples(options, 1);
  const double noiseSigma = options.model.noiseLevel * options.model.overallScale;
  float before = 0;
  float after = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) * 0.002;
    if (t < firstBreak) before = std::max(before, std::fabs(samples[i]));
    if (t >= firstBreak && t < firstBreak + 0.09) after = std::max(after, std::fabs(samples[i]));
  }
  EXPECT_LT(before, 6 * noiseSigma);
  EXPECT_GT(after, 10 * noiseSigma);
}

TEST(SynthRecord, SameSeedSameBytes) {
  SynthOptions a = smallOptions();
  SynthOptions b = smallOptions();
  EXPECT_EQ(voraxRecordBytes(a), voraxRecordBytes(b));
  b.seed = 2;
  EXPECT_NE(voraxRecordBytes(a), voraxRecordBytes(b));
}

TEST(SynthRecord, OptionsOutsideWhatTheRecordCanHoldAreRefused) {
  SynthOptions o;
  o.sampleIntervalMs = 3;
  EXPECT_EQ(checkSynthOptions(o), "sample interval must be 0.25, 0.5, 1, 2 or 4 ms");
  o = SynthOptions();
  o.auxTraces = 15;
  EXPECT_EQ(checkSynthOptions(o), "auxiliary trace count must be from 0 to 14");
  o = SynthOptions();
  o.seismicTraces = 9990;
  o.auxTraces = 10;
  EXPECT_EQ(checkSynthOptions(o), "at most 9999 traces in all");
  o = SynthOptions();
  o.spread.originEast = -5;
  EXPECT_EQ(checkSynthOptions(o), "receiver coordinates do not fit the record");
  EXPECT_EQ(checkSynthOptions(SynthOptions()), "");
}

TEST(SynthRecord, OtherIntervalsAndNoAuxiliaryTraces) {
  SynthOptions o = smallOptions();
  o.sampleIntervalMs = 0.25;
  o.auxTraces = 0;
  o.seismicTraces = 10;
  o.receiverLines = 3;  // 4, 4 and 2 receivers
  OpenedSynth s;
  openSynth(o, s);
  ASSERT_TRUE(s.result.ok());
  EXPECT_EQ(s.record.summary.sampleIntervalUs, 250.0f);
  EXPECT_EQ(s.result.headers.channelSets.size(), 1u);
  EXPECT_EQ(s.record.traceInfo[9].receiverLine, 1003.0f);
  EXPECT_EQ(s.record.traceInfo[10].receiverPoint, 2002.0f);
  EXPECT_DOUBLE_EQ(s.record.summary.sourceX, 512000 + 3 * 25 / 2.0);
  EXPECT_DOUBLE_EQ(s.record.summary.sourceY, 6234000 + 200.0);
}

// What the headers declare (trace counts, channel sets, auxiliary channel codes) is what the
// traces are: the record reads back with as many auxiliary traces as were written, after the
// seismic ones.
TEST(SynthRecord, HeadersDeclareTheAuxiliaryTracesItWrites) {
  for (int aux : {0, 1, 2, 5}) {
    SynthOptions o = smallOptions();
    o.seismicTraces = 12;
    o.auxTraces = aux;
    OpenedSynth s;
    openSynth(o, s);
    ASSERT_TRUE(s.result.ok()) << aux;
    const RecordSummary& r = s.record.summary;
    EXPECT_EQ(r.traceCount, 12 + aux);
    EXPECT_EQ(r.auxTraceCount, aux);
    EXPECT_EQ(r.seismicTraceCount, 12);
    ASSERT_EQ(s.record.loadedTraceCount(), 12 + aux);
    for (int t = 1; t <= 12 + aux; ++t)
      EXPECT_EQ(s.record.traceInfo[static_cast<std::size_t>(t)].channelKind.trimmed(),
                t <= 12 ? "Seis" : "Aux")
          << "aux " << aux << " trace " << t;
    int codes = 0;
    for (const auto& text : s.result.headers.extended.auxChannelTexts)
      codes += text.trimmed() != "Unknown";
    EXPECT_EQ(codes, aux);
  }
}

TEST(SynthFile, WrittenAtomically) {
  test::TempDir dir;
  const auto target = dir / "shot.segd";
  test::writeFileBytes(target, {1, 2, 3});
  SynthOptions o = smallOptions();
  o.seismicTraces = 4;
  EXPECT_EQ(writeSyntheticRecord(target, o), "");
  EXPECT_EQ(test::readFileBytes(target), voraxRecordBytes(o));
  EXPECT_FALSE(std::filesystem::exists(dir / "shot.segd.tmp"));

  const auto nowhere = dir / "missing-folder" / "shot.segd";
  const std::string error = writeSyntheticRecord(nowhere, o);
  EXPECT_EQ(error.rfind("Cannot write " + nowhere.string() + ": ", 0), 0u) << error;
  EXPECT_FALSE(std::filesystem::exists(nowhere));

  o.samplesPerTrace = 0;
  EXPECT_EQ(writeSyntheticRecord(target, o), "samples per trace must be from 1 to 999999");
  // 4 seismic + 2 auxiliary traces: the earlier record is still there.
  EXPECT_EQ(test::readFileBytes(target).size(), 96 + 64 + 64 + 32 * 5 + 6 * (52 + 4 * 101u));
}

}  // namespace
}  // namespace vorax::decode::synth
