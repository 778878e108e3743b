// The complex 2-D field of single-precision values with its pixel pitch, domain flag and cached
// ranges, and the free arithmetic and transforms on such fields.
#pragma once

#include "fields/complexFloat.h"

#include <boost/shared_ptr.hpp>
#include <cstddef>

class DataField2D;

// A grid of sizeI x sizeJ complexFloat values in one block on a 64-byte boundary. The release
// edition stores one row per i of sizeJ interleaved (re, im) pairs (j runs fastest); the internal
// edition one block that FFTW 2 transforms in place, from FFTW's allocator when a hook is
// installed there, with element (i, j) at sizeI * j + i (i runs fastest). Only storage, allocation
// and the in-place transforms touch the storage; element-wise passes use the storage-order block,
// everything else goes through getValue / setValue.
// Lengths in metres. The domain flag (0 or 1) is flipped by every in-place transform; fields made
// from a DataField2D have flag 0.
class complexDataField2D
{
public:
    // Every element (0, 0), the default pixel pitch of the optical parameters. A negative size,
    // more than INT_MAX / 2 elements or storage that cannot be had gives an empty field (sizes 0,
    // no storage) with isOk() false; so does every constructor and assignment below.
    complexDataField2D(int sizeI, int sizeJ, int domainFlag);
    // Every element value, domain flag 0, the default pixel pitch.
    complexDataField2D(int sizeI, int sizeJ, const complexFloat& value);
    // Sizes, pitch and domain flag of source; its values, or zeros when shapeOnly is true.
    complexDataField2D(const complexDataField2D& source, bool shapeOnly = false);
    // Sizes and pitch of the real field (not its centre), domain flag 0, element (v, 0); empty
    // with isOk() false when its sizes do not fit as above.
    explicit complexDataField2D(const DataField2D& real);
    virtual ~complexDataField2D();

    // Takes sizes, pitch, domain flag and values of other; self-assignment does nothing.
    complexDataField2D& operator=(const complexDataField2D& other);
    // Sizes and pitch of the real field, domain flag 0, element (v, 0).
    complexDataField2D& operator=(const DataField2D& real);

    bool isOk() const { return ok; }

    int getSizeI() const { return sizeI; }
    int getSizeJ() const { return sizeJ; }
    double getDx() const { return dx; }
    double getDy() const { return dy; }
    void setPixelSize(double newDx, double newDy);
    void setDx(double newDx) { dx = newDx; }
    void setDy(double newDy) { dy = newDy; }
    int getDomainFlag() const { return domainFlag; }
    void setDomainFlag(int flag) { domainFlag = flag; }
    // dx, dy and domain flag written into (To) or read from (From) the other field.
    void copyParametersTo(boost::shared_ptr<complexDataField2D> other) const;
    void copyParametersFrom(boost::shared_ptr<complexDataField2D> other);
    // i * dx and j * dy: measured from element (0, 0), not from the centre.
    double getX(int i) const { return i * dx; }
    double getY(int j) const { return j * dy; }

    // Signed frequency order: i for i < (sizeI + 1) / 2, else i - sizeI (size 3: 0, 1, -1).
    int centeredIndexI(int i) const;
    int centeredIndexJ(int j) const;
    // -(size / 2) <= index < (size + 1) / 2 along both directions.
    bool isInCenteredRange(int i, int j) const;

    // Storage-order access for element-wise passes: the sizeI * sizeJ elements lie in one block
    // of interleaved (re, im) floats (null for an empty field), element (i, j) at position
    // elementIndex(i, j) of the block, counted in elements (release edition sizeJ * i + j,
    // internal edition sizeI * j + i). A pass that treats every element alike walks the block in
    // order; one with operands of another layout places them with elementIndex.
    float* elementData();
    const float* elementData() const;
    std::size_t elementCount() const { return std::size_t(sizeI) * std::size_t(sizeJ); }
    std::size_t elementIndex(int i, int j) const;

