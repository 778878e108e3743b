// The field window: sampling and centring, auto-shrink, ranges, tool bar, zoom and its limits,
// the DOE button rule, numbering, status line, part views and the workspace frame.
#include "views/qComplexDataGrscMapWidget.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/fieldToImage.h"
#include "support/messageRecorder.h"
#include "tests/views/fieldWindowTestFields.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class FieldWindowTest : public testing::Test
{
protected:
    void SetUp() override { savedShrink = theSettings.autoShrinkFieldWindows; }
    void TearDown() override { theSettings.autoShrinkFieldWindows = savedShrink; }
    bool savedShrink = false;
};

int windowNumber(const qComplexDataGrscMapWidget& w)
{
    return w.title().section(QLatin1Char(':'), 0, 0).toInt();
}

TEST_F(FieldWindowTest, AutoShrinkSamplesLargeComplexFieldsDownInThirdOctaves)
{
    theSettings.autoShrinkFieldWindows = true;
    auto w = complexWindow(boost::make_shared<complexDataField2D>(1024, 768, 0), displayRealPart,
                           QStringLiteral("/data/big field.png"));
    EXPECT_EQ(w->sampledSize(), QSize(512, 384));
    EXPECT_EQ(w->displayedSize(), QSize(512, 384));
    EXPECT_DOUBLE_EQ(w->samplingStep(), 2.0);
    EXPECT_EQ(w->baseImage().size(), QSize(512, 384));
    EXPECT_EQ(w->statusText(), QStringLiteral("big field.png, 1024 x 768 pixels, Zoom: 200%"));
}

// A file name with a line break keeps the caption and the status line on one line each.
TEST_F(FieldWindowTest, ControlCharactersOfTheNameAreShownAsEscapes)
{
    auto w = realWindow(indexedRealField(3, 2), QStringLiteral("/data/two\nlines\r.png"));
    EXPECT_EQ(w->shortName(), QStringLiteral("two\nlines\r.png"));
    EXPECT_EQ(w->windowTitle(), QString::number(windowNumber(*w)) + ": two\\nlines\\r.png");
    EXPECT_EQ(w->statusText(), QStringLiteral("two\\nlines\\r.png, 3 x 2 pixels, Zoom: 100%"));
}

TEST_F(FieldWindowTest, AutoShrinkExemptions)
{
    struct Case
    {
        const char* name;
        bool flag;
        int sizeI, sizeJ;
        QSize sampled;
    };
    const Case cases[] = {
        {"one row is never shrunk", true, 801, 1, QSize(801, 1)},
        {"below both limits", true, 800, 600, QSize(800, 600)},
        {"tall field", true, 100, 601, QSize(79, 477)},
        {"flag clear", false, 1024, 768, QSize(1024, 768)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        theSettings.autoShrinkFieldWindows = c.flag;
        auto w = complexWindow(boost::make_shared<complexDataField2D>(c.sizeI, c.sizeJ, 0),
                               displayRealPart);
        EXPECT_EQ(w->sampledSize(), c.sampled);
    }
    // Real fields keep their size whatever the flag.
    theSettings.autoShrinkFieldWindows = true;
    auto real = realWindow(indexedRealField(1024, 768));
    EXPECT_EQ(real->sampledSize(), QSize(1024, 768));
    EXPECT_DOUBLE_EQ(real->samplingStep(), 1.0);
}

TEST_F(FieldWindowTest, ShrunkSamplingReadsCentredEveryOtherElement)
{
    theSettings.autoShrinkFieldWindows = true;
    auto field = indexedComplexField(1024, 768);
    auto w = complexWindow(field, displayRealPart);
    ASSERT_DOUBLE_EQ(w->samplingStep(), 2.0);
    // Sampled (i, j) reads field index trunc(2 i + 0.5 - 512) wrapped, likewise along j.
    const struct
    {
        int i, j, u, v;
    } points[] = {{256, 192, 0, 0}, {0, 0, 512, 384}, {255, 191, 1022, 766}, {511, 383, 510, 382}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << "sampled " << p.i << "," << p.j);
        EXPECT_EQ(w->sampledRealPart()->getValue(p.i, p.j), field->getValue(p.u, p.v).re);
        EXPECT_EQ(w->sampledImagPart()->getValue(p.i, p.j), field->getValue(p.u, p.v).im);
    }
}

