// Opening images in the main window: the size dispatch to full-screen or field windows, gray
// conversion and its warnings, files, the open dialog, drops, the "%20" retry, paste and the
// command line.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "fields/DataField2D.h"
#include "support/openWindows.h"
#include "support/messageRecorder.h"
#include "support/pngHeader.h"
#include "views/qComplexDataGrscMapWidget.h"
#include "views/qFullScreenFieldWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace {

QImage grayIndexedImage(int w, int h)
{
    QImage image(w, h, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    for (int k = 0; k < 256; ++k)
        ramp.append(qRgb(k, k, k));
    image.setColorTable(ramp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.scanLine(y)[x] = uchar((x + 7 * y) & 0xFF);
    return image;
}

// Pixel (x, y) = (x, y, x + y) in the low bits.
QImage colourImage(int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x & 0xFF, y & 0xFF, (x + y) & 0xFF, 255));
    return image;
}

// The full-screen window count when each message box came up.
std::vector<size_t> windowsAtMessage;
MessageBoxRunner chainedRunner = nullptr;
void recordWindowCount(MessageIcon icon, const QString& caption, const QString& text)
{
    windowsAtMessage.push_back(openFullScreenWindows.size());
    chainedRunner(icon, caption, text);
}

// The main window with its drop handler reachable, as a drop would reach it.
class DropTargetWindow : public QDOEMainWindow
{
public:
    using QDOEMainWindow::dropEvent;
    using QDOEMainWindow::QDOEMainWindow;
};

class ImageOpeningTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = {theSettings.fullScreenWidth, theSettings.fullScreenHeight};
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        // The gray range the program starts with.
        savedRange = {graylevelPhase0, graylevelPhase2Pi};
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
        savedOpenDir = theSettings.openFileDir;
#if PHASEDECK_LAB
        // Without the options dialog the internal edition converts as the release edition does.
        savedOptionsSwitch = theSettings.showImageOptionsDialog;
        theSettings.showImageOptionsDialog = false;
#endif
        window = std::make_unique<DropTargetWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        chainedRunner = setMessageBoxRunner(recordWindowCount);
        windowsAtMessage.clear();
    }
    void TearDown() override
    {
        setMessageBoxRunner(chainedRunner);
        window.reset();
        deleteOpenFullScreenWindows();
        theSettings.fullScreenWidth = saved.first;
        theSettings.fullScreenHeight = saved.second;
        graylevelPhase0 = savedRange.first;
        graylevelPhase2Pi = savedRange.second;
        theSettings.openFileDir = savedOpenDir;
#if PHASEDECK_LAB
        theSettings.showImageOptionsDialog = savedOptionsSwitch;
#endif
    }

    std::vector<qComplexDataGrscMapWidget*> fieldWindows() const
    {
        return fieldWindowsOf(*window);
    }

    std::vector<QString> fieldCaptions() const
    {
        std::vector<QString> captions;
        for (qComplexDataGrscMapWidget* w : fieldWindows())
            captions.push_back(w->caption());
        return captions;
    }

    QString saveImage(const QString& name, const QImage& image, const char* format = nullptr)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(image.save(path, format)) << path.toStdString();
        return path;
    }

    void drop(QMimeData* data)
    {
        QDropEvent event(QPointF(50, 50), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        window->dropEvent(&event);
    }

    QTemporaryDir dir;
    MessageRecorder messages; // below the window-count runner
    std::unique_ptr<DropTargetWindow> window;
    std::pair<int, int> saved;
    std::pair<unsigned char, unsigned char> savedRange;
    std::string savedOpenDir;
    bool savedOptionsSwitch = true;
};