    // Element access (inline, after the class). Only getValueChecked tests the indices: outside
    // the field it shows the "Error!" box and returns (0, 0).
    complexFloat getValue(int i, int j) const;
    void setValue(int i, int j, const complexFloat& z);
    // Element (i, 0).
    void setValue(int i, const complexFloat& z) { setValue(i, 0, z); }
    complexFloat getValueChecked(int i, int j) const;
    // Both indices wrapped into 0 .. size - 1 (-1 reads the last element); an empty field
    // gives (0, 0).
    complexFloat getValuePeriodic(int i, int j) const;
#if PHASEDECK_LAB
    // The block as 2 sizeI sizeJ floats, element k = sizeI * j + i as (re, im); null when the
    // field has no elements.
    float* data() const;
    // Element k = sizeI * j + i of the block.
    void setValueAt(int k, float re, float im);
#else
    // The row table; element (i, j) is (rows[i][2 j], rows[i][2 j + 1]).
    float** getRows() const;
#endif

    // Geometric copies with this field's pitch and domain flag; this field stays unchanged.
    // nI x nJ with old element (sizeI / 2, sizeJ / 2) at new (nI / 2, nJ / 2), zero padded or
    // cropped.
    boost::shared_ptr<complexDataField2D> resizeCentered(int nI, int nJ) const;
    // Content moved by (+di, +dj) with wrap-around; any shift, also negative or beyond the size.
    boost::shared_ptr<complexDataField2D> cyclicShift(int di, int dj) const;

    // In-place arithmetic over this field (j outer, i inner); sizes, pitch and flag kept. The
    // operand must cover this field, otherwise the "Error!" box and this field stays unchanged.
    // An operand may be this field itself. Division by (0, 0) gives (0, 0).
    complexDataField2D& operator+=(const complexDataField2D& b);
    complexDataField2D& operator+=(boost::shared_ptr<complexDataField2D> b);
    complexDataField2D& operator+=(boost::shared_ptr<DataField2D> b);
    complexDataField2D& operator+=(const complexFloat& c);
    complexDataField2D& operator-=(const complexDataField2D& b);
    complexDataField2D& operator-=(const complexFloat& c);
    complexDataField2D& operator*=(const complexDataField2D& b);
    complexDataField2D& operator*=(const DataField2D& b);
    complexDataField2D& operator*=(boost::shared_ptr<complexDataField2D> b);
    complexDataField2D& operator*=(boost::shared_ptr<DataField2D> b);
    complexDataField2D& operator*=(const complexFloat& c);
    complexDataField2D& operator*=(float s);
    complexDataField2D& operator/=(const complexDataField2D& b);
    complexDataField2D& operator/=(const complexFloat& c);

    // Derived real fields: sizes of this field, centre 0, this field's pitch.
    boost::shared_ptr<DataField2D> getRealPart() const;
    boost::shared_ptr<DataField2D> getImagPart() const;
    boost::shared_ptr<DataField2D> getAmplitude() const;
    // atan2(im, re) in -pi .. pi; (-1, 0) gives pi.
    boost::shared_ptr<DataField2D> getPhase() const;
    // re^2 + im^2.
    boost::shared_ptr<DataField2D> getIntensity() const;

    // Every element z becomes z / |z|, (0, 0) staying (0, 0): the division by the single-precision
    // modulus where re^2 + im^2 is a normal float, unitPhasor(z) elsewhere; the two agree within
    // 2e-7 in each part.
    void makePhaseOnly();
    boost::shared_ptr<complexDataField2D> getPhaseOnly() const;
    // Every element z becomes (|z|, 0).
    void makeAbsolute();
    boost::shared_ptr<complexDataField2D> getAbsolute() const;
    // Returns |z| of every element as a real field (as the derived fields) and makes this field
    // phase-only in the same pass: z * (1 / |z|), (0, 0) where |z| == 0.
    boost::shared_ptr<DataField2D> splitAmplitude();

    // Cached ranges of real part, imaginary part and modulus, recomputed by every getter. The
    // pass starts from element (0, 0); a later NaN element changes nothing. An empty field has
    // all ranges 0.
    void computeStatistics();
    float getMaxRe();
    float getMinRe();
    float getMaxIm();
    float getMinIm();
    float getMaxAbs();
    float getMinAbs();
    // Squares of the cached modulus extremes.
    float getMaxIntensity();
    float getMinIntensity();
    void getRangeRe(float& min, float& max);
    void getRangeIm(float& min, float& max);
    void getRangeAbs(float& min, float& max);
    void getRangeIntensity(float& min, float& max);
    void getStatistics(float& minRe, float& maxRe, float& minIm, float& maxIm, float& minAbs,
                       float& maxAbs);

