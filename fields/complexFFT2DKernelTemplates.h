// The radix-4 kernels of the 2-D FFT package as templates over the lane count, with the entry
// points of one kernel set; each kernel file includes it once and gets copies of its own.
#pragma once

#include "fields/complexFFT2DKernels.h"

#include <cstring>
#include <vector>
#if defined(__AVX2__)
#include <immintrin.h>
#endif

// Layout of the kernels. A "lane vector" of W complex values is 2 W floats, W real parts
// followed by W imaginary parts. The kernels transform W independent sequences of L values at
// once, element k of the buffer holding value k of every sequence, so that every butterfly and
// twiddle multiplication is the same for all lanes and runs on whole vectors. With W = 1 this is
// the interleaved (re, im) layout of a row. The rows and columns of the 2-D array are copied in
// groups of four or eight into this layout and back (the copy back also undoes the bit reversal).
// A column buffer that complexFFT2D allocates itself is made larger than the caller's minimum so
// that these wider groupings fit.
//
// Table in w, for tables of size nw: m = 2 nw complex points; w[2k], w[2k + 1] = cos, sin of
// 2 pi k / m for k < m / 4. A transform of length L <= m reads every (m / L)-th entry.
// Bit-reversal table in ip[2 ..]: the h-bit reversal of x for x < 2^h, h = floor(log2(m) / 2).

