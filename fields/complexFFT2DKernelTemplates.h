// The radix-4 kernels of the 2-D FFT package as templates over the lane count, with the entry
// points of one kernel set; each kernel file includes it once and gets copies of its own.
#pragma once

#include "fields/complexFFT2DKernels.h"

#include <cstddef>
#include <cstring>
#include <utility>
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

// For the copies of the walks, which the compiler would otherwise call out of line.
#if defined(__GNUC__)
#define FFT_ALWAYS_INLINE __attribute__((always_inline))
#else
#define FFT_ALWAYS_INLINE
#endif

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

// A lane vector as two values, its W real parts and its W imaginary parts, so that the
// butterflies below work on whole registers.
template<int W>
struct laneVector
{
    typedef float half __attribute__((vector_size(4 * W)));
    half re, im;
};

// The lane vector with its real parts at p and its imaginary parts at p + imOffset: W, or the
// width of the whole lane vector that one part of lanes is taken from.
template<int W>
inline laneVector<W> loadLanes(const float* p, int imOffset = W)
{
    laneVector<W> v;
    std::memcpy(&v.re, p, sizeof v.re);
    std::memcpy(&v.im, p + imOffset, sizeof v.im);
    return v;
}

template<int W>
inline void storeLanes(float* p, const laneVector<W>& v, int imOffset = W)
{
    std::memcpy(p, &v.re, sizeof v.re);
    std::memcpy(p + imOffset, &v.im, sizeof v.im);
}

// Lanes that one vector register holds. Wider lane vectors go through the butterflies in parts
// of this many lanes, so that the four lane vectors of a butterfly stay in registers.
#if defined(__AVX__)
constexpr int registerLanes = 8;
#else
constexpr int registerLanes = 4;
#endif

template<int W>
constexpr int partLanes()
{
    return W < registerLanes ? W : registerLanes;
}

// x in every lane, written as an initializer: for vectors wider than the registers of the
// instruction set, GCC would build the splat of "vector * scalar" through the stack.
template<int W, std::size_t... L>
inline typename laneVector<W>::half splatLanes(float x, std::index_sequence<L...>)
{
    return typename laneVector<W>::half{((void)L, x)...};
}

template<int W>
inline typename laneVector<W>::half splat(float x)
{
    return splatLanes<W>(x, std::make_index_sequence<W>());
}

// y times the complex value w[0] + i w[1].
template<int W>
inline laneVector<W> times(const laneVector<W>& y, const float* w)
{
    const typename laneVector<W>::half c = splat<W>(w[0]), s = splat<W>(w[1]);
    return {y.re * c - y.im * s, y.re * s + y.im * c};
}

// One radix-4 decimation-in-frequency butterfly on four lane vectors, all twiddles 1; the outputs
// for the frequency residues 0, 2, 1, 3 go to x0, x1, x2, x3 (bit-reversed digit order).
template<int W, int S>
inline void butterfly4(laneVector<W>& x0, laneVector<W>& x1, laneVector<W>& x2, laneVector<W>& x3)
{
    constexpr float sign = S;
    const laneVector<W> t0{x0.re + x2.re, x0.im + x2.im}, t1{x0.re - x2.re, x0.im - x2.im};
    const laneVector<W> t2{x1.re + x3.re, x1.im + x3.im};
    // (x1 - x3) times S i
    const laneVector<W> t3{(x1.im - x3.im) * -sign, (x1.re - x3.re) * sign};
    x0 = {t0.re + t2.re, t0.im + t2.im};
    x1 = {t0.re - t2.re, t0.im - t2.im};
    x2 = {t1.re + t3.re, t1.im + t3.im};
    x3 = {t1.re - t3.re, t1.im - t3.im};
}

// The butterfly with the outputs x1, x2, x3 multiplied by the twiddles w^2j, w^j, w^3j, given as
// w = (w^j, w^2j, w^3j), six floats.
template<int W, int S>
inline void butterfly4(laneVector<W>& x0, laneVector<W>& x1, laneVector<W>& x2, laneVector<W>& x3,
                       const float* w)
{
    butterfly4<W, S>(x0, x1, x2, x3);
    x1 = times(x1, w + 2);
    x2 = times(x2, w);
    x3 = times(x3, w + 4);
}

