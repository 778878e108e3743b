// libFuzzer target: job-file text read into a binary Fresnel job, checked, and the mask of
// small ready jobs computed and named.
#include "base/phasedeckGlobals.h"
#include "fieldio/binaryFresnelJob.h"
#include "fields/binaryArray2D.h"
#include "fuzzSupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <cstdint>
#include <sys/stat.h>

namespace {

// The folder of the element files that job lines may name: bits.png (1 bit), gray.png,
// rgb.bmp, old.de, broken.png, the folder sub and the FIFO pipe.png (which must never be
// opened: a read would block the run).
const QString& elementFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        FUZZ_CHECK(dir.isValid());
        QImage bits(5, 3, QImage::Format_Mono);
        bits.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        bits.fill(0);
        bits.setPixel(1, 1, 1);
        bits.setPixel(4, 2, 1);
        QImage gray(4, 4, QImage::Format_Grayscale8);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                gray.scanLine(y)[x] = uchar(40 * x + 10 * y);
        QImage rgb(3, 2, QImage::Format_RGB32);
        rgb.fill(qRgb(0, 0, 0));
        rgb.setPixel(2, 1, qRgb(200, 30, 90));
        QFile broken(dir.filePath(QStringLiteral("broken.png")));
        const bool made
            = bits.save(dir.filePath(QStringLiteral("bits.png")))
              && gray.save(dir.filePath(QStringLiteral("gray.png")))
              && rgb.save(dir.filePath(QStringLiteral("rgb.bmp")))
              && QFile::copy(dir.filePath(QStringLiteral("bits.png")),
                             dir.filePath(QStringLiteral("old.de")))
              && broken.open(QIODevice::WriteOnly) && broken.write("\x89PNG\r\n") > 0
              && QDir(dir.path()).mkdir(QStringLiteral("sub"))
              && ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.png"))).constData(),
                          0600)
                     == 0;
        FUZZ_CHECK(made);
        return dir.path() + QLatin1Char('/');
    }();
    return folder;
}

const OpticalParameters optics = {632.8e-9, 0.1, 0.05, 8e-6, 8e-6};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    elementFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextStream lines(bytes, QIODevice::ReadOnly);
    binaryFresnelJob job = startBinaryFresnelJob(optics);
    readBinaryFresnelJob(lines, elementFolder(), job);
    const QString name = binaryFresnelResultName(elementFolder(), job);
    if (checkBinaryFresnelJob(job) != binaryFresnelJobCheck::ready)
        return 0;
    // Ready jobs may ask for 16384 x 16384 cells; only small ones are computed here.
    const double cells = std::floor(job.apertureDiameter / job.pitchX)
                         * std::floor(job.apertureDiameter / job.pitchY);
    if (cells > 65536.0)
        return 0;
    const auto mask = binaryFresnelMask(job);
    FUZZ_CHECK(mask->getByteCount() <= 8192 && !name.isEmpty());
    return 0;
}