TEST_F(FieldWindowTest, ComplexFieldIsShownCentred)
{
    auto field = indexedComplexField(8, 8);
    auto w = complexWindow(field, displayRealPart);
    auto re = w->sampledRealPart();
    EXPECT_EQ(re->getValue(4, 4), field->getValue(0, 0).re);
    EXPECT_EQ(re->getValue(0, 0), field->getValue(4, 4).re);
    EXPECT_EQ(re->getValue(7, 5), field->getValue(3, 1).re);
    // Odd sizes: element (0, 0) at (size / 2, size / 2).
    auto odd = indexedComplexField(5, 3);
    auto wo = complexWindow(odd, displayImaginaryPart);
    EXPECT_EQ(wo->sampledRealPart()->getValue(2, 1), odd->getValue(0, 0).re);
    EXPECT_EQ(wo->sampledRealPart()->getValue(0, 0), odd->getValue(3, 2).re);
    EXPECT_EQ(wo->sampledImagPart()->getValue(4, 2), odd->getValue(2, 1).im);
}

TEST_F(FieldWindowTest, ComplexRangesAreFixedPerModeFromTheWholeField)
{
    auto field = boost::make_shared<complexDataField2D>(2, 2, 0);
    field->setValue(0, 0, complexFloat{3.0f, 4.0f});
    field->setValue(1, 0, complexFloat{-1.0f, 0.0f});
    field->setValue(0, 1, complexFloat{0.0f, -2.0f});
    field->setValue(1, 1, complexFloat{0.5f, 0.0f});
    auto w = complexWindow(field, displayIntensity);
    EXPECT_EQ(w->currentMode(), displayIntensity);
    EXPECT_FLOAT_EQ(w->rangeMinimum(1), -1.0f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(1), 3.0f);
    EXPECT_FLOAT_EQ(w->rangeMinimum(2), -2.0f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(2), 4.0f);
    EXPECT_FLOAT_EQ(w->rangeMinimum(3), 0.5f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(3), 5.0f);
    EXPECT_FLOAT_EQ(w->rangeMinimum(4), -3.14159265f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(4), 3.14159265f);
    EXPECT_FLOAT_EQ(w->rangeMinimum(5), 0.25f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(5), 25.0f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(0), 0.0f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(6), 0.0f);
    // The brightest pixel is the intensity 25 of element (0, 0), centred at (1, 1) and drawn on
    // image line 2 - 1 - 1 = 0.
    EXPECT_EQ(w->baseImage().pixelIndex(1, 0), 255);
}

TEST_F(FieldWindowTest, DisplayModeOutsideTheViewsLeavesTheMapEmpty)
{
    auto w = complexWindow(indexedComplexField(4, 4), 9);
    EXPECT_EQ(w->currentMode(), 0);
    EXPECT_TRUE(w->baseImage().isNull());
    EXPECT_TRUE(w->displayedImage().isNull());
    invoke(*w, "zoomIn");
    EXPECT_TRUE(w->displayedImage().isNull());
    EXPECT_TRUE(w->grab().size().isValid());
}

