// The picture the DOE design benchmarks start from.
#pragma once

#include "fields/DataField2D.h"

#include <boost/shared_ptr.hpp>

// A picture of about 0.8 n x 0.8 n (the largest that still gives grid n) with a ring and a bar.
inline boost::shared_ptr<DataField2D> ringAndBarPicture(int n)
{
    const int side = n * 8 / 10;
    boost::shared_ptr<DataField2D> field(new DataField2D(side, side, 0, 0, 1, 1, 0.0f));
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            const int di = i - side / 2, dj = j - side / 2;
            const int r2 = di * di + dj * dj;
            const bool ring = r2 > side * side / 16 && r2 < side * side / 9;
            const bool bar = i > side * 3 / 4 && j > side / 8 && j < side / 2;
            field->setValue(i, j, ring || bar ? 255.0f : 0.0f);
        }
    return field;
}
