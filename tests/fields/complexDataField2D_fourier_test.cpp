// Tests of Fourier coefficients, plane waves and the direct transforms, with the plane-wave
// coordinate boundary on even and odd sizes.
#include "fields/complexDataField2D.h"

#include "base/phasedeckGlobals.h"
#include "complexFieldTestFields.h"

namespace {

constexpr double pi = 3.141592653589793;
using cd = std::complex<double>;

// The plane-wave coordinate: i up to and including (size + 1) / 2, i - size beyond.
int waveCoordinate(int i, int size)
{
    return i <= (size + 1) / 2 ? i : i - size;
}

// A exp(i (a c(i) + b c(j))) evaluated directly.
complexFloat directWave(int i, int j, int sizeI, int sizeJ, double a, double b,
                        const complexFloat& A)
{
    const double phi = a * waveCoordinate(i, sizeI) + b * waveCoordinate(j, sizeJ);
    const cd value = cd(A.re, A.im) * std::polar(1.0, phi);
    return {float(value.real()), float(value.imag())};
}

// Sum of z exp(-i (a c(i) + b c(j))) evaluated directly in double.
cd directCoefficient(const complexDataField2D& field, double a, double b)
{
    cd sum = 0.0;
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i) {
            const complexFloat z = field.getValue(i, j);
            sum += cd(z.re, z.im)
                   * std::polar(1.0, -(a * waveCoordinate(i, field.getSizeI())
                                       + b * waveCoordinate(j, field.getSizeJ())));
        }
    return sum;
}

} // namespace

TEST(complexDataField2DFourier, integerPlaneWaveOnFourByOne)
{
    complexDataField2D field(4, 1, 0);
    field.setPlaneWave(1, 0, complexFloat{1.0f, 0.0f});
    expectComplexValues(field, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}}, 1e-6);

    const complexFloat A{0.5f, -2.0f};
    field.setPlaneWave(0, 0, A);
    expectComplexValues(field, std::vector<complexFloat>(4, A), 0.0);
}

TEST(complexDataField2DFourier, coordinatesChangeSignOneElementAfterTheCentre)
{
    // A step of 0.1 rad: the phases show each element's coordinate. Element 2 of 4 is +2,
    // element 3 of 5 is +3.
    struct Case
    {
        int size;
        std::vector<double> phases;
    };
    const Case cases[] = {{4, {0, 0.1, 0.2, -0.1}},
                          {5, {0, 0.1, 0.2, 0.3, -0.1}},
                          {1, {0}},
                          {2, {0, 0.1}},
                          {6, {0, 0.1, 0.2, 0.3, -0.2, -0.1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        complexDataField2D alongI(c.size, 1, 0);
        alongI.setPixelSize(2e-6, 3e-6);
        alongI.setPlaneWave(0.1 / (2 * pi * 2e-6), 0.0, complexFloat{1.0f, 0.0f});
        complexDataField2D alongJ(1, c.size, 0);
        alongJ.setPixelSize(2e-6, 3e-6);
        alongJ.setPlaneWave(0.0, 0.1 / (2 * pi * 3e-6), complexFloat{1.0f, 0.0f});
        for (int k = 0; k < c.size; ++k) {
            SCOPED_TRACE(k);
            const complexFloat expected{float(std::cos(c.phases[std::size_t(k)])),
                                        float(std::sin(c.phases[std::size_t(k)]))};
            expectComplexNear(alongI.getValue(k, 0), expected, 1e-6);
            expectComplexNear(alongJ.getValue(0, k), expected, 1e-6);
        }
    }
}

TEST(complexDataField2DFourier, twoDimensionalWavesMatchTheDirectFormula)
{
    struct Case
    {
        int sizeI, sizeJ;
        double fx, fy; // cycles per metre
    };
    const double dx = 2e-6, dy = 5e-6;
    const Case cases[] = {
        {4, 2, 3.0e4, -1.1e4}, {3, 2, 1.7e5, 4.0e4}, {5, 4, -2.2e4, 9.0e4}, {8, 5, 6.25e4, 1.0e5}};
    const complexFloat A{0.6f, -0.8f};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sizeI << " x " << c.sizeJ);
        complexDataField2D field(c.sizeI, c.sizeJ, 1);
        field.setPixelSize(dx, dy);
        field.setPlaneWave(c.fx, c.fy, A);
        EXPECT_EQ(field.getDomainFlag(), 1);
        EXPECT_EQ(field.getDx(), dx);
        expectComplexNear(field.getValue(0, 0), A, 0.0);
        const double a = 2 * pi * c.fx * dx;
        const double b = 2 * pi * c.fy * dy;
        for (int j = 0; j < c.sizeJ; ++j)
            for (int i = 0; i < c.sizeI; ++i) {
                SCOPED_TRACE(::testing::Message() << i << "," << j);
                expectComplexNear(field.getValue(i, j), directWave(i, j, c.sizeI, c.sizeJ, a, b, A),
                                  2e-6);
            }

        // The coefficient of that frequency recovers A times the element count.
        const complexFloat coefficient = field.getFourierComponent(c.fx, c.fy);
        const double n = c.sizeI * c.sizeJ;
        expectComplexNear(coefficient, {float(A.re * n), float(A.im * n)}, 1e-5 * n);

        // And any frequency matches the direct sum over the same coordinates.
        const complexDataField2D data = randomComplexField(c.sizeI, c.sizeJ, 7u);
        complexDataField2D pitched(data);
        pitched.setPixelSize(dx, dy);
        const cd expected = directCoefficient(pitched, a, b);
        expectComplexNear(pitched.getFourierComponent(c.fx, c.fy),
                          {float(expected.real()), float(expected.imag())}, 1e-5);
    }
}

