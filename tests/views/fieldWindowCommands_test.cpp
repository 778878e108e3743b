// Field window commands: save names and extensions, the export choice and its memory, the PNG,
// BMP and ASCII outputs against the exporters, the replicated full-screen view, the interpolated
// view's message and the far-field propagation.
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialog_twoOptionsImpl.h"
#include "dialogs/dialogSeams.h"
#include "fieldio/asciiExport.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/imageColours.h"
#include "support/openWindows.h"
#include "support/fileSystemFaults.h"
#include "support/messageRecorder.h"
#include "tests/views/fieldWindowTestFields.h"
#include "views/qFullScreenFieldWidget.h"
#include "views/saveFileName.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ExportDialogSeen
{
    QString caption, group, first, second;
    bool secondChecked = false;
};

class FieldWindowCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedSaveDir = theSettings.saveFileDir;
        theSettings.saveFileDir = dir.path().toStdString();
        previousSave = setSaveFileDialogRunner([this](const FileDialogRequest& r) {
            requests.push_back(r);
            FileDialogResult result;
            if (!answers.empty()) {
                result = answers.front();
                answers.pop_front();
            }
            return result;
        });
        previousDialog = setDialogRunner([this](QDialog& d) {
            auto* choice = qobject_cast<dialog_twoOptionsImpl*>(&d);
            if (!choice)
                return int(QDialog::Rejected);
            ExportDialogSeen seen;
            seen.caption = choice->windowTitle();
            seen.group = choice->buttonGroup1->title();
            seen.first = choice->radioButton1->text();
            seen.second = choice->radioButton2->text();
            seen.secondChecked = choice->radioButton2->isChecked();
            exportDialogs.push_back(seen);
            (pickZoomed ? choice->radioButton2 : choice->radioButton1)->setChecked(true);
            return acceptChoice ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
        previousQuestion
            = setQuestionRunner([this](const QString&, const QString&, QuestionButton) {
                  ++questions;
                  return QuestionButton::Yes;
              });
        setRememberedChoice(false);
    }
    void TearDown() override
    {
        setSaveFileDialogRunner(previousSave);
        setDialogRunner(previousDialog);
        setQuestionRunner(previousQuestion);
        theSettings.saveFileDir = savedSaveDir;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void answer(const QString& name, const QString& filter)
    {
        FileDialogResult r;
        r.fileName = path(name);
        r.selectedFilter = filter;
        answers.push_back(r);
    }

    // Sets the process-wide export choice through one cancelled export of a zoomed window.
    void setRememberedChoice(bool zoomed)
    {
        auto w = realWindow(indexedRealField(4, 4));
        invoke(*w, "zoomIn");
        answer(QStringLiteral("choice.png"), pngFileFilter);
        const bool keep = acceptChoice;
        pickZoomed = zoomed;
        acceptChoice = false;
        invoke(*w, "saveDataToFile");
        acceptChoice = keep;
        pickZoomed = false;
        exportDialogs.clear();
        requests.clear();
    }

    void save(qComplexDataGrscMapWidget& w, const QString& name, const QString& filter)
    {
        answer(name, filter);
        invoke(w, "saveDataToFile");
    }

    QTemporaryDir dir;
    std::string savedSaveDir;
    FileDialogRunner previousSave;
    DialogRunner previousDialog;
    QuestionRunner previousQuestion;
    std::deque<FileDialogResult> answers;
    std::vector<FileDialogRequest> requests;
    std::vector<ExportDialogSeen> exportDialogs;
    bool pickZoomed = false;
    bool acceptChoice = true;
    int questions = 0;
};

TEST_F(FieldWindowCommandsTest, SaveStartFromTheCaption)
{
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    const QString existing = other.filePath(QStringLiteral("keep me"));
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString save = QStringLiteral("/save/here");
    struct Case
    {
        const char* name;
        QString caption;
        QString start;
    };
    const Case cases[] = {
        {"upper-case ending and a blank", QStringLiteral("/pics/My image.PNG"),
         QStringLiteral("/save/here/My_image")},
        {"blank in a folder stays", QStringLiteral("/my pics/a b.jpeg"),
         QStringLiteral("/save/here/a_b")},
        {"text ending is cut", QStringLiteral("/x/data.TXT"), QStringLiteral("/save/here/data")},
        {"unknown ending is kept", QStringLiteral("/x/shot.tiff"),
         QStringLiteral("/save/here/shot.tiff")},
        {"only one ending is cut", QStringLiteral("pattern.dat.de"),
         QStringLiteral("/save/here/pattern.dat")},
        {"description", QStringLiteral("Clipboard image (1)"),
         QStringLiteral("/save/here/Clipboard_image_(1)")},
        {"existing file is suggested unchanged", existing + QStringLiteral(".png"), existing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fieldWindowSaveStart(c.caption, save), c.start);
    }
    EXPECT_EQ(fieldWindowSaveStart(QStringLiteral("/a/b c.gif"), QString()), QStringLiteral("b_c"));
    EXPECT_EQ(fieldWindowSaveStart(QStringLiteral("/a/b.gif"), QStringLiteral("/s/")),
              QStringLiteral("/s/b"));
}

TEST_F(FieldWindowCommandsTest, SaveDialogRequestAndFilters)
{
    auto w = realWindow(indexedRealField(4, 3), QStringLiteral("/pics/My image.PNG"));
    invoke(*w, "saveDataToFile"); // cancelled
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].caption, QStringLiteral("Select Filename"));
    EXPECT_EQ(requests[0].folder, dir.path() + QStringLiteral("/My_image"));
