// The row steps of the full-screen composition for processors with AVX2 + FMA, chosen at run
// time: the phase 32 pixels a step in the same double operations as the portable version, the
// expansion of gray palettes 32 pixels a step with byte shuffles.
#include "views/compositionRows.h"

#include "base/vectorPath.h"

#if PHASEDECK_AVX2_KERNELS
#include <immintrin.h>

void addPhaseRowAvx2(unsigned char* line, const unsigned char* base, const unsigned char* bg,
                     const double* xx, const double* xp, double yy, double lens, double py,
                     int width)
{
    const __m256d vyy = _mm256_set1_pd(yy), vlens = _mm256_set1_pd(lens), vpy = _mm256_set1_pd(py);
    const __m128i lowByte = _mm_set1_epi32(0xFF);
    // The low bytes of four pixels from k on, as 32-bit integers.
    auto four = [&](int k) {
        const __m256d sum = _mm256_add_pd(
            _mm256_add_pd(_mm256_mul_pd(_mm256_add_pd(_mm256_loadu_pd(xx + k), vyy), vlens),
                          _mm256_loadu_pd(xp + k)),
            vpy);
        return _mm_and_si128(_mm256_cvttpd_epi32(sum), lowByte);
    };
    auto sixteen = [&](int k) {
        return _mm_packus_epi16(_mm_packs_epi32(four(k), four(k + 4)),
                                _mm_packs_epi32(four(k + 8), four(k + 12)));
    };
    int c = 0;
    for (; c + 32 <= width; c += 32) {
        __m256i sum
            = _mm256_add_epi8(_mm256_set_m128i(sixteen(c + 16), sixteen(c)),
                              _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + c)));
        if (bg)
            sum = _mm256_add_epi8(sum,
                                  _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bg + c)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(line + c), sum);
    }
    if (c < width)
        addPhaseRowPortable(line + c, base + c, bg ? bg + c : nullptr, xx + c, xp + c, yy, lens, py,
                            width - c);
}

void expandIndexedRowAvx2(const unsigned char* src, const unsigned int* palette,
                          const unsigned char* grays, unsigned int* dst, int width)
{
    int c = 0;
    if (grays) {
        // The gray of 32 indexes from sixteen 16-entry tables (a table per high nibble): all
        // sixteen looked up by the low nibble, then the high nibble's bits pick the result in
        // a tree of blends (each blend reads the sign bit of its byte).
        __m256i table[16];
        for (int t = 0; t < 16; ++t)
            table[t] = _mm256_broadcastsi128_si256(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(grays + 16 * t)));
        const __m256i lowNibble = _mm256_set1_epi8(0x0F);
        // Pixels 4 g .. 4 g + 3 form group g. The indexes are first put into the group order
        // 0, 2, 4, 6 | 1, 3, 5, 7, so that every output of eight pixels (groups 2 k and 2 k + 1)
        // comes from group k of both halves without crossing them.
        const __m256i groupOrder = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
        const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
        auto spread = [](int k) {
            const char b = char(4 * k);
            return _mm256_setr_epi8(b, b, b, -1, char(b + 1), char(b + 1), char(b + 1), -1,
                                    char(b + 2), char(b + 2), char(b + 2), -1, char(b + 3),
                                    char(b + 3), char(b + 3), -1, b, b, b, -1, char(b + 1),
                                    char(b + 1), char(b + 1), -1, char(b + 2), char(b + 2),
                                    char(b + 2), -1, char(b + 3), char(b + 3), char(b + 3), -1);
        };
        const __m256i spread0 = spread(0), spread1 = spread(1), spread2 = spread(2),
                      spread3 = spread(3);
        for (; c + 32 <= width; c += 32) {
            const __m256i index = _mm256_permutevar8x32_epi32(
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + c)), groupOrder);
            const __m256i low = _mm256_and_si256(index, lowNibble);
            const __m256i bit4 = _mm256_slli_epi16(index, 3);
            const __m256i bit5 = _mm256_slli_epi16(index, 2);
            const __m256i bit6 = _mm256_slli_epi16(index, 1);
            auto pair = [&](int t, __m256i bit) {
                return _mm256_blendv_epi8(_mm256_shuffle_epi8(table[t], low),
                                          _mm256_shuffle_epi8(table[t + 1], low), bit);
            };
            // Written out, so that nothing waits on a loop.
            const __m256i q0 = _mm256_blendv_epi8(pair(0, bit4), pair(2, bit4), bit5);
            const __m256i q1 = _mm256_blendv_epi8(pair(4, bit4), pair(6, bit4), bit5);
            const __m256i q2 = _mm256_blendv_epi8(pair(8, bit4), pair(10, bit4), bit5);
            const __m256i q3 = _mm256_blendv_epi8(pair(12, bit4), pair(14, bit4), bit5);
            const __m256i gray = _mm256_blendv_epi8(_mm256_blendv_epi8(q0, q1, bit6),
                                                    _mm256_blendv_epi8(q2, q3, bit6), index);
            __m256i* out = reinterpret_cast<__m256i*>(dst + c);
            _mm256_storeu_si256(out, _mm256_or_si256(_mm256_shuffle_epi8(gray, spread0), alpha));
            _mm256_storeu_si256(out + 1,
                                _mm256_or_si256(_mm256_shuffle_epi8(gray, spread1), alpha));
            _mm256_storeu_si256(out + 2,
                                _mm256_or_si256(_mm256_shuffle_epi8(gray, spread2), alpha));
            _mm256_storeu_si256(out + 3,
                                _mm256_or_si256(_mm256_shuffle_epi8(gray, spread3), alpha));
        }
    }
    if (c < width)
        expandIndexedRowPortable(src + c, palette, grays, dst + c, width - c);
}

#else

void expandIndexedRowAvx2(const unsigned char* src, const unsigned int* palette,
                          const unsigned char* grays, unsigned int* dst, int width)
{
    expandIndexedRowPortable(src, palette, grays, dst, width);
}

void addPhaseRowAvx2(unsigned char* line, const unsigned char* base, const unsigned char* bg,
                     const double* xx, const double* xp, double yy, double lens, double py,
                     int width)
{
    addPhaseRowPortable(line, base, bg, xx, xp, yy, lens, py, width);
}

#endif
