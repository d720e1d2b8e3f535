// Sound ranges of every set-up number, checked when a .MVS or .RSF file is read and before a
// run starts (the dialog's typed values, or a settings file's): a value outside its range is
// refused with a message naming the field, so no analysis ever meets it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "vibsim/setup_files.h"

namespace vorax::vibsim {

struct SetupRange {
  std::int64_t low;
  std::int64_t high;
};

// The range of a number box by its caption; ticks are 0 or 1. A caption with no range of its
// own (the channel numbers, which the run checks against the record) gives nullopt.
std::optional<SetupRange> setupRangeOf(std::string_view caption);

// The first problem of the working set-up of `kind` held in `settings`, as
// "\"Truncate Time (mS)\" is -2147483648; it must be 1 to 3600000", or an empty text. Also
// refused: tapers that together cover the analysis length ("Start Taper Length (mS)" plus
// "End Taper Length (mS)" at least "Truncate Time (mS)": no point of the sweep would be
// judged), a pulse window that ends before it starts, colours beyond 0x00FFFFFF and masses
// that are not finite numbers.
std::string checkSetupValues(const SetupFileKind& kind, const app::ViewerSettings& settings);

}  // namespace vorax::vibsim
