// Subclass of dialog_sepaBeamShaperParameters that callers open; its updateValues() has no work.
#pragma once

#include "dialogs/dialog_sepaBeamShaperParameters.h"

class dialog_sepaBeamShaperParamsImpl : public dialog_sepaBeamShaperParameters
{
    Q_OBJECT

public:
    explicit dialog_sepaBeamShaperParamsImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                             bool modal = false,
                                             Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    void updateValues() override;
};
