// Extrema, sums and the constancy test of the real field, and the binomial coefficient.
#include "fields/DataField2D.h"

#include "base/messages.h"

#include <algorithm>
#include <climits>
#include <optional>

void DataField2D::computeExtrema()
{
    minimalPositive = -1.0f;
    maximalNegative = 1.0f;
    const int count = sizeI * sizeJ;
    if (count <= 0) {
        maxValue = 0.0f;
        minValue = 0.0f;
        return;
    }
    float max = data[0];
    float min = data[0];
    for (int k = 0; k < count; ++k) {
        const float v = data[k];
        if (v > max)
            max = v;
        if (v > 0.0f && (v < minimalPositive || minimalPositive <= 0.0f))
            minimalPositive = v;
        if (v < min)
            min = v;
        if (v < 0.0f && (v > maximalNegative || maximalNegative >= 0.0f))
            maximalNegative = v;
    }
    maxValue = max;
    minValue = min;
}

float DataField2D::getMax()
{
    computeExtrema();
    return maxValue;
}

float DataField2D::getMin()
{
    computeExtrema();
    return minValue;
}

void DataField2D::getMinMax(float& min, float& max)
{
    computeExtrema();
    min = minValue;
    max = maxValue;
}

float DataField2D::GetMinimalPositive()
{
    computeExtrema();
    if (minimalPositive > 0.0f)
        return minimalPositive;
    numericErrorBox(QStringLiteral("Error in DataField2D::GetMinimalPositive(): ")
                    + QString::number(minimalPositive, 'g', 6));
    return -1.0f;
}

float DataField2D::GetMaximalNegative()
{
    computeExtrema();
    if (maximalNegative < 0.0f)
        return maximalNegative;
    numericErrorBox(QStringLiteral("Error in DataField2D::GetMaximalNegative(): ")
                    + QString::number(maximalNegative, 'g', 6));
    return 1.0f;
}

double DataField2D::getSum() const
{
    double sum = 0.0;
    for (int k = 0; k < sizeI * sizeJ; ++k)
        sum += data[k];
    return sum;
}

double DataField2D::getSumOfSquares() const
{
    double sum = 0.0;
    for (int k = 0; k < sizeI * sizeJ; ++k)
        sum += double(data[k]) * data[k];
    return sum;
}

bool DataField2D::isConstant()
{
    computeExtrema();
    return maxValue - minValue == 0.0f;
}

namespace {

// n over k for 0 <= k <= n; nothing when it passes INT_MAX. Every partial product is the exact
// binomial (n - k + m) over m, at most INT_MAX, so its product with n - k + m <= 2^32 stays
// inside 64 bits.
std::optional<long long> binomialWithin(long long n, long long k)
{
    k = std::min(k, n - k);
    long long r = 1;
    for (long long m = 1; m <= k; ++m) {
        r = r * (n - k + m) / m;
        if (r > INT_MAX)
            return std::nullopt;
    }
    return r;
}

void showBinomialBox(long long a, long long b)
{
    numericErrorBox(
        QStringLiteral("Error in DataField2D::binomial(int a, int b):\na=%1b=%2").arg(a).arg(b));
}

} // namespace

int DataField2D::binomial(int a, int b)
{
    if (a == b || b == 0)
        return 1;
    if (b < 0) {
        showBinomialBox(a, b);
        return 0;
    }
    std::optional<long long> result;
    if (a < b) {
        // Every level (a - k, b - k), k = 0 .. b - 1, has a below b: one box each.
        for (long long k = 0; k < b; ++k)
            showBinomialBox(a - k, b - k);
        // The levels multiply their a's over b!: a level with a = 0 makes the product 0; for
        // a < 0 it is (-1)^b times (b - a - 1) over b.
        if (a >= 0)
            return 0;
        result = binomialWithin(static_cast<long long>(b) - a - 1, b);
        if (result && b % 2 != 0)
            result = -*result;
    } else {
        result = binomialWithin(a, b);
    }
    if (!result) {
        showBinomialBox(a, b);
        return 0;
    }
    return static_cast<int>(*result);
}
