// The peer of the DOE design benchmark: plain Gerchberg-Saxton on FFTW 3 in single precision,
// written as one would write it for speed.
#pragma once

#include <fftw3.h>

class DataField2D;

// 30 rounds of far-field modulus T, DOE-plane modulus 1 on an n x n grid from a random start, and
// the far field at the end: 62 transforms with measured FFTW 3 plans (one thread) and vectorised
// element loops. Everything but run() happens outside the timed region.
class gerchbergSaxtonPeer
{
public:
    // target: the n x n amplitude in transform order; the start phases come from seed.
    gerchbergSaxtonPeer(const DataField2D& target, unsigned seed);
    ~gerchbergSaxtonPeer();
    gerchbergSaxtonPeer(const gerchbergSaxtonPeer&) = delete;
    gerchbergSaxtonPeer& operator=(const gerchbergSaxtonPeer&) = delete;

    // The start field T exp(i phi) transformed back and made unit, the rounds and the far field.
    void run();
    // After run(): the RMS deviation of the far-field modulus from the target scaled by its
    // least-squares factor, relative to the scaled target's RMS (0 for a perfect fit).
    double farFieldDeviation() const;

private:
    int n;
    int count;
    float* amplitude;   // T, count values
    float* startPhasor; // cos, sin of the start phases, 2 count values
    fftwf_complex* z;
    fftwf_plan forward;
    fftwf_plan backward;
};
