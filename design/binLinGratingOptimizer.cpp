// binLinGratingOptimizer: order intensities, gradient steps with the critical-dimension
// correction, and the evaluation and iteration reports.
#include "design/binLinGratingOptimizer.h"

#include "base/phasedeckGlobals.h"
#include "design/designOperations.h"
#include "fields/DataField2D.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>

namespace {

constexpr double pi = 3.141592653589793;

using Field = boost::shared_ptr<DataField2D>;

// A zero row of the given length: origin 0, default pitch.
Field newRow(int samples)
{
    return Field(new DataField2D(samples, 1, 0.0, 0.0, opticalParameters.defaultPixelSizeX,
                                 opticalParameters.defaultPixelSizeY, 0.0f));
}

void useClassicNumbers(std::ostringstream& out)
{
    out.imbue(std::locale::classic());
}

} // namespace

binLinGratingOptimizerParameters::binLinGratingOptimizerParameters(int signalOrders,
                                                                   int noiseOrders,
                                                                   double criticalDimension,
                                                                   double scalingFactor,
                                                                   int errorFunctionOrder)
    : signalOrders(signalOrders)
    , noiseOrders(noiseOrders)
    , scalingFactor(scalingFactor)
    , criticalDimension(criticalDimension)
    , errorFunctionOrder(errorFunctionOrder)
{}

binLinGratingOptimizer::binLinGratingOptimizer(Field widths, Field target, Field extraField,
                                               binLinGratingOptimizerParameters* parameters)
    : widths(std::move(widths))
    , target(std::move(target))
    , extraField(std::move(extraField))
    , parameters(parameters)
    , a(std::max(0, parameters->signalOrders))
    , b(std::max(0, parameters->noiseOrders))
{
    transitionPointCount = this->widths->getSizeI();
    highestOrder = a + b;
    transitionPoints = runningSum(this->widths);
    targetCount = this->target->countValuesAbove(0.0f);
}

binLinGratingOptimizer::~binLinGratingOptimizer() = default;

double binLinGratingOptimizer::getScalingFactor() const
{
    return parameters->getScalingFactor();
}

void binLinGratingOptimizer::createOrderFields()
{
    orderCos = newRow(highestOrder + 1);
    orderSin = newRow(highestOrder + 1);
    orderIntensity = newRow(2 * highestOrder + 1);
}

int binLinGratingOptimizer::switchingPointCount() const
{
    return transitionPointCount - transitionPointCount % 2;
}

void binLinGratingOptimizer::computeOrders(const Field& x)
{
    const int K = highestOrder;
    const int L = switchingPointCount();
    for (int m = 1; m <= K; ++m) {
        double C = 0.0;
        double S = 0.0;
        for (int j = 1; j <= L; ++j) {
            const double q = std::pow(-1.0, j);
            const double xj = x->getValue(j - 1, 0);
            C += q * std::cos(2 * (m * pi * xj));
            S += q * std::sin(2 * (m * pi * xj));
        }
        orderCos->setValue(m, float(C));
        orderSin->setValue(m, float(S));
    }
    fillFactor = 0.0;
    for (int j = 1; j <= L; ++j)
        fillFactor += std::pow(-1.0, j) * x->getValue(j - 1, 0);

    for (int m = 1; m <= K; ++m) {
        const double S = orderSin->getValue(m, 0);
        const double C = orderCos->getValue(m, 0);
        const float intensity
            = float((std::pow(S, 2.0) + std::pow(C, 2.0)) / std::pow(m * pi, 2.0));
        orderIntensity->setValue(K + m, intensity);
        orderIntensity->setValue(K - m, intensity);
    }
    orderIntensity->setValue(K, float(1 - (1 - fillFactor) * fillFactor * 4.0));
}