#if PHASEDECK_LAB
    EXPECT_EQ(requests[0].filters,
              QStringLiteral("Portable Network Graphics File(*.png);;Bitmap File(*.bmp);;"
                             "Diffractive Element File(*.de);;ASCII Data(*.dat)"));
#else
    EXPECT_EQ(requests[0].filters,
              QStringLiteral("Portable Network Graphics File(*.png);;Bitmap File(*.bmp);;ASCII "
                             "Data(*.dat)"));
#endif
    EXPECT_EQ(requests[0].selectedFilter, pngFileFilter);
    EXPECT_TRUE(exportDialogs.empty());
}

TEST_F(FieldWindowCommandsTest, ExtensionsByFilter)
{
    struct Case
    {
        const char* typed;
        QString filter;
        const char* written;
    };
    const Case cases[] = {
        {"plain", asciiFileFilter, "plain.dat"},       {"table.TXT", asciiFileFilter, "table.TXT"},
        {"values.Dat", asciiFileFilter, "values.Dat"}, {"picture", pngFileFilter, "picture.png"},
        {"upper.PNG", pngFileFilter, "upper.PNG"},     {"bitmap", bmpFileFilter, "bitmap.bmp"},
        {"wrong.png", bmpFileFilter, "wrong.png.bmp"},
    };
    auto w = realWindow(indexedRealField(4, 3));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        save(*w, QString::fromLatin1(c.typed), c.filter);
        EXPECT_TRUE(QFile::exists(path(QString::fromLatin1(c.written))));
    }
    EXPECT_EQ(theSettings.saveFileDir, dir.path().toStdString());
}

TEST_F(FieldWindowCommandsTest, OverwriteNeedsYesAndCancelSavesNothing)
{
    auto w = realWindow(indexedRealField(4, 3));
    save(*w, QStringLiteral("twice.png"), pngFileFilter);
    EXPECT_EQ(questions, 0);
    save(*w, QStringLiteral("twice"), pngFileFilter);
    EXPECT_EQ(questions, 1);

    theSettings.saveFileDir = "/elsewhere";
    invoke(*w, "saveDataToFile");
    EXPECT_EQ(theSettings.saveFileDir, "/elsewhere");
}

TEST_F(FieldWindowCommandsTest, UnzoomedWindowSavesTheWholeFieldWithoutAsking)
{
    auto field = indexedRealField(7, 5);
    auto w = realWindow(field);
    save(*w, QStringLiteral("field.png"), pngFileFilter);
    save(*w, QStringLiteral("field.bmp"), bmpFileFilter);
    save(*w, QStringLiteral("field.dat"), asciiFileFilter);
    EXPECT_TRUE(exportDialogs.empty());

    const QImage expected = reduceImageDepth(dataField2DToImageAutoRange(field, 256));
    ASSERT_TRUE(expected.save(path(QStringLiteral("ref.png")), "PNG", -1));
    ASSERT_TRUE(expected.save(path(QStringLiteral("ref.bmp")), "BMP", 100));
    ASSERT_TRUE(exportDataField2DAscii(path(QStringLiteral("ref.dat")), field));
    for (const char* ending : {".png", ".dat"}) {
        SCOPED_TRACE(ending);
        const QByteArray written = fileBytes(path(QStringLiteral("field") + ending));
        EXPECT_FALSE(written.isEmpty());
        EXPECT_EQ(written, fileBytes(path(QStringLiteral("ref") + ending)));
    }
    // Bitmap lines carry padding bytes, so the decoded images are compared.
    const QImage bitmap(path(QStringLiteral("field.bmp")));
    EXPECT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap, QImage(path(QStringLiteral("ref.bmp"))));
}

