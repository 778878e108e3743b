// The SLM output window: its window kind, the source offsets and the pixels it draws.
#include "views/QSLMWidget.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "support/messageRecorder.h"

#include <QColor>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

// Every pixel names its own coordinates, so a drawn pixel tells where it came from.
QRgb coordinateColour(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) & 0x0F) | (((y >> 8) & 0x0F) << 4));
}

QPixmap coordinatePixmap(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = coordinateColour(x, y);
    }
    return QPixmap::fromImage(image);
}

class SlmWidgetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        oldWidth = theSettings.slmWidth;
        oldHeight = theSettings.slmHeight;
        theSettings.slmWidth = 1920;
        theSettings.slmHeight = 1080;
    }
    void TearDown() override
    {
        theSettings.slmWidth = oldWidth;
        theSettings.slmHeight = oldHeight;
    }

    int oldWidth = 0;
    int oldHeight = 0;
};

TEST_F(SlmWidgetTest, IsAHiddenBorderlessWindowOnTop)
{
    QSLMWidget w;
    EXPECT_EQ(w.objectName(), "qslmwidget");
    EXPECT_EQ(w.windowTitle(), "SLM");
    EXPECT_EQ(w.parentWidget(), nullptr);
    EXPECT_TRUE(w.isWindow());
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(w.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(w.isHidden());
    EXPECT_EQ(w.sourceOffsetX(), 0);
    EXPECT_EQ(w.sourceOffsetY(), 0);
    EXPECT_TRUE(w.currentPixmap().isNull());
}

TEST_F(SlmWidgetTest, DrawsTheCentreOfEachPixmapOneToOne)
{
    struct Case
    {
        const char* name;
        int width, height;
        int offsetX, offsetY;
    };
    const Case cases[] = {
        {"SLM size, shown whole", 1920, 1080, 0, 0},
        {"2048 square, centre", 2048, 2048, 64, 484},
        {"one extra pixel right and below stays unshown", 1921, 1081, 0, 0},
        {"one pixel short truncates toward zero", 1919, 1079, 0, 0},
        {"smaller pixmap, negative offsets", 1000, 500, -460, -290},
    };

    // One window for all rows: each pixmap replaces the one before.
    QSLMWidget w;
    w.setGeometry(0, 0, 1920, 1080);
    const QRgb background = w.palette().color(QPalette::Window).rgb();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.setPixmap(coordinatePixmap(c.width, c.height));
        EXPECT_EQ(w.sourceOffsetX(), c.offsetX);
        EXPECT_EQ(w.sourceOffsetY(), c.offsetY);
        EXPECT_EQ(w.currentPixmap().size(), QSize(c.width, c.height));

        const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), QSize(1920, 1080));
        // Window corners, centre, and the first and last source pixels where they land.
        const QPoint firstSource(qMax(0, c.offsetX), qMax(0, c.offsetY));
        const QPoint lastSource(qMin(c.width, c.offsetX + 1920) - 1,
                                qMin(c.height, c.offsetY + 1080) - 1);
        const QPoint shift(c.offsetX, c.offsetY);
        const QPoint probes[] = {{0, 0},
                                 {1919, 0},
                                 {0, 1079},
                                 {1919, 1079},
                                 {960, 540},
                                 firstSource - shift,
                                 lastSource - shift,
                                 firstSource - shift - QPoint(1, 1),
                                 lastSource - shift + QPoint(1, 1)};
        for (const QPoint& p : probes) {
            if (!shown.rect().contains(p))
                continue;
            const QPoint source = p + shift;
            const bool inside = QRect(0, 0, c.width, c.height).contains(source);
            SCOPED_TRACE(testing::Message() << "window pixel " << p.x() << "," << p.y());
            EXPECT_EQ(shown.pixel(p),
                      inside ? coordinateColour(source.x(), source.y()) : background);
        }
    }
}

TEST_F(SlmWidgetTest, NewPixmapRestoresLostWindowFlags)
{
    QSLMWidget w;
    w.setWindowFlags(Qt::Window);
    ASSERT_FALSE(w.windowFlags() & Qt::FramelessWindowHint);
    w.setPixmap(coordinatePixmap(8, 8));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(w.isWindow());
}

TEST_F(SlmWidgetTest, ShowMaximizedTellsAndShowsNormally)
{
    MessageRecorder recorder;
    QSLMWidget w;
    w.setGeometry(0, 0, 640, 480);
    w.showMaximized();
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].caption, "INFO");
    EXPECT_EQ(recorder.messages()[0].text, "QSLMWidget::showMaximized");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMaximized());
    w.hide();
}

} // namespace