template<int W>
inline void butterfly2(laneVector<W>& x0, laneVector<W>& x1)
{
    const laneVector<W> sum{x0.re + x1.re, x0.im + x1.im};
    x1 = {x0.re - x1.re, x0.im - x1.im};
    x0 = sum;
}

// The butterflies on the lane vectors at p0 .. p3, in place; w as above, or null for all
// twiddles 1.
template<int W, int S>
inline void butterfly4At(float* p0, float* p1, float* p2, float* p3, const float* w)
{
    constexpr int P = partLanes<W>();
    for (int l = 0; l < W; l += P) {
        laneVector<P> x0 = loadLanes<P>(p0 + l, W), x1 = loadLanes<P>(p1 + l, W),
                      x2 = loadLanes<P>(p2 + l, W), x3 = loadLanes<P>(p3 + l, W);
        if (w)
            butterfly4<P, S>(x0, x1, x2, x3, w);
        else
            butterfly4<P, S>(x0, x1, x2, x3);
        storeLanes(p0 + l, x0, W);
        storeLanes(p1 + l, x1, W);
        storeLanes(p2 + l, x2, W);
        storeLanes(p3 + l, x3, W);
    }
}

template<int W>
inline void butterfly2At(float* p0, float* p1)
{
    constexpr int P = partLanes<W>();
    for (int l = 0; l < W; l += P) {
        laneVector<P> x0 = loadLanes<P>(p0 + l, W), x1 = loadLanes<P>(p1 + l, W);
        butterfly2(x0, x1);
        storeLanes(p0 + l, x0, W);
        storeLanes(p1 + l, x1, W);
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
        butterfly4At<W, S>(p, p + E * q, p + 2 * E * q, p + 3 * E * q, nullptr);
    }
    const float* t = tw + 6 * q;
    for (int j = 1; j < q; ++j) {
        const float* wj = t + 6 * j;
        for (int b = 0; b < n; b += s) {
            float* p = x + E * (b + j);
            butterfly4At<W, S>(p, p + E * q, p + 2 * E * q, p + 3 * E * q, wj);
        }
    }
}

// Blocks up to this many elements run stage by stage; longer ones split into quarters first,
// so that the later stages work on data that stays in the first-level cache.
constexpr int laneBlockFloats = 4096;

// The DIF stages of a block of s elements at x: radix 4, a final radix-2 stage when log2 s is odd.
// Without withLastStage the last stage (the 4-point or 2-point one) is left to the caller.
template<int W, int S>
void transformBlock(float* x, int s, const float* tw, bool withLastStage = true);

// The stages after the first of a block of s >= 16 elements: each quarter is a block of its own.
template<int W, int S>
void transformQuarters(float* x, int s, const float* tw, bool withLastStage)
{
    const int q = s / 4;
    for (int b = 0; b < 4; ++b)
        transformBlock<W, S>(x + 2 * W * b * q, q, tw, withLastStage);
}

template<int W, int S>
void transformBlock(float* x, int s, const float* tw, bool withLastStage)
{
    constexpr int E = 2 * W;
    if (s * E > laneBlockFloats && s >= 16) {
        radix4Stage<W, S>(x, s, s, tw);
        transformQuarters<W, S>(x, s, tw, withLastStage);
        return;
    }
    int len = s;
    for (; len >= 8; len /= 4)
        radix4Stage<W, S>(x, s, len, tw);
    if (!withLastStage)
        return;
    if (len == 4) {
        for (int b = 0; b < s; b += 4) {
            float* p = x + E * b;
            butterfly4At<W, S>(p, p + E, p + 2 * E, p + 3 * E, nullptr);
        }
    } else if (len == 2) {
        for (int b = 0; b < s; b += 2)
            butterfly2At<W>(x + E * b, x + E * (b + 1));
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

// Visits k = 0 .. count - 1 in order with its bit reversal r over n: f(k, r); count is n or,
// for n >= 8, n / 4.
template<typename F>
void forEachReversed(const Tables& tab, int n, int count, F f)
{
    const BitReversal rev(tab, n);
    const int lows = rev.lowCount();
    int k = 0;
    for (int high = 0; k < count; ++high) {
        const int rh = rev.reversedHigh(high);
        for (int low = 0; low < lows; ++low, ++k)
            f(k, rev.reversedLow(low) | rh);
    }
}

template<typename F>
void forEachReversed(const Tables& tab, int n, F f)
{
    forEachReversed(tab, n, n, f);
}

// Copies between the interleaved (re, im) layout of the array and lane vectors; the fixed
// shapes let the compiler turn each copy into a few shuffles.
template<int W>
inline laneVector<W> toLanes(const float* src)
{
    laneVector<W> v;
    for (int l = 0; l < W; ++l) {
        v.re[l] = src[2 * l];
        v.im[l] = src[2 * l + 1];
    }
    return v;
}

template<int W>
inline void fromLanes(const laneVector<W>& v, float* dst)
{
    for (int l = 0; l < W; ++l) {
        dst[2 * l] = v.re[l];
        dst[2 * l + 1] = v.im[l];
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

// The columns of a group are independent, so their order within the lane vectors does not
// matter as long as the copy back undoes it: these two leave the columns in the order 0, 1, 4, 5,
// 2, 3, 6, 7, which the in-lane shuffles give without lane-crossing permutations.
template<>
inline laneVector<8> toLanes<8>(const float* src)
{
    const __m256 a = _mm256_loadu_ps(src), b = _mm256_loadu_ps(src + 8);
    return {_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)),
            _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))};
}

