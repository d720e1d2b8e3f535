#include "decode/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace vorax::decode {

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target)
    : target_(std::move(target)), temporary_(target_) {
  temporary_ += ".tmp";
  file_ = std::fopen(temporary_.string().c_str(), "wb");
  if (file_ == nullptr) fail("Cannot write " + target_.string() + ": " + std::strerror(errno));
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::write(Bytes bytes) {
  if (!ok()) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    fail("Cannot write " + target_.string() + ": " + std::strerror(errno));
  return ok();
}

bool AtomicFileWriter::commit() {
  if (!ok()) return false;
  const bool flushed = std::fflush(file_) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) {
    fail("Cannot write " + target_.string() + ": " + std::strerror(flushed ? errno : flushError));
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temporary_, target_, ec);
  if (ec) {
    fail("Cannot write " + target_.string() + ": " + ec.message());
    return false;
  }
  temporary_.clear();
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

}  // namespace vorax::decode
