// Settings file, settings folder and screen detection.
#include "base/applicationSettings.h"

#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "base/replacingFile.h"

#include <QDir>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const char openKey[] = "OPEN_FILE_DIR;";
const char saveKey[] = "SAVE_FILE_DIR;";

// Two folder lines; anything far larger is not a settings file and is not read into memory.
constexpr qint64 maxSettingsFileSize = 1 << 20;

QString fromUtf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

bool isSlmSized(const QRect& r)
{
    return r.width() == slmPixelsX && r.height() == slmPixelsY;
}

// Screen rectangle in device pixels: Qt keeps the top left corner native and scales the size.
QRect deviceRect(const QScreen* screen)
{
    const QRect g = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    return QRect(g.topLeft(), QSize(qRound(g.width() * ratio), qRound(g.height() * ratio)));
}

// Creates the folder with ".../QUORVEL" and any missing base (a fresh account may lack its
// configuration folder); failures show up later when the file is read or written.
void makeSettingsFolder(const QString& folder)
{
    if (!folder.isEmpty())
        QDir().mkpath(folder);
}

} // namespace

SlmScreenChoice chooseSlmScreen(const std::vector<QRect>& screens, int primaryIndex)
{
    SlmScreenChoice choice;
    const int count = int(screens.size());
    if (count < 2)
        return choice;

    int matches = 0;
    for (int i = 0; i < count; ++i) {
        if (!isSlmSized(screens[i]))
            continue;
        ++matches;
        choice.screenIndex = i;
        choice.origin = screens[i].topLeft();
    }

    if (matches == 1) {
        choice.useSlm = true;
    } else if (count == 2 && matches == 2 && (primaryIndex == 0 || primaryIndex == 1)) {
        choice.useSlm = true;
        choice.screenIndex = 1 - primaryIndex;
        choice.origin = screens[choice.screenIndex].topLeft();
    }
    return choice;
}

applicationSettings::applicationSettings() = default;

applicationSettings::~applicationSettings()
{
    if (loaded)
        writeFile();
}

std::string applicationSettings::settingsFolderPath()
{
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        return {};
    const QString tail = QStringLiteral("/QUORVEL/") + QString::fromStdString(productTitle)
                         + QLatin1Char(' ') + QString::fromStdString(deviceModel);
    return (base + tail).toUtf8().toStdString();
}

#if PHASEDECK_LAB
void applicationSettings::load(QGuiApplication& app, const DisplaySizeQuestion& askDisplaySize)
{
    openFileDir = app.applicationDirPath().toUtf8().toStdString();
    saveFileDir = openFileDir;

    numScreens = int(QGuiApplication::screens().size());
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect primaryRect = primary ? deviceRect(primary) : QRect();
    primaryScreenWidth = primaryRect.width();
    primaryScreenHeight = primaryRect.height();
    // Without a screen the patterns keep the SLM's size.
    fullScreenWidth = primaryScreenWidth > 0 ? primaryScreenWidth : slmPixelsX;
    fullScreenHeight = primaryScreenHeight > 0 ? primaryScreenHeight : slmPixelsY;

    int width = fullScreenWidth;
    int height = fullScreenHeight;
    if (askDisplaySize && askDisplaySize(width, height) && width >= 1 && height >= 1) {
        fullScreenWidth = slmWidth = width;
        fullScreenHeight = slmHeight = height;
    }
}
#else
void applicationSettings::load(QGuiApplication& app)
{
    loaded = true;
    settingsFolder = settingsFolderPath();
    makeSettingsFolder(fromUtf8(settingsFolder));

    if (!readFile()) {
        openFileDir = app.applicationDirPath().toUtf8().toStdString();
        saveFileDir = settingsFolder.empty()
                          ? std::string()
                          : QDir(fromUtf8(settingsFolder)).absolutePath().toUtf8().toStdString();
    }

    std::vector<QRect> rects;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
        rects.push_back(deviceRect(screen));
    detectScreens(rects, int(screens.indexOf(QGuiApplication::primaryScreen())));
}
#endif

void applicationSettings::detectScreens(const std::vector<QRect>& screens, int primaryIndex)
{
    numScreens = int(screens.size());
    primaryScreen = primaryIndex >= 0 && primaryIndex < numScreens ? primaryIndex : 0;
    const QRect primary = numScreens > 0 ? screens[primaryScreen] : QRect();
    primaryScreenWidth = primary.width();
    primaryScreenHeight = primary.height();

    slmWidth = slmPixelsX;
    slmHeight = slmPixelsY;

    const SlmScreenChoice choice = chooseSlmScreen(screens, primaryScreen);
    slmOnExtendedDesktop = choice.useSlm;
    slmScreenIndex = choice.screenIndex;
    slmOriginX = choice.origin.x();
    slmOriginY = choice.origin.y();

    fullScreenWidth = slmWidth;
    fullScreenHeight = slmHeight;
}

bool applicationSettings::readFile()
{
    if (settingsFolder.empty())
        return false;
    const QString path = fromUtf8(settingsFolder) + QStringLiteral("/settings.ini");
    // Opening a FIFO would wait for a writer, and a device may give bytes without end whatever
    // size it reports: only a descriptor that is a regular file is read from.
    QFile file;
    if (!openRegularFileForReading(file, path))
        return false;
    // At most one byte more than the limit is read, whatever size the file claims.
    QByteArray bytes = file.read(maxSettingsFileSize + 1);
    if (bytes.size() > maxSettingsFileSize)
        return false;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    readSettings(buffer);
    return true;
}

void applicationSettings::readSettings(QIODevice& device)
{
    // Always UTF-8: a file that happens to start with FF FE is garbage, not UTF-16.
    QTextStream in(&device);
    in.setEncoding(QStringConverter::Utf8);
    in.setAutoDetectUnicode(false);
    QString line;
    bool firstLine = true;
    while (in.readLineInto(&line)) {
        if (firstLine && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1); // byte order mark of an editor
        firstLine = false;
        const QString simple = line.simplified();
        if (simple.startsWith(QLatin1String(openKey)))
            openFileDir = simple.mid(int(sizeof openKey) - 1).toUtf8().toStdString();
        if (simple.startsWith(QLatin1String(saveKey)))
            saveFileDir = simple.mid(int(sizeof saveKey) - 1).toUtf8().toStdString();
    }
}

std::string applicationSettings::settingsText() const
{
    return std::string(openKey) + openFileDir + "\n" + saveKey + saveFileDir + "\n";
}

bool applicationSettings::writeFile()
{
    settingsFolder = settingsFolderPath();
    if (settingsFolder.empty())
        return false;
    const QString folder = fromUtf8(settingsFolder);
    makeSettingsFolder(folder);

    const QString path = folder + QStringLiteral("/settings.ini");
    // Written beside the old file, which stays as it was unless the new one is complete; a FIFO
    // or a device in its place is never replaced.
    const std::string text = settingsText();
    const bool written = writeReplacingFile(path, [&text](QIODevice& device) {
        return device.write(text.data(), qint64(text.size())) == qint64(text.size());
    });
    if (!written)
        errorMessage(QStringLiteral("Writing file failed !\n%1").arg(path).toStdString());
    return written;
}