void binLinGratingOptimizer::computeAverage(bool withSquares)
{
    const int K = highestOrder;
    double sum = 0.0;
    double squares = 0.0;
    for (int j = 1; j <= a; ++j)
        if (target->getValuePeriodic(K + j, 0) > 0.0f) {
            const double intensity = orderIntensity->getValue(K + j, 0);
            sum += intensity;
            squares += intensity * intensity;
        }
    averageIntensity = targetCount > 0 ? sum / targetCount : 0.0;
    if (withSquares)
        sumOfSquares = squares;
}

Field binLinGratingOptimizer::scaledTarget() const
{
    return float(parameters->scalingFactor * averageIntensity) * target;
}

double binLinGratingOptimizer::errorFunction() const
{
    const int p = parameters->errorFunctionOrder;
    double error = 0.0;
    for (int j = 1; j <= a; ++j)
        error += std::pow(orderIntensity->getValue(highestOrder + j, 0) - averageIntensity, p);
    return error;
}

Field binLinGratingOptimizer::gradient(const Field& x, const Field& scaled) const
{
    const int K = highestOrder;
    const int p = parameters->errorFunctionOrder;
    const double zeroOrder = orderIntensity->getValue(K, 0);
    Field g = newRow(transitionPointCount);
    for (int j = 1; j <= switchingPointCount(); ++j) {
        const double xj = x->getValue(j - 1, 0);
        const double q = std::pow(-1.0, j);
        double G = 0.0;
        for (int m = 1; m <= K; ++m) {
            const double t = 2 * (m * xj * pi);
            const double deviation
                = double(orderIntensity->getValue(K + m, 0)) - scaled->getValuePeriodic(K + m, 0);
            G += std::pow(deviation, p - 1)
                 * (std::cos(t) * orderSin->getValue(m, 0) - std::sin(t) * orderCos->getValue(m, 0))
                 / m;
        }
        const double gj = (q / pi) * p * 4.0 * G
                          + 2 * (p * q * (2 * fillFactor - 1) * std::pow(zeroOrder, p - 1));
        g->setValue(j - 1, float(gj));
    }
    return g;
}

void binLinGratingOptimizer::correctCriticalDimension(const Field& w) const
{
    const double cd = parameters->criticalDimension;
    for (int i = 1; i <= transitionPointCount; ++i) {
        const float wi = w->getValue(i - 1, 0);
        if (!(wi < cd))
            continue;
        const double delta = cd - wi;
        w->setValue(i - 1, float(cd));
        // Segment i sits at index i - 1; its neighbours wrap around the period.
        w->setValuePeriodic(i - 2, float(w->getValuePeriodic(i - 2, 0) - delta * 0.5));
        w->setValuePeriodic(i, float(w->getValuePeriodic(i, 0) - delta * 0.5));
    }
}

void binLinGratingOptimizer::step(Field& x, Field& w, const Field& g, double stepSize,
                                  std::ostream& log, bool reportWidth) const
{
    x = x + float(stepSize) * (-g);
    w = differences(x);
    const float smallest = w->getMin();
    if (reportWidth)
        log << "Critical Dimension:\t " << smallest << "\n";
    if (smallest < parameters->criticalDimension) {
        log << "critical dimension correction "
            << "\n";
        correctCriticalDimension(w);
        x = runningSum(w);
    }
}

Field binLinGratingOptimizer::signalOrders() const
{
    return orderIntensity->cropCentered(2 * a + 1, 1);
}

Field binLinGratingOptimizer::noiseOrders(const Field& signal) const
{
    return orderIntensity - signal->resizeCentered(2 * highestOrder + 1, 1);
}

