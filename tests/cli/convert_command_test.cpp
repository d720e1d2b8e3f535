// vorax convert: its exit status and messages (the files it writes are read back in
// tests/interchange and tests/python).
#include <gtest/gtest.h>

#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

TEST(ConvertCommand, WritesOrSaysWhyNot) {
  test::TempDir dir;
  const std::string shot = (dir / "shot.segd").string();
  ASSERT_EQ(
      runCli({"synth", "-o", shot, "--traces", "6", "--lines", "1", "--samples", "11"}).exitCode,
      0);
  const std::string out = (dir / "out.sgy").string();
  const test::CliResult written = runCli({"convert", shot, "-o", out, "--sort", "channel"});
  EXPECT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out, out + ": 8 traces of 1 record(s)\n");

  const test::CliResult kept = runCli({"convert", shot, "-o", out});
  EXPECT_EQ(kept.exitCode, 2);
  EXPECT_EQ(kept.err,
            "vorax convert: " + out + " already exists and is kept (--overwrite replaces it)\n");
  EXPECT_EQ(runCli({"convert", shot, "-o", out, "--overwrite"}).exitCode, 0);
  const test::CliResult onInput = runCli({"convert", shot, "-o", shot, "--overwrite"});
  EXPECT_EQ(onInput.exitCode, 2);
  EXPECT_NE(onInput.err.find("it is one of the records to export"), std::string::npos)
      << onInput.err;

  EXPECT_EQ(runCli({"convert", shot, "-o", out, "--sort", "offset"}).exitCode, 2);
  EXPECT_EQ(runCli({"convert", shot}).exitCode, 2);
  const test::CliResult missing =
      runCli({"convert", (dir / "none.segd").string(), "-o", (dir / "none.sgy").string()});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("vorax convert: Cannot open"), std::string::npos) << missing.err;
  EXPECT_TRUE(runCli({"convert", "--help"}).out.find("--sort") != std::string::npos);
}

}  // namespace
}  // namespace vorax::cli