TEST_F(FieldWindowCommandsTest, ComplexWindowSavesItsDisplayModeOfTheWholeField)
{
    auto field = indexedComplexField(8, 4);
    auto w = complexWindow(field, displayImaginaryPart);
    save(*w, QStringLiteral("complex.png"), pngFileFilter);
    save(*w, QStringLiteral("complex.dat"), asciiFileFilter);
    const QImage expected
        = reduceImageDepth(complexDataField2DToImage(field, displayImaginaryPart, 256));
    ASSERT_TRUE(expected.save(path(QStringLiteral("ref.png")), "PNG", -1));
    ASSERT_TRUE(exportComplexDataField2DAscii(path(QStringLiteral("ref.dat")), field,
                                              displayImaginaryPart));
    EXPECT_EQ(fileBytes(path(QStringLiteral("complex.png"))),
              fileBytes(path(QStringLiteral("ref.png"))));
    EXPECT_EQ(fileBytes(path(QStringLiteral("complex.dat"))),
              fileBytes(path(QStringLiteral("ref.dat"))));
}

TEST_F(FieldWindowCommandsTest, ZoomedWindowAsksAndWritesTheDisplayedImage)
{
    MessageRecorder messages;
    auto field = indexedRealField(10, 6);
    field->setPixelSize(2e-6, 3e-6);
    auto w = realWindow(field);
    invoke(*w, "zoomIn");
    ASSERT_EQ(w->displayedSize(), QSize(12, 7));
    pickZoomed = true;
    save(*w, QStringLiteral("zoomed.dat"), asciiFileFilter);
    save(*w, QStringLiteral("zoomed.bmp"), bmpFileFilter);

    ASSERT_EQ(exportDialogs.size(), 2u);
    EXPECT_EQ(exportDialogs[0].caption, QStringLiteral("Select data export option"));
    EXPECT_EQ(exportDialogs[0].group, QStringLiteral("Export"));
    EXPECT_EQ(exportDialogs[0].first, QStringLiteral("Original data"));
    EXPECT_EQ(exportDialogs[0].second, QStringLiteral("Zoomed data"));
    EXPECT_FALSE(exportDialogs[0].secondChecked);
    EXPECT_TRUE(exportDialogs[1].secondChecked);

    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("INFO"));
    EXPECT_EQ(messages.messages()[0].text,
              QStringLiteral("Saved data is taken from interpolated field values,\nan array of "
                             "12 x 7 data points."));

    // A displayed pixel covers 1 / zoom of a field pixel.
    const double zoom = w->zoomFactor();
    ASSERT_TRUE(exportImageAscii(path(QStringLiteral("ref.dat")), w->displayedImage(), 2e-6 / zoom,
                                 3e-6 / zoom));
    ASSERT_TRUE(
        reduceImageDepth(w->displayedImage()).save(path(QStringLiteral("ref.bmp")), "BMP", 100));
    EXPECT_EQ(fileBytes(path(QStringLiteral("zoomed.dat"))),
              fileBytes(path(QStringLiteral("ref.dat"))));
    const QImage bitmap(path(QStringLiteral("zoomed.bmp")));
    EXPECT_EQ(bitmap.size(), QSize(12, 7));
    EXPECT_EQ(bitmap, QImage(path(QStringLiteral("ref.bmp"))));
    EXPECT_TRUE(fileBytes(path(QStringLiteral("zoomed.dat"))).contains("1.5874e-06"));
}

TEST_F(FieldWindowCommandsTest, CancelledChoiceSavesNothingButIsRemembered)
{
    auto w = realWindow(indexedRealField(10, 6));
    invoke(*w, "zoomOut");
    pickZoomed = true;
    acceptChoice = false;
    save(*w, QStringLiteral("none.png"), pngFileFilter);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("none.png"))));

    pickZoomed = false;
    acceptChoice = true;
    save(*w, QStringLiteral("original.png"), pngFileFilter);
    ASSERT_EQ(exportDialogs.size(), 2u);
    EXPECT_FALSE(exportDialogs[0].secondChecked);
    EXPECT_TRUE(exportDialogs[1].secondChecked);
    // "Original data" writes the whole field, not the 7 x 4 display.
    EXPECT_EQ(QImage(path(QStringLiteral("original.png"))).size(), QSize(10, 6));
}

