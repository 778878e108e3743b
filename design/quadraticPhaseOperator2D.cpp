// quadraticPhaseOperator2D: the kernel and its application in both modes.
#include "design/quadraticPhaseOperator2D.h"

#include "design/fieldSizeCheck.h"
#include "fields/complexDataField2D.h"

namespace {

int kernelIndex(int i, int n)
{
    return i < n / 2 ? i : i - n;
}

complexFloat kernelValue(int i, int j, int nI, int nJ, float c)
{
    const int ci = kernelIndex(i, nI);
    const int cj = kernelIndex(j, nJ);
    // In 64 bits: beyond 46340 along a side the sum of squares no longer fits an int.
    const long long r = static_cast<long long>(cj) * cj + static_cast<long long>(ci) * ci;
    return polarUnit(float(r) * c);
}

} // namespace

quadraticPhaseOperator2D::quadraticPhaseOperator2D(double c)
    : ready(true)
    , mode(1)
    , coefficient(float(c))
    , nI(0)
    , nJ(0)
{}

quadraticPhaseOperator2D::quadraticPhaseOperator2D(double c, int nI, int nJ)
    : ready(false)
    , mode(2)
    , coefficient(float(c))
    , nI(nI)
    , nJ(nJ)
    , kernel(new complexDataField2D(nI, nJ, 0))
{
    for (int i = 0; i < kernel->getSizeI(); ++i)
        for (int j = 0; j < kernel->getSizeJ(); ++j)
            kernel->setValue(i, j, kernelValue(i, j, nI, nJ, coefficient));
    ready = true;
}

quadraticPhaseOperator2D::~quadraticPhaseOperator2D() = default;

boost::shared_ptr<complexDataField2D>
quadraticPhaseOperator2D::apply(boost::shared_ptr<complexDataField2D> f)
{
    multiply(*f, false, "quadraticPhaseOperator2D::apply");
    return f;
}

boost::shared_ptr<complexDataField2D>
quadraticPhaseOperator2D::applyInverse(boost::shared_ptr<complexDataField2D> f)
{
    multiply(*f, true, "quadraticPhaseOperator2D::applyInverse");
    return f;
}

void quadraticPhaseOperator2D::multiply(complexDataField2D& f, bool conjugate,
                                        const char* method) const
{
    if (mode != 1 && mode != 2)
        return;
    const int sizeI = f.getSizeI();
    const int sizeJ = f.getSizeJ();
    if (mode == 2 && (!operandCovers(f, *kernel, method) || !operandCovers(*kernel, f, method)))
        return;
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < sizeJ; ++j) {
            complexFloat k
                = mode == 2 ? kernel->getValue(i, j) : kernelValue(i, j, sizeI, sizeJ, coefficient);
            if (conjugate)
                k = conj(k);
            f.setValue(i, j, elementMultiply(k, f.getValue(i, j)));
        }
}