TEST_F(ImageOpeningTest, FullScreenSizeOpensAPatternWindowAnyOtherAFieldWindow)
{
    struct Case
    {
        const char* name;
        QSize size;
        bool fullScreen;
    };
    const Case cases[] = {
        {"full-screen size", QSize(1920, 1080), true},
        {"one line more", QSize(1920, 1081), false},
        {"turned", QSize(1080, 1920), false},
        {"small", QSize(30, 20), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t fullBefore = openFullScreenWindows.size();
        const size_t fieldsBefore = fieldWindows().size();
        window->showImage(grayIndexedImage(c.size.width(), c.size.height()),
                          QString::fromLatin1(c.name));
        EXPECT_EQ(openFullScreenWindows.size(), fullBefore + (c.fullScreen ? 1 : 0));
        EXPECT_EQ(fieldWindows().size(), fieldsBefore + (c.fullScreen ? 0 : 1));
    }
    EXPECT_TRUE(messages.messages().empty());
    ASSERT_EQ(openFullScreenWindows.size(), 1u);
    EXPECT_EQ(openFullScreenWindows[0]->windowTitle(), QStringLiteral("full-screen size"));
    // Both adjustment buttons are kept.
    int shown = 0;
    for (QWidget* child : openFullScreenWindows[0]->findChildren<QWidget*>())
        if (child->toolTip().contains(QLatin1String("lens"), Qt::CaseInsensitive)
            || child->toolTip().contains(QLatin1String("prism"), Qt::CaseInsensitive))
            shown += child->isHidden() ? 0 : 1;
    EXPECT_GE(shown, 2);
}

TEST_F(ImageOpeningTest, FullScreenImagesBecomeGrayPhaseImages)
{
    struct Case
    {
        const char* name;
        QImage image;
        std::vector<QString> warnings;
    };
    QImage grayTrueColour(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x) {
            const int g = (x + y) & 0xFF;
            grayTrueColour.setPixel(x, y, qRgb(g, g, g));
        }
    QImage withAlpha(1920, 1080, QImage::Format_ARGB32);
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x) {
            const int g = (x + 3 * y) & 0xFF;
            withAlpha.setPixel(x, y, qRgba(g, g, g, 200));
        }
    // A few colours, so that the 8-bit conversion keeps them exactly.
    QImage coloured(1920, 1080, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(10, 20, 30)};
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x)
            coloured.setPixel(x, y, colours[(x / 7 + y) % 4]);
    // Far more than 256 colours, each of whose neighbours has another gray: reducing it to 8 bits
    // first would dither the grays.
    QImage colourRamp(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x)
            colourRamp.setPixel(x, y, qRgb((x + y) & 0xFF, (3 * x) & 0xFF, (x * y) & 0xFF));
    const QString colourWarning = QStringLiteral(
        "Conversion to grayscale image is done automatically.\n Color information will be lost.");
    const QString alphaWarning = QStringLiteral("Image has alpha-Buffer, which will be ignored.");
    const Case cases[] = {
        {"32-bit gray", grayTrueColour, {}},
        {"alpha", withAlpha, {alphaWarning}},
        {"coloured", coloured, {colourWarning}},
        {"colour ramp", colourRamp, {colourWarning}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        windowsAtMessage.clear();
        const size_t before = openFullScreenWindows.size();
        window->showImage(c.image, QString::fromLatin1(c.name));
        ASSERT_EQ(openFullScreenWindows.size(), before + 1);
        ASSERT_EQ(messages.messages().size(), c.warnings.size());
        for (size_t k = 0; k < c.warnings.size(); ++k) {
            EXPECT_EQ(messages.messages()[k].caption, QStringLiteral("WARNING"));
            EXPECT_EQ(messages.messages()[k].text, c.warnings[k]);
            EXPECT_EQ(windowsAtMessage[k], before); // before the window exists
        }
        // Every pixel the gray of its own colour.
        const QImage& shown = openFullScreenWindows.back()->displayedBitmap();
        int wrong = 0;
        for (int y = 0; y < 1080; ++y)
            for (int x = 0; x < 1920; ++x) {
                const QRgb source = c.image.pixel(x, y);
                const int gray = (11 * qRed(source) + 16 * qGreen(source) + 5 * qBlue(source)) / 32;
                if ((shown.pixelIndex(x, y) != gray || shown.pixel(x, y) != qRgb(gray, gray, gray))
                    && wrong++ < 3)
                    ADD_FAILURE() << "(" << x << ", " << y << ") shows " << shown.pixelIndex(x, y)
                                  << " for " << gray;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(ImageOpeningTest, FieldWindowHoldsTheRedChannelWithPitchOne)
{
    window->showImage(colourImage(6, 4), QStringLiteral("colours"));
    ASSERT_EQ(fieldWindows().size(), 1u);
    qComplexDataGrscMapWidget* w = fieldWindows()[0];
    EXPECT_EQ(w->caption(), QStringLiteral("colours"));
    auto field = w->realField();
    ASSERT_TRUE(field);
    EXPECT_EQ(field->getDx(), 1.0);
    EXPECT_EQ(field->getDy(), 1.0);
    // Image line 3 - j is field row j.
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(field->getValue(i, j), float(i)) << i << "," << j;
    window->showImage(QImage(), QStringLiteral("null"));
    EXPECT_EQ(fieldWindows().size(), 1u);
}

TEST_F(ImageOpeningTest, FieldThatMemoryCannotHoldOpensNoWindowAndSaysSo)
{
    MessageRecorder messages;
    const QString name = saveImage(QStringLiteral("big.png"), colourImage(40, 30));
    // Each of the window's allocations in turn: the sampled copy, then its picture.
    for (int failing = 1; failing <= 2; ++failing) {
        SCOPED_TRACE(failing);
        failFieldWindowAllocation(failing);
        window->openFileByName(name);
        failFieldWindowAllocation(0);
        EXPECT_TRUE(fieldWindows().empty());
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("ERROR !"));
        EXPECT_EQ(messages.messages()[0].text,
                  QStringLiteral("Not enough memory to show the field (40 x 30 pixels):\n") + name);
        messages.clear();
    }
    window->openFileByName(name);
    EXPECT_EQ(fieldWindows().size(), 1u);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ImageOpeningTest, GrayPngAndColourJpegFiles)
{
    QImage gray(5, 3, QImage::Format_Grayscale8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            gray.scanLine(y)[x] = uchar(40 * x + y);
    const QString png = saveImage(QStringLiteral("gray.png"), gray);
    const QString jpeg = saveImage(QStringLiteral("colour.jpg"), colourImage(16, 8), "JPEG");
    ASSERT_EQ(QImage(png).format(), QImage::Format_Grayscale8);

    window->openImageFileByName(png);
    window->openImageFileByName(jpeg);
    window->openImageFileByName(dir.filePath(QStringLiteral("missing.png")));
    ASSERT_EQ(fieldWindows().size(), 2u);
    auto grayField = fieldWindows()[0]->realField();
    EXPECT_EQ(fieldWindows()[0]->caption(), png);
    EXPECT_EQ(fieldWindows()[0]->title().section(QLatin1String(": "), 1),
              QStringLiteral("gray.png"));
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(grayField->getValue(i, j), float(40 * i + (2 - j)));
    const QImage loaded(jpeg);
    auto colourField = fieldWindows()[1]->realField();
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(colourField->getValue(i, j), float(qRed(loaded.pixel(i, 7 - j))));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ImageOpeningTest, OpenImageFileAsksInTheOpenFolderAndRemembersIt)
{
    const QString image = saveImage(QStringLiteral("sub/pic.bmp"), grayIndexedImage(9, 9));
    theSettings.openFileDir = "/start/here";
    std::vector<FileDialogRequest> requests;
    QString answer;
    FileDialogRunner previous = setOpenFileDialogRunner([&](const FileDialogRequest& r) {
        requests.push_back(r);
        FileDialogResult result;
        result.fileName = answer;
        return result;
    });
    QMetaObject::invokeMethod(window.get(), "openImageFile");
    EXPECT_EQ(theSettings.openFileDir, "/start/here");
    EXPECT_TRUE(fieldWindows().empty());
    answer = image;
    QMetaObject::invokeMethod(window.get(), "openImageFile");
    setOpenFileDialogRunner(previous);

    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].caption, QStringLiteral("Choose a file"));
    EXPECT_EQ(requests[0].folder, QStringLiteral("/start/here"));
    EXPECT_EQ(requests[0].filters,
              QStringLiteral("Images (*.bmp *.png *.xpm *.jpg *.jpeg *.pgm *.gif)"));
    EXPECT_EQ(theSettings.openFileDir, dir.filePath(QStringLiteral("sub")).toStdString());
    ASSERT_EQ(fieldWindows().size(), 1u);
    EXPECT_EQ(fieldWindows()[0]->caption(), image);
}

TEST_F(ImageOpeningTest, DroppedFileUrlsOpenTheirFiles)
{
    const QString a = saveImage(QStringLiteral("a.png"), grayIndexedImage(4, 4));
    const QString b = saveImage(QStringLiteral("b c.png"), grayIndexedImage(5, 5));
    const QString aUrl = QUrl::fromLocalFile(a).toString();
    const QString bUrl = QUrl::fromLocalFile(b).toString();

    auto* lines = new QMimeData;
    lines->setText(aUrl + QStringLiteral("\r\n") + bUrl + QStringLiteral("\r\nnot a url\r\n"));
    drop(lines);
    EXPECT_EQ(fieldCaptions(), (std::vector<QString>{a, b}));
    delete lines;

    // Without a line end the name keeps its last character.
    auto* single = new QMimeData;
    single->setText(aUrl);
    drop(single);
    delete single;
    auto* uriList = new QMimeData;
    uriList->setUrls({QUrl::fromLocalFile(b), QUrl(QStringLiteral("http://example.com/x.png"))});
    drop(uriList);
    delete uriList;
    EXPECT_EQ(fieldCaptions(), (std::vector<QString>{a, b, a, b}));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ImageOpeningTest, DroppedAndPastedImagesShareTheirNumbering)
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setImage(grayIndexedImage(3, 2));
    QMetaObject::invokeMethod(window.get(), "paste");
    QMetaObject::invokeMethod(window.get(), "paste");
    auto* data = new QMimeData;
    data->setImageData(grayIndexedImage(2, 2));
    drop(data);
    delete data;
    QMetaObject::invokeMethod(window.get(), "paste");
    EXPECT_EQ(fieldCaptions(), (std::vector<QString>{QStringLiteral("Clipboard image (1)"),
                                                     QStringLiteral("Clipboard image (2)"),
                                                     QStringLiteral("Clipboard image (3)"),
                                                     QStringLiteral("Clipboard image (4)")}));
    EXPECT_EQ(fieldWindows()[2]->fieldSize(), QSize(2, 2));

    // Pasted text is a file name, used as it is.
    const QString file = saveImage(QStringLiteral("pasted.bmp"), grayIndexedImage(6, 6));
    clipboard->setText(file);
    QMetaObject::invokeMethod(window.get(), "paste");
    clipboard->setText(QStringLiteral("no such file"));
    QMetaObject::invokeMethod(window.get(), "paste");
    ASSERT_EQ(fieldWindows().size(), 5u);
    EXPECT_EQ(fieldWindows()[4]->caption(), file);
}

