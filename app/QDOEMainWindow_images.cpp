// Main window: opening images and, in the internal edition, element files (file, command line,
// drop, paste), and the preference commands.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/droppedFileNames.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_QV_PhasedeckAppAbout.h"
#include "dialogs/dialog_twoIntValuesImpl.h"
#include "dialogs/dialog_two_real_numbersImpl.h"
#include "fieldio/imageColours.h"
#include "fieldio/imageFileReader.h"
#include "fieldio/imageNormalizer.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/backgroundImage.h"
#include "views/qComplexDataGrscMapWidget.h"
#include "views/windowManagement.h"
#if PHASEDECK_LAB
#include "lab/app/imageConversionChoice.h"
#include "lab/fieldio/diffractiveElementFile.h"
#endif

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QMimeData>

namespace {

const QString imageFileFilter
    = QStringLiteral("Images (*.bmp *.png *.xpm *.jpg *.jpeg *.pgm *.gif)");

// The open dialog of the file commands ("Choose a file" in the open folder); empty when
// cancelled. A chosen file makes its folder the settings' open folder.
QString chooseFileToOpen(const QString& filter)
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Choose a file");
    request.folder = QString::fromStdString(theSettings.openFileDir);
    request.filters = filter;
    request.selectedFilter = filter;
    const QString name = getOpenFileName(request).fileName;
    if (!name.isEmpty())
        theSettings.openFileDir = QFileInfo(name).dir().absolutePath().toStdString();
    return name;
}

// Reads an image file for a command; an image refused for its size gets a warning that names
// the file and its pixel size.
ImageFileRead readImageForCommand(const QString& name)
{
    const ImageFileRead read = readImageFile(name);
    if (read.status == ImageReadStatus::TooLarge)
        warningMessage(QStringLiteral("Image is too large to be loaded (%1 x %2 pixels):\n%3")
                           .arg(read.size.width())
                           .arg(read.size.height())
                           .arg(name)
                           .toStdString());
    return read;
}

} // namespace

void QDOEMainWindow::dropEvent(QDropEvent* e)
{
    const QMimeData* data = e->mimeData();
    if (!data)
        return;
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (image.isNull())
            return;
        showImage(image, QStringLiteral("Clipboard image (%1)").arg(++clipboardImageCount));
        e->acceptProposedAction();
        return;
    }
    if (data->hasUrls() || data->hasText()) {
        for (const QString& name : droppedFileNames(*data))
            openFileByName(name);
        e->acceptProposedAction();
    }
}

void QDOEMainWindow::paste()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            showImage(image, QStringLiteral("Clipboard image (%1)").arg(++clipboardImageCount));
    } else if (data->hasText()) {
        openFileByName(data->text());
    }
}

void QDOEMainWindow::openFileByName(QString name)
{
    name = existingFileName(name);
    if (name.isEmpty())
        return;
#if PHASEDECK_LAB
    if (QFileInfo(name).suffix().toLower() == QLatin1String("de")) {
        openDEFileByName(name);
        return;
    }
#endif
    openImageFileByName(name);
}

void QDOEMainWindow::openImageFile()
{
    const QString name = chooseFileToOpen(imageFileFilter);
    if (!name.isEmpty())
        openImageFileByName(name);
}

void QDOEMainWindow::openImageFileByName(QString name)
{
    const ImageFileRead read = readImageForCommand(name);
    if (read.status == ImageReadStatus::Loaded)
        showImage(read.image, name);
}

