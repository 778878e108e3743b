// Saving the displayed full-screen bitmap through the file dialog and question seams: filters,
// extension rules, the overwrite loop and the written files.
#include "views/qFullScreenFieldWidget.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "fieldio/grayImages.h"
#include "support/fileSystemFaults.h"
#include "support/messageRecorder.h"
#include "views/saveFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace {

QImage patternCell(int w, int h, bool twoLevels)
{
    QImage image = createPhaseImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.scanLine(y)[x]
                = twoLevels ? ((x + y) % 2 ? 200 : 20) : static_cast<unsigned char>(5 * x + 9 * y);
    return image;
}

TEST(SaveFileName, ExtensionByFilter)
{
    struct Row
    {
        const char* name;
        const QString& filter;
        const char* expected;
    } rows[] = {
        {"/d/a", pngFileFilter, "/d/a.png"},
        {"/d/a.PnG", pngFileFilter, "/d/a.PnG"},
        {"/d/a.png.txt", pngFileFilter, "/d/a.png.txt.png"},
        {"/d/a", bmpFileFilter, "/d/a.bmp"},
        {"/d/a.BMP", bmpFileFilter, "/d/a.BMP"},
        {"/d/a.png", bmpFileFilter, "/d/a.png.bmp"},
        {"/d/a", asciiFileFilter, "/d/a.dat"},
        {"/d/a.TXT", asciiFileFilter, "/d/a.TXT"},
        {"/d/a.Dat", asciiFileFilter, "/d/a.Dat"},
        {"/d/a.png", asciiFileFilter, "/d/a.png.dat"},
        {"/d/a", deFileFilter, "/d/a.de"},
        {"/d/a.DE", deFileFilter, "/d/a.DE"},
        {"/d/a", QString(), "/d/a"},
        {"", pngFileFilter, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(withFilterExtension(QString::fromUtf8(row.name), row.filter),
                  QString::fromUtf8(row.expected));
    }
}

class FullScreenSaveTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedFolder = theSettings.saveFileDir;
        savedW = theSettings.fullScreenWidth;
        savedH = theSettings.fullScreenHeight;
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        theSettings.saveFileDir = "/start/folder";
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
        setSaveFileDialogRunner([this](const FileDialogRequest& r) {
            requests.push_back(r);
            FileDialogResult result;
            if (!answers.empty()) {
                result = answers.front();
                answers.pop_front();
            }
            return result;
        });
        setQuestionRunner(
            [this](const QString& caption, const QString& text, QuestionButton defaultButton) {
                questions.push_back(caption + "|" + text);
                defaults.push_back(defaultButton);
                // No answer left: the user presses Return, which takes the default.
                QuestionButton answer = defaultButton;
                if (!yesNo.empty()) {
                    answer = yesNo.front() ? QuestionButton::Yes : QuestionButton::No;
                    yesNo.pop_front();
                }
                return answer;
            });
    }
    void TearDown() override
    {
        setSaveFileDialogRunner(nullptr);
        setQuestionRunner(nullptr);
        theSettings.saveFileDir = savedFolder;
        theSettings.fullScreenWidth = savedW;
        theSettings.fullScreenHeight = savedH;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void answer(const QString& name, const QString& filter)
    {
        answers.push_back({name.isEmpty() ? QString() : path(name), filter});
    }

    std::unique_ptr<qFullScreenFieldWidget> window(bool twoLevels)
    {
        return std::make_unique<qFullScreenFieldWidget>(
            nullptr, "new window", Qt::Window, QStringLiteral("p"), patternCell(30, 20, twoLevels));
    }

    static void save(qFullScreenFieldWidget* w)
    {
        w->findChild<QToolButton*>(QStringLiteral("saveButton"))->click();
    }

    static QImage asRgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

    QTemporaryDir dir;
    std::deque<FileDialogResult> answers;
    std::vector<FileDialogRequest> requests;
    std::deque<bool> yesNo;
    std::vector<QString> questions;
    std::vector<QuestionButton> defaults;
    std::string savedFolder;
    int savedW = 0, savedH = 0;
    MessageRecorder recorder;
};

