// Table-driven checks shared by the dialog tests: form structure, widget presets, which button
// closes a dialog on which signal, and a recorder of qWarning lines.
#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <ostream>
#include <memory>
#include <vector>

class QObject;

// Readable failure messages for geometry.
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height();
}
inline void PrintTo(const QSize& s, std::ostream* os)
{
    *os << s.width() << " x " << s.height();
}

// A named child: its kind (a class it inherits) and, where it is placed absolutely, its geometry
// (a null rectangle for widgets and layouts that a layout places).
struct ChildSpec
{
    const char* name;
    const char* kind;
    QRect geometry;
};

using DialogFactory = std::function<std::unique_ptr<QDialog>(const char* name)>;

template<class D>
DialogFactory factoryOf()
{
    return [](const char* name) { return std::unique_ptr<QDialog>(new D(nullptr, name, true)); };
}

struct FormSpec
{
    const char* className;     // dynamic class of what make() builds
    const char* formClassName; // the designer form; equals className for forms alone
    DialogFactory make;
    const char* caption; // nullptr for the null string
    QSize size;
    std::vector<ChildSpec> children;
    std::vector<const char*> formSlots; // the form's own slots, in slot order
    std::vector<const char*> ownSlots;  // slots the dynamic class itself declares
};

// Naming by the constructor's name argument, meta-object names and slot tables, caption, designed
// size, every child under its object name with its kind and geometry, and languageChange()
// restoring the caption a caller replaced.
void checkForm(const FormSpec& spec);

// The visible text of a label, button, group box (its title) or line edit.
QString textOf(const QObject* object);

// How a button closes its dialog.
enum class Trigger { Press, Click };
struct ButtonSpec
{
    const char* name;
    int result; // QDialog::Accepted or QDialog::Rejected
    Trigger trigger;
};

// Runs dialog.exec() and applies `action` to the open dialog from its event loop; a dialog that
// is still open two seconds later is ended with result -1.
int execWhile(QDialog& dialog, const std::function<void(QDialog&)>& action);

// For each button: a fresh dialog closes with the button's result on its trigger (a Click button
// stays open while only pressed); then Escape and closing the window both reject.
void checkButtons(const DialogFactory& make, const std::vector<ButtonSpec>& buttons);

// Collects qWarning lines for its lifetime (passing them on to the previous handler).
class WarningRecorder
{
public:
    WarningRecorder();
    ~WarningRecorder();
    WarningRecorder(const WarningRecorder&) = delete;
    WarningRecorder& operator=(const WarningRecorder&) = delete;

    QStringList lines;

private:
    QtMessageHandler previous;
};

// Presets of a spin box, a text and a checkable button, each looked up by object name on a
// freshly built dialog.
struct SpinSpec
{
    const char* name;
    int minimum;
    int maximum;
    int step;
    int value;
    bool plusMinus; // plus/minus buttons instead of up/down arrows
    bool wrapping = false;
};
struct TextSpec
{
    const char* name;
    const char* text; // nullptr for the null string
};
struct CheckSpec
{
    const char* name;
    bool checked;
    bool enabled;
};

void checkSpinBoxes(const QDialog& dialog, const std::vector<SpinSpec>& spins);
void checkTexts(const QDialog& dialog, const std::vector<TextSpec>& texts);
void checkStates(const QDialog& dialog, const std::vector<CheckSpec>& states);

// Under the current application font nothing of the dialog's texts is cut: every widget placed by
// hand is at least as large as its size hint (a line edit, list or frame as its minimum size
// hint, a layout holder as its layout's minimum; a picture scaled into its label needs nothing),
// lies inside its parent and below a group box's title, and overlaps no sibling placed by hand
// (line frames only with their line; a widget stacked over a group box only where it covers
// neither the group's children nor its title).
void checkTextsFit(const QDialog& dialog);

// Every label and button of a shown dialog is at least as large as its size hint (a word-wrapped
// label as tall as its text needs at its width), also where a layout places it.
void checkTextWidgetsFit(const QDialog& dialog);

// Return and Enter accept through the named default button, whichever input has the focus, and
// the dialog opens with `firstInput` focused; a box without inputs (`firstInput` null) accepts
// Return.
void checkDefaultAndFocus(const DialogFactory& make, const char* defaultButton,
                          const char* firstInput);
