#include <cstdio>

#include "cli/commands.h"

namespace vorax::cli {

int runSynth(Args /*args*/) {
  std::fprintf(stderr, "vorax synth: not available in this build\n");
  return 2;
}

}  // namespace vorax::cli