void QDOEMainWindow::showImage(QImage image, QString title)
{
    image = normalizeImage(image);
    if (image.isNull())
        return;
    if (image.hasAlphaChannel()) {
        warningMessage("Image has alpha-Buffer, which will be ignored.");
        // Without its alpha a true-colour image keeps up to 256 colours exactly in 8 bits.
        if (image.format() == QImage::Format_ARGB32)
            image = image.convertToFormat(QImage::Format_RGB32);
    }
    setWaitCursor(true);
    int levels = 0;
    bool gray = true;
    analyzeImageGrayLevels(image, levels, gray);
    setWaitCursor(false);
    setWaitCursor(true);
#if PHASEDECK_LAB
    // How to convert the image: the options dialog (it shows the arrow cursor) or the last
    // choices.
    ImageConversionChoice choice;
    if (!chooseImageConversion(image, levels, gray, choice)) {
        setWaitCursor(false);
        return;
    }
    image = interpretColours(image, choice);
#endif
    if (image.width() == theSettings.fullScreenWidth
        && image.height() == theSettings.fullScreenHeight) {
        if (!gray)
            warningMessage("Conversion to grayscale image is done automatically.\n Color "
                           "information will be lost.");
        // Every pixel gets the gray of its own colour: a true-colour image goes to gray pixel by
        // pixel, never through a dithered 8-bit copy; a palette image through its palette.
        if (image.depth() == 32) {
            image = convertImageToGrayByChannel(image, 3);
        } else {
            if (image.depth() != 8)
                image = image.convertToFormat(QImage::Format_Indexed8);
            if (!gray)
                image = convertImageToGrayByChannel(image, 3);
        }
        convertPaletteToGray(image);
        openFullScreenWindow(image, title, true, true);
    } else {
        // A field smaller than the image is one that memory could not hold.
        const auto holdsImage = [&image](const auto& field) {
            return field && field->getSizeI() == image.width()
                   && field->getSizeJ() == image.height();
        };
#if PHASEDECK_LAB
        const std::uint8_t* w = choice.weights;
        if (choice.complexPhase) {
            const boost::shared_ptr<complexDataField2D> field
                = imageToComplexDataField2D(image, 4, choice.phaseMode, std::int16_t(choice.levels),
                                            choice.colourKind, w[0], w[1], w[2]);
            if (holdsImage(field))
                openComplexFieldWindow(field, 4, title, QString());
            else
                reportFieldWindowMemory(title, image.size());
        } else {
            const boost::shared_ptr<DataField2D> field
                = imageToDataField2D(image, choice.realMode, choice.colourKind, w[0], w[1], w[2]);
            if (holdsImage(field))
                openRealFieldWindow(field, title, QString());
            else
                reportFieldWindowMemory(title, image.size());
        }
#else
        // The red channel 0 .. 255, pitch 1.0.
        const boost::shared_ptr<DataField2D> field = imageToDataField2D(image, 0, 3, 1, 0, 0);
        if (holdsImage(field))
            openRealFieldWindow(field, title, QString());
        else
            reportFieldWindowMemory(title, image.size());
#endif
    }
    setWaitCursor(false);
}

void QDOEMainWindow::loadBackgroundImageFromFile()
{
    const QString name = chooseFileToOpen(imageFileFilter);
    if (name.isEmpty())
        return;
    const ImageFileRead read = readImageForCommand(name);
    if (read.status == ImageReadStatus::TooLarge)
        return;
    if (read.status != ImageReadStatus::Loaded) {
        errorMessage("Loading image failed !");
        return;
    }
    // Made before the current one goes (a rejected image shows its box meanwhile), so that no
    // window ever reads a deleted image; a rejected image leaves an empty one.
    backgroundImage* loaded = new backgroundImage(normalizeImage(read.image));
    delete theBackgroundImage;
    theBackgroundImage = loaded;
    recomposeAllFullScreenWindows();
}

void QDOEMainWindow::unloadBackgroundImage()
{
    delete theBackgroundImage;
    theBackgroundImage = new backgroundImage();
    recomposeAllFullScreenWindows();
}

void QDOEMainWindow::setGraylevelRange()
{
    dialog_twoIntValuesImpl dialog(nullptr, nullptr, true);
    dialog.setWindowTitle(QStringLiteral("Graylevel range for fullscreen windows"));
    dialog.value1_SpinBox->setRange(0, 255);
    dialog.value1_SpinBox->setValue(graylevelPhase0);
    dialog.value2_SpinBox->setRange(0, 255);
    dialog.value2_SpinBox->setValue(graylevelPhase2Pi);
    dialog.TextLabel_1->setText(QStringLiteral("Graylevel 0:"));
    dialog.TextLabel_2->setText(QStringLiteral("Graylevel 2Pi:"));
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    const int phase0 = dialog.value1_SpinBox->value();
    const int phase2Pi = dialog.value2_SpinBox->value();
    // Equal levels would leave no gray step for the phase.
    if (phase0 == phase2Pi) {
        warningMessage("Graylevel 0 and graylevel 2Pi must differ.\nThe graylevel range is "
                       "not changed.");
        return;
    }
    graylevelPhase0 = static_cast<unsigned char>(phase0);
    graylevelPhase2Pi = static_cast<unsigned char>(phase2Pi);
    recomposeAllFullScreenWindows();
}