TEST_F(FieldWindowCommandsTest, ShrunkWindowAsksEvenAtZoomOne)
{
    const bool shrink = theSettings.autoShrinkFieldWindows;
    theSettings.autoShrinkFieldWindows = true;
    auto w = complexWindow(indexedComplexField(900, 10), displayRealPart);
    theSettings.autoShrinkFieldWindows = shrink;
    ASSERT_NE(w->sampledSize(), w->fieldSize());
    pickZoomed = true;
    save(*w, QStringLiteral("shrunk.dat"), asciiFileFilter);
    ASSERT_EQ(exportDialogs.size(), 1u);
    // Pixel size of a displayed pixel: pitch x sampling step.
    const double step = w->samplingStep();
    ASSERT_TRUE(exportImageAscii(path(QStringLiteral("ref.dat")), w->displayedImage(),
                                 w->complexField()->getDx() * step,
                                 w->complexField()->getDy() * step));
    EXPECT_EQ(fileBytes(path(QStringLiteral("shrunk.dat"))),
              fileBytes(path(QStringLiteral("ref.dat"))));
}

TEST_F(FieldWindowCommandsTest, FailedWritesAreReportedOnceAndKeepTheSaveFolder)
{
    // A name under a regular file cannot be created, not even by root.
    QFile plain(path(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    struct Case
    {
        const char* typed;
        QString filter;
        bool zoomed;
        int messagesBefore; // the zoomed ASCII export says what it writes first
    };
    const Case cases[] = {
        {"plain/a.png", pngFileFilter, false, 0},   {"plain/b.bmp", bmpFileFilter, false, 0},
        {"plain/c.dat", asciiFileFilter, false, 0}, {"plain/d.png", pngFileFilter, true, 0},
        {"plain/e.dat", asciiFileFilter, true, 1},
    };
    const std::string before = theSettings.saveFileDir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        MessageRecorder messages;
        auto w = complexWindow(indexedComplexField(6, 4), displayPhase);
        if (c.zoomed)
            invoke(*w, "zoomIn");
        pickZoomed = c.zoomed;
        save(*w, QString::fromUtf8(c.typed), c.filter);
        ASSERT_EQ(messages.messages().size(), size_t(c.messagesBefore + 1));
        const RecordedMessage& m = messages.messages().back();
        EXPECT_EQ(m.caption, QStringLiteral("ERROR !"));
        EXPECT_EQ(m.text, QStringLiteral("Writing file failed !\n") + path(c.typed));
        EXPECT_EQ(theSettings.saveFileDir, before);
    }
}

TEST_F(FieldWindowCommandsTest, FailedSaveKeepsTheOldFileAndTheSaveFolder)
{
    const struct
    {
        const char* name;
        const QString& filter;
    } rows[] = {{"f.png", pngFileFilter}, {"f.bmp", bmpFileFilter}, {"f.dat", asciiFileFilter}};
    auto w = complexWindow(indexedComplexField(6, 4), displayPhase);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MessageRecorder messages;
        theSettings.saveFileDir = "/start/folder";
        expectFailedSavesReportTheFile(
            QString::fromLatin1(row.name), messages,
            [&](const QString& target) {
                answers.push_back({target, row.filter});
                invoke(*w, "saveDataToFile");
            },
            [] { EXPECT_EQ(theSettings.saveFileDir, "/start/folder"); });
    }
}

TEST_F(FieldWindowCommandsTest, DeclinedOverwriteAndCancelKeepTheSaveFolder)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("declined")));
    QFile existing(path(QStringLiteral("declined/f.png")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();
    setQuestionRunner(
        [](const QString&, const QString&, QuestionButton) { return QuestionButton::No; });
    theSettings.saveFileDir = "/start/folder";
    auto w = realWindow(indexedRealField(4, 3));
    answer(QStringLiteral("declined/f.png"), pngFileFilter);
    answers.push_back(FileDialogResult()); // then Cancel
    invoke(*w, "saveDataToFile");
    EXPECT_EQ(theSettings.saveFileDir, "/start/folder");
    EXPECT_EQ(fileBytes(path(QStringLiteral("declined/f.png"))), QByteArray("kept"));
}

class FieldWindowFullScreenTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved = {theSettings.fullScreenWidth, theSettings.fullScreenHeight};
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
    }
    void TearDown() override
    {
        deleteOpenFullScreenWindows();
        theSettings.fullScreenWidth = saved.first;
        theSettings.fullScreenHeight = saved.second;
    }
    std::pair<int, int> saved;
};

