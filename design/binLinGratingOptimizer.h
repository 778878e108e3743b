// Gradient optimiser for a one-dimensional binary phase grating (phase depth pi) given as a row
// of segment widths, with its evaluation and iteration reports.
#pragma once

#include <boost/shared_ptr.hpp>
#include <iosfwd>
#include <memory>
#include <string>

class DataField2D;

struct binLinGratingOptimizerParameters
{
    // The arguments come in another order than the fields.
    binLinGratingOptimizerParameters(int signalOrders, int noiseOrders, double criticalDimension,
                                     double scalingFactor, int errorFunctionOrder);
    double getScalingFactor() const { return scalingFactor; }

    int signalOrders;         // a: orders -a .. a, the zero order included
    int noiseOrders;          // b: orders a+1 .. a+b on each side
    double scalingFactor;     // applied to the average signal intensity to form the targets
    double criticalDimension; // smallest allowed segment width, in the units of the widths
    int errorFunctionOrder;   // p
};

// All fields are one row high (sizeJ = 1). The widths w_1 .. w_L are in units of the period, the
// transition points x_j = w_1 + ... + w_j; the target holds 2K + 1 samples, sample K + m for
// order m, with K = a + b (a shorter target is read periodically); negative order counts count
// as 0. Order m != 0 has the intensity (S_m^2 + C_m^2) / (m pi)^2, with C_m and S_m the sums of
// (-1)^j cos(2 m pi x_j) and (-1)^j sin(2 m pi x_j); the zero order has 1 - 4 D (1 - D) with the
// fill factor D = sum of (-1)^j x_j. The level switches at every point, so the count is even: an
// odd count leaves its last point (the end of the period) out of the sums and in place. Reports
// use the default number format; percentages are fractions times 100.0.
class binLinGratingOptimizer
{
public:
    // Takes ownership of the parameters. The caller's fields are never changed; extraField is
    // only kept.
    binLinGratingOptimizer(boost::shared_ptr<DataField2D> widths,
                           boost::shared_ptr<DataField2D> target,
                           boost::shared_ptr<DataField2D> extraField,
                           binLinGratingOptimizerParameters* parameters);
    ~binLinGratingOptimizer();
    binLinGratingOptimizer(const binLinGratingOptimizer&) = delete;
    binLinGratingOptimizer& operator=(const binLinGratingOptimizer&) = delete;

    // Order intensities of the current grating and the summary report. The average intensity
    // sums the signal orders 1 .. a whose target is > 0 and divides by the number of target
    // samples > 0 (0 without any); the rms spread divides by a (0 for a = 0).
    std::string evaluate();
    // N + 1 steps of size s along the negative gradient (the first before the loop), each
    // followed by the critical-dimension correction when a segment is narrower than CD; the
    // iteration log. Afterwards the optimiser holds the new widths and transition points.
    // Evaluates first (without reporting) when the order intensities are not those of the
    // current grating.
    std::string optimize(int iterations, double stepSize);
    double getScalingFactor() const;

    boost::shared_ptr<DataField2D> getWidths() const { return widths; }
    boost::shared_ptr<DataField2D> getTransitionPoints() const { return transitionPoints; }

private:
    // The points where the level switches: with an odd count the last point, the end of the
    // period, joins segments L and 1 of one level and is left out (its gradient is 0).
    int switchingPointCount() const;
    void createOrderFields();
    // orderCos, orderSin, fillFactor and orderIntensity at the transition points x.
    void computeOrders(const boost::shared_ptr<DataField2D>& x);
    // averageIntensity, and with squares sumOfSquares.
    void computeAverage(bool withSquares);
    // float(scalingFactor * averageIntensity) * target.
    boost::shared_ptr<DataField2D> scaledTarget() const;
    double errorFunction() const;
    boost::shared_ptr<DataField2D> gradient(const boost::shared_ptr<DataField2D>& x,
                                            const boost::shared_ptr<DataField2D>& scaled) const;
    // x + s (-g) and its widths, corrected (with the line in the log) when one is below CD.
    void step(boost::shared_ptr<DataField2D>& x, boost::shared_ptr<DataField2D>& w,
              const boost::shared_ptr<DataField2D>& g, double stepSize, std::ostream& log,
              bool reportWidth) const;
    // Widths below CD are raised to CD, each neighbour (periodic) losing half the deficit.
    void correctCriticalDimension(const boost::shared_ptr<DataField2D>& w) const;
    // Orders -a .. a, and every other order with 0 inside -a .. a.
    boost::shared_ptr<DataField2D> signalOrders() const;
    boost::shared_ptr<DataField2D> noiseOrders(const boost::shared_ptr<DataField2D>& signal) const;

    boost::shared_ptr<DataField2D> widths;
    boost::shared_ptr<DataField2D> transitionPoints;
    boost::shared_ptr<DataField2D> target;
    boost::shared_ptr<DataField2D> extraField;
    std::unique_ptr<binLinGratingOptimizerParameters> parameters;
    int transitionPointCount; // L
    int highestOrder;         // K
    int targetCount;
    double averageIntensity = 0.0;
    double sumOfSquares = 0.0;
    boost::shared_ptr<DataField2D> orderSin;
    boost::shared_ptr<DataField2D> orderCos;
    boost::shared_ptr<DataField2D> orderIntensity;
    double fillFactor = 0.0;
    int a;                      // signal orders, at least 0
    int b;                      // noise orders, at least 0
    bool ordersCurrent = false; // order fields belong to transitionPoints
};