void QDOEMainWindow::openOpticalPrefsDialog()
{
    dialog_two_real_numbersImpl dialog(nullptr, nullptr, true);
    dialog.setWindowTitle(QStringLiteral("Please specify optical parameters"));
    dialog.GroupBox1->setTitle(QStringLiteral("Optical parameters"));
    dialog.TextLabel_variable1->setText(QStringLiteral("Wavelength: "));
    dialog.TextLabel_variable2->setText(QStringLiteral("Pixel size: "));
    dialog.TextLabelUnit_1->setText(QStringLiteral("nm"));
    dialog.TextLabelUnit_2->setText(QString(QChar(0xB5)) + QStringLiteral("m"));
    dialog.LineEdit_variable_1->setText(
        QString::number(opticalParameters.defaultWavelength * 999999999.9999999, 'g', 6));
    dialog.LineEdit_variable_2->setText(
        QString::number(opticalParameters.defaultPixelSizeX * 1e6, 'g', 6));
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    bool wavelengthOk = false;
    bool pitchOk = false;
    const double wavelength = dialog.LineEdit_variable_1->text().toDouble(&wavelengthOk);
    const double pitch = dialog.LineEdit_variable_2->text().toDouble(&pitchOk);
    if (!wavelengthOk || !pitchOk || !(wavelength > 0.0) || !(pitch > 0.0)) {
        warningMessage("Wavelength and pixel size must be numbers greater than 0.\nThe optical "
                       "parameters are not changed.");
        return;
    }
    opticalParameters.defaultWavelength = wavelength * 1e-9;
    opticalParameters.defaultPixelSizeX = pitch * 1e-6;
    opticalParameters.defaultPixelSizeY = opticalParameters.defaultPixelSizeX;
}

void QDOEMainWindow::openFontDialog()
{
    bool ok = false;
    const QFont font
        = QFontDialog::getFont(&ok, QFont(QStringLiteral("Helvetica [Cronyx]"), 10), this);
    if (ok)
        QApplication::setFont(font);
}

void QDOEMainWindow::about()
{
    // The maker's lines: name, postal address (two lines) and web address.
    static const char makerLines[] = "QUORVEL Photonics\n"
                                     "Optics Park 12\n"
                                     "00000 Sampletown\n"
                                     "www.quorvel.example";
#if PHASEDECK_LAB
    const std::string text = productTitle + "\nfor QUORVEL _internal_ use only.\n" + makerLines;
#else
    const std::string text = productTitle + "\nfor the Quorvel SLM " + deviceModel + ", version "
                             + productVersion + "\n\n" + makerLines;
#endif
    dialog_QV_PhasedeckAppAbout box;
    box.setWindowTitle(QString::fromStdString("About " + productTitle));
    box.InfoTextLabel->setText(QString::fromStdString(text));
    runDialog(box);
}

#if PHASEDECK_LAB

void QDOEMainWindow::openDOE()
{
    openDEFile(0);
}

void QDOEMainWindow::openDiffractionPattern()
{
    openDEFile(1);
}

void QDOEMainWindow::openDEFile(int kind)
{
    Q_UNUSED(kind)
    const QString name = chooseFileToOpen(QStringLiteral("DE File (*.de)"));
    if (!name.isEmpty())
        openDEFileByName(name);
}

void QDOEMainWindow::openDEFileByName(QString name)
{
    setWaitCursor(true);
    const boost::shared_ptr<complexDataField2D> field = readComplexDE20File(name);
    if (field)
        openComplexFieldWindow(field, 1, name, QString());
    setWaitCursor(false);
}

#endif