TEST_F(FieldWindowFullScreenTest, ReplicatedViewTilesTheDisplayedImage)
{
    auto w = realWindow(indexedRealField(30, 20), QStringLiteral("/pics/tile.png"));
    invoke(*w, "zoomIn");
    const QImage tile = w->displayedImage();
    ASSERT_EQ(tile.size(), QSize(37, 25));
    invoke(*w, "openReplicatedFullScreenWindow");
    ASSERT_EQ(openFullScreenWindows.size(), 1u);
    qFullScreenFieldWidget* full = openFullScreenWindows[0];
    EXPECT_EQ(full->windowTitle(), QStringLiteral("Replicated full screen view of tile.png"));
    EXPECT_TRUE(full->isVisible());
    const QImage& shown = full->displayedBitmap();
    ASSERT_EQ(shown.size(), QSize(1920, 1080));
    // The tile's centre sits at the screen's centre.
    for (const QPoint p : {QPoint(0, 0), QPoint(960, 540), QPoint(1919, 1079), QPoint(77, 901)}) {
        SCOPED_TRACE(testing::Message() << p.x() << "," << p.y());
        const int tx = ((p.x() - 960 + 18) % 37 + 37) % 37;
        const int ty = ((p.y() - 540 + 12) % 25 + 25) % 25;
        EXPECT_EQ(shown.pixelIndex(p), tile.pixelIndex(tx, ty));
    }
}

TEST(FieldWindowMessages, InterpolatedViewOnlyReports)
{
    MessageRecorder messages;
    auto w = realWindow(indexedRealField(3, 3));
    const size_t before = openFullScreenWindows.size();
    invoke(*w, "openInterpolatedFullScreenWindow");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("INFO"));
    EXPECT_EQ(messages.messages()[0].text,
              QStringLiteral("FULLSCREEN_INTERPOLATE not implemented yet !"));
    EXPECT_EQ(openFullScreenWindows.size(), before);
}

TEST(FieldWindowPropagation, PlaneWavePeaksWhereTheTransformPutsIt)
{
    QDOEMainWindow main(nullptr, "new window", Qt::Window, 0, nullptr);
    theMainWindow = &main;
    auto field = boost::make_shared<complexDataField2D>(16, 8, 0);
    field->setPlaneWave(3, 1, complexFloat{1.0f, 0.0f});
    auto w = complexWindow(field, displayRealPart, QStringLiteral("wave"));
    invoke(*w, "computePropagation");
    theMainWindow = nullptr;

    const QList<QMdiSubWindow*> frames = main.workspaceArea()->subWindowList();
    ASSERT_EQ(frames.size(), 1);
    auto* far = qobject_cast<qComplexDataGrscMapWidget*>(frames[0]->widget());
    ASSERT_TRUE(far);
    EXPECT_EQ(far->shortName(), QStringLiteral("Far field propagation simulated by FFT"));
    EXPECT_EQ(far->currentMode(), displayIntensity);
    // The release edition's exp(+2 pi i jk / n) moves the wave (3, 1) to (-3, -1) = (13, 7); the
    // internal edition's exp(-2 pi i jk / n) keeps it at (3, 1). Unscaled.
    const int peakI = PHASEDECK_LAB ? 3 : 13;
    const int peakJ = PHASEDECK_LAB ? 1 : 7;
    auto spectrum = far->complexField();
    EXPECT_NEAR(spectrum->getValue(peakI, peakJ).re, 128.0f, 1e-3f);
    EXPECT_NEAR(spectrum->getValue(16 - peakI, 8 - peakJ).re, 0.0f, 1e-3f);
    // Shown centred: element (i, j) at sampled ((i + 8) % 16, (j + 4) % 8).
    EXPECT_NEAR(far->shownField()->getValue((peakI + 8) % 16, (peakJ + 4) % 8), 128.0f * 128.0f,
                0.5f);
    EXPECT_NEAR(far->rangeMaximum(displayIntensity), 128.0f * 128.0f, 0.5f);
    // The window's own field is not transformed.
    EXPECT_EQ(field->getDomainFlag(), 0);
    EXPECT_FLOAT_EQ(field->getValue(0, 0).re, 1.0f);
}

} // namespace
