// The portable element-wise phasor kernels, the element functions of both versions and the
// choice of the vector path.
#include "fields/phasorKernels.h"

#include "base/vectorPath.h"
#include "fields/complexFloat.h"

#include <cfloat>
#include <cmath>

namespace {

bool isNormal(float s)
{
    return s >= FLT_MIN && s <= FLT_MAX;
}

} // namespace

void unitPhasorOfElement(float re, float im, float& outRe, float& outIm)
{
    const float s = re * re + im * im;
    if (isNormal(s)) {
        const float inverse = 1.0f / std::sqrt(s);
        outRe = re * inverse;
        outIm = im * inverse;
        return;
    }
    const complexFloat u = unitPhasor({re, im});
    outRe = u.re;
    outIm = u.im;
}

float modulusOfElement(float re, float im)
{
    const float s = re * re + im * im;
    return isNormal(s) ? std::sqrt(s) : abs(complexFloat{re, im});
}

void makeUnitPhasorsPortable(float* z, std::size_t n, const float* factor)
{
    for (std::size_t k = 0; k < n; ++k) {
        float* v = z + 2 * k;
        unitPhasorOfElement(v[0], v[1], v[0], v[1]);
        if (factor) {
            v[0] *= factor[k];
            v[1] *= factor[k];
        }
    }
}

void makeUnitPhasors(float* z, std::size_t n, const float* factor)
{
    pickForVectorPath(makeUnitPhasorsPortable, makeUnitPhasorsAvx2)(z, n, factor);
}
