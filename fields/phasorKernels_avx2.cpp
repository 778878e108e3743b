// The element-wise phasor kernels for processors with AVX2 + FMA, chosen at run time.
#include "fields/phasorKernels.h"

#include "base/vectorPath.h"

#if PHASEDECK_AVX2_KERNELS
#include "fields/phasorKernelsAvx2.h"

void makeUnitPhasorsAvx2(float* z, std::size_t n, const float* factor)
{
    std::size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        float* v = z + 2 * k;
        __m256 re, im, s;
        loadComplex8(v, re, im);
        const __m256 normal = normalSquaredModulus(re, im, s);
        const __m256 inverse = _mm256_div_ps(_mm256_set1_ps(1.0f), _mm256_sqrt_ps(s));
        __m256 outRe = _mm256_mul_ps(re, inverse);
        __m256 outIm = _mm256_mul_ps(im, inverse);
        const int special = ~_mm256_movemask_ps(normal) & 0xFF;
        if (special) {
            // Lanes outside the fast range get the exact element function.
            alignas(32) float r[8], i[8];
            _mm256_store_ps(r, re);
            _mm256_store_ps(i, im);
            alignas(32) float ur[8], ui[8];
            _mm256_store_ps(ur, outRe);
            _mm256_store_ps(ui, outIm);
            for (int l = 0; l < 8; ++l)
                if (special & (1 << l))
                    unitPhasorOfElement(r[l], i[l], ur[l], ui[l]);
            outRe = _mm256_load_ps(ur);
            outIm = _mm256_load_ps(ui);
        }
        if (factor) {
            const __m256 f = loadPermuted8(factor + k);
            outRe = _mm256_mul_ps(outRe, f);
            outIm = _mm256_mul_ps(outIm, f);
        }
        storeComplex8(v, outRe, outIm);
    }
    makeUnitPhasorsPortable(z + 2 * k, n - k, factor ? factor + k : nullptr);
}

#else

void makeUnitPhasorsAvx2(float* z, std::size_t n, const float* factor)
{
    makeUnitPhasorsPortable(z, n, factor);
}

#endif
