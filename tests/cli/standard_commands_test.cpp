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

// The values ObsPy's tests and PH5's dump give for these files.
TEST(StandardCommands, NodalFieldsPerTraceAndInTheSummary) {
  VORAX_REQUIRE_REAL_FILE(fairfield, "obspy_three_chans_six_traces.fcnt");
  const test::CliResult ff = runCli({"traces", "--json", fairfield.string()});
  ASSERT_EQ(ff.exitCode, 0) << ff.err;
  const nlohmann::json traces = parsed(ff)["traces"];
  ASSERT_EQ(traces.size(), 6u);
  EXPECT_EQ(traces[0]["sensor_kind"], "Geoph H1");
  EXPECT_EQ(traces[2]["sensor_kind"], "Geoph H2");
  EXPECT_EQ(traces[4]["sensor_kind"], "Geoph Z");
  EXPECT_EQ(traces[0]["receiver_x"], 469565.2);
  EXPECT_EQ(traces[0]["receiver_y"], 5280709.7);
  EXPECT_EQ(traces[0]["start_time_utc"], "2017-08-09T16:00:00.380000Z");
  EXPECT_EQ(traces[5]["start_time_utc"], "2017-08-09T16:00:30.380000Z");
  EXPECT_FALSE(traces[0].contains("latitude"));
  const nlohmann::json ffInfo = parsed(runCli({"info", "--json", fairfield.string()}));
  for (const auto& cs : ffInfo["standard"]["channel_sets"]) EXPECT_EQ(cs["samples"], 15000);
  EXPECT_FALSE(ffInfo["record"].contains("latitude"));

  VORAX_REQUIRE_REAL_FILE(one, "obspy_one_channel_many_traces.fcnt");
  const nlohmann::json oneInfo = parsed(runCli({"info", "--json", one.string()}));
  EXPECT_EQ(oneInfo["standard"]["channel_sets"][0]["samples"], 500);

  VORAX_REQUIRE_REAL_FILE(solo, "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd");
  const nlohmann::json soloTraces = parsed(runCli({"traces", "--json", solo.string()}))["traces"];
  ASSERT_EQ(soloTraces.size(), 359u);
  for (const auto& t : soloTraces) EXPECT_EQ(t["unit_serial_number"], 453005513);
  EXPECT_DOUBLE_EQ(soloTraces[0]["latitude"].get<double>(), 19 + 27580 / 65536.0);
  EXPECT_DOUBLE_EQ(soloTraces[0]["longitude"].get<double>(), -155 - 19083 / 65536.0);
  EXPECT_EQ(soloTraces[0]["start_time_utc"], "2021-05-08T20:06:00.000000Z");
  const nlohmann::json soloInfo = parsed(runCli({"info", "--json", solo.string()}));
  EXPECT_DOUBLE_EQ(soloInfo["record"]["latitude"].get<double>(), 19 + 27580 / 65536.0);
  EXPECT_DOUBLE_EQ(soloInfo["record"]["longitude"].get<double>(), -155 - 19083 / 65536.0);
  EXPECT_EQ(soloInfo["standard"]["channel_sets"][0]["samples"], 251);
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
