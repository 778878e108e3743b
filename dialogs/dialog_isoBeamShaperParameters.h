// Parameters of an isotropic beam shaper: optics, sampling, one waist and order per beam. An older
// form: its texts are set once while it is built, and it has no languageChange().
#pragma once

#include "ui_dialog_isoBeamShaperParameters.h"

#include <QDialog>

class dialog_isoBeamShaperParameters : public QDialog, public Ui::dialog_isoBeamShaperParameters
{
    Q_OBJECT

public:
    explicit dialog_isoBeamShaperParameters(QWidget* parent = nullptr, const char* name = nullptr,
                                            bool modal = false,
                                            Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void updateValues();
};
