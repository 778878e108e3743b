// Ridge and groove widths of up to three pairs per period along x and along y, with the
// transition points they give.
#pragma once

#include "ui_dialog_linear_and_separable2D_gratings.h"

#include <QDialog>

class dialog_linear_and_separable2D_gratings : public QDialog,
                                               public Ui::dialog_linear_and_separable2D_gratings
{
    Q_OBJECT

public:
    explicit dialog_linear_and_separable2D_gratings(QWidget* parent = nullptr,
                                                    const char* name = nullptr, bool modal = false,
                                                    Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void updateParametersX();
    virtual void updateParametersY();

protected slots:
    virtual void languageChange();
};
