// Replaceable runners for modal dialogs, file dialogs and yes/no questions, so that commands can
// be driven by tests: the defaults run the toolkit's dialogs centred on the primary screen.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QFileDialog;
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

// The toolkit's file dialog that the default runners run, built and not yet shown: it opens at
// request.folder with the request's caption and filters, for choosing an existing file or, with
// `forSaving`, any name (the overwrite question is the caller's), and types files by their names
// alone, so that no folder (/proc, /dev) can stall it.
std::unique_ptr<QFileDialog> newFileDialog(const FileDialogRequest& request, bool forSaving);

using FileDialogRunner = std::function<FileDialogResult(const FileDialogRequest&)>;
FileDialogRunner setOpenFileDialogRunner(FileDialogRunner runner);
FileDialogRunner setSaveFileDialogRunner(FileDialogRunner runner);
FileDialogResult getOpenFileName(const FileDialogRequest& request);
FileDialogResult getSaveFileName(const FileDialogRequest& request);

// Yes/No question box with no parent. Return presses the default button; Escape and closing the
// box answer No. A runner returns the button the user chose.
enum class QuestionButton { Yes, No };
using QuestionRunner = std::function<QuestionButton(const QString& caption, const QString& text,
                                                    QuestionButton defaultButton)>;
QuestionRunner setQuestionRunner(QuestionRunner runner);
// true only on Yes.
bool askQuestion(const QString& caption, const QString& text, QuestionButton defaultButton);
