// The internal edition's IFTA: three stages on the FFTW transforms of complexDataField2D that
// turn a target far-field amplitude into the phase of a phase-only DOE.
#pragma once

#include <boost/shared_ptr.hpp>

class DataField2D;
class complexDataField2D;

// One design run. The working field belongs to the caller and passes between the DOE plane and
// the far field in place: fft (exp(-2 pi i jk / n)) forward, ifft backward, both unscaled.
// Target, mask and working field share one grid; the engine checks no sizes. It shares target
// and mask with the caller and owns the fields derived from them.
class iftaEngine2D
{
public:
    // target: amplitude T in transform order (zero frequency at element (0, 0)); mask M: 1.0 in
    // the signal region, 0.0 outside; gamma: weight of the noise region's own far-field
    // modulus. Precomputes gamma (1 - M), T M and the target power sum T^2.
    iftaEngine2D(boost::shared_ptr<DataField2D> target, boost::shared_ptr<DataField2D> mask,
                 float gamma);
    ~iftaEngine2D();

    iftaEngine2D(const iftaEngine2D&) = delete;
    iftaEngine2D& operator=(const iftaEngine2D&) = delete;

    // n rounds of: fft, phase only, modulus := T everywhere, ifft, phase only.
    void iterateFirstStage(boost::shared_ptr<complexDataField2D> field, int n);
    // n rounds of: fft, amplitude constraint, ifft, phase only.
    void iterateSecondStage(boost::shared_ptr<complexDataField2D> field, int n);
    // Round k of n: fft, amplitude constraint, ifft, quantizePhasePartially with the fraction
    // (k + 1) / n and the given levels; the last round snaps every phase, so the field ends with
    // modulus 1 and phases on the levels. n = 0 changes nothing.
    void iterateQuantizationStage(boost::shared_ptr<complexDataField2D> field, int n, int levels);

    // On the far field F, in place: A := |F| (kept as the last far-field amplitude), then
    // F := unit(F) (gamma (1 - M) A + s T M) with the least-squares factor
    // s = sum(T M A) / sum(T^2). The signal region gets the modulus s T, the noise region keeps
    // gamma times its own; no phase changes and a zero element stays zero. A target without
    // power gives s = 0, never a NaN.
    void applyAmplitudeConstraint(boost::shared_ptr<complexDataField2D> field);

    float getGamma() const { return gamma; }
    float getTargetPower() const { return targetPower; }
    // |F| of the last far field that went through the constraint; empty before the first.
    boost::shared_ptr<DataField2D> lastFarFieldAmplitude() const { return farFieldAmplitude; }

private:
    boost::shared_ptr<DataField2D> target;
    boost::shared_ptr<DataField2D> mask;
    boost::shared_ptr<DataField2D> noiseWeight;
    boost::shared_ptr<DataField2D> signalWeight;
    boost::shared_ptr<DataField2D> farFieldAmplitude;
    float gamma;
    float targetPower;
};
