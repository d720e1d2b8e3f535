#include <cstdio>

#include "cli/commands.h"

namespace vorax::cli {

int runRender(Args /*args*/) {
  std::fprintf(stderr, "vorax render: not available in this build\n");
  return 2;
}

}  // namespace vorax::cli
