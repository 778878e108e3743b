// Settings: the SLM screen choice, the settings folder, the settings file's parsing and writing.
#include "base/applicationSettings.h"

#include "support/fileSystemFaults.h"
#include "support/messageRecorder.h"

#include "base/phasedeckGlobals.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {

// ---- SLM screen choice -------------------------------------------------------------------

struct ScreenCase
{
    const char* name;
    std::vector<QRect> screens;
    int primary;
    bool useSlm;
    int slmIndex;
    QPoint origin;
};

QRect hd(int x, int y)
{
    return QRect(x, y, 1920, 1080);
}

TEST(ScreenChoice, RulesOverScreenRectangles)
{
    const ScreenCase cases[] = {
        {"no screens", {}, 0, false, 0, {}},
        {"one 1920x1080 screen", {hd(0, 0)}, 0, false, 0, {}},
        {"one 1280x1024 screen", {QRect(0, 0, 1280, 1024)}, 0, false, 0, {}},
        {"1280x1024 primary and 1920x1080",
         {QRect(0, 0, 1280, 1024), hd(1280, 0)},
         0,
         true,
         1,
         {1280, 0}},
        {"two 1920x1080, primary 0", {hd(0, 0), hd(1920, 0)}, 0, true, 1, {1920, 0}},
        {"two 1920x1080, primary 1", {hd(-1920, 0), hd(0, 0)}, 1, true, 0, {-1920, 0}},
        {"only the primary matches", {hd(0, 0), QRect(1920, 0, 1280, 1024)}, 0, true, 0, {0, 0}},
        {"one match of three",
         {QRect(0, 0, 1280, 1024), hd(1280, 0), QRect(3200, 0, 800, 600)},
         0,
         true,
         1,
         {1280, 0}},
        // Ambiguous: no SLM; index and origin name the last match.
        {"three screens, two match",
         {QRect(0, 0, 1280, 1024), hd(1280, 0), hd(3200, 100)},
         0,
         false,
         2,
         {3200, 100}},
        {"1921x1080 does not match",
         {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1921, 1080)},
         0,
         false,
         0,
         {}},
        {"1920x1079 does not match",
         {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1079)},
         0,
         false,
         0,
         {}},
    };
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SlmScreenChoice choice = chooseSlmScreen(c.screens, c.primary);
        EXPECT_EQ(choice.useSlm, c.useSlm);
        EXPECT_EQ(choice.screenIndex, c.slmIndex);
        EXPECT_EQ(choice.origin, c.origin);

        applicationSettings s;
        s.detectScreens(c.screens, c.primary);
        EXPECT_EQ(s.numScreens, int(c.screens.size()));
        EXPECT_EQ(s.primaryScreen, c.primary);
        const QRect primary = c.screens.empty() ? QRect() : c.screens[c.primary];
        EXPECT_EQ(s.primaryScreenWidth, primary.width());
        EXPECT_EQ(s.primaryScreenHeight, primary.height());
        EXPECT_EQ(s.slmOnExtendedDesktop, c.useSlm);
        EXPECT_EQ(s.slmScreenIndex, c.slmIndex);
        EXPECT_EQ(QPoint(s.slmOriginX, s.slmOriginY), c.origin);
        EXPECT_EQ(s.slmWidth, 1920);
        EXPECT_EQ(s.slmHeight, 1080);
        EXPECT_EQ(s.fullScreenWidth, 1920);
        EXPECT_EQ(s.fullScreenHeight, 1080);
    }
}

TEST(ScreenChoice, DetectingAgainReplacesAnEarlierSlm)
{
    applicationSettings s;
    s.detectScreens({QRect(0, 0, 1280, 1024), hd(1280, 0)}, 0);
    ASSERT_TRUE(s.slmOnExtendedDesktop);
    s.detectScreens({QRect(0, 0, 1280, 1024)}, 0);
    EXPECT_FALSE(s.slmOnExtendedDesktop);
    EXPECT_EQ(s.numScreens, 1);
}

TEST(ScreenChoice, PrimaryIndexOutOfRangeReadsTheFirstScreen)
{
    applicationSettings s;
    s.detectScreens({QRect(0, 0, 1280, 1024), hd(1280, 0)}, -1);
    EXPECT_EQ(s.primaryScreen, 0);
    EXPECT_EQ(s.primaryScreenWidth, 1280);
    EXPECT_TRUE(s.slmOnExtendedDesktop);
    EXPECT_EQ(s.slmScreenIndex, 1);
}

