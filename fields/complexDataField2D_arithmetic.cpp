// complexDataField2D: element functions, combiners, arithmetic operators and compound
// assignments.
#include "fields/complexDataField2D.h"

#include "base/messages.h"
#include "fields/DataField2D.h"

namespace {

// true when an operand of opI x opJ elements covers a loop of loopI x loopJ; otherwise the
// "Error!" box.
bool operandCovers(int loopI, int loopJ, int opI, int opJ, const char* method)
{
    if (opI >= loopI && opJ >= loopJ)
        return true;
    numericErrorBox(QStringLiteral("Error in complexDataField2D::%1(): operand of %2 x %3 elements "
                                   "is smaller than the field of %4 x %5")
                        .arg(QLatin1String(method))
                        .arg(opI)
                        .arg(opJ)
                        .arg(loopI)
                        .arg(loopJ));
    return false;
}

template<typename Field>
bool covers(const complexDataField2D& loop, const Field& operand, const char* method)
{
    return operandCovers(loop.getSizeI(), loop.getSizeJ(), operand.getSizeI(), operand.getSizeJ(),
                         method);
}

// Element (i, j) of target becomes value(i, j) over nI x nJ, j outer and i inner.
template<typename ValueAt>
void overwrite(complexDataField2D& target, int nI, int nJ, ValueAt value)
{
    for (int j = 0; j < nJ; ++j)
        for (int i = 0; i < nI; ++i)
            target.setValue(i, j, value(i, j));
}

template<typename ValueAt>
void overwrite(complexDataField2D& target, ValueAt value)
{
    overwrite(target, target.getSizeI(), target.getSizeJ(), value);
}

} // namespace

complexFloat elementAdd(const complexFloat& a, const complexFloat& b)
{
    return {a.re + b.re, a.im + b.im};
}

complexFloat elementAddReal(const complexFloat& a, const float& r)
{
    return {a.re + r, a.im};
}

complexFloat elementSubtract(const complexFloat& a, const complexFloat& b)
{
    return {a.re - b.re, a.im - b.im};
}

complexFloat elementSubtractReal(const complexFloat& a, const float& r)
{
    return {a.re - r, a.im};
}

complexFloat elementRealMinus(const float& r, const complexFloat& c)
{
    return {r - c.re, -c.im};
}

complexFloat elementMultiply(const complexFloat& a, const complexFloat& b)
{
    return {a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
}

complexFloat elementMultiplyReal(const complexFloat& a, const float& r)
{
    return {a.re * r, a.im * r};
}

complexFloat elementDivide(const complexFloat& a, const complexFloat& b)
{
    if (b.re == 0.0f && b.im == 0.0f)
        return {0.0f, 0.0f};
    return a / b;
}

// Combiners.

complexDataField2D combine(const complexDataField2D& a, const complexDataField2D& b,
                           complexElementFunction f)
{
    complexDataField2D result(a);
    if (covers(result, b, "combine"))
        overwrite(result, [&](int i, int j) { return f(a.getValue(i, j), b.getValue(i, j)); });
    return result;
}

complexDataField2D combine(const complexDataField2D& a, float s, complexRealElementFunction f)
{
    complexDataField2D result(a);
    overwrite(result, [&](int i, int j) { return f(a.getValue(i, j), s); });
    return result;
}

complexDataField2D combine(const complexDataField2D& a, const complexFloat& c,
                           complexElementFunction f)
{
    complexDataField2D result(a);
    overwrite(result, [&](int i, int j) { return f(a.getValue(i, j), c); });
    return result;
}

complexDataField2D combine(const DataField2D& r, const complexDataField2D& a,
                           realComplexElementFunction f)
{
    complexDataField2D result(r);
    if (covers(result, a, "combine"))
        overwrite(result, [&](int i, int j) { return f(r.getValue(i, j), a.getValue(i, j)); });
    return result;
}

boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a,
                                              boost::shared_ptr<complexDataField2D> b,
                                              complexElementFunction f)
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*a));
    if (covers(*result, *b, "combine"))
        overwrite(*result,
                  [&](int i, int j) { return f(result->getValue(i, j), b->getValue(i, j)); });
    return result;
}

boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a,
                                              const complexFloat& c, complexElementFunction f)
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*a));
    overwrite(*result, [&](int i, int j) { return f(result->getValue(i, j), c); });
    return result;
}

boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a, float s,
                                              complexRealElementFunction f)
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*a));
    overwrite(*result, [&](int i, int j) { return f(result->getValue(i, j), s); });
    return result;
}

boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<complexDataField2D> a,
                                              boost::shared_ptr<DataField2D> r,
                                              complexRealElementFunction f)
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*a));
    if (covers(*result, *r, "combine"))
        overwrite(*result,
                  [&](int i, int j) { return f(result->getValue(i, j), r->getValue(i, j)); });
    return result;
}

boost::shared_ptr<complexDataField2D> combine(boost::shared_ptr<DataField2D> r,
                                              boost::shared_ptr<complexDataField2D> a,
                                              realComplexElementFunction f)
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*a));
    // The loop runs over the real field; the complex field must cover it.
    if (operandCovers(r->getSizeI(), r->getSizeJ(), a->getSizeI(), a->getSizeJ(), "combine"))
        overwrite(*result, r->getSizeI(), r->getSizeJ(),
                  [&](int i, int j) { return f(r->getValue(i, j), result->getValue(i, j)); });
    return result;
}

// Addition.

complexDataField2D operator+(const complexDataField2D& a, const complexDataField2D& b)
{
    return combine(a, b, elementAdd);
}

complexDataField2D operator+(const complexDataField2D& a, float s)
{
    return combine(a, s, elementAddReal);
}

complexDataField2D operator+(float s, const complexDataField2D& a)
{
    return combine(a, s, elementAddReal);
}

complexDataField2D operator+(const complexDataField2D& a, const complexFloat& c)
{
    return combine(a, c, elementAdd);
}

complexDataField2D operator+(const complexFloat& c, const complexDataField2D& a)
{
    return combine(a, c, elementAdd);
}

boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b)
{
    return combine(a, b, elementAdd);
}

boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a, float s)
{
    return combine(a, s, elementAddReal);
}

boost::shared_ptr<complexDataField2D> operator+(float s, boost::shared_ptr<complexDataField2D> a)
{
    return combine(a, s, elementAddReal);
}

boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a,
                                                const complexFloat& c)
{
    return combine(a, c, elementAdd);
}

boost::shared_ptr<complexDataField2D> operator+(const complexFloat& c,
                                                boost::shared_ptr<complexDataField2D> a)
{
    return combine(a, c, elementAdd);
}

boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<DataField2D> r)
{
    return combine(a, r, elementAddReal);
}

boost::shared_ptr<complexDataField2D> operator+(boost::shared_ptr<DataField2D> r,
                                                boost::shared_ptr<complexDataField2D> a)
{
    return combine(a, r, elementAddReal);
}

// Subtraction, built from addition and multiplication where the operands are scalars.

complexDataField2D operator-(const complexDataField2D& a, const complexDataField2D& b)
{
    return combine(a, b, elementSubtract);
}

complexDataField2D operator-(const complexDataField2D& a, const complexFloat& c)
{
    return combine(a, complexFloat{-c.re, -c.im}, elementAdd);
}

complexDataField2D operator-(const complexFloat& c, const complexDataField2D& a)
{
    return combine(combine(a, -1.0f, elementMultiplyReal), c, elementAdd);
}

complexDataField2D operator-(const complexDataField2D& a, float s)
{
    return combine(a, complexFloat{-s, 0.0f}, elementAdd);
}

complexDataField2D operator-(float s, const complexDataField2D& a)
{
    return combine(combine(a, -1.0f, elementMultiplyReal), s, elementAddReal);
}

complexDataField2D operator-(const complexDataField2D& a)
{
    return combine(a, complexFloat{-1.0f, 0.0f}, elementMultiply);
}

boost::shared_ptr<complexDataField2D> operator-(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b)
{
    return combine(a, b, elementSubtract);
}

boost::shared_ptr<complexDataField2D> operator-(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<DataField2D> r)
{
    return combine(a, r, elementSubtractReal);
}

boost::shared_ptr<complexDataField2D> operator-(boost::shared_ptr<DataField2D> r,
                                                boost::shared_ptr<complexDataField2D> a)
{
    return combine(r, a, elementRealMinus);
}

// Multiplication.

complexDataField2D operator*(const complexDataField2D& a, const complexDataField2D& b)
{
    return combine(a, b, elementMultiply);
}

complexDataField2D operator*(const complexDataField2D& a, float s)
{
    return combine(a, s, elementMultiplyReal);
}

complexDataField2D operator*(float s, const complexDataField2D& a)
{
    return combine(a, s, elementMultiplyReal);
}

complexDataField2D operator*(const complexDataField2D& a, const complexFloat& c)
{
    return combine(a, c, elementMultiply);
}

complexDataField2D operator*(const complexFloat& c, const complexDataField2D& a)
{
    return combine(a, c, elementMultiply);
}

boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b)
{
    return combine(a, b, elementMultiply);
}

boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a, float s)
{
    return combine(a, s, elementMultiplyReal);
}

