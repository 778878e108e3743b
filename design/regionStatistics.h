// regionStatistics: the connected regions of equal value of a complex field (for a quantised
// DOE the areas of one phase level) with their smallest and largest size and area.
#pragma once

#include <boost/shared_ptr.hpp>
#include <set>
#include <vector>

class complexDataField2D;

// A region is a 4-connected set of elements whose values are exactly equal (real and imaginary
// parts compared as floats), the field wrapping at its edges (a torus). Elements are named by
// their linear index sizeI j + i. Sizes count elements, areas are in square metres of the
// field's pitch. The work is done by the constructor, which keeps no reference to the field.
class regionStatistics
{
public:
    explicit regionStatistics(boost::shared_ptr<complexDataField2D> field);

    unsigned getSizeI() const { return sizeI; }
    unsigned getSizeJ() const { return sizeJ; }
    double getPixelArea() const { return pixelArea; }
    unsigned getPixelCount() const { return pixelCount; }
    double getTotalArea() const { return totalArea; }
    unsigned getRegionCount() const { return regionCount; }
    // For a field without elements: 0 regions, both sizes 0.
    unsigned getMinRegionSize() const { return minRegionSize; }
    unsigned getMaxRegionSize() const { return maxRegionSize; }
    double getMinRegionArea() const { return minRegionArea; }
    double getMaxRegionArea() const { return maxRegionArea; }
    // The regions in the order their first element is met (i outer, j inner).
    const std::vector<std::set<unsigned>>& getRegions() const { return regions; }

private:
    unsigned sizeI;
    unsigned sizeJ;
    double dx;
    double dy;
    double pixelArea;
    unsigned pixelCount;
    double totalArea;
    unsigned regionCount;
    unsigned minRegionSize;
    unsigned maxRegionSize;
    double minRegionArea;
    double maxRegionArea;
    std::vector<std::set<unsigned>> regions;
};
