// complexDataField2D: the row storage, one row of 2 sizeJ floats per i in one block.
#include "fields/complexDataField2D.h"

#include "fields/complexFFT2D.h"

#include <algorithm>

bool complexDataField2D::allocate()
{
    if (sizeI <= 0 || sizeJ <= 0) {
        rows = nullptr;
        return true;
    }
    // A refusal leaves the field empty instead of ending the process as allocFloatArray2D does.
    rows = allocFloatArray2DOrNull(sizeI, 2 * sizeJ);
    return rows != nullptr;
}

float* complexDataField2D::elementData()
{
    return rows ? rows[0] : nullptr;
}

const float* complexDataField2D::elementData() const
{
    return rows ? rows[0] : nullptr;
}

void complexDataField2D::deallocate()
{
    freeFloatArray2D(rows);
    rows = nullptr;
}

// Both walk the one block of the rows in order.
void complexDataField2D::fillWith(const complexFloat& value)
{
    float* block = elementData();
    for (std::size_t k = 0; block && k < elementCount(); ++k) {
        block[2 * k] = value.re;
        block[2 * k + 1] = value.im;
    }
}

void complexDataField2D::copyValuesFrom(const complexDataField2D& source)
{
    if (float* block = elementData())
        std::copy(source.elementData(), source.elementData() + 2 * elementCount(), block);
}
