// How many of a record's declared traces a file holds: shared by every trace loader and by the
// record opener, which size their work and their short-file warning from it.
#pragma once

#include <cstdint>
#include <string>

namespace vorax::decode {

// How much of a declared record the file can hold, counted from the first trace header. A
// trace whose header starts inside the file is held (its missing tail reads as zeros); when
// not even one trace fits, the samples per trace are cut to those that start inside the file.
struct TraceCapacity {
  std::int32_t traces = 0;
  std::int32_t samplesPerTrace = 0;
  bool fileShort = false;  // the file ends before the declared traces do

  // The one warning a loader gives for a short file: what was declared and what is loaded.
  std::string warning(std::int32_t declaredTraces, std::int32_t declaredSamples) const;
};
TraceCapacity traceCapacity(std::int32_t declaredTraces, std::int32_t declaredSamples,
                            std::uint64_t headerBytesPerTrace, std::uint64_t bytesAvailable);

}  // namespace vorax::decode
