// ASCII export of fields and images in the single-row, single-column and two-dimensional layouts.
#include "fieldio/asciiExport.h"

#include "base/phasedeckGlobals.h"
#include "base/replacingFile.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/imageNormalizer.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <QLocale>
#include <QTextStream>
#include <cmath>
#include <vector>

namespace {

const char* const rowTitles[]
    = {": ASCII Export of single row datafield\n", ": ASCII Export of single column datafield\n",
       ": ASCII Export of datafield\n"};
const char* const imageTitles[]
    = {": ASCII Export of single row image\n", ": ASCII Export of single column image\n",
       ": ASCII Export of image\n"};
enum Layout { singleRow = 0, singleColumn = 1, twoDimensional = 2 };

// Writes the text that write(out) produces, in the C number format, through a file that replaces
// `fileName` only when complete; false when anything failed.
template<typename Write>
bool writeAsciiFile(const QString& fileName, Write write)
{
    return writeReplacingFile(fileName, [&](QIODevice& device) {
        QTextStream out(&device);
        out.setLocale(QLocale::c());
        write(out);
        out.flush();
        return out.status() == QTextStream::Ok;
    });
}

// Header lines; partMessage is null for the real-field and image writers.
void writeHeader(QTextStream& out, const char* title, const QString* partMessage)
{
    out << "# " << QString::fromStdString(fullApplicationName) << title;
    if (partMessage)
        out << "# " << *partMessage;
}

// Single row or column of n values at pitch p; value(k) is written after the position.
template<typename Value>
void writeSingleLine(QTextStream& out, const char* title, const QString* partMessage, double p,
                     int n, bool withValues, Value value)
{
    writeHeader(out, title, partMessage);
    if (p != 1.0)
        out << "# "
            << "Pixel size " << p;
    out << "\n";
    if (!withValues)
        return;
    for (int k = 0; k < n; ++k)
        out << k << "\t" << k * p - (n - 1) * p * 0.5 << "\t" << value(k) << "\n";
}

// nx values on each of ny text lines; value(x, r) for column x of text line r.
template<typename Value>
void writeTwoDimensional(QTextStream& out, const char* title, const QString* partMessage, int nx,
                         int ny, double dx, double dy, bool withValues, Value value)
{
    writeHeader(out, title, partMessage);
    out << "# "
        << "Pixel number in x direction " << nx << "\n";
    out << "# "
        << "Pixel number in y direction " << ny << "\n";
    if (dx != 1.0 || dy != 1.0) {
        out << "# "
            << "Pixel size in x direction " << dx << "\n";
        out << "# "
            << "Pixel size in y direction " << dy << "\n";
    }
    if (!withValues)
        return;
    for (int r = 0; r < ny; ++r) {
        for (int x = 0; x < nx; ++x)
            out << value(x, r) << "\t";
        out << "\n";
    }
}

// k - n/2 brought into 0 .. n - 1: the element shown at position k of a centred line.
int centredElement(int k, int n)
{
    const int e = k - n / 2;
    return e < 0 ? e + n : e;
}

QString partMessageOf(int mode)
{
    switch (mode) {
    case displayRealPart:
        return QStringLiteral("Exporting real part of field.\n");
    case displayImaginaryPart:
        return QStringLiteral("Exporting imaginary part of field.\n");
    case displayAmplitude:
        return QStringLiteral("Exporting amplitude of field.\n");
    case displayPhase:
        return QStringLiteral("Exporting phase of field.\n");
    case displayIntensity:
        return QStringLiteral("Exporting intensity of field.\n");
    default:
        return QString();
    }
}

} // namespace

bool exportDataField2DAscii(const QString& fileName, boost::shared_ptr<DataField2D> field)
{
    const int nI = field->getSizeI();
    const int nJ = field->getSizeJ();
    return writeAsciiFile(fileName, [&](QTextStream& out) {
        if (nJ == 1)
            writeSingleLine(out, rowTitles[singleRow], nullptr, field->getDx(), nI, true,
                            [&](int k) { return field->getValue(k, 0); });
        else if (nI == 1)
            writeSingleLine(out, rowTitles[singleColumn], nullptr, field->getDy(), nJ, true,
                            [&](int k) { return field->getValue(0, k); });
        else
            writeTwoDimensional(out, rowTitles[twoDimensional], nullptr, nI, nJ, field->getDx(),
                                field->getDy(), true,
                                [&](int i, int j) { return field->getValue(i, j); });
    });
}

bool exportComplexDataField2DAscii(const QString& fileName,
                                   boost::shared_ptr<complexDataField2D> field, int mode)
{
    const QString part = partMessageOf(mode);
    const bool known = !part.isEmpty();
    const int nI = field->getSizeI();
    const int nJ = field->getSizeJ();
    const auto value = [&](int i, int j) {
        const complexFloat z = field->getValue(i, j);
        if (mode == displayIntensity) {
            const float m = std::hypot(z.re, z.im);
            return m * m;
        }
        return complexDisplayValue(z.re, z.im, mode, false);
    };
    return writeAsciiFile(fileName, [&](QTextStream& out) {
        if (nJ == 1)
            writeSingleLine(out, rowTitles[singleRow], &part, field->getDx(), nI, known,
                            [&](int k) { return value(centredElement(k, nI), 0); });
        else if (nI == 1)
            writeSingleLine(out, rowTitles[singleColumn], &part, field->getDy(), nJ, known,
                            [&](int k) { return value(0, centredElement(k, nJ)); });
        else
            writeTwoDimensional(out, rowTitles[twoDimensional], &part, nI, nJ, field->getDx(),
                                field->getDy(), known, [&](int x, int r) {
                                    return value(centredElement(x, nI), centredElement(r, nJ));
                                });
    });
}

bool exportImageAscii(const QString& fileName, const QImage& image, double pixelSizeX,
                      double pixelSizeY)
{
    const QImage source = normalizeImage(image);
    const int width = source.width();
    const int height = source.height();
    // Red values with line 0 of the table the bottom image line.
    std::vector<unsigned> red(size_t(width) * size_t(height));
    std::vector<QRgb> line(static_cast<size_t>(width));
    for (int r = 0; r < height; ++r) {
        readColourLine(source, height - 1 - r, line.data());
        for (int x = 0; x < width; ++x)
            red[size_t(r) * size_t(width) + size_t(x)] = unsigned(qRed(line[size_t(x)]));
    }
    const auto at = [&](int x, int r) { return red[size_t(r) * size_t(width) + size_t(x)]; };
    return writeAsciiFile(fileName, [&](QTextStream& out) {
        if (height == 1)
            writeSingleLine(out, imageTitles[singleRow], nullptr, pixelSizeX, width, true,
                            [&](int k) { return at(k, 0); });
        else if (width == 1)
            writeSingleLine(out, imageTitles[singleColumn], nullptr, pixelSizeY, height, true,
                            [&](int k) { return at(0, k); });
        else
            writeTwoDimensional(out, imageTitles[twoDimensional], nullptr, width, height,
                                pixelSizeX, pixelSizeY, true, at);
    });
}
