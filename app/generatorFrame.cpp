// The pattern generators' shared frame: pattern size, dialog run and the window opener.
#include "app/generatorFrame.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "views/windowManagement.h"

#include <QDialog>
#include <utility>

namespace {

void openInFullScreenWindow(const QImage& image, const QString& caption, bool keepLensButton,
                            bool keepPrismButton)
{
    openFullScreenWindow(image, caption, keepLensButton, keepPrismButton);
}

PatternOpener patternOpener = openInFullScreenWindow;

} // namespace

QSize patternScreenSize()
{
    return QSize(theSettings.fullScreenWidth, theSettings.fullScreenHeight);
}

bool acceptedParameterDialog(QDialog& dialog)
{
    return runDialog(dialog) == QDialog::Accepted;
}

PatternOpener setPatternOpener(PatternOpener opener)
{
    PatternOpener previous = std::move(patternOpener);
    patternOpener = opener ? std::move(opener) : PatternOpener(openInFullScreenWindow);
    return previous;
}

void openPattern(const QImage& image, const QString& caption, bool keepLensButton)
{
    patternOpener(image.copy(), caption, keepLensButton, true);
}
