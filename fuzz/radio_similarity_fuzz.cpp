// The radio similarity file reader and the set-up file images on arbitrary bytes. Traps when
// a file is accepted but its record is not three traces peaking at most at 1.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "app/settings.h"
#include "vibsim/radio_file.h"
#include "vibsim/setup_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax;
  const decode::Bytes bytes(data, size);
  decode::SegdRecord record;
  const vibsim::RadioLoad load = vibsim::loadRadioSimilarity(bytes, "fuzz", record);
  if (load.ok) {
    if (record.loadedTraceCount() != 3) __builtin_trap();
    for (std::int32_t t = 1; t <= 3; ++t)
      for (float v : record.samples.trace(t))
        if (!(std::abs(v) <= 1.0f)) __builtin_trap();
  }
  app::ViewerSettings settings;
  for (const vibsim::SetupFileKind* kind : {&vibsim::kMvsFile, &vibsim::kRsfFile})
    if (size >= kind->size) vibsim::applySetupImage(*kind, bytes.first(kind->size), settings);
  return 0;
}
