// The element-wise kernels of the quantisation and the amplitude constraint for processors with
// AVX2 + FMA, chosen at run time.
#include "design/designKernels.h"

#include "base/vectorPath.h"
#include "fields/phasorKernels.h"

#if PHASEDECK_AVX2_KERNELS
#include "fields/phasorKernelsAvx2.h"

namespace {

__m256 absolute(__m256 x)
{
    return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), x);
}

// 1 / x to about 2e-7 relative: the approximate reciprocal and one Newton step.
__m256 reciprocal(__m256 x)
{
    const __m256 r = _mm256_rcp_ps(x);
    return _mm256_mul_ps(r, _mm256_sub_ps(_mm256_set1_ps(2.0f), _mm256_mul_ps(x, r)));
}

// fastPhase of the portable version on eight lanes, its divisions by reciprocals: the phase only
// steers decisions that carry a margin of 1e-5 rad, so its error (below 2e-6 rad) may differ.
__m256 fastPhase8(__m256 re, __m256 im)
{
    const __m256 ax = absolute(re), ay = absolute(im);
    const __m256 t = _mm256_mul_ps(_mm256_min_ps(ax, ay), reciprocal(_mm256_max_ps(ax, ay)));
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 reduced = _mm256_cmp_ps(t, _mm256_set1_ps(0.41421356f), _CMP_GT_OQ);
    const __m256 x = _mm256_blendv_ps(
        t, _mm256_mul_ps(_mm256_sub_ps(t, one), reciprocal(_mm256_add_ps(t, one))), reduced);
    const __m256 x2 = _mm256_mul_ps(x, x);
    __m256 p = _mm256_fmadd_ps(_mm256_set1_ps(8.05374449538e-2f), x2,
                               _mm256_set1_ps(-1.38776856032e-1f));
    p = _mm256_fmadd_ps(p, x2, _mm256_set1_ps(1.99777106478e-1f));
    p = _mm256_fmadd_ps(p, x2, _mm256_set1_ps(-3.33329491539e-1f));
    p = _mm256_fmadd_ps(_mm256_mul_ps(p, x2), x, x);
    __m256 a = _mm256_add_ps(_mm256_and_ps(reduced, _mm256_set1_ps(0.78539816f)), p);
    a = _mm256_blendv_ps(a, _mm256_sub_ps(_mm256_set1_ps(1.57079633f), a),
                         _mm256_cmp_ps(ay, ax, _CMP_GT_OQ));
    a = _mm256_blendv_ps(a, _mm256_sub_ps(_mm256_set1_ps(3.14159265f), a),
                         _mm256_cmp_ps(re, _mm256_setzero_ps(), _CMP_LT_OQ));
    return _mm256_or_ps(a, _mm256_and_ps(im, _mm256_set1_ps(-0.0f)));
}

} // namespace

void quantizePhasesAvx2(float* z, std::size_t n, const phaseQuantization& q, int* levelIndex)
{
    const __m256 piF = _mm256_set1_ps(3.14159265f);
    const __m256 inverse = _mm256_set1_ps(q.inverseF);
    const __m256 step = _mm256_set1_ps(q.stepF);
    const __m256 snap = _mm256_set1_ps(q.snapF);
    const __m256 marginU = _mm256_set1_ps(q.marginU);
    const __m256 upperU = _mm256_set1_ps(1.0f - q.marginU);
    const __m256 margin = _mm256_set1_ps(1e-5f);
    // The table's (re, im) pairs as 64-bit units for the gathers.
    const double* pairs = reinterpret_cast<const double*>(q.levelPhasors);
    // Lane l of a vector from loadComplex8 holds element complex8Element[l]; this permutation
    // (its own inverse) puts the lanes into element order.
    const __m256i storageOrder = _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
    std::size_t k = 0;
    for (; pairs && k + 8 <= n; k += 8) {
        float* v = z + 2 * k;
        __m256 re, im, s;
        loadComplex8(v, re, im);
        const __m256 normal = normalSquaredModulus(re, im, s);
        const __m256 phi = fastPhase8(re, im);
        const __m256 u
            = _mm256_add_ps(_mm256_mul_ps(_mm256_add_ps(piF, phi), inverse), _mm256_set1_ps(0.5f));
        const __m256 level = _mm256_round_ps(u, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
        const __m256 offset = _mm256_sub_ps(u, level);
        const __m256 distance
            = absolute(_mm256_sub_ps(phi, _mm256_sub_ps(_mm256_mul_ps(level, step), piF)));
        const __m256 doubtful = _mm256_or_ps(
            _mm256_or_ps(_mm256_cmp_ps(offset, marginU, _CMP_LT_OQ),
                         _mm256_cmp_ps(offset, upperU, _CMP_GT_OQ)),
            _mm256_cmp_ps(absolute(_mm256_sub_ps(distance, snap)), margin, _CMP_LT_OQ));
        const __m256 snapped = _mm256_cmp_ps(distance, snap, _CMP_LT_OQ);
        const int snappedBits = _mm256_movemask_ps(snapped);

        // Unsnapped lanes: the unit phasor; snapped ones: their level's phasor, gathered as
        // (re, im) pairs straight into storage order.
        __m256 outRe = re, outIm = im;
        if (snappedBits != 0xFF) {
            const __m256 inverse = _mm256_div_ps(_mm256_set1_ps(1.0f), _mm256_sqrt_ps(s));
            outRe = _mm256_mul_ps(re, inverse);
            outIm = _mm256_mul_ps(im, inverse);
        }
        __m256 first = _mm256_unpacklo_ps(outRe, outIm);
        __m256 second = _mm256_unpackhi_ps(outRe, outIm);
        // Levels of the snapped lanes in the fast range (the others may hold any index), -1 for
        // the rest, in storage order.
        const __m256i index = _mm256_permutevar8x32_epi32(_mm256_cvttps_epi32(level), storageOrder);
        const __m256i mask = _mm256_permutevar8x32_epi32(
            _mm256_castps_si256(_mm256_and_ps(normal, snapped)), storageOrder);
        if (levelIndex)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(levelIndex + k),
                                _mm256_blendv_epi8(_mm256_set1_epi32(-1), index, mask));
        if (snappedBits) {
            // Only those lanes load.
            first = _mm256_castpd_ps(_mm256_mask_i32gather_pd(
                _mm256_castps_pd(first), pairs, _mm256_castsi256_si128(index),
                _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_castsi256_si128(mask))), 8));
            second = _mm256_castpd_ps(_mm256_mask_i32gather_pd(
                _mm256_castps_pd(second), pairs, _mm256_extracti128_si256(index, 1),
                _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_extracti128_si256(mask, 1))), 8));
        }
        const int exactBits = _mm256_movemask_ps(_mm256_or_ps(
            doubtful, _mm256_xor_ps(normal, _mm256_castsi256_ps(_mm256_set1_epi32(-1)))));
        if (exactBits) {
            alignas(32) float r[8], i[8];
            _mm256_store_ps(r, re);
            _mm256_store_ps(i, im);
            _mm256_storeu_ps(v, first);
            _mm256_storeu_ps(v + 8, second);
            for (int l = 0; l < 8; ++l)
                if (exactBits & (1 << l)) {
                    float* element = v + 2 * complex8Element[l];
                    element[0] = r[l];
                    element[1] = i[l];
                    const int exactLevel = quantizeElement(element[0], element[1], q);
                    if (levelIndex)
                        levelIndex[k + std::size_t(complex8Element[l])] = exactLevel;
                }
            continue;
        }
        _mm256_storeu_ps(v, first);
        _mm256_storeu_ps(v + 8, second);
    }
    quantizePhasesPortable(z + 2 * k, n - k, q, levelIndex ? levelIndex + k : nullptr);
}

