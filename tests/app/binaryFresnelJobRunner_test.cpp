// The binary Fresnel job runner of the main window: the written 1-bit mask and its name, and
// every ERROR line of the log with no file written.
#include "app/QDOEMainWindow.h"

#include "base/Logfile.h"
#include "base/phasedeckGlobals.h"
#include "support/fileSystemFaults.h"
#include "support/messageRecorder.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace {

class BinaryFresnelJobRunnerTest : public testing::Test
{
protected:
    // The log file appears in the working directory at the first ERROR line.
    static void SetUpTestSuite()
    {
        logDir = new QTemporaryDir;
        previousCwd = QDir::currentPath();
        QDir::setCurrent(logDir->path());
    }
    static void TearDownTestSuite()
    {
        QDir::setCurrent(previousCwd);
        delete logDir;
        logDir = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedOptics = opticalParameters;
        window = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
    }
    void TearDown() override
    {
        window.reset();
        opticalParameters = savedOptics;
    }

    static QStringList logLines()
    {
        QFile file(QDir(logDir->path()).filePath(QString::fromStdString(theLogfile.logFileName())));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void writeJob(const QString& name, const char* text)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // A 3 x 2 element, lines from the top: 1 0 1 and 0 0 1 (1 = white).
    void writeElement(const QString& name)
    {
        QImage image(3, 2, QImage::Format_Mono);
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        const int bits[2][3] = {{1, 0, 1}, {0, 0, 1}};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                image.setPixel(x, y, uint(bits[y][x]));
        ASSERT_TRUE(image.save(path(name)));
    }

    QStringList resultFiles() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("*_pixSize_*")}, QDir::Files);
    }

    // Runs the job and returns the message lines it added to the log (the log's opening lines
    // left out).
    QStringList run(const QString& jobFile)
    {
        const int before = int(logLines().size());
        window->runCJ_BINARY_FRESNEL(jobFile);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(messages.messages().empty());
        QStringList added = logLines().mid(before);
        added.removeIf([](const QString& line) {
            return line.startsWith(QLatin1String("Logfile "))
                   || line.startsWith(QLatin1String("Application started: "));
        });
        return added;
    }

    static QTemporaryDir* logDir;
    static QString previousCwd;

    QTemporaryDir dir;
    MessageRecorder messages;
    std::unique_ptr<QDOEMainWindow> window;
    OpticalParameters savedOptics{};
};

QTemporaryDir* BinaryFresnelJobRunnerTest::logDir = nullptr;
QString BinaryFresnelJobRunnerTest::previousCwd;

TEST_F(BinaryFresnelJobRunnerTest, WritesTheMaskOfElementLensAndAperture)
{
    writeElement(QStringLiteral("grating.png"));
    // 10 x 10 cells of 10 um in an aperture of radius 5.25 cells; zone number 0.17 n^2 for a
    // cell n cells from the centre.
    writeJob(QStringLiteral("job.txt"), "# binary Fresnel lens on a small grating\n"
                                        "ELEMENT\n"
                                        " grating.png\n"
                                        "WAVELENGTH [nm]\n"
                                        "500\n"
                                        "% lens power 850 per metre\n"
                                        "LENS_POWER [1/m]\n"
                                        "850\n"
                                        "PIX_SIZE   [nm]\n"
                                        "10000\n"
                                        "\tAPERTURE_DIAMETER [mm]\n"
                                        "0.105\n");
    EXPECT_TRUE(run(path(QStringLiteral("job.txt"))).isEmpty());
    ASSERT_EQ(resultFiles(), QStringList{QStringLiteral("grating_pixSize_10000nm.png")});

    QImage result(path(QStringLiteral("grating_pixSize_10000nm.png")));
    ASSERT_EQ(result.depth(), 1);
    ASSERT_EQ(result.size(), QSize(10, 10));
    // Image lines from the top ('#' white, '.' black); mask row 0 is the bottom line.
    const char* expected[10] = {
        "####.#.###", "#..##....#", "####.#.###", "#..#.##..#", ".....#....",
        "#..#.##..#", "####.#.###", "#..##....#", "####.#.###", "####.#####",
    };
    for (int y = 0; y < 10; ++y) {
        QString line;
        for (int x = 0; x < 10; ++x)
            line += qGray(result.pixel(x, y)) == 255 ? QLatin1Char('#') : QLatin1Char('.');
        EXPECT_EQ(line, QString::fromLatin1(expected[y])) << "image line " << y;
    }
}

TEST_F(BinaryFresnelJobRunnerTest, FailedMaskWriteKeepsTheOldMaskAndIsLogged)
{
    writeElement(QStringLiteral("grating.png"));
    writeJob(QStringLiteral("job.txt"), "ELEMENT\ngrating.png\nWAVELENGTH [nm]\n500\n"
                                        "LENS_POWER [1/m]\n850\nPIX_SIZE [nm]\n10000\n"
                                        "APERTURE_DIAMETER [mm]\n0.105\n");
    const QString result = path(QStringLiteral("grating_pixSize_10000nm.png"));
    {
        QFile old(result);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an earlier mask");
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    const replacingFileFault faults[] = {replacingFileFault::atFlush, replacingFileFault::atClose};
    for (const replacingFileFault fault : faults) {
        const ReplacementFaultScope scope(fault);
        const QStringList lines = run(path(QStringLiteral("job.txt")));
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines[0].section(QLatin1Char('\t'), 1),
                  QStringLiteral("ERROR: \tWriting the result image failed in "
                                 "QDOEMainWindow::runCJ_BINARY_FRESNEL."));
        QFile kept(result);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("an earlier mask"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);
    }
}

