// SEG-2 files through vorax traces / info, as a user runs them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/seg2/seg2_file_builder.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;
using test::Seg2FileBuilder;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

// The "samples" member of one trace as `vorax traces --json --samples` prints it.
std::string samplesJson(const std::vector<std::string>& values) {
  std::string out = "\"samples\": [\n";
  for (std::size_t i = 0; i < values.size(); ++i)
    out += "        " + values[i] + (i + 1 < values.size() ? ",\n" : "\n      ]");
  return out;
}

// Five traces, one per data format, samples chosen so that every normalised value is exact.
std::vector<std::uint8_t> fiveTraceFile(bool pc) {
  Seg2FileBuilder b(pc);
  b.fileString("ACQUISITION_DATE 11/APR/2017");
  b.fileString("ACQUISITION_TIME 9:08:46");
  auto& t1 = b.trace(1);
  b.int16s(t1, {100, -400, 200});
  t1.strings = {"CHANNEL_NUMBER 101", "SAMPLE_INTERVAL 0.00025", "RECEIVER_LOCATION 10.5 -20.25 3"};
  auto& t2 = b.trace(3);
  b.packedGroup(t2, 0x0210, 4096, -2049, 1024,
                8192);  // exponents 0, 1, 2, 0; -2049 is one's complement -2048
  t2.strings = {"CHANNEL_NUMBER 102", "SAMPLE_INTERVAL 0.00025"};
  auto& t3 = b.trace(5);
  b.doubles(t3, {-8.0, 2.0, 4.0, 1.0, 0.5});
  t3.strings = {"CHANNEL_NUMBER 103", "SAMPLE_INTERVAL 0.00025"};
  auto& t4 = b.trace(2);
  b.int32s(t4, {-3, 6});
  t4.strings = {"CHANNEL_NUMBER 104", "SAMPLE_INTERVAL 0.00025"};
  auto& t5 = b.trace(4);
  b.singles(t5, {0.75f, -3.0f});
  t5.strings = {"CHANNEL_NUMBER 105", "SAMPLE_INTERVAL 0.00025", "TRACE_TYPE UPHOLE"};
  return b.build();
}

class Seg2Commands : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { test::writeFileBytes(file, fiveTraceFile(GetParam())); }
  test::TempDir dir;
  std::filesystem::path file = dir / "shot.sg2";
};