double moduliAndWeightedSumAvx2(const float* z, std::size_t n, const float* weight, float* modulus)
{
    // Partial sums of the lanes, element residues 0, 1, 4, 5 and 2, 3, 6, 7.
    __m256d low = _mm256_setzero_pd(), high = _mm256_setzero_pd();
    std::size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        __m256 re, im, s;
        loadComplex8(z + 2 * k, re, im);
        const int special = ~_mm256_movemask_ps(normalSquaredModulus(re, im, s)) & 0xFF;
        __m256 m = _mm256_sqrt_ps(s);
        if (special) {
            alignas(32) float r[8], i[8], out[8];
            _mm256_store_ps(r, re);
            _mm256_store_ps(i, im);
            _mm256_store_ps(out, m);
            for (int l = 0; l < 8; ++l)
                if (special & (1 << l))
                    out[l] = modulusOfElement(r[l], i[l]);
            m = _mm256_load_ps(out);
        }
        storePermuted8(modulus + k, m);
        const __m256 w = loadPermuted8(weight + k);
        low = _mm256_add_pd(low, _mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(w)),
                                               _mm256_cvtps_pd(_mm256_castps256_ps128(m))));
        high = _mm256_add_pd(high, _mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(w, 1)),
                                                 _mm256_cvtps_pd(_mm256_extractf128_ps(m, 1))));
    }
    alignas(32) double lanes[8];
    _mm256_store_pd(lanes, low);
    _mm256_store_pd(lanes + 4, high);
    double partial[8];
    for (int l = 0; l < 8; ++l)
        partial[complex8Element[l]] = lanes[l];
    return finishModuliAndWeightedSum(z, k, n, weight, modulus, partial);
}

void rescaleToWeightedModuliAvx2(float* z, std::size_t n, const float* modulus, const float* signal,
                                 const float* noise, float s)
{
    const __m256 scale = _mm256_set1_ps(s);
    std::size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        float* v = z + 2 * k;
        __m256 re, im;
        loadComplex8(v, re, im);
        const __m256 m = loadPermuted8(modulus + k);
        const __m256 factor = _mm256_add_ps(_mm256_mul_ps(scale, loadPermuted8(signal + k)),
                                            _mm256_mul_ps(loadPermuted8(noise + k), m));
        const __m256 inverse = _mm256_div_ps(_mm256_set1_ps(1.0f), m);
        const __m256 nonZero = _mm256_cmp_ps(m, _mm256_setzero_ps(), _CMP_NEQ_UQ);
        re = _mm256_and_ps(nonZero, _mm256_mul_ps(re, inverse));
        im = _mm256_and_ps(nonZero, _mm256_mul_ps(im, inverse));
        storeComplex8(v, _mm256_mul_ps(re, factor), _mm256_mul_ps(im, factor));
    }
    rescaleToWeightedModuliPortable(z + 2 * k, n - k, modulus + k, signal + k, noise + k, s);
}

#else

void quantizePhasesAvx2(float* z, std::size_t n, const phaseQuantization& q, int* levelIndex)
{
    quantizePhasesPortable(z, n, q, levelIndex);
}

double moduliAndWeightedSumAvx2(const float* z, std::size_t n, const float* weight, float* modulus)
{
    return moduliAndWeightedSumPortable(z, n, weight, modulus);
}

void rescaleToWeightedModuliAvx2(float* z, std::size_t n, const float* modulus, const float* signal,
                                 const float* noise, float s)
{
    rescaleToWeightedModuliPortable(z, n, modulus, signal, noise, s);
}

#endif
