// vorax synth --sercel: synthetic Sercel 428-style records, one or several one after another
// in the same file.
#pragma once

#include <optional>
#include <string>

#include "cli/synth_options.h"

namespace vorax::cli {

struct SercelSynthArgs {
  bool tiltErrors = false;
  std::optional<int> records;
  std::string fileNumbers;  // "A,B,...": one file number per record
};

// Writes the records; the exit status.
int runSercelSynth(const CommonSynthArgs& common, const SercelSynthArgs& args);

}  // namespace vorax::cli
