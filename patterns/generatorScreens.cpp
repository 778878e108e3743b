// Pattern generators: uniform and divided screens, apertures, slits and random bitmaps.
#include "patterns/patternGenerators.h"

#include "patterns/phaseImage.h"

namespace {

// -(w/2) <= u < (w+1)/2: w consecutive positions around u = 0.
bool insideCentredInterval(int u, int w)
{
    return -(w / 2) <= u && u < (w + 1) / 2;
}

} // namespace

QImage blankScreen(int width, int height)
{
    QImage image = createPhaseImage(width, height);
    image.fill(127);
    return image;
}

QImage horizontallyDividedScreen(int width, int height)
{
    QImage image = createPhaseImage(width, height);
    const int half = width / 2;
    fillPhaseImage(image, [half](int x, int) { return x < half ? 255 : 127; });
    return image;
}

QImage rectangularAperture(int width, int height, int apertureWidth, int apertureHeight)
{
    QImage image = createPhaseImage(width, height);
    const int cx = width / 2;
    const int cy = height / 2;
    fillPhaseImage(image, [=](int x, int y) {
        return insideCentredInterval(x - cx, apertureWidth)
                       && insideCentredInterval(y - cy, apertureHeight)
                   ? 128
                   : 0;
    });
    return image;
}

QImage circularAperture(int width, int height, int radius)
{
    QImage image = createPhaseImage(width, height);
    const int cx = width / 2;
    const int cy = height / 2;
    const long long r2 = static_cast<long long>(radius) * radius;
    fillPhaseImage(image, [=](int x, int y) {
        const long long dx = x - cx;
        const long long dy = y - cy;
        return dx * dx + dy * dy < r2 ? 128 : 0;
    });
    return image;
}

QImage singleSlit(int width, int height, int slitWidth)
{
    QImage image = createPhaseImage(width, height);
    const int cx = width / 2;
    fillPhaseImage(image,
                   [=](int x, int) { return insideCentredInterval(x - cx, slitWidth) ? 128 : 0; });
    return image;
}

QImage doubleSlit(int width, int height, int slitWidth, int slitDistance)
{
    QImage image = createPhaseImage(width, height);
    const int cx = width / 2;
    fillPhaseImage(image, [=](int x, int) {
        const int u = x - cx - slitDistance / 2;
        return insideCentredInterval(u, slitWidth)
                       || insideCentredInterval(u + slitDistance, slitWidth)
                   ? 128
                   : 0;
    });
    return image;
}

QImage randomBitmap(int width, int height, const RandomSource& draw)
{
    QImage image = createPhaseImage(width, height);
    fillPhaseImage(image,
                   [&draw](int, int) { return static_cast<int>(draw() * 0.007812707907345805); });
    return image;
}

QImage randomBinaryBitmap(int width, int height, const RandomSource& draw)
{
    QImage image = createPhaseImage(width, height);
    fillPhaseImage(image, [&draw](int, int) {
        return static_cast<int>(draw() * 6.103701895199407e-05) * 128;
    });
    return image;
}
