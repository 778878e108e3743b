// Finite-difference derivatives, the Laplacian, 3 x 3 smoothing and running sums of the real
// field.
#include "fields/DataField2D.h"

namespace {

// Writes the first (order 1) or second (order 2) derivative of one line v(0..n-1) with pitch h.
// Only stencil rows whose target lies in 0..n-1 are evaluated, in the order first rows, interior,
// last rows, so on a line shorter than the stencil the later rows win. read(k) supplies the
// neighbours that lie outside the line.
template<typename Read, typename Write>
void differentiateLine(int order, int points, int n, double h, Read read, Write write)
{
    auto row = [&](int k, auto&& numerator, float divisor) {
        if (k >= 0 && k < n)
            write(k, numerator() / divisor);
    };
    if (order == 1 && points == 3) {
        const float H = static_cast<float>(2.0 * h);
        const float R = 1.0f / H;
        for (int k = 1; k <= n - 2; ++k) {
            const float next = read(k + 1);
            write(k, (next - read(k - 1)) * R);
        }
        row(
            0, [&] { return 4 * read(1) - read(2) - 3 * read(0); }, H);
        row(
            n - 1, [&] { return 3 * read(n - 1) - 4 * read(n - 2) + read(n - 3); }, H);
    } else if (order == 1 && points == 5) {
        const float H = static_cast<float>(12.0 * h);
        row(
            0,
            [&] {
                return -25 * read(0) + 48 * read(1) - 36 * read(2) + 16 * read(3) - 3 * read(4);
            },
            H);
        row(
            1, [&] { return -3 * read(0) - 10 * read(1) + 18 * read(2) - 6 * read(3) + read(4); },
            H);
        for (int k = 2; k <= n - 3; ++k)
            write(k, (read(k - 2) - 8 * read(k - 1) + 8 * read(k + 1) - read(k + 2)) / H);
        row(
            n - 2,
            [&] {
                return -read(n - 5) + 6 * read(n - 4) - 18 * read(n - 3) + 10 * read(n - 2)
                       + 3 * read(n - 1);
            },
            H);
        row(
            n - 1,
            [&] {
                return 3 * read(n - 5) - 16 * read(n - 4) + 36 * read(n - 3) - 48 * read(n - 2)
                       + 25 * read(n - 1);
            },
            H);
    } else if (order == 2 && points == 3) {
        const float H = static_cast<float>(h * h);
        row(
            0, [&] { return read(0) - 2 * read(1) + read(2); }, H);
        for (int k = 1; k <= n - 2; ++k)
            write(k, (read(k - 1) - 2 * read(k) + read(k + 1)) / H);
        row(
            n - 1, [&] { return read(n - 3) - 2 * read(n - 2) + read(n - 1); }, H);
    } else if (order == 2 && points == 5) {
        const float H = static_cast<float>(24.0 * h * h);
        row(
            0,
            [&] {
                return 70 * read(0) - 208 * read(1) + 228 * read(2) - 112 * read(3) + 22 * read(4);
            },
            H);
        row(
            1,
            [&] { return 22 * read(0) - 40 * read(1) + 12 * read(2) + 8 * read(3) - 2 * read(4); },
            H);
        for (int k = 2; k <= n - 3; ++k)
            write(k, (-2 * read(k - 2) + 32 * read(k - 1) - 60 * read(k) + 32 * read(k + 1)
                      - 2 * read(k + 2))
                         / H);
        row(
            n - 2,
            [&] {
                return -2 * read(n - 5) + 8 * read(n - 4) + 12 * read(n - 3) - 40 * read(n - 2)
                       + 22 * read(n - 1);
            },
            H);
        row(
            n - 1,
            [&] {
                return 22 * read(n - 5) - 112 * read(n - 4) + 228 * read(n - 3) - 208 * read(n - 2)
                       + 70 * read(n - 1);
            },
            H);
    }
}

// Derivative along i: values read directly, neighbours outside the field read as 0.0.
boost::shared_ptr<DataField2D> differentiateI(const DataField2D& field,
                                              boost::shared_ptr<DataField2D> result, int order,
                                              int points)
{
    const int n = field.getSizeI();
    for (int j = 0; j < field.getSizeJ(); ++j)
        differentiateLine(
            order, points, n, field.getDx(),
            [&](int k) { return k >= 0 && k < n ? field.getValue(k, j) : 0.0f; },
            [&](int k, float v) { result->setValue(k, j, v); });
    return result;
}

} // namespace

