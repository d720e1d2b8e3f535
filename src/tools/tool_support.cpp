#include "tools/tool_support.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vorax::tools {

namespace fs = std::filesystem;

bool isSameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::exists(a, ec) && fs::equivalent(a, b, ec);
}

bool folderIsReadOnly(const fs::path& folder) {
  std::error_code ec;
  const fs::perms perms = fs::status(folder, ec).permissions();
  if (ec) return false;  // a missing folder is reported when writing
  if ((perms & fs::perms::owner_write) == fs::perms::none) return true;
#ifndef _WIN32
  return ::access(folder.c_str(), W_OK) != 0;
#else
  return false;
#endif
}

std::string trimmedText(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace vorax::tools
