// Shared frame of the parameter dialogs: finishing a designer form with its constructor's name
// and modality, texts and captions that fit their fonts, and the warnings of slots that have no
// work to do.
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

class QMessageBox;
class QWidget;

// For forms whose widgets are placed by hand (a form with a layout of its own is left to it):
// every visible widget that a layout does not place and that is smaller than its text needs with
// the current font grows as little as needed (labels, buttons and inputs to their text, a word-
// wrapped label in height only, a layout holder to its layout's minimum, a group to its title
// and its grown children), by the rules of fitPlacedItems; a widget stacked wholly over a group
// is fitted with the group's own rows, and holders of placed children grow to hold them, up to
// the form. Widgets whose text fits keep their designed geometry.
void fitPlacedTexts(QWidget* form);

// The font window managers draw titles in, as near as the toolkit tells it: the desktop's own
// font in bold. The program's application font never reaches the title bar.
QFont windowTitleFont();

// The least width of a window whose title bar shows `caption` whole: the caption in
// windowTitleFont and the frame's own icon, buttons and margins, eight lines of that font.
int captionFitWidth(const QString& caption);

// Widens `window` as little as needed to captionFitWidth of its caption; its height and the
// place of its children stay.
void fitCaption(QWidget* window);

// The same for a message box, which sets its own fixed size when shown: its layout gets a row as
// wide as the caption needs. Call it once the box has its icon, texts and buttons.
void fitMessageBoxCaption(QMessageBox& box);

// Each time `form` is shown, fitPlacedTexts(form) and then fitCaption(form) run before the dialog
// places itself.
void fitTextsOnShow(QWidget* form);

// A form class is `class dialog_X : public QDialog, public Ui::dialog_X` whose constructor takes
// (parent, name, modal, flags), passes parent and flags to QDialog and calls setUpForm(this, name,
// modal). setupUi builds the public child widgets, sets the texts (the form's languageChange()
// calls retranslateUi(this) again), makes the .ui connections and names the dialog after its
// form; a non-null name, even an empty one, then replaces that name. The form keeps its designed
// geometry until it is shown; then its placed texts are fitted to the font and it is widened to
// its caption.
template<class Form>
void setUpForm(Form* form, const char* name, bool modal)
{
    form->setupUi(form);
    if (name)
        form->setObjectName(QString::fromLatin1(name));
    form->setModal(modal);
    fitTextsOnShow(form);
}

// Each time the dialog is shown, gives `input` the keyboard focus and selects its text (a spin
// box's or line edit's), so that what the user types replaces the value a caller preset.
void focusOnShow(QDialog* dialog, QWidget* input);

// Endings of the stub warnings: a form's own slot ("dialog_X::slot(): Not implemented yet"), and
// a subclass override without work ("dialog_XImpl::slot() not yet implemented!").
inline constexpr char formStubSuffix[] = "(): Not implemented yet";
inline constexpr char implStubSuffix[] = "() not yet implemented!";
// The beam shaper forms end their own warning with an exclamation mark.
inline constexpr char olderFormStubSuffix[] = "(): Not implemented yet!";

// Writes className, "::", slot and suffix as one line through qWarning; changes nothing else.
void warnNotImplemented(const char* className, const char* slot, const char* suffix);