    // Sum of re^2 + im^2 in double.
    double getTotalIntensity() const;
    // Sum of all elements, accumulated in double.
    complexFloat getSum() const;
    // Changes between cyclic neighbours along i (countI, summed over every column) and along j
    // (countJ, over every row); exact comparison, a NaN always differs.
    void countValueChanges(int& countI, int& countJ) const;
    // countI * dx + countJ * dy.
    double getValueChangeLength() const;
    // true when the field holds at most n distinct values, two values counting as one when
    // |dRe| + |dIm| < 1e-6 (NaN matches nothing). An empty field gives true.
    bool hasAtMostNValues(int n) const;

    // Fourier coefficients and plane waves. Element i has the coordinate c(i) = i for
    // i <= (sizeI + 1) / 2, else i - sizeI (size 4: 0, 1, 2, -1), likewise j; the phase of
    // element (i, j) is a c(i) + b c(j). The integer forms take cycles across the field
    // (a = 2 pi k / size), the double forms cycles per metre (a = 2 pi f dx). Phasors are stepped
    // by multiplication, not evaluated per element; element (0, 0) of a wave is A exactly.
    // Sum of z(i, j) exp(-i phi(i, j)).
    complexFloat getFourierComponent(int kx, int ky) const;
    complexFloat getFourierComponent(double fx, double fy) const;
#if PHASEDECK_LAB
    // The same as getFourierComponent(k1, k2).
    complexFloat getDFTCoefficient(int k1, int k2) const;
#endif
    // Every element set to, increased by or decreased by A exp(+i phi(i, j)).
    void setPlaneWave(int kx, int ky, const complexFloat& A);
    void setPlaneWave(double fx, double fy, const complexFloat& A);
    void addPlaneWave(int kx, int ky, const complexFloat& A);
    void addPlaneWave(double fx, double fy, const complexFloat& A);
    void subtractPlaneWave(int kx, int ky, const complexFloat& A);
    void subtractPlaneWave(double fx, double fy, const complexFloat& A);
    // Direct transforms, time proportional to the square of the element count; domain flag 0
    // and the default pitch. dft element (k, l) = getFourierComponent(k, l); idft sums the plane
    // waves of every element. idft(dft(z)) = sizeI sizeJ z; neither scales.
    boost::shared_ptr<complexDataField2D> dft() const;
    boost::shared_ptr<complexDataField2D> idft() const;

#if PHASEDECK_LAB
    // In-place 2-D FFT through FFTW 2 and the plans of theFftwPlanCache (made for this size when
    // missing): fft with exp(-2 pi i jk / n) (FFTW_FORWARD), ifft with exp(+2 pi i jk / n) on both
    // axes, the opposite of the release edition; any sizes; unscaled, zero frequency at (0, 0);
    // each flips the domain flag. A field without elements only has its flag flipped.
    void fft();
    void ifft();
    // Measured plans for this field's size in the plan cache; transforms of this size use them
    // until one of another size replaces them.
    void prepareMeasuredPlans() const;
    // The program's own FFT (complexFFT2D) on a copy of the block in rows: exp(+2 pi i jk / n)
    // (fft...) or exp(-2 pi i jk / n) (ifft...), otherwise as fft. Both sizes must be powers of
    // two; otherwise the "Error!" box and the field and its flag stay unchanged.
    void fftViaComplexFFT2D();
    void ifftViaComplexFFT2D();
#else
    // In-place 2-D FFT: fft with exp(+2 pi i jk / n), ifft with exp(-2 pi i jk / n) on both axes,
    // unscaled, zero frequency at (0, 0); each flips the domain flag. Both sizes must be powers
    // of two; otherwise the "Error!" box and the field and its flag stay unchanged.
    void fft();
    void ifft();
#endif
    // A full copy transformed; this field unchanged.
    boost::shared_ptr<complexDataField2D> fftCopy() const;
    boost::shared_ptr<complexDataField2D> ifftCopy() const;

