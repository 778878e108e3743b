// Default runners (the toolkit's dialogs) and their replacement hooks.
#include "dialogs/dialogSeams.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

int execDialog(QDialog& dialog)
{
    return dialog.exec();
}

FileDialogResult toolkitOpen(const FileDialogRequest& r)
{
    FileDialogResult result;
    result.selectedFilter = r.selectedFilter;
    result.fileName = QFileDialog::getOpenFileName(nullptr, r.caption, r.folder, r.filters,
                                                   &result.selectedFilter);
    return result;
}

FileDialogResult toolkitSave(const FileDialogRequest& r)
{
    FileDialogResult result;
    result.selectedFilter = r.selectedFilter;
    result.fileName
        = QFileDialog::getSaveFileName(nullptr, r.caption, r.folder, r.filters,
                                       &result.selectedFilter, QFileDialog::DontConfirmOverwrite);
    return result;
}

QuestionButton toolkitQuestion(const QString& caption, const QString& text,
                               QuestionButton defaultButton)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultButton == QuestionButton::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? QuestionButton::Yes : QuestionButton::No;
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
