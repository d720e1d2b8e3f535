#include "qc/record_qc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "decode/record_opener.h"
#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"
#include "qc_records.h"

namespace vorax::qc {
namespace {

using decode::synth::SynthOptions;
using Traces = std::vector<std::int32_t>;

TEST(RecordQc, FindsExactlyThePlantedTraces) {
  const PlantedRecord planted = plantedFaultRecord();
  const RecordQc qc = checkRecord(loadRecord(planted.bytes));
  EXPECT_EQ(qc.deadTraces, planted.dead);
  EXPECT_EQ(qc.reversedTraces, planted.reversed);
  EXPECT_EQ(qc.noisyTraces, planted.noisy);
  EXPECT_EQ(qc.spikeTraces, planted.spike);
  EXPECT_EQ(qc.traceCount, 98);
  EXPECT_FALSE(qc.testValueErrors.has_value());  // a VORAX record holds no test values
  EXPECT_FALSE(qc.passed());
  // The median trace RMS of the samples as written, worked out here in double precision.
  EXPECT_NEAR(qc.rmsMedian, planted.rmsMedian, 1e-6 * planted.rmsMedian);

  EXPECT_EQ(qc.fileNumber, 7);
  EXPECT_EQ(qc.date, "2024-05-09");
  EXPECT_EQ(qc.time, "10:42:17");
  EXPECT_EQ(qc.sourceLine, 3001);
  EXPECT_EQ(qc.sourcePoint, 1041.5);
  // Every flagged trace once, where the spread puts it.
  Traces flagged;
  for (const FlaggedReceiver& r : qc.flaggedReceivers) {
    flagged.push_back(r.trace);
    const decode::synth::Receiver at =
        decode::synth::receiverAt(decode::synth::spreadOf(planted.options), r.trace - 1);
    EXPECT_EQ(r.line, at.line);
    EXPECT_EQ(r.point, at.point);
  }
  Traces all;
  for (const Traces* list : {&planted.dead, &planted.reversed, &planted.noisy, &planted.spike})
    all.insert(all.end(), list->begin(), list->end());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(flagged, all);
}

TEST(RecordQc, RecordReadInPartKeepsItsVerdictsAndFails) {
  const PlantedRecord planted = plantedFaultRecord();
  // Cut inside trace 61's data: the reader keeps the 60 whole traces before it.
  std::vector<std::uint8_t> cut = planted.bytes;
  cut.resize(cut.size() * 61 / 98 - 100);
  const decode::SegdRecord record = loadRecord(cut);
  ASSERT_GT(record.loadedTraceCount(), 20);
  ASSERT_LT(record.loadedTraceCount(), 64);
  const RecordQc qc = checkRecord(record);
  EXPECT_EQ(qc.traceCount, record.loadedTraceCount());
  EXPECT_EQ(qc.error,
            "only " + std::to_string(record.loadedTraceCount()) + " of 98 traces could be read");
  EXPECT_EQ(qc.deadTraces, (Traces{32, 50}));
  EXPECT_EQ(qc.reversedTraces, Traces{20});
  EXPECT_EQ(qc.noisyTraces, Traces{10});
  EXPECT_TRUE(qc.readable());
  EXPECT_FALSE(qc.passed());
}

TEST(RecordQc, CleanRecordPasses) {
  SynthOptions o = coherentSpread();
  o.deadTrace = 0;
  o.reversedTrace = 0;
  const RecordQc qc = checkRecord(loadRecord(decode::synth::voraxRecordBytes(o)));
  EXPECT_TRUE(qc.passed());
  EXPECT_TRUE(qc.flaggedReceivers.empty());
}

TEST(RecordQc, ReversedTraceAmongDisagreeingNeighboursIsNotJudged) {
  // At 25 m between receivers the ground roll moves out by some 70 ms from trace to trace:
  // neighbours do not look alike within the lags, so no polarity is called, right or wrong.
  SynthOptions o;  // the writer's own spread, dead trace 32 and reversed trace 64
  const RecordQc qc = checkRecord(loadRecord(decode::synth::voraxRecordBytes(o)));
  EXPECT_EQ(qc.deadTraces, Traces{32});
  EXPECT_TRUE(qc.reversedTraces.empty());
}

TEST(RecordQc, SercelTestValueErrorsCountedPerKind) {
  decode::synth::SercelSynthOptions o;
  o.tiltErrorTraces = 5;
  const RecordQc qc = checkRecord(loadRecord(decode::synth::sercelRecordBytes(o)));
  TestValueErrors expected;
  for (int s = 1; s <= o.seismicTraces; ++s) {
    const decode::synth::ReceiverTest t = decode::synth::receiverTestFor(o, s);
    expected.resistance += t.resistanceError != 0;
    expected.capacitance += t.capacitanceError != 0;
    expected.tilt += t.tiltError != 0;
    expected.leakage += t.leakageError != 0;
  }
  ASSERT_TRUE(qc.testValueErrors.has_value());
  EXPECT_EQ(*qc.testValueErrors, expected);
  EXPECT_GE(expected.tilt, 5);
  EXPECT_FALSE(qc.passed());
  // Auxiliary traces come first in a Sercel record and are not judged.
  for (const FlaggedReceiver& r : qc.flaggedReceivers) EXPECT_GT(r.trace, o.auxTraces);
}

TEST(RecordQc, DegenerateRecords) {
  decode::SegdRecord empty;
  const RecordQc none = checkRecord(empty);
  EXPECT_EQ(none.traceCount, 0);
  EXPECT_TRUE(none.passed());

  // All traces zero: each is dead (every sample zero), the median RMS is 0.
  SynthOptions o;
  o.seismicTraces = 6;
  o.traceSource = [&](int) { return std::vector<float>(1001, 0.0f); };
  const RecordQc zeros = checkRecord(loadRecord(decode::synth::voraxRecordBytes(o)));
  EXPECT_EQ(zeros.deadTraces, (Traces{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(zeros.rmsMedian, 0);

  // A sample that is not a number makes a spike; a trace of nothing else is dead.
  SynthOptions n = coherentSpread(12);
  n.deadTrace = 0;
  n.reversedTrace = 0;
  n.traceSource = [base = n](int t) {
    std::vector<float> v = decode::synth::synthTraceSamples(base, t);
    if (t == 3) v[100] = std::numeric_limits<float>::quiet_NaN();
    if (t == 9) std::fill(v.begin(), v.end(), std::numeric_limits<float>::quiet_NaN());
    return v;
  };
  decode::SegdRecord record = loadRecord(decode::synth::voraxRecordBytes(n));
  // The reader keeps what the file holds; plant again in memory in case it cleaned them.
  record.samples.at(3, 100) = std::numeric_limits<float>::quiet_NaN();
  for (float& v : record.samples.trace(9)) v = std::numeric_limits<float>::quiet_NaN();
  const RecordQc nan = checkRecord(record);
  EXPECT_EQ(nan.spikeTraces, Traces{3});
  EXPECT_EQ(nan.deadTraces, Traces{9});
}

}  // namespace
}  // namespace vorax::qc
