// Commands in a process whose address space may grow only a little: a picture is streamed to
// its file beside its pixels, and what cannot be had is said with exit status 2, never an
// abort. Each case runs in a child process with the limit measured from what it already uses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/picture_file.h"
#include "cli/run_command.h"
#include "decode/synth/synth_writer.h"
#include "test_support.h"

#if defined(__SANITIZE_ADDRESS__)
#define VORAX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORAX_ADDRESS_SANITIZER 1
#endif
#endif

namespace vorax::cli {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// The process's address space now, from /proc/self/status ("VmSize: N kB").
std::size_t addressSpaceBytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmSize:") {
      std::size_t kb = 0;
      status >> kb;
      return kb * 1024;
    }
  }
  return 0;
}

struct ChildResult {
  int exitCode = -1;  // -1 when killed by a signal
  std::string err;
};

// Runs `body` in a child whose address space may grow by `headroom` bytes past its size once
// `warmUp` has run; its standard error is kept, its standard output dropped.
ChildResult inLimitedChild(std::size_t headroom, const std::function<void()>& warmUp,
                           const std::function<int()>& body, const test::TempDir& dir) {
  const std::string errFile = (dir / "stderr.txt").string();
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int fd = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(fd, STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    if (warmUp) warmUp();
    const rlimit limit{addressSpaceBytes() + headroom, RLIM_INFINITY};
    ::setrlimit(RLIMIT_AS, &limit);
    const int status = body();
    std::fflush(nullptr);
    ::_exit(status);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  std::ifstream in(errFile);
  std::stringstream err;
  err << in.rdbuf();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, err.str()};
}

class LimitedMemory : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef VORAX_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer's shadow memory needs an unlimited address space";
#endif
  }
  test::TempDir dir;
};

const auto kNothingDrawn = [](app::Canvas&) {};

TEST_F(LimitedMemory, APictureIsWrittenWithoutAnEncodedCopyInMemory) {
  // 4000 x 4000: 64 MB of pixels, a 48 MB BMP; 24 MB to spare is less than the file.
  const std::string small = (dir / "small.bmp").string();
  const std::string big = (dir / "big.bmp").string();
  const ChildResult r = inLimitedChild(
      64 * kMegabyte + 24 * kMegabyte,
      [&] {
        writePictureFile("render", small, {16, 16}, kNothingDrawn);
      },
      [&] {
        return writePictureFile("render", big, {4000, 4000}, kNothingDrawn);
      },
      dir);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(std::filesystem::file_size(big), 54u + 4000u * 4000u * 3u);  // headers, 24-bit rows
}

TEST_F(LimitedMemory, APictureWhosePixelsCannotBeHadIsRefused) {
  const std::string small = (dir / "small.png").string();
  const std::string big = (dir / "big.png").string();
  const ChildResult r = inLimitedChild(
      16 * kMegabyte,
      [&] {
        writePictureFile("render", small, {16, 16}, kNothingDrawn);
      },
      [&] {
        return writePictureFile("render", big, {4000, 4000}, kNothingDrawn);
      },
      dir);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("vorax render: not enough memory for a 4000x4000 picture"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(big));
}

TEST_F(LimitedMemory, ACommandOutOfMemorySaysSoAndExitsTwo) {
  // 1000 traces of 8001 samples: 32 MB of samples, twice what may be had.
  decode::synth::SynthOptions o;
  o.seismicTraces = 1000;
  o.samplesPerTrace = 8001;
  const std::string record = (dir / "shot.segd").string();
  test::writeFileBytes(record, decode::synth::voraxRecordBytes(o));
  const ChildResult r = inLimitedChild(
      16 * kMegabyte, {},
      [&] {
        CLI::App app;
        int status = 0;
        addTracesCommand(app, status);
        std::string args[] = {"vorax", "traces", record};
        char* argv[] = {args[0].data(), args[1].data(), args[2].data()};
        return runCommandLine(app, 3, argv, status);
      },
      dir);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "vorax traces: not enough memory to finish\n");
}

}  // namespace
}  // namespace vorax::cli
