// The internal edition's field window: the part-view buttons, the gray-range strip driven by the
// mouse, the marker pair each view keeps, the strip's drawing and the gray-level shuffle command.
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_fourIntValuesImpl.h"
#include "fieldio/fieldToImage.h"
#include "tests/views/fieldWindowTestFields.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Element (i, j) = 4 i: the integer grays 0 .. 4 (width - 1) along i.
boost::shared_ptr<DataField2D> grayRamp(int width, int height)
{
    auto field = boost::make_shared<DataField2D>(width, height, 0.0, 0.0, 1.0, 1.0, 0.0f);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            field->setValue(i, j, float(4 * i));
    return field;
}

// Where a marker stands on its strip's middle line.
QPoint markerPoint(const qComplexDataGrscMapWidget& w, bool upper)
{
    const grayRangeStrip strip = w.rangeStrip();
    const grayRangeMarkers& m = w.rangeMarkers();
    const double position = upper ? m.highPosition(strip.barWidth) : m.lowPosition(strip.barWidth);
    return QPoint(strip.left + int(position), strip.middle());
}

QPoint onStrip(const qComplexDataGrscMapWidget& w, int offset)
{
    return QPoint(w.rangeStrip().left + offset, w.rangeStrip().middle());
}

void drag(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to)
{
    QTest::mousePress(w, button, Qt::NoModifier, from);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, button, Qt::NoModifier, to);
}

// The gray of image column x in the top line (field row height - 1).
int grayAt(const QImage& image, int x)
{
    return image.pixelIndex(x, 0);
}

std::unique_ptr<qComplexDataGrscMapWidget> shown(std::unique_ptr<qComplexDataGrscMapWidget> w)
{
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
}

class LabFieldWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        previousDialog = setDialogRunner([this](QDialog& dialog) {
            ++dialogsRun;
            return answer ? answer(dialog) : int(QDialog::Rejected);
        });
        mainWindow
            = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        theMainWindow = mainWindow.get();
    }
    void TearDown() override
    {
        theMainWindow = nullptr;
        mainWindow.reset();
        setDialogRunner(previousDialog);
    }

    QList<QMdiSubWindow*> opened() const { return mainWindow->workspaceArea()->subWindowList(); }
    qComplexDataGrscMapWidget* lastOpened() const
    {
        return opened().isEmpty()
                   ? nullptr
                   : qobject_cast<qComplexDataGrscMapWidget*>(opened().last()->widget());
    }

    std::unique_ptr<QDOEMainWindow> mainWindow;
    DialogRunner previousDialog;
    std::function<int(QDialog&)> answer;
    int dialogsRun = 0;
};

TEST_F(LabFieldWindowTest, ViewButtonsShowTheirViewAndOnlyTheShownOneStaysDown)
{
    const char* const tips[]
        = {"Show Real Part of Field", "Show Imaginary Part of Field", "Show Amplitude of Field",
           "Show Phase of Field", "Show Intensity of Field"};
    auto w = complexWindow(indexedComplexField(8, 6), displayPhase);
    auto downButtons = [&](qComplexDataGrscMapWidget& window) {
        QString down;
        for (const char* tip : tips)
            if (toolButton(window, QString::fromLatin1(tip))->isChecked())
                down += QString::fromLatin1(tip);
        return down;
    };
    EXPECT_EQ(downButtons(*w), QStringLiteral("Show Phase of Field"));
    // Each button twice: the second click keeps the view and the button down.
    for (int k : {0, 0, 2, 1, 4, 3, 3}) {
        SCOPED_TRACE(tips[k]);
        toolButton(*w, QString::fromLatin1(tips[k]))->click();
        EXPECT_EQ(w->currentMode(), k + 1);
        EXPECT_EQ(downButtons(*w), QString::fromLatin1(tips[k]));
    }

    // A real-field window has its real part only.
    auto real = realWindow(indexedRealField(5, 4));
    EXPECT_EQ(downButtons(*real), QStringLiteral("Show Real Part of Field"));
    toolButton(*real, QStringLiteral("Show Imaginary Part of Field"))->click();
    EXPECT_EQ(real->currentMode(), 1);
    EXPECT_EQ(downButtons(*real), QStringLiteral("Show Real Part of Field"));

    // The shuffle and propagation buttons reach their commands.
    const int dialogsBefore = dialogsRun;
    toolButton(*real, QStringLiteral("Shuffle Grayscales"))->click();
    EXPECT_EQ(dialogsRun, dialogsBefore + 1);
    EXPECT_TRUE(opened().isEmpty());
    toolButton(*w, QStringLiteral("Compute field propagation"))->click();
    ASSERT_EQ(opened().size(), 1);
    EXPECT_EQ(lastOpened()->caption(), QStringLiteral("Far field propagation simulated by FFT"));
}

