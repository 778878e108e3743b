// Free functions on fields from which DOE designs are built: row sums, coefficients, efficiency,
// the lens field, random phases, phase binarisation and quantisation, envelope pre-compensation.
#pragma once

#include "fields/complexFloat.h"

#include <boost/shared_ptr.hpp>
#include <vector>

class DataField2D;
class complexDataField2D;
class signalOrderList;

// Loops run j (0 .. sizeJ - 1) outside and i inside. Phases in radians; pitches and focal
// lengths in metres, wavelengths in metres. Every function that draws random phases first seeds
// the generator from the clock (seconds), so two calls within one second repeat their phases.

// Row 0 of f as a sizeI x 1 field (centre 0, default pitch): element i the sum of elements
// 0 .. i accumulated in double. A field without a row gives zeros.
boost::shared_ptr<DataField2D> runningSum(boost::shared_ptr<DataField2D> f);
// The same shape: element 0 is f(0), element i is f(i) - f(i - 1).
boost::shared_ptr<DataField2D> differences(boost::shared_ptr<DataField2D> f);

// Sum of z(i, j) polarUnit(fx x + fy y) with x = i dx, y = j dy (uncentred), in floats.
complexFloat fourierCoefficient(boost::shared_ptr<complexDataField2D> f, double fx, double fy);
// Least-squares factor fitting a to b: sum conj(a) b / sum |a|^2 over a's sizes (double sums);
// (0, 0) for a zero a. b must cover a; otherwise the "Error!" box and (0, 0), nothing is read.
complexFloat overlapCoefficient(complexDataField2D& a, complexDataField2D& b);
// sum a b / sum a^2, 0.0 for a zero a; size rule as above, 0.0 on a mismatch.
double overlapCoefficient(DataField2D& a, DataField2D& b);
// The list's amplitudeScale.
double amplitudeScale(signalOrderList& list);
// Share of the far-field power (unscaled forward transform, N * sum |z|^2 for N elements) in the
// orders: sum |c_k|^2 / (N sum |z|^2), 0 for a zero field. With resample the orders' amplitudes
// are first sampled from the field. Rewrites the list's intensity sum.
double diffractionEfficiency(boost::shared_ptr<complexDataField2D> field, signalOrderList& orders,
                             bool resample);
// sizeI * sizeJ.
double pixelCount(complexDataField2D& f);

// Quadratic lens phase polarUnit(cx i^2 + cy j^2), cx = pi dx^2 / (wavelength fX), in transform
// order (centre at element (0, 0), centred index -(n / 2) .. (n - 1) / 2 wrapped). Every element
// is written, odd sizes included. Wavelength <= 0 or a zero focal length gives a zero field;
// either way the field carries the pitch (dx, dy).
boost::shared_ptr<complexDataField2D> lensField(int nI, int nJ, double dx, double dy,
                                                double wavelength, double focalLengthX,
                                                double focalLengthY);

// Random phases t in 0 .. 2 pi, one draw per element in loop order.
// z becomes z polarUnit(t), in place.
void applyRandomPhase(boost::shared_ptr<complexDataField2D> f);
// nI x nJ of polarUnit(t), default pitch.
boost::shared_ptr<complexDataField2D> randomPhaseField(int nI, int nJ);
// amplitude(i, j) polarUnit(t), sizes and pitch of the amplitude field, domain flag 0. The
// amplitude field is not changed.
boost::shared_ptr<complexDataField2D> randomPhaseField(boost::shared_ptr<DataField2D> amplitude);
// out(i, j) = amplitude(i, j) polarUnit(t) over the amplitude's sizes; out must cover them,
// otherwise the "Error!" box and out stays unchanged.
void fillWithRandomPhase(boost::shared_ptr<DataField2D> amplitude,
                         boost::shared_ptr<complexDataField2D> out);
