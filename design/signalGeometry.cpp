// signalGeometry: the walk over the target's signal orders and the summary text.
#include "design/signalGeometry.h"

#include "fields/DataField2D.h"

#include <cstdlib>
#include <sstream>

namespace {

constexpr float signalThreshold = 1e-8f;

// Larger magnitude wins, the positive value on ties.
bool higher(int candidate, int kept)
{
    const int a = std::abs(candidate);
    const int b = std::abs(kept);
    return a > b || (a == b && candidate > kept);
}

// Smaller magnitude wins, the positive value on ties.
bool lower(int candidate, int kept)
{
    const int a = std::abs(candidate);
    const int b = std::abs(kept);
    return a < b || (a == b && candidate > kept);
}

void writeExtent(std::ostringstream& out, const char* prefix, const signalGeometry::orderExtent& e)
{
    out << prefix << "Highest order in X direction: " << e.highestNx << "\n";
    out << prefix << "Highest order in Y direction: " << e.highestNy << "\n";
    out << prefix << "Order with highest diffraction angle: [" << e.highestAngleNx << ","
        << e.highestAngleNy << "].\n";
    out << prefix << "Lowest order in X direction: " << e.lowestNx << "\n";
    out << prefix << "Lowest order in Y direction: " << e.lowestNy << "\n";
    out << prefix << "Order with lowest diffraction angle: [" << e.lowestAngleNx << ","
        << e.lowestAngleNy << "].\n\n";
}

} // namespace

signalGeometry::signalGeometry(boost::shared_ptr<DataField2D> target)
    : target(target)
    , NI(target ? target->getSizeI() : 0)
    , NJ(target ? target->getSizeJ() : 0)
    , hI((NI - 1) / 2)
    , hJ((NJ - 1) / 2)
    , zeroOrderIsSignal(false)
    , signalOrderCount(0)
{
    const orderExtent start = {0, 0, 0, 0, NI, NJ, NI, NJ};
    overallExtent = start;
    for (orderExtent& q : quadrants)
        q = start;
}

signalGeometry::~signalGeometry() = default;

void signalGeometry::analyze()
{
    const orderExtent start = {0, 0, 0, 0, NI, NJ, NI, NJ};
    for (orderExtent& q : quadrants)
        q = start;
    signalOrderCount = 0;
    zeroOrderIsSignal = NI > 0 && NJ > 0 && target->getValue(0, 0) > signalThreshold;
    long long largestR2[4];
    long long smallestR2[4];
    for (int q = 0; q < 4; ++q) {
        largestR2[q] = 0;
        smallestR2[q] = (long long)NI * NI + (long long)NJ * NJ;
    }

    for (int j = 0; j < NJ; ++j)
        for (int i = 0; i < NI; ++i) {
            if (!(target->getValue(i, j) > signalThreshold))
                continue;
            ++signalOrderCount;
            const int nx = i <= hI ? i : i - NI;
            const int ny = j <= hJ ? j : j - NJ;
            const int q = nx >= 0 ? (ny >= 0 ? 0 : 3) : (ny >= 0 ? 1 : 2);
            orderExtent& e = quadrants[q];
            if (std::abs(nx) > std::abs(e.highestNx))
                e.highestNx = nx;
            if (std::abs(ny) > std::abs(e.highestNy))
                e.highestNy = ny;
            if (std::abs(nx) < std::abs(e.lowestNx))
                e.lowestNx = nx;
            if (std::abs(ny) < std::abs(e.lowestNy))
                e.lowestNy = ny;
            const long long r2 = (long long)nx * nx + (long long)ny * ny;
            if (r2 > largestR2[q]) {
                largestR2[q] = r2;
                e.highestAngleNx = nx;
                e.highestAngleNy = ny;
            }
            if (r2 < smallestR2[q]) {
                smallestR2[q] = r2;
                e.lowestAngleNx = nx;
                e.lowestAngleNy = ny;
            }
        }

    overallExtent = quadrants[0];
    long long largest = largestR2[0];
    long long smallest = smallestR2[0];
    for (int q = 1; q < 4; ++q) {
        const orderExtent& e = quadrants[q];
        if (higher(e.highestNx, overallExtent.highestNx))
            overallExtent.highestNx = e.highestNx;
        if (higher(e.highestNy, overallExtent.highestNy))
            overallExtent.highestNy = e.highestNy;
        if (lower(e.lowestNx, overallExtent.lowestNx))
            overallExtent.lowestNx = e.lowestNx;
        if (lower(e.lowestNy, overallExtent.lowestNy))
            overallExtent.lowestNy = e.lowestNy;
        if (largestR2[q] > largest)
            largest = largestR2[q];
        if (smallestR2[q] < smallest)
            smallest = smallestR2[q];
    }
    // Of the quadrants with the extreme angle, the last one gives the order.
    for (int q = 0; q < 4; ++q) {
        if (largestR2[q] == largest) {
            overallExtent.highestAngleNx = quadrants[q].highestAngleNx;
            overallExtent.highestAngleNy = quadrants[q].highestAngleNy;
        }
        if (smallestR2[q] == smallest) {
            overallExtent.lowestAngleNx = quadrants[q].lowestAngleNx;
            overallExtent.lowestAngleNy = quadrants[q].lowestAngleNy;
        }
    }
}

std::string signalGeometry::report() const
{
    std::ostringstream out;
    out << "\nSignal is represented by " << signalOrderCount << " signal orders";
    if (zeroOrderIsSignal)
        out << ", including the 0-th order."
            << "\n";
    out << "\n\n";
    writeExtent(out, "", overallExtent);
    const char* prefixes[4] = {"Quadrant 1 - ", "Quadrant 2 - ", "Quadrant 3 - ", "Quadrant 4 - "};
    for (int q = 0; q < 4; ++q)
        writeExtent(out, prefixes[q], quadrants[q]);
    out << "\n";
    return out.str();
}
