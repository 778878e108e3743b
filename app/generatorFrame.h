// What every pattern generator command shares: the pattern size, running its parameter dialog,
// and handing the finished pattern to a new full-screen window.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

class QDialog;

// The full-screen resolution of the settings, read when a generator runs.
QSize patternScreenSize();

// Runs the preset dialog modally through the dialog runner; true only when it was accepted.
bool acceptedParameterDialog(QDialog& dialog);

// Receives each finished pattern; the default opens it in a full-screen window
// (openFullScreenWindow). keepPrismButton is always true.
using PatternOpener = std::function<void(const QImage& image, const QString& caption,
                                         bool keepLensButton, bool keepPrismButton)>;
// Installs an opener and returns the previous one.
PatternOpener setPatternOpener(PatternOpener opener);

// Hands a copy of the pattern with its caption to the opener, keeping the prism button.
void openPattern(const QImage& image, const QString& caption, bool keepLensButton);
