// Field window of the internal edition: its extra tool buttons, the gray-range strip under the
// image with its mouse handling, and the gray-level shuffle.
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/phasedeckGlobals.h"
#include "base/phasedeckRandom.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_fourIntValuesImpl.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"
#include "lab/fieldio/grayLevelShuffle.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolButton>
#include <ctime>

namespace {

// The shuffle's values for the whole run.
grayShuffleParameters shuffleParameters;

enum class LabPictogram { View, Shuffle, Propagation };

// 32 x 32 pictures: a part view by its short name, crossing arrows over a gray ramp, a beam
// through a lens.
QIcon labIcon(LabPictogram kind, const QString& text = QString())
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(32, 32, 48);
    p.setPen(QPen(ink, 2));
    switch (kind) {
    case LabPictogram::View: {
        p.setBrush(QColor(230, 240, 255));
        p.drawRoundedRect(2, 4, 28, 24, 4, 4);
        QFont font = p.font();
        font.setPixelSize(13);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(2, 4, 28, 24), Qt::AlignCenter, text);
        break;
    }
    case LabPictogram::Shuffle: {
        for (int x = 0; x < 26; ++x) {
            const int g = x * 255 / 25;
            p.setPen(QColor(g, g, g));
            p.drawLine(3 + x, 21, 3 + x, 29);
        }
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(3, 4, 24, 15);
        p.drawLine(3, 15, 24, 4);
        p.setBrush(ink);
        p.drawPolygon(QPolygon({QPoint(29, 16), QPoint(21, 17), QPoint(25, 11)}));
        p.drawPolygon(QPolygon({QPoint(29, 3), QPoint(25, 8), QPoint(21, 2)}));
        break;
    }
    case LabPictogram::Propagation:
        p.setBrush(QColor(200, 225, 255));
        p.drawEllipse(QRect(7, 3, 6, 26));
        p.setPen(QPen(QColor(200, 40, 40), 2));
        p.drawLine(1, 8, 10, 8);
        p.drawLine(1, 24, 10, 24);
        p.drawLine(10, 8, 30, 18);
        p.drawLine(10, 24, 30, 14);
        break;
    }
    return QIcon(picture);
}

} // namespace

void qComplexDataGrscMapWidget::addLabToolButtons()
{
    auto* row = static_cast<QBoxLayout*>(toolBar->layout());
    auto place = [row](QToolButton* button, int index) {
        row->removeWidget(button);
        row->insertWidget(index, button);
    };
    const struct
    {
        const char* tip;
        const char* text;
        void (qComplexDataGrscMapWidget::*slot)();
    } views[] = {
        {"Show Real Part of Field", "Re", &qComplexDataGrscMapWidget::showRealPart},
        {"Show Imaginary Part of Field", "Im", &qComplexDataGrscMapWidget::showImagPart},
        {"Show Amplitude of Field", "|A|", &qComplexDataGrscMapWidget::showAmplitude},
        {"Show Phase of Field", "Ph", &qComplexDataGrscMapWidget::showPhase},
        {"Show Intensity of Field", "I", &qComplexDataGrscMapWidget::showIntensity},
    };
    // After "Save the data field": the five views; after "Zoom Out": the shuffle; last the
    // propagation.
    for (int k = 0; k < 5; ++k) {
        QToolButton* button = addToolButton(
            labIcon(LabPictogram::View, QString::fromLatin1(views[k].text)), views[k].tip);
        button->setCheckable(true);
        place(button, 1 + k);
        connect(button, &QToolButton::clicked, this, views[k].slot);
        viewButtons[k] = button;
    }
    markViewButtons(currentModeValue);
    shuffleButton = addToolButton(labIcon(LabPictogram::Shuffle), "Shuffle Grayscales");
    place(shuffleButton, row->indexOf(zoomOutButton) + 1);
    connect(shuffleButton, &QToolButton::clicked, this,
            &qComplexDataGrscMapWidget::shuffleGrayscales);
    propagationButton
        = addToolButton(labIcon(LabPictogram::Propagation), "Compute field propagation");
    connect(propagationButton, &QToolButton::clicked, this,
            &qComplexDataGrscMapWidget::computePropagation);

    // Keyboard focus follows the row.
    for (int k = 1; k < row->count(); ++k)
        setTabOrder(row->itemAt(k - 1)->widget(), row->itemAt(k)->widget());
}

void qComplexDataGrscMapWidget::markViewButtons(int mode)
{
    for (int k = 0; k < 5; ++k)
        if (viewButtons[k])
            viewButtons[k]->setChecked(k + 1 == mode);
}

