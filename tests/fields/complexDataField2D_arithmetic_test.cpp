// Tests of the complex field's element functions, combiners, operators and compound
// assignments: values against std::complex, result metadata and operand size checks.
#include "fields/complexDataField2D.h"

#include "complexFieldTestFields.h"
#include "fields/DataField2D.h"
#include "support/messageRecorder.h"

#include <functional>

namespace {

using cd = std::complex<double>;
using SharedField = boost::shared_ptr<complexDataField2D>;
using SharedReal = boost::shared_ptr<DataField2D>;

cd toStd(const complexFloat& z)
{
    return {z.re, z.im};
}

complexFloat fromStd(const cd& z)
{
    return {float(z.real()), float(z.imag())};
}

// 4 x 2 operands with distinct values; b has a zero element at (2, 1).
complexDataField2D operandA()
{
    return complexFieldOf(
        4, 2, {{1, 2}, {-3, 0.5f}, {0, -1}, {2.5f, 2}, {-1, -1}, {4, 0}, {0.25f, 3}, {-2, 1}}, 2e-6,
        3e-6, 1);
}

complexDataField2D operandB()
{
    return complexFieldOf(
        4, 2, {{0.5f, -1}, {2, 2}, {-1, 0}, {3, -0.5f}, {1, 4}, {-2, -3}, {0, 0}, {0, 2}}, 7e-6,
        8e-6, 0);
}

DataField2D realOperand()
{
    DataField2D real(4, 2, 1.0, 2.0, 5e-6, 6e-6, 0.0f);
    const float values[] = {2.0f, -1.0f, 0.5f, 0.0f, 3.0f, -2.5f, 1.0f, 4.0f};
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i)
            real.setValue(i, j, values[4 * j + i]);
    return real;
}

SharedReal sharedReal(const DataField2D& real)
{
    return SharedReal(new DataField2D(real));
}

cd divide(const cd& a, const cd& b)
{
    return b == cd(0.0, 0.0) ? cd(0.0, 0.0) : a / b;
}

void expectMetadata(const complexDataField2D& field, double dx, double dy, int flag)
{
    EXPECT_EQ(field.getSizeI(), 4);
    EXPECT_EQ(field.getSizeJ(), 2);
    EXPECT_EQ(field.getDx(), dx);
    EXPECT_EQ(field.getDy(), dy);
    EXPECT_EQ(field.getDomainFlag(), flag);
}

// result(i, j) against expected(a(i, j), b(i, j), r(i, j)), relative single-precision tolerance.
void expectElementwise(const complexDataField2D& result,
                       const std::function<cd(cd, cd, double)>& expected)
{
    const complexDataField2D a = operandA();
    const complexDataField2D b = operandB();
    const DataField2D r = realOperand();
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(::testing::Message() << "element " << i << "," << j);
            const cd e
                = expected(toStd(a.getValue(i, j)), toStd(b.getValue(i, j)), r.getValue(i, j));
            expectComplexNear(result.getValue(i, j), fromStd(e), 1e-6 * (1.0 + std::abs(e)));
        }
}

} // namespace

TEST(complexDataField2DArithmetic, elementFunctions)
{
    const complexFloat a{1.0f, 2.0f};
    const complexFloat b{3.0f, -1.0f};
    expectComplexNear(elementAdd(a, b), {4.0f, 1.0f}, 0.0);
    expectComplexNear(elementAddReal(a, 0.5f), {1.5f, 2.0f}, 0.0);
    expectComplexNear(elementSubtract(a, b), {-2.0f, 3.0f}, 0.0);
    expectComplexNear(elementSubtractReal(a, 0.5f), {0.5f, 2.0f}, 0.0);
    expectComplexNear(elementRealMinus(2.0f, a), {1.0f, -2.0f}, 0.0);
    expectComplexNear(elementMultiply(a, b), {5.0f, 5.0f}, 0.0);
    expectComplexNear(elementMultiplyReal(a, -2.0f), {-2.0f, -4.0f}, 0.0);
    expectComplexNear(elementDivide(a, b), {0.1f, 0.7f}, 1e-7);
    expectComplexNear(elementDivide(a, {0.0f, 0.0f}), {0.0f, 0.0f}, 0.0);
    expectComplexNear(elementDivide(a, {-0.0f, 0.0f}), {0.0f, 0.0f}, 0.0);
}

