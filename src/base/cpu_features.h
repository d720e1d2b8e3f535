// What the processor offers beyond the instructions the program is built for. Loops built a
// second time with __attribute__((target("avx2"))) (where VORAX_HAS_AVX2_PATH is defined) are
// chosen at run time by hasAvx2(), rather than through an indirect function, whose resolver
// would run before the thread sanitizer's run time is ready.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#define VORAX_HAS_AVX2_PATH 1
#endif

namespace vorax::base {

// True when the processor runs AVX2 instructions.
bool hasAvx2();

}  // namespace vorax::base
