// vorax spread / fslice / tslice on a synthetic Sercel record, as a user runs them.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>

#include "decode/seg2/seg2_file_builder.h"
#include "decode/synth/sercel_synth.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

namespace synth = decode::synth;

class SpreadCommands : public ::testing::Test {
 protected:
  void SetUp() override { test::writeFileBytes(record, synth::sercelRecordBytes(options)); }
  synth::SercelSynthOptions options;  // 2 auxiliary then 120 seismic traces on 3 lines, 1001 x 2 ms
  test::TempDir dir;
  std::filesystem::path record = dir / "sercel.segd";
};

TEST_F(SpreadCommands, ResistanceMapJsonHasTheBandsEveryLiveTraceAndTheLegend) {
  const test::CliResult r = runCli({"spread", record.string(), "--map", "resistance", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const nlohmann::json map = nlohmann::json::parse(r.out);
  EXPECT_EQ(map["map"], "Resistance");
  // Limits 250-500: 1.4 and 1.8 x 500, 0.6 and 0.2 x 250.
  EXPECT_EQ(map["thresholds"],
            nlohmann::json::parse(R"({"upper_limit": 500, "upper_2": 700, "upper_3": 900,
      "lower_limit": 250, "lower_2": 150, "lower_3": 50})"));
  ASSERT_EQ(map["traces"].size(), 120u);  // the auxiliary traces are not on the spread
  const nlohmann::json& first = map["traces"][0];
  EXPECT_EQ(first["trace"], 3);
  EXPECT_FLOAT_EQ(first["value"].get<float>(), synth::receiverTestFor(options, 1).resistance);
  // Seismic trace 14 of every 20 reads above its high limit, 15 below its low limit.
  for (const nlohmann::json& t : map["traces"]) {
    const float v = t["value"].get<float>();
    std::vector<int> expected;
    if (v >= 250 && v <= 500)
      expected = {0, 255, 0};
    else if (v > 500 && v <= 700)
      expected = {255, 255, 0};
    else if (v >= 150 && v < 250)
      expected = {128, 128, 64};
    if (!expected.empty()) {
      EXPECT_EQ(t["colour"].get<std::vector<int>>(), expected) << t;
    }
  }
  ASSERT_EQ(map["legend"].size(), 7u);
  EXPECT_EQ(map["legend"][0], nlohmann::json::parse(R"({"colour": [255, 0, 0], "text": " >900"})"));
}

TEST_F(SpreadCommands, ErrorsMapColoursEachTraceByItsFlags) {
  const test::CliResult r = runCli({"spread", record.string(), "--map", "Errors", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const nlohmann::json map = nlohmann::json::parse(r.out);
  for (int s = 1; s <= 120; ++s) {
    const synth::ReceiverTest test = synth::receiverTestFor(options, s);
    const int code = 8 * test.resistanceError + 4 * test.capacitanceError + 2 * test.tiltError +
                     test.leakageError;
    const nlohmann::json& t = map["traces"][static_cast<std::size_t>(s - 1)];
    EXPECT_EQ(t["value"], code) << s;
    const std::map<int, std::vector<int>> colours{
        {0, {0, 255, 0}},    {1, {0, 0, 255}},      {2, {255, 0, 255}},
        {4, {0, 0, 0}},      {8, {255, 0, 0}},      {5, {255, 255, 0}},
        {10, {255, 255, 0}}, {12, {255, 255, 255}}, {3, {255, 255, 0}}};
    ASSERT_TRUE(colours.contains(code)) << "seismic trace " << s << " code " << code;
    EXPECT_EQ(t["colour"].get<std::vector<int>>(), colours.at(code)) << s;
  }
  EXPECT_EQ(map["thresholds"]["upper_limit"], nullptr);
  EXPECT_EQ(map["legend"][6]["text"], " Other");
}

TEST_F(SpreadCommands, PictureAtTheAskedSize) {
  const std::filesystem::path out = dir / "map.png";
  const test::CliResult r =
      runCli({"spread", record.string(), "--map", "tilt", "-o", out.string(), "--size", "640x400"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(QImage(QString::fromStdString(out.string())).size(), QSize(640, 400));
}

TEST_F(SpreadCommands, SlicesWriteOnePicturePerFrame) {
  // 1001 samples at 2 ms: N 1024, B 512 at a Nyquist of 250 Hz; 70-80 Hz is bins
  // round(143.36) = 143 to round(163.84) = 164.
  const std::filesystem::path frames = dir / "fs";
  test::CliResult r = runCli({"fslice", record.string(), "--from", "70", "--to", "80",
                              "--trace-peak", "--out-dir", frames.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(frames))
    files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 22u);
  EXPECT_TRUE(std::filesystem::exists(frames / "fslice_143.png"));
  EXPECT_TRUE(std::filesystem::exists(frames / "fslice_164.png"));

  const std::filesystem::path times = dir / "ts";
  r = runCli({"tslice", record.string(), "--start-ms", "100", "--end-ms", "140", "--every", "5",
              "--out-dir", times.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* name : {"tslice_0050.png", "tslice_0055.png", "tslice_0060.png",
                           "tslice_0065.png", "tslice_0070.png"})
    EXPECT_TRUE(std::filesystem::exists(times / name)) << name;
  EXPECT_FALSE(std::filesystem::exists(times / "tslice_0075.png"));
}

TEST_F(SpreadCommands, TimeSliceJsonScalesRecordedSamplesByTheirTracePeak) {
  // The seven-block loader keeps recorded mV; each value is the sample over the largest
  // magnitude of its trace, worked out here from `traces --samples`.
  test::CliResult r = runCli({"traces", "--json", "--samples", record.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const nlohmann::json traces = nlohmann::json::parse(r.out)["traces"];
  r = runCli({"tslice", record.string(), "--start-ms", "100", "--end-ms", "104", "--every", "2",
              "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const nlohmann::json frames = nlohmann::json::parse(r.out)["frames"];
  ASSERT_EQ(frames.size(), 2u);  // samples 50 and 52
  EXPECT_EQ(frames[1]["sample"], 52);
  EXPECT_EQ(frames[1]["time_ms"], 104);
  bool sawLargeValue = false;
  for (const nlohmann::json& frame : frames) {
    ASSERT_EQ(frame["traces"].size(), 120u);
    for (const nlohmann::json& box : frame["traces"]) {
      const nlohmann::json& trace = traces[box["trace"].get<std::size_t>() - 1];
      const std::vector<double> samples = trace["samples"].get<std::vector<double>>();
      double peak = 0;
      for (double x : samples) peak = std::max(peak, std::fabs(x));
      const double expected = samples[frame["sample"].get<std::size_t>()] / peak;
      const double value = box["value"].get<double>();
      ASSERT_NEAR(value, expected, 1e-6) << box;
      EXPECT_EQ(box["line"], trace["receiver_line"]);
      EXPECT_EQ(box["point"], trace["receiver_point"]);
      // Hue 100 (1 + value): below 60 (sector 0) red at full, from 60 to 180 green at full.
      const std::vector<int> rgb = box["colour"].get<std::vector<int>>();
      if (value < -0.4) {
        EXPECT_EQ(rgb[0], 255) << box;
      } else if (value < 0.8) {
        EXPECT_EQ(rgb[1], 255) << box;
      }
      sawLargeValue = sawLargeValue || std::fabs(value) > 0.2;
    }
  }
  EXPECT_TRUE(sawLargeValue);
  EXPECT_EQ(runCli({"tslice", record.string()}).exitCode, 2);  // neither --json nor --out-dir
}

TEST_F(SpreadCommands, ARecordWithoutReceiverTestsHasNoMapButItsSlices) {
  options.receiverTests = false;
  test::writeFileBytes(record, synth::sercelRecordBytes(options));
  for (const char* map : {"errors", "resistance"}) {
    const test::CliResult r = runCli({"spread", record.string(), "--map", map, "--json"});
    EXPECT_EQ(r.exitCode, 2) << map;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "vorax spread: This record holds no receiver test values\n");
  }
  EXPECT_EQ(runCli({"tslice", record.string(), "--end-ms", "0", "--json"}).exitCode, 0);
}

// The record runs 0 to 2000 ms (1001 samples at 2 ms) and 0 to 250 Hz.
TEST_F(SpreadCommands, RangesOutsideTheRecordOrEmptyAreRefusedBeforeAnyPicture) {
  const std::filesystem::path frames = dir / "frames";
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"fslice", "--from", "nan"}, "fslice: --from needs a finite number of Hz, not nan"},
      {{"fslice", "--to", "inf"}, "fslice: --to needs a finite number of Hz, not inf"},
      {{"fslice", "--from", "1e9", "--to", "2e9"},
       "fslice: --from 1e+09 Hz lies outside the record's 0 to 250 Hz"},
      {{"fslice", "--to", "250.5"}, "fslice: --to 250.5 Hz lies outside the record's 0 to 250 Hz"},
      {{"fslice", "--from", "50", "--to", "20"}, "fslice: no frequency lies between 50 and 20 Hz"},
      {{"tslice", "--start-ms", "nan"}, "tslice: --start-ms needs a finite number of ms, not nan"},
      {{"tslice", "--start-ms=-1"},
       "tslice: --start-ms -1 ms lies outside the record's 0 to 2000 ms"},
      {{"tslice", "--end-ms", "5000"},
       "tslice: --end-ms 5000 ms lies outside the record's 0 to 2000 ms"},
      {{"tslice", "--start-ms", "140", "--end-ms", "100"},
       "tslice: no sample lies between 140 and 100 ms"},
      {{"tslice", "--start-ms", "100.5", "--end-ms", "101.5"},
       "tslice: no sample lies between 100.5 and 101.5 ms"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{c.args[0], record.string(), "--out-dir", frames.string()};
    args.insert(args.end(), c.args.begin() + 1, c.args.end());
    const test::CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 2) << c.message;
    EXPECT_EQ(r.err, "vorax " + c.message + "\n");
    EXPECT_FALSE(std::filesystem::exists(frames)) << c.message;
  }
}

TEST_F(SpreadCommands, BadRequestsAndRecordsWithoutTestValuesExitTwo) {
  EXPECT_EQ(runCli({"spread", record.string(), "--map", "noise", "--json"}).exitCode, 2);
  EXPECT_EQ(runCli({"spread", record.string(), "--map", "tilt"}).exitCode,
            2);  // neither --json nor -o
  EXPECT_EQ(runCli({"fslice", record.string(), "--trace-peak", "--spread-peak", "--out-dir",
                    dir.path().string()})
                .exitCode,
            2);
  EXPECT_EQ(runCli({"tslice", record.string(), "--every", "0", "--out-dir", dir.path().string()})
                .exitCode,
            2);

  test::Seg2FileBuilder seg2(true);  // SEG-2 traces carry no receiver lines
  auto& trace = seg2.trace(1);
  seg2.int16s(trace, {1, 2, 3});
  const std::filesystem::path plain = dir / "plain.sg2";
  test::writeFileBytes(plain, seg2.build());
  for (const char* command : {"spread", "fslice", "tslice"}) {
    std::vector<std::string> args{command, plain.string()};
    if (std::string(command) == "spread")
      args.insert(args.end(), {"--map", "errors", "--json"});
    else
      args.insert(args.end(), {"--out-dir", (dir / "none").string()});
    const test::CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 2) << command;
    EXPECT_NE(r.err.find("no receiver test values"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace vorax::cli
