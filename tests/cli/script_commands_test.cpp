// The command line as scripts use it: warnings in the JSON and --strict, files of several
// records, output that cannot be written, the thread count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/vorax/handmade_record.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

using test::runCli;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::vector<std::uint8_t> handmadeRecord(int tape) {
  test::HandmadeRecord r;
  r.extended[1] = static_cast<std::uint8_t>(tape);  // tape number "000<tape>"
  return r.bytes();
}

class ScriptCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto whole = handmadeRecord(1);
    test::writeFileBytes(hand, whole);
    // 224 header bytes, then 98 of the 3 traces of 68: trace 2 cut inside its header.
    test::writeFileBytes(cut, std::vector<std::uint8_t>(whole.begin(), whole.begin() + 322));
    std::vector<std::uint8_t> three;
    for (const int tape : {1, 2, 3}) {
      const auto one = handmadeRecord(tape);
      three.insert(three.end(), one.begin(), one.end());
    }
    test::writeFileBytes(several, three);
  }
  test::TempDir dir;
  std::filesystem::path hand = dir / "hand.segd";
  std::filesystem::path cut = dir / "cut.segd";
  std::filesystem::path several = dir / "three.segd";
};

constexpr const char* kCutWarning =
    "The file is shorter than its headers declare: 3 traces declared, 2 loaded; missing samples "
    "read as 0.";

TEST_F(ScriptCommands, ACutRecordWarnsInItsJsonAndFailsUnderStrict) {
  const std::string png = (dir / "out.png").string();
  const struct {
    std::vector<std::string> args;
    bool json;
  } cases[] = {
      {{"info", "--json"}, true},
      {{"traces", "--json"}, true},
      {{"trace", "--trace", "1", "--json"}, true},
      {{"filter", "--low-cut", "8,12", "--json"}, true},
      {{"render", "-o", png}, false},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin() + 1, cut.string());
    const test::CliResult plain = runCli(args);
    EXPECT_EQ(plain.exitCode, 0) << c.args[0] << plain.err;
    EXPECT_TRUE(contains(plain.err, kCutWarning)) << c.args[0] << plain.err;
    if (c.json) {
      EXPECT_TRUE(
          contains(plain.out, std::string("\"messages\": [\n    \"") + kCutWarning + "\"\n  ]"))
          << c.args[0] << plain.out.substr(0, 400);
    }
    args.push_back("--strict");
    EXPECT_EQ(runCli(args).exitCode, 4) << c.args[0];
    args.back() = hand.string();
    args.erase(args.begin() + 1);
    args.push_back("--strict");
    EXPECT_EQ(runCli(args).exitCode, 0) << c.args[0] << " on the whole record";
  }
}

TEST_F(ScriptCommands, AFileOfThreeRecordsSaysSoAndOpensTheOneAsked) {
  const test::CliResult first = runCli({"info", "--json", several.string()});
  EXPECT_EQ(first.exitCode, 0) << first.err;
  const std::string message =
      "This file holds 3 records; record 1 is shown (vorax split separates them)";
  EXPECT_TRUE(contains(first.err, message));
  EXPECT_TRUE(contains(first.out, "\"messages\": [\n    \"" + message + "\"\n  ]"));
  EXPECT_TRUE(contains(first.out, "\"tape_number\": \"0001\""));
  EXPECT_EQ(runCli({"info", "--json", several.string(), "--strict"}).exitCode, 4);

  const test::CliResult second = runCli({"info", "--json", several.string(), "--record", "2"});
  EXPECT_EQ(second.exitCode, 0) << second.err;
  EXPECT_TRUE(contains(second.out, "\"tape_number\": \"0002\""));
  EXPECT_TRUE(contains(second.out, "\"first_trace_position\": 653,"));  // 428 + 225
  EXPECT_TRUE(contains(second.out, "\"messages\": []"));
  const test::CliResult third = runCli({"traces", "--json", several.string(), "--record", "3"});
  EXPECT_EQ(third.exitCode, 0) << third.err;
  EXPECT_TRUE(contains(third.out, "\"messages\": []"));
  EXPECT_EQ(runCli({"render", several.string(), "--record", "3", "-o", (dir / "r3.png").string()})
                .exitCode,
            0);

  const test::CliResult fourth = runCli({"traces", several.string(), "--record", "4"});
  EXPECT_EQ(fourth.exitCode, 2);
  EXPECT_TRUE(contains(fourth.err, "three.segd holds 3 records; there is no record 4"))
      << fourth.err;
}

TEST_F(ScriptCommands, OutputThatCannotBeWrittenIsAFailure) {
  if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const std::string vorax = VORAX_CLI_PATH;
  const test::CliResult json = test::runProgram(
      {"sh", "-c", "'" + vorax + "' info --json '" + hand.string() + "' >/dev/full"});
  EXPECT_EQ(json.exitCode, 2);
  EXPECT_TRUE(contains(json.err, "vorax info: cannot write standard output")) << json.err;
  EXPECT_EQ(
      test::runProgram({"sh", "-c", "'" + vorax + "' info '" + hand.string() + "' >/dev/null"})
          .exitCode,
      0);
}

TEST_F(ScriptCommands, ThreadsAreAWholeNumberFromOne) {
  const struct {
    const char* threads;
    int exitCode;
  } cases[] = {{"1", 0}, {"3", 0}, {"0", 2}, {"many", 2}};
  for (const auto& c : cases)
    EXPECT_EQ(runCli({"traces", "--json", hand.string(), "--threads", c.threads}).exitCode,
              c.exitCode)
        << c.threads;
}

}  // namespace
}  // namespace vorax::cli