namespace {

using complexFFT2DKernels::log2Exact;
using complexFFT2DKernels::Tables;

// exp(S 2 pi i k / m) for 0 <= k < 3 m / 4, from the quarter wave.
template<int S>
inline void twiddle(const Tables& tab, int k, float& c, float& s)
{
    const float* w = tab.w;
    if (k < tab.quarter) {
        c = w[2 * k];
        s = w[2 * k + 1];
    } else if (k < 2 * tab.quarter) {
        k -= tab.quarter;
        c = -w[2 * k + 1];
        s = w[2 * k];
    } else {
        k -= 2 * tab.quarter;
        c = -w[2 * k];
        s = -w[2 * k + 1];
    }
    s = S * s;
}

// One radix-4 decimation-in-frequency butterfly on four lane vectors; the outputs for the
// frequency residues 0, 2, 1, 3 go to p0, p1, p2, p3 (bit-reversed digit order), the last three
// multiplied by the twiddles w^2j, w^j, w^3j.
template<int W, int S>
inline void butterfly4(float* __restrict p0, float* __restrict p1, float* __restrict p2,
                       float* __restrict p3, float w1r, float w1i, float w2r, float w2i, float w3r,
                       float w3i)
{
    for (int l = 0; l < W; ++l) {
        const float a0r = p0[l], a0i = p0[W + l], a1r = p1[l], a1i = p1[W + l];
        const float a2r = p2[l], a2i = p2[W + l], a3r = p3[l], a3i = p3[W + l];
        const float t0r = a0r + a2r, t0i = a0i + a2i, t1r = a0r - a2r, t1i = a0i - a2i;
        const float t2r = a1r + a3r, t2i = a1i + a3i;
        // (a1 - a3) times S i
        const float t3r = -S * (a1i - a3i), t3i = S * (a1r - a3r);
        p0[l] = t0r + t2r;
        p0[W + l] = t0i + t2i;
        const float y2r = t0r - t2r, y2i = t0i - t2i;
        p1[l] = y2r * w2r - y2i * w2i;
        p1[W + l] = y2r * w2i + y2i * w2r;
        const float y1r = t1r + t3r, y1i = t1i + t3i;
        p2[l] = y1r * w1r - y1i * w1i;
        p2[W + l] = y1r * w1i + y1i * w1r;
        const float y3r = t1r - t3r, y3i = t1i - t3i;
        p3[l] = y3r * w3r - y3i * w3i;
        p3[W + l] = y3r * w3i + y3i * w3r;
    }
}

// The butterfly with all twiddles 1 (first butterfly of a block, and the 4-point stage).
template<int W, int S>
inline void butterfly4Plain(float* __restrict p0, float* __restrict p1, float* __restrict p2,
                            float* __restrict p3)
{
    for (int l = 0; l < W; ++l) {
        const float a0r = p0[l], a0i = p0[W + l], a1r = p1[l], a1i = p1[W + l];
        const float a2r = p2[l], a2i = p2[W + l], a3r = p3[l], a3i = p3[W + l];
        const float t0r = a0r + a2r, t0i = a0i + a2i, t1r = a0r - a2r, t1i = a0i - a2i;
        const float t2r = a1r + a3r, t2i = a1i + a3i;
        const float t3r = -S * (a1i - a3i), t3i = S * (a1r - a3r);
        p0[l] = t0r + t2r;
        p0[W + l] = t0i + t2i;
        p1[l] = t0r - t2r;
        p1[W + l] = t0i - t2i;
        p2[l] = t1r + t3r;
        p2[W + l] = t1i + t3i;
        p3[l] = t1r - t3r;
        p3[W + l] = t1i - t3i;
    }
}

template<int W>
inline void butterfly2(float* __restrict p0, float* __restrict p1)
{
    for (int l = 0; l < W; ++l) {
        const float a0r = p0[l], a0i = p0[W + l], a1r = p1[l], a1i = p1[W + l];
        p0[l] = a0r + a1r;
        p0[W + l] = a0i + a1i;
        p1[l] = a0r - a1r;
        p1[W + l] = a0i - a1i;
    }
}

// The twiddles of the radix-4 stages with exp(S 2 pi i ...) of every length s from 8 up to at
// least length, laid out as the stages read them: w^j, w^2j, w^3j (w = exp(S 2 pi i / s)) for
// 0 <= j < s / 4 as six floats (re, im) from float 6 (s / 4 + j) on. The entries are those of the
// quarter-wave table, and every table gives the same ones, since the steps of tables for
// different lengths differ by powers of two; each thread keeps one copy, grown when a longer
// transform needs it.
template<int S>
const float* stageTwiddles(const Tables& tab, int length)
{
    struct Cache
    {
        int length = 0;
        std::vector<float> values;
    };
    thread_local Cache cache;
    if (cache.length < length) {
        cache.values.assign(3 * size_t(length), 0.0f);
        for (int q = 2; q <= length / 4; q *= 2) {
            const int stride = tab.m / (4 * q);
            for (int j = 0; j < q; ++j) {
                float* t = cache.values.data() + 6 * (q + j);
                twiddle<S>(tab, j * stride, t[0], t[1]);
                twiddle<S>(tab, 2 * j * stride, t[2], t[3]);
                twiddle<S>(tab, 3 * j * stride, t[4], t[5]);
            }
        }
        cache.length = length;
    }
    return cache.values.data();
}

// One radix-4 stage over the blocks of s elements of x[0 .. n - 1], with the stage twiddles tw.
template<int W, int S>
void radix4Stage(float* x, int n, int s, const float* tw)
{
    constexpr int E = 2 * W;
    const int q = s / 4;
    for (int b = 0; b < n; b += s) {
        float* p = x + E * b;
        butterfly4Plain<W, S>(p, p + E * q, p + 2 * E * q, p + 3 * E * q);
    }
    const float* t = tw + 6 * q;
    for (int j = 1; j < q; ++j) {
        const float* wj = t + 6 * j;
        for (int b = 0; b < n; b += s) {
            float* p = x + E * (b + j);
            butterfly4<W, S>(p, p + E * q, p + 2 * E * q, p + 3 * E * q, wj[0], wj[1], wj[2], wj[3],
                             wj[4], wj[5]);
        }
    }
}

// Blocks up to this many elements run stage by stage; longer ones split into quarters first,
// so that the later stages work on data that stays in the first-level cache.
constexpr int laneBlockFloats = 4096;

// The DIF stages of a block of s elements at x: radix 4, a final radix-2 stage when log2 s is odd.
template<int W, int S>
void transformBlock(float* x, int s, const float* tw)
{
    constexpr int E = 2 * W;
    if (s * E > laneBlockFloats && s >= 16) {
        radix4Stage<W, S>(x, s, s, tw);
        const int q = s / 4;
        for (int b = 0; b < 4; ++b)
            transformBlock<W, S>(x + E * b * q, q, tw);
        return;
    }
    int len = s;
    for (; len >= 8; len /= 4)
        radix4Stage<W, S>(x, s, len, tw);
    if (len == 4) {
        for (int b = 0; b < s; b += 4) {
            float* p = x + E * b;
            butterfly4Plain<W, S>(p, p + E, p + 2 * E, p + 3 * E);
        }
    } else if (len == 2) {
        for (int b = 0; b < s; b += 2)
            butterfly2<W>(x + E * b, x + E * (b + 1));
    }
}

// The unscaled DFT with exp(S 2 pi i ...) of the W lane sequences of n elements at x, in place;
// element k of the result holds frequency bitReverse(k).
template<int W>
void transformLanes(float* x, int n, int isgn, const Tables& tab)
{
    if (isgn >= 0)
        transformBlock<W, 1>(x, n, stageTwiddles<1>(tab, n));
    else
        transformBlock<W, -1>(x, n, stageTwiddles<-1>(tab, n));
}

// Bit reversal of indices below 2^bits, through the h-bit table in ip: an index is split into its
// low bits / 2 bits and its high (bits + 1) / 2 bits, and each half is reversed by the table.
class BitReversal
{
public:
    BitReversal(const Tables& tab, int n)
        : table(tab.rev)
        , h(tab.revBits)
        , lowBits(log2Exact(n) / 2)
        , highBits(log2Exact(n) - lowBits)
    {}
    int lowCount() const { return 1 << lowBits; }
    int highCount() const { return 1 << highBits; }
    // Reversal of index (high << lowBits) | low, as reversedLow(low) | reversedHigh(high).
    int reversedLow(int low) const { return reverse(low, lowBits) << highBits; }
    int reversedHigh(int high) const { return reverse(high, highBits); }

private:
    // bits <= h + 1.
    int reverse(int x, int bits) const
    {
        if (bits <= h)
            return table[x] >> (h - bits);
        return table[x >> 1] | ((x & 1) << h);
    }
    const int* table;
    int h;
    int lowBits;
    int highBits;
};

// Visits k = 0 .. n - 1 in order with its bit reversal r: f(k, r).
template<typename F>
void forEachReversed(const Tables& tab, int n, F f)
{
    const BitReversal rev(tab, n);
    const int lows = rev.lowCount();
    int k = 0;
    for (int high = 0; high < rev.highCount(); ++high) {
        const int rh = rev.reversedHigh(high);
        for (int low = 0; low < lows; ++low, ++k)
            f(k, rev.reversedLow(low) | rh);
    }
}

// Copies between the interleaved (re, im) layout of the array and lane vectors. The restrict
// parameters and the fixed shapes let the compiler turn each copy into a few shuffles.
template<int W>
inline void toLanes(const float* __restrict src, float* __restrict dst)
{
    for (int l = 0; l < W; ++l) {
        dst[l] = src[2 * l];
        dst[W + l] = src[2 * l + 1];
    }
}

template<int W>
inline void fromLanes(const float* __restrict src, float* __restrict dst)
{
    for (int l = 0; l < W; ++l) {
        dst[2 * l] = src[l];
        dst[2 * l + 1] = src[W + l];
    }
}

// dst[4 c + l] = s_l[c]: the 4 x 4 transposition between four rows and two lane vectors.
inline void transpose4(const float* __restrict s0, const float* __restrict s1,
                       const float* __restrict s2, const float* __restrict s3,
                       float* __restrict dst)
{
    for (int c = 0; c < 4; ++c) {
        dst[4 * c] = s0[c];
        dst[4 * c + 1] = s1[c];
        dst[4 * c + 2] = s2[c];
        dst[4 * c + 3] = s3[c];
    }
}

#if defined(__AVX2__)
// The same copies for eight lanes, written with AVX2 shuffles (the AVX2 kernel set only).

// Transposes the 8 x 8 floats of m0 .. m7: afterwards lane l of mc holds what lane c of ml held.
// Written out, so that the compiler keeps everything in registers.
inline void transpose8(__m256& m0, __m256& m1, __m256& m2, __m256& m3, __m256& m4, __m256& m5,
                       __m256& m6, __m256& m7)
{
    const __m256 t0 = _mm256_unpacklo_ps(m0, m1), t1 = _mm256_unpackhi_ps(m0, m1);
    const __m256 t2 = _mm256_unpacklo_ps(m2, m3), t3 = _mm256_unpackhi_ps(m2, m3);
    const __m256 t4 = _mm256_unpacklo_ps(m4, m5), t5 = _mm256_unpackhi_ps(m4, m5);
    const __m256 t6 = _mm256_unpacklo_ps(m6, m7), t7 = _mm256_unpackhi_ps(m6, m7);
    const __m256 u0 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u1 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 u2 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u3 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 u4 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u5 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 u6 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u7 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(3, 2, 3, 2));
    m0 = _mm256_permute2f128_ps(u0, u4, 0x20);
    m1 = _mm256_permute2f128_ps(u1, u5, 0x20);
    m2 = _mm256_permute2f128_ps(u2, u6, 0x20);
    m3 = _mm256_permute2f128_ps(u3, u7, 0x20);
    m4 = _mm256_permute2f128_ps(u0, u4, 0x31);
    m5 = _mm256_permute2f128_ps(u1, u5, 0x31);
    m6 = _mm256_permute2f128_ps(u2, u6, 0x31);
    m7 = _mm256_permute2f128_ps(u3, u7, 0x31);
}

