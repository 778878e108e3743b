// Subclass of dialog_IFTAParameters_Tutorama that callers open; its checkValues() has no work.
#pragma once

#if !PHASEDECK_LAB

#include "dialogs/dialog_IFTAParameters_Tutorama.h"

class dialog_IFTA_tutoramaImpl : public dialog_IFTAParameters_Tutorama
{
    Q_OBJECT

public:
    explicit dialog_IFTA_tutoramaImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                      bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    void checkValues() override;
};

#endif
