// Sum and difference of records: the arithmetic on records made by hand, the checks and the
// whole run on synthetic files.
#include "tools/record_sum.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/debug_log.h"
#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"
#include "test_support.h"

namespace vorax::tools {
namespace {

using Trace = std::vector<float>;  // samples 0..3, the last always 0

// Trace 1 seismic, trace 2 auxiliary.
decode::SegdRecord handRecord(const Trace& seis, const Trace& aux, float divisor, float seisScale,
                              float auxScale) {
  decode::SegdRecord r;
  r.samples.reset(2, 3);
  r.traceInfo.resize(3);
  r.traceDivisor = {1, divisor, divisor};
  for (auto [t, values, kind, scale] :
       {std::tuple{1, &seis, "Seis", seisScale}, std::tuple{2, &aux, "Aux", auxScale}}) {
    std::copy(values->begin(), values->end(), r.samples.trace(t).begin());
    r.traceInfo[static_cast<std::size_t>(t)].channelKind = kind;
    r.traceInfo[static_cast<std::size_t>(t)].amplitudeScale = scale;
  }
  return r;
}

// The first record's traces are stored divided by `firstDivisor`; the second record's seismic
// scale is 4. Unless a row says otherwise, the traces are these.
struct CombineCase {
  const char* name;
  SumDiffOperation operation = SumDiffOperation::Difference;
  bool normalise = false;
  Trace firstSeis = {1, 2, -3, 0}, firstAux = {0.5, 0, 0, 0};
  float firstDivisor = 1;  // stored x divisor = recorded
  Trace secondSeis = {2, -1, 1, 0}, secondAux = {1, 1, -1, 0};
  float auxScale = 2;  // of the second record
  Trace seis, aux;     // worked out by hand
};

class Combine : public ::testing::TestWithParam<CombineCase> {};

TEST_P(Combine, GivesTheHandWorkedTraces) {
  const CombineCase& c = GetParam();
  const decode::SegdRecord first = handRecord(c.firstSeis, c.firstAux, c.firstDivisor, 1, 1);
  decode::SegdRecord second = handRecord(c.secondSeis, c.secondAux, 1, 4, c.auxScale);
  combineRecords(first, second, {c.operation, c.normalise});
  for (auto [t, expected] : {std::pair{1, &c.seis}, std::pair{2, &c.aux}}) {
    for (std::size_t j = 0; j < 4; ++j)
      EXPECT_FLOAT_EQ(second.samples.trace(t)[j], (*expected)[j])
          << "trace " << t << " sample " << j;
  }
  // Stored times divisor is the recorded sum or difference (unless a zero scale kept trace 2).
  EXPECT_FLOAT_EQ(second.samples.at(1, 1) * second.divisorOf(1),
                  c.operation == SumDiffOperation::Sum
                      ? c.secondSeis[1] + c.firstSeis[1] * c.firstDivisor
                      : c.firstSeis[1] * c.firstDivisor - c.secondSeis[1]);
}

using enum SumDiffOperation;
INSTANTIATE_TEST_SUITE_P(
    Cases, Combine,
    ::testing::Values(
        // Seismic / P = 4, auxiliary / its own scale 2.
        CombineCase{
            .name = "Difference", .seis = {-0.25, 0.75, -1, 0}, .aux = {-0.25, -0.5, 0.5, 0}},
        CombineCase{.name = "Sum",
                    .operation = Sum,
                    .seis = {0.75, 0.25, -0.5, 0},
                    .aux = {0.75, 0.5, -0.5, 0}},
        // Records normalised on loading (divisor 2) are combined at recorded amplitude.
        CombineCase{.name = "NormalisedOnLoading",
                    .firstSeis = {0.5, 1, -1.5, 0},
                    .firstAux = {0.25, 0, 0, 0},
                    .firstDivisor = 2,
                    .seis = {-0.25, 0.75, -1, 0},
                    .aux = {-0.25, -0.5, 0.5, 0}},
        // Each trace over its largest magnitude; an all-negative trace keeps its sign.
        CombineCase{.name = "NormaliseToPeak",
                    .operation = Sum,
                    .normalise = true,
                    .firstAux = {-1, -2, -1, 0},
                    .secondSeis = {2, -1, -5, 0},
                    .secondAux = {0, 0, 0, 0},
                    .seis = {0.375, 0.125, -1, 0},
                    .aux = {-0.5, -1, -0.5, 0}},
        CombineCase{.name = "NormaliseZeroTrace",
                    .normalise = true,
                    .firstAux = {1, 1, 0, 0},
                    .secondAux = {1, 1, 0, 0},
                    .seis = {-0.25, 0.75, -1, 0},
                    .aux = {0, 0, 0, 0}},
        // An auxiliary trace of scale 0 keeps the second record's samples.
        CombineCase{.name = "AuxScaleZero",
                    .firstAux = {5, 5, 5, 0},
                    .secondAux = {1, 2, 3, 0},
                    .auxScale = 0,
                    .seis = {-0.25, 0.75, -1, 0},
                    .aux = {1, 2, 3, 0}}),
    [](const auto& info) { return info.param.name; });

class SumDiffFiles : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    test::writeFileBytes(dir / name, bytes);
    return (dir / name).string();
  }
  SumDiffOutcome run(const std::string& a, const std::string& b, SumDiffOptions options = {}) {
    return sumDifference(a, b, options, result, messages, base::DebugLog{});
  }
  test::TempDir dir;
  decode::SegdRecord result;
  decode::CollectingMessages messages;
};

