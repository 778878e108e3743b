// Tests of the complex field's in-place FFT, its transformed copies and the intensity mask:
// impulses, constants, plane waves, round trips and a direct sum, on non-square sizes (and odd
// ones in the internal edition), with the edition's sign.
#include "fields/complexDataField2D.h"

#include "complexFieldTestFields.h"
#include "support/messageRecorder.h"

#include <limits>
#include <utility>

namespace {

constexpr double pi = 3.141592653589793;
using cd = std::complex<double>;

using sizeList = std::vector<std::pair<int, int>>;

// Powers of two; the internal edition's FFTW transforms any size.
sizeList transformSizes()
{
    sizeList sizes = {{1, 1}, {4, 2}, {2, 4}, {1, 8}, {8, 1}, {8, 8}, {16, 4}, {4, 32}, {64, 128}};
#if PHASEDECK_LAB
    sizes.insert(sizes.end(),
                 {{3, 5}, {5, 3}, {6, 10}, {7, 1}, {1, 9}, {12, 9}, {15, 16}, {30, 14}});
#endif
    return sizes;
}

// Sizes for the direct sum, which takes time of the square of the element count.
sizeList directSumSizes()
{
    sizeList sizes = {{8, 4}, {2, 16}, {16, 2}, {4, 4}};
#if PHASEDECK_LAB
    sizes.insert(sizes.end(), {{3, 5}, {6, 4}, {7, 9}, {10, 1}});
#endif
    return sizes;
}

// Sum of z(j1, j2) exp(s 2 pi i (j1 k1 / n1 + j2 k2 / n2)) in double.
complexDataField2D directTransform(const complexDataField2D& field, int sign)
{
    const int n1 = field.getSizeI();
    const int n2 = field.getSizeJ();
    complexDataField2D result(n1, n2, 0);
    for (int k2 = 0; k2 < n2; ++k2)
        for (int k1 = 0; k1 < n1; ++k1) {
            cd sum = 0.0;
            for (int j2 = 0; j2 < n2; ++j2)
                for (int j1 = 0; j1 < n1; ++j1) {
                    const complexFloat z = field.getValue(j1, j2);
                    const double phase
                        = sign * 2 * pi * (double(j1 * k1 % n1) / n1 + double(j2 * k2 % n2) / n2);
                    sum += cd(z.re, z.im) * std::polar(1.0, phase);
                }
            result.setValue(k1, k2, {float(sum.real()), float(sum.imag())});
        }
    return result;
}

complexDataField2D impulse(int sizeI, int sizeJ, int i, int j)
{
    complexDataField2D field(sizeI, sizeJ, 0);
    field.setValue(i, j, {1.0f, 0.0f});
    return field;
}

} // namespace

TEST(complexDataField2DTransforms, impulseBecomesConstantAndBack)
{
    for (const auto& [sizeI, sizeJ] : transformSizes()) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        complexDataField2D field = impulse(sizeI, sizeJ, 0, 0);
        field.fft();
        EXPECT_EQ(field.getDomainFlag(), 1);
        expectComplexValues(field, std::vector<complexFloat>(std::size_t(sizeI * sizeJ), {1, 0}),
                            1e-6);
        field.ifft();
        EXPECT_EQ(field.getDomainFlag(), 0);
        const complexDataField2D scaled = impulse(sizeI, sizeJ, 0, 0) * float(sizeI * sizeJ);
        EXPECT_LT(relativeError(field, scaled), 1e-6);
    }
}

TEST(complexDataField2DTransforms, constantGoesToTheZeroFrequency)
{
    const complexFloat c{0.5f, -1.5f};
    for (const auto& [sizeI, sizeJ] : transformSizes()) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        for (int sign : {+1, -1}) {
            complexDataField2D field(sizeI, sizeJ, c);
            if (sign > 0)
                field.fft();
            else
                field.ifft();
            complexDataField2D expected(sizeI, sizeJ, 0);
            const float n = float(sizeI * sizeJ);
            expected.setValue(0, 0, {c.re * n, c.im * n});
            EXPECT_LT(relativeError(field, expected), 1e-6);
        }
    }
}

