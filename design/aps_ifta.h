// aps_ifta: the iterative design of a periodic beam-splitter DOE for a list of signal orders,
// which it treats as single plane waves rather than far-field pixels.
#pragma once

#include <boost/shared_ptr.hpp>

class DataField2D;
class binaryArray2D;
class complexDataField2D;
class signalOrderList;

// The working field is split into the signal orders' plane waves (their Fourier components) and
// the rest, the noise: the orders get their target amplitudes, the noise spectrum is multiplied
// by gamma (1 - mask), and the field is then made phase-only or quantised. Every iteration
// writes one INFO line with the diffraction efficiency to the program's log.
//
// The caller owns the order list and keeps it alive; field and mask are shared. The mask is a
// Fourier-domain window of the working field's size: 1 where the noise spectrum is removed, 0
// where it passes. The transforms are the field's own (forward exp(+2 pi i jk / n), unscaled).
// The iterations and weightNoise need a working field, at least one order and a mask of the
// field's size; without them they write a WARNING line and return.
class aps_ifta
{
public:
    // Without a working field; the output grid is the mask's size.
    aps_ifta(signalOrderList* orders, boost::shared_ptr<DataField2D> mask, float gamma);
    // With a working field; the output grid is the field's size.
    aps_ifta(signalOrderList* orders, boost::shared_ptr<complexDataField2D> field,
             boost::shared_ptr<DataField2D> mask, float gamma);
    // Output grid nI x nJ; outputSizeDiffers() when it is not the mask's (or the field's) size.
    // A negative size counts as 0.
    aps_ifta(signalOrderList* orders, boost::shared_ptr<DataField2D> mask, float gamma, int nI,
             int nJ);
    aps_ifta(signalOrderList* orders, boost::shared_ptr<complexDataField2D> field,
             boost::shared_ptr<DataField2D> mask, float gamma, int nI, int nJ);
    ~aps_ifta();

    aps_ifta(const aps_ifta&) = delete;
    aps_ifta& operator=(const aps_ifta&) = delete;

    // Phase freedom, n rounds: measure, orders to target modulus, field := their plane waves,
    // phase only. n <= 0 does nothing and writes nothing.
    void iteratePhF(int n);
    // Amplitude freedom, n rounds: measure, signal/noise step, field += scale * plane waves,
    // phase only.
    void iterateAF(int n);
    // Round k of n: measure, stagnation test, signal/noise step, field += scale * plane waves,
    // phase snapped to the levels with the fraction k / n. Two rounds in a row that measure the
    // efficiency of the round before on a field of at most `levels` values end the loop. With a
    // differing output size it runs n - 1 rounds and then finalQuantization(2).
    void iterateQuantization(int n, int levels);
    // Measure, signal/noise step, the binary DOE on the output grid (levels 2 only: a bit is set
    // where the real part of signal plus noise is > 0), field += scale * plane waves, phase
    // quantised to the levels. binaryDOE() is a new all-zero mask for any other level count.
    void finalQuantization(int levels);

    // Orders to target modulus, then the working field times the noise weight.
    void weightNoise();
    // z := unit(z) (|z| w(i, j)) with w the noise weight; 0 stays 0. The weight must cover f;
    // otherwise the "Error!" box and f stays unchanged.
    void multiplyByNoiseWeight(boost::shared_ptr<complexDataField2D> f);

    boost::shared_ptr<complexDataField2D> getField() const { return field; }
    boost::shared_ptr<DataField2D> getMask() const { return mask; }
    // gamma (1 - mask).
    boost::shared_ptr<DataField2D> getNoiseWeight() const { return noiseWeight; }
    float getGamma() const { return gamma; }
    // The last least-squares factor from target to sampled amplitudes; 0 before the first
    // signal/noise step.
    float getScale() const { return scale; }
    int getOutputSizeI() const { return outputSizeI; }
    int getOutputSizeJ() const { return outputSizeJ; }
    bool outputSizeDiffers() const { return outputDiffers; }
    // Empty until finalQuantization (or a quantisation loop with a differing output size) runs.
    boost::shared_ptr<binaryArray2D> getBinaryDOE() const { return binaryDOE; }

private:
    // The loops, on the list and field they are given (the methods pass the members).
    void phfLoop(signalOrderList* list, boost::shared_ptr<complexDataField2D> f, int n);
    void afLoop(signalOrderList* list, boost::shared_ptr<complexDataField2D> f, int n);
    void quantizationLoop(signalOrderList* list, boost::shared_ptr<complexDataField2D> f, int n,
                          int levels);
    void finalQuantizationStep(signalOrderList* list, boost::shared_ptr<complexDataField2D> f,
                               int levels);
    // Samples the orders from f and returns the diffraction efficiency (a fraction).
    double measure(signalOrderList* list, boost::shared_ptr<complexDataField2D> f);
    // Removes the orders' waves (times inv) from f, transforms, takes the scale, weights
    // orders and noise, transforms back.
    void splitSignalAndNoise(signalOrderList* list, boost::shared_ptr<complexDataField2D> f,
                             double inv);
    // false, with a WARNING line naming the method, when the object cannot iterate.
    bool canIterate(const char* method) const;
    // The four public constructors: sized tells whether an output size was given.
    aps_ifta(signalOrderList* orders, boost::shared_ptr<complexDataField2D> field,
             boost::shared_ptr<DataField2D> mask, float gamma, bool sized, int nI, int nJ);

    boost::shared_ptr<complexDataField2D> field;
    signalOrderList* orders;
    boost::shared_ptr<DataField2D> mask;
    boost::shared_ptr<DataField2D> noiseWeight;
    float gamma;
    float scale;
    int outputSizeI;
    int outputSizeJ;
    bool outputDiffers;
    boost::shared_ptr<binaryArray2D> binaryDOE;
};
