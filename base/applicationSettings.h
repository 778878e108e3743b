// Per-user settings (last open and save folders in "settings.ini") and the screen set-up of the
// desktop, including the choice of the SLM screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

class QGuiApplication;
class QIODevice;

// Result of the SLM screen choice over the desktop's screens.
struct SlmScreenChoice
{
    bool useSlm = false;
    int screenIndex = 0;
    QPoint origin; // top left corner of screenIndex's rectangle; (0, 0) when no screen matched
};

// Width and height of the SLM and of every full-screen pattern, in device pixels.
constexpr int slmPixelsX = 1920;
constexpr int slmPixelsY = 1080;

// Chooses the SLM among screen rectangles in device pixels; primaryIndex is the index of the
// primary screen. A screen matches when it is exactly 1920 x 1080. With fewer than two screens
// there is no SLM. With exactly one match that screen is the SLM, even when it is the primary.
// With two screens that both match, the non-primary one is. Otherwise (no match, or several on
// a desktop of three or more screens) there is none; screenIndex and origin then name the last
// matching screen in index order, or stay 0 and (0, 0) when none matched.
SlmScreenChoice chooseSlmScreen(const std::vector<QRect>& screens, int primaryIndex);

class applicationSettings
{
public:
    // Defaults only; touches no file.
    applicationSettings();
    // Writes the settings file when load() has run; a failed write is silent.
    ~applicationSettings();

    applicationSettings(const applicationSettings&) = delete;
    applicationSettings& operator=(const applicationSettings&) = delete;

#if PHASEDECK_LAB
    // Asks for the display's pixel numbers, preset with the primary screen's size; true and the
    // answer in width and height when it was accepted.
    using DisplaySizeQuestion = std::function<bool(int& width, int& height)>;
    // The internal edition has no settings file and no SLM screen: both folders become the
    // program's folder, the screen count and the primary screen's size come from the desktop,
    // and the full-screen size is the primary screen's size unless askDisplaySize accepts an
    // answer (both at least 1), which then becomes the full-screen size and the SLM size.
    void load(QGuiApplication& app, const DisplaySizeQuestion& askDisplaySize);
#else
    // Finds (and creates) the settings folder, reads the settings file, falling back to the
    // program's folder for opening and the settings folder for saving when there is no readable
    // file, and detects the screens of app.
    void load(QGuiApplication& app);
#endif

    // Reads settingsFolder/settings.ini. Lines are simplified (blanks trimmed, inner runs of
    // white space made one blank); "OPEN_FILE_DIR;" and "SAVE_FILE_DIR;" set the folders from
    // the rest of the line, a later line winning; other lines are ignored. Returns false when
    // the file is missing, is no regular file (a FIFO or a device is never opened), cannot be
    // opened or holds more than 1 MiB, which is never read further; a file without a key leaves
    // that folder as it was.
    bool readFile();
    // The lines of readFile from an open device, as UTF-8 text.
    void readSettings(QIODevice& device);
    // Recomputes settingsFolder, creates it when missing and replaces settings.ini with
    // settingsText() through a file beside it, so that the old file stays whole unless the new
    // one was written completely; a settings.ini that is no regular file (a FIFO, a device) is
    // left alone. A failed write shows "Writing file failed !\n" and the file's path; returns
    // whether the file was written (false without a folder name, without a box).
    bool writeFile();
    // "OPEN_FILE_DIR;" + openFileDir + "\n" + "SAVE_FILE_DIR;" + saveFileDir + "\n".
    std::string settingsText() const;

    // Fills the screen fields from screen rectangles in device pixels and the primary index,
    // and sets the full-screen resolution to 1920 x 1080.
    void detectScreens(const std::vector<QRect>& screens, int primaryIndex);

    // APPDATA + "/QUORVEL/" + title + " " + model; without APPDATA (or with it empty) the same
    // tail under the user's configuration folder. Empty when neither is known.
    static std::string settingsFolderPath();

#if PHASEDECK_LAB
    bool showIFTAOptionsDialog = true;  // "Show options dialog before starting IFTA calculation"
    bool showImageOptionsDialog = true; // "Show option dialog when opening images"
#else
    unsigned char flagA = 1; // read by nothing
    unsigned char flagB = 1; // read by nothing
#endif
    // Field windows sample large fields down on opening ("Autozoom for large field sizes").
    bool autoShrinkFieldWindows = false;
    std::string settingsFolder; // UTF-8, no trailing "/"
    std::string openFileDir;    // UTF-8
    std::string saveFileDir;    // UTF-8
    int numScreens = 0;
    int primaryScreen = 0;
    bool slmOnExtendedDesktop = false;
    int slmScreenIndex = 0;
    int primaryScreenWidth = 0;
    int primaryScreenHeight = 0;
    int slmOriginX = 0;
    int slmOriginY = 0;
    int slmWidth = 0;
    int slmHeight = 0;
    int fullScreenWidth = 0;
    int fullScreenHeight = 0;

private:
    bool loaded = false;
};
