// Separable 8-bit resampling of gray images with fixed-point weights.
#include "fieldio/grayImageScaling.h"

#include "fieldio/grayImages.h"
#include "fieldio/imageColours.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <vector>

namespace {

constexpr int weightBits = 14;
constexpr std::int32_t weightOne = 1 << weightBits;

// The source pixels and weights (summing to weightOne) of one target pixel along one axis.
struct Taps
{
    int first = 0; // first source index
    std::vector<std::int32_t> weights;
};

std::vector<Taps> axisTaps(int source, int target, bool smooth)
{
    std::vector<Taps> taps(static_cast<size_t>(target));
    const double scale = double(source) / target;
    for (int o = 0; o < target; ++o) {
        Taps& t = taps[size_t(o)];
        if (!smooth || source == target) {
            t.first = std::min(source - 1, int((o + 0.5) * scale));
            t.weights = {weightOne};
        } else if (target > source) {
            const double centre = std::clamp((o + 0.5) * scale - 0.5, 0.0, source - 1.0);
            t.first = std::min(int(centre), std::max(0, source - 2));
            const auto upper = std::int32_t(std::lround((centre - t.first) * weightOne));
            t.weights = {weightOne - upper, upper};
            if (source == 1)
                t.weights = {weightOne};
        } else {
            const double from = o * scale;
            const double to = (o + 1) * scale;
            t.first = int(from);
            const int last = std::min(source - 1, int(std::ceil(to)) - 1);
            std::int32_t sum = 0;
            for (int i = t.first; i <= last; ++i) {
                const double covered = std::min(to, i + 1.0) - std::max(from, double(i));
                const auto w = std::int32_t(std::lround(covered / scale * weightOne));
                t.weights.push_back(w);
                sum += w;
            }
            t.weights.back() += weightOne - sum; // rounding left over
        }
    }
    return taps;
}

} // namespace

QImage scaleGrayImage(const QImage& image, int width, int height, bool smooth)
{
    if (image.isNull() || width < 1 || height < 1)
        return QImage();
    // Pixel index = gray from here on.
    QImage gray = convertImageToGrayByChannel(image, 3);
    convertPaletteToGray(gray);
    if (gray.format() != QImage::Format_Indexed8)
        return QImage();
    QImage result = createPhaseImage(width, height);
    if (result.isNull())
        return result;

    const std::vector<Taps> xTaps = axisTaps(gray.width(), width, smooth);
    const std::vector<Taps> yTaps = axisTaps(gray.height(), height, smooth);

    // Source rows resampled along x (sums of weight x gray), kept while target rows need them.
    std::deque<std::pair<int, std::vector<std::int32_t>>> rows;
    auto rowAlongX = [&](int sourceRow) -> const std::vector<std::int32_t>& {
        for (const auto& r : rows)
            if (r.first == sourceRow)
                return r.second;
        std::vector<std::int32_t> sums(static_cast<size_t>(width));
        const uchar* in = gray.constScanLine(sourceRow);
        for (int x = 0; x < width; ++x) {
            const Taps& t = xTaps[size_t(x)];
            std::int32_t s = 0;
            for (size_t k = 0; k < t.weights.size(); ++k)
                s += t.weights[k] * in[t.first + int(k)];
            sums[size_t(x)] = s;
        }
        rows.emplace_back(sourceRow, std::move(sums));
        return rows.back().second;
    };

    std::vector<std::int64_t> line(static_cast<size_t>(width));
    constexpr std::int64_t half = std::int64_t(1) << (2 * weightBits - 1);
    for (int y = 0; y < height; ++y) {
        const Taps& t = yTaps[size_t(y)];
        while (!rows.empty() && rows.front().first < t.first)
            rows.pop_front();
        std::fill(line.begin(), line.end(), half);
        for (size_t k = 0; k < t.weights.size(); ++k) {
            const std::vector<std::int32_t>& sums = rowAlongX(t.first + int(k));
            const std::int64_t w = t.weights[k];
            for (int x = 0; x < width; ++x)
                line[size_t(x)] += w * sums[size_t(x)];
        }
        uchar* out = result.scanLine(y);
        for (int x = 0; x < width; ++x)
            out[x] = uchar(std::clamp<std::int64_t>(line[size_t(x)] >> (2 * weightBits), 0, 255));
    }
    return result;
}
