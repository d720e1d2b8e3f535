// A record opened from Python: the program's record with what the opener decoded, and its
// samples as one NumPy array in recorded units.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <filesystem>
#include <string>
#include <vector>

#include "decode/record_opener.h"
#include "decode/segd_record.h"

namespace vorax::python {

class Record {
 public:
  // Opens `path` with its traces. Raises OSError when the file cannot be read, ValueError
  // (the decoder's messages) when its headers stop the reading.
  static Record open(const std::filesystem::path& path);

  // The same headers with other samples (a filtered copy).
  Record withRecord(decode::SegdRecord&& record) const;

  const decode::SegdRecord& record() const { return record_; }
  const decode::OpenResult& opened() const { return opened_; }

  // Traces x samples, float32, stored x divisor (the trailing 0 of each stored trace left
  // out). Made once, on opening, into memory of its own; read-only, so that it always shows
  // what the record holds.
  const pybind11::array_t<float>& samples() const { return samples_; }
  // `vorax info --json`'s "record".
  pybind11::object info() const;
  // `vorax traces --json`'s per-trace objects, without samples; made on first use.
  pybind11::object traces();
  // Every header record the opener decoded, as `vorax info --json` shows them.
  pybind11::object headers() const;
  const std::vector<std::string>& messages() const { return messages_; }
  std::string repr() const;

 private:
  Record() = default;
  void makeSamples();

  decode::SegdRecord record_;
  decode::OpenResult opened_;
  std::vector<std::string> messages_;
  pybind11::array_t<float> samples_;
  pybind11::object traces_;
};

}  // namespace vorax::python
