// Subclass of dialog_two_real_numbers that the commands open; its updateValues() has no work.
#pragma once

#include "dialogs/dialog_two_real_numbers.h"

class dialog_two_real_numbersImpl : public dialog_two_real_numbers
{
    Q_OBJECT

public:
    explicit dialog_two_real_numbersImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                         bool modal = false,
                                         Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    void updateValues() override;
};
