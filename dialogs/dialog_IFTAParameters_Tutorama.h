// Reduced IFTA parameters of the teaching kit: quantisation steps and phase levels.
// Built by the release edition only.
#pragma once

#if !PHASEDECK_LAB

#include "ui_dialog_IFTAParameters_Tutorama.h"

#include <QDialog>

class dialog_IFTAParameters_Tutorama : public QDialog, public Ui::dialog_IFTAParameters_Tutorama
{
    Q_OBJECT

public:
    explicit dialog_IFTAParameters_Tutorama(QWidget* parent = nullptr, const char* name = nullptr,
                                            bool modal = false,
                                            Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void checkValues();

protected slots:
    virtual void languageChange();
};

#endif