TEST_F(FieldWindowTest, PartViewsComputeFromTheSampledParts)
{
    auto field = boost::make_shared<complexDataField2D>(2, 1, 0);
    field->setValue(0, 0, complexFloat{3.0f, -4.0f});
    field->setValue(1, 0, complexFloat{-1.0f, 0.0001f}); // phase just below pi
    auto w = complexWindow(field, displayRealPart);
    // Sampled position 1 holds element 0, position 0 element 1.
    struct Case
    {
        const char* slot;
        int mode;
        float at0, at1;
    };
    const Case cases[] = {
        {"showImagPart", 2, 0.0001f, -4.0f},
        {"showAmplitude", 3, std::hypot(-1.0f, 0.0001f), 5.0f},
        {"showPhase", 4, -3.14159265f, std::atan2(-4.0f, 3.0f)},
        {"showIntensity", 5, 1.0f + 1e-8f, 25.0f},
        {"showRealPart", 1, -1.0f, 3.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        invoke(*w, c.slot);
        EXPECT_EQ(w->currentMode(), c.mode);
        ASSERT_TRUE(w->shownField());
        EXPECT_NEAR(w->shownField()->getValue(0, 0), c.at0, 1e-5);
        EXPECT_NEAR(w->shownField()->getValue(1, 0), c.at1, 1e-5);
        EXPECT_EQ(w->displayedImage().size(), w->displayedSize());
    }
    // The phase view maps -pi, the folded value, onto gray 0.
    invoke(*w, "showPhase");
    EXPECT_EQ(w->baseImage().pixelIndex(0, 0), 0);
}

TEST_F(FieldWindowTest, ChoosingTheShownViewAgainChangesNothing)
{
    auto w = complexWindow(indexedComplexField(6, 4), displayRealPart);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const auto shown = w->shownField();
    QTest::qWait(20);
    int paints = 0;
    struct Counter : QObject
    {
        int* count;
        explicit Counter(int* c)
            : count(c)
        {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint || e->type() == QEvent::UpdateRequest)
                ++*count;
            return false;
        }
    } counter(&paints);
    w->installEventFilter(&counter);
    invoke(*w, "showRealPart");
    QTest::qWait(20);
    EXPECT_EQ(w->shownField(), shown);
    EXPECT_EQ(paints, 0);
    invoke(*w, "showImagPart");
    QTest::qWait(20);
    EXPECT_GT(paints, 0);
    w->removeEventFilter(&counter);
}

TEST_F(FieldWindowTest, RealFieldWindowHasOnlyTheRealPart)
{
    auto field = indexedRealField(5, 3);
    auto w = realWindow(field);
    EXPECT_EQ(w->kind(), qComplexDataGrscMapWidget::realFieldWindow);
    EXPECT_EQ(w->currentMode(), 1);
    EXPECT_FLOAT_EQ(w->rangeMinimum(1), 0.0f);
    EXPECT_FLOAT_EQ(w->rangeMaximum(1), 14.0f);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(w->sampledRealPart()->getValue(i, j), field->getValue(i, j));
    // Integer values 0..14 are their own grays; row j is image line 2 - j.
    EXPECT_EQ(w->baseImage().pixelIndex(4, 0), 14);
    EXPECT_EQ(w->baseImage().pixelIndex(0, 2), 0);
    for (const char* slot :
         {"showImagPart", "showAmplitude", "showPhase", "showIntensity", "computePropagation"}) {
        SCOPED_TRACE(slot);
        invoke(*w, slot);
        EXPECT_EQ(w->currentMode(), 1);
    }
}

TEST_F(FieldWindowTest, ToolBarButtonsAndTheirConnections)
{
    auto real = realWindow(indexedRealField(10, 10));
#if PHASEDECK_LAB
    const QStringList tips = {"Save the data field",
                              "Show Real Part of Field",
                              "Show Imaginary Part of Field",
                              "Show Amplitude of Field",
                              "Show Phase of Field",
                              "Show Intensity of Field",
                              "Zoom In",
                              "Zoom Out",
                              "Shuffle Grayscales",
                              "Show Replicated Field in Full Screen Window",
                              "Compute DOE phase function",
                              "Compute field propagation"};
#else
    const QStringList tips
        = {"Save the data field", "Zoom In", "Zoom Out",
           "Show Replicated Field in Full Screen Window", "Compute DOE phase function"};
#endif
    EXPECT_EQ(real->findChildren<QToolButton*>().size(), tips.size());
    // In the order of the row.
    const QLayout* row = real->findChildren<QToolButton*>().first()->parentWidget()->layout();
    QStringList shown;
    for (int k = 0; k < row->count(); ++k)
        shown.append(row->itemAt(k)->widget()->toolTip());
    EXPECT_EQ(shown, tips);

    // The release edition wires the DOE button in real-field windows only.
    auto complex = complexWindow(indexedComplexField(10, 10), displayRealPart);
    QToolButton* realDoe = toolButton(*real, QStringLiteral("Compute DOE phase function"));
    QToolButton* complexDoe = toolButton(*complex, QStringLiteral("Compute DOE phase function"));
    ASSERT_TRUE(realDoe && complexDoe);
    EXPECT_TRUE(QObject::disconnect(realDoe, &QToolButton::clicked, real.get(), nullptr));
    EXPECT_EQ(QObject::disconnect(complexDoe, &QToolButton::clicked, complex.get(), nullptr),
              bool(PHASEDECK_LAB));

    // Zoom buttons reach their slots.
    toolButton(*real, QStringLiteral("Zoom In"))->click();
    EXPECT_EQ(real->zoomLevel(), 1);
    toolButton(*real, QStringLiteral("Zoom Out"))->click();
    toolButton(*real, QStringLiteral("Zoom Out"))->click();
    EXPECT_EQ(real->zoomLevel(), -1);
}

