// Subclass of dialog_WL_and_FL that callers open; its updateValues() has no work.
#pragma once

#include "dialogs/dialog_WL_and_FL.h"

class dialog_WL_and_FLImpl : public dialog_WL_and_FL
{
    Q_OBJECT

public:
    explicit dialog_WL_and_FLImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                  bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    void updateValues() override;
};
