// complexDataField2D: life cycle, row storage, parameters and element access.
#include "fields/complexDataField2D.h"

#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "fields/DataField2D.h"
#include "fields/complexFFT2D.h"

#include <climits>

namespace {

// index brought into 0 .. size - 1; the same result as adding or subtracting size repeatedly.
int wrapIndex(int index, int size)
{
    int wrapped = index % size;
    if (wrapped < 0)
        wrapped += size;
    return wrapped;
}

// Sizes whose 2 sizeI sizeJ floats are countable in an int; larger ones would wrap the row
// length and the element counts of every loop.
bool storageFits(int sizeI, int sizeJ)
{
    return sizeI >= 0 && sizeJ >= 0 && 2 * static_cast<long long>(sizeI) * sizeJ <= INT_MAX;
}

} // namespace

complexDataField2D::complexDataField2D(int sizeI, int sizeJ, int domainFlag)
    : ok(storageFits(sizeI, sizeJ))
    , domainFlag(domainFlag)
    , sizeI(ok ? sizeI : 0)
    , sizeJ(ok ? sizeJ : 0)
    , dx(opticalParameters.defaultPixelSizeX)
    , dy(opticalParameters.defaultPixelSizeY)
    , rows(nullptr)
    , maxRe(0.0f)
    , minRe(0.0f)
    , maxIm(0.0f)
    , minIm(0.0f)
    , maxAbs(0.0f)
    , minAbs(0.0f)
{
    allocate();
    fillWith({0.0f, 0.0f});
}

complexDataField2D::complexDataField2D(int sizeI, int sizeJ, const complexFloat& value)
    : complexDataField2D(sizeI, sizeJ, 0)
{
    fillWith(value);
}

complexDataField2D::complexDataField2D(const complexDataField2D& source, bool shapeOnly)
    : ok(source.ok)
    , domainFlag(source.domainFlag)
    , sizeI(source.sizeI)
    , sizeJ(source.sizeJ)
    , dx(source.dx)
    , dy(source.dy)
    , rows(nullptr)
    , maxRe(0.0f)
    , minRe(0.0f)
    , maxIm(0.0f)
    , minIm(0.0f)
    , maxAbs(0.0f)
    , minAbs(0.0f)
{
    allocate();
    if (shapeOnly)
        fillWith({0.0f, 0.0f});
    else
        copyValuesFrom(source);
}

complexDataField2D::complexDataField2D(const DataField2D& real)
    : complexDataField2D(0, 0, 0)
{
    fromRealField(real);
}

complexDataField2D::~complexDataField2D()
{
    deallocate();
}

complexDataField2D& complexDataField2D::operator=(const complexDataField2D& other)
{
    if (this == &other)
        return *this;
    deallocate();
    ok = other.ok;
    domainFlag = other.domainFlag;
    sizeI = other.sizeI;
    sizeJ = other.sizeJ;
    dx = other.dx;
    dy = other.dy;
    allocate();
    copyValuesFrom(other);
    return *this;
}

complexDataField2D& complexDataField2D::operator=(const DataField2D& real)
{
    fromRealField(real);
    return *this;
}

void complexDataField2D::fromRealField(const DataField2D& real)
{
    deallocate();
    ok = storageFits(real.getSizeI(), real.getSizeJ());
    domainFlag = 0;
    sizeI = ok ? real.getSizeI() : 0;
    sizeJ = ok ? real.getSizeJ() : 0;
    dx = real.getDx();
    dy = real.getDy();
    allocate();
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, {real.getValue(i, j), 0.0f});
}

bool complexDataField2D::allocate()
{
    // Exhaustion ends the process inside the allocator, so rows are never null for a non-empty
    // field.
    rows = (sizeI > 0 && sizeJ > 0) ? allocFloatArray2D(sizeI, 2 * sizeJ) : nullptr;
    return true;
}

void complexDataField2D::deallocate()
{
    freeFloatArray2D(rows);
    rows = nullptr;
}

void complexDataField2D::fillWith(const complexFloat& value)
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, value);
}

void complexDataField2D::copyValuesFrom(const complexDataField2D& source)
{
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < sizeJ; ++j)
            setValue(i, j, source.getValue(i, j));
}

void complexDataField2D::setPixelSize(double newDx, double newDy)
{
    dx = newDx;
    dy = newDy;
}

void complexDataField2D::copyParametersTo(boost::shared_ptr<complexDataField2D> other) const
{
    other->setPixelSize(dx, dy);
    other->setDomainFlag(domainFlag);
}

void complexDataField2D::copyParametersFrom(boost::shared_ptr<complexDataField2D> other)
{
    setPixelSize(other->getDx(), other->getDy());
    setDomainFlag(other->getDomainFlag());
}

complexFloat complexDataField2D::getValueChecked(int i, int j) const
{
    if (i >= 0 && i < sizeI && j >= 0 && j < sizeJ)
        return getValue(i, j);
    numericErrorBox(QStringLiteral("SizeI=%1 -- Illegal access to field value in DataField2D at "
                                   "[%2,%3] !")
                        .arg(sizeI)
                        .arg(i)
                        .arg(j));
    return {0.0f, 0.0f};
}

complexFloat complexDataField2D::getValuePeriodic(int i, int j) const
{
    if (sizeI <= 0 || sizeJ <= 0)
        return {0.0f, 0.0f};
    return getValue(wrapIndex(i, sizeI), wrapIndex(j, sizeJ));
}
