// PNG and BMP savers: file-name rules, what lands in the file, and reading an image file back
// into a field.
#include "fieldio/imageFileExport.h"

#include "fieldio/fieldToImage.h"
#include "fieldioTestSupport.h"
#include "fields/binaryArray2D.h"
#include "fields/complexDataField2D.h"
#include "support/messageRecorder.h"
#include "support/fileSystemFaults.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

namespace {

TEST(ImageFileNameWithExtension, AppendsTheMissingExtension)
{
    struct Case
    {
        const char* name;
        const char* format;
        const char* result;
    };
    const Case cases[]
        = { {"a", "PNG", "a.png"},
#if PHASEDECK_LAB
            {"a.PNG", "PNG", "a.PNG.png"},
            {"a.png", "PNG", "a.png.png"},
            {"b.Bmp", "BMP", "b.Bmp.bmp"},
#else
            {"a.PNG", "PNG", "a.PNG"},
            {"a.png", "PNG", "a.png"},
            {"b.Bmp", "BMP", "b.Bmp"},
#endif
            {"a.png.txt", "PNG", "a.png.txt.png"},
            {"b", "BMP", "b.bmp"},
            {"a.png", "BMP", "a.png.bmp"},
            {"", "PNG", ".png"},
            {"a", "png", ""},
            {"a", "JPG", ""},
          };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " as " << c.format);
        EXPECT_EQ(
            imageFileNameWithExtension(QString::fromUtf8(c.name), QString::fromUtf8(c.format)),
            QString::fromUtf8(c.result));
    }
}

class ImageFileExportTest : public testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Red values of a file's pixels, top line first.
    static std::vector<std::vector<int>> redLines(const QString& name)
    {
        const QImage image(name);
        std::vector<std::vector<int>> lines(size_t(image.height()));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lines[size_t(y)].push_back(qRed(image.pixel(x, y)));
        return lines;
    }

    QTemporaryDir dir;
};

TEST_F(ImageFileExportTest, SavesTheFieldsPhaseImage)
{
    const auto field = makeField(3, 2, {0, 1, 2, 3, 4, 100});
    for (const char* format : {"PNG", "BMP"}) {
        SCOPED_TRACE(format);
        const QString name = path(QStringLiteral("Fläche"));
        ASSERT_TRUE(saveDataField2DImageFile(name, QString::fromLatin1(format), field));
        const QString written = imageFileNameWithExtension(name, QString::fromLatin1(format));
        EXPECT_EQ(QImageReader::imageFormat(written), QByteArray(format).toLower());
        EXPECT_EQ(redLines(written), (std::vector<std::vector<int>>{{3, 4, 100}, {0, 1, 2}}));
        EXPECT_FALSE(QFile::exists(name));
    }
}

TEST_F(ImageFileExportTest, SavesMaskAndComplexField)
{
    auto mask = boost::shared_ptr<binaryArray2D>(new binaryArray2D(3, 2, false));
    mask->setBit(0, 0, true);
    mask->setBit(2, 1, true);
    const QString maskName = path(QStringLiteral("mask.PNG"));
    ASSERT_TRUE(saveImageFile(maskName, QStringLiteral("PNG"), mask));
    const QString maskFile = imageFileNameWithExtension(maskName, QStringLiteral("PNG"));
    EXPECT_EQ(QImage(maskFile).depth(), 1);
    EXPECT_EQ(redLines(maskFile), (std::vector<std::vector<int>>{{0, 0, 255}, {255, 0, 0}}));

    boost::shared_ptr<complexDataField2D> field(new complexDataField2D(4, 2, 0));
    field->setValue(0, 0, {0.0f, 2.0f});
    const QString fieldName = path(QStringLiteral("complex.bmp"));
    ASSERT_TRUE(
        saveComplexDataField2DImageFile(fieldName, QStringLiteral("BMP"), field, displayAmplitude));
    EXPECT_EQ(redLines(imageFileNameWithExtension(fieldName, QStringLiteral("BMP"))),
              (std::vector<std::vector<int>>{{0, 0, 255, 0}, {0, 0, 0, 0}}));
}

