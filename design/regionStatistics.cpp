// regionStatistics: the walk that collects the regions of equal value and their extremes.
#include "design/regionStatistics.h"

#include "fields/binaryArray2D.h"
#include "fields/complexDataField2D.h"

#include <algorithm>
#include <utility>

namespace {

bool equalValues(const complexFloat& a, const complexFloat& b)
{
    return a.re == b.re && a.im == b.im;
}

} // namespace

regionStatistics::regionStatistics(boost::shared_ptr<complexDataField2D> field)
    : sizeI(field ? unsigned(std::max(field->getSizeI(), 0)) : 0u)
    , sizeJ(field ? unsigned(std::max(field->getSizeJ(), 0)) : 0u)
    , dx(field ? field->getDx() : 0.0)
    , dy(field ? field->getDy() : 0.0)
    , pixelArea(dy * dx)
    , pixelCount(sizeI * sizeJ)
    , totalArea(pixelCount * dy * dx)
    , regionCount(0)
    , minRegionSize(pixelCount)
    , maxRegionSize(0)
    , minRegionArea(0.0)
    , maxRegionArea(0.0)
{
    if (pixelCount > 0) {
        binaryArray2D visited(sizeI, sizeJ, false);
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        std::vector<std::pair<unsigned, unsigned>> pending;
        for (unsigned i = 0; i < sizeI; ++i)
            for (unsigned j = 0; j < sizeJ; ++j) {
                if (visited.getBit(i, j))
                    continue;
                ++regionCount;
                const complexFloat value = field->getValue(int(i), int(j));
                std::set<unsigned> region;
                region.insert(sizeI * j + i);
                visited.setBit(i, j, true);
                pending.assign(1, {i, j});
                while (!pending.empty()) {
                    const std::pair<unsigned, unsigned> from = pending.back();
                    pending.pop_back();
                    // Walk each way while the values match, stopping at an element that is
                    // already taken: equal connected values all belong to this region, so a
                    // uniform row or column ends after one turn.
                    for (const auto& step : steps) {
                        unsigned x = from.first;
                        unsigned y = from.second;
                        for (;;) {
                            x = unsigned((int(x) + step[0] + int(sizeI)) % int(sizeI));
                            y = unsigned((int(y) + step[1] + int(sizeJ)) % int(sizeJ));
                            if (visited.getBit(x, y)
                                || !equalValues(field->getValue(int(x), int(y)), value))
                                break;
                            region.insert(sizeI * y + x);
                            visited.setBit(x, y, true);
                            pending.emplace_back(x, y);
                        }
                    }
                }
                minRegionSize = std::min(minRegionSize, unsigned(region.size()));
                maxRegionSize = std::max(maxRegionSize, unsigned(region.size()));
                regions.push_back(std::move(region));
            }
    }
    minRegionArea = minRegionSize * pixelArea;
    maxRegionArea = maxRegionSize * pixelArea;
}
