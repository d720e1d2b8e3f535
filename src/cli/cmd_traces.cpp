#include <cstdio>

#include "cli/commands.h"

namespace vorax::cli {

int runTraces(Args /*args*/) {
  std::fprintf(stderr, "vorax traces: not available in this build\n");
  return 2;
}

}  // namespace vorax::cli