TEST_F(BinaryFresnelJobRunnerTest, UsesTheWindowPitchAndAFolderRelativeName)
{
    writeElement(QStringLiteral("tile.v1.png"));
    writeJob(QStringLiteral("job.txt"), "ELEMENT\ntile.v1.png\nAPERTURE_DIAMETER [mm]\n0.08\n");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QStringList lines = run(QStringLiteral("job.txt"));
    QDir::setCurrent(previous);
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_EQ(resultFiles(), QStringList{QStringLiteral("tile_pixSize_8000nm.png")});
    EXPECT_EQ(QImage(path(QStringLiteral("tile_pixSize_8000nm.png"))).size(), QSize(10, 10));
}

TEST_F(BinaryFresnelJobRunnerTest, EveryFailureLogsOneErrorLineAndWritesNoFile)
{
    writeElement(QStringLiteral("grating.png"));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("grating.png")), path(QStringLiteral("old.DE"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    ASSERT_EQ(::mkfifo(path(QStringLiteral("pipe.txt")).toLocal8Bit().constData(), 0600), 0);

    const std::string tail = " in QDOEMainWindow::runCJ_BINARY_FRESNEL. Aborting function.";
    const char* good = "ELEMENT\ngrating.png\nAPERTURE_DIAMETER [mm]\n0.1\n";
    struct Case
    {
        const char* name;
        const char* jobFile;
        std::string text; // empty: the job file is not written
        std::string message;
    };
    const std::vector<Case> cases = {
        {"missing job file", "none.txt", "", "Jobfile not found" + tail},
        {"directory as job file", "folder.txt", "", "Read access to Jobfile failed" + tail},
        {"FIFO as job file", "pipe.txt", "", "Read access to Jobfile failed" + tail},
        {"comments and empty lines only", "comments.txt", "# job\n\n   % none\n\t\n",
         "Aperture diameter is zero" + tail},
        {"wavelength 0", "w0.txt", std::string(good) + "WAVELENGTH [nm]\nzero\n",
         "Wavelength is zero" + tail},
        {"missing element", "noelement.txt", "ELEMENT\nabsent.png\nAPERTURE_DIAMETER [mm]\n1\n",
         "No DOE data found" + tail},
        {"element of the other format after an image", "de.txt",
         std::string(good) + "ELEMENT\nold.DE\n", "No DOE data found" + tail},
        {"pitch 0", "p0.txt", std::string(good) + "PIX_SIZE [nm]\n0\n",
         "Pixel sizes not properly defined" + tail},
        {"negative pitch", "pneg.txt", std::string(good) + "LAYOUT_PIXEL_SIZE [nm]\n-8000\n",
         "Pixel sizes not properly defined" + tail},
        {"negative aperture", "aneg.txt", "ELEMENT\ngrating.png\nAPERTURE_DIAMETER [mm]\n-1\n",
         "Aperture diameter is negative or not finite" + tail},
        {"infinite aperture", "ainf.txt", "ELEMENT\ngrating.png\nAPERTURE_DIAMETER [mm]\ninf\n",
         "Aperture diameter is negative or not finite" + tail},
        {"negative wavelength", "wneg.txt", std::string(good) + "WAVELENGTH [nm]\n-633\n",
         "Wavelength is negative or not finite" + tail},
        {"wavelength not a number", "wnan.txt", std::string(good) + "WAVELENGTH [nm]\nnan\n",
         "Wavelength is negative or not finite" + tail},
        {"grid of 25000 columns", "grid.txt",
         "ELEMENT\ngrating.png\nAPERTURE_DIAMETER [mm]\n200\nPIX_SIZE [nm]\n8000\n",
         "Grid larger than 16384 x 16384 pixels" + tail},
        {"aperture smaller than a pixel: an empty grid", "small.txt",
         "ELEMENT\ngrating.png\nAPERTURE_DIAMETER [mm]\n0.001\n",
         "Aperture diameter smaller than the pixel size (empty grid)" + tail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString jobFile = path(QString::fromLatin1(c.jobFile));
        if (!c.text.empty())
            writeJob(QString::fromLatin1(c.jobFile), c.text.c_str());
        const QStringList lines = run(jobFile);
        ASSERT_EQ(lines.size(), 1) << lines.join(QLatin1Char('\n')).toStdString();
        const QStringList fields = lines[0].split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 3);
        EXPECT_EQ(fields[1], QStringLiteral("ERROR: "));
        EXPECT_EQ(fields[2].toStdString(), c.message);
        EXPECT_TRUE(resultFiles().isEmpty()) << resultFiles().join(' ').toStdString();
    }
}

} // namespace
