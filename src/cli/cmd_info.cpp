#include <cstdio>

#include "cli/commands.h"

namespace vorax::cli {

int runInfo(Args /*args*/) {
  std::fprintf(stderr, "vorax info: not available in this build\n");
  return 2;
}

}  // namespace vorax::cli