TEST(complexDataField2DTransforms, planeWavePeaksOnItsAxis)
{
    // A wave exp(+i ...) of k cycles lands on -k under exp(+i ...) (the release edition's fft)
    // and on +k under exp(-i ...).
    struct Case
    {
        int sizeI, sizeJ, kx, ky;
    };
    const Case cases[] = {{8, 4, 1, 0}, {8, 4, 0, 1},  {4, 8, 1, 0}, {4, 8, 0, 1},
                          {4, 8, 1, 2}, {8, 4, 3, -1}, {4, 2, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.sizeI << " x " << c.sizeJ << " wave " << c.kx << "," << c.ky);
        complexDataField2D wave(c.sizeI, c.sizeJ, 0);
        wave.setPlaneWave(c.kx, c.ky, complexFloat{1.0f, 0.0f});
        const float n = float(c.sizeI * c.sizeJ);

        complexDataField2D forward
            = impulse(c.sizeI, c.sizeJ, wrappedIndex(-fftSign * c.kx, c.sizeI),
                      wrappedIndex(-fftSign * c.ky, c.sizeJ))
              * n;
        EXPECT_LT(relativeError(*wave.fftCopy(), forward), 1e-5);
        complexDataField2D backward
            = impulse(c.sizeI, c.sizeJ, wrappedIndex(fftSign * c.kx, c.sizeI),
                      wrappedIndex(fftSign * c.ky, c.sizeJ))
              * n;
        EXPECT_LT(relativeError(*wave.ifftCopy(), backward), 1e-5);
    }
}

TEST(complexDataField2DTransforms, impulseOffTheOriginBecomesARampAlongI)
{
    // 8 x 4 with (1, 0) set: element (k1, k2) of fft is exp(s 2 pi i k1 / 8) for every k2. A
    // transform that took the sizes the other way round puts the ramp along j.
    complexDataField2D field = impulse(8, 4, 1, 0);
    field.fft();
    for (int k2 = 0; k2 < 4; ++k2)
        for (int k1 = 0; k1 < 8; ++k1) {
            SCOPED_TRACE(::testing::Message() << k1 << "," << k2);
            const cd expected = std::polar(1.0, fftSign * 2 * pi * k1 / 8);
            expectComplexNear(field.getValue(k1, k2),
                              {float(expected.real()), float(expected.imag())}, 1e-6);
        }
}

TEST(complexDataField2DTransforms, matchesTheDirectSumWithBothSigns)
{
    for (const auto& [sizeI, sizeJ] : directSumSizes()) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        const complexDataField2D data = randomComplexField(sizeI, sizeJ, 21u);
        complexDataField2D forward(data);
        forward.fft();
        EXPECT_LT(relativeError(forward, directTransform(data, fftSign)), 1e-5);
        complexDataField2D backward(data);
        backward.ifft();
        EXPECT_LT(relativeError(backward, directTransform(data, -fftSign)), 1e-5);
    }
}

TEST(complexDataField2DTransforms, forwardThenBackwardScalesByTheElementCount)
{
    for (const auto& [sizeI, sizeJ] : transformSizes()) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        const complexDataField2D data = randomComplexField(sizeI, sizeJ, 1u + unsigned(sizeI));
        complexDataField2D field(data);
        field.setDomainFlag(1);
        field.fft();
        field.ifft();
        EXPECT_EQ(field.getDomainFlag(), 1);
        EXPECT_LT(relativeError(field, data * float(sizeI * sizeJ)), 1e-5);
        // The other order, too.
        field = data;
        field.ifft();
        field.fft();
        EXPECT_LT(relativeError(field, data * float(sizeI * sizeJ)), 1e-5);
    }
}

