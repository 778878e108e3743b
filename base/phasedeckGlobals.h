// Process-wide values of the program: product strings, optical parameters, gray levels and
// the pointers to the single windows and images that every part of the shell reaches.
#pragma once

#include <QString>
#include <string>
#include <vector>

class Logfile;
class applicationSettings;
class backgroundImage;
class qFullScreenFieldWidget;
class QDOEMainWindow;

extern std::string editionSuffix;
extern std::string productTitle;
extern std::string deviceModel;
extern std::string productVersion;
extern std::string fullApplicationName;

extern Logfile theLogfile;
extern applicationSettings theSettings;

// Plain pointers; a full-screen window adds itself when opened and removes itself when destroyed.
extern std::vector<qFullScreenFieldWidget*> openFullScreenWindows;

extern QString homeFolder;
extern QString applicationFolder;

// Lengths in metres.
struct OpticalParameters
{
    double defaultWavelength;
    double defaultFocalLength;
    double spareParameter;
    double defaultPixelSizeX;
    double defaultPixelSizeY;
};
extern OpticalParameters opticalParameters;

// The pitch the main window sets: bits 0x3EE0C6F7A0B5ED8E, one ulp above the double nearest 8e-6.
extern const double slmPixelPitch;

// Gray values shown for phase 0 and phase 2 pi; 0 and 255 once the program runs.
extern unsigned char graylevelPhase0;
extern unsigned char graylevelPhase2Pi;

extern backgroundImage* theBackgroundImage;
extern QDOEMainWindow* theMainWindow;
