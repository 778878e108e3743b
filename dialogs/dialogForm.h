// Shared frame of the parameter dialogs: finishing a designer form with its constructor's name
// and modality, and the warnings of slots that have no work to do.
#pragma once

#include <QDialog>
#include <QString>

class QWidget;

// A form class is `class dialog_X : public QDialog, public Ui::dialog_X` whose constructor takes
// (parent, name, modal, flags), passes parent and flags to QDialog and calls setUpForm(this, name,
// modal). setupUi builds the public child widgets, sets the texts (the form's languageChange()
// calls retranslateUi(this) again), makes the .ui connections and names the dialog after its
// form; a non-null name, even an empty one, then replaces that name.
template<class Form>
void setUpForm(Form* form, const char* name, bool modal)
{
    form->setupUi(form);
    if (name)
        form->setObjectName(QString::fromLatin1(name));
    form->setModal(modal);
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

// For forms with placed (not laid out) widgets: every visible label, button and spin box of
// `form` that a layout does not place and that is smaller than its text needs with the current
// font is enlarged as little as needed (a word-wrapped label only grows in height); a parent
// that no longer holds it grows with it, up to the form. Large enough widgets keep their designed
// geometry.
void fitPlacedTexts(QWidget* form);
