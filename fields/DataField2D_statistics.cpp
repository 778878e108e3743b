// Extrema, sums and the constancy test of the real field, and the binomial coefficient.
#include "fields/DataField2D.h"

#include "base/messages.h"

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

int DataField2D::binomial(int a, int b)
{
    if (a == b || b == 0)
        return 1;
    const bool endless = b < 0;
    if (a < b || endless)
        numericErrorBox(QStringLiteral("Error in DataField2D::binomial(int a, int b):\na=%1b=%2")
                            .arg(a)
                            .arg(b));
    if (endless)
        return 0;
    // The product is formed before the division so that every level stays exact.
    return static_cast<int>(static_cast<long long>(a) * binomial(a - 1, b - 1) / b);
}