TEST_F(FieldWindowTest, ZoomStepsByTheCubeRootOfTwo)
{
    auto w = realWindow(indexedRealField(200, 100));
    invoke(*w, "zoomIn");
    EXPECT_EQ(w->displayedSize(), QSize(251, 125));
    EXPECT_EQ(w->displayedImage().size(), QSize(251, 125));
    EXPECT_EQ(w->displayedImage().format(), QImage::Format_Indexed8);
    invoke(*w, "zoomIn");
    invoke(*w, "zoomIn");
    EXPECT_DOUBLE_EQ(w->zoomFactor(), std::pow(1.2599210498948732, 3));
    EXPECT_EQ(w->displayedSize(), QSize(400, 200));
    EXPECT_EQ(w->statusText(), QStringLiteral("real, 200 x 100 pixels, Zoom: 200%"));
    for (int k = 0; k < 5; ++k)
        invoke(*w, "zoomOut");
    EXPECT_EQ(w->zoomLevel(), -2);
    EXPECT_EQ(w->displayedSize(), QSize(125, 62));
    EXPECT_EQ(w->statusText(), QStringLiteral("real, 200 x 100 pixels, Zoom: 62.9961%"));
    // Window size: image plus margins, tool bar and bands.
    QWidget* bar = w->findChildren<QToolButton*>().first()->parentWidget();
    EXPECT_EQ(w->size(), QSize(std::max(125 + 30, bar->width() + 15), bar->height() + 62 + 75));
}

TEST_F(FieldWindowTest, ZoomOutOfOnePixelIsRefused)
{
    auto w = realWindow(indexedRealField(1, 1));
    invoke(*w, "zoomOut");
    EXPECT_EQ(w->zoomLevel(), 0);
    EXPECT_DOUBLE_EQ(w->zoomFactor(), 1.0);
    EXPECT_EQ(w->displayedSize(), QSize(1, 1));
    EXPECT_EQ(w->displayedImage().size(), QSize(1, 1));
}

TEST_F(FieldWindowTest, ZoomInStopsBeforeASidePasses16384)
{
    auto w = realWindow(indexedRealField(2000, 3));
    for (int k = 0; k < 12; ++k)
        invoke(*w, "zoomIn");
    // 2000 * 2^(9/3) = 16000 is the last size within the limit; level 10 would give 20158.
    EXPECT_EQ(w->zoomLevel(), 9);
    EXPECT_EQ(w->displayedSize().width(), 16000);
    EXPECT_EQ(w->displayedImage().width(), 16000);
    invoke(*w, "zoomOut");
    EXPECT_EQ(w->zoomLevel(), 8);
}

TEST_F(FieldWindowTest, DoeButtonHiddenAbove400DisplayedPixels)
{
    auto w = realWindow(indexedRealField(401, 100));
    QToolButton* doe = toolButton(*w, QStringLiteral("Compute DOE phase function"));
    ASSERT_TRUE(doe);
    QWidget* bar = doe->parentWidget();
    const int narrowBar = bar->width();
    EXPECT_TRUE(doe->isHidden());
    invoke(*w, "zoomOut");
    EXPECT_EQ(w->displayedSize(), QSize(318, 79));
    EXPECT_FALSE(doe->isHidden());
    EXPECT_GT(bar->width(), narrowBar);
    invoke(*w, "zoomIn");
    EXPECT_EQ(w->displayedSize(), QSize(401, 100));
    EXPECT_TRUE(doe->isHidden());
    EXPECT_EQ(bar->width(), narrowBar);

    auto small = realWindow(indexedRealField(400, 400));
    EXPECT_FALSE(toolButton(*small, QStringLiteral("Compute DOE phase function"))->isHidden());
}

