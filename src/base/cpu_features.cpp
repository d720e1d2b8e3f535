#include "base/cpu_features.h"

namespace vorax::base {

bool hasAvx2() {
#if defined(VORAX_HAS_AVX2_PATH)
  static const bool avx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return avx2;
#else
  return false;
#endif
}

}  // namespace vorax::base
