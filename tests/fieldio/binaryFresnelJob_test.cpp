// Binary Fresnel jobs: reading job-file lines, loading elements, the checks, the mask and the
// result name.
#include "fieldio/binaryFresnelJob.h"

#include "base/phasedeckGlobals.h"
#include "fieldio/DataSourceBinaryPhaseImage2D.h"
#include "fieldio/DataSourcePhaseImage2D.h"
#include "fields/binaryArray2D.h"
#include "fieldioTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <sys/stat.h>
#include <vector>

namespace {

const OpticalParameters optics = {632.8e-9, 0.1, 0.05, 8e-6, 7e-6};

class BinaryFresnelJobTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
    }

    binaryFresnelJob read(const QString& text)
    {
        binaryFresnelJob job = startBinaryFresnelJob(optics);
        QString copy = text;
        QTextStream lines(&copy, QIODevice::ReadOnly);
        readBinaryFresnelJob(lines, folder, job);
        return job;
    }

    // A 1-bit element whose lines (top first) hold the given bits, saved under name.
    void saveBitElement(const QString& name, const std::vector<std::vector<int>>& bits)
    {
        QImage image(int(bits.at(0).size()), int(bits.size()), QImage::Format_Mono);
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, uint(bits[size_t(y)][size_t(x)]));
        ASSERT_TRUE(image.save(dir.filePath(name)));
    }

    QTemporaryDir dir;
    QString folder;
};

TEST_F(BinaryFresnelJobTest, StartValuesComeFromTheOpticalParameters)
{
    const binaryFresnelJob job = read(QString());
    EXPECT_EQ(job.wavelength, 632.8e-9);
    EXPECT_DOUBLE_EQ(job.lensPower, 10.0);
    EXPECT_EQ(job.pitchX, 8e-6);
    EXPECT_EQ(job.pitchY, 7e-6);
    EXPECT_EQ(job.apertureDiameter, 0.0);
    EXPECT_FALSE(job.elementFound);
    EXPECT_FALSE(job.element);
}