TEST_F(ImageOpeningTest, NamesAreTriedAgainWithBlanksForPercent20)
{
    const QString blank = saveImage(QStringLiteral("My Pictures/a.png"), grayIndexedImage(4, 3));
    const QString literal = saveImage(QStringLiteral("odd%20name.png"), grayIndexedImage(3, 3));
    window->openFileByName(dir.filePath(QStringLiteral("My%20Pictures/a.png")));
    window->openFileByName(literal);
    window->openFileByName(dir.filePath(QStringLiteral("nowhere%20at%20all.png")));
    window->openFileByName(QString());
    EXPECT_EQ(fieldCaptions(), (std::vector<QString>{blank, literal}));
}

TEST_F(ImageOpeningTest, ExistingFilesThatAreNoImagesOpenNothing)
{
    const QString text = dir.filePath(QStringLiteral("notes.png"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not an image");
    file.close();
    window->openFileByName(text);
    window->openFileByName(dir.path());
    // A FIFO without a writer would block the image reader.
    const QString fifo = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    window->openFileByName(fifo);
    EXPECT_TRUE(fieldWindows().empty());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ImageOpeningTest, CommandLineFilesOpenAtStartUp)
{
    const QString image = saveImage(QStringLiteral("start.png"), grayIndexedImage(8, 8));
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray name = image.toLocal8Bit();
    const QByteArray missing = dir.filePath(QStringLiteral("missing.png")).toLocal8Bit();
    char* argv[] = {const_cast<char*>(self.constData()), const_cast<char*>(name.constData()),
                    const_cast<char*>(missing.constData())};
    window = std::make_unique<DropTargetWindow>(nullptr, "new window", Qt::Window, 3, argv);
    EXPECT_EQ(fieldCaptions(), (std::vector<QString>{image}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The routes by which a file name reaches the image reader.
enum class NameRoute { CommandLine, Drop, Paste, OpenDialog };

TEST_F(ImageOpeningTest, NamesThatAreNoRegularFilesOpenNothingAtOnce)
{
    const QString fifo = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.filePath(QStringLiteral("zero.png"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString folder = dir.filePath(QStringLiteral("folder.png"));
    ASSERT_TRUE(QDir().mkpath(folder));

    QString dialogAnswer;
    FileDialogRunner previous = setOpenFileDialogRunner([&](const FileDialogRequest&) {
        FileDialogResult result;
        result.fileName = dialogAnswer;
        return result;
    });
    const NameRoute routes[]
        = {NameRoute::CommandLine, NameRoute::Drop, NameRoute::Paste, NameRoute::OpenDialog};
    for (const QString& name : {fifo, zero, folder}) {
        for (NameRoute route : routes) {
            SCOPED_TRACE(testing::Message() << name.toStdString() << " route " << int(route));
            QElapsedTimer clock;
            clock.start();
            switch (route) {
            case NameRoute::CommandLine: {
                const QByteArray arg = QFile::encodeName(name);
                char* argv[] = {const_cast<char*>(arg.constData())};
                window = std::make_unique<DropTargetWindow>(nullptr, "new window", Qt::Window, 1,
                                                            argv);
                break;
            }
            case NameRoute::Drop: {
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(name)});
                drop(&data);
                break;
            }
            case NameRoute::Paste:
                QApplication::clipboard()->setText(name);
                QMetaObject::invokeMethod(window.get(), "paste");
                break;
            case NameRoute::OpenDialog:
                dialogAnswer = name;
                QMetaObject::invokeMethod(window.get(), "openImageFile");
                break;
            }
            EXPECT_LT(clock.elapsed(), 1000);
            EXPECT_TRUE(fieldWindows().empty());
            EXPECT_TRUE(openFullScreenWindows.empty());
        }
    }
    setOpenFileDialogRunner(previous);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ImageOpeningTest, ImageTooLargeToLoadIsNamedWithItsSize)
{
    // A PNG header of 40000 x 40000 8-bit grays: 6 GiB as the toolkit counts it.
    const QString huge = dir.filePath(QStringLiteral("huge.png"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(grayPngHeader(40000, 40000));
    }
    const QString warning = QStringLiteral("Image is too large to be loaded (40000 x 40000 "
                                           "pixels):\n")
                            + huge;
    window->openFileByName(huge);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("WARNING"));
    EXPECT_EQ(messages.messages()[0].text, warning);
    EXPECT_TRUE(fieldWindows().empty());

    // Also as the background image, which then stays as it was.
    messages.clear();
    FileDialogRunner previous = setOpenFileDialogRunner([&](const FileDialogRequest&) {
        FileDialogResult result;
        result.fileName = huge;
        return result;
    });
    QMetaObject::invokeMethod(window.get(), "loadBackgroundImageFromFile");
    setOpenFileDialogRunner(previous);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, warning);
}

} // namespace
