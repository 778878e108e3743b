// Element-wise arithmetic, whole-field maps, two-field functions and threshold masks of the
// real field.
#include "fields/DataField2D.h"

#include "base/messages.h"

#include <algorithm>
#include <cmath>

namespace {

// b covers a when it is at least as large in both directions; b is read at its own index.
bool operandCovers(const DataField2D& a, const DataField2D& b, const char* method)
{
    if (b.getSizeI() >= a.getSizeI() && b.getSizeJ() >= a.getSizeJ())
        return true;
    numericErrorBox(QStringLiteral("Error in DataField2D::%1(): operand of %2 x %3 elements is "
                                   "smaller than the field of %4 x %5")
                        .arg(QLatin1String(method))
                        .arg(b.getSizeI())
                        .arg(b.getSizeJ())
                        .arg(a.getSizeI())
                        .arg(a.getSizeJ()));
    return false;
}

// A copy of a with every element f(a(i, j), b(i, j)); the unchanged copy when b is too small.
DataField2D combineFields(const DataField2D& a, const DataField2D& b, realElementFunction f,
                          const char* method)
{
    DataField2D result(a);
    if (!operandCovers(result, b, method))
        return result;
    for (int j = 0; j < result.getSizeJ(); ++j)
        for (int i = 0; i < result.getSizeI(); ++i)
            result.setValue(i, j, f(result.getValue(i, j), b.getValue(i, j)));
    return result;
}

// Every element v of field becomes f(v, s).
void mapInPlace(DataField2D& field, float s, realElementFunction f)
{
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i)
            field.setValue(i, j, f(field.getValue(i, j), s));
}

} // namespace

float elementAdd(float a, float b)
{
    return a + b;
}

float elementSubtract(float a, float b)
{
    return a - b;
}

float elementMultiply(float a, float b)
{
    return a * b;
}

float elementDivide(float a, float b)
{
    return b == 0.0f ? 0.0f : a / b;
}

float elementDivideReversed(float a, float b)
{
    return a == 0.0f ? 0.0f : b / a;
}

DataField2D applyElementFunction(const DataField2D& a, const DataField2D& b, realElementFunction f)
{
    return combineFields(a, b, f, "applyElementFunction");
}

DataField2D applyElementFunction(const DataField2D& a, float s, realElementFunction f)
{
    DataField2D result(a);
    mapInPlace(result, s, f);
    return result;
}

boost::shared_ptr<DataField2D> applyElementFunction(boost::shared_ptr<DataField2D> a, float s,
                                                    realElementFunction f)
{
    boost::shared_ptr<DataField2D> result(new DataField2D(*a));
    mapInPlace(*result, s, f);
    return result;
}

boost::shared_ptr<DataField2D> applyElementFunction(boost::shared_ptr<DataField2D> a,
                                                    boost::shared_ptr<DataField2D> b,
                                                    realElementFunction f)
{
    boost::shared_ptr<DataField2D> result(new DataField2D(*a));
    if (!operandCovers(*result, *b, "applyElementFunction"))
        return result;
    for (int j = 0; j < result->getSizeJ(); ++j)
        for (int i = 0; i < result->getSizeI(); ++i)
            result->setValue(i, j, f(result->getValue(i, j), b->getValue(i, j)));
    return result;
}

DataField2D operator+(const DataField2D& a, const DataField2D& b)
{
    return applyElementFunction(a, b, elementAdd);
}

DataField2D operator+(const DataField2D& a, float s)
{
    return applyElementFunction(a, s, elementAdd);
}

DataField2D operator+(float s, const DataField2D& a)
{
    return a + s;
}

boost::shared_ptr<DataField2D> operator+(boost::shared_ptr<DataField2D> a,
                                         boost::shared_ptr<DataField2D> b)
{
    return applyElementFunction(a, b, elementAdd);
}

boost::shared_ptr<DataField2D> operator+(boost::shared_ptr<DataField2D> a, float s)
{
    return applyElementFunction(a, s, elementAdd);
}

boost::shared_ptr<DataField2D> operator+(float s, boost::shared_ptr<DataField2D> a)
{
    return a + s;
}

