// Element files in the windows: the open commands, file names from the command line, drops and
// openFileByName, no window after a failed read, and the field window's ".de" save.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "lab/fieldio/diffractiveElementFile.h"
#include "support/fileSystemFaults.h"
#include "support/messageRecorder.h"
#include "support/openWindows.h"
#include "views/qComplexDataGrscMapWidget.h"
#include "views/saveFileName.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <boost/make_shared.hpp>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace {

const QString deMagicText
    = QStringLiteral("Only DE20 files may be read with this program.\n Aborting this function.");

boost::shared_ptr<complexDataField2D> numberedField(int sizeI, int sizeJ)
{
    auto field = boost::make_shared<complexDataField2D>(sizeI, sizeJ, 0);
    field->setPixelSize(4e-6, 5e-6);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field->setValue(i, j, complexFloat{float(i + 10 * j), float(i - j)});
    return field;
}

bool sameValues(const complexDataField2D& a, const complexDataField2D& b)
{
    if (a.getSizeI() != b.getSizeI() || a.getSizeJ() != b.getSizeJ())
        return false;
    for (int j = 0; j < a.getSizeJ(); ++j)
        for (int i = 0; i < a.getSizeI(); ++i)
            if (a.getValue(i, j).re != b.getValue(i, j).re
                || a.getValue(i, j).im != b.getValue(i, j).im)
                return false;
    return true;
}

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The main window with its drop handler reachable, as a drop would reach it.
class DropTargetWindow : public QDOEMainWindow
{
public:
    using QDOEMainWindow::dropEvent;
    using QDOEMainWindow::QDOEMainWindow;
};

class ElementFileCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedOpenDir = theSettings.openFileDir;
        savedSaveDir = theSettings.saveFileDir;
        theSettings.openFileDir = dir.path().toStdString();
        theSettings.saveFileDir = dir.path().toStdString();
        previousOpen = setOpenFileDialogRunner([this](const FileDialogRequest& r) {
            openRequests.push_back(r);
            FileDialogResult result;
            if (!answers.empty()) {
                result.fileName = answers.front();
                answers.pop_front();
            }
            return result;
        });
        // Any other dialog (the export choice, an image's conversion options) is counted and
        // accepted as preset.
        previousDialog = setDialogRunner([this](QDialog&) {
            ++dialogsRun;
            return int(QDialog::Accepted);
        });
        window = std::make_unique<DropTargetWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
    }
    void TearDown() override
    {
        window.reset();
        setOpenFileDialogRunner(previousOpen);
        setDialogRunner(previousDialog);
        theSettings.openFileDir = savedOpenDir;
        theSettings.saveFileDir = savedSaveDir;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QString goodFile(const QString& name)
    {
        const QString file = path(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        EXPECT_TRUE(saveComplexDE20File(file, field));
        return file;
    }

    std::vector<qComplexDataGrscMapWidget*> fieldWindows() const { return fieldWindowsOf(*window); }

    // The one field window opened so far shows the test field's real part under `caption`.
    void expectOneElementWindow(const QString& caption)
    {
        const auto windows = fieldWindows();
        ASSERT_EQ(windows.size(), 1u);
        EXPECT_EQ(windows[0]->caption(), caption);
        EXPECT_EQ(windows[0]->kind(), qComplexDataGrscMapWidget::complexFieldWindow);
        EXPECT_EQ(windows[0]->currentMode(), 1);
        ASSERT_TRUE(windows[0]->complexField());
        EXPECT_TRUE(sameValues(*windows[0]->complexField(), *field));
        EXPECT_EQ(windows[0]->complexField()->getDx(), double(4e-6f));
    }

    void invoke(const char* slot)
    {
        ASSERT_TRUE(QMetaObject::invokeMethod(window.get(), slot, Qt::DirectConnection)) << slot;
    }

    void closeFieldWindows()
    {
        invoke("closeAllInternalField2DWidgets");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir dir;
    MessageRecorder messages;
    std::string savedOpenDir;
    std::string savedSaveDir;
    FileDialogRunner previousOpen;
    DialogRunner previousDialog;
    std::deque<QString> answers;
    std::vector<FileDialogRequest> openRequests;
    int dialogsRun = 0;
    boost::shared_ptr<complexDataField2D> field = numberedField(3, 5);
    std::unique_ptr<DropTargetWindow> window;
};

TEST_F(ElementFileCommandsTest, OpenCommandsAskForAFileAndShowItsRealPart)
{
    for (const char* slot : {"openDOE", "openDiffractionPattern"}) {
        SCOPED_TRACE(slot);
        const QString file = goodFile(QStringLiteral("designs/%1.de").arg(QLatin1String(slot)));
        theSettings.openFileDir = dir.path().toStdString();
        openRequests.clear();
        answers.push_back(file);
        invoke(slot);
        ASSERT_EQ(openRequests.size(), 1u);
        EXPECT_EQ(openRequests[0].caption, QStringLiteral("Choose a file"));
        EXPECT_EQ(openRequests[0].filters, QStringLiteral("DE File (*.de)"));
        EXPECT_EQ(openRequests[0].folder, dir.path());
        EXPECT_EQ(theSettings.openFileDir, path(QStringLiteral("designs")).toStdString());
        expectOneElementWindow(file);
        closeFieldWindows();
    }
    // Cancelled: nothing opens and the open folder stays.
    invoke("openDOE");
    EXPECT_TRUE(fieldWindows().empty());
    EXPECT_EQ(theSettings.openFileDir, path(QStringLiteral("designs")).toStdString());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ElementFileCommandsTest, FailedReadsOpenNoWindow)
{
    const QString bad = writeBytes(QStringLiteral("bad.de"), QByteArray("de20 lower case"));
    answers.push_back(bad);
    invoke("openDOE");
    window->openFileByName(bad);
    window->openDEFileByName(path(QStringLiteral("missing.de")));
    EXPECT_TRUE(fieldWindows().empty());
    ASSERT_EQ(messages.messages().size(), 3u);
    EXPECT_EQ(messages.messages()[0].text, deMagicText);
    EXPECT_EQ(messages.messages()[1].text, deMagicText);
    EXPECT_EQ(messages.messages()[2].text, QStringLiteral("Error when reading the file."));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A short file still opens, after its warning.
    const QString whole = goodFile(QStringLiteral("whole.de"));
    const QString cut = writeBytes(QStringLiteral("cut.de"), fileBytes(whole).left(36 + 8 * 4));
    window->openFileByName(cut);
    ASSERT_EQ(fieldWindows().size(), 1u);
    EXPECT_EQ(fieldWindows()[0]->caption(), cut);
    EXPECT_EQ(messages.messages().back().caption, QStringLiteral("WARNING"));
}

TEST_F(ElementFileCommandsTest, NamesRouteByTheirLastExtension)
{
    const QString blank = goodFile(QStringLiteral("my designs/grating.DE"));
    window->openFileByName(path(QStringLiteral("my%20designs/grating.DE")));
    expectOneElementWindow(blank);
    closeFieldWindows();

    // Element files and images are told apart by the name alone.
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(qRgb(40, 40, 40));
    const QString png = path(QStringLiteral("picture.png"));
    ASSERT_TRUE(image.save(png));
    QFile::copy(png, path(QStringLiteral("picture.de")));
    QFile::copy(blank, path(QStringLiteral("element.png")));
    window->openFileByName(path(QStringLiteral("element.png")));
    window->openFileByName(path(QStringLiteral("picture.de")));
    window->openFileByName(png);
    const auto windows = fieldWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->caption(), png);
    EXPECT_EQ(windows[0]->kind(), qComplexDataGrscMapWidget::realFieldWindow);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, deMagicText);
}

TEST_F(ElementFileCommandsTest, NamesOfNoRegularFileAreNotOpened)
{
    const QString fifo = path(QStringLiteral("pipe.de"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString fifoImage = path(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifoImage).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.de")));
    // Opening a FIFO without a writer would block here.
    window->openFileByName(fifo);
    window->openFileByName(fifoImage);
    window->openFileByName(path(QStringLiteral("folder.de")));
    window->openFileByName(QStringLiteral("/dev/null"));
    EXPECT_TRUE(fieldWindows().empty());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ElementFileCommandsTest, CommandLineAndDropsOpenElementFiles)
{
    const QString start = goodFile(QStringLiteral("start.de"));
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray name = QFile::encodeName(start);
    char* argv[] = {const_cast<char*>(self.constData()), const_cast<char*>(name.constData())};
    window = std::make_unique<DropTargetWindow>(nullptr, "new window", Qt::Window, 2, argv);
    expectOneElementWindow(start);
    closeFieldWindows();

    const QString dropped = goodFile(QStringLiteral("dropped.de"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped)});
    QDropEvent event(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    window->dropEvent(&event);
    expectOneElementWindow(dropped);
    EXPECT_TRUE(messages.messages().empty());
}

class ElementFileSaveTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedSaveDir = theSettings.saveFileDir;
        theSettings.saveFileDir = dir.path().toStdString();
        previousSave = setSaveFileDialogRunner([this](const FileDialogRequest& r) {
            filters = r.filters;
            FileDialogResult result;
            result.fileName = answer;
            result.selectedFilter = deFileFilter;
            return result;
        });
        previousDialog = setDialogRunner([this](QDialog&) {
            ++dialogsRun;
            return int(QDialog::Accepted);
        });
    }
    void TearDown() override
    {
        setSaveFileDialogRunner(previousSave);
        setDialogRunner(previousDialog);
        theSettings.saveFileDir = savedSaveDir;
    }

    void save(qComplexDataGrscMapWidget& w, const QString& name)
    {
        answer = name;
        QMetaObject::invokeMethod(&w, "saveDataToFile", Qt::DirectConnection);
    }

    QTemporaryDir dir;
    std::string savedSaveDir;
    FileDialogRunner previousSave;
    DialogRunner previousDialog;
    QString answer;
    QString filters;
    int dialogsRun = 0;
    MessageRecorder messages;
};