std::string binLinGratingOptimizer::evaluate()
{
    createOrderFields();
    computeOrders(transitionPoints);
    computeAverage(true);
    ordersCurrent = true;
    const double meanSquare = a > 0 ? sumOfSquares / a : 0.0;
    // Rounding must not turn a perfectly uniform set into NaN.
    const double rms = std::sqrt(std::max(0.0, meanSquare - std::pow(averageIntensity, 2.0)));

    Field signal = signalOrders();
    Field noise = noiseOrders(signal);
    const float zeroOrder = signal->getValue(a, 0);
    signal->setValue(a, 1.0f);
    const float weakest = signal->getMin();
    signal->setValue(a, 0.0f);
    const float strongest = signal->getMax();
    signal->setValue(a, zeroOrder);
    const float strongestNoise = noise->getMax();
    const float smallestWidth = widths->getMin();

    std::ostringstream out;
    useClassicNumbers(out);
    out << "Number of transition points: " << transitionPointCount << "\n";
    out << "Critical Dimension: " << smallestWidth << "\n";
    out << "q_CD: " << smallestWidth * a << "\n\n";
    out << "Diffraction efficiency: (%) " << signal->getSum() * 100.0 << "\n\n";
    out << "Average power: (%) \t " << averageIntensity * 100.0 << "\n";
    out << "Power in ZO: (%) " << zeroOrder * 100.0 << "\n";
    out << "Power in weakest signal order: (%) " << weakest * 100.0 << "\n";
    out << "Power in strongest signal order: (%) " << strongest * 100.0 << "\n";
    out << "Power in strongest noise order: (%) " << strongestNoise * 100.0 << "\n\n";
    out << "rms uniformity error: (%)\t " << (rms == 0.0 ? 0.0 : (100.0 / averageIntensity) * rms)
        << "\n";
    out << "Signal P_min/P_max: " << weakest / strongest << "\n";
    out << "Weakest signal to strongest noise ratio: " << weakest / strongestNoise << "\n\n";
    out << "Suppression of adjacent undesired orders (SAUO)\n";
    double signalSum = 0.0;
    double noiseSum = 0.0;
    for (int n = 1; n <= std::min(a, b); ++n) {
        signalSum += signal->getValue(n, 0);
        noiseSum += orderIntensity->getValue(highestOrder + a + n, 0);
        out << "SAOU_" << n << " : " << signalSum / noiseSum << "\n";
    }
    return out.str();
}

std::string binLinGratingOptimizer::optimize(int iterations, double stepSize)
{
    if (!ordersCurrent)
        evaluate();
    std::ostringstream out;
    useClassicNumbers(out);
    out << "\nGrating optimization"
        << "\n====================\n\n";
    out << "Iteration number : " << iterations << "\n";
    out << "Iteration step size : " << stepSize << "\n";
    out << "Critical dimension : " << parameters->criticalDimension << "\n";
    out << "Scaling factor : " << parameters->scalingFactor << "\n";

    Field scaled = scaledTarget();
    out << "Error function 1:\t " << errorFunction() << "\n";
    Field x = transitionPoints;
    Field w;
    step(x, w, gradient(x, scaled), stepSize, out, false);

    for (int c = 0; c < iterations; ++c) {
        out << "\n" << c << "\n";
        computeOrders(x);
        computeAverage(false);
        out << "Average intensity:\t " << averageIntensity << "\n";
        scaled = scaledTarget();
        out << "Error function 1:\t " << errorFunction() << "\n";

        Field signal = signalOrders();
        Field noise = noiseOrders(signal);
        const float zeroOrder = signal->getValue(a, 0);
        out << "Power in ZO: (%) " << zeroOrder * 100.0 << "\n";
        signal->setValue(a, 1.0f);
        out << "Power in weakest signal order: (%) " << signal->getMin() * 100.0 << "\n";
        signal->setValue(a, zeroOrder);
        out << "Power in strongest signal order: (%) " << signal->getMax() * 100.0 << "\n";
        out << "Power in strongest noise order: (%) " << noise->getMax() * 100.0 << "\n\n";

        step(x, w, gradient(x, scaled), stepSize, out, true);
    }

    widths = w;
    transitionPoints = x;
    // The order intensities belong to the grating before the last step.
    ordersCurrent = false;
    return out.str();
}