TEST_F(SumDiffFiles, DifferenceOfARecordWithItselfIsAllZeros) {
  decode::synth::SercelSynthOptions sercel;
  sercel.seismicTraces = 10;
  const std::string files[] = {write("sercel.segd", decode::synth::sercelRecordBytes(sercel)),
                               write("vorax.segd", decode::synth::voraxRecordBytes({}))};
  for (const std::string& file : files) {
    for (bool normalise : {false, true}) {
      ASSERT_TRUE(run(file, file, {SumDiffOperation::Difference, normalise}).ok) << file;
      ASSERT_GT(result.loadedTraceCount(), 10);
      for (std::int32_t t = 1; t <= result.loadedTraceCount(); ++t) {
        for (float v : result.samples.trace(t)) ASSERT_EQ(v, 0.0f) << file << " trace " << t;
      }
    }
  }
}

TEST_F(SumDiffFiles, ChecksComeInTheirOrder) {
  auto record = [](int seismic, int aux, double intervalMs, int samples) {
    decode::synth::SercelSynthOptions o;
    o.seismicTraces = seismic;
    o.auxTraces = aux;
    o.sampleIntervalMs = intervalMs;
    o.samplesPerTrace = samples;
    return decode::synth::sercelRecordBytes(o);
  };
  const std::string base = write("base", record(10, 2, 2, 101));
  std::vector<std::uint8_t> auxOff = record(10, 2, 2, 101);
  auxOff[160 + 15] = 3;  // extended header bytes 13-16: auxiliary traces 3, total still 12
  struct Check {
    std::string first, second, message;
    bool untitled = false;
  };
  const Check checks[] = {
      {base, " ", kSelectTwoFilesMessage},
      {base, write("traces+rate", record(11, 2, 1, 101)), kTraceCountMismatch},
      {base, write("seis", record(11, 1, 2, 101)), kSeisCountMismatch},
      {base, write("aux", auxOff), kAuxCountMismatch},
      {base, write("rate+samples", record(10, 2, 1, 201)), kSampleRateMismatch},
      {base, write("samples", record(10, 2, 2, 201)), kSampleCountMismatch},
  };
  for (const Check& c : checks) {
    const SumDiffOutcome o = run(c.first, c.second);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message, c.message) << c.second;
  }
  const SumDiffOutcome none = run(base, base, {SumDiffOperation::None, false});
  EXPECT_EQ(none.message, kNoOperationMessage);
  EXPECT_TRUE(none.untitled);
}

TEST_F(SumDiffFiles, TheResultIsTitledAfterBothFiles) {
  const std::string a = write("A.sgd", decode::synth::voraxRecordBytes({}));
  const std::string b = write("B.sgd", decode::synth::voraxRecordBytes({}));
  ASSERT_TRUE(run(a, b, {SumDiffOperation::Difference, false}).ok);
  EXPECT_EQ(result.fileName, "A.sgd \u2212 B.sgd");
  ASSERT_TRUE(run(a, b, {SumDiffOperation::Sum, false}).ok);
  EXPECT_EQ(result.fileName, "A.sgd + B.sgd");
}

}  // namespace
}  // namespace vorax::tools
