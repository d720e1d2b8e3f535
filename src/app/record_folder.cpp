#include "app/record_folder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <system_error>

namespace vorax::app {

namespace {

constexpr std::array<std::string_view, 6> kRecordExtensions{".segd", ".sgd", ".fcnt",
                                                            ".seg2", ".sg2", ".dat"};

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Compares the digit runs starting at a[i] and b[j] by value, advancing both past them.
int compareNumbers(const std::string& a, std::size_t& i, const std::string& b, std::size_t& j) {
  while (i < a.size() && a[i] == '0') ++i;
  while (j < b.size() && b[j] == '0') ++j;
  const std::size_t startA = i;
  const std::size_t startB = j;
  while (i < a.size() && isDigit(a[i])) ++i;
  while (j < b.size() && isDigit(b[j])) ++j;
  if (i - startA != j - startB) return i - startA < j - startB ? -1 : 1;
  const int digits = std::string_view(a)
                         .substr(startA, i - startA)
                         .compare(std::string_view(b).substr(startB, j - startB));
  return digits < 0 ? -1 : digits > 0 ? 1 : 0;
}

std::string absoluteName(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return (error ? path : full).lexically_normal().string();
}

}  // namespace

bool mayBeRecordFile(const std::filesystem::path& name) {
  const std::string extension = lowered(name.extension().string());
  return extension.empty() || std::find(kRecordExtensions.begin(), kRecordExtensions.end(),
                                        extension) != kRecordExtensions.end();
}

bool namedBefore(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      if (const int c = compareNumbers(a, i, b, j); c != 0) return c < 0;
      continue;
    }
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[j]));
    if (ca != cb) return ca < cb;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return j < b.size();
  return a < b;
}

std::vector<std::filesystem::path> recordFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind;
    if (it->is_regular_file(kind) && mayBeRecordFile(it->path().filename()))
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    return namedBefore(a.filename().string(), b.filename().string());
  });
  return files;
}

std::optional<FolderPlace> placeInFolder(const std::filesystem::path& record) {
  const std::string wanted = absoluteName(record);
  const std::vector<std::filesystem::path> files =
      recordFilesIn(std::filesystem::path(wanted).parent_path());
  for (std::size_t k = 0; k < files.size(); ++k)
    if (absoluteName(files[k]) == wanted) return FolderPlace{k, files.size()};
  return std::nullopt;
}

std::optional<std::filesystem::path> neighbourRecord(const std::filesystem::path& record,
                                                     int step) {
  const std::string wanted = absoluteName(record);
  const std::vector<std::filesystem::path> files =
      recordFilesIn(std::filesystem::path(wanted).parent_path());
  for (std::size_t k = 0; k < files.size(); ++k) {
    if (absoluteName(files[k]) != wanted) continue;
    const auto target = static_cast<std::ptrdiff_t>(k) + step;
    if (target < 0 || target >= static_cast<std::ptrdiff_t>(files.size())) return std::nullopt;
    return files[static_cast<std::size_t>(target)];
  }
  return std::nullopt;
}

std::string folderPlaceText(const FolderPlace& place) {
  return "record " + std::to_string(place.index + 1) + " of " + std::to_string(place.count);
}

std::string fileRecordText(std::int32_t number, std::int32_t count) {
  return "Record " + std::to_string(number) + " of " + std::to_string(count);
}

}  // namespace vorax::app
