// The folders' include arrows point one way: base ← decode, dsp ← app ← the feature folders ←
// the programs (command line, viewer, Python module, C library). A feature never includes another
// feature, the record families under decode/ never include each other, and nothing outside a
// ui/ folder includes Qt or a window, except the programs that show or paint them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace vorax::base {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = fs::path(VORAX_SOURCE_DIR) / "src";

struct Include {
  fs::path from;       // the including file
  std::string target;  // what is between the quotes or angle brackets
};

std::vector<Include> includesUnder(const fs::path& folder) {
  std::vector<Include> found;
  const std::regex include(R"(^\s*#\s*include\s*["<]([^">]+)[">])");
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(in, line))
      if (std::regex_search(line, match, include)) found.push_back({entry.path(), match[1]});
  }
  return found;
}

// "app/ui/x.h" → "app"; a system header → "".
std::string projectFolderOf(const std::string& target) {
  const std::size_t slash = target.find('/');
  if (slash == std::string::npos) return {};
  const std::string folder = target.substr(0, slash);
  return fs::is_directory(kSource / folder) ? folder : std::string();
}

bool isUnderUi(const fs::path& file) {
  for (const auto& part : file) {
    if (part == "ui") return true;
  }
  return false;
}

const std::set<std::string> kCore = {"base", "decode", "dsp", "app"};
const std::set<std::string> kFeatures = {"filter", "spread", "tools",
                                         "vibsim", "qc",     "interchange"};
// The programs, and whether they may show or paint (include Qt and windows).
const std::set<std::string> kPainters = {"viewer", "cli"};
const std::set<std::string> kPrograms = {"viewer", "cli", "python", "capi"};

std::set<std::string> allowedFor(const std::string& folder) {
  if (folder == "base") return {"base"};
  if (folder == "decode") return {"base", "decode"};
  if (folder == "dsp") return {"base", "dsp"};
  if (folder == "app") return {"base", "decode", "dsp", "app"};
  std::set<std::string> allowed = kCore;
  allowed.insert(folder);
  if (kFeatures.contains(folder)) return allowed;
  if (folder == "capi") return allowed;
  allowed.insert(kFeatures.begin(), kFeatures.end());
  if (folder == "python") allowed.insert("cli");  // the command line's JSON forms
  return allowed;
}

TEST(Layering, EveryFolderIncludesOnlyWhatItMay) {
  for (const auto& entry : fs::directory_iterator(kSource)) {
    if (!entry.is_directory()) continue;
    const std::string folder = entry.path().filename().string();
    ASSERT_TRUE(kCore.contains(folder) || kFeatures.contains(folder) || kPrograms.contains(folder))
        << "src/" << folder << " has no place in the layering: add it to this test";
    const std::set<std::string> allowed = allowedFor(folder);
    for (const Include& include : includesUnder(entry.path())) {
      const std::string used = projectFolderOf(include.target);
      if (!used.empty()) {
        EXPECT_TRUE(allowed.contains(used))
            << include.from.lexically_relative(kSource) << " includes " << include.target;
      }
      if (kPainters.contains(folder) || isUnderUi(include.from)) continue;
      EXPECT_FALSE(include.target.starts_with("Q") ||
                   include.target.find("/ui/") != std::string::npos)
          << include.from.lexically_relative(kSource) << " is core code but includes "
          << include.target;
    }
  }
}

// The synthetic-record writers write the families' records, so they may take any family's
// byte layout (its *_layout.h), and nothing else of it.
bool isSynthLayoutInclude(const std::string& family, const std::string& target) {
  return family == "synth" && target.ends_with("_layout.h");
}

TEST(Layering, RecordFamiliesIncludeOnlyTheirOwnAndTheSharedSegdParts) {
  for (const auto& entry : fs::directory_iterator(kSource / "decode")) {
    if (!entry.is_directory()) continue;
    const std::string family = entry.path().filename().string();
    for (const Include& include : includesUnder(entry.path())) {
      const std::regex familyHeader(R"(^decode/([a-z0-9_]+)/)");
      std::smatch match;
      if (!std::regex_search(include.target, match, familyHeader)) continue;
      const std::string used = match[1];
      EXPECT_TRUE(used == family || (used == "segd" && family != "segd") ||
                  isSynthLayoutInclude(family, include.target))
          << include.from.lexically_relative(kSource) << " includes " << include.target;
    }
  }
}

}  // namespace
}  // namespace vorax::base
