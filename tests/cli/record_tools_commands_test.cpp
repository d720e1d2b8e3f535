// vorax sumdiff, fix-radio and split, run as a user would.
#include <gtest/gtest.h>

#include "decode/synth/sercel_synth.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

class RecordToolCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    decode::synth::SercelSynthOptions o;
    o.seismicTraces = 4;
    o.samplesPerTrace = 11;
    test::writeFileBytes(shot, decode::synth::sercelRecordBytes(o));
    o.samplesPerTrace = 21;
    o.sampleIntervalMs = 1;
    test::writeFileBytes(other, decode::synth::sercelRecordBytes(o));
  }
  test::TempDir dir;
  std::filesystem::path shot = dir / "shot.segd";
  std::filesystem::path other = dir / "other.segd";
};

TEST_F(RecordToolCommands, SumDiffPrintsTheResultOrTheFirstMismatch) {
  const test::CliResult zero =
      runCli({"sumdiff", shot.string(), shot.string(), "--difference", "--json"});
  ASSERT_EQ(zero.exitCode, 0) << zero.err;
  EXPECT_NE(zero.out.find("\"samples\": [\n        0,\n        0,"), std::string::npos)
      << zero.out.substr(0, 600);
  EXPECT_EQ(zero.out.find("\"samples\": [\n        1"), std::string::npos);

  const test::CliResult mismatch =
      runCli({"sumdiff", shot.string(), other.string(), "--sum", "--json"});
  EXPECT_EQ(mismatch.exitCode, 2);
  EXPECT_EQ(mismatch.err, "Sample Rates Do Not Match, Cannot Continue\n");

  const test::CliResult picture =
      runCli({"sumdiff", shot.string(), shot.string(), "--sum", "-o", (dir / "sum.png").string()});
  EXPECT_EQ(picture.exitCode, 0) << picture.err;
  EXPECT_GT(std::filesystem::file_size(dir / "sum.png"), 1000u);
}

TEST_F(RecordToolCommands, SplitAndFixRadioPrintOneLinePerFile) {
  const test::CliResult split = runCli({"split", shot.string(), "--out-dir", dir.path().string()});
  ASSERT_EQ(split.exitCode, 0) << split.err;
  EXPECT_EQ(split.out, (dir / "0001.SEGD").string() + ": file 0001, 6 traces\n");

  const test::CliResult fixed =
      runCli({"fix-radio", shot.string(), other.string(), "--prefix", "X"});
  ASSERT_EQ(fixed.exitCode, 0) << fixed.err;
  EXPECT_EQ(fixed.out, shot.string() + ": " + (dir / "Xshot.segd").string() + ", 3 traces\n" +
                           other.string() + ": " + (dir / "Xother.segd").string() + ", 3 traces\n");
}

// An unrelated record under the name of a repair is never replaced: named as a later input it
// is refused outright; as a file of the user's it is kept unless --overwrite.
TEST_F(RecordToolCommands, RepairsAndSplitsKeepTheUsersFilesUnlessTold) {
  const std::filesystem::path named = dir / "RSshot.segd";
  test::writeFileBytes(named, test::readFileBytes(other));
  const std::vector<std::uint8_t> shotBytes = test::readFileBytes(shot);
  const test::CliResult asInput =
      runCli({"fix-radio", shot.string(), named.string(), "--delete-original", "--overwrite"});
  EXPECT_EQ(asInput.exitCode, 2);
  EXPECT_EQ(asInput.out, "");
  EXPECT_NE(asInput.err.find("one of the files to repair"), std::string::npos) << asInput.err;
  EXPECT_EQ(test::readFileBytes(shot), shotBytes);
  EXPECT_EQ(test::readFileBytes(named), test::readFileBytes(other));

  const test::CliResult kept = runCli({"fix-radio", shot.string(), "--delete-original"});
  EXPECT_EQ(kept.exitCode, 2);
  EXPECT_EQ(kept.err, "vorax fix-radio: " + named.string() + " already exists and is kept: " +
                          shot.string() + " is not repaired (--overwrite replaces it)\n");
  EXPECT_EQ(test::readFileBytes(named), test::readFileBytes(other));
  const test::CliResult replaced = runCli({"fix-radio", shot.string(), "--overwrite"});
  EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  EXPECT_NE(test::readFileBytes(named), test::readFileBytes(other));

  const std::filesystem::path split = dir / "0001.SEGD";
  test::writeFileBytes(split, {1, 2, 3});
  const test::CliResult splitKept = runCli({"split", shot.string()});
  EXPECT_EQ(splitKept.exitCode, 2);
  EXPECT_NE(splitKept.err.find("0001.SEGD already exists and is kept"), std::string::npos)
      << splitKept.err;
  EXPECT_EQ(test::readFileBytes(split), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(runCli({"split", shot.string(), "--overwrite"}).exitCode, 0);
  EXPECT_EQ(test::readFileBytes(split), shotBytes);
}

}  // namespace
}  // namespace vorax::cli
