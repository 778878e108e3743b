// Small real fields written and read as value lists in element order (i fastest).
#pragma once

#include "fields/DataField2D.h"

#include <boost/shared_ptr.hpp>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

inline DataField2D makeField(int sizeI, int sizeJ, const std::vector<float>& values,
                             double dx = 1.0, double dy = 1.0, double x0 = 0.0, double y0 = 0.0)
{
    DataField2D field(sizeI, sizeJ, x0, y0, dx, dy, 0.0f);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field.setValue(i, j, values.at(std::size_t(sizeI * j + i)));
    return field;
}

inline boost::shared_ptr<DataField2D> makeShared(const DataField2D& field)
{
    return boost::shared_ptr<DataField2D>(new DataField2D(field));
}

inline std::vector<float> valuesOf(const DataField2D& field)
{
    std::vector<float> values;
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i)
            values.push_back(field.getValue(i, j));
    return values;
}

// Element-wise within tol; NaN matches NaN only.
inline void expectValues(const DataField2D& field, const std::vector<float>& expected,
                         float tol = 0.0f)
{
    const std::vector<float> actual = valuesOf(field);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "element " << k);
        if (std::isnan(expected[k]))
            EXPECT_TRUE(std::isnan(actual[k])) << actual[k];
        else if (tol == 0.0f)
            EXPECT_EQ(actual[k], expected[k]);
        else
            EXPECT_NEAR(actual[k], expected[k], tol);
    }
}

inline void expectGeometry(const DataField2D& field, int sizeI, int sizeJ, double x0, double y0,
                           double dx, double dy)
{
    EXPECT_EQ(field.getSizeI(), sizeI);
    EXPECT_EQ(field.getSizeJ(), sizeJ);
    EXPECT_EQ(field.getX0(), x0);
    EXPECT_EQ(field.getY0(), y0);
    EXPECT_EQ(field.getDx(), dx);
    EXPECT_EQ(field.getDy(), dy);
}
