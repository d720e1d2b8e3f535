// Faults while `vorax split` and `vorax fix-radio` write: a read-only folder, a write that
// fails (the file size limit of the process, as a full disk fails it) and the process killed
// in the middle of a write. Each must leave every input as it was and no part-written file
// under an output's name.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"
#include "tools/sercel_records.h"

namespace vorax::tools {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::namesIn;

// 122 traces of 1001 samples: 520 kB, larger than the file size limit below.
Bytes recordBytes(int fileNumber) {
  return test::sercelRecord(fileNumber, false);
}

struct Shell {
  bool exited = false;
  int code = -1;
  int signal = 0;
};

// Runs `vorax ARGS` under bash after `setup` (ulimit, trap), output discarded.
Shell runVorax(const std::string& setup, const std::string& args) {
  const std::string command = "bash -c \"" + setup + " exec '" + std::string(VORAX_CLI_PATH) +
                              "' " + args + " >/dev/null 2>&1\"";
  const int status = std::system(command.c_str());
  Shell s;
  // A shell reports a child killed by a signal as exit status 128 + signal.
  if (WIFSIGNALED(status)) {
    s.signal = WTERMSIG(status);
  } else if (WIFEXITED(status) && WEXITSTATUS(status) > 128) {
    s.signal = WEXITSTATUS(status) - 128;
  } else if (WIFEXITED(status)) {
    s.exited = true;
    s.code = WEXITSTATUS(status);
  }
  return s;
}

struct Fault {
  const char* name;
  const char* setup;  // shell lines before the command
  bool readOnlyOutput;
  bool killed;  // by SIGXFSZ, in the middle of the first output
};

class WriteFaults : public ::testing::TestWithParam<Fault> {
 protected:
  void SetUp() override {
    fs::create_directories(dir / "in");
    fs::create_directories(dir / "out");
    test::writeFileBytes(dir / "in" / "shots.dat", shots);
    test::writeFileBytes(dir / "in" / "A.sgd", recordBytes(5));
    if (GetParam().readOnlyOutput)
      fs::permissions(dir / "out",
                      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
  }
  void expectInputsIntactAndNoOutput(const Shell& s) {
    const Fault& f = GetParam();
    if (f.killed) {
      EXPECT_EQ(s.signal, SIGXFSZ);
    } else {
      EXPECT_TRUE(s.exited);
      EXPECT_EQ(s.code, 2);
    }
    EXPECT_EQ(test::readFileBytes(dir / "in" / "shots.dat"), shots);
    EXPECT_EQ(test::readFileBytes(dir / "in" / "A.sgd"), recordBytes(5));
    EXPECT_EQ(namesIn(dir / "in"), (std::vector<std::string>{"A.sgd", "shots.dat"}));
    // A killed process leaves its temporary file, never a file under an output's name.
    for (const std::string& name : namesIn(dir / "out"))
      EXPECT_TRUE(f.killed && name.ends_with(".tmp")) << name;
  }
  test::TempDir dir;
  Bytes shots = test::joined({recordBytes(1001), recordBytes(1002)});
};

TEST_P(WriteFaults, SplitLeavesNoHalfFile) {
  const Shell s = runVorax(GetParam().setup, "split '" + (dir / "in" / "shots.dat").string() +
                                                 "' --out-dir '" + (dir / "out").string() + "'");
  expectInputsIntactAndNoOutput(s);
}

TEST_P(WriteFaults, RepairKeepsTheOriginalItWasToDelete) {
  const Shell s = runVorax(GetParam().setup, "fix-radio '" + (dir / "in" / "A.sgd").string() +
                                                 "' --traces 100 --out-dir '" +
                                                 (dir / "out").string() + "' --delete-original");
  expectInputsIntactAndNoOutput(s);
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteFaults,
                         ::testing::Values(Fault{"ReadOnlyFolder", "", true, false},
                                           // 100 kB: every output is larger.
                                           Fault{"WriteFails", "trap '' XFSZ; ulimit -f 100;",
                                                 false, false},
                                           Fault{"KilledMidway", "ulimit -f 100;", false, true}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vorax::tools
