// Three switches of the user interface: option dialogs and auto-zoom.
#pragma once

#include "ui_dialog_GUIPrefs.h"

#include <QDialog>

class dialog_GUIPrefs : public QDialog, public Ui::dialog_GUIPrefs
{
    Q_OBJECT

public:
    explicit dialog_GUIPrefs(QWidget* parent = nullptr, const char* name = nullptr,
                             bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