TEST_F(FieldWindowTest, TwoGrayLevelsZoomByPixelReplication)
{
    auto twoLevel = boost::make_shared<DataField2D>(4, 4, 0.0, 0.0, 1.0, 1.0, 0.0f);
    for (int i = 2; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            twoLevel->setValue(i, j, 1.0f);
    auto sharp = realWindow(twoLevel);
    EXPECT_TRUE(sharp->usesPlainScaling());
    for (int k = 0; k < 3; ++k)
        invoke(*sharp, "zoomIn");
    ASSERT_EQ(sharp->displayedSize(), QSize(8, 8));
    QSet<int> grays;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            grays.insert(sharp->displayedImage().pixelIndex(x, y));
    EXPECT_EQ(grays, (QSet<int>{0, 255}));

    auto threeLevel = boost::make_shared<DataField2D>(*twoLevel);
    threeLevel->setValue(0, 0, 0.5f);
    auto smooth = realWindow(threeLevel);
    EXPECT_FALSE(smooth->usesPlainScaling());
    for (int k = 0; k < 3; ++k)
        invoke(*smooth, "zoomIn");
    grays.clear();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            grays.insert(smooth->displayedImage().pixelIndex(x, y));
    EXPECT_GT(grays.size(), 3);
}

TEST_F(FieldWindowTest, WindowNumbersCountEveryWindowAndAreNotReused)
{
    auto first = realWindow(indexedRealField(3, 3), QStringLiteral("C:\\images\\first.bmp"));
    const int n = windowNumber(*first);
    EXPECT_GE(n, 1);
    EXPECT_EQ(first->title(), QString::number(n) + QStringLiteral(": first.bmp"));
    EXPECT_EQ(first->caption(), QStringLiteral("C:/images/first.bmp"));
    EXPECT_EQ(first->windowTitle(), first->title());
    first.reset();
    auto second
        = complexWindow(indexedComplexField(3, 3), displayRealPart, QStringLiteral("Far field"));
    EXPECT_EQ(second->title(), QString::number(n + 1) + QStringLiteral(": Far field"));
}

TEST_F(FieldWindowTest, StatusLineShowsTheWholeFieldAndTheZoom)
{
    auto w = realWindow(indexedRealField(30, 20), QStringLiteral("/no/such/dir/sample.png"));
    w->grab();
    QLabel* label = w->findChild<QLabel*>();
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), QStringLiteral("sample.png, 30 x 20 pixels, Zoom: 100%"));
    EXPECT_EQ(label->frameShape(), QFrame::WinPanel);
    EXPECT_EQ(label->geometry(),
              QRect(0, w->height() - label->height(), w->width(), label->height()));
    invoke(*w, "zoomIn");
    w->grab();
    EXPECT_EQ(label->text(), QStringLiteral("sample.png, 30 x 20 pixels, Zoom: 125.992%"));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->resize(300, 250);
    QTest::qWait(10);
    EXPECT_EQ(label->geometry(), QRect(0, 250 - label->height(), 300, label->height()));
}

TEST_F(FieldWindowTest, PaintShowsTheImageOnTheBackgroundColour)
{
    auto w = realWindow(indexedRealField(20, 10));
    const QImage shot = w->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(5, 100)), QColor(58, 110, 165));
    // Element (19, 0) = 19 is the bottom-right image pixel; image origin (15, 57).
    EXPECT_EQ(qRed(shot.pixel(15 + 19, 57 + 9)), 19);
    EXPECT_EQ(QColor(shot.pixel(15 + 20, 57 + 5)), QColor(58, 110, 165));
}

TEST_F(FieldWindowTest, ProfilePointsFollowTheMouseInsideTheImage)
{
    auto w = realWindow(indexedRealField(40, 30));
    EXPECT_EQ(w->profilePoint1(), QPoint(0, 29));
    EXPECT_EQ(w->profilePoint2(), QPoint(39, 0));
    QMouseEvent move(QEvent::MouseMove, QPointF(500, 5), QPointF(500, 5), Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &move);
    EXPECT_EQ(w->profilePoint2(), QPoint(39, 0));
    QMouseEvent leftMove(QEvent::MouseMove, QPointF(25, 67), QPointF(25, 67), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &leftMove);
    EXPECT_EQ(w->profilePoint1(), QPoint(10, 10));
    invoke(*w, "zoomIn");
    EXPECT_EQ(w->profilePoint1(), QPoint(13, 13));
    EXPECT_EQ(w->profilePoint2(), QPoint(49, 0));
}

