// The records opened last, newest first, kept across runs in a small text file beside the
// settings file (one full name per line, UTF-8).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace vorax::app {

inline constexpr const char* kRecentFilesName = "VORAXviewer.recent";
inline constexpr std::size_t kMaxRecentFiles = 8;

// The names in the file; none when it is missing or unreadable. Blank lines are skipped and
// at most kMaxRecentFiles names are kept.
std::vector<std::string> loadRecentFiles(const std::filesystem::path& file);

// `name` moved (or added) to the front, the list cut to kMaxRecentFiles.
std::vector<std::string> withRecentFile(std::vector<std::string> names, const std::string& name);

// Writes the list atomically; false when it could not be written (a read-only folder: the
// list is then simply not kept).
bool saveRecentFiles(const std::filesystem::path& file, const std::vector<std::string>& names);

}  // namespace vorax::app