const grayRangeMarkers& qComplexDataGrscMapWidget::rangeMarkers() const
{
    return markers;
}

grayRangeStrip qComplexDataGrscMapWidget::rangeStrip() const
{
    grayRangeStrip strip;
    strip.left = imageOrigin.x();
    strip.top = imageOrigin.y() + displayedHeight;
    strip.barWidth = displayedWidth;
    return strip;
}

void qComplexDataGrscMapWidget::rebuildDisplayedImage()
{
    if (!updateImage() || !rescaleDisplayedImage(true))
        reportMemory();
}

void qComplexDataGrscMapWidget::paintRangeStrip(QPainter& painter)
{
    const grayRangeStrip strip = rangeStrip();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::red, 1));
    painter.setBrush(Qt::NoBrush);
    // The outline covers exactly the bar's pixels.
    painter.drawRect(strip.bar().adjusted(0, 0, -1, -1));
    painter.fillRect(strip.marker(markers.lowPosition(strip.barWidth)), Qt::black);
    painter.fillRect(strip.marker(markers.highPosition(strip.barWidth)), Qt::white);
    painter.restore();
}

void qComplexDataGrscMapWidget::pressRangeStrip(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
        return;
    const grayRangeStrip strip = rangeStrip();
    const QPoint p = e->position().toPoint();
    if (strip.grabs(p, markers.lowPosition(strip.barWidth)))
        draggingLow = true;
    else if (strip.grabs(p, markers.highPosition(strip.barWidth)))
        draggingHigh = true;
}

bool qComplexDataGrscMapWidget::moveRangeMarker(QMouseEvent* e)
{
    if (!draggingLow && !draggingHigh)
        return false;
    const grayRangeStrip strip = rangeStrip();
    const int offset = e->position().toPoint().x() - strip.left;
    if (draggingLow)
        markers.moveLow(offset, strip.barWidth);
    else
        markers.moveHigh(offset, strip.barWidth);
    if (e->buttons() & Qt::LeftButton) {
        rebuildDisplayedImage();
    } else if (e->buttons() & Qt::RightButton) {
        deferredLow = deferredLow || draggingLow;
        deferredHigh = deferredHigh || draggingHigh;
    }
    update();
    return true;
}

void qComplexDataGrscMapWidget::releaseRangeMarker(QMouseEvent* e)
{
    if (deferredLow || deferredHigh) {
        rebuildDisplayedImage();
        deferredLow = false;
        deferredHigh = false;
        update();
    }
    // The drag ends with the last button, whichever it was.
    if (e->buttons() == Qt::NoButton) {
        draggingLow = false;
        draggingHigh = false;
    }
}

void qComplexDataGrscMapWidget::shuffleGrayscales()
{
    phasedeckSrand(static_cast<unsigned int>(std::time(nullptr)));
    dialog_fourIntValuesImpl dialog(nullptr, nullptr, true);
    dialog.setWindowTitle(QStringLiteral("Please specify parameters"));
    dialog.TextLabel1->setText(QStringLiteral("Maximum positive shift:"));
    dialog.TextLabel2->setText(QStringLiteral("Maximum negative shift:"));
    dialog.TextLabel3->setText(QStringLiteral("Lowest value to randomize:"));
    dialog.TextLabel4->setText(QStringLiteral("Highest value to randomize:"));
    dialog.value1_SpinBox->setRange(0, 255);
    dialog.value1_SpinBox->setValue(shuffleParameters.maxPositiveShift);
    dialog.value2_SpinBox->setRange(0, 255);
    dialog.value2_SpinBox->setValue(shuffleParameters.maxNegativeShift);
    dialog.value3_SpinBox->setRange(0, 254);
    dialog.value3_SpinBox->setValue(shuffleParameters.lowest);
    dialog.value4_SpinBox->setRange(1, 255);
    dialog.value4_SpinBox->setValue(shuffleParameters.highest);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    shuffleParameters.maxPositiveShift = dialog.value1_SpinBox->value();
    shuffleParameters.maxNegativeShift = dialog.value2_SpinBox->value();
    shuffleParameters.lowest = dialog.value3_SpinBox->value();
    shuffleParameters.highest = dialog.value4_SpinBox->value();

    const grayLevelTable table = grayShuffleTable(shuffleParameters);
    boost::shared_ptr<DataField2D> field = imageToDataField2D(displayedImageValue, 0, 4, 11, 16, 5);
    applyGrayLevelTable(*field, table);
    if (theMainWindow)
        theMainWindow->openRealFieldWindow(field, randomizedCaption(captionText), QString());
}
