#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace vorax::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("vorax-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path realDataFile(const std::string& name) {
  std::filesystem::path p = std::filesystem::path(VORAX_REALDATA_DIR) / name;
  return std::filesystem::exists(p) ? p : std::filesystem::path();
}

namespace {

std::string shellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'')
      out += "'\\''";
    else
      out.push_back(c);
  }
  return out + "'";
}

std::string slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

CliResult runProgram(const std::vector<std::string>& words) {
  TempDir dir;
  std::string command;
  for (const std::string& w : words) command += (command.empty() ? "" : " ") + shellQuote(w);
  command += " >" + shellQuote((dir / "out").string()) + " 2>" + shellQuote((dir / "err").string());
  int status = std::system(command.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = slurp(dir / "out");
  result.err = slurp(dir / "err");
  return result;
}

CliResult runCli(const std::vector<std::string>& args) {
  std::vector<std::string> words{VORAX_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  return runProgram(words);
}

}  // namespace vorax::test
