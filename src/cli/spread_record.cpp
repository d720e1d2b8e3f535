#include "cli/spread_record.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>

#include "spread/spread_layout.h"

namespace vorax::cli {

int openSpreadRecord(std::string_view command, const std::string& path, CliRecord& out) {
  openForCommand(command, path, true, out);
  if (out.exitStatus != 0) return out.exitStatus;
  if (!spread::hasLiveTraces(out.record)) {
    std::fprintf(stderr, "vorax %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                 spread::kNoLiveTracesMessage);
    return 2;
  }
  return 0;
}

bool valueWithin(std::string_view command, std::string_view option, double value,
                 const RecordRange& range) {
  const std::string name(command);
  const std::string opt(option);
  const std::string unit(range.unit);
  if (!std::isfinite(value)) {
    std::fprintf(stderr, "vorax %s: %s needs a finite number of %s, not %g\n", name.c_str(),
                 opt.c_str(), unit.c_str(), value);
    return false;
  }
  if (value < range.low || value > range.high) {
    std::fprintf(stderr, "vorax %s: %s %g %s lies outside the record's %g to %g %s\n", name.c_str(),
                 opt.c_str(), value, unit.c_str(), range.low, range.high, unit.c_str());
    return false;
  }
  return true;
}

bool makeOutputFolder(std::string_view command, const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error && std::filesystem::is_directory(folder, error)) return true;
  std::fprintf(stderr, "vorax %.*s: cannot make the folder %s: %s\n",
               static_cast<int>(command.size()), command.data(), folder.string().c_str(),
               error ? error.message().c_str() : "not a folder");
  return false;
}

std::filesystem::path frameFileName(const std::filesystem::path& folder, std::string_view prefix,
                                    std::int32_t index, std::int32_t largestIndex) {
  const std::size_t width = std::to_string(largestIndex).size();
  std::string number = std::to_string(index);
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return folder / (std::string(prefix) + "_" + number + ".png");
}

}  // namespace vorax::cli
