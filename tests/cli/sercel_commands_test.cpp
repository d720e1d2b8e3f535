// vorax info / traces / synth on Sercel records, run as a user would.
#include <gtest/gtest.h>

#include "decode/sercel/sercel_handmade_record.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;
using test::SercelHandmadeRecord;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class SercelCommands : public ::testing::Test {
 protected:
  void SetUp() override { test::writeFileBytes(hand, SercelHandmadeRecord().bytes()); }
  test::TempDir dir;
  std::filesystem::path hand = dir / "sercel.segd";
};

TEST_F(SercelCommands, TracesJsonHasEverySevenBlockValueInPlace) {
  const test::CliResult r = runCli({"traces", "--json", hand.string(), "--samples"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(contains(r.out, R"(
    {
      "trace": 3,
      "receiver_line": 1001,
      "receiver_point": 2002,
      "receiver_x": 512025.5,
      "receiver_y": 6234000.25,
      "receiver_z": 99.5,
      "channel_kind": "Seis",
      "sensor_kind": "Geoph",
      "resistance": 612.5,
      "capacitance": 101.25,
      "tilt": 12.5,
      "leakage": 20,
      "resistance_error": 1,
      "capacitance_error": 0,
      "tilt_error": 1,
      "leakage_error": 0,
      "resistance_low_limit": 250,
      "resistance_high_limit": 500,
      "capacitance_low_limit": 80,
      "capacitance_high_limit": 120,
      "tilt_limit": 15,
      "leakage_limit": 1,
      "unit_serial_number": 123456,
      "channel_number": 1,
      "sensor_channel_type_code": 0,
      "control_unit_type": 2,
      "control_unit_serial_number": 7,
      "mv_conversion_factor": 10,
      "trace_maximum": 0,
      "peak_sample_index": 2,
      "interpolation_count": 0,
      "amplitude_scale": 10,
      "divisor": 1,
      "conversion_factor_copy": 10,
      "control_unit_text": "LAUL",
      "filter_text": "0.8FN Minimum Phase",
      "error_colour": 65535,
      "note": "",
      "samples": [
        0.25,
        0.5,
        -0.75,
        0,
        0
      ]
    },
)")) << r.out;
  // Trace 1 auxiliary, grey; trace 2 clean; trace 4 leakage, blue.
  EXPECT_TRUE(contains(r.out, "\"trace\": 1,\n      \"receiver_line\": 0,"));
  EXPECT_TRUE(contains(r.out, "\"channel_kind\": \"Aux\""));
  EXPECT_TRUE(contains(r.out, "\"error_colour\": 12632256,"));  // 0xC0C0C0
  EXPECT_TRUE(contains(r.out, "\"mv_conversion_factor\": 0.00006742,"));
  EXPECT_TRUE(contains(r.out, "\"resistance\": 406.96,"));
  EXPECT_TRUE(contains(r.out, "\"error_colour\": 16711680,"));  // 0xFF0000
  EXPECT_TRUE(contains(r.out, "\"amplitude_scale\": 0.0002697,"));
  EXPECT_TRUE(contains(r.out, R"(  "line_runs": [
    [
      0,
      0,
      1
    ],
    [
      1001,
      2,
      3
    ],
    [
      1002,
      4,
      4
    ]
  ],
  "tilt_error_count": 1,
  "messages": []
}
)")) << r.out;
}

TEST_F(SercelCommands, InfoJsonShowsTheSercelHeaders) {
  const test::CliResult r = runCli({"info", "--json", hand.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "\"first_trace_position\": 5313,"));
  EXPECT_TRUE(contains(r.out, R"(    "trace_count": 4,
    "aux_trace_count": 1,
    "seismic_trace_count": 3,
    "first_receiver_line": 1001,
    "first_receiver_point": 2001,
    "time_break_kind": "ITB",
    "filter": "0.8 Lin",
    "time_break_time": 7,
    "uphole_time": 15,
    "blast_identifier": 3,
)")) << r.out;
  EXPECT_TRUE(contains(r.out, "\"label\": \"LBL 9\","));
  EXPECT_TRUE(contains(r.out, "\"source_x\": 512345.75,"));
  EXPECT_TRUE(contains(r.out, "\"manufacturer_text\": \"Sercel\""));
  EXPECT_TRUE(contains(r.out, "\"instrument_model\": \"SN428 CM428XL\""));
  EXPECT_TRUE(contains(r.out, "\"source_line\": \"3001.2500\","));  // standard block 3
  EXPECT_TRUE(contains(r.out, R"(  "extended": {
    "acquisition_length": "3",
    "sample_rate": "1000",
    "total_traces": "4",
)")) << r.out;
  EXPECT_TRUE(contains(r.out, "\"acquisition_filter_text\": \"0.8 Lin\","));
  EXPECT_TRUE(contains(r.out, "\"text\": \"SHOT 42\""));
}

TEST_F(SercelCommands, LoaderOption) {
  EXPECT_EQ(runCli({"traces", "--json", hand.string(), "--loader", "vorax"}).exitCode, 0);
  const test::CliResult bogus = runCli({"traces", hand.string(), "--loader", "388"});
  EXPECT_EQ(bogus.exitCode, 2);
  EXPECT_TRUE(contains(bogus.err, "--loader must be vorax, 408 or standard"));
  // The record's own loader is the seven-block one: asking for it changes nothing.
  EXPECT_EQ(runCli({"traces", "--json", hand.string(), "--loader", "408"}).out,
            runCli({"traces", "--json", hand.string()}).out);
}

TEST_F(SercelCommands, SynthSercelRecordOpens) {
  const auto out = dir / "synth.segd";
  const test::CliResult synth = runCli({"synth", "--sercel", "--traces", "120", "--aux", "2",
                                        "--samples", "21", "--tilt-errors", "-o", out.string()});
  ASSERT_EQ(synth.exitCode, 0) << synth.err;
  // Headers 96 + 2 x 32 + 1024 + 16 x 32; 122 traces of 244 + 4 x 21 bytes.
  EXPECT_EQ(std::filesystem::file_size(out), 96u + 64 + 1024 + 512 + 122 * 328);
  const test::CliResult traces = runCli({"traces", "--json", out.string()});
  ASSERT_EQ(traces.exitCode, 0) << traces.err;
  EXPECT_EQ(traces.err, "");
  EXPECT_EQ(count(traces.out, "\"trace\": "), 122u);
  // Traces 1-110 of the seismic ones, and seismic trace 117 (position 17 of its 20).
  EXPECT_TRUE(contains(traces.out, "\"tilt_error_count\": 111,\n"));
  EXPECT_EQ(count(traces.out, "\"channel_kind\": \"Aux\""), 2u);
  EXPECT_TRUE(contains(traces.out, "[\n      1003,\n      83,\n      122\n    ]"));
}

TEST_F(SercelCommands, SynthSeveralRecords) {
  const auto one = dir / "one.segd";
  const auto three = dir / "three.segd";
  ASSERT_EQ(
      runCli({"synth", "--sercel", "--traces", "6", "--samples", "5", "-o", one.string()}).exitCode,
      0);
  const test::CliResult r =
      runCli({"synth", "--sercel", "--traces", "6", "--samples", "5", "--records", "3",
              "--file-numbers", "101,102,103", "-o", three.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(std::filesystem::file_size(three), 3 * std::filesystem::file_size(one));
  EXPECT_TRUE(
      contains(runCli({"info", "--json", three.string()}).out, "\"file_number\": \"101\","));
  EXPECT_EQ(runCli({"synth", "--sercel", "--records", "2", "--file-numbers", "1,2,3", "-o",
                    (dir / "x.segd").string()})
                .exitCode,
            2);
  EXPECT_EQ(runCli({"synth", "--sercel", "--file-numbers", "1,,3", "-o", (dir / "x.segd").string()})
                .exitCode,
            2);
  EXPECT_EQ(runCli({"synth", "--sercel", "--traces", "50", "--tilt-errors", "-o",
                    (dir / "x.segd").string()})
                .exitCode,
            2);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.segd"));
}

TEST(SercelRealFiles, SercelRecordThroughTheCommandLine) {
  VORAX_REQUIRE_REAL_FILE(path, "SeisUnix_sercel.segd");
  const test::CliResult info = runCli({"info", "--json", path.string()});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_TRUE(contains(info.out, "\"first_trace_position\": 5729,"));
  EXPECT_TRUE(contains(info.out, "\"samples_per_trace\": 2001,"));
  EXPECT_TRUE(contains(info.out, "\"aux_trace_count\": 2,\n    \"seismic_trace_count\": 84,"));
  const test::CliResult traces = runCli({"traces", "--json", path.string()});
  ASSERT_EQ(traces.exitCode, 0) << traces.err;
  EXPECT_EQ(count(traces.out, "\"trace\": "), 86u);
  // The all-NaN auxiliary trace 2 keeps a finite scale: the nominal factor.
  EXPECT_TRUE(contains(traces.out, "\"trace\": 2,"));
  EXPECT_TRUE(contains(traces.out, "\"amplitude_scale\": 0.0002697,"));
  EXPECT_FALSE(contains(traces.out, "\"amplitude_scale\": null"));
  // Every trace's own type is undefined: channel set 1 holds the 2 auxiliary traces.
  EXPECT_EQ(count(traces.out, "\"channel_kind\": \"Aux\""), 2u);
  EXPECT_EQ(count(traces.out, "\"channel_kind\": \"Seis\""), 84u);
}

TEST(SercelRealFiles, ThreeStompRecordThroughTheCommandLine) {
  VORAX_REQUIRE_REAL_FILE(path, "SeisUnix_3stomp_test.segd");
  const test::CliResult traces = runCli({"traces", "--json", path.string()});
  ASSERT_EQ(traces.exitCode, 0) << traces.err;
  EXPECT_EQ(count(traces.out, "\"trace\": "), 6u);
  // Trace 1: 0x43CB7A3C = 406.95496 (406.96 to two decimals); every trace has the limits
  // 0x437A0000 and 0x43FA0000 and passes.
  EXPECT_TRUE(contains(traces.out, "\"trace\": 1,\n      \"receiver_line\": 1,"));
  EXPECT_EQ(count(traces.out, "\"resistance\": 406.95496,"), 1u);
  EXPECT_EQ(
      count(traces.out, "\"resistance_low_limit\": 250,\n      \"resistance_high_limit\": 500,"),
      6u);
  EXPECT_EQ(count(traces.out, "\"error_colour\": 0,"), 6u);
  EXPECT_TRUE(
      contains(runCli({"info", "--json", path.string()}).out, "\"samples_per_trace\": 4001,"));
}

}  // namespace
}  // namespace vorax::cli
