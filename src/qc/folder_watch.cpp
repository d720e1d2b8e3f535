#include "qc/folder_watch.h"

#include <algorithm>
#include <chrono>

#include "qc/record_finder.h"

namespace vorax::qc {

namespace {

bool stillBeingWritten(const std::string& name) {
  auto endsWith = [&](std::string_view end) {
    return name.size() >= end.size() &&
           name.compare(name.size() - end.size(), end.size(), end) == 0;
  };
  return endsWith(".tmp") || endsWith(".part");
}

// File times are coarser than the clock: the kernel stamps a write with a clock that may lag
// the fine one by a tick, and some file systems (FAT, network shares) keep times to 2 s. A file
// counts as placed whole only when its time is older than the previous look by more than that;
// one written since then waits one more look to show it is complete.
constexpr std::chrono::seconds kFileTimeSlack{2};
constexpr std::filesystem::file_time_type kNeverLooked = std::filesystem::file_time_type::min();

// The file system's clock now, as a file written at this moment would show it.
std::filesystem::file_time_type fileClockNow() {
  return std::filesystem::file_time_type::clock::now();
}

}  // namespace

FolderWatch::FolderWatch(std::vector<std::string> folders, std::set<std::string> known)
    : folders_(std::move(folders)), known_(std::move(known)) {}

std::vector<std::string> FolderWatch::look() {
  const std::filesystem::file_time_type previous = lastLook_;
  lastLook_ = fileClockNow();
  std::vector<std::string> ready;
  std::map<std::string, Seen> stillPending;
  for (const std::string& folder : folders_) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      const std::string file = (std::filesystem::path(folder) / name).string();
      std::error_code kind;
      if (known_.contains(file) || stillBeingWritten(name) || !entry.is_regular_file(kind))
        continue;
      Seen now;
      std::error_code stat;
      now.size = entry.file_size(stat);
      now.modified = entry.last_write_time(stat);
      if (stat) continue;
      const auto before = pending_.find(file);
      const bool stable = before != pending_.end() && before->second.size == now.size &&
                          before->second.modified == now.modified;
      const bool placedWhole = before == pending_.end() && previous != kNeverLooked &&
                               now.modified < previous - kFileTimeSlack;
      if (!stable && !placedWhole) {
        stillPending[file] = now;
        continue;
      }
      known_.insert(file);
      if (looksLikeRecord(entry.path())) ready.push_back(file);
    }
  }
  pending_ = std::move(stillPending);
  std::sort(ready.begin(), ready.end());
  return ready;
}

}  // namespace vorax::qc