boost::shared_ptr<DataField2D> DataField2D::derivativeX(int points) const
{
    return differentiateI(*this, newFieldLike(), 1, points);
}

boost::shared_ptr<DataField2D> DataField2D::derivativeY(int points) const
{
    boost::shared_ptr<DataField2D> result = newFieldLike();
    for (int i = 0; i < sizeI; ++i)
        differentiateLine(
            1, points, sizeJ, dy, [&](int k) { return getValueChecked(i, k); },
            [&](int k, float v) { result->setValue(i, k, v); });
    return result;
}

boost::shared_ptr<DataField2D> DataField2D::secondDerivativeX(int points) const
{
    return differentiateI(*this, newFieldLike(), 2, points);
}

boost::shared_ptr<DataField2D> DataField2D::secondDerivativeY(int points) const
{
    boost::shared_ptr<DataField2D> result = newFieldLike();
    for (int i = 0; i < sizeI; ++i)
        differentiateLine(
            2, points, sizeJ, dy,
            [&](int k) { return k >= 0 && k < sizeJ ? getValue(i, k) : 0.0f; },
            [&](int k, float v) { result->setValue(i, k, v); });
    return result;
}

boost::shared_ptr<DataField2D> DataField2D::laplacian(int points) const
{
    boost::shared_ptr<DataField2D> alongJ = secondDerivativeY(points);
    boost::shared_ptr<DataField2D> alongI = secondDerivativeX(points);
    return alongI + alongJ;
}

boost::shared_ptr<DataField2D> DataField2D::smooth(double w) const
{
    boost::shared_ptr<DataField2D> result = newFieldLike();
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            double neighbours = 0.0;
            int count = 0;
            for (int nj = j - 1; nj <= j + 1; ++nj)
                for (int ni = i - 1; ni <= i + 1; ++ni) {
                    if ((ni == i && nj == j) || ni < 0 || ni >= sizeI || nj < 0 || nj >= sizeJ)
                        continue;
                    neighbours += getValue(ni, nj);
                    ++count;
                }
            const float reciprocal = 1.0f / static_cast<float>(1.0 + count * w);
            result->setValue(i, j,
                             static_cast<float>((getValue(i, j) + w * neighbours) * reciprocal));
        }
    return result;
}

boost::shared_ptr<DataField2D> DataField2D::cumulativeSumI() const
{
    boost::shared_ptr<DataField2D> result = newFieldLike();
    for (int j = 0; j < sizeJ; ++j) {
        float sum = 0.0f;
        for (int i = 0; i < sizeI; ++i) {
            sum += getValue(i, j);
            result->setValue(i, j, sum);
        }
    }
    return result;
}

boost::shared_ptr<DataField2D> DataField2D::centredMomentSumI() const
{
    boost::shared_ptr<DataField2D> result = newFieldLike();
    const int c = sizeI / 2;
    for (int j = 0; j < sizeJ; ++j) {
        float sum = 0.0f;
        for (int k = c; k < sizeI; ++k) {
            sum += (k - c) * getValue(k, j);
            result->setValue(k, j, sum);
        }
        sum = 0.0f;
        for (int k = c - 1; k >= 0; --k) {
            sum += (k - c) * getValue(k, j);
            result->setValue(k, j, sum);
        }
    }
    return result;
}
