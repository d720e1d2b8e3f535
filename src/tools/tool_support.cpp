#include "tools/tool_support.h"

#include <algorithm>

namespace vorax::tools {

namespace fs = std::filesystem;

namespace {

fs::path normalisedName(const fs::path& p) {
  std::error_code ec;
  fs::path full = fs::weakly_canonical(fs::absolute(p, ec), ec);
  return ec ? fs::absolute(p, ec).lexically_normal() : full;
}

}  // namespace

bool isSameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  const bool bothExist = fs::exists(a, ec) && fs::exists(b, ec);
  if (bothExist) return fs::equivalent(a, b, ec);
  return normalisedName(a) == normalisedName(b);
}

fs::path withTag(const fs::path& name, std::string_view tag) {
  fs::path tagged = name;
  tagged.replace_filename(name.stem().string() + std::string(tag) + name.extension().string());
  return tagged;
}

OutputGuard::Verdict OutputGuard::check(const fs::path& output) const {
  const auto same = [&output](const fs::path& p) { return isSameFile(output, p); };
  if (std::any_of(inputs_.begin(), inputs_.end(), same)) return Verdict::IsInput;
  std::error_code ec;
  if (!fs::exists(output, ec) || wroteThisRun(output)) return Verdict::Free;
  return mayReplace_ && mayReplace_(output) ? Verdict::Free : Verdict::Declined;
}

bool OutputGuard::wroteThisRun(const fs::path& file) const {
  return std::any_of(written_.begin(), written_.end(),
                     [&file](const fs::path& p) { return isSameFile(file, p); });
}

}  // namespace vorax::tools
