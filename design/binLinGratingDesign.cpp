// binLinGratingDesign: signal, noise and uniformity figures and the weighted merit.
#include "design/binLinGratingDesign.h"

#include <cmath>
#include <utility>

binLinGratingDesign::binLinGratingDesign(binLinGrating grating, int signalOrders, int maxOrder)
    : binLinGrating(std::move(grating))
    , signalOrders(signalOrders)
    , maxOrder(maxOrder)
{}

void binLinGratingDesign::powerExtremes(int from, int to, double& smallest, double& largest)
{
    smallest = 1.0;
    largest = 0.0;
    for (int m = from; m <= to; ++m) {
        const double p = getOrderPower(m);
        if (p < smallest)
            smallest = p;
        if (p > largest)
            largest = p;
    }
}

double binLinGratingDesign::getSignalPower()
{
    double sum = 0.0;
    for (int m = 1; m <= signalOrders; ++m)
        sum += 2 * getOrderPower(m);
    return sum;
}

double binLinGratingDesign::getTotalPower()
{
    return getOrderPower(0) + getSignalPower();
}

double binLinGratingDesign::getUniformityError()
{
    double smallest, largest;
    powerExtremes(1, signalOrders, smallest, largest);
    return (largest - smallest) / (largest + smallest);
}

double binLinGratingDesign::getUniformityErrorWithZeroOrder()
{
    double smallest, largest;
    powerExtremes(0, signalOrders, smallest, largest);
    return (largest - smallest) / (largest + smallest);
}

double binLinGratingDesign::getMaxNoisePower()
{
    double smallest, largest;
    powerExtremes(signalOrders + 1, maxOrder, smallest, largest);
    return largest;
}

double binLinGratingDesign::getSignalMinMaxRatio()
{
    double smallest, largest;
    powerExtremes(1, signalOrders, smallest, largest);
    return smallest / largest;
}

double binLinGratingDesign::getSignalMinMaxRatioWithZeroOrder()
{
    double smallest, largest;
    powerExtremes(0, signalOrders, smallest, largest);
    return smallest / largest;
}

double binLinGratingDesign::getSignalToNoiseRatio()
{
    double weakestSignal, strongestSignal;
    powerExtremes(1, signalOrders, weakestSignal, strongestSignal);
    return weakestSignal / getMaxNoisePower();
}

double binLinGratingDesign::getRelativeZeroOrderPower()
{
    return getOrderPower(0) / (getSignalPower() / (2 * signalOrders));
}

double binLinGratingDesign::getMerit(const std::array<double, 16>& c)
{
    const double U = getSignalPower();
    const double w = getMinNormalizedWidth();
    const double R = getSignalMinMaxRatio();
    const double Q = getSignalToNoiseRatio();
    const double B = getMaxNoisePower();
    const double Z = getRelativeZeroOrderPower();
    double merit = 0.0;
    merit += c[15] * std::exp(-std::pow((Z - c[2]) / c[3], 2 * c[14]));
    merit += c[11] * std::pow(1.0 - B, c[10]);
    merit += c[9] * std::pow(Q, c[8]);
    merit += c[7] * std::pow(R, c[6]);
    merit += c[13] * (1.0 - std::pow(std::exp(-std::pow(w / c[1], 2.0)), c[12]));
    merit += c[5] * std::pow(U, c[4]);
    return merit;
}
