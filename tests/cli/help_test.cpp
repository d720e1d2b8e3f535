// vorax --help, COMMAND --help and --version.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CliHelp, VersionAndTheCommandList) {
  const test::CliResult version = runCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string(VORAX_VERSION) + "\n");

  const test::CliResult help = runCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* command : {"info", "traces", "decode", "render", "synth", "settings"})
    EXPECT_TRUE(contains(help.out, std::string("\n  ") + command + " ")) << command;

  EXPECT_EQ(runCli({}).exitCode, 2);
  EXPECT_EQ(runCli({"nosuchcommand"}).exitCode, 2);
}

TEST(CliHelp, EachOptionWithItsMeaningAndDefault) {
  const test::CliResult render = runCli({"render", "--help"});
  EXPECT_EQ(render.exitCode, 0);
  EXPECT_TRUE(contains(render.out, "--size TEXT:WxH=1600x1000")) << render.out;
  EXPECT_TRUE(contains(render.out, "--gain-db FLOAT=18          display gain, dB"));
  const test::CliResult synth = runCli({"synth", "--help"});
  EXPECT_TRUE(contains(synth.out, "--traces INT=96, with --sercel 120")) << synth.out;
  EXPECT_TRUE(contains(runCli({"decode", "--help"}).out, "  vqc88decodefileheader\n"));
}

}  // namespace
}  // namespace vorax::cli
