// Tests of the internal edition's FFTW transforms against the program's own FFT (the release
// edition's transform): the mirrored sign, the two own-FFT members, Fourier components and
// measured plans.
#include "fields/complexDataField2D.h"

#include "fields/complexFieldTestFields.h"
#include "support/messageRecorder.h"

#include <utility>

namespace {

const std::pair<int, int> powerOfTwoSizes[]
    = {{1, 1}, {1, 16}, {16, 1}, {2, 2}, {8, 4}, {4, 32}, {64, 16}, {32, 32}};

// Element (k1, k2) of the result is element (-k1, -k2) of the field.
complexDataField2D mirrored(const complexDataField2D& field)
{
    complexDataField2D result(field);
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i)
            result.setValue(i, j,
                            field.getValue(wrappedIndex(-i, field.getSizeI()),
                                           wrappedIndex(-j, field.getSizeJ())));
    return result;
}

} // namespace

TEST(complexDataField2DFFT, forwardIsTheReleaseForwardMirrored)
{
    // The own FFT with exp(+i ...) is the release edition's fft: this edition's fft at (k1, k2)
    // is that one at (-k1, -k2), and likewise for ifft.
    for (const auto& [sizeI, sizeJ] : powerOfTwoSizes) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        const complexDataField2D data = randomComplexField(sizeI, sizeJ, 3u + unsigned(sizeJ));
        complexDataField2D lab(data);
        lab.fft();
        complexDataField2D release(data);
        release.fftViaComplexFFT2D();
        EXPECT_LT(relativeError(lab, mirrored(release)), 1e-5);

        lab = data;
        lab.ifft();
        release = data;
        release.ifftViaComplexFFT2D();
        EXPECT_LT(relativeError(lab, mirrored(release)), 1e-5);
    }
}

TEST(complexDataField2DFFT, ownTransformsAgreeWithFFTW)
{
    // fftViaComplexFFT2D takes exp(+i ...) like FFTW's backward transform, and the other way
    // round; both flip the flag and neither scales.
    for (const auto& [sizeI, sizeJ] : powerOfTwoSizes) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        const complexDataField2D data = randomComplexField(sizeI, sizeJ, 17u + unsigned(sizeI));
        complexDataField2D own(data);
        own.fftViaComplexFFT2D();
        EXPECT_EQ(own.getDomainFlag(), 1);
        EXPECT_LT(relativeError(own, *data.ifftCopy()), 1e-5);

        own = data;
        own.ifftViaComplexFFT2D();
        EXPECT_EQ(own.getDomainFlag(), 1);
        EXPECT_LT(relativeError(own, *data.fftCopy()), 1e-5);

        own.fftViaComplexFFT2D();
        EXPECT_EQ(own.getDomainFlag(), 0);
        EXPECT_LT(relativeError(own, data * float(sizeI * sizeJ)), 1e-5);
    }
}

TEST(complexDataField2DFFT, ownTransformsRefuseOtherSizes)
{
    MessageRecorder recorder;
    for (const auto& [sizeI, sizeJ] : {std::pair<int, int>{3, 4}, {4, 6}, {0, 0}}) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        complexDataField2D field = randomComplexField(sizeI, sizeJ, 5u);
        const std::vector<complexFloat> before = complexValuesOf(field);
        recorder.clear();
        field.fftViaComplexFFT2D();
        field.ifftViaComplexFFT2D();
        EXPECT_EQ(field.getDomainFlag(), 0);
        expectComplexValues(field, before, 0.0);
        ASSERT_EQ(recorder.messages().size(), 2u);
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Error!"));
        EXPECT_EQ(recorder.messages()[0].text,
                  QStringLiteral("Error in complexDataField2D::fftViaComplexFFT2D(): field size "
                                 "%1 x %2 is not a power of two")
                      .arg(sizeI)
                      .arg(sizeJ));
        EXPECT_TRUE(recorder.messages()[1].text.startsWith(
            QStringLiteral("Error in complexDataField2D::ifftViaComplexFFT2D()")));
    }
}

TEST(complexDataField2DFFT, fourierComponentsAreElementsOfTheForwardTransform)
{
    // At fx = k1 / (sizeI dx) the component is element (k1 mod sizeI, ...) of fft, on even, odd
    // and non-square sizes, for orders on both sides of the centre.
    struct Case
    {
        int sizeI, sizeJ, k1, k2;
    };
    const Case cases[]
        = {{8, 4, 1, 0},  {8, 4, 0, -1}, {8, 4, 3, 2},    {8, 4, -4, 1}, {5, 7, 2, -3},
           {5, 7, -2, 3}, {9, 6, 4, -3}, {12, 15, -5, 7}, {16, 16, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.sizeI << " x " << c.sizeJ << " order " << c.k1 << "," << c.k2);
        complexDataField2D data = randomComplexField(c.sizeI, c.sizeJ, 29u);
        const double dx = 8e-6;
        const double dy = 12.5e-6;
        data.setPixelSize(dx, dy);
        const complexFloat expected
            = data.fftCopy()->getValue(wrappedIndex(c.k1, c.sizeI), wrappedIndex(c.k2, c.sizeJ));
        const double tolerance = 2e-6 * c.sizeI * c.sizeJ;
        expectComplexNear(data.getFourierComponent(c.k1 / (c.sizeI * dx), c.k2 / (c.sizeJ * dy)),
                          expected, tolerance);
        expectComplexNear(data.getDFTCoefficient(c.k1, c.k2), expected, tolerance);
    }
}

TEST(complexDataField2DFFT, measuredPlansTransformAsEstimatedOnes)
{
    // Small sizes: measuring takes a good part of a second even for them.
    for (const auto& [sizeI, sizeJ] : {std::pair<int, int>{4, 2}, {3, 2}}) {
        SCOPED_TRACE(::testing::Message() << sizeI << " x " << sizeJ);
        const complexDataField2D data = randomComplexField(sizeI, sizeJ, 41u);
        complexDataField2D estimated(data);
        estimated.fft();

        complexDataField2D measured(data);
        measured.prepareMeasuredPlans();
        // Measuring leaves the field alone.
        expectComplexValues(measured, complexValuesOf(data), 0.0);
        EXPECT_EQ(measured.getDomainFlag(), 0);
        measured.fft();
        EXPECT_LT(relativeError(measured, estimated), 1e-6);
        measured.ifft();
        EXPECT_LT(relativeError(measured, data * float(sizeI * sizeJ)), 1e-6);
    }
}
