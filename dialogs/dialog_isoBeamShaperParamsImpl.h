// Subclass of dialog_isoBeamShaperParameters that callers open; its updateValues() has no work.
#pragma once

#include "dialogs/dialog_isoBeamShaperParameters.h"

class dialog_isoBeamShaperParamsImpl : public dialog_isoBeamShaperParameters
{
    Q_OBJECT

public:
    explicit dialog_isoBeamShaperParamsImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                            bool modal = false,
                                            Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    void updateValues() override;
};
