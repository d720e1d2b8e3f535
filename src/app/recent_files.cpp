#include "app/recent_files.h"

#include <algorithm>
#include <fstream>

#include "base/atomic_file.h"

namespace vorax::app {

std::vector<std::string> loadRecentFiles(const std::filesystem::path& file) {
  std::vector<std::string> names;
  std::ifstream in(file);
  for (std::string line; names.size() < kMaxRecentFiles && std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.push_back(line);
  }
  return names;
}

std::vector<std::string> withRecentFile(std::vector<std::string> names, const std::string& name) {
  names.erase(std::remove(names.begin(), names.end(), name), names.end());
  names.insert(names.begin(), name);
  if (names.size() > kMaxRecentFiles) names.resize(kMaxRecentFiles);
  return names;
}

bool saveRecentFiles(const std::filesystem::path& file, const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += name + "\n";
  base::AtomicFileWriter out(file);
  out.write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  return out.commit();
}

}  // namespace vorax::app