TEST_F(ImageFileExportTest, FailuresWriteNothingAndShowNothing)
{
    MessageRecorder recorder;
    const auto field = makeField(1, 1, {1});
    EXPECT_FALSE(saveDataField2DImageFile(path(QStringLiteral("a")), QStringLiteral("JPG"), field));
    EXPECT_FALSE(
        saveDataField2DImageFile(path(QStringLiteral("no/a")), QStringLiteral("PNG"), field));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(ImageFileExportTest, ReadsImageFileAsWeightedGray)
{
    const QImage colour = colourImageOf({{qRgb(200, 100, 50), qRgb(0, 0, 255)}});
    const QString colourName = path(QStringLiteral("colour.bmp"));
    ASSERT_TRUE(colour.save(colourName, "BMP"));
    // A PNG under a misleading name: the format comes from the contents.
    QImage gray(2, 1, QImage::Format_Grayscale8);
    gray.scanLine(0)[0] = 33;
    gray.scanLine(0)[1] = 250;
    const QString grayName = path(QStringLiteral("gray.bmp"));
    ASSERT_TRUE(gray.save(grayName, "PNG"));

    struct Case
    {
        QString name;
        std::vector<float> values;
    };
    const Case cases[] = {
        {colourName, {float(qGray(200, 100, 50)), float(qGray(0, 0, 255))}},
        {grayName, {33, 250}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const auto field = readImageFileToDataField2D(c.name);
        ASSERT_TRUE(field);
        ASSERT_EQ(field->getSizeI(), 2);
        ASSERT_EQ(field->getSizeJ(), 1);
        EXPECT_EQ(field->getDx(), 1.0);
        EXPECT_EQ(field->getValue(0, 0), c.values[0]);
        EXPECT_EQ(field->getValue(1, 0), c.values[1]);
    }

    QFile text(path(QStringLiteral("text.png")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no image");
    text.close();
    EXPECT_FALSE(readImageFileToDataField2D(text.fileName()));
    EXPECT_FALSE(readImageFileToDataField2D(QString()));
    EXPECT_FALSE(readImageFileToDataField2D(path(QStringLiteral("missing.png"))));
}

TEST(ImageFileSavers, FailedWritesKeepTheFileTheyWouldReplace)
{
    MessageRecorder recorder;
    auto mask = boost::shared_ptr<binaryArray2D>(new binaryArray2D(8, 4));
    const auto field = makeField(3, 2, {1, 2, 3, 4, 5, 6});
    const auto complex = boost::shared_ptr<complexDataField2D>(new complexDataField2D(3, 2, 0));
    const struct
    {
        const char* name;
        std::function<bool(const QString&)> write;
    } savers[] = {
        {"mask.png", [&](const QString& f) { return saveImageFile(f + "/mask", "PNG", mask); }},
        {"mask.bmp", [&](const QString& f) { return saveImageFile(f + "/mask", "BMP", mask); }},
        {"field.png",
         [&](const QString& f) { return saveDataField2DImageFile(f + "/field", "PNG", field); }},
        {"complex.bmp",
         [&](const QString& f) {
             return saveComplexDataField2DImageFile(f + "/complex", "BMP", complex, 1);
         }},
        // An image of a few hundred bytes sits in the writer's buffer until the flush.
        {"small.png", [&](const QString& f) {
             return writeImageFile(QImage(16, 16, QImage::Format_Mono), f + "/small.png", "PNG", 0);
         }}};
    for (const auto& saver : savers) {
        SCOPED_TRACE(saver.name);
        expectFailedWritesKeepTheOldFile(QString::fromLatin1(saver.name), saver.write);
    }
    EXPECT_TRUE(recorder.messages().empty());
}

} // namespace
