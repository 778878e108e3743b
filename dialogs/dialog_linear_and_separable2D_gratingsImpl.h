// The transition-point grating dialog: keeps the cumulative transition points of each axis,
// shows them and enables the width spin boxes that the transition point number uses.
#pragma once

#include "dialogs/dialog_linear_and_separable2D_gratings.h"

#include <vector>

class dialog_linear_and_separable2D_gratingsImpl : public dialog_linear_and_separable2D_gratings
{
    Q_OBJECT

public:
    explicit dialog_linear_and_separable2D_gratingsImpl(QWidget* parent = nullptr,
                                                        const char* name = nullptr,
                                                        bool modal = false,
                                                        Qt::WindowFlags fl = Qt::WindowFlags());

    // Fill transitionPointsX / Y from the axis' six widths: entry 0 is 0, entry k the sum of the
    // first k widths (ridge 1, groove 1, ridge 2, groove 2, ridge 3, groove 3).
    void computeTransitionPointsX();
    void computeTransitionPointsY();

    // Points 1 and 2 when the axis' count exceeds 1, also 3 and 4 when it exceeds 3, also 5 and 6
    // when it exceeds 5: an empty list for 0 or 1, count - 1 points for an odd count; for an even
    // count the last point is the period. The widths are read at the call.
    std::vector<int> getTransitionPointsX();
    std::vector<int> getTransitionPointsY();

    int transitionPointsX[7];
    int transitionPointsY[7];

public slots:
    // Recompute the axis' points, show them, and set enabled and shown states by its count
    // (0, 2, 4 or 6; an odd count changes only the texts).
    void updateParametersX() override;
    void updateParametersY() override;

private:
    struct Axis;
    Axis axisX();
    Axis axisY();
};