TEST(complexDataField2DFourier, frequencyAndIntegerFormsAgree)
{
    complexDataField2D byIndex(4, 1, 0);
    byIndex.setPixelSize(2e-6, 1e-6);
    byIndex.setPlaneWave(1, 0, complexFloat{1.0f, 0.0f});
    complexDataField2D byFrequency(byIndex, true);
    byFrequency.setPlaneWave(1.0 / (4 * 2e-6), 0.0, complexFloat{1.0f, 0.0f});
    expectComplexValues(byFrequency, complexValuesOf(byIndex), 1e-6);

    const complexDataField2D data = randomComplexField(4, 2, 3u);
    complexDataField2D pitched(data);
    pitched.setPixelSize(2e-6, 5e-6);
    for (int kx = -2; kx <= 4; ++kx)
        for (int ky = -1; ky <= 2; ++ky) {
            SCOPED_TRACE(::testing::Message() << kx << "," << ky);
            expectComplexNear(pitched.getFourierComponent(kx, ky),
                              pitched.getFourierComponent(kx / (4 * 2e-6), ky / (2 * 5e-6)), 1e-5);
        }
}

TEST(complexDataField2DFourier, addAndSubtractWaves)
{
    const complexFloat A{1.5f, 0.5f};
    complexDataField2D single(3, 2, 0);
    single.setPlaneWave(1, 1, A);
    complexDataField2D field(single);
    field.addPlaneWave(1, 1, A);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i) {
            const complexFloat z = single.getValue(i, j);
            expectComplexNear(field.getValue(i, j), {2 * z.re, 2 * z.im}, 1e-6);
        }
    field.subtractPlaneWave(1, 1, A);
    expectComplexValues(field, complexValuesOf(single), 1e-6);

    complexDataField2D byFrequency(4, 2, 0);
    byFrequency.setPixelSize(1.0, 1.0);
    byFrequency.addPlaneWave(0.1, 0.2, A);
    byFrequency.addPlaneWave(0.1, 0.2, A);
    byFrequency.subtractPlaneWave(0.1, 0.2, A);
    complexDataField2D expected(4, 2, 0);
    expected.setPixelSize(1.0, 1.0);
    expected.setPlaneWave(0.1, 0.2, A);
    expectComplexValues(byFrequency, complexValuesOf(expected), 1e-6);
}

TEST(complexDataField2DFourier, zeroComponentIsTheSum)
{
    const complexDataField2D field = randomComplexField(3, 2, 11u);
    expectComplexNear(field.getFourierComponent(0, 0), field.getSum(), 1e-6);
    expectComplexNear(field.getFourierComponent(0.0, 0.0), field.getSum(), 1e-6);
}

TEST(complexDataField2DFourier, directTransformsAgainstFft)
{
    // dft takes exp(-i ...), idft exp(+i ...); neither scales. The release edition's fft takes
    // exp(+i ...), the internal edition's exp(-i ...).
    const double oldX = opticalParameters.defaultPixelSizeX;
    opticalParameters.defaultPixelSizeX = 7e-6;
    for (const auto& size : {std::pair<int, int>{4, 2}, {2, 8}, {8, 4}}) {
        SCOPED_TRACE(::testing::Message() << size.first << " x " << size.second);
        complexDataField2D data = randomComplexField(size.first, size.second, 5u);
        data.setPixelSize(1.0, 2.0);
        data.setDomainFlag(1);
        const boost::shared_ptr<complexDataField2D> forward = data.dft();
        const boost::shared_ptr<complexDataField2D> backward = data.idft();
        EXPECT_EQ(forward->getDomainFlag(), 0);
        EXPECT_EQ(backward->getDomainFlag(), 0);
        EXPECT_EQ(forward->getDx(), 7e-6);
        EXPECT_EQ(backward->getDx(), 7e-6);
        const boost::shared_ptr<complexDataField2D> fftResult = data.fftCopy();
        const boost::shared_ptr<complexDataField2D> ifftResult = data.ifftCopy();
        EXPECT_LT(relativeError(*forward, fftSign < 0 ? *fftResult : *ifftResult), 1e-5);
        EXPECT_LT(relativeError(*backward, fftSign < 0 ? *ifftResult : *fftResult), 1e-5);

        const boost::shared_ptr<complexDataField2D> roundTrip = forward->idft();
        const complexDataField2D scaled = data * float(size.first * size.second);
        EXPECT_LT(relativeError(*roundTrip, scaled), 1e-5);
        EXPECT_EQ(data.getDomainFlag(), 1);
    }
    opticalParameters.defaultPixelSizeX = oldX;
}

TEST(complexDataField2DFourier, directTransformOnOddSizes)
{
    const complexDataField2D data = randomComplexField(3, 5, 9u);
    const boost::shared_ptr<complexDataField2D> forward = data.dft();
    for (int l = 0; l < 5; ++l)
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(::testing::Message() << k << "," << l);
            const cd expected = directCoefficient(data, 2 * pi * k / 3, 2 * pi * l / 5);
            expectComplexNear(forward->getValue(k, l),
                              {float(expected.real()), float(expected.imag())}, 1e-5);
        }
    const boost::shared_ptr<complexDataField2D> back = forward->idft();
    EXPECT_LT(relativeError(*back, data * 15.0f), 1e-5);
}
