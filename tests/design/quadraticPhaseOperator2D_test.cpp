// Tests of the quadratic phase operator: kernel values on even and odd sizes, the two modes,
// the inverse and a field of the wrong size.
#include "design/quadraticPhaseOperator2D.h"

#include "designTestFields.h"
#include "support/messageRecorder.h"

using namespace designTest;

namespace {

ComplexField ones(int sizeI, int sizeJ)
{
    return complexField(sizeI, sizeJ,
                        std::vector<complexFloat>(std::size_t(sizeI * sizeJ), {1, 0}));
}

} // namespace

TEST(quadraticPhaseOperator2D, kernelUsesTheIntegerSquaredRadius)
{
    // ci = i below n / 2, i - n from n / 2 on: size 4 gives 0, 1, -2, -1; size 3 gives 0, -2, -1.
    struct Case
    {
        int sizeI, sizeJ, i, j;
        long long r;
    };
    const Case cases[] = {{4, 4, 0, 0, 0},
                          {4, 4, 1, 0, 1},
                          {4, 4, 2, 2, 8},
                          {4, 4, 3, 1, 2},
                          {4, 4, 2, 3, 5},
                          {3, 2, 1, 0, 4},
                          {3, 2, 2, 1, 2},
                          {3, 2, 1, 1, 5},
                          // squared radii beyond the int range along a long side
                          {92682, 1, 46340, 0, 2147395600},
                          {92682, 1, 46341, 0, 2147488281},
                          {1, 92682, 0, 46341, 2147488281}};
    const double c = 0.1;
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << k.sizeI << " x " << k.sizeJ << " at (" << k.i << ", " << k.j << ")");
        for (int mode : {1, 2}) {
            SCOPED_TRACE(mode);
            quadraticPhaseOperator2D op = mode == 1 ? quadraticPhaseOperator2D(c)
                                                    : quadraticPhaseOperator2D(c, k.sizeI, k.sizeJ);
            EXPECT_TRUE(op.isReady());
            EXPECT_EQ(op.getMode(), mode);
            ComplexField f = ones(k.sizeI, k.sizeJ);
            EXPECT_EQ(op.apply(f).get(), f.get());
            const float phase = float(k.r) * float(c);
            expectComplexNear(f->getValue(k.i, k.j), {std::cos(phase), std::sin(phase)}, 1e-6);
        }
    }
}

TEST(quadraticPhaseOperator2D, modesAgreeAndTheInverseUndoesApply)
{
    for (const auto& size : {std::make_pair(8, 4), std::make_pair(5, 7)}) {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        quadraticPhaseOperator2D perPixel(0.37);
        quadraticPhaseOperator2D precomputed(0.37, size.first, size.second);
        const ComplexField original = randomComplexField(size.first, size.second, 5);
        ComplexField a = copyOf(original);
        ComplexField b = copyOf(original);
        perPixel.apply(a);
        precomputed.apply(b);
        expectFieldsNear(*a, *b, 1e-6);
        perPixel.applyInverse(a);
        precomputed.applyInverse(b);
        expectFieldsNear(*a, *original, 1e-6);
        expectFieldsNear(*b, *original, 1e-6);
    }
}

TEST(quadraticPhaseOperator2D, precomputedKernelRefusesOtherSizes)
{
    MessageRecorder boxes;
    quadraticPhaseOperator2D op(0.2, 4, 4);
    for (const auto& size : {std::make_pair(8, 8), std::make_pair(4, 2)}) {
        ComplexField f = randomComplexField(size.first, size.second, 6);
        const ComplexField before = copyOf(f);
        op.apply(f);
        op.applyInverse(f);
        expectFieldsNear(*f, *before, 0.0);
    }
    EXPECT_EQ(boxes.messages().size(), 4u);
}