TEST_F(LabFieldWindowTest, LowerMarkerDraggedWithTheLeftButtonStopsSevenPixelsBeforeTheUpper)
{
    auto w = shown(realWindow(grayRamp(64, 40)));
    const grayRangeStrip strip = w->rangeStrip();
    ASSERT_EQ(strip.barWidth, 64);
    ASSERT_EQ(strip.top, 57 + 40);

    QTest::mousePress(w.get(), Qt::LeftButton, Qt::NoModifier, markerPoint(*w, false));
    QTest::mouseMove(w.get(), onStrip(*w, 200));
    // The image follows at once: the lower marker at 57 of 64 pixels puts 224.4375 at black.
    EXPECT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 57.0f / 64.0f);
    EXPECT_EQ(grayAt(w->baseImage(), 56), 0);
    EXPECT_EQ(grayAt(w->baseImage(), 63), 255);
    EXPECT_EQ(grayAt(w->displayedImage(), 63), 255);
    QTest::mouseMove(w.get(), onStrip(*w, -30));
    EXPECT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 0.0f);
    QTest::mouseMove(w.get(), onStrip(*w, 16));
    QTest::mouseRelease(w.get(), Qt::LeftButton, Qt::NoModifier, onStrip(*w, 16));
    EXPECT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 0.25f);
    EXPECT_FLOAT_EQ(w->rangeMarkers().highFraction(), 1.0f);
    // 63 .. 252: the gray 60 is black, 252 white.
    EXPECT_EQ(grayAt(w->baseImage(), 15), 0);
    EXPECT_EQ(grayAt(w->baseImage(), 63), 255);

    // Released, the marker no longer follows: a drag in the image moves profile point 1.
    drag(w.get(), Qt::LeftButton, QPoint(20, 60), QPoint(30, 70));
    EXPECT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 0.25f);
    EXPECT_EQ(w->profilePoint1(), QPoint(15, 13));

    // A press on the strip away from both markers takes hold of neither.
    drag(w.get(), Qt::LeftButton, onStrip(*w, 40), onStrip(*w, 60));
    EXPECT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 0.25f);
    EXPECT_FLOAT_EQ(w->rangeMarkers().highFraction(), 1.0f);
}

TEST_F(LabFieldWindowTest, RightButtonDragRebuildsTheImageOnRelease)
{
    auto w = shown(realWindow(grayRamp(64, 40)));
    const QImage before = w->baseImage();
    QTest::mousePress(w.get(), Qt::RightButton, Qt::NoModifier, markerPoint(*w, true));
    QTest::mouseMove(w.get(), onStrip(*w, 32));
    EXPECT_FLOAT_EQ(w->rangeMarkers().highFraction(), 0.5f);
    EXPECT_EQ(w->baseImage(), before);
    // Not closer than 7 pixels to the lower marker.
    QTest::mouseMove(w.get(), onStrip(*w, 3));
    EXPECT_FLOAT_EQ(w->rangeMarkers().highFraction(), 7.0f / 64.0f);
    QTest::mouseMove(w.get(), onStrip(*w, 32));
    QTest::mouseRelease(w.get(), Qt::RightButton, Qt::NoModifier, onStrip(*w, 32));
    // 0 .. 126: the gray 128 is white now.
    EXPECT_NE(w->baseImage(), before);
    EXPECT_EQ(grayAt(w->baseImage(), 32), 255);
    EXPECT_EQ(grayAt(w->baseImage(), 0), 0);

    // The drag ended with the right button: a later left drag in the image leaves the marker.
    drag(w.get(), Qt::LeftButton, QPoint(20, 60), QPoint(25, 60));
    EXPECT_FLOAT_EQ(w->rangeMarkers().highFraction(), 0.5f);
}

TEST_F(LabFieldWindowTest, MarkersBackAtTheEndsShowTheModesFullRange)
{
    auto field = indexedRealField(30, 20);
    field->setValue(3, 4, 0.5f); // not integer-valued: quantised over the whole range
    auto w = shown(realWindow(field));
    const QImage full = w->baseImage();
    EXPECT_EQ(full,
              dataField2DToImage(w->shownField(), w->rangeMinimum(1), w->rangeMaximum(1), 256));
    drag(w.get(), Qt::LeftButton, markerPoint(*w, false), onStrip(*w, 10));
    drag(w.get(), Qt::LeftButton, markerPoint(*w, true), onStrip(*w, 20));
    EXPECT_NE(w->baseImage(), full);
    drag(w.get(), Qt::LeftButton, markerPoint(*w, false), onStrip(*w, -5));
    drag(w.get(), Qt::LeftButton, markerPoint(*w, true), onStrip(*w, 100));
    EXPECT_TRUE(w->rangeMarkers().isFullRange());
    EXPECT_EQ(w->baseImage(), full);
}

