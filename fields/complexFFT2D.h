// The program's own single-precision, in-place, unnormalised 2-D complex FFT on an array of rows,
// with the row allocator that complex fields keep their storage in.
#pragma once

// A 2-D array is a table of N1 row pointers; row r holds N2 floats, N2 / 2 complex values as
// interleaved (re, im) pairs: value (r, k) is (a[r][2k], a[r][2k + 1]). N1 and N2 / 2 are powers
// of two, N1 >= 1 and N2 >= 2; other sizes are outside the contract and are not checked.
//
// Work areas, kept by the caller between calls (N = max(N1, N2 / 2)):
// - ip: ints, at least complexFFT2DIpSize entries. ip[0] is the size nw of the table held in w,
//   0 for none: set ip[0] = 0 before the first call. ip[1] and ip[2] onward belong to the table.
// - w: floats, at least complexFFT2DTableSize entries: the cos/sin table built for the longest
//   length seen so far. A table built for a length serves every shorter one; a longer transform
//   rebuilds it.
// - t: the optional column buffer, complexFFT2DColumnBufferSize floats (8 N1 when N2 > 4, 4 N1
//   when N2 == 4, 2 N1 when N2 == 2).

// Minimum entries of ip for an N1 x N2 transform: 2 + floor(sqrt(max(N1, N2 / 2))).
int complexFFT2DIpSize(int n1, int n2);
// Minimum floats of w for an N1 x N2 transform: max(N1 / 2, N2 / 4).
int complexFFT2DTableSize(int n1, int n2);
// Floats of the column buffer t for an N1 x N2 transform.
int complexFFT2DColumnBufferSize(int n1, int n2);

// Allocates n 4-byte elements on a 64-byte boundary (alignedArray.h), used for floats (w, t)
// and for the int table ip; release with std::free. When the allocation fails, "Allocation
// Failure!" goes to the error output and the process ends with exit code 1.
void* allocFloatArray1D(int n);
// Allocates the table of n1 row pointers and one block of n1 * n2 floats on a 64-byte boundary,
// row r starting at float r * n2 of the block; the values are not initialised. Failure of either
// allocation ends the process as allocFloatArray1D does.
float** allocFloatArray2D(int n1, int n2);
// The same, but a refused allocation (or a negative size) gives null, with nothing left allocated.
float** allocFloatArray2DOrNull(int n1, int n2);
// Frees the block (through row 0) and then the row table; a null table does nothing.
void freeFloatArray2D(float** a);

// Replaces the N1 x N2 / 2 complex values x of a by
//   X(k1, k2) = sum over j1, j2 of x(j1, j2) exp(s 2 pi i (j1 k1 / N1 + j2 k2 / (N2 / 2)))
// with s = +1 for isgn >= 0 and s = -1 for isgn < 0, in natural order (X(0, 0) is the zero
// frequency) and unscaled: isgn +1 followed by isgn -1 multiplies the data by N1 N2 / 2.
// t may be null: the column buffer is then allocated (64-byte aligned) for the call; when that
// fails, "fft2d memory allocation error" goes to the error output and the process ends with exit
// code 1. Builds the table in w when max(2 N1, N2) > 4 ip[0].
void complexFFT2D(int n1, int n2, int isgn, float** a, float* t, int* ip, float* w);
// complexFFT2D with ip and w allocated for this call alone (the tables are built afresh and freed
// after it) and its own column buffer.
void complexFFT2DOnce(int n1, int n2, int isgn, float** a);
// The column pass of complexFFT2D alone: transforms every column of a along the row index. t must
// not be null; the table in w must already serve length max(2 N1, N2).
void complexFFT2DColumns(int n1, int n2, int isgn, float** a, float* t, int* ip, float* w);
// The same transform in one dimension over the n / 2 complex values of the n floats of a
// (n / 2 a power of two, n >= 2), in place; builds the table when n > 4 ip[0]. ip needs
// 2 + floor(sqrt(n / 2)) entries and w n / 4 floats (at least those of the longest length seen).
void complexFFT1D(int n, int isgn, float* a, int* ip, float* w);
// Builds the cos/sin table for transforms of up to 2 nw complex values into w[0 .. nw - 1] and
// sets ip[0] = nw, ip[1] = 1 (ip[2] onward through makeBitReversalTable).
void makeTwiddleTable(int nw, int* ip, float* w);
// Fills ip[2] onward with the bit-reversal table for tables of size nw.
void makeBitReversalTable(int nw, int* ip);