DataField2D operator-(const DataField2D& a, const DataField2D& b)
{
    return applyElementFunction(a, b, elementSubtract);
}

DataField2D operator-(const DataField2D& a, float s)
{
    return a + (-s);
}

DataField2D operator-(float s, const DataField2D& a)
{
    return (-a) + s;
}

boost::shared_ptr<DataField2D> operator-(boost::shared_ptr<DataField2D> a,
                                         boost::shared_ptr<DataField2D> b)
{
    return applyElementFunction(a, b, elementSubtract);
}

boost::shared_ptr<DataField2D> operator-(boost::shared_ptr<DataField2D> a, float s)
{
    return applyElementFunction(a, s, elementSubtract);
}

boost::shared_ptr<DataField2D> operator-(float s, boost::shared_ptr<DataField2D> a)
{
    return (-a) + s;
}

DataField2D operator-(const DataField2D& a)
{
    return applyElementFunction(a, -1.0f, elementMultiply);
}

boost::shared_ptr<DataField2D> operator-(boost::shared_ptr<DataField2D> a)
{
    return applyElementFunction(a, -1.0f, elementMultiply);
}

DataField2D operator*(const DataField2D& a, const DataField2D& b)
{
    return applyElementFunction(a, b, elementMultiply);
}

DataField2D operator*(const DataField2D& a, float s)
{
    return applyElementFunction(a, s, elementMultiply);
}

DataField2D operator*(float s, const DataField2D& a)
{
    return a * s;
}

boost::shared_ptr<DataField2D> operator*(boost::shared_ptr<DataField2D> a,
                                         boost::shared_ptr<DataField2D> b)
{
    return applyElementFunction(a, b, elementMultiply);
}

boost::shared_ptr<DataField2D> operator*(boost::shared_ptr<DataField2D> a, float s)
{
    return applyElementFunction(a, s, elementMultiply);
}

boost::shared_ptr<DataField2D> operator*(float s, boost::shared_ptr<DataField2D> a)
{
    return a * s;
}

DataField2D operator/(const DataField2D& a, const DataField2D& b)
{
    return applyElementFunction(a, b, elementDivide);
}

DataField2D operator/(const DataField2D& a, float s)
{
    return applyElementFunction(a, s, elementDivide);
}

DataField2D operator/(float s, const DataField2D& a)
{
    return applyElementFunction(a, s, elementDivideReversed);
}

DataField2D& DataField2D::operator+=(const DataField2D& b)
{
    if (!operandCovers(*this, b, "operator+="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, getValue(i, j) + b.getValue(i, j));
    return *this;
}

DataField2D& DataField2D::operator+=(boost::shared_ptr<DataField2D> b)
{
    if (!operandCovers(*this, *b, "operator+="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, elementAdd(getValue(i, j), b->getValue(i, j)));
    return *this;
}

DataField2D& DataField2D::operator+=(float s)
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, getValue(i, j) + s);
    return *this;
}

DataField2D& DataField2D::operator-=(const DataField2D& b)
{
    if (!operandCovers(*this, b, "operator-="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, getValue(i, j) - b.getValue(i, j));
    return *this;
}

DataField2D& DataField2D::operator-=(boost::shared_ptr<DataField2D> b)
{
    if (!operandCovers(*this, *b, "operator-="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, elementSubtract(getValue(i, j), b->getValue(i, j)));
    return *this;
}

DataField2D& DataField2D::operator-=(float s)
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, getValue(i, j) - s);
    return *this;
}

DataField2D& DataField2D::operator*=(const DataField2D& b)
{
    if (!operandCovers(*this, b, "operator*="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, getValue(i, j) * b.getValue(i, j));
    return *this;
}

DataField2D& DataField2D::operator*=(boost::shared_ptr<DataField2D> b)
{
    if (!operandCovers(*this, *b, "operator*="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, elementMultiply(getValue(i, j), b->getValue(i, j)));
    return *this;
}

DataField2D& DataField2D::operator*=(float s)
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, getValue(i, j) * s);
    return *this;
}

