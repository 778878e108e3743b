// Replaceable runners for modal dialogs, file dialogs and yes/no questions, so that commands can
// be driven by tests: the defaults run the toolkit's dialogs.
#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
using DialogRunner = std::function<int(QDialog&)>;
DialogRunner setDialogRunner(DialogRunner runner);
int runDialog(QDialog& dialog);

struct FileDialogRequest
{
    QString caption;
    QString folder;         // start folder or suggested file path
    QString filters;        // ";;"-separated
    QString selectedFilter; // preselected filter
};

struct FileDialogResult
{
    QString fileName;       // empty when cancelled
    QString selectedFilter; // the filter the user chose
};

using FileDialogRunner = std::function<FileDialogResult(const FileDialogRequest&)>;
FileDialogRunner setOpenFileDialogRunner(FileDialogRunner runner);
FileDialogRunner setSaveFileDialogRunner(FileDialogRunner runner);
FileDialogResult getOpenFileName(const FileDialogRequest& request);
FileDialogResult getSaveFileName(const FileDialogRequest& request);

// Yes/No question box with no parent; true only on Yes.
using QuestionRunner = std::function<bool(const QString& caption, const QString& text)>;
QuestionRunner setQuestionRunner(QuestionRunner runner);
bool askQuestion(const QString& caption, const QString& text);