TEST_F(LabFieldWindowTest, PhaseToRealPartAndBackRestoresEachViewsMarkers)
{
    auto w = shown(complexWindow(indexedComplexField(40, 16), displayPhase));
    drag(w.get(), Qt::LeftButton, markerPoint(*w, false), onStrip(*w, 10));
    const QImage phaseImage = w->baseImage();
    ASSERT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 0.25f);

    toolButton(*w, QStringLiteral("Show Real Part of Field"))->click();
    EXPECT_TRUE(w->rangeMarkers().isFullRange());
    drag(w.get(), Qt::LeftButton, markerPoint(*w, true), onStrip(*w, 30));
    const QImage realImage = w->baseImage();
    ASSERT_FLOAT_EQ(w->rangeMarkers().highFraction(), 0.75f);

    toolButton(*w, QStringLiteral("Show Phase of Field"))->click();
    EXPECT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 0.25f);
    EXPECT_FLOAT_EQ(w->rangeMarkers().highFraction(), 1.0f);
    EXPECT_EQ(w->baseImage(), phaseImage);
    toolButton(*w, QStringLiteral("Show Real Part of Field"))->click();
    EXPECT_FLOAT_EQ(w->rangeMarkers().lowFraction(), 0.0f);
    EXPECT_FLOAT_EQ(w->rangeMarkers().highFraction(), 0.75f);
    EXPECT_EQ(w->baseImage(), realImage);
}

