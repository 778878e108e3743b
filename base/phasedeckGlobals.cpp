// Process-wide objects, defined in one file so that they are built in this order before main
// and destroyed in the reverse order after it.
#include "base/phasedeckGlobals.h"

#include "base/Logfile.h"
#include "base/applicationSettings.h"

#include <cstdint>
#include <cstring>

std::string editionSuffix = "";
#if PHASEDECK_LAB
std::string productTitle = "Quorvel Phasedeck 2.1.1";
#else
std::string productTitle = "QUORVEL Phasedeck";
#endif
std::string deviceModel = "KTR-1080P";
std::string productVersion = "2.2";
#if PHASEDECK_LAB
std::string fullApplicationName = productTitle;
#else
std::string fullApplicationName = productTitle + " (" + deviceModel + ") " + productVersion
                                  + editionSuffix;
#endif

Logfile theLogfile(fullApplicationName);
applicationSettings theSettings;

std::vector<qFullScreenFieldWidget*> openFullScreenWindows;

QString homeFolder;
QString applicationFolder;

OpticalParameters opticalParameters = {632.8e-9, 0.1, 0.05, 1e-6, 1e-6};

static double doubleFromBits(std::uint64_t bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}
const double slmPixelPitch = doubleFromBits(0x3EE0C6F7A0B5ED8EULL);

unsigned char graylevelPhase0 = 0;
unsigned char graylevelPhase2Pi = 0;

backgroundImage* theBackgroundImage = nullptr;
QDOEMainWindow* theMainWindow = nullptr;
