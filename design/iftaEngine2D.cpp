// iftaEngine2D: construction, transform steps, the amplitude constraint and the three stages.
#include "design/iftaEngine2D.h"

#include "design/designKernels.h"
#include "design/designOperations.h"
#include "design/fieldSizeCheck.h"
#include "design/quadraticPhaseOperator2D.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "fields/phasorKernels.h"

#include <cmath>

iftaEngine2D::iftaEngine2D(boost::shared_ptr<DataField2D> target,
                           boost::shared_ptr<DataField2D> mask, float gamma, int mode)
    : mode(mode)
    , target(target)
    , mask(mask)
    , gamma(gamma)
    , targetPower(0.0f)
{
    if (sizesMatch(*target, *mask, "iftaEngine2D::iftaEngine2D") && mode != 1) {
        noiseWeight = ((-mask) + 1.0f) * gamma;
        signalWeight = target * mask;
    }
    targetPower = float(target->getSumOfSquares());
}

bool iftaEngine2D::accepts(const complexDataField2D& field, const char* function) const
{
    return sizesMatch(*target, *mask, function) && sizesMatch(*target, field, function);
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

void iftaEngine2D::prepareFor(const complexDataField2D& field)
{
    const int sizeI = field.getSizeI();
    const int sizeJ = field.getSizeJ();
    if (sizeI == preparedSizeI && sizeJ == preparedSizeJ)
        return;
    const std::size_t n = field.elementCount();
    auto inFieldOrder = [&](const DataField2D& source, std::vector<float>& out) {
        out.assign(n, 0.0f);
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i)
                out[field.elementIndex(i, j)] = source.getValue(i, j);
    };
    inFieldOrder(*target, targetInFieldOrder);
    if (mode != 1) {
        inFieldOrder(*signalWeight, signalInFieldOrder);
        inFieldOrder(*noiseWeight, noiseInFieldOrder);
    }
    farFieldModulus.assign(n, 0.0f);
    preparedSizeI = sizeI;
    preparedSizeJ = sizeJ;
}

void iftaEngine2D::applyAmplitudeConstraint(boost::shared_ptr<complexDataField2D> field)
{
    if (!accepts(*field, "iftaEngine2D::applyAmplitudeConstraint"))
        return;
    complexDataField2D& F = *field;
    prepareFor(F);
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
    for (int k = 0; k < n; ++k) {
        forwardStep(field);
        // Phase only, then times the target: the far-field modulus becomes T everywhere.
        prepareFor(*field);
        makeUnitPhasors(field->elementData(), field->elementCount(), targetInFieldOrder.data());
        backwardStep(field);
        field->makePhaseOnly();
    }
}

void iftaEngine2D::iterateSecondStage(boost::shared_ptr<complexDataField2D> field, int n)
{
    if (!accepts(*field, "iftaEngine2D::iterateSecondStage"))
        return;
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
        quantizePhasePartially(field, double(k + 1) / n, levels);
    }
}

boost::shared_ptr<complexDataField2D> passField(boost::shared_ptr<complexDataField2D> field)
{
    return field;
}
