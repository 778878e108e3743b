// signalOrderList: statistics, envelope steps, sampling and plane-wave synthesis of the orders.
#include "design/signalOrderList.h"

#include "design/randomPhase.h"
#include "fields/complexDataField2D.h"
#include "fields/specialFunctions.h"

#include <cmath>
#include <stdexcept>

namespace {

// (sinc(fx pitchX) sinc(fy pitchY))^p.
double envelope(const signalOrder& order, double pitchX, double pitchY, double p)
{
    return std::pow(sinc(order.fx * pitchX) * sinc(order.fy * pitchY), p);
}

float intensityOf(const complexFloat& c)
{
    return c.re * c.re + c.im * c.im;
}

} // namespace

signalOrderList::signalOrderList() = default;

void signalOrderList::addOrder(signalOrder order)
{
    if (order.fx < minX)
        minX = order.fx;
    if (order.fx > maxX)
        maxX = order.fx;
    if (order.fy < minY)
        minY = order.fy;
    if (order.fy > maxY)
        maxY = order.fy;
    const double rho = std::sqrt(double(order.fx) * order.fx + double(order.fy) * order.fy);
    if (rho > maxRadius)
        maxRadius = float(rho);

    const float w = float(std::pow(double(order.targetAmplitude), 2.0));
    sumTargetIntensity += w;
    sumSquaredTargetIntensity += float(std::pow(double(w), 2.0));
    if (w > maxTargetIntensity)
        maxTargetIntensity = w;
    if (minTargetIntensity == 0.0f || w < minTargetIntensity)
        minTargetIntensity = w;

    records.push_back(order);
}

signalOrder& signalOrderList::at(unsigned int index)
{
    if (index >= records.size())
        throw std::out_of_range("vector");
    return records[index];
}

const signalOrder& signalOrderList::at(unsigned int index) const
{
    if (index >= records.size())
        throw std::out_of_range("vector");
    return records[index];
}

void signalOrderList::randomizePhases()
{
    seedRandomPhasesFromClock();
    for (signalOrder& order : records) {
        const float t = float(drawRandomPhase());
        order.amplitude = polarUnit(t) * order.targetAmplitude;
    }
}

void signalOrderList::setZeroOrderAmplitude(float v)
{
    bool found = false;
    for (signalOrder& order : records)
        if (order.fx == 0.0f && order.fy == 0.0f) {
            order.targetAmplitude = v;
            found = true;
        }
    if (!found) {
        signalOrder zeroOrder;
        zeroOrder.targetAmplitude = v;
        addOrder(zeroOrder);
    }
}

void signalOrderList::applyEnvelope(double pitchX, double pitchY, double p)
{
    if (p == 0.0)
        return;
    for (signalOrder& order : records) {
        if (intensityOf(order.amplitude) == 0.0f)
            continue;
        const double f = envelope(order, pitchX, pitchY, p);
        order.amplitude.re = float(order.amplitude.re * f);
        order.amplitude.im = float(order.amplitude.im * f);
    }
}

void signalOrderList::precompensateEnvelope(double pitchX, double pitchY, double p)
{
    if (p == 0.0)
        return;
    for (signalOrder& order : records) {
        if (order.targetAmplitude == 0.0f)
            continue;
        const double f = envelope(order, pitchX, pitchY, p);
        if (f != 0.0)
            order.targetAmplitude = float(order.targetAmplitude / f);
    }
}

void signalOrderList::rescaleToTarget()
{
    for (signalOrder& order : records) {
        const double m = std::hypot(double(order.amplitude.re), double(order.amplitude.im));
        if (m == 0.0)
            continue;
        const double s = order.targetAmplitude / m;
        order.amplitude.re = float(s * order.amplitude.re);
        order.amplitude.im = float(s * order.amplitude.im);
    }
}

void signalOrderList::sampleField(boost::shared_ptr<complexDataField2D> field)
{
    for (signalOrder& order : records)
        order.amplitude = field->getFourierComponent(double(order.fx), double(order.fy));
}

complexFloat signalOrderList::sumAt(float X, float Y) const
{
    complexFloat sum = {0.0f, 0.0f};
    for (const signalOrder& order : records) {
        const float t = float(double(X) * order.fx + double(Y) * order.fy);
        const complexFloat term = elementMultiply(order.amplitude, polarUnit(t));
        sum.re += term.re;
        sum.im += term.im;
    }
    return sum;
}

void signalOrderList::synthesize(boost::shared_ptr<complexDataField2D> field) const
{
    if (records.empty()) {
        field->setPlaneWave(0, 0, complexFloat{0.0f, 0.0f});
        return;
    }
    field->setPlaneWave(double(records.front().fx), double(records.front().fy),
                        records.front().amplitude);
    for (std::size_t k = 1; k < records.size(); ++k)
        field->addPlaneWave(double(records[k].fx), double(records[k].fy), records[k].amplitude);
}

void signalOrderList::addToField(boost::shared_ptr<complexDataField2D> field, double s) const
{
    const float scale = float(s);
    for (const signalOrder& order : records)
        field->addPlaneWave(double(order.fx), double(order.fy), order.amplitude * scale);
}

void signalOrderList::subtractFromField(boost::shared_ptr<complexDataField2D> field, double s) const
{
    const float scale = float(s);
    for (const signalOrder& order : records)
        field->subtractPlaneWave(double(order.fx), double(order.fy), order.amplitude * scale);
}

double signalOrderList::amplitudeScale() const
{
    if (sumTargetIntensity == 0.0f)
        return 0.0;
    float sum = 0.0f;
    for (const signalOrder& order : records)
        sum += float(std::hypot(double(order.amplitude.re), double(order.amplitude.im))
                     * order.targetAmplitude);
    return double(sum) / sumTargetIntensity;
}

void signalOrderList::computeSignalIntensity()
{
    sumIntensity = 0.0f;
    for (const signalOrder& order : records)
        sumIntensity += intensityOf(order.amplitude);
}

void signalOrderList::computeStatistics()
{
    if (records.empty()) {
        sumIntensity = sumIntensityTimesTarget = 0.0f;
        minIntensity = maxIntensity = 0.0f;
        minRelativeIntensity = maxRelativeIntensity = 0.0f;
        return;
    }
    for (std::size_t k = 0; k < records.size(); ++k) {
        const float I = intensityOf(records[k].amplitude);
        const double w = std::pow(double(records[k].targetAmplitude), 2.0);
        const float relative = float(I / w);
        const float weighted = float(I * w);
        if (k == 0) {
            sumIntensity = I;
            sumIntensityTimesTarget = weighted;
            minIntensity = maxIntensity = I;
            minRelativeIntensity = maxRelativeIntensity = relative;
            continue;
        }
        sumIntensity += I;
        sumIntensityTimesTarget += weighted;
        if (I < minIntensity)
            minIntensity = I;
        if (I > maxIntensity)
            maxIntensity = I;
        if (relative < minRelativeIntensity)
            minRelativeIntensity = relative;
        if (relative > maxRelativeIntensity)
            maxRelativeIntensity = relative;
    }
}
