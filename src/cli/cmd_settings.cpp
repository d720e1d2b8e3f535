#include <cstdio>

#include "cli/commands.h"

namespace vorax::cli {

int runSettings(Args /*args*/) {
  std::fprintf(stderr, "vorax settings: not available in this build\n");
  return 2;
}

}  // namespace vorax::cli
