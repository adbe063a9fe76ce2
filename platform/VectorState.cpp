#include "platform/VectorState.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

namespace {

// Compiled for AVX alone so the rest of the program keeps its baseline.
__attribute__((target("avx"))) void ZeroUpper() { __builtin_ia32_vzeroupper(); }

bool HasUpperState()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

} // namespace

void ClearUpperVectorState()
{
    static const bool s_bHasUpperState = HasUpperState();
    if (s_bHasUpperState) ZeroUpper();
}

#else

void ClearUpperVectorState() {}

#endif
