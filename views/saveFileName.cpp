// Save-name dialog loop with extension rules and the overwrite question.
#include "views/saveFileName.h"

#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"

#include <QFileInfo>

const QString pngFileFilter = QStringLiteral("Portable Network Graphics File(*.png)");
const QString bmpFileFilter = QStringLiteral("Bitmap File(*.bmp)");
const QString asciiFileFilter = QStringLiteral("ASCII Data(*.dat)");
const QString deFileFilter = QStringLiteral("Diffractive Element File(*.de)");

namespace {

struct ExtensionRule
{
    const QString& filter;
    const char* appended;
    const char* alsoKept;
};

} // namespace

QString withFilterExtension(const QString& name, const QString& filter)
{
    static const ExtensionRule rules[] = {
        {pngFileFilter, ".png", nullptr},
        {bmpFileFilter, ".bmp", nullptr},
        {asciiFileFilter, ".dat", ".txt"},
        {deFileFilter, ".de", nullptr},
    };
    if (name.isEmpty())
        return name;
    const QString lower = name.toLower();
    for (const ExtensionRule& rule : rules) {
        if (rule.filter != filter)
            continue;
        if (lower.endsWith(QLatin1String(rule.appended))
            || (rule.alsoKept && lower.endsWith(QLatin1String(rule.alsoKept))))
            return name;
        return name + QLatin1String(rule.appended);
    }
    return name;
}

SaveNameResult chooseSaveFileName(const SaveNameRequest& request)
{
    FileDialogRequest dialog;
    dialog.caption = request.caption;
    dialog.folder = request.start;
    dialog.filters = request.filters.join(QStringLiteral(";;"));
    dialog.selectedFilter = request.selectedFilter.isEmpty() && !request.filters.isEmpty()
                                ? request.filters.first()
                                : request.selectedFilter;
    for (;;) {
        const FileDialogResult chosen = getSaveFileName(dialog);
        if (chosen.fileName.isEmpty())
            return SaveNameResult();
        SaveNameResult result;
        result.accepted = true;
        result.selectedFilter = chosen.selectedFilter;
        result.fileName = withFilterExtension(chosen.fileName, chosen.selectedFilter);
        const QFileInfo file(result.fileName);
        // The dialog reopens where the user left it.
        dialog.folder = result.fileName;
        dialog.selectedFilter = chosen.selectedFilter;
        if (!file.exists())
            return result;
        // A FIFO or a device would block or swallow the write: it counts as write-protected.
        if (file.isFile() && file.isWritable()) {
            if (askQuestion(QStringLiteral("Confirm file overwrite"),
                            QStringLiteral("File exists! Overwrite ?"), QuestionButton::No))
                return result;
            continue;
        }
        infoMessage("File exists and is write-protected.\n Please use a different filename.");
    }
}

void rememberSaveFolder(const SaveNameResult& chosen)
{
    theSettings.saveFileDir = QFileInfo(chosen.fileName).absolutePath().toStdString();
}

void reportFailedSave(const SaveNameResult& chosen)
{
    errorMessage(QStringLiteral("Writing file failed !\n%1").arg(chosen.fileName).toStdString());
}
