// The open record file of the loaders: 1-based byte positions, a current position, and reads
// that yield zero bytes past the end, the way a short file reads. The bytes come either from
// a file on disk (buffered, fast for sequential reads) or from a span in memory (fuzzing,
// tests); the caller of `fromMemory` keeps that span alive.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "base/byte_reader.h"

namespace vorax::decode {

class RecordFile {
 public:
  RecordFile() = default;  // closed: size 0, every read yields zeros

  // Opens a file for reading. On failure `error` holds "Cannot open <name>: <reason>".
  struct Opened;
  static Opened open(const std::filesystem::path& path);
  static RecordFile fromMemory(Bytes bytes, std::string name = "(memory)");

  bool isOpen() const { return open_; }
  const std::string& name() const { return name_; }
  std::uint64_t size() const { return size_; }

  // 1-based position of the next read. Positions past the end are allowed (they read zeros).
  std::uint64_t position() const { return position_; }
  void setPosition(std::uint64_t position) { position_ = position < 1 ? 1 : position; }
  void skip(std::uint64_t count) { position_ += count; }

  // Fills `out` from the current position and advances the position by out.size(). Bytes past
  // the end of the file (or all of them once closed or after a read error) are zeros.
  // Returns how many bytes came from the file.
  std::size_t read(std::span<std::uint8_t> out);

  // Fills `out` from 1-based `position` like `read`, without using or moving the current
  // position: several threads may call it at once (the trace loaders' workers do).
  std::size_t readAt(std::uint64_t position, std::span<std::uint8_t> out) const;

  // Makes 1-based `position` of the file byte 1 of what is read, and shortens the size to
  // match: a record that starts inside a file holding several then reads as a file of its
  // own (from there to the end). startAt(1) reads the whole file again. Moves the current
  // position to 1.
  void startAt(std::uint64_t position);

  // A second reader of the same file (from its byte 1), with its own position.
  Opened reopen() const;

  // File bytes from the current position to the end (0 when the position lies past it).
  std::uint64_t remaining() const { return position_ <= size_ ? size_ - position_ + 1 : 0; }

  void close();

 private:
  std::size_t readFromDisk(std::uint64_t offset, std::span<std::uint8_t> out);
  std::size_t readDescriptor(std::uint64_t offset, std::span<std::uint8_t> out) const;

  // A second, unbuffered descriptor of the same file for positioned reads (pread), which
  // share no state between threads; -1 for memory files.
  struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    explicit Descriptor(int f) : fd(f) {}
    Descriptor(Descriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    ~Descriptor() { reset(); }
    void reset();
  };

  std::string name_;
  bool open_ = false;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 1;
  std::uint64_t start_ = 0;     // 0-based offset in the file of what reads as byte 1
  std::uint64_t fileSize_ = 0;  // of the whole file
  Bytes memory_;
  std::unique_ptr<std::filebuf> disk_;
  std::uint64_t diskOffset_ = 0;  // 0-based offset the filebuf will read next
  Descriptor descriptor_;
};

struct RecordFile::Opened {
  std::optional<RecordFile> file;
  std::string error;
  bool ok() const { return file.has_value(); }
};

}  // namespace vorax::decode
