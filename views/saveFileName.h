// Choosing the name for a save: the save file dialog, the extension of the chosen filter and the
// overwrite question, shared by the full-screen and the field windows.
#pragma once

#include <QString>
#include <QStringList>

// The filters of the image saves, and the internal edition's element file.
extern const QString pngFileFilter;   // "Portable Network Graphics File(*.png)"
extern const QString bmpFileFilter;   // "Bitmap File(*.bmp)"
extern const QString asciiFileFilter; // "ASCII Data(*.dat)"
extern const QString deFileFilter;    // "Diffractive Element File(*.de)"

// The name with the extension of `filter` appended unless it already ends (in any letter case)
// in one that the filter keeps: ".png", ".bmp", ".de"; ".dat" or ".txt" for ASCII data. Other
// filters and an empty name leave the name as it is.
QString withFilterExtension(const QString& name, const QString& filter);

struct SaveNameRequest
{
    QString caption = QStringLiteral("Select Filename");
    QString start;          // start folder, or a suggested path
    QStringList filters;    // in dialog order
    QString selectedFilter; // preselected; the first filter when empty
};

struct SaveNameResult
{
    bool accepted = false; // false: the dialog was cancelled, nothing is to be saved
    QString fileName;      // with the filter's extension
    QString selectedFilter;
};

// Runs the save dialog (getSaveFileName) until a name is settled: the filter's extension is
// appended; an existing file that may be written needs "Yes" to "File exists! Overwrite ?"
// ("Confirm file overwrite", "No" the default), anything else reopens the dialog; a
// write-protected one, or one that is no regular file (a FIFO, a device), shows the "INFO" box
// "File exists and is write-protected.\n Please use a different filename." and reopens it. The
// settings' save folder is not touched: only a written file moves it (rememberSaveFolder).
SaveNameResult chooseSaveFileName(const SaveNameRequest& request);

// After `chosen` was written: its folder, as an absolute path, becomes the settings' save folder.
void rememberSaveFolder(const SaveNameResult& chosen);

// After a write of `chosen` failed: the "ERROR !" box "Writing file failed !\n" + the file name;
// the save folder stays where it was.
void reportFailedSave(const SaveNameResult& chosen);
