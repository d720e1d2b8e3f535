#include "decode/record_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace vorax::decode {

namespace {

std::string openFailure(const std::filesystem::path& path, const std::string& reason) {
  return "Cannot open " + path.string() + ": " + reason;
}

}  // namespace

RecordFile::Opened RecordFile::open(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec) return {std::nullopt, openFailure(path, ec.message())};
  if (std::filesystem::is_directory(status))
    return {std::nullopt, openFailure(path, "it is a folder")};
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return {std::nullopt, openFailure(path, ec.message())};

  // The filebuf's own buffer serves the small header reads; trace-sized reads bypass it.
  auto buffer = std::make_unique<std::filebuf>();
  errno = 0;
  if (buffer->open(path, std::ios::in | std::ios::binary) == nullptr) {
    const int error = errno;
    return {std::nullopt, openFailure(path, error != 0 ? std::strerror(error) : "unreadable")};
  }
  RecordFile file;
  file.name_ = path.string();
  file.open_ = true;
  file.size_ = size;
  file.fileSize_ = size;
  file.disk_ = std::move(buffer);
  file.descriptor_ = Descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  return {std::move(file), {}};
}

RecordFile RecordFile::fromMemory(Bytes bytes, std::string name) {
  RecordFile file;
  file.name_ = std::move(name);
  file.open_ = true;
  file.size_ = bytes.size();
  file.fileSize_ = bytes.size();
  file.memory_ = bytes;
  return file;
}

std::size_t RecordFile::read(std::span<std::uint8_t> out) {
  const std::uint64_t offset = position_ - 1;
  position_ += out.size();
  std::size_t got = 0;
  if (open_ && offset < size_ && !out.empty()) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    if (disk_) {
      got = readFromDisk(start_ + offset, out.first(wanted));
    } else {
      std::memcpy(out.data(), memory_.data() + start_ + offset, wanted);
      got = wanted;
    }
  }
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), std::uint8_t{0});
  return got;
}

std::size_t RecordFile::readAt(std::uint64_t position, std::span<std::uint8_t> out) const {
  const std::uint64_t offset = std::max<std::uint64_t>(position, 1) - 1;
  std::size_t got = 0;
  if (open_ && offset < size_ && !out.empty()) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    if (disk_) {
      got = readDescriptor(start_ + offset, out.first(wanted));
    } else {
      std::memcpy(out.data(), memory_.data() + start_ + offset, wanted);
      got = wanted;
    }
  }
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), std::uint8_t{0});
  return got;
}

std::size_t RecordFile::readDescriptor(std::uint64_t offset, std::span<std::uint8_t> out) const {
  std::size_t got = 0;
  while (descriptor_.fd >= 0 && got < out.size()) {
    const ssize_t n = ::pread(descriptor_.fd, out.data() + got, out.size() - got,
                              static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // a read error or a file that shrank: the rest reads as zeros
    got += static_cast<std::size_t>(n);
  }
  return got;
}

RecordFile::Descriptor& RecordFile::Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    reset();
    fd = std::exchange(other.fd, -1);
  }
  return *this;
}

void RecordFile::Descriptor::reset() {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

std::size_t RecordFile::readFromDisk(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (offset != diskOffset_) {
    const auto target = static_cast<std::streamoff>(offset);
    if (disk_->pubseekpos(target, std::ios::in) != std::streampos(target)) return 0;
    diskOffset_ = offset;
  }
  const std::streamsize got =
      disk_->sgetn(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
  const std::size_t count = got > 0 ? static_cast<std::size_t>(got) : 0;
  diskOffset_ += count;
  return count;
}

void RecordFile::startAt(std::uint64_t position) {
  start_ = std::min(std::max<std::uint64_t>(position, 1) - 1, fileSize_);
  size_ = fileSize_ - start_;
  position_ = 1;
}

RecordFile::Opened RecordFile::reopen() const {
  if (disk_ || descriptor_.fd >= 0) return open(name_);
  if (!open_) return {std::nullopt, "Cannot open " + name_ + ": it is closed"};
  return {fromMemory(memory_, name_), {}};
}

void RecordFile::close() {
  if (disk_) disk_->close();
  disk_.reset();
  descriptor_.reset();
  memory_ = {};
  open_ = false;
}

}  // namespace vorax::decode
