// The full-screen pattern window offscreen at 1920 x 1080: caption, tool band, adjustment modes
// and their alternations, slider and box pairs, keys, zoom, inversion and the list of windows.
#include "views/qFullScreenFieldWidget.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/grayImages.h"
#include "support/eventually.h"

#include <QBackingStore>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

QImage grayImage(int w, int h, int fill)
{
    QImage image = createPhaseImage(w, h);
    image.fill(fill);
    return image;
}

// Levels 10 and 200: a 100 x 100 cell whose right half is 200.
QImage twoLevelCell()
{
    QImage image = grayImage(100, 100, 10);
    for (int y = 0; y < 100; ++y)
        for (int x = 50; x < 100; ++x)
            image.scanLine(y)[x] = 200;
    return image;
}

QImage rampCell(int w, int h)
{
    QImage image = grayImage(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.scanLine(y)[x] = static_cast<unsigned char>(x + 3 * y);
    return image;
}

class FullScreenWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved = {theSettings.fullScreenWidth, theSettings.fullScreenHeight,
                 theSettings.slmOnExtendedDesktop};
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        theSettings.slmOnExtendedDesktop = false;
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
    }
    void TearDown() override
    {
        theSettings.fullScreenWidth = saved.width;
        theSettings.fullScreenHeight = saved.height;
        theSettings.slmOnExtendedDesktop = saved.slm;
        openFullScreenWindows.clear();
    }

    std::unique_ptr<qFullScreenFieldWidget> make(const QImage& image,
                                                 const QString& caption = QStringLiteral("c"))
    {
        auto w = std::make_unique<qFullScreenFieldWidget>(nullptr, "new window", Qt::Window,
                                                          caption, image);
        w->resize(1920, 1080);
        return w;
    }

    template<typename T>
    static T* child(QWidget* w, const char* name)
    {
        T* found = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QString label(QWidget* w) { return child<QLabel>(w, "controlLabel")->text(); }
    static QString grayTip(QWidget* w) { return child<QToolButton>(w, "grayButton")->toolTip(); }
    static void click(QWidget* w, const char* button) { child<QToolButton>(w, button)->click(); }

    static void moveMouse(QWidget* w, int x)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 300), w->mapToGlobal(QPointF(x, 300)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
    }

    static int shownIndex(qFullScreenFieldWidget* w, int x, int y)
    {
        return w->displayedBitmap().constScanLine(y)[x];
    }
    static int shownGray(qFullScreenFieldWidget* w, int x, int y)
    {
        return qRed(w->displayedBitmap().color(shownIndex(w, x, y)));
    }

    struct
    {
        int width, height;
        bool slm;
    } saved{};
};

TEST_F(FullScreenWindowTest, CaptionFromTheCallerOrTheDefault)
{
    EXPECT_EQ(make(grayImage(10, 10, 0), QString())->windowTitle(),
              QStringLiteral("Optical transmission function"));
    EXPECT_EQ(make(grayImage(10, 10, 0), QStringLiteral("Show Blank Screen"))->windowTitle(),
              QStringLiteral("Show Blank Screen"));
}

TEST_F(FullScreenWindowTest, ControlCharactersOfAFileNameCaptionAreShownAsEscapes)
{
    EXPECT_EQ(make(grayImage(10, 10, 0), QStringLiteral("/tmp/two\nlines\t.png"))->windowTitle(),
              QStringLiteral("/tmp/two\\nlines\\t.png"));
}

