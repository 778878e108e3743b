// Spin box whose steps double and halve its value.
#include "dialogs/pow2QSpinBox.h"

#include <QStyle>
#include <QtGlobal>

pow2QSpinBox::pow2QSpinBox(QWidget* parent, const char* name)
    : QSpinBox(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
}

void pow2QSpinBox::stepBy(int steps)
{
    interpretText();
    qint64 v = value();
    const qint64 low = minimum();
    const qint64 high = maximum();
    // Stops early once a bound (or 0) holds the value still.
    for (int k = 0; k < steps; ++k) {
        const qint64 next = qBound(low, v * 2, high);
        if (next == v)
            break;
        v = next;
    }
    for (int k = 0; k > steps; --k) {
        const qint64 next = qBound(low, v / 2, high);
        if (next == v)
            break;
        v = next;
    }
    setValue(int(v));
    if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this, nullptr))
        selectAll();
}