    // (1, 0) where re^2 + im^2 >= t or is NaN, else (0, 0); this field's pitch and flag.
    boost::shared_ptr<complexDataField2D> binarizeIntensity(float t) const;

private:
    // Storage for the sizes set before, which become 0 (with ok false) when they are refused.
    void allocateChecked();
    // Storage for sizeI x sizeJ elements (checked sizes); false, with no storage, when memory is
    // refused. A field without elements holds no storage.
    bool allocate();
    void deallocate();
    void fillWith(const complexFloat& value);
    // All elements of a source of the same sizes.
    void copyValuesFrom(const complexDataField2D& source);
    void fromRealField(const DataField2D& real);
    // true when both sizes are powers of two; otherwise the "Error!" box naming method.
    bool hasPowerOfTwoSizes(const char* method) const;

    bool ok;
    int domainFlag;
    int sizeI;
    int sizeJ;
    double dx;
    double dy;
#if PHASEDECK_LAB
    complexFloat* buffer = nullptr;
#else
    float** rows = nullptr;
#endif
    float maxRe;
    float minRe;
    float maxIm;
    float minIm;
    float maxAbs;
    float minAbs;
};

#if PHASEDECK_LAB
inline std::size_t complexDataField2D::elementIndex(int i, int j) const
{
    return std::size_t(sizeI) * std::size_t(j) + std::size_t(i);
}

inline complexFloat complexDataField2D::getValue(int i, int j) const
{
    return buffer[sizeI * j + i];
}

inline void complexDataField2D::setValue(int i, int j, const complexFloat& z)
{
    buffer[sizeI * j + i] = z;
}

inline float* complexDataField2D::data() const
{
    return reinterpret_cast<float*>(buffer);
}

inline void complexDataField2D::setValueAt(int k, float re, float im)
{
    buffer[k] = {re, im};
}

inline complexFloat complexDataField2D::getDFTCoefficient(int k1, int k2) const
{
    return getFourierComponent(k1, k2);
}
#else
inline std::size_t complexDataField2D::elementIndex(int i, int j) const
{
    return std::size_t(sizeJ) * std::size_t(i) + std::size_t(j);
}

inline complexFloat complexDataField2D::getValue(int i, int j) const
{
    return {rows[i][2 * j], rows[i][2 * j + 1]};
}

inline void complexDataField2D::setValue(int i, int j, const complexFloat& z)
{
    rows[i][2 * j] = z.re;
    rows[i][2 * j + 1] = z.im;
}

inline float** complexDataField2D::getRows() const
{
    return rows;
}
#endif

// Element functions of the combiners.
using complexElementFunction = complexFloat (*)(const complexFloat& a, const complexFloat& b);
using complexRealElementFunction = complexFloat (*)(const complexFloat& a, const float& r);
using realComplexElementFunction = complexFloat (*)(const float& r, const complexFloat& c);

complexFloat elementAdd(const complexFloat& a, const complexFloat& b);
complexFloat elementAddReal(const complexFloat& a, const float& r);
complexFloat elementSubtract(const complexFloat& a, const complexFloat& b);
complexFloat elementSubtractReal(const complexFloat& a, const float& r);
// (r - c.re, -c.im).
complexFloat elementRealMinus(const float& r, const complexFloat& c);
complexFloat elementMultiply(const complexFloat& a, const complexFloat& b);
complexFloat elementMultiplyReal(const complexFloat& a, const float& r);
// (0, 0) when b is (0, 0), else a / b.
complexFloat elementDivide(const complexFloat& a, const complexFloat& b);

// The combiners: a copy of the operand whose metadata the result takes (sizes, pitch, domain
// flag, values), with every element of the loop's field replaced by f of the two operands'
// elements at (i, j). The other operand must cover the loop's field; otherwise the "Error!" box
// and the unchanged copy. Inputs are never changed and the result never aliases an operand.
// Result and loop: the first complex field's.
complexDataField2D combine(const complexDataField2D& a, const complexDataField2D& b,
                           complexElementFunction f);
