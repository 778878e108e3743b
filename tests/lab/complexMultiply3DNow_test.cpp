// Tests of the element-wise complex product over arrays.
#include "lab/fields/complexMultiply3DNow.h"

#include "fields/complexFieldTestFields.h"

#include <random>
#include <vector>

namespace {

std::vector<complexFloat> randomValues(int n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> part(-4.0f, 4.0f);
    std::vector<complexFloat> values(std::size_t(n) + 1);
    for (complexFloat& z : values) {
        const float re = part(generator);
        z = {re, part(generator)};
    }
    return values;
}

} // namespace

TEST(complexMultiply3DNow, multipliesEveryElementAndNoMore)
{
    const complexFloat untouched{-99.0f, 99.0f};
    for (int n : {0, 1, 3, 4, 8, 13}) {
        SCOPED_TRACE(n);
        const std::vector<complexFloat> a = randomValues(n, 1u);
        const std::vector<complexFloat> b = randomValues(n, 2u);
        std::vector<complexFloat> out(std::size_t(n) + 1, untouched);
        complexMultiply3DNow(a.data(), b.data(), n, out.data());
        for (int k = 0; k < n; ++k) {
            const std::complex<double> exact
                = std::complex<double>(a[k].re, a[k].im) * std::complex<double>(b[k].re, b[k].im);
            expectComplexNear(out[k], {float(exact.real()), float(exact.imag())}, 1e-5);
        }
        expectComplexNear(out[std::size_t(n)], untouched, 0.0);
    }
}

TEST(complexMultiply3DNow, outputMayBeAnInput)
{
    const std::vector<complexFloat> a = randomValues(8, 3u);
    const std::vector<complexFloat> b = randomValues(8, 4u);
    std::vector<complexFloat> separate(8);
    complexMultiply3DNow(a.data(), b.data(), 8, separate.data());

    std::vector<complexFloat> intoA = a;
    complexMultiply3DNow(intoA.data(), b.data(), 8, intoA.data());
    std::vector<complexFloat> intoB = b;
    complexMultiply3DNow(a.data(), intoB.data(), 8, intoB.data());
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        expectComplexNear(intoA[k], separate[k], 0.0);
        expectComplexNear(intoB[k], separate[k], 0.0);
    }
}
