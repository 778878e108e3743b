// complexDataField2D: life cycle, parameters and checked and periodic element access.
#include "fields/complexDataField2D.h"

#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "fields/DataField2D.h"

#include <climits>

namespace {

// Sizes whose 2 sizeI sizeJ floats an int can count (FFTW's sizes are ints, too).
bool holdableSizes(int sizeI, int sizeJ)
{
    return sizeI >= 0 && sizeJ >= 0 && static_cast<long long>(sizeI) * sizeJ <= INT_MAX / 2;
}

// index brought into 0 .. size - 1; the same result as adding or subtracting size repeatedly.
int wrapIndex(int index, int size)
{
    int wrapped = index % size;
    if (wrapped < 0)
        wrapped += size;
    return wrapped;
}

} // namespace

complexDataField2D::complexDataField2D(int sizeI, int sizeJ, int domainFlag)
    : ok(false)
    , domainFlag(domainFlag)
    , sizeI(sizeI)
    , sizeJ(sizeJ)
    , dx(opticalParameters.defaultPixelSizeX)
    , dy(opticalParameters.defaultPixelSizeY)
    , maxRe(0.0f)
    , minRe(0.0f)
    , maxIm(0.0f)
    , minIm(0.0f)
    , maxAbs(0.0f)
    , minAbs(0.0f)
{
    allocateChecked();
    fillWith({0.0f, 0.0f});
}

complexDataField2D::complexDataField2D(int sizeI, int sizeJ, const complexFloat& value)
    : complexDataField2D(sizeI, sizeJ, 0)
{
    fillWith(value);
}

complexDataField2D::complexDataField2D(const complexDataField2D& source, bool shapeOnly)
    : ok(false)
    , domainFlag(source.domainFlag)
    , sizeI(source.sizeI)
    , sizeJ(source.sizeJ)
    , dx(source.dx)
    , dy(source.dy)
    , maxRe(0.0f)
    , minRe(0.0f)
    , maxIm(0.0f)
    , minIm(0.0f)
    , maxAbs(0.0f)
    , minAbs(0.0f)
{
    allocateChecked();
    if (shapeOnly || !ok)
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
    domainFlag = other.domainFlag;
    sizeI = other.sizeI;
    sizeJ = other.sizeJ;
    dx = other.dx;
    dy = other.dy;
    allocateChecked();
    if (ok)
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
    domainFlag = 0;
    sizeI = real.getSizeI();
    sizeJ = real.getSizeJ();
    dx = real.getDx();
    dy = real.getDy();
    allocateChecked();
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, {real.getValue(i, j), 0.0f});
}

void complexDataField2D::allocateChecked()
{
    ok = holdableSizes(sizeI, sizeJ) && allocate();
    if (!ok) {
        sizeI = 0;
        sizeJ = 0;
    }
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
