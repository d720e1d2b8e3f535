// The command line's output against golden files in tests/data/golden/: exit status, standard
// output and standard error of each run, on records the test writes (fixed seeds) and on the
// real recorder files, good input and bad. A change to any decoded value, JSON name or message
// shows as a difference here. VORAX_UPDATE_GOLDEN=1 writes the files from the runs instead
// (review their diff before committing them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "test_support.h"

namespace vorax::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(VORAX_SOURCE_DIR) / "tests" / "data" / "golden";

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  while (at != std::string::npos) {
    text.replace(at, from.size(), to);
    at = text.find(from, at + to.size());
  }
  return text;
}

// What a run printed, with the scratch folder's path as $DIR and Qt's start-up notes left out.
std::string runText(const test::CliResult& run, const fs::path& dir) {
  std::string err;
  std::istringstream lines(run.err);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("QStandardPaths:", 0) != 0) err += line + "\n";
  return replacedAll(
      "exit " + std::to_string(run.exitCode) + "\n--- stdout\n" + run.out + "--- stderr\n" + err,
      dir.string(), "$DIR");
}

std::string fileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void expectGolden(const std::string& name, const std::vector<std::string>& args,
                  const fs::path& dir) {
  const std::string actual = runText(test::runCli(args), dir);
  const fs::path golden = kGoldenDir / (name + ".txt");
  if (std::getenv("VORAX_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << golden << " missing (VORAX_UPDATE_GOLDEN=1 writes it)";
  EXPECT_EQ(actual, fileText(golden)) << name;
}

class GoldenOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string d = dir.path().string();
    ASSERT_EQ(test::runCli({"synth", "-o", d + "/vorax.segd", "--traces", "6", "--samples", "51",
                            "--seed", "3"})
                  .exitCode,
              0);
    ASSERT_EQ(test::runCli({"synth", "--sercel", "-o", d + "/sercel.segd", "--traces", "6",
                            "--samples", "51", "--seed", "3"})
                  .exitCode,
              0);
    const auto whole = test::readFileBytes(dir / "vorax.segd");
    test::writeFileBytes(dir / "cut.segd", {whole.begin(), whole.end() - 100});  // in a trace
    test::writeFileBytes(dir / "headers-cut.segd", {whole.begin(), whole.begin() + 300});
    std::ofstream(dir / "notes.txt") << "line 1001, shots 1-3\n";
  }
  std::string at(const std::string& name) const { return (dir / name).string(); }
  test::TempDir dir;
};

TEST_F(GoldenOutput, RecordsTheTestWrites) {
  const struct {
    const char* name;
    std::vector<std::string> args;
  } runs[] = {
      {"info-vorax", {"info", "--json", at("vorax.segd")}},
      {"info-vorax-text", {"info", at("vorax.segd")}},
      {"traces-vorax", {"traces", "--json", at("vorax.segd")}},
      {"info-sercel", {"info", "--json", at("sercel.segd")}},
      {"traces-sercel", {"traces", "--json", "--samples", at("sercel.segd")}},
      {"spread-sercel", {"spread", "--json", at("sercel.segd"), "--map", "resistance"}},
      // Expected failures: each exits with its own status and says why.
      {"info-cut", {"info", "--json", at("cut.segd")}},
      {"info-cut-strict", {"info", "--json", "--strict", at("cut.segd")}},
      {"info-headers-cut", {"info", "--json", at("headers-cut.segd")}},
      {"info-text-file", {"info", at("notes.txt")}},
      {"info-missing", {"info", at("absent.segd")}},
      {"traces-no-such-record", {"traces", "--json", "--record", "2", at("vorax.segd")}},
      {"render-bad-size", {"render", at("vorax.segd"), "-o", at("p.png"), "--size", "0x0"}},
  };
  for (const auto& run : runs) expectGolden(run.name, run.args, dir.path());
}

TEST_F(GoldenOutput, RealRecorderFiles) {
  const struct {
    const char* name;
    const char* file;
  } runs[] = {
      {"info-real-sercel", "SeisUnix_sercel.segd"},
      {"info-real-3stomp", "SeisUnix_3stomp_test.segd"},
      {"info-real-fcnt", "obspy_three_chans_six_traces.fcnt"},
      {"info-real-ph5", "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd"},
      {"info-real-seg2", "obspy_20180307_031245000.0.seg2"},
  };
  for (const auto& run : runs) {
    VORAX_REQUIRE_REAL_FILE(file, run.file);
    expectGolden(run.name, {"info", "--json", file.string()}, file.parent_path());
  }
}

}  // namespace
}  // namespace vorax::cli
