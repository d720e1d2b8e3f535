#include "base/folder_access.h"

#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vorax::base {

bool folderIsReadOnly(const std::filesystem::path& folder) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(folder, ec);
  if (ec || !std::filesystem::exists(status)) return false;
  if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
    return true;
#if defined(_WIN32)
  return ::_waccess(folder.c_str(), 2) != 0;
#else
  return ::access(folder.c_str(), W_OK) != 0;
#endif
}

}  // namespace vorax::base
