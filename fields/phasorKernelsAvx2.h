// AVX2 building blocks of the element-wise kernels: eight complex values as two vectors of real
// and imaginary parts. Included by *_avx2.cpp files only; every function is internal to its file.
#pragma once

#include <immintrin.h>

#include <cfloat>

namespace {

// Eight complex values at z as real and imaginary parts, in the lane order 0, 1, 4, 5, 2, 3, 6, 7
// (the order the shuffles leave them in); storeComplex8 writes them back in place.
inline void loadComplex8(const float* z, __m256& re, __m256& im)
{
    const __m256 a = _mm256_loadu_ps(z);
    const __m256 b = _mm256_loadu_ps(z + 8);
    re = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    im = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
}

inline void storeComplex8(float* z, __m256 re, __m256 im)
{
    _mm256_storeu_ps(z, _mm256_unpacklo_ps(re, im));
    _mm256_storeu_ps(z + 8, _mm256_unpackhi_ps(re, im));
}

// Element k of the lane order above for lane l.
constexpr int complex8Element[8] = {0, 1, 4, 5, 2, 3, 6, 7};

// Eight floats at p in the lane order of loadComplex8, and back.
inline __m256 loadPermuted8(const float* p)
{
    return _mm256_castpd_ps(
        _mm256_permute4x64_pd(_mm256_castps_pd(_mm256_loadu_ps(p)), _MM_SHUFFLE(3, 1, 2, 0)));
}

inline void storePermuted8(float* p, __m256 v)
{
    _mm256_storeu_ps(
        p, _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(v), _MM_SHUFFLE(3, 1, 2, 0))));
}

// s = re^2 + im^2 in single precision; the mask of the lanes where s is a normal float.
inline __m256 normalSquaredModulus(__m256 re, __m256 im, __m256& s)
{
    s = _mm256_add_ps(_mm256_mul_ps(re, re), _mm256_mul_ps(im, im));
    return _mm256_and_ps(_mm256_cmp_ps(s, _mm256_set1_ps(FLT_MIN), _CMP_GE_OQ),
                         _mm256_cmp_ps(s, _mm256_set1_ps(FLT_MAX), _CMP_LE_OQ));
}

} // namespace