// A copy with every element |z| polarUnit(t).
complexDataField2D randomizePhase(complexDataField2D& f);
// A copy with Hermitian-paired random phases: for j < (sizeJ - 1) / 2 + 1, element (i, j) gets
// |f(i, j)| polarUnit(t) and element (-i, -j) (wrapped) |f(i, j)| polarUnit(-t), written pair by
// pair with i outside. For an even sizeJ column sizeJ / 2 keeps f's values.
complexDataField2D randomizePhaseHermitian(complexDataField2D& f);
// The list's randomizePhases.
void randomizeSignalOrderPhases(signalOrderList& list);

// Binarisation with a = pi t / 2, b = pi - a for the fraction t and phi = atan2(im, re).
// A copy keeping the modulus: phases between a and pi / 2 are halved until |phi| <= a, phases
// between pi / 2 and b move half-way towards +-pi until |phi| >= b; +-pi / 2 stays; t >= 1
// changes nothing.
complexDataField2D binarizePhaseGradually(complexDataField2D& f, double fraction);
// In place, every modulus set to 1: |phi| < a becomes 0, |phi| > b becomes +pi (also for
// negative phi), the rest keeps its phase.
void binarizePhasePartially(boost::shared_ptr<complexDataField2D> f, double fraction);

// In place, every modulus set to 1. Levels q_k = k 2 pi / levels - pi with
// k = floor((pi + phi) / step + 0.4999999999); a phase within fraction * step / 2 of its level
// snaps to it, the others keep their phase. Fraction 1 snaps every phase but an exact half-way
// one; fraction 0 snaps none. levels < 1 only sets the modulus to 1. A snapped element becomes
// exactly quantizationLevelPhasor(k, levels). With levelIndex (f's element count of ints),
// element number e of f's storage-order block leaves its level k there, or -1 where it kept its
// phase.
void quantizePhasePartially(boost::shared_ptr<complexDataField2D> f, double fraction, int levels,
                            int* levelIndex = nullptr);
// polarUnit(float(k 2 pi / levels - pi)) for level k = 0 .. levels (levels >= 1).
complexFloat quantizationLevelPhasor(int k, int levels);
// A full copy (sizes, pitch, domain flag, values) quantised as above; f unchanged.
boost::shared_ptr<complexDataField2D> quantizedPhaseCopy(boost::shared_ptr<complexDataField2D> f,
                                                         double fraction, int levels);

// Divides a target by the far-field envelope of square pixels, in place. With px = periodX
// (sizeI when 0), py likewise, s(i, j) = sinc((i - sizeI / 2) / px) sinc((j - sizeJ / 2) / py):
// every element v != 0 becomes (s(0, 0) / s(i, j))^exponent v. The centre pixel is scaled by
// s(0, 0)^exponent, pixel (0, 0) keeps its value; zero elements, and elements where
// s(i, j)^exponent is 0 (a period shorter than the field), stay unchanged.
void precompensateSincEnvelope(boost::shared_ptr<DataField2D> target, int periodX, int periodY,
                               double exponent);
// What precompensateSincEnvelope does to one element of a sizeI x sizeJ target, for callers that
// build a target in another order; the sinc factors along i and along j are computed once.
class sincEnvelopeCompensation
{
public:
    sincEnvelopeCompensation(int sizeI, int sizeJ, int periodX, int periodY, double exponent);
    // float(s(0, 0)^e / s(i, j)^e * v), the product s(i, j) formed in double; v itself where
    // v == 0 or s(i, j)^e == 0.
    float apply(float v, int i, int j) const
    {
        if (v == 0.0f)
            return v;
        const double local = power(alongI[std::size_t(i)] * alongJ[std::size_t(j)]);
        return local == 0.0 ? v : float(reference / local * v);
    }

private:
    double power(double envelope) const;

    double exponent;
    double reference;
    std::vector<double> alongI;
    std::vector<double> alongJ;
};
// The same with the exponent doubled.
void precompensateSincEnvelopeSquared(boost::shared_ptr<DataField2D> target, int periodX,
                                      int periodY, double exponent);
