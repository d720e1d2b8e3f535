// vorax info / traces / synth, run as a user would.
#include <gtest/gtest.h>

#include "decode/vorax/handmade_record.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::HandmadeRecord;
using test::runCli;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class RecordCommands : public ::testing::Test {
 protected:
  void SetUp() override { test::writeFileBytes(hand, HandmadeRecord().bytes()); }
  test::TempDir dir;
  std::filesystem::path hand = dir / "hand.segd";
};

TEST_F(RecordCommands, InfoJsonAgreesWithTheHandMadeBytes) {
  const test::CliResult r = runCli({"info", "--json", hand.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "\"first_trace_position\": 225,\n  \"messages\": [],\n"));
  EXPECT_TRUE(contains(r.out, R"(  "record": {
    "file_number": "1234",
    "record_date": "2005-03-01",
    "record_time": "13:45:30",
    "label": "",
    "tape_number": "0042",
    "sample_interval_us": 1000,
    "samples_per_trace": 4,
    "record_type": "Normal",
    "source_line": 100.25,
    "source_point": 300,
    "source_x": 1000,
    "source_y": 123.45,
    "source_z": 5,
    "trace_count": 3,
    "aux_trace_count": 0,
    "seismic_trace_count": 3,
    "first_receiver_line": 0,
    "first_receiver_point": 0,
    "time_break_kind": "ITB",
    "filter": "Min",
    "time_break_time": 0,
    "uphole_time": 125,
    "blast_identifier": 0,
    "extended_header_status": "",
    "sample_interval_ms": 1,
    "record_length_ms": 3,
    "start_time_ms": 0
  },
  "gh1": {
    "file_number": "1234",
    "format_code": "8058",
)")) << r.out;
  EXPECT_TRUE(contains(r.out, "\"manufacturer_text\": \"Japex\""));
  EXPECT_TRUE(contains(r.out, "\"source_line\": \"100.2500\""));      // in "gh3"
  EXPECT_TRUE(contains(r.out, "\"samples_per_trace\": \"000004\""));  // in "extended"
  EXPECT_TRUE(contains(r.out, "\"channel_sets\": [\n    {\n      \"scan_type_number\": \"01\""));
  EXPECT_TRUE(contains(r.out, "\"text\": \"SHOT 7\""));  // external header, right-trimmed
}

TEST_F(RecordCommands, InfoTextNamesTheMainValues) {
  const test::CliResult r = runCli({"info", hand.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "Samples per trace      4\n"));
  EXPECT_TRUE(contains(r.out, "Source X Y Z           1000 123.45 5\n"));
}

TEST_F(RecordCommands, TracesJsonAgreesWithTheHandMadeBytes) {
  const test::CliResult r = runCli({"traces", "--json", hand.string(), "--samples"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(contains(r.out, R"({
  "traces": [
    {
      "trace": 1,
      "receiver_line": 7,
      "receiver_point": 11,
      "receiver_x": 100,
      "receiver_y": 200,
      "receiver_z": 0,
      "channel_kind": "Seis",
      "sensor_kind": "",
      "resistance": 7,
      "capacitance": 0,
      "tilt": 24,
      "leakage": 3,
)")) << r.out;
  EXPECT_TRUE(contains(r.out, "\"unit_serial_number\": 12345678,"));
  EXPECT_TRUE(contains(r.out, "\"control_unit_text\": \"258\","));
  EXPECT_TRUE(contains(r.out, "\"peak_sample_index\": 1,"));
  EXPECT_TRUE(contains(
      r.out,
      "\"samples\": [\n        0.25,\n        -1,\n        0.5,\n        0,\n        0\n      ]"));
  EXPECT_TRUE(
      contains(r.out, "\"trace\": 2,\n      \"receiver_line\": 7,\n      \"receiver_point\": 12,"));
  EXPECT_TRUE(contains(r.out, "\"channel_kind\": \"Aux\""));
  EXPECT_TRUE(contains(r.out, R"(  "line_runs": [
    [
      7,
      0,
      2
    ],
    [
      8,
      3,
      3
    ]
  ],
  "tilt_error_count": 0,
  "messages": []
}
)")) << r.out;
}

TEST_F(RecordCommands, TracesWithoutSamplesLeaveThemOut) {
  const test::CliResult r = runCli({"traces", "--json", hand.string()});
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_FALSE(contains(r.out, "\"samples\""));
  EXPECT_TRUE(contains(r.out, "\"note\": \"\"\n    }\n  ],\n"));
}

TEST_F(RecordCommands, FatalDecoderResultExitsWithOne) {
  HandmadeRecord bad;
  bad.gh1[22] = 0x03;
  test::writeFileBytes(dir / "bad.segd", bad.bytes());
  const test::CliResult info = runCli({"info", "--json", (dir / "bad.segd").string()});
  EXPECT_EQ(info.exitCode, 1);
  EXPECT_EQ(info.err,
            "Invalid Sample Rate Code - the code to indicate sample rate is not correct\n");
  // General header 1 as far as its decoder got (date and time come before the sample rate).
  EXPECT_TRUE(info.out.starts_with(R"({
  "first_trace_position": -1,
  "messages": [
    "Invalid Sample Rate Code - the code to indicate sample rate is not correct"
  ],
  "gh1": {
    "file_number": "1234",
    "format_code": "8058",)"))
      << info.out;
  EXPECT_TRUE(contains(info.out, R"("date_text": "2005-03-01",
    "time_text": "13:45:30",)"));
  EXPECT_TRUE(contains(info.out, R"("sample_interval_ms": "0",)"));
  EXPECT_FALSE(contains(info.out, "\"gh2\""));
  EXPECT_EQ(runCli({"traces", "--json", (dir / "bad.segd").string()}).exitCode, 1);
}

// "  name", padded to 31 characters, then the value.
std::string infoLine(const std::string& name, const std::string& value) {
  return name + std::string(31 - name.size(), ' ') + value + "\n";
}

TEST_F(RecordCommands, InfoPrintsGeneralHeaderOneOfARecordItCannotOpen) {
  HandmadeRecord bad;
  bad.gh1[2] = 0x12;  // format "1234": no SEG-D format
  bad.gh1[3] = 0x34;
  test::writeFileBytes(dir / "bad.segd", bad.bytes());
  const test::CliResult info = runCli({"info", (dir / "bad.segd").string()});
  EXPECT_EQ(info.exitCode, 1);
  EXPECT_EQ(info.err, "1234 is an invalid SEGD Format Code. This is not a SEG D File.\n");
  EXPECT_TRUE(info.out.starts_with("General header 1\n" + infoLine("  file_number", "1234") +
                                   infoLine("  format_code", "1234")))
      << info.out;
  EXPECT_TRUE(contains(info.out, infoLine("  manufacturer_code", "31")));
  EXPECT_TRUE(contains(info.out, infoLine("  format_text", "Unknown")));
  EXPECT_FALSE(contains(info.out, "General header 2"));
}

TEST_F(RecordCommands, FileCutInsideItsHeadersExitsWithOne) {
  // The hand-made headers are 224 bytes long.
  std::vector<std::uint8_t> bytes = HandmadeRecord().bytes();
  bytes.resize(161);
  test::writeFileBytes(dir / "cut.segd", bytes);
  const std::string cut = (dir / "cut.segd").string();
  const test::CliResult info = runCli({"info", cut});
  EXPECT_EQ(info.exitCode, 1);
  EXPECT_EQ(info.err,
            "File ends inside its headers - the file has 161 bytes, its headers need 224\n");
  EXPECT_TRUE(contains(info.out, "General header 2\n")) << info.out;
  EXPECT_EQ(runCli({"traces", "--json", cut}).exitCode, 1);
  EXPECT_EQ(runCli({"render", cut, "-o", (dir / "cut.png").string()}).exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "cut.png"));
}

TEST_F(RecordCommands, UsageAndFileErrorsExitWithTwo) {
  const test::CliResult missing = runCli({"info", (dir / "none.segd").string()});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_TRUE(contains(missing.err, "vorax info: Cannot open "));
  EXPECT_EQ(runCli({"traces", "--json", (dir / "none.segd").string()}).exitCode, 2);
  EXPECT_EQ(runCli({"info"}).exitCode, 2);
  EXPECT_EQ(runCli({"info", "--bogus", hand.string()}).exitCode, 2);
  EXPECT_EQ(runCli({"traces", hand.string(), hand.string()}).exitCode, 2);
  EXPECT_EQ(runCli({"synth", "--interval", "3", "-o", (dir / "x.segd").string()}).exitCode, 2);
  EXPECT_EQ(runCli({"synth", "--traces", "many", "-o", (dir / "x.segd").string()}).exitCode, 2);
  EXPECT_EQ(runCli({"synth"}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.segd"));
}

TEST_F(RecordCommands, SynthWritesWhatInfoReadsBack) {
  const auto out = dir / "s.segd";
  const test::CliResult synth =
      runCli({"synth", "--traces", "8", "--aux", "1", "--samples", "11", "--interval", "0.5",
              "--seed", "3", "--file-number", "12", "--tape", "9", "--itb", "-o", out.string()});
  ASSERT_EQ(synth.exitCode, 0) << synth.err;
  // Headers 96 + 2 x 32 + 64, the 132-character external text in 5 blocks, 9 traces of
  // 52 + 4 x 11 bytes.
  EXPECT_EQ(std::filesystem::file_size(out), 96u + 64 + 64 + 160 + 9 * 96);
  const test::CliResult info = runCli({"info", "--json", out.string()});
  ASSERT_EQ(info.exitCode, 0);
  EXPECT_TRUE(contains(info.out, "\"file_number\": \"12\","));
  EXPECT_TRUE(contains(info.out, "\"tape_number\": \"0009\","));
  EXPECT_TRUE(contains(info.out, "\"sample_interval_us\": 500,"));
  EXPECT_TRUE(contains(info.out, "\"samples_per_trace\": 11,"));
  EXPECT_TRUE(contains(info.out, "\"trace_count\": 9,"));
  EXPECT_TRUE(contains(info.out, "\"time_break_kind\": \"ITB\","));
  EXPECT_TRUE(contains(info.out, "\"record_length_ms\": 5,\n    \"start_time_ms\": 0\n"));
}

}  // namespace
}  // namespace vorax::cli
