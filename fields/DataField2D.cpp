// Life cycle, element access, index conventions and geometric copies of the real field.
#include "fields/DataField2D.h"

#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "fields/alignedArray.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Brings any index into 0..n-1 (n > 0), the same result as adding or subtracting n repeatedly.
int wrapIndex(int k, int n)
{
    const int r = k % n;
    return r < 0 ? r + n : r;
}

// Writes source(i + source.sizeI / 2 - target.sizeI / 2, ...) into target(i, j) wherever that
// source index lies inside the source; the rest of target keeps its values.
void copyCentred(const DataField2D& source, DataField2D& target)
{
    const int offsetI = source.getSizeI() / 2 - target.getSizeI() / 2;
    const int offsetJ = source.getSizeJ() / 2 - target.getSizeJ() / 2;
    for (int j = 0; j < target.getSizeJ(); ++j) {
        const int sourceJ = j + offsetJ;
        if (sourceJ < 0 || sourceJ >= source.getSizeJ())
            continue;
        for (int i = 0; i < target.getSizeI(); ++i) {
            const int sourceI = i + offsetI;
            if (sourceI >= 0 && sourceI < source.getSizeI())
                target.setValue(i, j, source.getValue(sourceI, sourceJ));
        }
    }
}

} // namespace

DataField2D::DataField2D(int sizeI, int sizeJ, double x0, double y0, double dx, double dy,
                         float fill)
    : x0(x0)
    , y0(y0)
    , dx(dx)
    , dy(dy)
    , maxValue(0.0f)
    , minValue(0.0f)
    , minimalPositive(-1.0f)
    , maximalNegative(1.0f)
{
    allocate(sizeI, sizeJ);
    if (data)
        std::fill(data, data + this->sizeI * this->sizeJ, fill);
}

DataField2D::DataField2D(int sizeI, int sizeJ, double x0, double y0, double dx, double dy, AdoptTag,
                         float* array)
    : ok(array != nullptr)
    , data(array)
    , adopted(array != nullptr)
    , sizeI(array && sizeI > 0 && sizeJ > 0 ? sizeI : 0)
    , sizeJ(array && sizeI > 0 && sizeJ > 0 ? sizeJ : 0)
    , x0(x0)
    , y0(y0)
    , dx(dx)
    , dy(dy)
    , maxValue(0.0f)
    , minValue(0.0f)
    , minimalPositive(-1.0f)
    , maximalNegative(1.0f)
{}

DataField2D::DataField2D(const DataField2D& other)
    : maxValue(0.0f)
    , minValue(0.0f)
    , minimalPositive(-1.0f)
    , maximalNegative(1.0f)
{
    copyFrom(other);
}

DataField2D::~DataField2D()
{
    clear();
}

DataField2D& DataField2D::operator=(const DataField2D& other)
{
    if (this == &other)
        return *this;
    clear();
    copyFrom(other);
    return *this;
}

void DataField2D::allocate(int newSizeI, int newSizeJ)
{
    data = nullptr;
    adopted = false;
    sizeI = 0;
    sizeJ = 0;
    if (newSizeI < 0 || newSizeJ < 0 || static_cast<long long>(newSizeI) * newSizeJ > INT_MAX) {
        ok = false;
        return;
    }
    const int count = newSizeI * newSizeJ;
    if (count > 0) {
        data = static_cast<float*>(allocateAlignedBlock(sizeof(float) * std::size_t(count)));
        if (!data) {
            ok = false;
            return;
        }
    }
    sizeI = newSizeI;
    sizeJ = newSizeJ;
    ok = true;
}

void DataField2D::copyFrom(const DataField2D& other)
{
    allocate(other.getSizeI(), other.getSizeJ());
    if (data)
        std::copy(other.data, other.data + sizeI * sizeJ, data);
    dx = other.dx;
    dy = other.dy;
    x0 = other.x0;
    y0 = other.y0;
}

void DataField2D::clear()
{
    sizeI = 0;
    sizeJ = 0;
    if (adopted)
        delete[] data;
    else
        releaseAlignedBlock(data);
    data = nullptr;
    adopted = false;
}

boost::shared_ptr<DataField2D> DataField2D::newField(int nI, int nJ, double x0, double y0,
                                                     double dx, double dy)
{
    return boost::shared_ptr<DataField2D>(new DataField2D(nI, nJ, x0, y0, dx, dy, 0.0f));
}

boost::shared_ptr<DataField2D> DataField2D::newFieldLike() const
{
    return newField(sizeI, sizeJ, x0, y0, dx, dy);
}

bool isIndexPosition(double position)
{
    return position > -2147483649.0 && position < 2147483648.0;
}

int truncatedIndex(double position)
{
    if (isIndexPosition(position))
        return static_cast<int>(position);
    return position > 0.0 ? INT_MAX : INT_MIN;
}

float DataField2D::getValueChecked(int i, int j) const
{
    if (i >= 0 && i < sizeI && j >= 0 && j < sizeJ)
        return getValue(i, j);
    numericErrorBox(QStringLiteral("SizeI=%1 -- Illegal access to field value in DataField2D at "
                                   "[%2,%3] !")
                        .arg(sizeI)
                        .arg(i)
                        .arg(j));
    return 0.0f;
}

