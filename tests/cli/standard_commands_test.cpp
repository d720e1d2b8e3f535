// Nodal records through vorax info / traces, and the per-trace divisor, as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

nlohmann::json parsed(const test::CliResult& r) {
  return nlohmann::json::parse(r.out);
}

TEST(StandardCommands, InfoOnANodalRecordShowsTheLayoutAndTheDecodersMessages) {
  VORAX_REQUIRE_REAL_FILE(path, "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd");
  const test::CliResult r = runCli({"info", "--json", path.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const nlohmann::json info = parsed(r);
  EXPECT_EQ(info["messages"][0], "The Manufacturer code is not recognised");
  EXPECT_EQ(info["record"]["trace_count"], 359);
  EXPECT_EQ(info["record"]["samples_per_trace"], 251);
  EXPECT_EQ(info["standard"]["revision"], "2.1");
  EXPECT_EQ(info["standard"]["first_trace_offset"], 2656);
  EXPECT_EQ(info["standard"]["channel_sets"].size(), 1u);
  EXPECT_NE(r.err.find("The Manufacturer code is not recognised"), std::string::npos);
}

TEST(StandardCommands, TracesOfAFairfieldRecordWithTheirSamples) {
  VORAX_REQUIRE_REAL_FILE(path, "obspy_one_channel_many_traces.fcnt");
  const test::CliResult r =
      runCli({"traces", "--json", "--samples", "--loader", "standard", path.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const nlohmann::json traces = parsed(r)["traces"];
  ASSERT_EQ(traces.size(), 10u);
  EXPECT_EQ(traces[0]["samples"].size(), 501u);  // 500 samples and the trailing zero
  EXPECT_EQ(traces[0]["receiver_line"], 4);
}

TEST(StandardCommands, Seg2DivisorIsThePeakInTheRecordedUnit) {
  // The recorder's export of this file gives a largest magnitude of 465.672416 after
  // DESCALING_FACTOR.
  VORAX_REQUIRE_REAL_FILE(path, "obspy_20180307_031245000.0.seg2");
  const test::CliResult r = runCli({"traces", "--json", path.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NEAR(parsed(r)["traces"][0]["divisor"].get<double>(), 465.672416, 465.672416 * 1e-6);
}

}  // namespace
}  // namespace vorax::cli
