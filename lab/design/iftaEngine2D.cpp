// The internal edition's iftaEngine2D: weights, the amplitude constraint and the three stages.
#include "lab/design/iftaEngine2D.h"

#include "design/designOperations.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

iftaEngine2D::iftaEngine2D(boost::shared_ptr<DataField2D> target,
                           boost::shared_ptr<DataField2D> mask, float gamma)
    : target(target)
    , mask(mask)
    , noiseWeight(((-mask) + 1.0f) * gamma)
    , signalWeight(target * mask)
    , gamma(gamma)
    , targetPower(float(target->getSumOfSquares()))
{}

iftaEngine2D::~iftaEngine2D() = default;

void iftaEngine2D::applyAmplitudeConstraint(boost::shared_ptr<complexDataField2D> field)
{
    complexDataField2D& F = *field;
    farFieldAmplitude = F.splitAmplitude();
    const float fit = scalarProduct(signalWeight, farFieldAmplitude);
    const float s = targetPower != 0.0f ? fit / targetPower : 0.0f;
    const DataField2D& A = *farFieldAmplitude;
    const DataField2D& noise = *noiseWeight;
    const DataField2D& signal = *signalWeight;
    // F has unit modulus (or is 0) after the split. j outer, i inner: the storage order.
    const int sizeI = F.getSizeI();
    const int sizeJ = F.getSizeJ();
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const float m = noise.getValue(i, j) * A.getValue(i, j) + s * signal.getValue(i, j);
            const complexFloat z = F.getValue(i, j);
            F.setValue(i, j, {z.re * m, z.im * m});
        }
}

void iftaEngine2D::iterateFirstStage(boost::shared_ptr<complexDataField2D> field, int n)
{
    for (int k = 0; k < n; ++k) {
        field->fft();
        field->makePhaseOnly();
        *field *= target;
        field->ifft();
        field->makePhaseOnly();
    }
}

void iftaEngine2D::iterateSecondStage(boost::shared_ptr<complexDataField2D> field, int n)
{
    for (int k = 0; k < n; ++k) {
        field->fft();
        applyAmplitudeConstraint(field);
        field->ifft();
        field->makePhaseOnly();
    }
}

void iftaEngine2D::iterateQuantizationStage(boost::shared_ptr<complexDataField2D> field, int n,
                                            int levels)
{
    for (int k = 0; k < n; ++k) {
        field->fft();
        applyAmplitudeConstraint(field);
        field->ifft();
        quantizePhasePartially(field, double(k + 1) / n, levels);
    }
}
