#include "base/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vorax::base {

namespace {

constexpr int kTemporaryNames = 100;

bool syncFile(std::FILE* file) {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return ::fsync(::fileno(file)) == 0;
#endif
}

// Makes a rename in `folder` durable. Windows has no folder handle to sync; its rename is
// journalled with the file.
void syncFolder([[maybe_unused]] const std::filesystem::path& folder) {
#ifndef _WIN32
  const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
  const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
#endif
}

// Creates the first free temporary name beside `target` and opens it for writing. "x": created
// afresh or not at all, so that a file already under the name (the user's, or one a killed
// run left) is never written over; the next name is tried instead. nullptr (errno set) when
// none could be made.
std::FILE* createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  for (int k = 0; k < kTemporaryNames; ++k) {
    temporary = target;
    temporary += (k == 0 ? std::string() : "." + std::to_string(k)) + ".tmp";
    if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) return file;
    if (errno != EEXIST) break;
  }
  return nullptr;
}

// Whether `target` exists as something other than a regular file or a folder.
bool isSpecialFile(const std::filesystem::path& target) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(target, ec);
  return !ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {
  if (isSpecialFile(target_)) {
    direct_ = true;
    file_ = std::fopen(target_.string().c_str(), "wb");
    const int error = errno;
    if (file_ == nullptr) fail("Cannot write " + target_.string() + ": " + std::strerror(error));
    return;
  }
  file_ = createTemporary(target_, temporary_);
  if (file_ == nullptr) {
    const int error = errno;
    temporary_.clear();  // not ours: never removed
    fail("Cannot write " + target_.string() + ": " + std::strerror(error));
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  discard();
}

bool AtomicFileWriter::write(std::span<const std::uint8_t> bytes) {
  if (!ok()) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    fail("Cannot write " + target_.string() + ": " + std::strerror(errno));
  return ok();
}

bool AtomicFileWriter::commit(Durability durability) {
  if (!ok()) return false;
  bool written = std::fflush(file_) == 0;
  if (written && durability == Durability::Synced) written = syncFile(file_);
  const int writeError = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!written || !closed) {
    fail("Cannot write " + target_.string() + ": " + std::strerror(written ? errno : writeError));
    return false;
  }
  if (direct_) return true;
  std::error_code ec;
  std::filesystem::rename(temporary_, target_, ec);
  if (ec) {
    fail("Cannot write " + target_.string() + ": " + ec.message());
    return false;
  }
  temporary_.clear();
  if (durability == Durability::Synced) syncFolder(target_.parent_path());
  return true;
}

void AtomicFileWriter::fail(const std::string& what) {
  if (error_.empty()) error_ = what;
  discard();
}

void AtomicFileWriter::discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
    temporary_.clear();
  }
}

std::string writeThroughTemporary(
    const std::filesystem::path& target,
    const std::function<std::string(const std::filesystem::path& temporary)>& write) {
  std::filesystem::path temporary;
  std::FILE* reserved = createTemporary(target, temporary);
  if (reserved == nullptr) return "Cannot write " + target.string() + ": " + std::strerror(errno);
  std::fclose(reserved);  // the name is ours now; the library opens it afresh
  std::string error = write(temporary);
  std::error_code ec;
  if (error.empty()) {
    std::filesystem::rename(temporary, target, ec);
    if (!ec) return {};
    error = "Cannot write " + target.string() + ": " + ec.message();
  }
  std::filesystem::remove(temporary, ec);
  return error;
}

}  // namespace vorax::base
