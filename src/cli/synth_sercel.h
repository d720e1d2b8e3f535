// vorax synth --sercel [options] -o FILE: synthetic Sercel 428-style records, one or several
// one after another in the same file.
#pragma once

#include "cli/commands.h"

namespace vorax::cli {

// True when the arguments ask for a Sercel-style record.
bool wantsSercelSynth(Args args);

int runSercelSynth(Args args);

}  // namespace vorax::cli