TEST(complexDataField2DTransforms, copiesLeaveTheSourceUnchanged)
{
    complexDataField2D data = randomComplexField(4, 2, 2u);
    data.setPixelSize(2e-6, 3e-6);
    const std::vector<complexFloat> before = complexValuesOf(data);
    complexDataField2D inPlace(data);
    inPlace.fft();
    complexDataField2D inPlaceBack(data);
    inPlaceBack.ifft();

    const boost::shared_ptr<complexDataField2D> shared = sharedCopy(data);
    struct Case
    {
        const char* name;
        complexDataField2D result;
        const complexDataField2D& expected;
    };
    const Case cases[] = {
        {"fftCopy", *data.fftCopy(), inPlace},  {"ifftCopy", *data.ifftCopy(), inPlaceBack},
        {"fft(field)", fft(data), inPlace},     {"ifft(field)", ifft(data), inPlaceBack},
        {"fft(shared)", *fft(shared), inPlace}, {"ifft(shared)", *ifft(shared), inPlaceBack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result.getDomainFlag(), 1);
        EXPECT_EQ(c.result.getDx(), 2e-6);
        EXPECT_EQ(c.result.getDy(), 3e-6);
        expectComplexValues(c.result, complexValuesOf(c.expected), 0.0);
    }
    EXPECT_EQ(data.getDomainFlag(), 0);
    expectComplexValues(data, before, 0.0);
    EXPECT_EQ(shared->getDomainFlag(), 0);
    expectComplexValues(*shared, before, 0.0);
}

#if PHASEDECK_LAB
TEST(complexDataField2DTransforms, fieldsWithoutElementsOnlyFlipTheFlag)
{
    MessageRecorder recorder;
    for (const auto& [sizeI, sizeJ] : {std::pair<int, int>{0, 0}, {0, 4}, {3, 0}}) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        complexDataField2D field(sizeI, sizeJ, 0);
        field.fft();
        EXPECT_EQ(field.getDomainFlag(), 1);
        field.ifft();
        EXPECT_EQ(field.getDomainFlag(), 0);
        EXPECT_EQ(field.fftCopy()->getSizeJ(), sizeJ);
    }
    EXPECT_TRUE(recorder.messages().empty());
}
#else
TEST(complexDataField2DTransforms, sizesThatAreNotPowersOfTwoAreRefused)
{
    MessageRecorder recorder;
    struct Case
    {
        int sizeI, sizeJ;
    };
    const Case cases[] = {{3, 2}, {4, 3}, {6, 8}, {0, 0}, {0, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sizeI << " x " << c.sizeJ);
        complexDataField2D field = randomComplexField(c.sizeI, c.sizeJ, 4u);
        field.setDomainFlag(1);
        const std::vector<complexFloat> before = complexValuesOf(field);

        recorder.clear();
        field.fft();
        EXPECT_EQ(field.getDomainFlag(), 1);
        expectComplexValues(field, before, 0.0);
        field.ifft();
        EXPECT_EQ(field.getDomainFlag(), 1);
        expectComplexValues(field, before, 0.0);
        const boost::shared_ptr<complexDataField2D> copy = field.fftCopy();
        EXPECT_EQ(copy->getDomainFlag(), 1);
        expectComplexValues(*copy, before, 0.0);

        ASSERT_EQ(recorder.messages().size(), 3u);
        EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Error!"));
        EXPECT_EQ(recorder.messages()[0].text,
                  QStringLiteral("Error in complexDataField2D::fft(): field size %1 x %2 is not "
                                 "a power of two")
                      .arg(c.sizeI)
                      .arg(c.sizeJ));
        EXPECT_TRUE(recorder.messages()[1].text.startsWith(
            QStringLiteral("Error in complexDataField2D::ifft()")));
    }
}
#endif

TEST(complexDataField2DTransforms, binarizeIntensity)
{
    const float notANumber = std::numeric_limits<float>::quiet_NaN();
    const complexDataField2D field = complexFieldOf(
        3, 2, {{2, 0}, {1, 1}, {0, 3}, {notANumber, 0}, {0, -2}, {1.9f, 0}}, 2e-6, 3e-6, 1);
    const boost::shared_ptr<complexDataField2D> mask = field.binarizeIntensity(4.0f);
    EXPECT_EQ(mask->getSizeI(), 3);
    EXPECT_EQ(mask->getSizeJ(), 2);
    EXPECT_EQ(mask->getDx(), 2e-6);
    EXPECT_EQ(mask->getDy(), 3e-6);
    EXPECT_EQ(mask->getDomainFlag(), 1);
    // Intensities 4, 2, 9, NaN, 4, 3.61: an intensity equal to the threshold counts.
    expectComplexValues(*mask, {{1, 0}, {0, 0}, {1, 0}, {1, 0}, {1, 0}, {0, 0}}, 0.0);
}
