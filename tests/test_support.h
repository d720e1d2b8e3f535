// Helpers shared by the tests: scratch folders, the real recorder files, running the CLI.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vorax::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& file);
void writeFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

// Path of a real recorder file; empty when the folder of real files is absent.
std::filesystem::path realDataFile(const std::string& name);

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
// Runs a program: its path, then its arguments (each quoted for the shell).
CliResult runProgram(const std::vector<std::string>& words);
// Runs the `vorax` command line with the given arguments.
CliResult runCli(const std::vector<std::string>& args);

}  // namespace vorax::test

// Skips the current test when a real recorder file is not present.
#define VORAX_REQUIRE_REAL_FILE(var, name)                             \
  const std::filesystem::path var = ::vorax::test::realDataFile(name); \
  if (var.empty()) GTEST_SKIP() << "real data file " << (name) << " absent"