TEST_F(BinaryFresnelJobTest, KeywordLinesAndTheirValues)
{
    struct Case
    {
        const char* name;
        const char* text;
        double wavelength, lensPower, pitchX, pitchY, aperture;
    };
    const double w0 = 632.8e-9;
    const std::vector<Case> cases = {
        {"every number keyword",
         "WAVELENGTH [nm]\n500\nPIX_SIZE [nm]\n4000\nAPERTURE_DIAMETER [mm]\n2.5\n"
         "FOCAL_LENGTH [mm]\n250\n",
         500 * 1e-9, 1.0 / (250 * 0.001), 4000 * 1e-9, 4000 * 1e-9, 2.5 * 0.001},
        {"blanks, tabs and runs of blanks around and inside keywords",
         "  \tWAVELENGTH   [nm] \r\n\t 532 \r\n   LAYOUT_PIXEL_SIZE\t[nm]\n 1e3 \n", 532 * 1e-9,
         10.0, 1e3 * 1e-9, 1e3 * 1e-9, 0.0},
        {"keywords in other letter case are ignored",
         "wavelength [nm]\n500\nAperture_Diameter [mm]\n3\n", w0, 10.0, 8e-6, 7e-6, 0.0},
        {"the value line is taken even when it looks like a comment or keyword",
         "APERTURE_DIAMETER [mm]\n# 5\nWAVELENGTH [nm]\nPIX_SIZE [nm]\n100\n", 0.0, 10.0, 8e-6,
         7e-6, 0.0},
        {"comments and unknown lines change nothing",
         "# WAVELENGTH [nm]\n% PIX_SIZE [nm]\n\nsomething else\n42\n", w0, 10.0, 8e-6, 7e-6, 0.0},
        {"focal length 0 gives lens power 0", "FOCAL_LENGTH [mm]\n0\n", w0, 0.0, 8e-6, 7e-6, 0.0},
        {"the later of focal length and lens power wins",
         "LENS_POWER [1/m]\n3\nFOCAL_LENGTH [mm]\n500\n", w0, 1.0 / (500 * 0.001), 8e-6, 7e-6, 0.0},
        {"lens power after focal length", "FOCAL_LENGTH [mm]\n500\nLENS_POWER [1/m]\n-3\n", w0,
         -3.0, 8e-6, 7e-6, 0.0},
        {"a later value replaces an earlier one", "PIX_SIZE [nm]\n100\nPIX_SIZE [nm]\n200\n", w0,
         10.0, 200 * 1e-9, 200 * 1e-9, 0.0},
        {"a value that is no number counts as 0", "APERTURE_DIAMETER [mm]\n2 mm\n", w0, 10.0, 8e-6,
         7e-6, 0.0},
        {"a keyword on the last line gets value 0", "WAVELENGTH [nm]", 0.0, 10.0, 8e-6, 7e-6, 0.0},
        {"numbers use a dot, not the locale's comma", "APERTURE_DIAMETER [mm]\n1,5\n", w0, 10.0,
         8e-6, 7e-6, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const binaryFresnelJob job = read(QString::fromUtf8(c.text));
        EXPECT_EQ(job.wavelength, c.wavelength);
        EXPECT_EQ(job.lensPower, c.lensPower);
        EXPECT_EQ(job.pitchX, c.pitchX);
        EXPECT_EQ(job.pitchY, c.pitchY);
        EXPECT_EQ(job.apertureDiameter, c.aperture);
    }
}

TEST_F(BinaryFresnelJobTest, ElementsLoadByTheirKind)
{
    saveBitElement(QStringLiteral("bits.png"), {{1, 0, 1}, {0, 0, 1}});
    QImage gray(2, 1, QImage::Format_Grayscale8);
    gray.scanLine(0)[0] = 0;
    gray.scanLine(0)[1] = 77;
    ASSERT_TRUE(gray.save(dir.filePath("gray.v2.png")));
    ASSERT_TRUE(colourImageOf({{qRgb(255, 0, 0), qRgb(0, 0, 0)}}).save(dir.filePath("rgb.bmp")));

    const binaryFresnelJob bits = read(QStringLiteral("ELEMENT\n  bits.png \n"));
    ASSERT_TRUE(bits.elementFound);
    EXPECT_EQ(bits.elementBaseName, QStringLiteral("bits"));
    ASSERT_TRUE(dynamic_cast<DataSourceBinaryPhaseImage2D*>(bits.element.get()));
    EXPECT_EQ(bits.element->valueAt(0, 0), 255);
    EXPECT_EQ(bits.element->valueAt(1, 0), 0);
    EXPECT_EQ(bits.element->valueAt(2, 1), 255);

    // A gray PNG loads without colour table; its grays are read all the same.
    const binaryFresnelJob grays = read(QStringLiteral("ELEMENT\ngray.v2.png\n"));
    ASSERT_TRUE(grays.elementFound);
    EXPECT_EQ(grays.elementBaseName, QStringLiteral("gray"));
    ASSERT_TRUE(dynamic_cast<DataSourcePhaseImage2D*>(grays.element.get()));
    EXPECT_EQ(grays.element->valueAt(0, 0), 0);
    EXPECT_EQ(grays.element->valueAt(1, 0), 77);

    const binaryFresnelJob colour = read(QStringLiteral("ELEMENT\nrgb.bmp\n"));
    ASSERT_TRUE(colour.elementFound);
    EXPECT_EQ(colour.element->valueAt(0, 0), 87);
    EXPECT_EQ(colour.element->valueAt(1, 0), 0);
}

TEST_F(BinaryFresnelJobTest, ElementLinesThatFindNoImage)
{
    saveBitElement(QStringLiteral("bits.png"), {{1}});
    ASSERT_TRUE(QFile(dir.filePath("bits.png")).copy(dir.filePath("design.De")));
    QFile broken(dir.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not an image");
    broken.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub.png")));
    ASSERT_EQ(::mkfifo(dir.filePath("pipe.png").toLocal8Bit().constData(), 0600), 0);
    saveBitElement(QStringLiteral("two  blanks.png"), {{1}});

    struct Case
    {
        const char* name;
        const char* text;
        bool found;
        const char* baseName;
    };
    const std::vector<Case> cases = {
        {"a missing name leaves the earlier element", "ELEMENT\nbits.png\nELEMENT\nnone.png\n",
         true, "bits"},
        {"an element file of the other format clears it", "ELEMENT\nbits.png\nELEMENT\ndesign.De\n",
         false, "design"},
        {"a file that is no image", "ELEMENT\nbits.png\nELEMENT\nbroken.png\n", false, "broken"},
        {"a directory", "ELEMENT\nbits.png\nELEMENT\nsub.png\n", false, "sub"},
        {"a FIFO is never opened", "ELEMENT\nbits.png\nELEMENT\npipe.png\n", false, "pipe"},
        {"a run of blanks inside the name cannot be reached", "ELEMENT\ntwo  blanks.png\n", false,
         ""},
        {"an empty value names the folder itself", "ELEMENT\nbits.png\nELEMENT", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const binaryFresnelJob job = read(QString::fromUtf8(c.text));
        EXPECT_EQ(job.elementFound, c.found);
        EXPECT_EQ(job.elementBaseName, QString::fromUtf8(c.baseName));
    }

    // A name with a NUL character names no file: the earlier element stays.
    const binaryFresnelJob nul = read(QStringLiteral("ELEMENT\nbits.png\nELEMENT\nbits.png")
                                      + QChar(0) + QStringLiteral("x\n"));
    EXPECT_TRUE(nul.elementFound);
    EXPECT_EQ(nul.elementBaseName, QStringLiteral("bits"));
}

TEST_F(BinaryFresnelJobTest, ChecksRunInOrderAndRefuseUnsoundNumbers)
{
    binaryFresnelJob ready = startBinaryFresnelJob(optics);
    ready.apertureDiameter = 1e-3;
    ready.elementFound = true;
    ready.element.reset(new DataSourcePhaseImage2D(phaseImageOf({{1}})));
    ASSERT_EQ(checkBinaryFresnelJob(ready), binaryFresnelJobCheck::ready);

    struct Case
    {
        const char* name;
        void (*change)(binaryFresnelJob&);
        binaryFresnelJobCheck expected;
    };
    const std::vector<Case> cases = {
        {"aperture 0 before everything",
         [](binaryFresnelJob& j) {
             j.apertureDiameter = 0;
             j.wavelength = 0;
             j.elementFound = false;
             j.pitchX = 0;
         },
         binaryFresnelJobCheck::apertureZero},
        {"negative aperture", [](binaryFresnelJob& j) { j.apertureDiameter = -1e-3; },
         binaryFresnelJobCheck::apertureNotPositive},
        {"infinite aperture",
         [](binaryFresnelJob& j) { j.apertureDiameter = std::numeric_limits<double>::infinity(); },
         binaryFresnelJobCheck::apertureNotPositive},
        {"aperture not a number", [](binaryFresnelJob& j) { j.apertureDiameter = std::nan(""); },
         binaryFresnelJobCheck::apertureNotPositive},
        {"wavelength 0 before the element",
         [](binaryFresnelJob& j) {
             j.wavelength = 0;
             j.elementFound = false;
         },
         binaryFresnelJobCheck::wavelengthZero},
        {"negative wavelength", [](binaryFresnelJob& j) { j.wavelength = -500e-9; },
         binaryFresnelJobCheck::wavelengthNotPositive},
        {"wavelength not a number", [](binaryFresnelJob& j) { j.wavelength = std::nan(""); },
         binaryFresnelJobCheck::wavelengthNotPositive},
        {"no element before the pitches",
         [](binaryFresnelJob& j) {
             j.elementFound = false;
             j.pitchY = 0;
         },
         binaryFresnelJobCheck::noElement},
        {"element flag without reader", [](binaryFresnelJob& j) { j.element.reset(); },
         binaryFresnelJobCheck::noElement},
        {"pitch y 0", [](binaryFresnelJob& j) { j.pitchY = 0; }, binaryFresnelJobCheck::pixelSizes},
        {"negative pitch x", [](binaryFresnelJob& j) { j.pitchX = -8e-6; },
         binaryFresnelJobCheck::pixelSizes},
        {"infinite pitch",
         [](binaryFresnelJob& j) { j.pitchX = std::numeric_limits<double>::infinity(); },
         binaryFresnelJobCheck::pixelSizes},
        {"aperture smaller than pitch x: no column",
         [](binaryFresnelJob& j) { j.apertureDiameter = 7.9e-6; },
         binaryFresnelJobCheck::gridEmpty},
        {"aperture smaller than pitch y only: no row",
         [](binaryFresnelJob& j) { j.pitchY = 1.5e-3; }, binaryFresnelJobCheck::gridEmpty},
        {"aperture of one pitch: one cell",
         [](binaryFresnelJob& j) { j.apertureDiameter = j.pitchX = j.pitchY = 8e-6; },
         binaryFresnelJobCheck::ready},
        {"16385 columns",
         [](binaryFresnelJob& j) {
             j.pitchX = 1e-6;
             j.apertureDiameter = 16385.5e-6;
         },
         binaryFresnelJobCheck::gridTooLarge},
        {"a pitch so small the quotient is infinite",
         [](binaryFresnelJob& j) { j.pitchY = 1e-320; }, binaryFresnelJobCheck::gridTooLarge},
        {"16384 x 16384 is allowed",
         [](binaryFresnelJob& j) {
             j.pitchX = j.pitchY = 1e-6;
             j.apertureDiameter = 16384.5e-6;
         },
         binaryFresnelJobCheck::ready},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        binaryFresnelJob job = ready;
        c.change(job);
        EXPECT_EQ(checkBinaryFresnelJob(job), c.expected);
    }
}

// The cells inside the aperture and the highest zone number among them.
struct MaskSummary
{
    int inside = 0;
    int highestZone = 0;
};

// Checks every cell of the job's mask against the mask's formula around the given centre cell:
// 1 outside the aperture; inside, 1 where the element sign (bits tiled from cell (0, 0)) and the
// sign of the zone floor(r^2 * lens power / wavelength) (+ for even zones) agree.
MaskSummary expectMaskOfFormula(const binaryFresnelJob& job, int nx, int ny, int centreI,
                                int centreJ, const std::vector<std::vector<int>>& bits)
{
    MaskSummary summary;
    const auto mask = binaryFresnelMask(job);
    EXPECT_EQ(mask->getSizeI(), std::uint32_t(nx));
    EXPECT_EQ(mask->getSizeJ(), std::uint32_t(ny));
    if (mask->getSizeI() != std::uint32_t(nx) || mask->getSizeJ() != std::uint32_t(ny))
        return summary;
    const double r = job.apertureDiameter / 2;
    const double q = job.lensPower / job.wavelength;
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const double x = (i - centreI) * job.pitchX;
            const double y = (j - centreJ) * job.pitchY;
            const double r2 = x * x + y * y;
            const bool inside = r2 < r * r;
            const double zone = std::floor(r2 * q);
            const bool lensPlus = std::fmod(zone, 2.0) == 0.0;
            const bool elementPlus = bits[size_t(j) % bits.size()][size_t(i) % bits[0].size()] == 1;
            if (inside) {
                ++summary.inside;
                summary.highestZone = std::max(summary.highestZone, int(zone));
            }
            EXPECT_EQ(mask->getBit(std::uint32_t(i), std::uint32_t(j)),
                      inside ? elementPlus == lensPlus : true)
                << i << ", " << j;
        }
    return summary;
}

TEST_F(BinaryFresnelJobTest, WithoutLensPowerTheMaskCopiesTheTiledElementInsideTheAperture)
{
    // A 3 x 2 element tiled over 9 x 7 cells: aperture 9.5 um, pitches 1 um and 1.3 um.
    const std::vector<std::vector<int>> bits = {{1, 0, 0}, {1, 1, 0}};
    saveBitElement(QStringLiteral("tile.png"), bits);
    binaryFresnelJob job = read(QStringLiteral("ELEMENT\ntile.png\nFOCAL_LENGTH [mm]\n0\n"
                                               "APERTURE_DIAMETER [mm]\n0.0095\n"));
    job.pitchX = 1e-6;
    job.pitchY = 1.3e-6;
    ASSERT_EQ(checkBinaryFresnelJob(job), binaryFresnelJobCheck::ready);
    EXPECT_EQ(expectMaskOfFormula(job, 9, 7, 4, 3, bits).highestZone, 0);
}

TEST_F(BinaryFresnelJobTest, OnAnEvenGridTheLensIsCentredOnCellHalf)
{
    // 12 x 10 cells of 1 um x 1.2 um in an aperture of 12.3 um; the zone boundaries lie at radii
    // sqrt(n * 5e-12) m, about one a cell, so a centre one cell off changes many cells.
    const std::vector<std::vector<int>> bits = {{1, 1, 0}, {0, 1, 1}};
    saveBitElement(QStringLiteral("tile.png"), bits);
    binaryFresnelJob job = read(QStringLiteral("ELEMENT\ntile.png\nWAVELENGTH [nm]\n500\n"
                                               "LENS_POWER [1/m]\n100000\n"
                                               "APERTURE_DIAMETER [mm]\n0.0123\n"));
    job.pitchX = 1e-6;
    job.pitchY = 1.2e-6;
    ASSERT_EQ(checkBinaryFresnelJob(job), binaryFresnelJobCheck::ready);
    const MaskSummary summary = expectMaskOfFormula(job, 12, 10, 6, 5, bits);
    // The aperture leaves cells outside, and several zones lie within it.
    EXPECT_LT(summary.inside, 120);
    EXPECT_GE(summary.highestZone, 5);
}

// A locale that writes numbers with a decimal comma.
struct CommaPunct : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
};

TEST_F(BinaryFresnelJobTest, ResultNameCarriesThePitchInNanometres)
{
    binaryFresnelJob job;
    job.elementBaseName = QStringLiteral("grating");
    struct Case
    {
        double pitchX, pitchY;
        const char* name;
    };
    const std::locale previous
        = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    for (const Case& c : {Case{slmPixelPitch, slmPixelPitch, "grating_pixSize_8000nm"},
                          Case{8e-6, 9e-6, "grating_pixSize_8000nm x 9000nm"},
                          Case{7.5e-9, 7.5e-9, "grating_pixSize_7.5nm"},
                          Case{1.234567e-3, 1.234567e-3, "grating_pixSize_1.23457e+06nm"}}) {
        job.pitchX = c.pitchX;
        job.pitchY = c.pitchY;
        EXPECT_EQ(binaryFresnelResultName(QStringLiteral("/jobs/"), job),
                  QStringLiteral("/jobs/") + QString::fromUtf8(c.name));
    }
    std::locale::global(previous);
}

} // namespace
