// Writing a file so that it appears complete or not at all: the bytes go to a temporary file
// beside the target (the target's name + ".tmp", or + ".1.tmp", ".2.tmp", ... when that name
// is taken: an existing file is never written over), which is renamed over the target only
// once everything was written and flushed. A writer dropped without commit() removes its
// temporary file, so a failure, a full disk or a cancel leaves nothing under the target's
// name; a process killed midway leaves at most the ".tmp" file.
//
// A target that exists and is not a regular file (a device such as /dev/null or /dev/full, a
// pipe, a terminal; a symbolic link is followed) cannot be replaced: the bytes are written
// straight to it, and a failed write is reported the same way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace vorax::base {

// How far commit() pushes the bytes before renaming.
enum class Durability {
  Flushed,  // handed to the operating system: survives the program, not a power cut
  Synced,   // on the disk, and the rename too: what must hold before an original is deleted
};

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::filesystem::path target);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // False once anything failed; error() then says what.
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::filesystem::path& target() const { return target_; }

  bool write(std::span<const std::uint8_t> bytes);
  // Flushes (and with Synced, syncs), closes and renames into place. Returns ok().
  bool commit(Durability durability = Durability::Flushed);

 private:
  void fail(const std::string& what);
  void discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::FILE* file_ = nullptr;
  bool direct_ = false;  // written straight to a target that is not a regular file
  std::string error_;
};

// The same contract for a library that opens and writes the file itself: `write` gets a
// temporary name beside `target`, already created empty (so never a file that was there
// before), and returns an empty text once it has written and closed the file, else why it
// failed. Only then is the file renamed over
// the target; otherwise it is removed. Returns the error, empty on success.
std::string writeThroughTemporary(
    const std::filesystem::path& target,
    const std::function<std::string(const std::filesystem::path& temporary)>& write);

}  // namespace vorax::base