// ---- Settings folder and file ---------------------------------------------------------

// Sets or unsets an environment variable for its lifetime.
class EnvOverride
{
public:
    EnvOverride(const char* name, std::optional<QByteArray> value)
        : name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            old = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~EnvOverride()
    {
        if (old)
            qputenv(name, *old);
        else
            qunsetenv(name);
    }

private:
    const char* name;
    std::optional<QByteArray> old;
};

QString settingsTail()
{
    return QStringLiteral("/QUORVEL/") + QString::fromStdString(productTitle) + QLatin1Char(' ')
           + QString::fromStdString(deviceModel);
}

class SettingsFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appData.isValid());
        folder = appData.path() + settingsTail();
    }

    void writeSettingsFile(const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile f(folder + QStringLiteral("/settings.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readSettingsFile() const
    {
        QFile f(folder + QStringLiteral("/settings.ini"));
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return f.readAll();
    }

    QTemporaryDir appData;
    EnvOverride env{"APPDATA", appData.path().toUtf8()};
    QString folder;
};

TEST_F(SettingsFileTest, FolderLiesUnderAppData)
{
    EXPECT_EQ(QString::fromStdString(applicationSettings::settingsFolderPath()), folder);
}

TEST_F(SettingsFileTest, WithoutAppDataTheFolderLiesUnderTheUserConfiguration)
{
    QTemporaryDir config;
    EnvOverride xdg("XDG_CONFIG_HOME", config.path().toUtf8());
    {
        // A configuration folder that does not exist yet is made with the settings folder.
        EnvOverride unset("APPDATA", std::nullopt);
        EnvOverride fresh("XDG_CONFIG_HOME", (config.path() + QStringLiteral("/new")).toUtf8());
        applicationSettings s;
        s.openFileDir = "/o";
        s.writeFile();
        EXPECT_TRUE(QFile::exists(config.path() + QStringLiteral("/new") + settingsTail()
                                  + QStringLiteral("/settings.ini")));
    }
    for (const std::optional<QByteArray>& value :
         {std::optional<QByteArray>(), std::optional<QByteArray>(QByteArray())}) {
        SCOPED_TRACE(value ? "APPDATA empty" : "APPDATA unset");
        EnvOverride unset("APPDATA", value);
        EXPECT_EQ(QString::fromStdString(applicationSettings::settingsFolderPath()),
                  config.path() + settingsTail());
    }
}

TEST_F(SettingsFileTest, ParsesKeyLines)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        const char* open;
        const char* save;
    };
    const Case cases[] = {
        {"both keys", "OPEN_FILE_DIR;/data/in\nSAVE_FILE_DIR;/data/out\n", "/data/in", "/data/out"},
        {"blank padded", "   OPEN_FILE_DIR;C:/Data   \n\tSAVE_FILE_DIR;D:/x \n", "C:/Data", "D:/x"},
        {"inner white space becomes one blank", "OPEN_FILE_DIR;C:/My  Data\t\tSet\n",
         "C:/My Data Set", ""},
        {"last line wins", "OPEN_FILE_DIR;/a\nOPEN_FILE_DIR;/b\nSAVE_FILE_DIR;/c\n", "/b", "/c"},
        {"only the save key", "SAVE_FILE_DIR;/only\n", "", "/only"},
        {"unknown and lower-case lines ignored",
         "[General]\nopen_file_dir;/no\nX OPEN_FILE_DIR;/no\nOPEN_FILE_DIR=/no\n", "", ""},
        {"key without a folder", "OPEN_FILE_DIR;\nSAVE_FILE_DIR;/s\n", "", "/s"},
        {"CRLF endings and no final line feed", "OPEN_FILE_DIR;/w\r\nSAVE_FILE_DIR;/v", "/w", "/v"},
        {"UTF-8 folders", "OPEN_FILE_DIR;/home/j\xc3\xb6rg/\xce\xa9 Daten\n",
         "/home/j\xc3\xb6rg/\xce\xa9 Daten", ""},
        {"UTF-8 byte order mark", "\xef\xbb\xbfOPEN_FILE_DIR;/bom\n", "/bom", ""},
        {"empty file", "", "", ""},
        {"garbled bytes around a good line",
         QByteArray("\xff\xfe") + QByteArray(1, '\0')
             + "\x01garbage\n\x80\x81OPEN_FILE_DIR;/bad\nSAVE_FILE_DIR;/ok\n",
         "", "/ok"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettingsFile(c.file);
        applicationSettings s;
        s.settingsFolder = folder.toStdString();
        EXPECT_TRUE(s.readFile());
        EXPECT_EQ(s.openFileDir, c.open);
        EXPECT_EQ(s.saveFileDir, c.save);
    }
}

TEST_F(SettingsFileTest, UnreadableFilesReportFalseAndKeepTheFolders)
{
    struct Case
    {
        const char* name;
        void (*prepare)(const QString& folder);
    };
    const Case cases[] = {
        {"no file", [](const QString& f) { QDir().mkpath(f); }},
        {"no folder", [](const QString&) {}},
        {"settings.ini is a folder",
         [](const QString& f) { QDir().mkpath(f + QStringLiteral("/settings.ini")); }},
        {"far too large",
         [](const QString& f) {
             QDir().mkpath(f);
             QFile file(f + QStringLiteral("/settings.ini"));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("OPEN_FILE_DIR;/huge\n");
             ASSERT_TRUE(file.resize(8 << 20));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const QString f = root.path() + settingsTail();
        c.prepare(f);
        applicationSettings s;
        s.settingsFolder = f.toStdString();
        s.openFileDir = "kept";
        EXPECT_FALSE(s.readFile());
        EXPECT_EQ(s.openFileDir, "kept");
    }
    applicationSettings noFolder;
    EXPECT_FALSE(noFolder.readFile());
}

TEST_F(SettingsFileTest, WriteGivesTwoLinesAndReadsBack)
{
    const std::string open = "/home/j\xc3\xb6rg/Bilder \xce\xa9";
    const std::string save = "C:/Data;with;semicolons";
    {
        applicationSettings s;
        s.openFileDir = open;
        s.saveFileDir = save;
        s.writeFile(); // creates the missing parent and folder
        EXPECT_EQ(s.settingsFolder, folder.toStdString());
    }
    const QByteArray expected
        = QByteArray("OPEN_FILE_DIR;") + open.c_str() + "\nSAVE_FILE_DIR;" + save.c_str() + "\n";
    EXPECT_EQ(readSettingsFile(), expected);

    applicationSettings back;
    back.settingsFolder = folder.toStdString();
    ASSERT_TRUE(back.readFile());
    EXPECT_EQ(back.openFileDir, open);
    EXPECT_EQ(back.saveFileDir, save);

    // A second write replaces the contents.
    back.openFileDir = "/x";
    back.saveFileDir = "";
    back.writeFile();
    EXPECT_EQ(readSettingsFile(), QByteArray("OPEN_FILE_DIR;/x\nSAVE_FILE_DIR;\n"));
}

// The internal edition's load reads no file (tests/lab).
#if !PHASEDECK_LAB
TEST_F(SettingsFileTest, LoadWithoutFileFallsBackAndWritesAtDestruction)
{
    {
        applicationSettings s;
        s.load(*qGuiApp);
        EXPECT_EQ(QString::fromStdString(s.settingsFolder), folder);
        EXPECT_TRUE(QDir(folder).exists());
        EXPECT_EQ(QString::fromStdString(s.openFileDir), QCoreApplication::applicationDirPath());
        EXPECT_EQ(QString::fromStdString(s.saveFileDir), QDir(folder).absolutePath());
        EXPECT_EQ(s.numScreens, int(QGuiApplication::screens().size()));
        EXPECT_EQ(s.fullScreenWidth, 1920);
        EXPECT_EQ(s.fullScreenHeight, 1080);
        EXPECT_EQ(readSettingsFile(), QByteArray("<missing>"));
    }
    const QByteArray expected = "OPEN_FILE_DIR;" + QCoreApplication::applicationDirPath().toUtf8()
                                + "\nSAVE_FILE_DIR;" + QDir(folder).absolutePath().toUtf8() + "\n";
    EXPECT_EQ(readSettingsFile(), expected);
}

TEST_F(SettingsFileTest, LoadWithOnlyTheSaveKeyLeavesTheOpenFolderEmpty)
{
    writeSettingsFile("SAVE_FILE_DIR;/saved\n");
    applicationSettings s;
    s.load(*qGuiApp);
    EXPECT_EQ(s.openFileDir, "");
    EXPECT_EQ(s.saveFileDir, "/saved");
}

#endif

TEST_F(SettingsFileTest, ObjectThatWasNeverLoadedWritesNothing)
{
    {
        applicationSettings s;
        s.openFileDir = "/never";
    }
    EXPECT_FALSE(QDir(appData.path() + QStringLiteral("/QUORVEL")).exists());
}

#if !PHASEDECK_LAB
TEST_F(SettingsFileTest, FolderThatCannotBeCreatedIsSilent)
{
    // APPDATA names a plain file: no folder can be made below it.
    QFile blocker(appData.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EnvOverride env2("APPDATA", blocker.fileName().toUtf8());
    const QString blocked = blocker.fileName() + settingsTail();
    {
        applicationSettings s;
        s.load(*qGuiApp);
        EXPECT_EQ(QString::fromStdString(s.openFileDir), QCoreApplication::applicationDirPath());
        EXPECT_EQ(QString::fromStdString(s.saveFileDir), blocked);
        EXPECT_EQ(s.fullScreenWidth, 1920);
    }
    EXPECT_FALSE(QFile::exists(blocked + QStringLiteral("/settings.ini")));
}
#endif

#if !PHASEDECK_LAB
TEST_F(SettingsFileTest, SpecialFilesGiveTheDefaultsAtOnceAndAreNotWritten)
{
    struct Case
    {
        const char* name;
        bool (*make)(const QString& path);
    };
    const Case cases[] = {
        {"FIFO",
         [](const QString& path) {
             return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         }},
        // Endless zeros with a size of 0: a reader that trusts the size never stops.
        {"link to /dev/zero",
         [](const QString& path) { return QFile::link(QStringLiteral("/dev/zero"), path); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        EnvOverride env2("APPDATA", root.path().toUtf8());
        const QString f = root.path() + settingsTail();
        ASSERT_TRUE(QDir().mkpath(f));
        const QString path = f + QStringLiteral("/settings.ini");
        ASSERT_TRUE(c.make(path));

        QElapsedTimer clock;
        clock.start();
        {
            applicationSettings s;
            s.load(*qGuiApp);
            EXPECT_EQ(QString::fromStdString(s.openFileDir),
                      QCoreApplication::applicationDirPath());
            EXPECT_EQ(QString::fromStdString(s.saveFileDir), QDir(f).absolutePath());
        } // writes the settings at destruction
        EXPECT_LT(clock.elapsed(), 1000);
        const QFileInfo after(path);
        EXPECT_TRUE(after.exists());
        EXPECT_FALSE(after.isFile()) << "left as it was";
    }
}
#endif

TEST_F(SettingsFileTest, ReadsAtMostOneMebibyte)
{
    // Key lines before and after the limit: the file is refused as a whole.
    QByteArray bytes = "OPEN_FILE_DIR;/early\n";
    bytes.append(QByteArray((1 << 20) - bytes.size(), ' '));
    writeSettingsFile(bytes);
    applicationSettings s;
    s.settingsFolder = folder.toStdString();
    EXPECT_TRUE(s.readFile()) << "exactly 1 MiB is still read";
    EXPECT_EQ(s.openFileDir, "/early");

    writeSettingsFile(bytes + "\nSAVE_FILE_DIR;/late\n");
    applicationSettings t;
    t.settingsFolder = folder.toStdString();
    t.openFileDir = "kept";
    EXPECT_FALSE(t.readFile());
    EXPECT_EQ(t.openFileDir, "kept");
    EXPECT_EQ(t.saveFileDir, "");
}

TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFileAndSaysSo)
{
    MessageRecorder recorder;
    const QString name = settingsTail().mid(1) + QStringLiteral("/settings.ini");
    QString target;
    expectFailedWritesKeepTheOldFile(
        name,
        [&](const QString& root) {
            EnvOverride env2("APPDATA", root.toUtf8());
            target = root + QLatin1Char('/') + name;
            applicationSettings s;
            s.openFileDir = "/new/open";
            s.saveFileDir = "/new/save";
            return s.writeFile();
        },
        [&] {
            ASSERT_EQ(recorder.messages().size(), 1u);
            EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("ERROR !"));
            EXPECT_EQ(recorder.messages()[0].text,
                      QStringLiteral("Writing file failed !\n") + target);
            recorder.clear();
        });
}

TEST_F(SettingsFileTest, FifoSwappedInWhileReadingNeverBlocks)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    int read = 0;
    const int blocked = readsBlockedByFifoSwaps(folder + QStringLiteral("/settings.ini"),
                                                "OPEN_FILE_DIR;/swapped\n", 400, [&] {
                                                    applicationSettings s;
                                                    s.settingsFolder = folder.toStdString();
                                                    if (s.readFile() && s.openFileDir == "/swapped")
                                                        ++read;
                                                });
    EXPECT_EQ(blocked, 0);
    EXPECT_GT(read, 0);
}

} // namespace
