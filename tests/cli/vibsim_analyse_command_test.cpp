// vorax vibsim-analyse on a SEG-2 record of sweeps, run as a user would.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "decode/seg2/seg2_file_builder.h"
#include "sweep_fixture.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;
using test::Sweep;

class VibsimAnalyseCommand : public ::testing::Test {
 protected:
  // Traces: 1 pilot, 2 the pilot 100 microseconds late, 3 with a 10 % second harmonic.
  void SetUp() override {
    Sweep late, distorted;
    late.delayS = 100e-6;
    distorted.secondHarmonic = 0.1;
    test::Seg2FileBuilder b(true);
    int channel = 1;
    for (const Sweep& s : {Sweep{}, late, distorted}) {
      auto& t = b.trace(4);
      b.singles(t, s.samples(0.0005, 24000));
      t.strings = {"CHANNEL_NUMBER " + std::to_string(channel++), "SAMPLE_INTERVAL 0.0005"};
    }
    test::writeFileBytes(file, b.build());
  }
  test::TempDir dir;
  std::filesystem::path file = dir / "vib.sg2";
};

TEST_F(VibsimAnalyseCommand, JsonHoldsEveryNumber) {
  const test::CliResult r =
      runCli({"vibsim-analyse", file.string(), "--pilot", "1", "--signal", "2", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_NEAR(j["start_time_error_us"].get<double>(), 100, 5);
  ASSERT_GT(j["phase_error"].size(), 1100u);
  const auto& p = j["phase_error"][600];
  EXPECT_EQ(p["time_ms"], 6000);
  EXPECT_NEAR(p["degrees"].get<double>(), 360 * 44 * 100e-6, 1);
  EXPECT_NEAR(j["frequency"][600]["hz"].get<double>(), 44, 0.1);
  EXPECT_LT(j["distortion"][600]["percent"].get<double>(), 1);
  EXPECT_EQ(j["xcorr"]["peak_lag_ms"], 0);  // 100 microseconds is under one sample
  EXPECT_GT(j["xcorr"]["peak_value"].get<double>(), 0.9);
  EXPECT_GT(j["spectrum_peak_hz"].get<double>(), 8);
  EXPECT_LT(j["spectrum_peak_hz"].get<double>(), 80);

  const test::CliResult d = runCli({"vibsim-analyse", file.string(), "--pilot", "1", "--signal",
                                    "3", "--json", "--truncate-ms", "6000"});
  ASSERT_EQ(d.exitCode, 0) << d.err;
  const nlohmann::json dj = nlohmann::json::parse(d.out);
  EXPECT_EQ(dj["distortion"].size(), 601u);
  EXPECT_NEAR(dj["distortion"][300]["percent"].get<double>(), 10, 1);
}

TEST_F(VibsimAnalyseCommand, TraceOutOfRangeExits2) {
  for (const char* bad : {"0", "4"}) {
    const test::CliResult r =
        runCli({"vibsim-analyse", file.string(), "--pilot", "1", "--signal", bad});
    EXPECT_EQ(r.exitCode, 2) << bad;
    EXPECT_NE(
        r.err.find("--signal " + std::string(bad) + " is not a trace of the record (it has 3)"),
        std::string::npos)
        << r.err;
  }
  EXPECT_EQ(
      runCli({"vibsim-analyse", file.string(), "--pilot", "1", "--signal", "2", "--signal2", "9"})
          .exitCode,
      2);
  EXPECT_EQ(runCli({"vibsim-analyse", file.string(), "--signal", "2"}).exitCode, 2);
  const test::CliResult text =
      runCli({"vibsim-analyse", file.string(), "--pilot", "1", "--signal", "2", "--signal2", "3"});
  EXPECT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("start time error"), std::string::npos);
}

}  // namespace
}  // namespace vorax::cli