TEST_F(FullScreenSaveTest, DialogStartsInTheSaveFolderWithTheThreeFilters)
{
    auto w = window(false);
    save(w.get()); // no answer: cancelled
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].caption, QStringLiteral("Select Filename"));
    EXPECT_EQ(requests[0].folder, QStringLiteral("/start/folder"));
    EXPECT_EQ(requests[0].filters,
              QStringLiteral("Portable Network Graphics File(*.png);;Bitmap File(*.bmp);;"
                             "ASCII Data(*.dat)"));
    EXPECT_EQ(theSettings.saveFileDir, "/start/folder") << "a cancelled dialog keeps the folder";
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(FullScreenSaveTest, PngAndBmpHoldTheDisplayedBitmap)
{
    struct Row
    {
        const char* typed;
        const QString& filter;
        const char* written;
        bool twoLevels;
        int depth; // of the written file
    } rows[] = {
        {"plain", pngFileFilter, "plain.png", false, 8},
        {"Mixed.PnG", pngFileFilter, "Mixed.PnG", false, 8},
        {"two", pngFileFilter, "two.png", true, 1},
        {"bitmap", bmpFileFilter, "bitmap.bmp", false, 8},
        {"twobmp.BMP", bmpFileFilter, "twobmp.BMP", true, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        auto w = window(row.twoLevels);
        // Change the display first: what is saved is what is shown.
        w->findChild<QToolButton*>(QStringLiteral("invertButton"))->click();
        answer(QString::fromUtf8(row.typed), row.filter);
        save(w.get());
        const QString file = path(QString::fromUtf8(row.written));
        ASSERT_TRUE(QFileInfo::exists(file)) << file.toStdString();
        const QImage written(file);
        EXPECT_EQ(written.depth(), row.depth);
        EXPECT_EQ(asRgb(written), asRgb(w->displayedBitmap()));
        EXPECT_EQ(theSettings.saveFileDir, QDir(dir.path()).absolutePath().toStdString());
    }
    EXPECT_TRUE(questions.empty());
}

TEST_F(FullScreenSaveTest, AsciiWritesTheDisplayedRedValuesBottomLineFirst)
{
    struct Row
    {
        const char* typed;
        const char* written;
    } rows[] = {{"values", "values.dat"}, {"values.TXT", "values.TXT"}, {"v.png", "v.png.dat"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        auto w = window(false);
        answer(QString::fromUtf8(row.typed), asciiFileFilter);
        save(w.get());
        QFile file(path(QString::fromUtf8(row.written)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        ASSERT_GE(lines.size(), 4 + 1080);
        EXPECT_EQ(lines[0], QStringLiteral("# ") + QString::fromStdString(fullApplicationName)
                                + QStringLiteral(": ASCII Export of image"));
        EXPECT_EQ(lines[1], QStringLiteral("# Pixel number in x direction 1920"));
        EXPECT_EQ(lines[2], QStringLiteral("# Pixel number in y direction 1080"));
        const QImage& shown = w->displayedBitmap();
        const QStringList bottom = lines[3].split('\t');
        const QStringList top = lines[3 + 1079].split('\t');
        for (int x : {0, 1, 960, 1919}) {
            EXPECT_EQ(bottom[x].toInt(), qRed(shown.pixel(x, 1079))) << x;
            EXPECT_EQ(top[x].toInt(), qRed(shown.pixel(x, 0))) << x;
        }
    }
}

TEST_F(FullScreenSaveTest, OverwriteNeedsYes)
{
    QFile existing(path("taken.png"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    auto w = window(false);

    // "No" reopens the dialog, which then gets another name.
    yesNo = {false};
    answer("taken", pngFileFilter);
    answer("other", pngFileFilter);
    save(w.get());
    ASSERT_EQ(requests.size(), 2u);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QStringLiteral("Confirm file overwrite|File exists! Overwrite ?"));
    QFile old(path("taken.png"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    old.close();
    EXPECT_TRUE(QFileInfo::exists(path("other.png")));

    // "Yes" overwrites.
    yesNo = {true};
    answer("taken.png", pngFileFilter);
    save(w.get());
    EXPECT_EQ(asRgb(QImage(path("taken.png"))), asRgb(w->displayedBitmap()));

    // "No", then cancel: nothing new.
    questions.clear();
    yesNo = {false};
    answer("other", pngFileFilter);
    answer(QString(), pngFileFilter);
    const QDateTime before = QFileInfo(path("other.png")).lastModified();
    save(w.get());
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(QFileInfo(path("other.png")).lastModified(), before);
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(FullScreenSaveTest, WriteProtectedFileAsksForAnotherName)
{
    QFile locked(path("locked.dat"));
    ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
    locked.write("keep");
    locked.close();
    locked.setPermissions(QFileDevice::ReadOwner);
    if (QFileInfo(path("locked.dat")).isWritable())
        GTEST_SKIP() << "this user may write any file";
    auto w = window(false);
    answer("locked", asciiFileFilter);
    answer(QString(), asciiFileFilter);
    save(w.get());
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_TRUE(questions.empty());
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("INFO"));
    EXPECT_EQ(recorder.messages()[0].text,
              QStringLiteral("File exists and is write-protected.\n Please use a different "
                             "filename."));
}

TEST_F(FullScreenSaveTest, ReturnOnTheOverwriteQuestionKeepsTheFile)
{
    QFile existing(path("kept.png"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    auto w = window(false);
    // No scripted answer: the question gets its default, as Return gives it.
    answer("kept", pngFileFilter);
    answer(QString(), pngFileFilter);
    save(w.get());
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0], QuestionButton::No);
    EXPECT_EQ(requests.size(), 2u) << "the file dialog comes back";
    QFile kept(path("kept.png"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
}

TEST_F(FullScreenSaveTest, FailedWriteIsReportedOnceAndKeepsTheSaveFolder)
{
    // A name under a regular file cannot be created, not even by root.
    QFile plain(path("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("readonly"));
    QFile::setPermissions(path("readonly"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool readOnlyHolds = !QFileInfo(path("readonly")).isWritable();

    struct Row
    {
        const char* typed;
        const QString& filter;
        const char* reported;
        bool needsReadOnly;
    } rows[] = {
        {"plain/p", pngFileFilter, "plain/p.png", false},
        {"plain/b", bmpFileFilter, "plain/b.bmp", false},
        {"plain/a", asciiFileFilter, "plain/a.dat", false},
        {"readonly/p", pngFileFilter, "readonly/p.png", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        if (row.needsReadOnly && !readOnlyHolds)
            continue; // this user may write into any folder
        recorder.clear();
        theSettings.saveFileDir = "/start/folder";
        auto w = window(false);
        answer(QString::fromUtf8(row.typed), row.filter);
        save(w.get());
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("ERROR !"));
        EXPECT_EQ(recorder.messages()[0].text,
                  QStringLiteral("Writing file failed !\n") + path(row.reported));
        EXPECT_EQ(theSettings.saveFileDir, "/start/folder");
        EXPECT_FALSE(QFileInfo::exists(path(row.reported)));
    }
    QFile::setPermissions(path("readonly"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(FullScreenSaveTest, FifoCountsAsWriteProtectedAndIsNeverOpened)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.png")).constData(), 0600), 0);
    auto w = window(false);
    answer("pipe", pngFileFilter);
    answer(QString(), pngFileFilter);
    save(w.get()); // opening the FIFO for writing would wait for a reader for ever
    EXPECT_TRUE(questions.empty());
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text,
              QStringLiteral("File exists and is write-protected.\n Please use a different "
                             "filename."));
    EXPECT_EQ(requests.size(), 2u);
}

TEST_F(FullScreenSaveTest, FailedSaveKeepsTheOldFileAndTheSaveFolder)
{
    const struct
    {
        const char* name;
        const QString& filter;
    } rows[] = {{"p.png", pngFileFilter}, {"b.bmp", bmpFileFilter}, {"a.dat", asciiFileFilter}};
    auto w = window(false);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        expectFailedSavesReportTheFile(
            QString::fromLatin1(row.name), recorder,
            [&](const QString& target) {
                answers.push_back({target, row.filter});
                yesNo.push_back(true);
                save(w.get());
            },
            [] { EXPECT_EQ(theSettings.saveFileDir, "/start/folder"); });
    }
}

TEST_F(FullScreenSaveTest, DeclinedOverwriteAndCancelKeepTheSaveFolder)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("declined")));
    QFile existing(path(QStringLiteral("declined/p.png")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();
    auto w = window(false);
    answer(QStringLiteral("declined/p.png"), pngFileFilter);
    yesNo.push_back(false);
    answer(QString(), pngFileFilter); // then Cancel
    save(w.get());
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(theSettings.saveFileDir, "/start/folder");
    // Only the file that was written moves it.
    answer(QStringLiteral("declined/q.png"), pngFileFilter);
    save(w.get());
    EXPECT_EQ(theSettings.saveFileDir,
              QDir(path(QStringLiteral("declined"))).absolutePath().toStdString());
    EXPECT_TRUE(recorder.messages().empty());
}

} // namespace
