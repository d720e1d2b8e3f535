// The plain-text debug log: one line per call, no time stamp, no prefix, CR LF ended.
#pragma once

#include <filesystem>
#include <string_view>

namespace vorax::base {

inline constexpr const char* kDebugLogFileName = "Kelvarodebug.txt";
inline constexpr const char* kDebugSwitchFileName = "VORAXviewerdebug.txt";

class DebugLog {
 public:
  DebugLog() = default;  // disabled
  DebugLog(std::filesystem::path folder, bool enabled)
      : file_(std::move(folder) / kDebugLogFileName), enabled_(enabled) {}

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  const std::filesystem::path& file() const { return file_; }

  // DebugLogLine: when enabled, appends the text and CR LF, flushing and closing the file
  // each time so the log survives a crash. A log that cannot be opened loses the line.
  void line(std::string_view text) const;

 private:
  std::filesystem::path file_;
  bool enabled_ = false;
};

}  // namespace vorax::base
