// The folders' include arrows point one way: the core folders never include the application
// or anything above it, and the application (windows included) never includes a feature folder;
// only the program's entry point in src/viewer wires the features in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace vorax::base {
namespace {

// The project folders (`#include "folder/..."`) the sources in `folder` include.
std::set<std::string> includedFolders(const std::string& folder) {
  std::set<std::string> folders;
  const std::regex include(R"(^\s*#\s*include\s*"([a-z_]+)/)");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(
           std::filesystem::path(VORAX_SOURCE_DIR) / "src" / folder)) {
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(in, line))
      if (std::regex_search(line, match, include)) folders.insert(match[1]);
  }
  return folders;
}

TEST(Layering, CoreFoldersIncludeOnlyWhatTheyMay) {
  const struct {
    const char* folder;
    std::set<std::string> allowed;
  } kRules[] = {
      {"base", {"base"}},
      {"decode", {"base", "decode"}},
      {"dsp", {"base", "dsp"}},
      {"app", {"base", "decode", "dsp", "app"}},
      {"interchange", {"base", "decode", "dsp", "app", "interchange"}},
      {"qc", {"base", "decode", "dsp", "app", "qc"}},
  };
  for (const auto& rule : kRules) {
    for (const std::string& used : includedFolders(rule.folder))
      EXPECT_TRUE(rule.allowed.contains(used))
          << "src/" << rule.folder << " includes " << used << "/";
  }
}

}  // namespace
}  // namespace vorax::base
