// ASCII export: the three layouts of real fields, complex fields and images, byte for byte.
#include "fieldio/asciiExport.h"

#include "base/phasedeckGlobals.h"
#include "fieldio/fieldToImage.h"
#include "fieldioTestSupport.h"
#include "fields/complexDataField2D.h"
#include "support/messageRecorder.h"
#include "support/fileSystemFaults.h"

#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <complex>

namespace {

class AsciiExportTest : public testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // The expected file: "# " + full name + the rest.
    static QByteArray file(const char* afterName)
    {
        return "# " + QByteArray::fromStdString(fullApplicationName) + afterName;
    }

    QTemporaryDir dir;
};

boost::shared_ptr<complexDataField2D> complexField(int nI, int nJ,
                                                   const std::vector<complexFloat>& values,
                                                   double dx = 1.0, double dy = 1.0)
{
    boost::shared_ptr<complexDataField2D> field(new complexDataField2D(nI, nJ, 0));
    field->setPixelSize(dx, dy);
    for (int j = 0; j < nJ; ++j)
        for (int i = 0; i < nI; ++i)
            field->setValue(i, j, values.at(size_t(j) * size_t(nI) + size_t(i)));
    return field;
}

TEST_F(AsciiExportTest, RealFieldLayouts)
{
    struct Case
    {
        const char* name;
        boost::shared_ptr<DataField2D> field;
        const char* text;
    };
    const Case cases[] = {
        {"single row, pitch 2", makeField(5, 1, {0.5f, 1, -2.25f, 1e-7f, 123456789.0f}, 2.0, 3.0),
         ": ASCII Export of single row datafield\n"
         "# Pixel size 2\n"
         "0\t-4\t0.5\n1\t-2\t1\n2\t0\t-2.25\n3\t2\t1e-07\n4\t4\t1.23457e+08\n"},
        {"single row, pitch 1 leaves an empty line", makeField(5, 1, {1, 2, 3, 4, 5}),
         ": ASCII Export of single row datafield\n"
         "\n"
         "0\t-2\t1\n1\t-1\t2\n2\t0\t3\n3\t1\t4\n4\t2\t5\n"},
        {"1 x 1 is a single row", makeField(1, 1, {3}, 8e-6, 1.0),
         ": ASCII Export of single row datafield\n"
         "# Pixel size 8e-06\n"
         "0\t0\t3\n"},
        {"single column, pitch along j", makeField(1, 3, {7, 8, 9}, 2.0, 0.5),
         ": ASCII Export of single column datafield\n"
         "# Pixel size 0.5\n"
         "0\t-0.5\t7\n1\t0\t8\n2\t0.5\t9\n"},
        {"3 x 2, pitch 1", makeField(3, 2, {1, 2, 3, 4, 5, 6.5f}),
         ": ASCII Export of datafield\n"
         "# Pixel number in x direction 3\n"
         "# Pixel number in y direction 2\n"
         "1\t2\t3\t\n4\t5\t6.5\t\n"},
        {"2 x 2, pitch 8e-6 along x", makeField(2, 2, {0, -1, 2, 0.125f}, 8e-6, 1.0),
         ": ASCII Export of datafield\n"
         "# Pixel number in x direction 2\n"
         "# Pixel number in y direction 2\n"
         "# Pixel size in x direction 8e-06\n"
         "# Pixel size in y direction 1\n"
         "0\t-1\t\n2\t0.125\t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = path("field.dat");
        ASSERT_TRUE(exportDataField2DAscii(name, c.field));
        EXPECT_EQ(fileBytes(name), file(c.text));
    }
}

TEST_F(AsciiExportTest, ComplexSingleRowListsElementsInCentredOrder)
{
    const QString name = path("row.dat");
    ASSERT_TRUE(exportComplexDataField2DAscii(
        name, complexField(4, 1, {{10, 0}, {11, 0}, {12, 0}, {13, 0}}), displayRealPart));
    EXPECT_EQ(fileBytes(name), file(": ASCII Export of single row datafield\n"
                                    "# Exporting real part of field.\n"
                                    "\n"
                                    "0\t-1.5\t12\n1\t-0.5\t13\n2\t0.5\t10\n3\t1.5\t11\n"));
}

TEST_F(AsciiExportTest, ComplexColumnAndTwoDimensionalLayouts)
{
    const QString column = path("column.dat");
    ASSERT_TRUE(exportComplexDataField2DAscii(
        column, complexField(1, 3, {{0, 1}, {0, 2}, {0, 3}}, 1.0, 2e-6), displayImaginaryPart));
    EXPECT_EQ(fileBytes(column), file(": ASCII Export of single column datafield\n"
                                      "# Exporting imaginary part of field.\n"
                                      "# Pixel size 2e-06\n"
                                      "0\t-2e-06\t3\n1\t0\t1\n2\t2e-06\t2\n"));

    // Text line r, column x: element ((x - 1) mod 3, (r - 1) mod 2).
    std::vector<complexFloat> values;
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            values.push_back({float(10 * i + j), 0});
    const QString plane = path("plane.dat");
    ASSERT_TRUE(exportComplexDataField2DAscii(plane, complexField(3, 2, values), displayRealPart));
    EXPECT_EQ(fileBytes(plane), file(": ASCII Export of datafield\n"
                                     "# Exporting real part of field.\n"
                                     "# Pixel number in x direction 3\n"
                                     "# Pixel number in y direction 2\n"
                                     "21\t1\t11\t\n20\t0\t10\t\n"));
}

TEST_F(AsciiExportTest, ComplexPartByMode)
{
    struct Case
    {
        int mode;
        std::complex<float> z;
        const char* text;
    };
    const Case cases[] = {
        {displayRealPart, {3, 4}, "# Exporting real part of field.\n\n0\t0\t3\n"},
        {displayImaginaryPart, {3, 4}, "# Exporting imaginary part of field.\n\n0\t0\t4\n"},
        {displayAmplitude, {3, 4}, "# Exporting amplitude of field.\n\n0\t0\t5\n"},
        {displayPhase, {3, 4}, "# Exporting phase of field.\n\n0\t0\t0.927295\n"},
        {displayPhase, {-1, 0}, "# Exporting phase of field.\n\n0\t0\t3.14159\n"},
        {displayIntensity, {3, 4}, "# Exporting intensity of field.\n\n0\t0\t25\n"},
        {0, {3, 4}, "# \n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        const QString name = path("mode.dat");
        ASSERT_TRUE(exportComplexDataField2DAscii(
            name, complexField(1, 1, {{c.z.real(), c.z.imag()}}), c.mode));
        EXPECT_EQ(fileBytes(name),
                  file(": ASCII Export of single row datafield\n") + QByteArray(c.text));
    }
}

TEST_F(AsciiExportTest, ImageLayoutsWriteRedFromTheBottom)
{
    const QImage plane = colourImageOf({{qRgb(1, 9, 9), qRgb(2, 9, 9), qRgb(3, 9, 9)},
                                        {qRgb(4, 0, 0), qRgb(5, 0, 0), qRgb(255, 0, 0)}});
    struct Case
    {
        const char* name;
        QImage image;
        double px, py;
        const char* text;
    };
    const Case cases[] = {
        {"two-dimensional", plane, 1.0, 1.0,
         ": ASCII Export of image\n"
         "# Pixel number in x direction 3\n"
         "# Pixel number in y direction 2\n"
         "4\t5\t255\t\n1\t2\t3\t\n"},
        {"two-dimensional with pixel sizes", phaseImageOf({{7, 8}, {9, 10}}), 2.4e-5, 8e-6,
         ": ASCII Export of image\n"
         "# Pixel number in x direction 2\n"
         "# Pixel number in y direction 2\n"
         "# Pixel size in x direction 2.4e-05\n"
         "# Pixel size in y direction 8e-06\n"
         "9\t10\t\n7\t8\t\n"},
        {"single row", phaseImageOf({{7, 8, 9}}), 2.0, 5.0,
         ": ASCII Export of single row image\n"
         "# Pixel size 2\n"
         "0\t-2\t7\n1\t0\t8\n2\t2\t9\n"},
        {"single column from the bottom pixel", phaseImageOf({{7}, {8}, {9}}), 5.0, 1.0,
         ": ASCII Export of single column image\n"
         "\n"
         "0\t-1\t9\n1\t0\t8\n2\t1\t7\n"},
        {"1 x 1", phaseImageOf({{200}}), 1.0, 1.0,
         ": ASCII Export of single row image\n"
         "\n"
         "0\t0\t200\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = path("image.dat");
        ASSERT_TRUE(exportImageAscii(name, c.image, c.px, c.py));
        EXPECT_EQ(fileBytes(name), file(c.text));
    }
}

TEST_F(AsciiExportTest, SameBytesUnderAGermanLocale)
{
    const auto field = makeField(2, 2, {0.5f, -1.25f, 1e-7f, 3}, 8e-6, 2.5e-6);
    const QString cName = path("c.dat");
    ASSERT_TRUE(exportDataField2DAscii(cName, field));

    const QLocale previousDefault;
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString germanName = path("de.dat");
    const bool written = exportDataField2DAscii(germanName, field);
    QLocale::setDefault(previousDefault);
    std::setlocale(LC_ALL, previous.c_str());

    ASSERT_TRUE(written);
    EXPECT_EQ(fileBytes(germanName), fileBytes(cName));
    EXPECT_TRUE(fileBytes(cName).contains("# Pixel size in y direction 2.5e-06\n0.5\t-1.25\t\n"));
}

TEST_F(AsciiExportTest, UnopenableFileFailsSilently)
{
    MessageRecorder recorder;
    const QString name = path("missing-folder/field.dat");
    EXPECT_FALSE(exportDataField2DAscii(name, makeField(1, 1, {1})));
    EXPECT_FALSE(exportComplexDataField2DAscii(name, complexField(1, 1, {{1, 0}}), 1));
    EXPECT_FALSE(exportImageAscii(name, phaseImageOf({{1}}), 1.0, 1.0));
    EXPECT_FALSE(QFile::exists(name));
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(AsciiExportTest, FailedWritesKeepTheFileTheyWouldReplace)
{
    MessageRecorder recorder;
    const auto field = makeField(300, 20, std::vector<float>(6000, 1.5f));
    const auto complex = complexField(1, 1, {{1, 0}});
    const QImage image = phaseImageOf({{1, 2}, {3, 4}});
    const struct
    {
        const char* name;
        std::function<bool(const QString&)> write;
    } writers[]
        = {{"real.dat",
            [&](const QString& f) { return exportDataField2DAscii(f + "/real.dat", field); }},
           {"complex.dat",
            [&](const QString& f) {
                return exportComplexDataField2DAscii(f + "/complex.dat", complex, 1);
            }},
           {"image.txt",
            [&](const QString& f) { return exportImageAscii(f + "/image.txt", image, 1.0, 1.0); }}};
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        expectFailedWritesKeepTheOldFile(QString::fromLatin1(writer.name), writer.write);
    }
    EXPECT_TRUE(recorder.messages().empty());
}

} // namespace
