// Noticing records as they arrive in the folders of a survey. A file counts once it is
// complete: its size and modification time were the same at two looks in a row, or it was
// last modified before the previous look yet had not been there (renamed or moved into place
// whole). Files whose names end in ".tmp" or ".part" are still being written by someone and
// never count; others count when their first bytes look like a record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vorax::qc {

class FolderWatch {
 public:
  // `known` files have been dealt with and never count again.
  FolderWatch(std::vector<std::string> folders, std::set<std::string> known);

  // Looks at the folders once; returns the files that became complete since the last look, in
  // name order, spelt as findRecords spells them.
  std::vector<std::string> look();

 private:
  struct Seen {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
  };
  std::vector<std::string> folders_;
  std::set<std::string> known_;
  std::map<std::string, Seen> pending_;
  std::filesystem::file_time_type lastLook_ = std::filesystem::file_time_type::min();
};

}  // namespace vorax::qc
