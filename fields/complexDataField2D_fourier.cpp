// complexDataField2D: single Fourier coefficients, plane-wave writers and the direct discrete
// transforms built from them.
#include "fields/complexDataField2D.h"

namespace {

constexpr double pi = 3.141592653589793;

// Calls visit(i, j, q) for every element, j outer and i inner, with q = start * exp(i phi(i, j)),
// phi = a c(i) + b c(j). The phasors are stepped in single precision: by polar(a) within the
// coordinate run and by polar(a (1 - size)) across the boundary after element (size + 1) / 2,
// where c jumps from (size + 1) / 2 to (size + 1) / 2 + 1 - size.
template<typename Visit>
void stepPhasors(int sizeI, int sizeJ, double a, double b, const complexFloat& start, Visit visit)
{
    if (sizeI <= 0 || sizeJ <= 0)
        return;
    const complexFloat stepI = polarUnit(static_cast<float>(a));
    const complexFloat wrapI = polarUnit(static_cast<float>(a * (1 - sizeI)));
    const complexFloat stepJ = polarUnit(static_cast<float>(b));
    const complexFloat wrapJ = polarUnit(static_cast<float>(b * (1 - sizeJ)));
    const int boundaryI = (sizeI + 1) / 2;
    const int boundaryJ = (sizeJ + 1) / 2;
    complexFloat rowPhasor = start;
    for (int j = 0; j < sizeJ; ++j) {
        complexFloat q = rowPhasor;
        for (int i = 0; i < sizeI; ++i) {
            visit(i, j, q);
            q = elementMultiply(q, i == boundaryI ? wrapI : stepI);
        }
        rowPhasor = elementMultiply(rowPhasor, j == boundaryJ ? wrapJ : stepJ);
    }
}

// Sum of z(i, j) exp(i phi(i, j)) in double.
complexFloat phasorSum(const complexDataField2D& field, double a, double b)
{
    double re = 0.0;
    double im = 0.0;
    stepPhasors(field.getSizeI(), field.getSizeJ(), a, b, {1.0f, 0.0f},
                [&](int i, int j, const complexFloat& q) {
                    const complexFloat z = field.getValue(i, j);
                    re += static_cast<double>(z.re) * q.re - static_cast<double>(z.im) * q.im;
                    im += static_cast<double>(z.im) * q.re + static_cast<double>(z.re) * q.im;
                });
    return {static_cast<float>(re), static_cast<float>(im)};
}

enum class WaveMode { Set, Add, Subtract };

void writeWave(complexDataField2D& field, double a, double b, const complexFloat& A, WaveMode mode)
{
    stepPhasors(field.getSizeI(), field.getSizeJ(), a, b, A,
                [&](int i, int j, const complexFloat& q) {
                    switch (mode) {
                    case WaveMode::Set:
                        field.setValue(i, j, q);
                        break;
                    case WaveMode::Add:
                        field.setValue(i, j, elementAdd(field.getValue(i, j), q));
                        break;
                    case WaveMode::Subtract:
                        field.setValue(i, j, elementSubtract(field.getValue(i, j), q));
                        break;
                    }
                });
}

// Step angles of the integer forms (cycles across the field) and of the frequency forms
// (cycles per metre).
double indexStep(int k, int size)
{
    return size > 0 ? 2.0 * pi * k / size : 0.0;
}

double frequencyStep(double f, double pitch)
{
    return 2.0 * pi * f * pitch;
}

} // namespace

complexFloat complexDataField2D::getFourierComponent(int kx, int ky) const
{
    return phasorSum(*this, -indexStep(kx, sizeI), -indexStep(ky, sizeJ));
}

complexFloat complexDataField2D::getFourierComponent(double fx, double fy) const
{
    return phasorSum(*this, -frequencyStep(fx, dx), -frequencyStep(fy, dy));
}

void complexDataField2D::setPlaneWave(int kx, int ky, const complexFloat& A)
{
    writeWave(*this, indexStep(kx, sizeI), indexStep(ky, sizeJ), A, WaveMode::Set);
}

void complexDataField2D::setPlaneWave(double fx, double fy, const complexFloat& A)
{
    writeWave(*this, frequencyStep(fx, dx), frequencyStep(fy, dy), A, WaveMode::Set);
}

void complexDataField2D::addPlaneWave(int kx, int ky, const complexFloat& A)
{
    writeWave(*this, indexStep(kx, sizeI), indexStep(ky, sizeJ), A, WaveMode::Add);
}

void complexDataField2D::addPlaneWave(double fx, double fy, const complexFloat& A)
{
    writeWave(*this, frequencyStep(fx, dx), frequencyStep(fy, dy), A, WaveMode::Add);
}

void complexDataField2D::subtractPlaneWave(int kx, int ky, const complexFloat& A)
{
    writeWave(*this, indexStep(kx, sizeI), indexStep(ky, sizeJ), A, WaveMode::Subtract);
}

void complexDataField2D::subtractPlaneWave(double fx, double fy, const complexFloat& A)
{
    writeWave(*this, frequencyStep(fx, dx), frequencyStep(fy, dy), A, WaveMode::Subtract);
}

boost::shared_ptr<complexDataField2D> complexDataField2D::dft() const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(sizeI, sizeJ, 0));
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            result->setValue(i, j, getFourierComponent(i, j));
    return result;
}

boost::shared_ptr<complexDataField2D> complexDataField2D::idft() const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(sizeI, sizeJ, 0));
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            result->addPlaneWave(i, j, getValue(i, j));
    return result;
}
