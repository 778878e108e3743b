// Default runners (the toolkit's dialogs, opened on the primary screen) and their replacement
// hooks.
#include "dialogs/dialogSeams.h"

#include "dialogs/dialogForm.h"
#include "dialogs/fileNameIconProvider.h"
#include "dialogs/screenPlacement.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Parentless dialogs open on the primary screen, not on the screen under the mouse.
int execDialog(QDialog& dialog)
{
    placeOnPrimaryScreen(&dialog, ScreenPlace::Centre);
    return dialog.exec();
}

// The toolkit's file dialog: `folder` may name a file, which is then preselected.
FileDialogResult runFileDialog(const FileDialogRequest& r, bool forSaving)
{
    const std::unique_ptr<QFileDialog> dialog = newFileDialog(r, forSaving);
    FileDialogResult result;
    result.selectedFilter = r.selectedFilter;
    if (execDialog(*dialog) == QDialog::Accepted) {
        result.selectedFilter = dialog->selectedNameFilter();
        result.fileName = dialog->selectedFiles().value(0);
    }
    return result;
}

FileDialogResult toolkitOpen(const FileDialogRequest& r)
{
    return runFileDialog(r, false);
}

FileDialogResult toolkitSave(const FileDialogRequest& r)
{
    return runFileDialog(r, true);
}

QuestionButton toolkitQuestion(const QString& caption, const QString& text,
                               QuestionButton defaultButton)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultButton == QuestionButton::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    fitMessageBoxCaption(box);
    return execDialog(box) == QMessageBox::Yes ? QuestionButton::Yes : QuestionButton::No;
}

DialogRunner dialogRunner = execDialog;
FileDialogRunner openRunner = toolkitOpen;
FileDialogRunner saveRunner = toolkitSave;
QuestionRunner questionRunner = toolkitQuestion;

template<typename T>
T swapRunner(T& slot, T replacement, T fallback)
{
    T previous = slot;
    slot = replacement ? replacement : fallback;
    return previous;
}

} // namespace

std::unique_ptr<QFileDialog> newFileDialog(const FileDialogRequest& r, bool forSaving)
{
    auto dialog = std::make_unique<QFileDialog>(nullptr, r.caption, r.folder, r.filters);
    typeFilesByName(*dialog);
    dialog->setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (forSaving) {
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    dialog->setSupportedSchemes({QStringLiteral("file")});
    if (!r.selectedFilter.isEmpty())
        dialog->selectNameFilter(r.selectedFilter);
    return dialog;
}

DialogRunner setDialogRunner(DialogRunner runner)
{
    return swapRunner<DialogRunner>(dialogRunner, std::move(runner), execDialog);
}

int runDialog(QDialog& dialog)
{
    return dialogRunner(dialog);
}

FileDialogRunner setOpenFileDialogRunner(FileDialogRunner runner)
{
    return swapRunner<FileDialogRunner>(openRunner, std::move(runner), toolkitOpen);
}

FileDialogRunner setSaveFileDialogRunner(FileDialogRunner runner)
{
    return swapRunner<FileDialogRunner>(saveRunner, std::move(runner), toolkitSave);
}

FileDialogResult getOpenFileName(const FileDialogRequest& request)
{
    return openRunner(request);
}

FileDialogResult getSaveFileName(const FileDialogRequest& request)
{
    return saveRunner(request);
}

QuestionRunner setQuestionRunner(QuestionRunner runner)
{
    return swapRunner<QuestionRunner>(questionRunner, std::move(runner), toolkitQuestion);
}

bool askQuestion(const QString& caption, const QString& text, QuestionButton defaultButton)
{
    return questionRunner(caption, text, defaultButton) == QuestionButton::Yes;
}