template<>
inline void toLanes<8>(const float* __restrict src, float* __restrict dst)
{
    const __m256 a = _mm256_loadu_ps(src), b = _mm256_loadu_ps(src + 8);
    // The shuffles leave the lanes in the order 0, 1, 4, 5, 2, 3, 6, 7; the permutation of the
    // 64-bit pairs restores it.
    const __m256 re = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    const __m256 im = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    _mm256_storeu_ps(dst, _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(re),
                                                                 _MM_SHUFFLE(3, 1, 2, 0))));
    _mm256_storeu_ps(dst + 8, _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(im),
                                                                     _MM_SHUFFLE(3, 1, 2, 0))));
}

template<>
inline void fromLanes<8>(const float* __restrict src, float* __restrict dst)
{
    const __m256 re = _mm256_loadu_ps(src), im = _mm256_loadu_ps(src + 8);
    const __m256 low = _mm256_unpacklo_ps(re, im), high = _mm256_unpackhi_ps(re, im);
    _mm256_storeu_ps(dst, _mm256_permute2f128_ps(low, high, 0x20));
    _mm256_storeu_ps(dst + 8, _mm256_permute2f128_ps(low, high, 0x31));
}

// The row pass's copies for eight rows of n values, n a multiple of 4: values k .. k + 3 of the
// eight rows are one 8 x 8 transposition away from lane vectors k .. k + 3.
inline void rowsToLanes8(float* const* r, int n, float* t)
{
    for (int k = 0; k < n; k += 4) {
        const int f = 2 * k;
        __m256 m0 = _mm256_loadu_ps(r[0] + f), m1 = _mm256_loadu_ps(r[1] + f);
        __m256 m2 = _mm256_loadu_ps(r[2] + f), m3 = _mm256_loadu_ps(r[3] + f);
        __m256 m4 = _mm256_loadu_ps(r[4] + f), m5 = _mm256_loadu_ps(r[5] + f);
        __m256 m6 = _mm256_loadu_ps(r[6] + f), m7 = _mm256_loadu_ps(r[7] + f);
        transpose8(m0, m1, m2, m3, m4, m5, m6, m7);
        float* out = t + 16 * k;
        _mm256_storeu_ps(out, m0);
        _mm256_storeu_ps(out + 8, m1);
        _mm256_storeu_ps(out + 16, m2);
        _mm256_storeu_ps(out + 24, m3);
        _mm256_storeu_ps(out + 32, m4);
        _mm256_storeu_ps(out + 40, m5);
        _mm256_storeu_ps(out + 48, m6);
        _mm256_storeu_ps(out + 56, m7);
    }
}

