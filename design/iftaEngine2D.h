// The iterative Fourier transform algorithm that turns a target far-field amplitude into the
// phase of a phase-only DOE, in three stages.
#pragma once

#include "fields/alignedArray.h"

#include <boost/shared_ptr.hpp>

class DataField2D;
class complexDataField2D;
class quadraticPhaseOperator2D;

// One design run. The caller's working field passes between the DOE plane and the far field
// (forward transform exp(+2 pi i jk / n), backward exp(-2 pi i jk / n), both unscaled) and is
// changed in place by every stage. Target, mask and working field have equal sizes: the
// constructor and every stage and constraint check them and on a mismatch show the "Error!" box
// and leave the field unchanged. The engine shares target and mask with the caller and owns its
// derived fields.
class iftaEngine2D
{
public:
    // target: amplitude T in transform order (zero frequency at element (0, 0)); mask: 1.0 in
    // the signal region, 0.0 outside; gamma: factor on the far-field modulus outside the signal
    // region. mode 1 computes the constraint's weights per pixel, any other mode precomputes
    // gamma (1 - mask) and T mask, in the working field's storage order at the first pass on it.
    iftaEngine2D(boost::shared_ptr<DataField2D> target, boost::shared_ptr<DataField2D> mask,
                 float gamma, int mode);
    ~iftaEngine2D();

    iftaEngine2D(const iftaEngine2D&) = delete;
    iftaEngine2D& operator=(const iftaEngine2D&) = delete;

    // n rounds of: forward, phase only, modulus := T everywhere, backward, phase only.
    void iterateFirstStage(boost::shared_ptr<complexDataField2D> field, int n);
    // n rounds of: forward, amplitude constraint, backward, phase only.
    void iterateSecondStage(boost::shared_ptr<complexDataField2D> field, int n);
    // Round k of n: forward, amplitude constraint, backward, quantizePhasePartially with the
    // fraction (k + 1) / n; afterwards every element has modulus 1 and a phase on one of the
    // levels. n = 0 does nothing. The last round's levels are kept (lastQuantizationLevels).
    void iterateQuantizationStage(boost::shared_ptr<complexDataField2D> field, int n, int levels);
    // The level of every element after the last round of the last quantisation stage, in the
    // field's storage order (elementIndex), as quantizePhasePartially leaves it: k where the
    // element is exactly quantizationLevelPhasor(k, levels), -1 where it kept its phase; it
    // describes the field while nothing else changed it. Null before such a round (and after a
    // first or second stage, or when its memory was refused).
    const int* lastQuantizationLevels() const;
    std::size_t lastQuantizationLevelCount() const { return quantizationLevels.size(); }

    // Building blocks of the stages, each in place on the given field.
    // The propagator (when held), then the forward transform.
    void forwardStep(boost::shared_ptr<complexDataField2D> field);
    // The backward transform, then the inverse propagator (when held).
    void backwardStep(boost::shared_ptr<complexDataField2D> field);
    // backwardStep, then phase only.
    void backwardStepPhaseOnly(boost::shared_ptr<complexDataField2D> field);
    // On the far field: F := unit(F) (s T m + gamma (1 - m) |F|) with the least-squares factor
    // s = sum(T m |F|) / sum(T^2). Inside the signal region the modulus becomes the scaled
    // target, outside it is multiplied by gamma; no phase changes and a zero pixel stays zero.
    // A target without energy gives s = 0.
    void applyAmplitudeConstraint(boost::shared_ptr<complexDataField2D> field);

    int getMode() const { return mode; }
    float getGamma() const { return gamma; }
    float getTargetPower() const { return targetPower; }

private:
    // Target, mask and field of one size, and the storage-order operands below made for it;
    // otherwise the box naming the function (also when their memory is refused).
    bool accepts(const complexDataField2D& field, const char* function);
    // Makes the storage-order operands for the field's sizes (once per size) in one pass over
    // target and mask; false when their memory is refused.
    bool prepareFor(const complexDataField2D& field);

    int mode;
    boost::shared_ptr<quadraticPhaseOperator2D> propagator;
    boost::shared_ptr<DataField2D> target;
    boost::shared_ptr<DataField2D> mask;
    float gamma;
    float targetPower;
    // The target and (mode != 1) the weights gamma (1 - mask) and T mask in the working field's
    // storage order, so that the element-wise passes walk every operand in order; and the
    // far-field modulus of the last constraint, one buffer reused by every pass.
    int preparedSizeI = -1;
    int preparedSizeJ = -1;
    alignedArray<float> targetInFieldOrder;
    alignedArray<float> signalInFieldOrder;
    alignedArray<float> noiseInFieldOrder;
    alignedArray<float> farFieldModulus;
    alignedArray<int> quantizationLevels;
};

// Returns the field it is given.
boost::shared_ptr<complexDataField2D> passField(boost::shared_ptr<complexDataField2D> field);