TEST_F(ElementFileSaveTest, WindowsWriteTheirWholeFieldWithoutTheExportChoice)
{
    const auto complex = numberedField(5, 3);
    qComplexDataGrscMapWidget complexWindow(complex, 4, nullptr, "new window", Qt::WindowFlags(),
                                            QStringLiteral("complex"), QString());
    QMetaObject::invokeMethod(&complexWindow, "zoomIn", Qt::DirectConnection);
    ASSERT_NE(complexWindow.displayedSize(), complexWindow.fieldSize());
    save(complexWindow, dir.filePath(QStringLiteral("complex")));
    EXPECT_EQ(filters, QStringLiteral("Portable Network Graphics File(*.png);;Bitmap File(*.bmp);;"
                                      "Diffractive Element File(*.de);;ASCII Data(*.dat)"));
    const auto read = readComplexDE20File(dir.filePath(QStringLiteral("complex.de")));
    ASSERT_TRUE(read);
    EXPECT_TRUE(sameValues(*read, *complex));

    auto real = boost::make_shared<DataField2D>(4, 3, 0.0, 0.0, 2e-6, 3e-6, 0.0f);
    for (int k = 0; k < 12; ++k)
        real->setValue(k % 4, k / 4, k * 1.5f - 4.0f);
    qComplexDataGrscMapWidget realWindow(real, nullptr, "new window", Qt::WindowFlags(),
                                         QStringLiteral("real"), QString());
    QMetaObject::invokeMethod(&realWindow, "zoomOut", Qt::DirectConnection);
    save(realWindow, dir.filePath(QStringLiteral("real.DE")));
    ASSERT_TRUE(saveDE20File(dir.filePath(QStringLiteral("reference.de")), real));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("real.DE"))),
              fileBytes(dir.filePath(QStringLiteral("reference.de"))));

    EXPECT_EQ(dialogsRun, 0);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ElementFileSaveTest, AFailedWriteIsReportedWithTheFileAndKeepsTheSaveFolder)
{
    auto w = std::make_unique<qComplexDataGrscMapWidget>(numberedField(2, 2), 1, nullptr,
                                                         "new window", Qt::WindowFlags(),
                                                         QStringLiteral("c"), QString());
    theSettings.saveFileDir = "/start/folder";
    const QString missing = dir.filePath(QStringLiteral("no such folder/field"));
    save(*w, missing);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("ERROR !"));
    EXPECT_EQ(messages.messages()[0].text,
              QStringLiteral("Error when opening the file for writing\n") + missing
                  + QStringLiteral(".de"));
    EXPECT_EQ(theSettings.saveFileDir, "/start/folder");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    messages.clear();

    // A write that fails on the way keeps the old file; only a written file moves the folder.
    const QuestionRunner previousQuestion = setQuestionRunner(
        [](const QString&, const QString&, QuestionButton) { return QuestionButton::Yes; });
    QString target;
    expectFailedWritesKeepTheOldFile(
        QStringLiteral("field.de"),
        [&](const QString& folder) {
            target = folder + QStringLiteral("/field.de");
            save(*w, folder + QStringLiteral("/field"));
            return messages.messages().empty();
        },
        [&] {
            ASSERT_EQ(messages.messages().size(), 1u);
            EXPECT_EQ(messages.messages()[0].text,
                      QStringLiteral("Error when writing the file\n") + target);
            EXPECT_EQ(theSettings.saveFileDir, "/start/folder");
            messages.clear();
        });
    setQuestionRunner(previousQuestion);
    save(*w, dir.filePath(QStringLiteral("written")));
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(theSettings.saveFileDir, QDir(dir.path()).absolutePath().toStdString());
}

} // namespace