boost::shared_ptr<complexDataField2D> operator*(float s, boost::shared_ptr<complexDataField2D> a)
{
    return combine(a, s, elementMultiplyReal);
}

boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a,
                                                const complexFloat& c)
{
    return combine(a, c, elementMultiply);
}

boost::shared_ptr<complexDataField2D> operator*(const complexFloat& c,
                                                boost::shared_ptr<complexDataField2D> a)
{
    return combine(a, c, elementMultiply);
}

boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<DataField2D> r)
{
    return combine(a, r, elementMultiplyReal);
}

boost::shared_ptr<complexDataField2D> operator*(boost::shared_ptr<DataField2D> r,
                                                boost::shared_ptr<complexDataField2D> a)
{
    return combine(a, r, elementMultiplyReal);
}

// Division.

complexDataField2D operator/(const complexDataField2D& a, const complexDataField2D& b)
{
    return combine(a, b, elementDivide);
}

complexDataField2D operator/(const complexDataField2D& a, const complexFloat& c)
{
    return combine(a, c, elementDivide);
}

complexDataField2D operator/(const complexDataField2D& a, float s)
{
    return combine(a, complexFloat{s, 0.0f}, elementDivide);
}

boost::shared_ptr<complexDataField2D> operator/(boost::shared_ptr<complexDataField2D> a,
                                                boost::shared_ptr<complexDataField2D> b)
{
    return combine(a, b, elementDivide);
}

// Compound assignments: each element of both operands is read before it is written, so an
// operand may be this field itself.

complexDataField2D& complexDataField2D::operator+=(const complexDataField2D& b)
{
    if (covers(*this, b, "operator+="))
        overwrite(*this,
                  [&](int i, int j) { return elementAdd(getValue(i, j), b.getValue(i, j)); });
    return *this;
}

complexDataField2D& complexDataField2D::operator+=(boost::shared_ptr<complexDataField2D> b)
{
    return *this += *b;
}

complexDataField2D& complexDataField2D::operator+=(boost::shared_ptr<DataField2D> b)
{
    if (covers(*this, *b, "operator+="))
        overwrite(*this,
                  [&](int i, int j) { return elementAddReal(getValue(i, j), b->getValue(i, j)); });
    return *this;
}

complexDataField2D& complexDataField2D::operator+=(const complexFloat& c)
{
    overwrite(*this, [&](int i, int j) { return elementAdd(getValue(i, j), c); });
    return *this;
}

complexDataField2D& complexDataField2D::operator-=(const complexDataField2D& b)
{
    if (covers(*this, b, "operator-="))
        overwrite(*this,
                  [&](int i, int j) { return elementSubtract(getValue(i, j), b.getValue(i, j)); });
    return *this;
}

complexDataField2D& complexDataField2D::operator-=(const complexFloat& c)
{
    overwrite(*this, [&](int i, int j) { return elementSubtract(getValue(i, j), c); });
    return *this;
}

complexDataField2D& complexDataField2D::operator*=(const complexDataField2D& b)
{
    if (covers(*this, b, "operator*="))
        overwrite(*this,
                  [&](int i, int j) { return elementMultiply(getValue(i, j), b.getValue(i, j)); });
    return *this;
}

complexDataField2D& complexDataField2D::operator*=(const DataField2D& b)
{
    if (covers(*this, b, "operator*="))
        overwrite(*this, [&](int i, int j) {
            return elementMultiplyReal(getValue(i, j), b.getValue(i, j));
        });
    return *this;
}

complexDataField2D& complexDataField2D::operator*=(boost::shared_ptr<complexDataField2D> b)
{
    return *this *= *b;
}

complexDataField2D& complexDataField2D::operator*=(boost::shared_ptr<DataField2D> b)
{
    return *this *= *b;
}

complexDataField2D& complexDataField2D::operator*=(const complexFloat& c)
{
    overwrite(*this, [&](int i, int j) { return elementMultiply(getValue(i, j), c); });
    return *this;
}

complexDataField2D& complexDataField2D::operator*=(float s)
{
    overwrite(*this, [&](int i, int j) { return elementMultiplyReal(getValue(i, j), s); });
    return *this;
}

complexDataField2D& complexDataField2D::operator/=(const complexDataField2D& b)
{
    if (covers(*this, b, "operator/="))
        overwrite(*this,
                  [&](int i, int j) { return elementDivide(getValue(i, j), b.getValue(i, j)); });
    return *this;
}

complexDataField2D& complexDataField2D::operator/=(const complexFloat& c)
{
    overwrite(*this, [&](int i, int j) { return elementDivide(getValue(i, j), c); });
    return *this;
}
