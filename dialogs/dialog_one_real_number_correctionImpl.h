// Subclass of dialog_one_real_number_correction that callers open; its updateValues() has no work.
#pragma once

#include "dialogs/dialog_one_real_number_correction.h"

class dialog_one_real_number_correctionImpl : public dialog_one_real_number_correction
{
    Q_OBJECT

public:
    explicit dialog_one_real_number_correctionImpl(QWidget* parent = nullptr,
                                                   const char* name = nullptr, bool modal = false,
                                                   Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    void updateValues() override;
};
