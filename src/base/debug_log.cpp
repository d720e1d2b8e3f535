#include "base/debug_log.h"

#include <cstdio>

namespace vorax::base {

void DebugLog::line(std::string_view text) const {
  if (!enabled_ || file_.empty()) return;
  std::FILE* f = std::fopen(file_.string().c_str(), "ab");
  if (f == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fwrite("\r\n", 1, 2, f);
  std::fflush(f);
  std::fclose(f);
}

}  // namespace vorax::base