float DataField2D::getValuePeriodic(int i, int j) const
{
    if (sizeI <= 0 || sizeJ <= 0)
        return 0.0f;
    return getValue(wrapIndex(i, sizeI), wrapIndex(j, sizeJ));
}

float DataField2D::sampleAt(double x, double y, int mode) const
{
    constexpr double samplePi = 3.141592653589793;
    if (mode == 1 && isIndexPosition(x) && isIndexPosition(y)) {
        const int i0 = truncatedIndex(x);
        const int j0 = truncatedIndex(y);
        const double tx = x - i0;
        const double ty = y - j0;
        const double wx0 = (1.0 + std::cos(samplePi * tx)) / 2.0;
        const double wx1 = (1.0 + std::cos(samplePi * (1.0 - tx))) / 2.0;
        const double wy0 = (1.0 + std::cos(samplePi * ty)) / 2.0;
        const double wy1 = (1.0 + std::cos(samplePi * (1.0 - ty))) / 2.0;
        const bool lastColumn = i0 >= sizeI - 1;
        const bool lastRow = j0 >= sizeJ - 1;
        if (!lastColumn && !lastRow)
            return static_cast<float>(getValueChecked(i0, j0) * wx0 * wy0
                                      + getValueChecked(i0, j0 + 1) * wx0 * wy1
                                      + getValueChecked(i0 + 1, j0) * wx1 * wy0
                                      + getValueChecked(i0 + 1, j0 + 1) * wx1 * wy1);
        if (lastColumn && !lastRow)
            return static_cast<float>(getValueChecked(i0, j0) * wy0
                                      + getValueChecked(i0, j0 + 1) * wy1);
        if (lastRow && !lastColumn)
            return static_cast<float>(getValueChecked(i0, j0) * wx0
                                      + getValueChecked(i0 + 1, j0) * wx1);
        return getValueChecked(i0, j0);
    }
    // A NaN or a position beyond the int range lies outside the field in every mode.
    const bool representable = isIndexPosition(x + 0.49) && isIndexPosition(y + 0.49);
    const int i = truncatedIndex(x + 0.49);
    const int j = truncatedIndex(y + 0.49);
    return mode == 0 || mode == 1 || !representable ? getValueChecked(i, j) : getValue(i, j);
}

void DataField2D::setValuePeriodic(int i, int j, float v)
{
    if (sizeI <= 0 || sizeJ <= 0)
        return;
    setValue(wrapIndex(i, sizeI), wrapIndex(j, sizeJ), v);
}

void DataField2D::setValuePeriodic(int i, float v)
{
    if (sizeI <= 0 || sizeJ <= 0)
        return;
    setValue(wrapIndex(i, sizeI), v);
}

void DataField2D::setPixelSize(double newDx, double newDy)
{
    dx = newDx;
    dy = newDy;
}

double DataField2D::getX(double i) const
{
    return (i - sizeI / 2) * dx + x0;
}

double DataField2D::getY(double j) const
{
    return (j - sizeJ / 2) * dy + y0;
}

int DataField2D::centeredIndexI(int i) const
{
    return i < (sizeI + 1) / 2 ? i : i - sizeI;
}

int DataField2D::centeredIndexJ(int j) const
{
    return j < (sizeJ + 1) / 2 ? j : j - sizeJ;
}

bool DataField2D::isInCenteredRange(int i, int j) const
{
    return -(sizeI / 2) <= i && i < (sizeI + 1) / 2 && -(sizeJ / 2) <= j && j < (sizeJ + 1) / 2;
}

boost::shared_ptr<DataField2D> DataField2D::cyclicShift(int di, int dj) const
{
    boost::shared_ptr<DataField2D> result
        = newField(sizeI, sizeJ, 0.0, 0.0, opticalParameters.defaultPixelSizeX,
                   opticalParameters.defaultPixelSizeY);
    if (sizeI <= 0 || sizeJ <= 0)
        return result;
    // Reduced first, so that i - shiftI cannot overflow whatever the shift.
    const int shiftI = wrapIndex(di, sizeI);
    const int shiftJ = wrapIndex(dj, sizeJ);
    for (int j = 0; j < sizeJ; ++j) {
        const int sourceJ = wrapIndex(j - shiftJ, sizeJ);
        for (int i = 0; i < sizeI; ++i)
            result->setValue(i, j, getValue(wrapIndex(i - shiftI, sizeI), sourceJ));
    }
    return result;
}

boost::shared_ptr<DataField2D> DataField2D::resizeCentered(int nI, int nJ) const
{
    boost::shared_ptr<DataField2D> result = newField(nI, nJ, 0.0, 0.0, dx, dy);
    copyCentred(*this, *result);
    return result;
}

boost::shared_ptr<DataField2D> DataField2D::cropCentered(int nI, int nJ) const
{
    boost::shared_ptr<DataField2D> result = newField(
        nI, nJ, 0.0, 0.0, opticalParameters.defaultPixelSizeX, opticalParameters.defaultPixelSizeY);
    copyCentred(*this, *result);
    return result;
}