TEST_F(FieldWindowTest, WorkspaceFrameFollowsTheWindowSize)
{
    QMdiArea area;
    area.resize(1200, 900);
    auto* w = new qComplexDataGrscMapWidget(indexedRealField(100, 80), &area, "new window",
                                            Qt::WindowFlags(), QStringLiteral("framed"), QString());
    const QSize wanted = w->size();
    QMdiSubWindow* frame = area.addSubWindow(w);
    frame->show();
    area.show();
    EXPECT_EQ(w->size(), wanted);
    invoke(*w, "zoomIn");
    EXPECT_EQ(w->size(), w->sizeHint());
    EXPECT_EQ(w->displayedSize(), QSize(125, 100));
}

TEST_F(FieldWindowTest, NullFieldsShowAsEmptyWindows)
{
    auto real = realWindow(boost::shared_ptr<DataField2D>());
    EXPECT_EQ(real->fieldSize(), QSize(0, 0));
    invoke(*real, "zoomIn");
    invoke(*real, "zoomOut");
    auto complex = complexWindow(boost::shared_ptr<complexDataField2D>(), displayPhase);
    EXPECT_EQ(complex->fieldSize(), QSize(0, 0));
    EXPECT_TRUE(complex->grab().size().isValid());
}

TEST_F(FieldWindowTest, ImageForModeUsesTheModesRange)
{
    auto w = complexWindow(indexedComplexField(4, 2), displayRealPart);
    const QImage own = w->imageForMode(1);
    EXPECT_EQ(own, w->baseImage());
    EXPECT_TRUE(w->imageForMode(0).isNull());
    EXPECT_TRUE(w->imageForMode(6).isNull());
}

TEST(FieldWindowMemory, FailedAllocationsLeaveNoHalfWindowAndKeepTheView)
{
    // Construction: the sampled parts, then the first view's picture.
    for (int failing = 1; failing <= 3; ++failing) {
        SCOPED_TRACE(failing);
        failFieldWindowAllocation(failing);
        auto w = complexWindow(indexedComplexField(6, 4), displayAmplitude);
        failFieldWindowAllocation(0);
        EXPECT_FALSE(w->isComplete());
    }
    failFieldWindowAllocation(1);
    EXPECT_FALSE(realWindow(indexedRealField(5, 3))->isComplete());
    failFieldWindowAllocation(0);

    MessageRecorder messages;
    auto w = complexWindow(indexedComplexField(6, 4), displayRealPart, QStringLiteral("/d/f.de"));
    ASSERT_TRUE(w->isComplete());
    const QImage shown = w->displayedImage();
    const char* views[] = {"showAmplitude", "showPhase", "showIntensity", "showImagPart"};
    for (const char* view : views) {
        SCOPED_TRACE(view);
        for (int failing = 1; failing <= 2; ++failing) {
            failFieldWindowAllocation(failing);
            invoke(*w, view);
            failFieldWindowAllocation(0);
            EXPECT_EQ(w->currentMode(), displayRealPart);
            EXPECT_EQ(w->displayedImage(), shown);
            ASSERT_EQ(messages.messages().size(), 1u);
            EXPECT_EQ(
                messages.messages()[0].text,
                QStringLiteral("Not enough memory to show the field (6 x 4 pixels):\n/d/f.de"));
            messages.clear();
        }
    }
    // A zoom that memory refuses keeps the size it had.
    const QSize before = w->displayedSize();
    failFieldWindowAllocation(1);
    invoke(*w, "zoomIn");
    failFieldWindowAllocation(0);
    EXPECT_EQ(w->displayedSize(), before);
    EXPECT_EQ(w->zoomLevel(), 0);
    EXPECT_EQ(w->displayedImage().size(), before);
    EXPECT_EQ(messages.messages().size(), 1u);
}

} // namespace