TEST_F(FullScreenWindowTest, ButtonsTheirKeysAndTips)
{
    auto w = make(rampCell(50, 50));
    struct Row
    {
        const char* name;
        QKeySequence key;
        const char* tip;
        bool toggle;
    } rows[] = {
        {"zoomInButton", QKeySequence(Qt::ALT | Qt::Key_Plus), "Zoom In", false},
        {"zoomOutButton", QKeySequence(Qt::ALT | Qt::Key_Minus), "Zoom Out", false},
        {"lensButton", QKeySequence(Qt::ALT | Qt::Key_L), "Add lens Phase", true},
        {"prismButton", QKeySequence(Qt::ALT | Qt::Key_P), "Add prism phase", true},
        {"shiftButton", QKeySequence(Qt::ALT | Qt::Key_M),
         "Adjust center position of displayed bitmap", true},
        {"grayButton", QKeySequence(Qt::ALT | Qt::Key_G), "Adjust gamma curve of graylevel values",
         true},
        {"invertButton", QKeySequence(Qt::ALT | Qt::Key_I), "Invert currently displayed bitmap",
         true},
        {"saveButton", QKeySequence(Qt::ALT | Qt::Key_S), "Save currently displayed bitmap", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto* b = child<QToolButton>(w.get(), row.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->shortcut(), row.key);
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(row.tip));
        EXPECT_EQ(b->isCheckable(), row.toggle);
    }
    EXPECT_TRUE(child<QToolButton>(w.get(), "grayButton")->isChecked());
    EXPECT_FALSE(child<QToolButton>(w.get(), "invertButton")->isChecked());
    EXPECT_EQ(child<QLabel>(w.get(), "zoomLabel")->text(), QStringLiteral("Zoom:\n100%"));
    EXPECT_EQ(label(w.get()), QStringLiteral("Gamma\nvalue"));
}

