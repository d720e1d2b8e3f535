// Writing a file so that it appears complete or not at all: the bytes go to a temporary file
// beside the target, which is renamed over the target only once everything was written and
// flushed. A writer dropped without commit() removes its temporary file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "decode/byte_reader.h"

namespace vorax::decode {

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::filesystem::path target);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // False once anything failed; error() then says what.
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  bool write(Bytes bytes);
  // Flushes, closes and renames into place. Returns ok().
  bool commit();

 private:
  void fail(const std::string& what);
  void discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::FILE* file_ = nullptr;
  std::string error_;
};

}  // namespace vorax::decode
