// Spin box whose steps double and halve its value.
#pragma once

#include <QSpinBox>

class pow2QSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    // Sets no range, value or validator of its own; the owner sets them (the range first).
    explicit pow2QSpinBox(QWidget* parent = nullptr, const char* name = nullptr);

    // Each step up doubles the value, each step down halves it (integer division truncating toward
    // zero), computed in 64 bits and clamped to the range after every step. Arrows, Up/Down keys,
    // Page keys and the wheel all come here; a typed value is taken as it stands first.
    void stepBy(int steps) override;
};
