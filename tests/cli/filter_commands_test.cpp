// vorax filter and vorax panels, run as a user would.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "base/debug_log.h"
#include "decode/record_opener.h"
#include "decode/synth/synth_writer.h"
#include "filter/panel_settings.h"
#include "filter/record_filter.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

class FilterCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    decode::synth::SynthOptions options;
    options.seismicTraces = 12;
    options.auxTraces = 0;
    options.samplesPerTrace = 600;
    ASSERT_EQ(decode::synth::writeSyntheticRecord(shot, options), "");
    options.fileNumber = 2;
    ASSERT_EQ(decode::synth::writeSyntheticRecord(dir / "shot2.sgd", options), "");
  }
  test::TempDir dir;
  std::filesystem::path shot = dir / "shot1.sgd";
};

TEST_F(FilterCommands, JsonIsTheTracesDocumentOfTheRecordFilteredInTheDialogsOrder) {
  const test::CliResult filtered = runCli(
      {"filter", shot.string(), "--band-reject", "47,49,51,53", "--low-cut", "8,12", "--json"});
  ASSERT_EQ(filtered.exitCode, 0) << filtered.err;
  const test::CliResult plain = runCli({"traces", "--json", shot.string(), "--samples"});
  const auto got = nlohmann::ordered_json::parse(filtered.out);
  const auto before = nlohmann::ordered_json::parse(plain.out);
  ASSERT_EQ(got["traces"].size(), 12u);
  EXPECT_EQ(got["line_runs"], before["line_runs"]);
  for (auto& [key, value] : before["traces"][3].items())
    EXPECT_TRUE(got["traces"][3].contains(key)) << key;

  // The same record filtered here: low cut first, then band reject.
  decode::SegdRecord record;
  decode::CollectingMessages messages;
  ASSERT_TRUE(decode::openRecord(shot, record, messages, base::DebugLog()).ok());
  dsp::Fft fft;
  const std::vector<filter::FilterRequest> order{
      {filter::FilterType::LowCut, {8, 12}}, {filter::FilterType::BandReject, {47, 49, 51, 53}}};
  // On this thread alone: a helper's malloc arena would stay reserved in the test process and
  // give the memory-limit tests' children room they must not have.
  ASSERT_TRUE(filter::filterRecord(record, order, fft, {}, 1));
  for (int t : {1, 7, 12}) {
    const auto& trace = got["traces"][static_cast<std::size_t>(t - 1)];
    EXPECT_FLOAT_EQ(trace["amplitude_scale"].get<float>(),
                    record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale);
    ASSERT_EQ(trace["samples"].size(), 601u);
    for (std::size_t s = 0; s <= 600; s += 25)
      EXPECT_FLOAT_EQ(trace["samples"][s].get<float>(),
                      record.samples.at(t, static_cast<std::int32_t>(s)))
          << t << " " << s;
    EXPECT_NE(trace["samples"], before["traces"][static_cast<std::size_t>(t - 1)]["samples"]);
  }
}

TEST_F(FilterCommands, ValidationFailuresPrintTheDialogsMessage) {
  const test::CliResult r =
      runCli({"filter", shot.string(), "--band-pass", "10,5,20,30", "--json"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "Band Pass - F1 must be lowest value!!\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(runCli({"filter", shot.string(), "--low-cut", "8", "--json"}).exitCode, 2);
  EXPECT_EQ(runCli({"filter", shot.string(), "--low-cut", "8,12"}).exitCode,
            2);  // neither --json nor -o
}

TEST_F(FilterCommands, PictureOfTheFilteredRecordAndPanelsOfAFolder) {
  const std::filesystem::path png = dir / "filtered.png";
  const test::CliResult r = runCli(
      {"filter", shot.string(), "--high-cut", "20,30", "-o", png.string(), "--size", "400x300"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_GT(std::filesystem::file_size(png), 1000u);

  filter::PanelSettings setup;
  setup.enabled = {false, false, true, false, false, false};
  setup.headerLine = "Line 4";
  setup.traceFrom = 2;
  setup.traceTo = 6;
  ASSERT_EQ(filter::savePanelFile(dir / "setup.PNL", setup), "");
  const std::filesystem::path out = dir / "out";
  const test::CliResult panels =
      runCli({"panels", dir.path().string(), "--setup", (dir / "setup.PNL").string(), "--out-dir",
              out.string(), "--size", "300x200"});
  ASSERT_EQ(panels.exitCode, 0) << panels.err;
  const std::string prefix = "Filter Panel --Line 4 - Contractor Crew 1 - File ";
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(out))
    written.push_back(entry.path().filename().string());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::string>{
                         prefix + "1 Filter 10 - 14 - 70 - 80.BMP", prefix + "1 Filter None.BMP",
                         prefix + "2 Filter 10 - 14 - 70 - 80.BMP", prefix + "2 Filter None.BMP"}));
  EXPECT_EQ(runCli({"panels", (dir / "absent").string(), "--out-dir", out.string()}).exitCode, 2);
}

TEST_F(FilterCommands, PanelsOfRecordsOfOneFileNumberAndADatedInfoLineAllGetTheirPictures) {
  decode::synth::SynthOptions options;
  options.seismicTraces = 12;
  options.samplesPerTrace = 600;
  options.fileNumber = 2;  // as shot2.sgd
  ASSERT_EQ(decode::synth::writeSyntheticRecord(dir / "shot3.sgd", options), "");
  test::writeFileBytes(dir / "unknown.dat", std::vector<std::uint8_t>(200, 0xEE));
  filter::PanelSettings setup;
  setup.enabled = {true, false, false, false, false, false};
  setup.infoLine = "08/12/2026";
  setup.traceFrom = 2;
  setup.traceTo = 6;
  ASSERT_EQ(filter::savePanelFile(dir / "setup.PNL", setup), "");
  const std::filesystem::path out = dir / "out";
  const test::CliResult r =
      runCli({"panels", dir.path().string(), "--setup", (dir / "setup.PNL").string(), "--out-dir",
              out.string(), "--size", "300x200"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(out)) {
    ++files;
    EXPECT_NE(r.out.find(entry.path().string() + "\n"), std::string::npos) << entry.path();
  }
  EXPECT_EQ(files, 6u);  // None and 8-12-60-70 of three records
  const std::string prefix = (out / "Filter Panel --Sweep Tests ... - 08_12_2026 - File ").string();
  EXPECT_TRUE(std::filesystem::exists(prefix + "2_2 Filter None.BMP"));
  EXPECT_NE(r.out.find("Done: 3 records, 2 skipped\n"
                       "shot3.sgd: File 2 is also an earlier record's: its pictures say File 2_2\n"
                       "Skipped setup.PNL: "),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Skipped unknown.dat: "), std::string::npos) << r.out;

  // Nothing readable: exit 2, and the output says why.
  const test::TempDir junk;
  test::writeFileBytes(junk / "a.dat", std::vector<std::uint8_t>(200, 0xEE));
  const test::CliResult none = runCli({"panels", junk.path().string(), "--out-dir", out.string()});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.out.find("Done: 0 records, 1 skipped\nSkipped a.dat: "), std::string::npos)
      << none.out;
}

}  // namespace
}  // namespace vorax::cli
