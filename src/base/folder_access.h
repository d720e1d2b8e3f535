// Whether the program may write new files into a folder.
#pragma once

#include <filesystem>

namespace vorax::base {

// True when `folder` exists and cannot take new files: its write permission is off (the
// read-only attribute) or the system refuses writing there. A missing folder is not read-only:
// whoever writes into it reports that it is missing, which says more than "read-only".
bool folderIsReadOnly(const std::filesystem::path& folder);

}  // namespace vorax::base