// Back: value k of the rows from lane vector bitReverse(k); values k + 1, k + 2 and k + 3 (k a
// multiple of 4) lie n / 2, n / 4 and 3 n / 4 lane vectors after it.
inline void lanesToRows8(const Tables& tab, int n, const float* t, float* const* r)
{
    const int quarter = n / 4;
    forEachReversed(tab, quarter, [&](int k4, int p) {
        const float* v0 = t + 16 * p;
        const float* v1 = v0 + 16 * 2 * quarter;
        const float* v2 = v0 + 16 * quarter;
        const float* v3 = v0 + 16 * 3 * quarter;
        __m256 m0 = _mm256_loadu_ps(v0), m1 = _mm256_loadu_ps(v0 + 8);
        __m256 m2 = _mm256_loadu_ps(v1), m3 = _mm256_loadu_ps(v1 + 8);
        __m256 m4 = _mm256_loadu_ps(v2), m5 = _mm256_loadu_ps(v2 + 8);
        __m256 m6 = _mm256_loadu_ps(v3), m7 = _mm256_loadu_ps(v3 + 8);
        transpose8(m0, m1, m2, m3, m4, m5, m6, m7);
        const int f = 8 * k4;
        _mm256_storeu_ps(r[0] + f, m0);
        _mm256_storeu_ps(r[1] + f, m1);
        _mm256_storeu_ps(r[2] + f, m2);
        _mm256_storeu_ps(r[3] + f, m3);
        _mm256_storeu_ps(r[4] + f, m4);
        _mm256_storeu_ps(r[5] + f, m5);
        _mm256_storeu_ps(r[6] + f, m6);
        _mm256_storeu_ps(r[7] + f, m7);
    });
}
#endif

