// The transition-point grating dialog: transition points per axis, their readouts and the
// enabling of the width spin boxes by the transition point number.
#include "dialogs/dialog_linear_and_separable2D_gratingsImpl.h"

#include <array>

// The widgets of one axis (the X group or the Y group) and its point array.
struct dialog_linear_and_separable2D_gratingsImpl::Axis
{
    QSpinBox* count;
    QCheckBox* evenOrderMissing;
    std::array<QSpinBox*, 6> widths;     // ridge 1, groove 1, ridge 2, groove 2, ridge 3, groove 3
    std::array<QLabel*, 7> readouts;     // points 0 to 5, then point 6
    std::array<QLabel*, 3> periodLabels; // "Grating period" under points 2, 4 and 6
    int* points;

    void compute() const
    {
        points[0] = 0;
        for (int k = 0; k < 6; ++k)
            points[k + 1] = points[k] + widths[k]->value();
    }

    std::vector<int> pointList() const
    {
        compute();
        const int n = count->value();
        std::vector<int> list;
        for (int pair = 0; pair < 3; ++pair) {
            if (n > 2 * pair + 1) {
                list.push_back(points[2 * pair + 1]);
                list.push_back(points[2 * pair + 2]);
            }
        }
        return list;
    }

    void update() const
    {
        compute();
        for (int k = 0; k < 7; ++k)
            readouts[k]->setText(QString::number(points[k]));
        const int n = count->value();
        if (n < 0 || n > 6 || n % 2 != 0)
            return;
        evenOrderMissing->setEnabled(n == 6);
        switch (n) {
        case 0:
            for (QSpinBox* w : widths)
                w->setEnabled(false);
            break;
        case 2:
            widths[0]->setEnabled(true);
            widths[1]->setEnabled(true);
            for (int k = 2; k < 6; ++k)
                widths[k]->setEnabled(false);
            break;
        case 4:
            widths[2]->setEnabled(true);
            widths[3]->setEnabled(true);
            widths[4]->setEnabled(false);
            widths[5]->setEnabled(false);
            break;
        case 6: {
            const bool free = evenOrderMissing->checkState() == Qt::Unchecked;
            widths[2]->setEnabled(true);
            for (int k = 3; k < 6; ++k)
                widths[k]->setEnabled(free);
            break;
        }
        }
        // Count n shows the readouts of points 0 to n and the period caption under point n.
        for (int k = 0; k < 7; ++k)
            readouts[k]->setVisible(n > 0 && k <= n);
        for (int k = 0; k < 3; ++k)
            periodLabels[k]->setVisible(n == 2 * (k + 1));
    }
};

dialog_linear_and_separable2D_gratingsImpl::dialog_linear_and_separable2D_gratingsImpl(
    QWidget* parent, const char* name, bool modal, Qt::WindowFlags fl)
    : dialog_linear_and_separable2D_gratings(parent, name, modal, fl)
{}

dialog_linear_and_separable2D_gratingsImpl::Axis dialog_linear_and_separable2D_gratingsImpl::axisX()
{
    return Axis{
        spinBox_TPX,
        EOMCheckBox_X,
        {spinBox_RX_1, spinBox_GX_1, spinBox_RX_2, spinBox_GX_2, spinBox_RX_3, spinBox_GX_3},
        {textlabel_TPX_1, textlabel_TPX_2, textlabel_TPX_3, textlabel_TPX_4, textlabel_TPX_5,
         textlabel_TPX_6, textlabel_GPX},
        {textLabel_GPX_1, textLabel_GPX_2, textLabel_GPX_3},
        transitionPointsX};
}

dialog_linear_and_separable2D_gratingsImpl::Axis dialog_linear_and_separable2D_gratingsImpl::axisY()
{
    return Axis{
        spinBox_TPY,
        EOMCheckBox_Y,
        {spinBox_RY_1, spinBox_GY_1, spinBox_RY_2, spinBox_GY_2, spinBox_RY_3, spinBox_GY_3},
        {textlabel_TPY_1, textlabel_TPY_2, textlabel_TPY_3, textlabel_TPY_4, textlabel_TPY_5,
         textlabel_TPY_6, textlabel_GPY},
        {textLabel_GPY_1, textLabel_GPY_2, textLabel_GPY_3},
        transitionPointsY};
}

void dialog_linear_and_separable2D_gratingsImpl::computeTransitionPointsX()
{
    axisX().compute();
}

void dialog_linear_and_separable2D_gratingsImpl::computeTransitionPointsY()
{
    axisY().compute();
}

std::vector<int> dialog_linear_and_separable2D_gratingsImpl::getTransitionPointsX()
{
    return axisX().pointList();
}

std::vector<int> dialog_linear_and_separable2D_gratingsImpl::getTransitionPointsY()
{
    return axisY().pointList();
}

void dialog_linear_and_separable2D_gratingsImpl::updateParametersX()
{
    axisX().update();
}

void dialog_linear_and_separable2D_gratingsImpl::updateParametersY()
{
    axisY().update();
}