TEST_F(FullScreenWindowTest, SlmButtonOnlyWithAnSlmScreen)
{
    auto without = make(rampCell(50, 50));
    EXPECT_EQ(without->findChild<QToolButton*>(QStringLiteral("slmButton")), nullptr);
    const QImage before = without->displayedBitmap();
    QTest::keyClick(without.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(without->displayedBitmap(), before);

    theSettings.slmOnExtendedDesktop = true;
    auto with = make(rampCell(50, 50));
    auto* slm = with->findChild<QToolButton*>(QStringLiteral("slmButton"));
#if PHASEDECK_LAB
    EXPECT_EQ(slm, nullptr) << "the internal edition has no SLM output";
#else
    ASSERT_NE(slm, nullptr);
    EXPECT_EQ(slm->toolTip(), QStringLiteral("Display this fullscreen bitmap on the SLM"));
    EXPECT_EQ(slm->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
    EXPECT_TRUE(slm->isCheckable());
#endif
}

TEST_F(FullScreenWindowTest, BandShowsRightOfWidthMinus54)
{
    auto w = make(rampCell(1920, 1080));
    auto* strip = child<QWidget>(w.get(), "toolStrip");
    EXPECT_TRUE(strip->isHidden()) << "a full-size pattern starts without the band";
    struct Row
    {
        int x;
        bool shown;
    } rows[] = {{1920 - 54, false}, {1920 - 53, true}, {1919, true},
                {0, false},         {1866, false},     {1867, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.x);
        moveMouse(w.get(), row.x);
        EXPECT_EQ(!strip->isHidden(), row.shown);
        EXPECT_EQ(!child<QLabel>(w.get(), "controlLabel")->isHidden(), row.shown);
        // The gamma pair is the active one.
        EXPECT_EQ(!child<QSpinBox>(w.get(), "grayBox")->isHidden(), row.shown);
        EXPECT_TRUE(child<QSpinBox>(w.get(), "lensBox")->isHidden());
    }
}

TEST_F(FullScreenWindowTest, SmallPatternStartsWithTheBandAndFullSizeOneUnchanged)
{
    auto small = make(rampCell(50, 50));
    EXPECT_FALSE(child<QWidget>(small.get(), "toolStrip")->isHidden());
    EXPECT_EQ(small->displayedBitmap().size(), QSize(1920, 1080));

    QImage full = rampCell(1920, 1080);
    auto w = make(full);
    for (int y : {0, 540, 1079})
        for (int x : {0, 128, 1919})
            EXPECT_EQ(shownGray(w.get(), x, y), qRed(full.pixel(x, y))) << x << " " << y;
}

TEST_F(FullScreenWindowTest, TwoLevelPatternAlternatesItsLevels)
{
    auto w = make(twoLevelCell());
    EXPECT_EQ(grayTip(w.get()), QStringLiteral("Adjust graylevel value 1"));
    EXPECT_EQ(label(w.get()), QStringLiteral("Gray-\nlevel 1"));
    EXPECT_FALSE(child<QSpinBox>(w.get(), "gray1Box")->isHidden());
    EXPECT_EQ(child<QSpinBox>(w.get(), "gray1Box")->value(), 10);
    EXPECT_EQ(child<QSlider>(w.get(), "gray1Slider")->value(), 245);
    EXPECT_EQ(child<QSpinBox>(w.get(), "gray2Box")->value(), 200);

    const char* expected[][2] = {
        {"Adjust graylevel value 2", "Gray-\nlevel 2"},
        {"Adjust graylevel value 1", "Gray-\nlevel 1"},
        {"Adjust graylevel value 2", "Gray-\nlevel 2"},
    };
    for (const auto& e : expected) {
        click(w.get(), "grayButton");
        EXPECT_EQ(grayTip(w.get()), QString::fromUtf8(e[0]));
        EXPECT_EQ(label(w.get()), QString::fromUtf8(e[1]));
        EXPECT_TRUE(child<QToolButton>(w.get(), "grayButton")->isChecked());
    }
    EXPECT_FALSE(child<QSpinBox>(w.get(), "gray2Box")->isHidden());
    EXPECT_TRUE(child<QSpinBox>(w.get(), "gray1Box")->isHidden());

    // Level 2 (200, shown right of the centre) becomes 90; level 1 keeps 10.
    child<QSpinBox>(w.get(), "gray2Box")->setValue(90);
    EXPECT_EQ(child<QSlider>(w.get(), "gray2Slider")->value(), 165);
    EXPECT_EQ(shownGray(w.get(), 960, 540), 90);
    EXPECT_EQ(shownGray(w.get(), 959, 540), 10);
    // Moving the slider works the same way round.
    child<QSlider>(w.get(), "gray2Slider")->setValue(255 - 33);
    EXPECT_EQ(child<QSpinBox>(w.get(), "gray2Box")->value(), 33);
    EXPECT_EQ(shownGray(w.get(), 960, 540), 33);
}

TEST_F(FullScreenWindowTest, OneLevelPatternStaysAtLevelOneAndDoesNotZoom)
{
    auto w = make(grayImage(64, 64, 40));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(grayTip(w.get()), QStringLiteral("Adjust graylevel value 1"));
        click(w.get(), "grayButton");
    }
    EXPECT_EQ(label(w.get()), QStringLiteral("Gray-\nlevel 1"));
    click(w.get(), "zoomInButton");
    click(w.get(), "zoomOutButton");
    EXPECT_EQ(child<QLabel>(w.get(), "zoomLabel")->text(), QStringLiteral("Zoom:\n100%"));
    child<QSpinBox>(w.get(), "gray1Box")->setValue(70);
    EXPECT_EQ(shownGray(w.get(), 5, 5), 70);
}

TEST_F(FullScreenWindowTest, LensOnALevelPatternSwitchesToGammaAndBack)
{
    auto w = make(twoLevelCell());
    click(w.get(), "lensButton");
    EXPECT_EQ(label(w.get()), QStringLiteral("Lens\nphase"));
    EXPECT_FALSE(child<QToolButton>(w.get(), "grayButton")->isChecked());
    auto* lensBox = child<QSpinBox>(w.get(), "lensBox");
    EXPECT_FALSE(lensBox->isHidden());

    lensBox->setValue(1);
    EXPECT_EQ(child<QSlider>(w.get(), "lensSlider")->value(), -1);
    EXPECT_EQ(grayTip(w.get()), QStringLiteral("Adjust gamma curve of graylevel values"));
    EXPECT_EQ(label(w.get()), QStringLiteral("Lens\nphase")) << "the label follows gray mode only";
    // 100 pixels right of the centre (level 200) the lens adds trunc(17.8).
    EXPECT_EQ(shownIndex(w.get(), 1060, 540), 200 + 17);

    lensBox->setValue(0);
    EXPECT_EQ(grayTip(w.get()), QStringLiteral("Adjust graylevel value 1"));
    // Back through the slider: the selection is not toggled by the paired signals.
    child<QSlider>(w.get(), "lensSlider")->setValue(-2);
    EXPECT_EQ(lensBox->value(), 2);
    EXPECT_EQ(grayTip(w.get()), QStringLiteral("Adjust gamma curve of graylevel values"));
    child<QSlider>(w.get(), "lensSlider")->setValue(0);
    EXPECT_EQ(grayTip(w.get()), QStringLiteral("Adjust graylevel value 1"));
    EXPECT_EQ(shownGray(w.get(), 1060, 540), 200);
}

TEST_F(FullScreenWindowTest, LensFocalLengthInTheCaptionOfTheInternalEdition)
{
    auto w = make(rampCell(50, 50), QStringLiteral("Pattern"));
    click(w.get(), "lensButton");
    child<QSpinBox>(w.get(), "lensBox")->setValue(-4);
#if PHASEDECK_LAB
    // f = H pitch^2 / (0.015 wavelength lens)
    const double pitch = opticalParameters.defaultPixelSizeX;
    const double f = 1080 * pitch * pitch / (0.015 * opticalParameters.defaultWavelength * -4);
    EXPECT_EQ(w->windowTitle(),
              QStringLiteral("Pattern + superimposed lens (f=") + QString::number(f) + "m)");
    EXPECT_LT(f, 0);
#else
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Pattern"));
#endif
    child<QSpinBox>(w.get(), "lensBox")->setValue(0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Pattern"));
}

TEST_F(FullScreenWindowTest, PrismAndShiftAlternateXAndYStartingWithX)
{
    auto w = make(rampCell(50, 50));
    struct Row
    {
        const char* button;
        const char* label;
        const char* box;
    } rows[] = {
        {"prismButton", "Prism\nphase X", "prismXBox"},
        {"prismButton", "Prism\nphase Y", "prismYBox"},
        {"prismButton", "Prism\nphase X", "prismXBox"},
        {"shiftButton", "Shift X", "shiftXBox"},
        {"shiftButton", "Shift Y", "shiftYBox"},
        {"shiftButton", "Shift X", "shiftXBox"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        click(w.get(), row.button);
        EXPECT_EQ(label(w.get()), QString::fromUtf8(row.label));
        EXPECT_TRUE(child<QToolButton>(w.get(), row.button)->isChecked());
        EXPECT_FALSE(child<QToolButton>(w.get(), "grayButton")->isChecked());
        EXPECT_FALSE(child<QSpinBox>(w.get(), row.box)->isHidden());
        int shownBoxes = 0;
        for (QSpinBox* b : w->findChildren<QSpinBox*>())
            shownBoxes += b->isHidden() ? 0 : 1;
        EXPECT_EQ(shownBoxes, 1);
    }
    EXPECT_FALSE(child<QToolButton>(w.get(), "prismButton")->isChecked());
}

TEST_F(FullScreenWindowTest, SlidersHoldTheirBoxesNegatedAndRecompose)
{
    auto w = make(rampCell(1920, 1080));
    // Gamma: box 100 is gamma 155.
    child<QSpinBox>(w.get(), "grayBox")->setValue(100);
    EXPECT_EQ(child<QSlider>(w.get(), "graySlider")->value(), 155);
    const GrayTable t = computeGrayTable(0, 255, 155);
    EXPECT_EQ(shownGray(w.get(), 64, 0), t[64]);

    // Shift X by 1: the pattern moves one column to the left.
    click(w.get(), "shiftButton");
    child<QSpinBox>(w.get(), "shiftXBox")->setValue(1);
    EXPECT_EQ(child<QSlider>(w.get(), "shiftXSlider")->value(), -1);
    EXPECT_EQ(shownIndex(w.get(), 0, 0), 1);
    EXPECT_EQ(shownIndex(w.get(), 1919, 0), 0);
    click(w.get(), "shiftButton"); // Y
    child<QSlider>(w.get(), "shiftYSlider")->setValue(-1);
    EXPECT_EQ(child<QSpinBox>(w.get(), "shiftYBox")->value(), 1);
    EXPECT_EQ(shownIndex(w.get(), 0, 0), 1 + 3);

    // Prism X box -1: falls by 1.28 per column from the centre.
    click(w.get(), "prismButton");
    child<QSpinBox>(w.get(), "prismXBox")->setValue(-1);
    EXPECT_EQ(child<QSlider>(w.get(), "prismXSlider")->value(), 1);
    // The centre moved with the shift to (959, 539); one column right shows source (961, 540)
    // one gray step lower.
    EXPECT_EQ(shownIndex(w.get(), 960, 539), (961 + 3 * 540 + 255) % 256);

    // A sync slot of a mode that is not active does nothing.
    child<QSpinBox>(w.get(), "lensBox")->setValue(50);
    EXPECT_EQ(child<QSlider>(w.get(), "lensSlider")->value(), 0);
}

TEST_F(FullScreenWindowTest, PaintsTheComposedBitmapAfterEverySliderStep)
{
    // The window paints its 8-bit bitmap through its palette, into its backing store and into a
    // grab; compare a grid of pixels after each kind of step.
    auto w = make(rampCell(1920, 1080));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    auto sameAsBitmap = [&](const QImage& painted) {
        ASSERT_GE(painted.width(), 1920);
        ASSERT_GE(painted.height(), 1080);
        const QImage& bitmap = w->displayedBitmap();
        for (int y = 0; y < 1080; y += 41)
            for (int x = 0; x < 1920; x += 37)
                ASSERT_EQ(painted.pixel(x, y) & 0xFFFFFF,
                          bitmap.color(bitmap.pixelIndex(x, y)) & 0xFFFFFF)
                    << x << ", " << y;
    };
    auto paintedAsComposed = [&](const char* step) {
        SCOPED_TRACE(step);
        sameAsBitmap(w->grab().toImage());
        w->repaint();
        QPaintDevice* store = w->backingStore()->paintDevice();
        ASSERT_EQ(store->devType(), QInternal::Image);
        sameAsBitmap(*static_cast<QImage*>(store));
    };
    paintedAsComposed("start");
    click(w.get(), "prismButton");
    child<QSpinBox>(w.get(), "prismXBox")->setValue(-3);
    paintedAsComposed("prism");
    click(w.get(), "lensButton");
    child<QSlider>(w.get(), "lensSlider")->setValue(-20);
    paintedAsComposed("lens");
    click(w.get(), "grayButton");
    child<QSpinBox>(w.get(), "grayBox")->setValue(90);
    paintedAsComposed("gamma");
    click(w.get(), "invertButton");
    paintedAsComposed("inverted");
}

TEST_F(FullScreenWindowTest, CtrlKeysClickTheButtonsEvenWhenHidden)
{
    auto w = make(rampCell(50, 50));
    w->hideLensButton();
    QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(eventually([&] { return label(w.get()) == QStringLiteral("Lens\nphase"); }));
    QTest::keyClick(w.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(eventually([&] { return label(w.get()) == QStringLiteral("Prism\nphase X"); }));
    QTest::keyClick(w.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(eventually([&] { return label(w.get()) == QStringLiteral("Shift X"); }));
    QTest::keyClick(w.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(eventually([&] { return label(w.get()) == QStringLiteral("Gamma\nvalue"); }));

    const int before = shownGray(w.get(), 960, 540);
    QTest::keyClick(w.get(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(
        eventually([&] { return child<QToolButton>(w.get(), "invertButton")->isChecked(); }));
    EXPECT_EQ(shownGray(w.get(), 960, 540), 255 - before);
    // Without Ctrl the letters do nothing.
    QTest::keyClick(w.get(), Qt::Key_L);
    QTest::qWait(200);
    EXPECT_EQ(label(w.get()), QStringLiteral("Gamma\nvalue"));
}

TEST_F(FullScreenWindowTest, ZoomStepsAndTheirLabel)
{
    auto w = make(rampCell(100, 100));
    auto* zoom = child<QLabel>(w.get(), "zoomLabel");
    for (int k = 0; k < 3; ++k)
        click(w.get(), "zoomInButton");
    EXPECT_EQ(zoom->text(), QStringLiteral("Zoom:\n200%"));
    // A 200 x 200 working image repeats every 200 pixels, not every 100.
    for (int x : {0, 37, 960})
        EXPECT_EQ(shownIndex(w.get(), x, 540), shownIndex(w.get(), x + 200, 540)) << x;
    EXPECT_NE(shownIndex(w.get(), 960, 540), shownIndex(w.get(), 1060, 540));
    for (int k = 0; k < 4; ++k)
        click(w.get(), "zoomOutButton");
    EXPECT_EQ(zoom->text(), QStringLiteral("Zoom:\n79%"));

    // A two-level pattern of 1 x 2 pixels cannot zoom out: level and label stay.
    QImage cell = grayImage(1, 2, 0);
    cell.scanLine(1)[0] = 100;
    auto tiny = make(cell);
    click(tiny.get(), "zoomOutButton");
    EXPECT_EQ(child<QLabel>(tiny.get(), "zoomLabel")->text(), QStringLiteral("Zoom:\n100%"));
    click(tiny.get(), "zoomInButton");
    EXPECT_EQ(child<QLabel>(tiny.get(), "zoomLabel")->text(), QStringLiteral("Zoom:\n125%"));
}

// From the deepest zoom (the crop of twice the screen height down to one line) to the smallest,
// the label's whole text fits the label and the label stays inside the tool band.
TEST_F(FullScreenWindowTest, ZoomLabelShowsItsWholeTextAtEveryLevel)
{
    auto w = make(twoLevelCell());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    auto* zoom = child<QLabel>(w.get(), "zoomLabel");
    auto checkFits = [&] {
        SCOPED_TRACE(zoom->text().toStdString());
        EXPECT_GE(zoom->width(), zoom->sizeHint().width());
        EXPECT_GE(zoom->height(), zoom->sizeHint().height());
        const QRect shown(zoom->mapTo(w.get(), QPoint(0, 0)), zoom->size());
        EXPECT_GE(shown.left(), w->width() - 54);
        EXPECT_LT(shown.right(), w->width());
    };
    QStringList seen;
    for (const char* button : {"zoomInButton", "zoomOutButton"}) {
        do {
            seen << zoom->text();
            checkFits();
            click(w.get(), button);
        } while (zoom->text() != seen.last());
    }
    EXPECT_TRUE(seen.contains(QStringLiteral("Zoom:\n204800%")));
    EXPECT_FALSE(seen.contains(QStringLiteral("Zoom:\n259900%")));
    EXPECT_EQ(seen.last(), QStringLiteral("Zoom:\n1.24%"));
}

TEST_F(FullScreenWindowTest, DestructorLeavesTheListAndKeepsTheOthersInOrder)
{
    auto a = make(rampCell(8, 8));
    auto b = make(rampCell(8, 8));
    auto c = make(rampCell(8, 8));
    openFullScreenWindows = {a.get(), b.get(), nullptr, b.get(), c.get()};
    b.reset();
    ASSERT_EQ(openFullScreenWindows.size(), 3u);
    EXPECT_EQ(openFullScreenWindows[0], a.get());
    EXPECT_EQ(openFullScreenWindows[1], nullptr);
    EXPECT_EQ(openFullScreenWindows[2], c.get());
}

TEST_F(FullScreenWindowTest, ClosingDeletesTheWindow)
{
    QPointer<qFullScreenFieldWidget> w
        = new qFullScreenFieldWidget(nullptr, "new window", Qt::Window, QString(), rampCell(4, 4));
    openFullScreenWindows.push_back(w);
    w->show();
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(openFullScreenWindows.empty());
}

} // namespace
