// The row steps of the full-screen composition: the per-pixel phase and the expansion of the
// 8-bit bitmap through its palette, each in a portable and an AVX2 + FMA version with
// bit-identical results (no Qt types, so that the AVX2 file stays free of them).
#pragma once

// line[c] = base[c] + trunc((xx[c] + yy) lens + xp[c] + py) (+ bg[c] when bg is not null),
// modulo 256, for c < width; the double sum is truncated toward zero to a 32-bit integer. base
// may be line itself.
void addPhaseRowPortable(unsigned char* line, const unsigned char* base, const unsigned char* bg,
                         const double* xx, const double* xp, double yy, double lens, double py,
                         int width);
void addPhaseRowAvx2(unsigned char* line, const unsigned char* base, const unsigned char* bg,
                     const double* xx, const double* xp, double yy, double lens, double py,
                     int width);

// dst[c] = palette[src[c]] for c < width (palette: 256 entries). grays, when not null, says that
// the palette is opaque gray: palette[i] = 0xFF000000 | grays[i] * 0x010101.
void expandIndexedRowPortable(const unsigned char* src, const unsigned int* palette,
                              const unsigned char* grays, unsigned int* dst, int width);
void expandIndexedRowAvx2(const unsigned char* src, const unsigned int* palette,
                          const unsigned char* grays, unsigned int* dst, int width);
