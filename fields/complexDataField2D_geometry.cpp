// complexDataField2D: centred index pairs and the geometric copies (centred crop or pad,
// cyclic shift).
#include "fields/complexDataField2D.h"

int complexDataField2D::centeredIndexI(int i) const
{
    return i < (sizeI + 1) / 2 ? i : i - sizeI;
}

int complexDataField2D::centeredIndexJ(int j) const
{
    return j < (sizeJ + 1) / 2 ? j : j - sizeJ;
}

bool complexDataField2D::isInCenteredRange(int i, int j) const
{
    return -(sizeI / 2) <= i && i < (sizeI + 1) / 2 && -(sizeJ / 2) <= j && j < (sizeJ + 1) / 2;
}

boost::shared_ptr<complexDataField2D> complexDataField2D::resizeCentered(int nI, int nJ) const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(nI, nJ, domainFlag));
    result->setPixelSize(dx, dy);
    const int oI = result->getSizeI() / 2 - sizeI / 2;
    const int oJ = result->getSizeJ() / 2 - sizeJ / 2;
    for (int j = 0; j < result->getSizeJ(); ++j) {
        const int sj = j - oJ;
        if (sj < 0 || sj >= sizeJ)
            continue;
        for (int i = 0; i < result->getSizeI(); ++i) {
            const int si = i - oI;
            if (si >= 0 && si < sizeI)
                result->setValue(i, j, getValue(si, sj));
        }
    }
    return result;
}

boost::shared_ptr<complexDataField2D> complexDataField2D::cyclicShift(int di, int dj) const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(sizeI, sizeJ, domainFlag));
    result->setPixelSize(dx, dy);
    if (sizeI <= 0 || sizeJ <= 0)
        return result;
    // Reduced first so that i - di cannot overflow.
    const int shiftI = di % sizeI;
    const int shiftJ = dj % sizeJ;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            result->setValue(i, j, getValuePeriodic(i - shiftI, j - shiftJ));
    return result;
}
