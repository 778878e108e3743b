// Background compensation image: size check with its error box, value orientation by depth.
#include "views/backgroundImage.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/grayImages.h"
#include "support/messageRecorder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class BackgroundImageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        savedW = theSettings.fullScreenWidth;
        savedH = theSettings.fullScreenHeight;
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
    }
    void TearDown() override
    {
        theSettings.fullScreenWidth = savedW;
        theSettings.fullScreenHeight = savedH;
    }

    static QImage gray8(int w, int h)
    {
        QImage image = createPhaseImage(w, h);
        image.fill(5);
        return image;
    }

    int savedW = 0, savedH = 0;
    MessageRecorder recorder;
};

TEST_F(BackgroundImageTest, EmptyInstance)
{
    backgroundImage empty;
    EXPECT_EQ(empty.status(), -1);
    EXPECT_EQ(empty.values(), nullptr);
    EXPECT_EQ(empty.pixel(0, 0), 0);
    EXPECT_EQ(empty.pixel(7), 0);
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(BackgroundImageTest, SizeMustBeTheFullScreenResolution)
{
    struct Row
    {
        int w, h;
        bool accepted;
    } rows[] = {{1920, 1080, true}, {1920, 1081, false}, {1919, 1080, false}, {0, 0, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.w << " x " << row.h);
        recorder.clear();
        const QImage image = row.w > 0 ? gray8(row.w, row.h) : QImage();
        backgroundImage b(image);
        EXPECT_EQ(b.status(), row.accepted ? 1 : -1);
        EXPECT_EQ(b.width(), row.w);
        EXPECT_EQ(b.height(), row.h);
        EXPECT_EQ(b.values() != nullptr, row.accepted);
        if (row.accepted) {
            EXPECT_TRUE(recorder.messages().empty());
            EXPECT_EQ(b.pixel(1919, 1079), 5);
            EXPECT_EQ(b.pixel(1920 * 1080 - 1), 5);
            EXPECT_EQ(b.pixel(1920 * 1080), 0) << "outside reads 0";
        } else {
            ASSERT_EQ(recorder.messages().size(), 1u);
            EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Critical);
            EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("ERROR !"));
            EXPECT_EQ(recorder.messages()[0].text,
                      QStringLiteral("Size of background image does not match with full-screen "
                                     "resolution ! \nAborting."));
            EXPECT_EQ(b.pixel(0, 0), 0);
        }
    }
}

TEST_F(BackgroundImageTest, ValuesByDepthAndOrientation)
{
    // 8 bits: row 0 is the bottom line.
    QImage g = gray8(1920, 1080);
    g.scanLine(1079)[0] = 77;
    g.scanLine(0)[3] = 99;
    backgroundImage fromGray(g);
    EXPECT_EQ(fromGray.pixel(0, 0), 77);
    EXPECT_EQ(fromGray.pixel(3, 1079), 99);

    // 32 bits: the red channel, bottom line first.
    QImage colour(1920, 1080, QImage::Format_RGB32);
    colour.fill(qRgb(10, 20, 30));
    colour.setPixel(5, 1079, qRgb(200, 1, 2));
    backgroundImage fromColour(colour);
    EXPECT_EQ(fromColour.pixel(0, 500), 10);
    EXPECT_EQ(fromColour.pixel(5, 0), 200);

    // 1 bit: palette red, bottom line first like the other depths.
    for (QImage::Format format : {QImage::Format_MonoLSB, QImage::Format_Mono}) {
        QImage mono(1920, 1080, format);
        mono.setColorTable({qRgb(40, 0, 0), qRgb(250, 0, 0)});
        mono.fill(0);
        mono.setPixel(9, 0, 1);
        backgroundImage fromMono(mono);
        EXPECT_EQ(fromMono.pixel(9, 1079), 250);
        EXPECT_EQ(fromMono.pixel(9, 0), 40);
        EXPECT_EQ(fromMono.pixel(10, 1079), 40);
    }

    // A gray PNG loads as Grayscale8: its grays.
    QImage gray(1920, 1080, QImage::Format_Grayscale8);
    gray.fill(123);
    EXPECT_EQ(backgroundImage(gray).pixel(17, 17), 123);
}

TEST_F(BackgroundImageTest, LoadReplacesTheValues)
{
    backgroundImage b(gray8(1920, 1080));
    ASSERT_EQ(b.status(), 1);
    b.load(gray8(10, 10));
    EXPECT_EQ(b.status(), -1);
    EXPECT_EQ(b.values(), nullptr);
    EXPECT_EQ(b.width(), 10);
    QImage other = gray8(1920, 1080);
    other.fill(66);
    b.load(other);
    EXPECT_EQ(b.status(), 1);
    EXPECT_EQ(b.pixel(100, 100), 66);
}

} // namespace
