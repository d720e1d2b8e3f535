#include <cstdio>

#include "cli/commands.h"

namespace vorax::cli {

int runDecode(Args /*args*/) {
  std::fprintf(stderr, "vorax decode: not available in this build\n");
  return 2;
}

}  // namespace vorax::cli
