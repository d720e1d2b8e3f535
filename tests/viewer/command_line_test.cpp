// The viewer answers --help and --version without a display, and says so when there is none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace vorax::test {
namespace {

// The viewer as started from a terminal with no display at all.
CliResult runViewerWithoutDisplay(const std::vector<std::string>& args) {
  std::vector<std::string> words{
      "env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", VORAX_VIEWER_PATH};
  words.insert(words.end(), args.begin(), args.end());
  return runProgram(words);
}

TEST(ViewerCommandLine, AnswersWithoutADisplay) {
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string out;
    std::string err;
  } kCases[] = {
      {{"--version"}, 0, "vorax-viewer " VORAX_VERSION "\n", ""},
      {{"--help"}, 0, "Usage: vorax-viewer [OPTIONS] [FILE]", ""},
      {{"-h", "record.segd"}, 0, "Usage: vorax-viewer", ""},
      {{}, 2, "", "no display to open the window on"},
      {{"record.segd"}, 2, "", "no display to open the window on"},
  };
  for (const auto& c : kCases) {
    const CliResult result = runViewerWithoutDisplay(c.args);
    const std::string label = c.args.empty() ? "(no arguments)" : c.args.front();
    EXPECT_EQ(result.exitCode, c.exitCode) << label;
    EXPECT_NE(result.out.find(c.out), std::string::npos) << label << ": " << result.out;
    EXPECT_NE(result.err.find(c.err), std::string::npos) << label << ": " << result.err;
  }
}

}  // namespace
}  // namespace vorax::test
