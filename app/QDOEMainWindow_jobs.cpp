// Main window: the binary Fresnel job-file runner, which writes its failures to the log.
#include "app/QDOEMainWindow.h"

#include "base/Logfile.h"
#include "base/messages.h"
#include "base/replacingFile.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/binaryFresnelJob.h"
#include "fieldio/imageFileExport.h"
#include "fields/binaryArray2D.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char* checkMessage(binaryFresnelJobCheck check)
{
    switch (check) {
    case binaryFresnelJobCheck::apertureZero:
        return "Aperture diameter is zero in QDOEMainWindow::runCJ_BINARY_FRESNEL. Aborting "
               "function.";
    case binaryFresnelJobCheck::apertureNotPositive:
        return "Aperture diameter is negative or not finite in "
               "QDOEMainWindow::runCJ_BINARY_FRESNEL. Aborting function.";
    case binaryFresnelJobCheck::wavelengthZero:
        return "Wavelength is zero in QDOEMainWindow::runCJ_BINARY_FRESNEL. Aborting function.";
    case binaryFresnelJobCheck::wavelengthNotPositive:
        return "Wavelength is negative or not finite in QDOEMainWindow::runCJ_BINARY_FRESNEL. "
               "Aborting function.";
    case binaryFresnelJobCheck::noElement:
        return "No DOE data found in QDOEMainWindow::runCJ_BINARY_FRESNEL. Aborting function.";
    case binaryFresnelJobCheck::pixelSizes:
        return "Pixel sizes not properly defined in QDOEMainWindow::runCJ_BINARY_FRESNEL. "
               "Aborting function.";
    case binaryFresnelJobCheck::gridEmpty:
        return "Aperture diameter smaller than the pixel size (empty grid) in "
               "QDOEMainWindow::runCJ_BINARY_FRESNEL. Aborting function.";
    case binaryFresnelJobCheck::gridTooLarge:
        return "Grid larger than 16384 x 16384 pixels in QDOEMainWindow::runCJ_BINARY_FRESNEL. "
               "Aborting function.";
    case binaryFresnelJobCheck::ready:
        break;
    }
    return "";
}

// The wait cursor from construction to every way out of the run.
class WaitCursorScope
{
public:
    WaitCursorScope() { setWaitCursor(true); }
    ~WaitCursorScope() { setWaitCursor(false); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;
};

} // namespace

void QDOEMainWindow::runCJ_BINARY_FRESNEL(QString jobFileName)
{
    const QFileInfo info(jobFileName);
    if (!info.exists()) {
        theLogfile.error(
            "Jobfile not found in QDOEMainWindow::runCJ_BINARY_FRESNEL. Aborting function.");
        return;
    }
    // Directories, FIFOs and devices are never read, also when swapped in under the name.
    QFile file;
    if (!openRegularFileForReading(file, jobFileName)) {
        theLogfile.error("Read access to Jobfile failed in QDOEMainWindow::runCJ_BINARY_FRESNEL. "
                         "Aborting function.");
        return;
    }
    const QString folder = info.dir().absolutePath() + QLatin1Char('/');
    const WaitCursorScope waitCursor;

    binaryFresnelJob job = startBinaryFresnelJob(opticalParameters);
    QTextStream lines(&file);
    readBinaryFresnelJob(lines, folder, job);
    const binaryFresnelJobCheck check = checkBinaryFresnelJob(job);
    if (check != binaryFresnelJobCheck::ready) {
        theLogfile.error(checkMessage(check));
        return;
    }
    const boost::shared_ptr<binaryArray2D> mask = binaryFresnelMask(job);
    if (!saveImageFile(binaryFresnelResultName(folder, job), QStringLiteral("PNG"), mask))
        theLogfile.error("Writing the result image failed in "
                         "QDOEMainWindow::runCJ_BINARY_FRESNEL.");
}
