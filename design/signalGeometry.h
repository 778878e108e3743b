// signalGeometry: which diffraction orders a target field in transform order uses, overall and
// per quadrant, as a text summary.
#pragma once

#include <boost/shared_ptr.hpp>
#include <string>

class DataField2D;

// Element (i, j) of the target stands for the order nx = i for i <= (NI - 1) / 2, else i - NI,
// likewise ny; an element is a signal order when its value is > 1e-8. Quadrant 1 holds
// nx >= 0, ny >= 0, quadrant 2 nx < 0, ny >= 0, quadrant 3 nx < 0, ny < 0, quadrant 4
// nx >= 0, ny < 0. The highest and lowest order are the signed index of largest and smallest
// magnitude; the diffraction angle is ranked by nx^2 + ny^2.
class signalGeometry
{
public:
    struct orderExtent
    {
        int highestNx;
        int highestNy;
        int highestAngleNx; // the order of highest diffraction angle
        int highestAngleNy;
        int lowestNx;
        int lowestNy;
        int lowestAngleNx; // the order of lowest diffraction angle
        int lowestAngleNy;
    };

    // Keeps its own pointer to the field. A quadrant without signal orders reports the starting
    // values: highest 0, lowest nx NI and lowest ny NJ.
    explicit signalGeometry(boost::shared_ptr<DataField2D> target);
    ~signalGeometry();

    void analyze();
    // "\nSignal is represented by <count> signal orders" and the overall and per-quadrant lines.
    std::string report() const;

    int getSignalOrderCount() const { return signalOrderCount; }
    bool isZeroOrderSignal() const { return zeroOrderIsSignal; }
    const orderExtent& overall() const { return overallExtent; }
    // quadrant 1 .. 4.
    const orderExtent& quadrant(int q) const { return quadrants[q - 1]; }

private:
    boost::shared_ptr<DataField2D> target;
    int NI;
    int NJ;
    int hI;
    int hJ;
    bool zeroOrderIsSignal;
    int signalOrderCount;
    orderExtent overallExtent;
    orderExtent quadrants[4];
};
