// Processor detection and the process-wide choice of the vector path.
#include "base/vectorPath.h"

namespace {

vectorPath detectedPath()
{
    return processorHasAvx2Fma() ? vectorPath::avx2Fma : vectorPath::portable;
}

vectorPath& chosenPath()
{
    static vectorPath path = detectedPath();
    return path;
}

} // namespace

bool processorHasAvx2Fma()
{
#if PHASEDECK_AVX2_KERNELS && defined(__GNUC__)
    // The features count only where the system also saves the AVX registers. The call may come
    // during static initialisation, before the runtime's own set-up of the feature bits.
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    }();
    return has;
#else
    return false;
#endif
}

vectorPath activeVectorPath()
{
    return chosenPath();
}

bool setActiveVectorPath(vectorPath path)
{
    if (path == vectorPath::avx2Fma && !processorHasAvx2Fma())
        return false;
    chosenPath() = path;
    return true;
}

const char* vectorPathName(vectorPath path)
{
    return path == vectorPath::avx2Fma ? "avx2Fma" : "portable";
}
