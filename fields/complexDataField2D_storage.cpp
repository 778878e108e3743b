// complexDataField2D: the row storage, one row of 2 sizeJ floats per i in one block.
#include "fields/complexDataField2D.h"

#include "fields/complexFFT2D.h"

bool complexDataField2D::allocate()
{
    // Exhaustion ends the process inside the allocator, so rows are never null for a field with
    // elements.
    rows = (sizeI > 0 && sizeJ > 0) ? allocFloatArray2D(sizeI, 2 * sizeJ) : nullptr;
    return true;
}

float* complexDataField2D::elementData()
{
    return rows ? rows[0] : nullptr;
}

const float* complexDataField2D::elementData() const
{
    return rows ? rows[0] : nullptr;
}

std::size_t complexDataField2D::elementIndex(int i, int j) const
{
    return std::size_t(sizeJ) * std::size_t(i) + std::size_t(j);
}

void complexDataField2D::deallocate()
{
    freeFloatArray2D(rows);
    rows = nullptr;
}

void complexDataField2D::fillWith(const complexFloat& value)
{
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < sizeJ; ++j)
            setValue(i, j, value);
}

void complexDataField2D::copyValuesFrom(const complexDataField2D& source)
{
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < sizeJ; ++j)
            setValue(i, j, source.getValue(i, j));
}
