// Parameters of a separable beam shaper: optics, sampling, waist and order per beam and axis. An
// older form: its texts are set once while it is built, and it has no languageChange().
#pragma once

#include "ui_dialog_sepaBeamShaperParameters.h"

#include <QDialog>

class dialog_sepaBeamShaperParameters : public QDialog, public Ui::dialog_sepaBeamShaperParameters
{
    Q_OBJECT

public:
    explicit dialog_sepaBeamShaperParameters(QWidget* parent = nullptr, const char* name = nullptr,
                                             bool modal = false,
                                             Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void updateValues();
};