template<>
inline void fromLanes<8>(const laneVector<8>& v, float* dst)
{
    _mm256_storeu_ps(dst, _mm256_unpacklo_ps(v.re, v.im));
    _mm256_storeu_ps(dst + 8, _mm256_unpackhi_ps(v.re, v.im));
}

// The row pass's copies for eight rows of n values, n a multiple of 4: values k .. k + 3 of the
// eight rows are one 8 x 8 transposition away from lane vectors k .. k + 3.
FFT_ALWAYS_INLINE inline void rowValuesToLanes8(float* const* r, int k, float* t)
{
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

inline void rowsToLanes8(float* const* r, int n, float* t)
{
    for (int k = 0; k < n; k += 4)
        rowValuesToLanes8(r, k, t);
}

// The copy in with the first radix-4 stage, for n a multiple of 16: the four lane vectors of
// each quarter at k .. k + 3 are copied, then their butterflies run while they are in the
// first-level cache.
template<int S>
void rowsToLanes8WithFirstStage(float* const* r, int n, float* t, const float* tw)
{
    const int q = n / 4;
    for (int k = 0; k < q; k += 4) {
        for (int d = 0; d < 4; ++d)
            rowValuesToLanes8(r, k + d * q, t);
        for (int j = k; j < k + 4; ++j)
            butterfly4At<8, S>(t + 16 * j, t + 16 * (j + q), t + 16 * (j + 2 * q),
                               t + 16 * (j + 3 * q), j == 0 ? nullptr : tw + 6 * (q + j));
    }
}

// Back: value k of the rows from lane vector bitReverse(k); values k + 1, k + 2 and k + 3 (k a
// multiple of 4) lie n / 2, n / 4 and 3 n / 4 lane vectors after it.
inline void lanesToRows8(const Tables& tab, int n, const float* t, float* const* r)
{
    const int quarter = n / 4;
    forEachReversed(tab, quarter, [&](int k4, int p) FFT_ALWAYS_INLINE {
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

// The row pass over eight rows of n values, n a multiple of 16, with the first stage in the copy.
// It pays only where the buffer is longer than one block of laneBlockFloats; shorter buffers stay
// in the first-level cache stage by stage, and the longer walk of the fused copy costs more.
template<int S>
void transformRowGroup8(float* const* r, int n, float* t, const Tables& tab)
{
    const float* tw = stageTwiddles<S>(tab, n);
    rowsToLanes8WithFirstStage<S>(r, n, t, tw);
    transformQuarters<8, S>(t, n, tw, true);
    lanesToRows8(tab, n, t, r);
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
        storeLanes(t + E * r, toLanes<W>(a[r] + c0));
    }
    transformLanes<W>(t, n1, isgn, tab);
    forEachReversed(tab, n1, [&](int r, int p) {
        if (r + prefetchRows < n1)
            prefetch(a[r + prefetchRows] + c0);
        fromLanes(loadLanes<W>(t + E * p), a[r] + c0);
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
    if (W == 8 && n % 16 == 0 && 2 * W * n > laneBlockFloats) {
        if (isgn >= 0)
            transformRowGroup8<1>(r, n, t, tab);
        else
            transformRowGroup8<-1>(r, n, t, tab);
        return;
    }
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

// The column pass over all groups of W complex columns of n1 >= 8 rows, with two buffers of
// 2 W n1 floats at t. Copying one group back and copying the next group in share one walk down
// the rows: the walks are what the column pass waits for, since every row is a separate cache
// miss. The walks also do the first and the last stage of the transform, so that the buffer is
// gone through two times fewer: with q = n1 / 4, step j of a walk copies rows j, j + q, j + 2q
// and j + 3q of the next group in and does the first stage's butterfly on them, and it does the
// last stage on lane vectors p .. p + 3 (p = bitReverse(j)) of the current group, which belong to
// rows j, j + 2q, j + q and j + 3q.
template<int W, int S>
void transformColumnsPipelined(int n1, int n2, float** a, float* t, const Tables& tab)
{
    constexpr int E = 2 * W;
    const int q = n1 / 4;
    const float* tw = stageTwiddles<S>(tab, n1);
    const bool lastStageRadix4 = log2Exact(n1) % 2 == 0;
    // Rows ahead of the walk that are asked for early, in steps of four rows.
    constexpr int ahead = 2;

    constexpr int P = partLanes<W>();

    const auto copyIn = [&](int c, int j, float* x) FFT_ALWAYS_INLINE {
        for (int l = 0; l < W; l += P) {
            const int f = c + 2 * l;
            laneVector<P> v0 = toLanes<P>(a[j] + f), v1 = toLanes<P>(a[j + q] + f),
                          v2 = toLanes<P>(a[j + 2 * q] + f), v3 = toLanes<P>(a[j + 3 * q] + f);
            if (j == 0)
                butterfly4<P, S>(v0, v1, v2, v3);
            else
                butterfly4<P, S>(v0, v1, v2, v3, tw + 6 * (q + j));
            storeLanes(x + E * j + l, v0, W);
            storeLanes(x + E * (j + q) + l, v1, W);
            storeLanes(x + E * (j + 2 * q) + l, v2, W);
            storeLanes(x + E * (j + 3 * q) + l, v3, W);
        }
    };
    const auto copyOut = [&](const float* x, int j, int p, int c) FFT_ALWAYS_INLINE {
        for (int l = 0; l < W; l += P) {
            const float* in = x + E * p + l;
            laneVector<P> v0 = loadLanes<P>(in, W), v1 = loadLanes<P>(in + E, W),
                          v2 = loadLanes<P>(in + 2 * E, W), v3 = loadLanes<P>(in + 3 * E, W);
            if (lastStageRadix4) {
                butterfly4<P, S>(v0, v1, v2, v3);
            } else {
                butterfly2(v0, v1);
                butterfly2(v2, v3);
            }
            const int f = c + 2 * l;
            fromLanes(v0, a[j] + f);
            fromLanes(v1, a[j + 2 * q] + f);
            fromLanes(v2, a[j + q] + f);
            fromLanes(v3, a[j + 3 * q] + f);
        }
    };
    // The stages between the first and the last.
    const auto middleStages = [&](float* x) { transformQuarters<W, S>(x, n1, tw, false); };

    float* current = t;
    float* next = t + E * n1;
    for (int j = 0; j < q; ++j) {
        if (j + ahead < q)
            for (int d = 0; d < 4; ++d)
                prefetch(a[j + ahead + d * q]);
        copyIn(0, j, current);
    }
    middleStages(current);
    for (int c0 = 0; c0 < n2; c0 += E) {
        const int c1 = c0 + E;
        const bool more = c1 < n2;
        forEachReversed(tab, n1, q, [&](int j, int p) {
            // Both lines of the rows the walk meets next: the ones the next group reads and the
            // ones this group writes back (evicted since its own walk), asked for as a write.
            if (j + ahead < q) {
                for (int d = 0; d < 4; ++d) {
                    float* row = a[j + ahead + d * q];
                    prefetch(row + (more ? c1 : c0));
                    if (more)
                        prefetchForWrite(row + c0);
                }
            }
            if (more)
                copyIn(c1, j, next);
            copyOut(current, j, p, c0);
        });
        if (more) {
            middleStages(next);
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
    if (wide > 0 && wide <= bufferFloats && n1 >= 8) {
        if (isgn >= 0)
            transformColumnsPipelined<8, 1>(n1, n2, a, t, tab);
        else
            transformColumnsPipelined<8, -1>(n1, n2, a, t, tab);
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
