// binaryFresnelJob: job-file reading, the checks, the mask and the result name.
#include "fieldio/binaryFresnelJob.h"

#include "base/phasedeckGlobals.h"
#include "fieldio/DataSourceBinaryPhaseImage2D.h"
#include "fieldio/DataSourcePhaseImage2D.h"
#include "fieldio/imageFileReader.h"
#include "fieldio/imageNormalizer.h"
#include "fields/binaryArray2D.h"

#include <QFileInfo>
#include <QImage>
#include <QTextStream>
#include <cmath>
#include <locale>
#include <sstream>

namespace {

// The largest double below 1e9: metres to the nanometres of the result name.
constexpr double metresToNanometres = 999999999.9999999;

bool isPositiveNumber(double value)
{
    return value > 0.0 && std::isfinite(value);
}

void readElement(const QString& fileName, binaryFresnelJob& job)
{
    // A name with a NUL character names no file (and the toolkit would warn about it).
    if (fileName.contains(QChar(0)))
        return;
    const QFileInfo info(fileName);
    if (!info.exists())
        return;
    job.elementBaseName = info.baseName();
    if (info.suffix().toLower() == QLatin1String("de")) {
        job.elementFound = false;
        return;
    }
    const ImageFileRead read = readImageFile(fileName);
    job.elementFound = read.status == ImageReadStatus::Loaded;
    if (!job.elementFound)
        return;
    const QImage image = normalizeImage(read.image);
    if (image.depth() == 1)
        job.element.reset(new DataSourceBinaryPhaseImage2D(image));
    else
        job.element.reset(new DataSourcePhaseImage2D(image));
}

} // namespace

binaryFresnelJob startBinaryFresnelJob(const OpticalParameters& optics)
{
    binaryFresnelJob job;
    job.wavelength = optics.defaultWavelength;
    job.lensPower = 1.0 / optics.defaultFocalLength;
    job.pitchX = optics.defaultPixelSizeX;
    job.pitchY = optics.defaultPixelSizeY;
    return job;
}

void readBinaryFresnelJob(QTextStream& lines, const QString& folder, binaryFresnelJob& job)
{
    while (!lines.atEnd()) {
        const QString line = lines.readLine().simplified();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))
            || line.startsWith(QLatin1Char('%')))
            continue;
        const bool element = line == QLatin1String("ELEMENT");
        const bool focalLength = line == QLatin1String("FOCAL_LENGTH [mm]");
        const bool lensPower = line == QLatin1String("LENS_POWER [1/m]");
        const bool wavelength = line == QLatin1String("WAVELENGTH [nm]");
        const bool pitch = line == QLatin1String("PIX_SIZE [nm]")
                           || line == QLatin1String("LAYOUT_PIXEL_SIZE [nm]");
        const bool aperture = line == QLatin1String("APERTURE_DIAMETER [mm]");
        if (!(element || focalLength || lensPower || wavelength || pitch || aperture))
            continue;
        // A keyword on the last line gets an empty value.
        const QString value = lines.readLine().simplified();
        const double number = value.toDouble();
        if (element) {
            readElement(folder + value, job);
        } else if (focalLength) {
            job.lensPower = number == 0.0 ? 0.0 : 1.0 / (number * 0.001);
        } else if (lensPower) {
            job.lensPower = number;
        } else if (wavelength) {
            job.wavelength = number * 1e-9;
        } else if (pitch) {
            job.pitchX = number * 1e-9;
            job.pitchY = job.pitchX;
        } else {
            job.apertureDiameter = number * 0.001;
        }
    }
}

binaryFresnelJobCheck checkBinaryFresnelJob(const binaryFresnelJob& job)
{
    if (job.apertureDiameter == 0.0)
        return binaryFresnelJobCheck::apertureZero;
    if (!isPositiveNumber(job.apertureDiameter))
        return binaryFresnelJobCheck::apertureNotPositive;
    if (job.wavelength == 0.0)
        return binaryFresnelJobCheck::wavelengthZero;
    if (!isPositiveNumber(job.wavelength))
        return binaryFresnelJobCheck::wavelengthNotPositive;
    if (!job.elementFound || !job.element || job.element->getWidth() <= 0
        || job.element->getHeight() <= 0)
        return binaryFresnelJobCheck::noElement;
    if (!isPositiveNumber(job.pitchX) || !isPositiveNumber(job.pitchY))
        return binaryFresnelJobCheck::pixelSizes;
    // The truncated cell counts; an infinite quotient is refused as well.
    if (job.apertureDiameter / job.pitchX < 1.0 || job.apertureDiameter / job.pitchY < 1.0)
        return binaryFresnelJobCheck::gridEmpty;
    if (!(std::floor(job.apertureDiameter / job.pitchX) <= maxBinaryFresnelGridSide)
        || !(std::floor(job.apertureDiameter / job.pitchY) <= maxBinaryFresnelGridSide))
        return binaryFresnelJobCheck::gridTooLarge;
    return binaryFresnelJobCheck::ready;
}

boost::shared_ptr<binaryArray2D> binaryFresnelMask(const binaryFresnelJob& job)
{
    const int nx = static_cast<int>(job.apertureDiameter / job.pitchX);
    const int ny = static_cast<int>(job.apertureDiameter / job.pitchY);
    const int hx = nx / 2;
    const int hy = ny / 2;
    const double radius = job.apertureDiameter * 0.5;
    const double r2Aperture = radius * radius;
    const double q = job.lensPower / job.wavelength;
    boost::shared_ptr<binaryArray2D> mask(
        new binaryArray2D(std::uint32_t(nx), std::uint32_t(ny), true));
    const DataSource2D& element = *job.element;
    const int w = element.getWidth();
    const int h = element.getHeight();
    for (int j = 0; j < ny; ++j) {
        const double y = (j - hy) * job.pitchY;
        for (int i = 0; i < nx; ++i) {
            const double x = (i - hx) * job.pitchX;
            const double r2 = x * x + y * y;
            if (!(r2 < r2Aperture))
                continue;
            const bool elementPlus = element.valueAt(i % w, j % h) != 0;
            const double zone = std::floor(r2 * q);
            const bool lensPlus = std::floor(zone * 0.5) * 2.0 == zone;
            mask->setBit(std::uint32_t(i), std::uint32_t(j), elementPlus == lensPlus);
        }
    }
    return mask;
}

QString binaryFresnelResultName(const QString& folder, const binaryFresnelJob& job)
{
    std::ostringstream pitch;
    pitch.imbue(std::locale::classic());
    pitch << job.pitchX * metresToNanometres << "nm";
    if (job.pitchX != job.pitchY)
        pitch << " x " << job.pitchY * metresToNanometres << "nm";
    return folder + job.elementBaseName + QStringLiteral("_pixSize_")
           + QString::fromStdString(pitch.str());
}