complexDataField2D combine(const complexDataField2D& a, float s, complexRealElementFunction f);
complexDataField2D combine(const complexDataField2D& a, const complexFloat& c,
                           complexElementFunction f);
// Result and loop: the real field's sizes and pitch, domain flag 0.
complexDataField2D combine(const DataField2D& r, const complexDataField2D& a,
                           realComplexElementFunction f);
boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a,
                                              boost::shared_ptr<complexDataField2D> b,
                                              complexElementFunction f);
boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a,
                                              const complexFloat& c, complexElementFunction f);
boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a, float s,
                                              complexRealElementFunction f);
boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a,
                                              boost::shared_ptr<DataField2D> r,
                                              complexRealElementFunction f);
// Result: the complex field's metadata; loop: the real field.
boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<DataField2D> r,
                                              boost::shared_ptr<complexDataField2D> a,
                                              realComplexElementFunction f);

complexDataField2D operator+(const complexDataField2D& a, const complexDataField2D& b);
complexDataField2D operator+(const complexDataField2D& a, float s);
complexDataField2D operator+(float s, const complexDataField2D& a);
complexDataField2D operator+(const complexDataField2D& a, const complexFloat& c);
complexDataField2D operator+(const complexFloat& c, const complexDataField2D& a);
boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b);
boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a, float s);
boost::shared_ptr<complexDataField2D> operator+(float s, boost::shared_ptr<complexDataField2D> a);
boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a,
                                                const complexFloat& c);
boost::shared_ptr<complexDataField2D> operator+(const complexFloat& c,
                                                boost::shared_ptr<complexDataField2D> a);
boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<DataField2D> r);
boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<DataField2D> r,
                                                boost::shared_ptr<complexDataField2D> a);

complexDataField2D operator-(const complexDataField2D& a, const complexDataField2D& b);
complexDataField2D operator-(const complexDataField2D& a, const complexFloat& c);
complexDataField2D operator-(const complexFloat& c, const complexDataField2D& a);
complexDataField2D operator-(const complexDataField2D& a, float s);
complexDataField2D operator-(float s, const complexDataField2D& a);
complexDataField2D operator-(const complexDataField2D& a);
boost::shared_ptr<complexDataField2D> operator-(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b);
boost::shared_ptr<complexDataField2D> operator-(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<DataField2D> r);
// (r - re, -im).
boost::shared_ptr<complexDataField2D> operator-(boost::shared_ptr<DataField2D> r,
                                                boost::shared_ptr<complexDataField2D> a);

complexDataField2D operator*(const complexDataField2D& a, const complexDataField2D& b);
complexDataField2D operator*(const complexDataField2D& a, float s);
complexDataField2D operator*(float s, const complexDataField2D& a);
complexDataField2D operator*(const complexDataField2D& a, const complexFloat& c);
complexDataField2D operator*(const complexFloat& c, const complexDataField2D& a);
boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b);
boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a, float s);
boost::shared_ptr<complexDataField2D> operator*(float s, boost::shared_ptr<complexDataField2D> a);
boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a,
                                                const complexFloat& c);
boost::shared_ptr<complexDataField2D> operator*(const complexFloat& c,
                                                boost::shared_ptr<complexDataField2D> a);
boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<DataField2D> r);
boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<DataField2D> r,
                                                boost::shared_ptr<complexDataField2D> a);

complexDataField2D operator/(const complexDataField2D& a, const complexDataField2D& b);
complexDataField2D operator/(const complexDataField2D& a, const complexFloat& c);
complexDataField2D operator/(const complexDataField2D& a, float s);
boost::shared_ptr<complexDataField2D> operator/(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b);

// Transformed copies of the argument, which stays unchanged.
complexDataField2D fft(const complexDataField2D& a);
complexDataField2D ifft(const complexDataField2D& a);
boost::shared_ptr<complexDataField2D> fft(boost::shared_ptr<complexDataField2D> a);
boost::shared_ptr<complexDataField2D> ifft(boost::shared_ptr<complexDataField2D> a);
