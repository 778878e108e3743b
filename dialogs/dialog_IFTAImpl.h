// Subclass of dialog_IFTAParameters that callers open; it keeps the dependent spin boxes
// consistent with the phase III count and the tile size.
#pragma once

#include "dialogs/dialog_IFTAParameters.h"

class dialog_IFTAImpl : public dialog_IFTAParameters
{
    Q_OBJECT

public:
    explicit dialog_IFTAImpl(QWidget* parent = nullptr, const char* name = nullptr,
                             bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    // Phase levels are enabled exactly when phase III runs (count not 0). For a tile of t >= 0
    // pixels both centre shifts range over -(t / 2) .. (t + 1) / 2 (integer division), t + 1
    // values; the spin boxes clamp their values into it. Running it twice changes nothing more.
    void checkValues() override;
};