TEST_F(LabFieldWindowTest, StripIsDrawnBelowTheImage)
{
    auto w = shown(realWindow(grayRamp(64, 40)));
    drag(w.get(), Qt::LeftButton, markerPoint(*w, false), onStrip(*w, 20));
    drag(w.get(), Qt::LeftButton, markerPoint(*w, true), onStrip(*w, 50));
    const QImage shot = w->grab().toImage();
    const grayRangeStrip strip = w->rangeStrip();
    const QColor background(58, 110, 165);
    const int m = strip.middle();
    // Bar outline, its inside and the strip beyond the bar.
    EXPECT_EQ(QColor(shot.pixel(strip.left + 35, m - 3)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(strip.left + 35, m + 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(strip.left + 63, m)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(strip.left + 35, m)), background);
    EXPECT_EQ(QColor(shot.pixel(strip.left + 64, m)), background);
    // Markers: 5 x 15 from x - 2 and 7 above the middle line.
    for (const QPoint& d : {QPoint(-2, -7), QPoint(2, 7), QPoint(0, 0)}) {
        SCOPED_TRACE(testing::Message() << d.x() << "," << d.y());
        EXPECT_EQ(QColor(shot.pixel(strip.left + 20 + d.x(), m + d.y())), QColor(Qt::black));
        EXPECT_EQ(QColor(shot.pixel(strip.left + 50 + d.x(), m + d.y())), QColor(Qt::white));
    }
    EXPECT_EQ(QColor(shot.pixel(strip.left + 20 + 3, m - 5)), background);
    EXPECT_EQ(QColor(shot.pixel(strip.left + 50, m - 8)), background);
}

TEST_F(LabFieldWindowTest, ShuffleAsksForItsParametersAndOpensTheShuffledImage)
{
    // 16 x 16 grays 0..255, each its own gray in the displayed image.
    auto field = indexedRealField(16, 16);
    auto w = realWindow(field, QStringLiteral("/pics/ramp.png"));

    struct Shown
    {
        QString title;
        QStringList labels;
        QList<int> minima, maxima, values;
    };
    std::vector<Shown> shownDialogs;
    QList<int> reply;
    bool accept = false;
    answer = [&](QDialog& dialog) {
        auto* d = dynamic_cast<dialog_fourIntValuesImpl*>(&dialog);
        EXPECT_TRUE(d);
        if (!d)
            return int(QDialog::Rejected);
        EXPECT_TRUE(d->isModal());
        EXPECT_EQ(d->parentWidget(), nullptr);
        Shown s;
        s.title = d->windowTitle();
        for (QLabel* l : {d->TextLabel1, d->TextLabel2, d->TextLabel3, d->TextLabel4})
            s.labels.append(l->text());
        for (QSpinBox* b :
             {d->value1_SpinBox, d->value2_SpinBox, d->value3_SpinBox, d->value4_SpinBox}) {
            s.minima.append(b->minimum());
            s.maxima.append(b->maximum());
            s.values.append(b->value());
        }
        shownDialogs.push_back(s);
        d->value1_SpinBox->setValue(reply[0]);
        d->value2_SpinBox->setValue(reply[1]);
        d->value3_SpinBox->setValue(reply[2]);
        d->value4_SpinBox->setValue(reply[3]);
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    };
    auto shuffle = [&](qComplexDataGrscMapWidget& window, QList<int> values, bool ok) {
        reply = values;
        accept = ok;
        invoke(window, "shuffleGrayscales");
    };

    // Cancelled: no window, and the values typed are forgotten.
    shuffle(*w, {1, 2, 3, 4}, false);
    EXPECT_TRUE(opened().isEmpty());
    ASSERT_EQ(shownDialogs.size(), 1u);
    EXPECT_EQ(shownDialogs[0].title, QStringLiteral("Please specify parameters"));
    EXPECT_EQ(shownDialogs[0].labels,
              (QStringList{"Maximum positive shift:", "Maximum negative shift:",
                           "Lowest value to randomize:", "Highest value to randomize:"}));
    EXPECT_EQ(shownDialogs[0].minima, (QList<int>{0, 0, 0, 1}));
    EXPECT_EQ(shownDialogs[0].maxima, (QList<int>{255, 255, 254, 255}));
    EXPECT_EQ(shownDialogs[0].values, (QList<int>{8, 8, 0, 255}));

    // No shift allowed: the image's own grays, captioned once as randomized.
    shuffle(*w, {0, 0, 0, 255}, true);
    EXPECT_EQ(shownDialogs[1].values, (QList<int>{8, 8, 0, 255}));
    ASSERT_EQ(opened().size(), 1);
    qComplexDataGrscMapWidget* copy = lastOpened();
    EXPECT_EQ(copy->caption(), QStringLiteral("/pics/ramp.png - randomized"));
    ASSERT_EQ(copy->fieldSize(), QSize(16, 16));
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i)
            ASSERT_EQ(copy->realField()->getValue(i, j), field->getValue(i, j)) << i << "," << j;
    shuffle(*copy, {0, 0, 0, 255}, true);
    ASSERT_EQ(opened().size(), 2);
    EXPECT_EQ(lastOpened()->caption(), QStringLiteral("/pics/ramp.png - randomized"));

    // Grays 10 to 20 move by at most 8 either way; the rest stay.
    shuffle(*w, {8, 8, 10, 20}, true);
    EXPECT_EQ(shownDialogs.back().values, (QList<int>{0, 0, 0, 255}));
    ASSERT_EQ(opened().size(), 3);
    auto shuffled = lastOpened()->realField();
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) {
            const int g = i + 16 * j;
            const int v = int(shuffled->getValue(i, j));
            if (g < 10 || g > 20)
                EXPECT_EQ(v, g);
            else
                EXPECT_LE(std::abs(v - g), 8) << g;
        }

    // The shuffle starts from the displayed image, as zoomed.
    invoke(*w, "zoomIn");
    shuffle(*w, {0, 0, 0, 255}, true);
    EXPECT_EQ(shownDialogs.back().values, (QList<int>{8, 8, 10, 20}));
    EXPECT_EQ(lastOpened()->fieldSize(), w->displayedSize());
}

TEST_F(LabFieldWindowTest, ShuffleDialogShowsItsLabelsWholeAndAcceptsOnReturn)
{
    auto w = realWindow(indexedRealField(6, 4));
    answer = [](QDialog& dialog) {
        auto* d = dynamic_cast<dialog_fourIntValuesImpl*>(&dialog);
        EXPECT_TRUE(d);
        if (!d)
            return int(QDialog::Rejected);
        d->show();
        for (QLabel* l : {d->TextLabel1, d->TextLabel2, d->TextLabel3, d->TextLabel4}) {
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
            EXPECT_LT(l->geometry().right(), d->value1_SpinBox->x());
        }
        d->value1_SpinBox->setValue(8);
        d->value2_SpinBox->setValue(8);
        d->value3_SpinBox->setValue(0);
        d->value4_SpinBox->setValue(255);
        QTest::keyClick(d->value1_SpinBox, Qt::Key_Return);
        return d->result();
    };
    invoke(*w, "shuffleGrayscales");
    EXPECT_EQ(opened().size(), 1);
}

} // namespace