DataField2D& DataField2D::operator/=(const DataField2D& b)
{
    if (!operandCovers(*this, b, "operator/="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const float divisor = b.getValue(i, j);
            setValue(i, j, divisor == 0.0f ? 0.0f : getValue(i, j) / divisor);
        }
    return *this;
}

DataField2D& DataField2D::operator/=(boost::shared_ptr<DataField2D> b)
{
    if (!operandCovers(*this, *b, "operator/="))
        return *this;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, elementDivide(getValue(i, j), b->getValue(i, j)));
    return *this;
}

DataField2D& DataField2D::operator/=(float s)
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, s == 0.0f ? 0.0f : getValue(i, j) / s);
    return *this;
}

void DataField2D::applyPow(int n)
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, static_cast<float>(std::pow(double(getValue(i, j)), double(n))));
}

void DataField2D::applySqrt()
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, std::sqrt(getValue(i, j)));
}

void DataField2D::divideByMax()
{
    const float max = getMax();
    if (!(max > 0.0f))
        return;
    *this *= 1.0f / max;
}

void DataField2D::normalizeToUnitRange()
{
    float min = 0.0f;
    float max = 0.0f;
    getMinMax(min, max);
    const float range = max - min;
    if (range != 0.0f) {
        const float factor = 1.0f / range;
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i)
                setValue(i, j, (getValue(i, j) - min) * factor);
        return;
    }
    if (min < 0.0f)
        std::fill(data, data + sizeI * sizeJ, 0.0f);
    if (max > 1.0f)
        std::fill(data, data + sizeI * sizeJ, 1.0f);
}

boost::shared_ptr<DataField2D> DataField2D::power(int n) const
{
    boost::shared_ptr<DataField2D> result = newFieldLike();
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            result->setValue(i, j, static_cast<float>(std::pow(double(getValue(i, j)), double(n))));
    return result;
}

boost::shared_ptr<DataField2D> DataField2D::squareRoot() const
{
    boost::shared_ptr<DataField2D> result = newFieldLike();
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            result->setValue(i, j, std::sqrt(getValue(i, j)));
    return result;
}

DataField2D sqrt(const DataField2D& a)
{
    DataField2D result(a);
    result.applySqrt();
    return result;
}

boost::shared_ptr<DataField2D> sqrt(boost::shared_ptr<DataField2D> a)
{
    return a->squareRoot();
}

DataField2D hypot(const DataField2D& a, const DataField2D& b)
{
    return combineFields(
        a, b, [](float x, float y) { return std::hypot(x, y); }, "hypot");
}

DataField2D atan2(const DataField2D& a, const DataField2D& b)
{
    return combineFields(
        a, b, [](float x, float y) { return std::atan2(y, x); }, "atan2");
}

DataField2D squaredMagnitude(const DataField2D& a, const DataField2D& b)
{
    return combineFields(
        a, b, [](float x, float y) { return y * y + x * x; }, "squaredMagnitude");
}

float scalarProduct(const DataField2D& a, const DataField2D& b)
{
    if (!operandCovers(a, b, "scalarProduct"))
        return 0.0f;
    double sum = 0.0;
    for (int j = 0; j < a.getSizeJ(); ++j)
        for (int i = 0; i < a.getSizeI(); ++i)
            sum += double(a.getValue(i, j)) * b.getValue(i, j);
    return static_cast<float>(sum);
}

float scalarProduct(boost::shared_ptr<DataField2D> a, boost::shared_ptr<DataField2D> b)
{
    return scalarProduct(*a, *b);
}

boost::shared_ptr<DataField2D> DataField2D::binarize(float t) const
{
    boost::shared_ptr<DataField2D> result = newField(sizeI, sizeJ, 0.0, 0.0, dx, dy);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const float v = getValue(i, j);
            result->setValue(i, j, v >= t || std::isnan(v) ? 1.0f : 0.0f);
        }
    return result;
}

int DataField2D::countValuesAbove(float t) const
{
    int count = 0;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            if (getValue(i, j) > t)
                ++count;
    return count;
}