inline void prefetch(const float* p)
{
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

inline void prefetchForWrite(float* p)
{
#if defined(__GNUC__)
    __builtin_prefetch(p, 1);
#else
    (void)p;
#endif
}

// Rows ahead of the column copy that are asked for early. Rows a power of two apart fall into
// very few sets of the first-level cache, so only a short distance pays: a longer one evicts the
// lines before they are used.
constexpr int prefetchRows = 4;

// Column pass over W complex columns starting at float column c0, through the buffer t.
template<int W>
void transformColumnGroup(int n1, int c0, int isgn, float** a, float* t, const Tables& tab)
{
    constexpr int E = 2 * W;
    for (int r = 0; r < n1; ++r) {
        if (r + prefetchRows < n1)
            prefetch(a[r + prefetchRows] + c0);
        toLanes<W>(a[r] + c0, t + E * r);
    }
    transformLanes<W>(t, n1, isgn, tab);
    forEachReversed(tab, n1, [&](int r, int p) {
        if (r + prefetchRows < n1)
            prefetch(a[r + prefetchRows] + c0);
        fromLanes<W>(t + E * p, a[r] + c0);
    });
}

// Row pass over the W rows r0 .. r0 + W - 1 (W a multiple of 4) of n >= 2 values each, through
// the buffer t (2 W n floats). Values k and k + 1 of four rows are one 4 x 4 transposition away
// from four lanes of lane vectors k and k + 1; after the transform, value 2 k' of a row lies in
// lane vector p = bitReverse(2 k') = bitReverse'(k') over n / 2, and value 2 k' + 1 in p + n / 2.
template<int W>
void transformRowGroup(int n, int r0, int isgn, float** a, float* t, const Tables& tab)
{
    constexpr int E = 2 * W;
    float* const* r = a + r0;
#if defined(__AVX2__)
    if (W == 8 && n % 4 == 0) {
        rowsToLanes8(r, n, t);
        transformLanes<W>(t, n, isgn, tab);
        lanesToRows8(tab, n, t, r);
        return;
    }
#endif
    float values[16];
    for (int k = 0; k < n; k += 2) {
        float* even = t + E * k;
        float* odd = even + E;
        for (int g = 0; g < W; g += 4) {
            transpose4(r[g] + 2 * k, r[g + 1] + 2 * k, r[g + 2] + 2 * k, r[g + 3] + 2 * k, values);
            std::memcpy(even + g, values, 4 * sizeof(float));
            std::memcpy(even + W + g, values + 4, 4 * sizeof(float));
            std::memcpy(odd + g, values + 8, 4 * sizeof(float));
            std::memcpy(odd + W + g, values + 12, 4 * sizeof(float));
        }
    }
    transformLanes<W>(t, n, isgn, tab);
    const int half = n / 2;
    forEachReversed(tab, half, [&](int k, int p) {
        const float* even = t + E * p;
        const float* odd = t + E * (p + half);
        for (int g = 0; g < W; g += 4) {
            transpose4(even + g, even + W + g, odd + g, odd + W + g, values);
            for (int l = 0; l < 4; ++l)
                std::memcpy(r[g + l] + 4 * k, values + 4 * l, 4 * sizeof(float));
        }
    });
}

// The column pass over all groups of W complex columns, with two buffers of 2 W n1 floats at t.
// Copying one group back and copying the next group in share one walk down the rows: the walks
// are what the column pass waits for, since every row is a separate cache miss.
template<int W>
void transformColumnsPipelined(int n1, int n2, int isgn, float** a, float* t, const Tables& tab)
{
    constexpr int E = 2 * W;
    float* current = t;
    float* next = t + E * n1;
    for (int r = 0; r < n1; ++r) {
        if (r + prefetchRows < n1)
            prefetch(a[r + prefetchRows]);
        toLanes<W>(a[r], current + E * r);
    }
    transformLanes<W>(current, n1, isgn, tab);
    for (int c0 = 0; c0 < n2; c0 += E) {
        const int c1 = c0 + E;
        const bool more = c1 < n2;
        forEachReversed(tab, n1, [&](int r, int p) {
            // Both lines of the row the walk meets next: the one the next group reads and the
            // one this group writes back (evicted since its own walk), asked for as a write.
            if (r + prefetchRows < n1) {
                prefetch(a[r + prefetchRows] + (more ? c1 : c0));
                if (more)
                    prefetchForWrite(a[r + prefetchRows] + c0);
            }
            if (more)
                toLanes<W>(a[r] + c1, next + E * r);
            fromLanes<W>(current + E * p, a[r] + c0);
        });
        if (more) {
            transformLanes<W>(next, n1, isgn, tab);
            float* const previous = current;
            current = next;
            next = previous;
        }
    }
}

// The column pass with a buffer of bufferFloats floats.
void columnPass(int n1, int n2, int isgn, float** a, float* t, int bufferFloats, const Tables& tab)
{
    if (n1 < 2)
        return;
    const int wide = complexFFT2DKernels::wideColumnBufferSize(n1, n2);
    if (wide > 0 && wide <= bufferFloats) {
        transformColumnsPipelined<8>(n1, n2, isgn, a, t, tab);
    } else if (n2 > 4) {
        for (int c0 = 0; c0 < n2; c0 += 8)
            transformColumnGroup<4>(n1, c0, isgn, a, t, tab);
    } else if (n2 == 4) {
        transformColumnGroup<2>(n1, 0, isgn, a, t, tab);
    } else {
        transformColumnGroup<1>(n1, 0, isgn, a, t, tab);
    }
}

// The unscaled DFT of the values complex values at a, in place, in natural order.
void transform1D(int values, int isgn, float* a, const Tables& tab)
{
    transformLanes<1>(a, values, isgn, tab);
    forEachReversed(tab, values, [a](int k, int r) {
        if (k < r) {
            const float re = a[2 * k], im = a[2 * k + 1];
            a[2 * k] = a[2 * r];
            a[2 * k + 1] = a[2 * r + 1];
            a[2 * r] = re;
            a[2 * r + 1] = im;
        }
    });
}

// Rows in groups of eight or four (or one by one), then the columns.
void transform2D(int n1, int n2, int isgn, float** a, float* buffer, int bufferFloats,
                 const Tables& tab)
{
    using namespace complexFFT2DKernels;
    if (n2 > 2) {
        const int rowFloats = rowBufferSize(n1, n2);
        const int wideRowFloats = wideRowBufferSize(n1, n2);
        if (wideRowFloats > 0 && wideRowFloats <= bufferFloats) {
            for (int r0 = 0; r0 < n1; r0 += 8)
                transformRowGroup<8>(n2 / 2, r0, isgn, a, buffer, tab);
        } else if (rowFloats > 0 && rowFloats <= bufferFloats) {
            for (int r0 = 0; r0 < n1; r0 += 4)
                transformRowGroup<4>(n2 / 2, r0, isgn, a, buffer, tab);
        } else {
            for (int r = 0; r < n1; ++r)
                transform1D(n2 / 2, isgn, a[r], tab);
        }
    }
    columnPass(n1, n2, isgn, a, buffer, bufferFloats, tab);
}

} // namespace
