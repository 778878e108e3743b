// The signal diffraction orders of a spot-array design: one record per order and the list with
// its running statistics, envelope steps and plane-wave synthesis.
#pragma once

#include "fields/complexFloat.h"

#include <boost/shared_ptr.hpp>
#include <vector>

class complexDataField2D;

// One signal order: eight 32-bit values. The aux values travel with the record; nothing here
// reads or changes them. Frequencies in cycles per metre.
struct signalOrder
{
    float aux0 = 0.0f;
    float aux1 = 0.0f;
    float aux2 = 0.0f;
    float fx = 0.0f;
    float fy = 0.0f;
    float targetAmplitude = 0.0f;
    complexFloat amplitude = {0.0f, 0.0f}; // current complex amplitude c
};

static_assert(sizeof(signalOrder) == 8 * sizeof(float), "signalOrder is eight packed floats");

// Records are kept in the order of addition and never removed. The first group of statistics
// (frequency extents, target intensities a^2) describes everything ever added; the second group
// (intensities |c|^2) the amplitudes as of the last computeStatistics. Sums are floats, products
// and quotients are formed in double and rounded when stored.
class signalOrderList
{
public:
    signalOrderList();

    // Updates the first group of statistics and appends a copy.
    void addOrder(signalOrder order);
    // Throws std::out_of_range("vector") for index >= size().
    signalOrder& at(unsigned int index);
    const signalOrder& at(unsigned int index) const;
    int size() const { return static_cast<int>(records.size()); }

    // Seeds the generator from the clock, then c = a (cos t, sin t) with a random t per record.
    void randomizePhases();
    // Every order at frequency (0, 0) gets target amplitude v; without one, such an order with
    // c = 0 is added.
    void setZeroOrderAmplitude(float v);
    // Envelope f = (sinc(fx pitchX) sinc(fy pitchY))^p of a rectangular pixel (pitches in
    // metres); p == 0 does nothing. applyEnvelope multiplies every non-zero c by f;
    // precompensateEnvelope divides every non-zero a by f when f != 0.
    void applyEnvelope(double pitchX, double pitchY, double p);
    void precompensateEnvelope(double pitchX, double pitchY, double p);
    // c scaled to modulus a; c = 0 stays 0.
    void rescaleToTarget();

    // c := the field's Fourier component at (fx, fy). The list keeps no reference to the field.
    void sampleField(boost::shared_ptr<complexDataField2D> field);
    // Sum of c (cos t, sin t) with t = X fx + Y fy (angular coordinates: no factor 2 pi).
    // An empty list gives 0.
    complexFloat sumAt(float X, float Y) const;
    // The field becomes the sum of the waves c exp(+2 pi i (fx x + fy y)) over its grid; an
    // empty list leaves it zero. In place: every holder of the pointer sees the result.
    void synthesize(boost::shared_ptr<complexDataField2D> field) const;
    // field += s * waves, field -= s * waves (s rounded to float).
    void addToField(boost::shared_ptr<complexDataField2D> field, double s) const;
    void subtractFromField(boost::shared_ptr<complexDataField2D> field, double s) const;

    // Least-squares factor s with s a closest to |c|: sum |c| a / sum a^2; 0 when the list holds
    // no target intensity.
    double amplitudeScale() const;
    // sumIntensity := sum of |c|^2.
    void computeSignalIntensity();
    // The second group of statistics. An empty list sets all of them to 0. Zero target
    // amplitudes give infinite or NaN relative intensities.
    void computeStatistics();

    float getMaxX() const { return maxX; }
    float getMinX() const { return minX; }
    float getMaxY() const { return maxY; }
    float getMinY() const { return minY; }
    float getMaxRadius() const { return maxRadius; }
    float getSumTargetIntensity() const { return sumTargetIntensity; }
    // 0 until the first order with a non-zero target is added.
    float getMinTargetIntensity() const { return minTargetIntensity; }
    float getMaxTargetIntensity() const { return maxTargetIntensity; }
    float getSumSquaredTargetIntensity() const { return sumSquaredTargetIntensity; }
    float getMinIntensity() const { return minIntensity; }
    float getMaxIntensity() const { return maxIntensity; }
    float getMinRelativeIntensity() const { return minRelativeIntensity; }
    float getMaxRelativeIntensity() const { return maxRelativeIntensity; }
    float getSumIntensity() const { return sumIntensity; }
    float getSumIntensityTimesTarget() const { return sumIntensityTimesTarget; }

private:
    float maxX = 0.0f;
    float minX = 0.0f;
    float maxY = 0.0f;
    float minY = 0.0f;
    float maxRadius = 0.0f;
    float sumTargetIntensity = 0.0f;
    float minTargetIntensity = 0.0f;
    float maxTargetIntensity = 0.0f;
    float sumSquaredTargetIntensity = 0.0f;
    float minIntensity = 0.0f;
    float maxIntensity = 0.0f;
    float minRelativeIntensity = 0.0f;
    float maxRelativeIntensity = 0.0f;
    float sumIntensity = 0.0f;
    float sumIntensityTimesTarget = 0.0f;
    std::vector<signalOrder> records;
};