TEST_P(Seg2Commands, TracesJsonHoldsEverySampleAndAttribute) {
  const test::CliResult r = runCli({"traces", "--json", file.string(), "--samples"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(count(r.out, "\"trace\": "), 5u);
  EXPECT_TRUE(contains(r.out, samplesJson({"0.25", "-1", "0.5", "0", "0", "0"}))) << r.out;
  EXPECT_TRUE(contains(r.out, samplesJson({"0.5", "-0.5", "0.5", "1", "0", "0"})));
  EXPECT_TRUE(contains(r.out, samplesJson({"-1", "0.25", "0.5", "0.125", "0.0625", "0"})));
  EXPECT_TRUE(contains(r.out, samplesJson({"-0.5", "1", "0", "0", "0", "0"})));
  EXPECT_TRUE(contains(r.out, samplesJson({"0.25", "-1", "0", "0", "0", "0"})));
  EXPECT_TRUE(contains(r.out, R"("trace": 1,
      "receiver_line": 0,
      "receiver_point": 0,
      "receiver_x": 10.5,
      "receiver_y": -20.25,
      "receiver_z": 3,
      "channel_kind": "Seis",)"));
  EXPECT_TRUE(contains(r.out, R"("trace": 5,
      "receiver_line": 0,
      "receiver_point": 0,
      "receiver_x": 0,
      "receiver_y": 0,
      "receiver_z": 0,
      "channel_kind": "Aux",)"));
  for (int c = 101; c <= 105; ++c)
    EXPECT_TRUE(contains(r.out, "\"channel_number\": " + std::to_string(c) + ",")) << c;
  for (const char* scale : {"400", "8192", "8", "6", "3"})
    EXPECT_TRUE(contains(r.out, "\"amplitude_scale\": " + std::string(scale) + ",")) << scale;
}

TEST_P(Seg2Commands, InfoJsonGivesSummaryAndSeg2Headers) {
  const test::CliResult r = runCli({"info", "--json", file.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(contains(r.out, R"("record_date": "2017-04-11",
    "record_time": "09:08:46",)"))
      << r.out;
  EXPECT_TRUE(contains(r.out, R"("sample_interval_us": 250,
    "samples_per_trace": 5,)"));
  EXPECT_TRUE(contains(r.out, R"("trace_count": 5,
    "aux_trace_count": 1,
    "seismic_trace_count": 4,)"));
  EXPECT_TRUE(contains(r.out, "\"record_length_ms\": 1,\n    \"start_time_ms\": 0\n"));
  EXPECT_TRUE(
      contains(r.out, std::string("\"identifier\": \"") + (GetParam() ? "553A" : "3A55") + "\""));
  EXPECT_TRUE(
      contains(r.out, std::string("\"machine\": \"") + (GetParam() ? "PC" : "UNIX") + "\""));
  EXPECT_TRUE(contains(r.out, "\"acquisition_date\": \"11/APR/2017\""));
  EXPECT_TRUE(contains(r.out, "\"data_format_text\": \"20 Bit Floating Point\""));
  EXPECT_TRUE(contains(r.out, "\"receiver_location_y\": \"-20.25\""));
  EXPECT_TRUE(contains(r.out, "\"CHANNEL_NUMBER 105\""));
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, Seg2Commands, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "PcOrder" : "UnixOrder"; });

TEST(Seg2CommandsHostile, NoReadableTraceIsAFatalResult) {
  Seg2FileBuilder b(true);
  b.trace(9).data = {0, 0};
  test::TempDir dir;
  test::writeFileBytes(dir / "bad.sg2", b.build());
  const test::CliResult r = runCli({"traces", "--json", (dir / "bad.sg2").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(contains(r.err, "Unknown Data Block Numeric Format - 9")) << r.err;
  EXPECT_TRUE(contains(r.err, "No readable trace in this SEG-2 file"));
}

struct RealSeg2 {
  const char* name;
  int traces;
  const char* samples;
  const char* intervalUs;
  const char* startMs;
};

TEST(Seg2CommandsRealFiles, OpenCompletelyFromTheirStartTimes) {
  const RealSeg2 files[] = {
      // The start times are the files' DELAY strings (SOURCES.md): -0.010 s and -0.050 s.
      {"obspy_20180307_031245000.0.seg2", 1, "2048", "125", "-10"},
      {"obspy_20130107_103041000.CET.3c.cont.0.seg2", 3, "2000", "1000", "0"},
      {"SeisUnix_329.dat", 3, "4096", "62.5", "0"},
      {"PH5_15001.dat", 60, "4000", "500", "-50"},
  };
  for (const RealSeg2& f : files) {
    const auto path = test::realDataFile(f.name);
    if (path.empty()) GTEST_SKIP() << f.name << " absent";
    const test::CliResult traces = runCli({"traces", "--json", path.string()});
    ASSERT_EQ(traces.exitCode, 0) << f.name << traces.err;
    EXPECT_EQ(traces.err, "") << f.name;
    EXPECT_EQ(count(traces.out, "\"trace\": "), static_cast<std::size_t>(f.traces)) << f.name;
    const test::CliResult info = runCli({"info", "--json", path.string()});
    ASSERT_EQ(info.exitCode, 0) << f.name;
    EXPECT_TRUE(contains(info.out, "\"samples_per_trace\": " + std::string(f.samples) + ","))
        << f.name;
    EXPECT_TRUE(contains(info.out, "\"sample_interval_us\": " + std::string(f.intervalUs) + ","))
        << f.name;
    EXPECT_TRUE(contains(info.out, "\"trace_count\": " + std::to_string(f.traces) + ",")) << f.name;
    EXPECT_TRUE(contains(info.out, "\"start_time_ms\": " + std::string(f.startMs) + "\n"))
        << f.name;
  }
}

}  // namespace
}  // namespace vorax::cli
