// iftaEngine2D: construction, transform steps, the amplitude constraint and the three stages.
#include "design/iftaEngine2D.h"

#include "base/messages.h"
#include "design/designKernels.h"
#include "design/designOperations.h"
#include "design/fieldSizeCheck.h"
#include "design/quadraticPhaseOperator2D.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "fields/phasorKernels.h"

#include <QString>
#include <cmath>

iftaEngine2D::iftaEngine2D(boost::shared_ptr<DataField2D> target,
                           boost::shared_ptr<DataField2D> mask, float gamma, int mode)
    : mode(mode)
    , target(target)
    , mask(mask)
    , gamma(gamma)
    , targetPower(0.0f)
{
    sizesMatch(*target, *mask, "iftaEngine2D::iftaEngine2D");
    targetPower = float(target->getSumOfSquares());
}

bool iftaEngine2D::accepts(const complexDataField2D& field, const char* function)
{
    if (!sizesMatch(*target, *mask, function) || !sizesMatch(*target, field, function))
        return false;
    if (prepareFor(field))
        return true;
    numericErrorBox(QStringLiteral("Error in %1(): no memory for the work fields of %2 x %3")
                        .arg(QLatin1String(function))
                        .arg(field.getSizeI())
                        .arg(field.getSizeJ()));
    return false;
}

iftaEngine2D::~iftaEngine2D() = default;

void iftaEngine2D::forwardStep(boost::shared_ptr<complexDataField2D> field)
{
    if (propagator)
        propagator->apply(field);
    field->fft();
}

void iftaEngine2D::backwardStep(boost::shared_ptr<complexDataField2D> field)
{
    field->ifft();
    if (propagator)
        propagator->applyInverse(field);
}

void iftaEngine2D::backwardStepPhaseOnly(boost::shared_ptr<complexDataField2D> field)
{
    backwardStep(field);
    field->makePhaseOnly();
}

bool iftaEngine2D::prepareFor(const complexDataField2D& field)
{
    const int sizeI = field.getSizeI();
    const int sizeJ = field.getSizeJ();
    if (sizeI == preparedSizeI && sizeJ == preparedSizeJ)
        return true;
    preparedSizeI = preparedSizeJ = -1;
    const std::size_t n = field.elementCount();
    const bool weights = mode != 1;
    const std::size_t weightCount = weights ? n : 0;
    if (!targetInFieldOrder.resize(n) || !signalInFieldOrder.resize(weightCount)
        || !noiseInFieldOrder.resize(weightCount) || !farFieldModulus.resize(weightCount))
        return false;
    // Blocks of 16 values along j, so that both storage orders are read and written a cache
    // line at a time. The weights as the field operators would make them: T m and
    // ((-m) + 1) gamma.
    const float* t = target->elementData();
    const float* m = mask->elementData();
    constexpr int block = 16;
    for (int j0 = 0; j0 < sizeJ; j0 += block) {
        const int j1 = j0 + block < sizeJ ? j0 + block : sizeJ;
        for (int i = 0; i < sizeI; ++i)
            for (int j = j0; j < j1; ++j) {
                const std::size_t from = std::size_t(sizeI) * std::size_t(j) + std::size_t(i);
                const std::size_t to = field.elementIndex(i, j);
                targetInFieldOrder[to] = t[from];
                if (weights) {
                    signalInFieldOrder[to] = t[from] * m[from];
                    noiseInFieldOrder[to] = ((-m[from]) + 1.0f) * gamma;
                }
            }
    }
    preparedSizeI = sizeI;
    preparedSizeJ = sizeJ;
    return true;
}

void iftaEngine2D::applyAmplitudeConstraint(boost::shared_ptr<complexDataField2D> field)
{
    if (!accepts(*field, "iftaEngine2D::applyAmplitudeConstraint"))
        return;
    complexDataField2D& F = *field;
    if (mode != 1) {
        // Storage order throughout: the modulus into the reused buffer with the fit d, then
        // F := unit(F) (s signalWeight + noiseWeight |F|).
        float* z = F.elementData();
        const std::size_t n = F.elementCount();
        const float d
            = float(moduliAndWeightedSum(z, n, signalInFieldOrder.data(), farFieldModulus.data()));
        const float s = targetPower != 0.0f ? d / targetPower : 0.0f;
        rescaleToWeightedModuli(z, n, farFieldModulus.data(), signalInFieldOrder.data(),
                                noiseInFieldOrder.data(), s);
        return;
    }
    const int sizeI = F.getSizeI();
    const int sizeJ = F.getSizeJ();
    const DataField2D& T = *target;
    const DataField2D& m = *mask;
    float d = 0.0f;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat z = F.getValue(i, j);
            d += T.getValue(i, j) * m.getValue(i, j) * float(std::hypot(z.re, z.im));
        }
    const float s = targetPower != 0.0f ? d / targetPower : 0.0f;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const float w = (1.0f - m.getValue(i, j)) * gamma;
            complexFloat u = F.getValue(i, j);
            const float r = normalize(u);
            const float M = s * T.getValue(i, j) * m.getValue(i, j) + w * r;
            F.setValue(i, j, u * M);
        }
}

void iftaEngine2D::iterateFirstStage(boost::shared_ptr<complexDataField2D> field, int n)
{
    if (!accepts(*field, "iftaEngine2D::iterateFirstStage"))
        return;
    quantizationLevels.resize(0);
    for (int k = 0; k < n; ++k) {
        forwardStep(field);
        // Phase only, then times the target: the far-field modulus becomes T everywhere.
        makeUnitPhasors(field->elementData(), field->elementCount(), targetInFieldOrder.data());
        backwardStep(field);
        field->makePhaseOnly();
    }
}

void iftaEngine2D::iterateSecondStage(boost::shared_ptr<complexDataField2D> field, int n)
{
    if (!accepts(*field, "iftaEngine2D::iterateSecondStage"))
        return;
    quantizationLevels.resize(0);
    for (int k = 0; k < n; ++k) {
        forwardStep(field);
        applyAmplitudeConstraint(field);
        backwardStep(field);
        field->makePhaseOnly();
    }
}

void iftaEngine2D::iterateQuantizationStage(boost::shared_ptr<complexDataField2D> field, int n,
                                            int levels)
{
    if (!accepts(*field, "iftaEngine2D::iterateQuantizationStage"))
        return;
    for (int k = 0; k < n; ++k) {
        forwardStep(field);
        applyAmplitudeConstraint(field);
        backwardStep(field);
        // The last round keeps its levels (none when their memory is refused).
        const bool last = k == n - 1;
        const bool keep = last && quantizationLevels.resize(field->elementCount());
        quantizePhasePartially(field, double(k + 1) / n, levels,
                               keep ? quantizationLevels.data() : nullptr);
    }
}

const int* iftaEngine2D::lastQuantizationLevels() const
{
    return quantizationLevels.data();
}

boost::shared_ptr<complexDataField2D> passField(boost::shared_ptr<complexDataField2D> field)
{
    return field;
}