TEST(complexDataField2DArithmetic, operatorsAgainstComplexArithmetic)
{
    const complexDataField2D a = operandA();
    const complexDataField2D b = operandB();
    const SharedField sa = sharedCopy(a);
    const SharedField sb = sharedCopy(b);
    const SharedReal sr = sharedReal(realOperand());
    const complexFloat c{0.5f, -2.0f};
    const cd cs(0.5, -2.0);
    const float s = 2.5f;

    // Every row: the result, the expected element, and the operand whose metadata it takes.
    enum Meta { FromA, FromB };
    struct Case
    {
        const char* name;
        std::function<complexDataField2D()> compute;
        std::function<cd(cd, cd, double)> expected;
        Meta meta;
    };
    const Case cases[] = {
        {"a + b", [&] { return a + b; }, [](cd x, cd y, double) { return x + y; }, FromA},
        {"b + a", [&] { return b + a; }, [](cd x, cd y, double) { return x + y; }, FromB},
        {"a + s", [&] { return a + s; }, [&](cd x, cd, double) { return x + double(s); }, FromA},
        {"s + a", [&] { return s + a; }, [&](cd x, cd, double) { return x + double(s); }, FromA},
        {"a + c", [&] { return a + c; }, [&](cd x, cd, double) { return x + cs; }, FromA},
        {"c + a", [&] { return c + a; }, [&](cd x, cd, double) { return x + cs; }, FromA},
        {"a - b", [&] { return a - b; }, [](cd x, cd y, double) { return x - y; }, FromA},
        {"a - c", [&] { return a - c; }, [&](cd x, cd, double) { return x - cs; }, FromA},
        {"c - a", [&] { return c - a; }, [&](cd x, cd, double) { return cs - x; }, FromA},
        {"a - s", [&] { return a - s; }, [&](cd x, cd, double) { return x - double(s); }, FromA},
        {"s - a", [&] { return s - a; }, [&](cd x, cd, double) { return double(s) - x; }, FromA},
        {"-a", [&] { return -a; }, [](cd x, cd, double) { return -x; }, FromA},
        {"a * b", [&] { return a * b; }, [](cd x, cd y, double) { return x * y; }, FromA},
        {"a * s", [&] { return a * s; }, [&](cd x, cd, double) { return x * double(s); }, FromA},
        {"s * a", [&] { return s * a; }, [&](cd x, cd, double) { return x * double(s); }, FromA},
        {"a * c", [&] { return a * c; }, [&](cd x, cd, double) { return x * cs; }, FromA},
        {"c * a", [&] { return c * a; }, [&](cd x, cd, double) { return x * cs; }, FromA},
        {"a / b", [&] { return a / b; }, [](cd x, cd y, double) { return divide(x, y); }, FromA},
        {"a / c", [&] { return a / c; }, [&](cd x, cd, double) { return divide(x, cs); }, FromA},
        {"a / s", [&] { return a / s; }, [&](cd x, cd, double) { return x / double(s); }, FromA},
        {"a / 0", [&] { return a / 0.0f; }, [](cd, cd, double) { return cd(0, 0); }, FromA},
        {"sa + sb", [&] { return *(sa + sb); }, [](cd x, cd y, double) { return x + y; }, FromA},
        {"sa + s", [&] { return *(sa + s); }, [&](cd x, cd, double) { return x + double(s); },
         FromA},
        {"s + sa", [&] { return *(s + sa); }, [&](cd x, cd, double) { return x + double(s); },
         FromA},
        {"sa + c", [&] { return *(sa + c); }, [&](cd x, cd, double) { return x + cs; }, FromA},
        {"c + sa", [&] { return *(c + sa); }, [&](cd x, cd, double) { return x + cs; }, FromA},
        {"sa + sr", [&] { return *(sa + sr); }, [](cd x, cd, double r) { return x + r; }, FromA},
        {"sr + sa", [&] { return *(sr + sa); }, [](cd x, cd, double r) { return x + r; }, FromA},
        {"sa - sb", [&] { return *(sa - sb); }, [](cd x, cd y, double) { return x - y; }, FromA},
        {"sa - sr", [&] { return *(sa - sr); }, [](cd x, cd, double r) { return x - r; }, FromA},
        {"sr - sa", [&] { return *(sr - sa); }, [](cd x, cd, double r) { return r - x; }, FromA},
        {"sa * sb", [&] { return *(sa * sb); }, [](cd x, cd y, double) { return x * y; }, FromA},
        {"sa * s", [&] { return *(sa * s); }, [&](cd x, cd, double) { return x * double(s); },
         FromA},
        {"s * sa", [&] { return *(s * sa); }, [&](cd x, cd, double) { return x * double(s); },
         FromA},
        {"sa * c", [&] { return *(sa * c); }, [&](cd x, cd, double) { return x * cs; }, FromA},
        {"c * sa", [&] { return *(c * sa); }, [&](cd x, cd, double) { return x * cs; }, FromA},
        {"sa * sr", [&] { return *(sa * sr); }, [](cd x, cd, double r) { return x * r; }, FromA},
        {"sr * sa", [&] { return *(sr * sa); }, [](cd x, cd, double r) { return x * r; }, FromA},
        {"sa / sb", [&] { return *(sa / sb); }, [](cd x, cd y, double) { return divide(x, y); },
         FromA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const complexDataField2D result = c.compute();
        if (c.meta == FromA)
            expectMetadata(result, 2e-6, 3e-6, 1);
        else
            expectMetadata(result, 7e-6, 8e-6, 0);
        if (c.meta == FromB)
            expectElementwise(result, [&](cd x, cd y, double r) { return c.expected(y, x, r); });
        else
            expectElementwise(result, c.expected);
    }
    // The operands are never changed.
    expectComplexValues(a, complexValuesOf(operandA()));
    expectComplexValues(*sa, complexValuesOf(operandA()));
    expectComplexValues(*sb, complexValuesOf(operandB()));
}

TEST(complexDataField2DArithmetic, realFieldFirstCombinerTakesTheRealFieldsShape)
{
    const DataField2D real = realOperand();
    const complexDataField2D result = combine(real, operandA(), elementRealMinus);
    expectMetadata(result, 5e-6, 6e-6, 0);
    expectElementwise(result, [](cd x, cd, double r) { return r - x; });
}

TEST(complexDataField2DArithmetic, edgeCases)
{
    const complexDataField2D a(2, 2, complexFloat{1.0f, 1.0f});
    const complexDataField2D b(2, 2, complexFloat{2.0f, -1.0f});
    expectComplexValues(a + b, std::vector<complexFloat>(4, {3.0f, 0.0f}));
    expectComplexValues(2.0f - a, std::vector<complexFloat>(4, {1.0f, -1.0f}));

    const SharedReal twos(new DataField2D(2, 2, 0.0, 0.0, 1.0, 1.0, 2.0f));
    expectComplexValues(*(twos - sharedCopy(a)), std::vector<complexFloat>(4, {1.0f, -1.0f}));

    expectComplexValues(a / complexFloat{0.0f, 0.0f}, std::vector<complexFloat>(4, {0, 0}));
    complexDataField2D divisor(2, 2, complexFloat{0.0f, 2.0f});
    divisor.setValue(1, 0, {0.0f, 0.0f});
    expectComplexValues(a / divisor, {{0.5f, -0.5f}, {0, 0}, {0.5f, -0.5f}, {0.5f, -0.5f}});

    expectComplexValues(a * 2.0f, complexValuesOf(2.0f * a));
    const complexDataField2D single(1, 1, complexFloat{1.0f, -2.0f});
    expectComplexValues(-single, {{-1.0f, 2.0f}});
}

TEST(complexDataField2DArithmetic, compoundAssignments)
{
    const complexFloat c{0.5f, -2.0f};
    const cd cs(0.5, -2.0);
    struct Case
    {
        const char* name;
        std::function<void(complexDataField2D&)> apply;
        std::function<cd(cd, cd, double)> expected;
    };
    const Case cases[] = {
        {"+= field", [](complexDataField2D& f) { f += operandB(); },
         [](cd x, cd y, double) { return x + y; }},
        {"+= shared", [](complexDataField2D& f) { f += sharedCopy(operandB()); },
         [](cd x, cd y, double) { return x + y; }},
        {"+= shared real", [](complexDataField2D& f) { f += sharedReal(realOperand()); },
         [](cd x, cd, double r) { return x + r; }},
        {"+= c", [&](complexDataField2D& f) { f += c; }, [&](cd x, cd, double) { return x + cs; }},
        {"-= field", [](complexDataField2D& f) { f -= operandB(); },
         [](cd x, cd y, double) { return x - y; }},
        {"-= c", [&](complexDataField2D& f) { f -= c; }, [&](cd x, cd, double) { return x - cs; }},
        {"*= field", [](complexDataField2D& f) { f *= operandB(); },
         [](cd x, cd y, double) { return x * y; }},
        {"*= real", [](complexDataField2D& f) { f *= realOperand(); },
         [](cd x, cd, double r) { return x * r; }},
        {"*= shared", [](complexDataField2D& f) { f *= sharedCopy(operandB()); },
         [](cd x, cd y, double) { return x * y; }},
        {"*= shared real", [](complexDataField2D& f) { f *= sharedReal(realOperand()); },
         [](cd x, cd, double r) { return x * r; }},
        {"*= c", [&](complexDataField2D& f) { f *= c; }, [&](cd x, cd, double) { return x * cs; }},
        {"*= s", [](complexDataField2D& f) { f *= -1.5f; },
         [](cd x, cd, double) { return x * -1.5; }},
        {"/= field", [](complexDataField2D& f) { f /= operandB(); },
         [](cd x, cd y, double) { return divide(x, y); }},
        {"/= c", [&](complexDataField2D& f) { f /= c; },
         [&](cd x, cd, double) { return divide(x, cs); }},
        {"/= 0",
         [](complexDataField2D& f) {
             f /= complexFloat{0.0f, 0.0f};
         },
         [](cd, cd, double) { return cd(0, 0); }},
        {"+= self", [](complexDataField2D& f) { f += f; },
         [](cd x, cd, double) { return 2.0 * x; }},
        {"*= self", [](complexDataField2D& f) { f *= f; }, [](cd x, cd, double) { return x * x; }},
        {"-= self", [](complexDataField2D& f) { f -= f; }, [](cd, cd, double) { return cd(0, 0); }},
        {"/= self", [](complexDataField2D& f) { f /= f; }, [](cd, cd, double) { return cd(1, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        complexDataField2D field = operandA();
        c.apply(field);
        expectMetadata(field, 2e-6, 3e-6, 1);
        expectElementwise(field, c.expected);
    }
}

TEST(complexDataField2DArithmetic, smallerOperandsAreRefused)
{
    MessageRecorder recorder;
    const complexDataField2D a = operandA();
    const std::vector<complexFloat> original = complexValuesOf(a);
    const complexDataField2D narrow(4, 1, complexFloat{1.0f, 1.0f});
    const complexDataField2D shortField(3, 2, complexFloat{1.0f, 1.0f});
    const SharedReal smallReal(new DataField2D(3, 2, 0.0, 0.0, 1.0, 1.0, 2.0f));

    struct Case
    {
        const char* name;
        std::function<complexDataField2D()> compute;
        const char* text;
    };
    const Case cases[] = {
        {"a + narrow", [&] { return a + narrow; },
         "Error in complexDataField2D::combine(): operand of 4 x 1 elements is smaller than the "
         "field of 4 x 2"},
        {"a * short", [&] { return a * shortField; }, nullptr},
        {"a / short", [&] { return a / shortField; }, nullptr},
        {"a - narrow", [&] { return a - narrow; }, nullptr},
        {"sa + s short", [&] { return *(sharedCopy(a) + sharedCopy(shortField)); }, nullptr},
        {"sa * small real", [&] { return *(sharedCopy(a) * smallReal); }, nullptr},
        {"small real + sa", [&] { return *(smallReal + sharedCopy(a)); }, nullptr},
        {"+= short",
         [&] {
             complexDataField2D f(a);
             f += shortField;
             return f;
         },
         "Error in complexDataField2D::operator+=(): operand of 3 x 2 elements is smaller than "
         "the field of 4 x 2"},
        {"+= small real",
         [&] {
             complexDataField2D f(a);
             f += smallReal;
             return f;
         },
         nullptr},
        {"-= narrow",
         [&] {
             complexDataField2D f(a);
             f -= narrow;
             return f;
         },
         nullptr},
        {"*= real",
         [&] {
             complexDataField2D f(a);
             f *= *smallReal;
             return f;
         },
         nullptr},
        {"/= narrow",
         [&] {
             complexDataField2D f(a);
             f /= narrow;
             return f;
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.clear();
        const complexDataField2D result = c.compute();
        expectMetadata(result, 2e-6, 3e-6, 1);
        expectComplexValues(result, original);
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Error!"));
        if (c.text) {
            EXPECT_EQ(recorder.messages()[0].text, QString::fromLatin1(c.text));
        }
    }

    // A real field first: the complex operand must cover it.
    recorder.clear();
    const DataField2D bigReal(5, 2, 0.0, 0.0, 1.0, 1.0, 1.0f);
    const complexDataField2D fromReal = combine(bigReal, a, elementRealMinus);
    EXPECT_EQ(fromReal.getSizeI(), 5);
    expectComplexValues(fromReal, std::vector<complexFloat>(10, {1.0f, 0.0f}));
    EXPECT_EQ(recorder.messages().size(), 1u);

    recorder.clear();
    const SharedField shared = SharedReal(new DataField2D(bigReal)) - sharedCopy(a);
    expectComplexValues(*shared, original);
    EXPECT_EQ(recorder.messages().size(), 1u);
}

TEST(complexDataField2DArithmetic, largerOperandsCombineOverTheLoopField)
{
    MessageRecorder recorder;
    const complexDataField2D a(2, 1, complexFloat{1.0f, 1.0f});
    const complexDataField2D big(3, 2, complexFloat{2.0f, 0.0f});
    expectComplexValues(a * big, std::vector<complexFloat>(2, {2.0f, 2.0f}));
    // The real operand covers a smaller complex loop; the result keeps the complex shape.
    const SharedReal realBig(new DataField2D(3, 2, 0.0, 0.0, 1.0, 1.0, 3.0f));
    expectComplexValues(*(sharedCopy(a) + realBig), std::vector<complexFloat>(2, {4.0f, 1.0f}));
    // A real field smaller than the complex one: only its part is combined.
    const SharedReal realSmall(new DataField2D(1, 1, 0.0, 0.0, 1.0, 1.0, 3.0f));
    expectComplexValues(*(realSmall - sharedCopy(a)), {{2.0f, -1.0f}, {1.0f, 1.0f}});
    EXPECT_TRUE(recorder.messages().empty());
}
