// Copying a record's traces from its file into an output, a megabyte at a time, so that memory
// stays the same whatever the record's size.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/atomic_file.h"
#include "decode/record_file.h"
#include "tools/record_layout.h"

namespace vorax::tools {

struct TraceCopy {
  std::uint64_t traces = 0;  // traces copied whole
  bool inputEnded = false;   // the input ended first; the bytes it held were copied
  bool cancelled = false;
  std::string error;  // a read or write failure
  bool ok() const { return error.empty() && !cancelled; }
};

// Hears how many traces are copied whole so far, after every megabyte; false cancels.
using TraceProgress = std::function<bool(std::uint64_t tracesCopied)>;

// Copies `count` traces of `layout` from the input's current position to `out`.
TraceCopy copyTraces(decode::RecordFile& in, base::AtomicFileWriter& out,
                     const RecordLayout& layout, std::uint64_t count,
                     const TraceProgress& progress = {});

}  // namespace vorax::tools
