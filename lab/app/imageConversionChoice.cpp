// The image options dialog of the internal edition: preset, read back and remembered choices;
// the monochrome threshold.
#include "lab/app/imageConversionChoice.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_openImageImpl.h"

#include <algorithm>

namespace {

void presetDialog(dialog_openImageImpl& d, const QImage& image, int colourCount, bool gray,
                  const ImageConversionChoice& remembered)
{
    d.textLabel_info->setText((gray ? QStringLiteral("Properties: Grayscale image with ")
                                    : QStringLiteral("Properties: Color image with "))
                              + QString::number(image.width()) + QStringLiteral(" x ")
                              + QString::number(image.height()) + QStringLiteral(" pixels and ")
                              + QString::number(colourCount) + QStringLiteral(" unique colors"));
    if (gray) {
        d.radioButton1->setText(QStringLiteral("Grayscale image"));
        d.radioButton2->setEnabled(false);
        d.spinBox_R->setValue(1);
        d.spinBox_G->setValue(0);
        d.spinBox_B->setValue(0);
        d.spinBox_R->setEnabled(false);
        d.spinBox_G->setEnabled(false);
        d.spinBox_B->setEnabled(false);
        d.spinBox_Levels->hide();
        d.textLabel3->hide();
        d.radioButton11->setText(QStringLiteral("quantized phase with ")
                                 + QString::number(colourCount)
                                 + QStringLiteral(" equidistant levels"));
        d.radioButton11->resize(2 * d.radioButton11->width(), d.radioButton11->height());
    } else {
        d.radioButton1->setText(QStringLiteral("Grayscale image - RGB mix as specified below"));
    }

    switch (remembered.colourKind) {
    case cyclicColourKind:
        // A gray image offers no cyclic colours: its gray values are read instead.
        (gray ? d.radioButton1 : d.radioButton2)->setChecked(true);
        break;
    case monochromeKind:
        d.radioButton3->setChecked(true);
        break;
    default:
        d.radioButton1->setChecked(true);
    }
    if (remembered.complexPhase)
        d.radioButton_complexFieldPhase->setChecked(true);
    else
        d.radioButton_realField->setChecked(true);
    switch (remembered.realMode) {
    case 1:
        d.radioButton8->setChecked(true);
        break;
    case 3:
        d.radioButton9->setChecked(true);
        break;
    default:
        d.radioButton7->setChecked(true);
    }
    if (remembered.phaseMode == 4)
        d.radioButton11->setChecked(true);
    else
        d.radioButton10->setChecked(true);
    d.spinBox_Levels->setValue(std::min(colourCount, 2048));
}

ImageConversionChoice readDialog(const dialog_openImageImpl& d, bool gray)
{
    ImageConversionChoice c;
    if (d.radioButton2->isChecked())
        c.colourKind = cyclicColourKind;
    else if (d.radioButton3->isChecked())
        c.colourKind = monochromeKind;
    else
        c.colourKind = grayMixKind;
    if (c.colourKind == grayMixKind && !gray) {
        c.weights[0] = std::uint8_t(d.spinBox_R->value());
        c.weights[1] = std::uint8_t(d.spinBox_G->value());
        c.weights[2] = std::uint8_t(d.spinBox_B->value());
    }
    c.complexPhase = d.radioButton_complexFieldPhase->isChecked();
    c.realMode = d.radioButton8->isChecked() ? 1 : d.radioButton9->isChecked() ? 3 : 0;
    c.phaseMode = d.radioButton11->isChecked() ? 4 : 2;
    c.levels = d.spinBox_Levels->value();
    return c;
}

} // namespace

ImageConversionChoice& rememberedImageConversion()
{
    static ImageConversionChoice remembered;
    return remembered;
}

bool chooseImageConversion(const QImage& image, int colourCount, bool gray,
                           ImageConversionChoice& choice)
{
    ImageConversionChoice& remembered = rememberedImageConversion();
    if (!theSettings.showImageOptionsDialog) {
        choice = remembered;
        choice.weights[0] = 1;
        choice.weights[1] = 0;
        choice.weights[2] = 0;
        return true;
    }
    dialog_openImageImpl dialog(nullptr, nullptr, true);
    presetDialog(dialog, image, colourCount, gray, remembered);
    if (runDialog(dialog) != QDialog::Accepted)
        return false;
    choice = readDialog(dialog, gray);
    remembered = choice;
    return true;
}

QImage interpretColours(const QImage& image, const ImageConversionChoice& choice)
{
    if (choice.colourKind != monochromeKind || image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
        .convertToFormat(QImage::Format_Indexed8);
}
