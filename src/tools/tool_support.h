// Small helpers the record tools share.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorax::tools {

// True when `a` exists and is the same file as `b` (also through another name or link).
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// True when `folder` cannot take new files: its write permission is off (the read-only
// attribute) or the system refuses writing there.
bool folderIsReadOnly(const std::filesystem::path& folder);

// Without leading and trailing spaces and tabs.
std::string trimmedText(std::string_view text);

}  // namespace vorax::tools
