// Fresnel zone lenses, axicons, the vortex phase and concentric ring segments as pure generators.
#include "patterns/patternGenerators.h"

#include "phaseImageChecks.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

TEST(LensGenerators, BinaryFresnelZoneLensZoneBoundaries)
{
    const QImage image = binaryFresnelZoneLens(W, H, 100);
    expectPhaseImage(image, W, H);
    expectCentredPixels(image, {
                                   {"centre disc", 0, 0, 0},
                                   {"d^2 = 9997", 99, 14, 0},
                                   {"d^2 = 10000, first ring", 100, 0, 128},
                                   {"d^2 = 10000 below", 0, -100, 128},
                                   {"d^2 = 19981", 141, 10, 128},
                                   {"d^2 = 20000, second ring", 100, 100, 0},
                                   {"d^2 = 29881", -100, 141, 0},
                                   {"d^2 = 30164", 100, -142, 128},
                               });
    EXPECT_EQ(countPixels(image, 0) + countPixels(image, 128), W * H);
}

TEST(LensGenerators, ContinuousFresnelZoneLensAndInversion)
{
    const QImage plain = fresnelZoneLens(W, H, 140, false);
    const QImage inverted = fresnelZoneLens(W, H, 140, true);
    expectPhaseImage(plain, W, H);
    expectPhaseImage(inverted, W, H);
    expectCentredPixels(plain, {
                                   {"centre", 0, 0, 0},
                                   {"r = R/2", 70, 0, 64},
                                   {"just inside r = R", 139, 0, 252},
                                   {"r = R wraps", 140, 0, 0},
                                   {"r = 200: 522 mod 256", 0, 200, 10},
                               });
    expectCentredPixels(inverted, {
                                      {"centre", 0, 0, 255},
                                      {"r = R/2", 70, 0, 191},
                                      {"r = R", 140, 0, 255},
                                      {"r = 200: 255 - 522 mod 256", 0, 200, 245},
                                  });
}

TEST(LensGenerators, RadiusBelowOneCountsAsOne)
{
    struct Case
    {
        const char* what;
        std::function<QImage(int)> make;
    };
    const Case cases[] = {
        {"binary Fresnel zone lens", [](int r) { return binaryFresnelZoneLens(64, 48, r); }},
        {"Fresnel zone lens", [](int r) { return fresnelZoneLens(64, 48, r, false); }},
        {"inverted Fresnel zone lens", [](int r) { return fresnelZoneLens(64, 48, r, true); }},
        {"binary axicon", [](int r) { return binaryAxicon(64, 48, r); }},
        {"axicon", [](int r) { return axicon(64, 48, r, true); }},
        {"cylindrical lens width", [](int w) { return cylindricalFresnelZoneLens(64, 48, w, 30); }},
        {"ring segments radius", [](int r) { return concentricRingSegments(64, 48, r, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage one = c.make(1);
        EXPECT_EQ(c.make(0), one);
        EXPECT_EQ(c.make(-3), one);
        EXPECT_NE(c.make(3), one);
    }
}

TEST(LensGenerators, CylindricalLensDependsOnRotatedTruncatedCoordinate)
{
    // Angle 0: u = dx, the central band |u| < 140 centred on column W/2, every row alike.
    const QImage straight = cylindricalFresnelZoneLens(W, H, 280, 0);
    expectPhaseImage(straight, W, H);
    expectCentredPixels(straight, {
                                      {"centre", 0, 0, 0},
                                      {"u = 70", 70, 0, 64},
                                      {"u = -70", -70, 5, 64},
                                      {"u = 139", 139, -300, 252},
                                      {"u = 140 wraps", 140, 17, 0},
                                  });
    for (int x : {0, 700, 960, 1919})
        EXPECT_EQ(phaseColumn(straight, x), std::vector<int>(H, phasePixel(straight, x, 0)));

    // Odd width: h = 1.5. At 90 degrees the cosine is not exactly 0, so dx = 1, dy = 1 gives
    // u = trunc(-0.9999999999999999) = 0, while dx = 0, dy = 1 gives u = -1.
    const QImage turned = cylindricalFresnelZoneLens(W, H, 3, 90);
    expectCentredPixels(turned, {
                                    {"dx 1, dy 1", 1, 1, 0},
                                    {"dx 0, dy 1", 0, 1, 113},
                                    {"dx 0, dy -1", 0, -1, 113},
                                });
}

TEST(LensGenerators, AxiconsRingsAndRamps)
{
    const QImage binary = binaryAxicon(W, H, 40);
    expectPhaseImage(binary, W, H);
    expectCentredPixels(binary, {
                                    {"centre", 0, 0, 0},
                                    {"r = 39", 39, 0, 0},
                                    {"r = 40", 0, 40, 128},
                                    {"r = 50", 30, 40, 128},
                                    {"r = 80", -80, 0, 0},
                                    {"r = 120", 0, -120, 128},
                                });
    const QImage ramp = axicon(W, H, 30, false);
    const QImage inverted = axicon(W, H, 30, true);
    expectPhaseImage(ramp, W, H);
    expectCentredPixels(ramp, {
                                  {"centre", 0, 0, 0},
                                  {"r = 15", 15, 0, 128},
                                  {"r = 29", 0, 29, 247},
                                  {"r = 30 wraps", 0, -30, 0},
                                  {"r = 50", 30, 40, 170},
                              });
    expectCentredPixels(inverted, {
                                      {"centre", 0, 0, 255},
                                      {"r = 15", 15, 0, 127},
                                      {"r = 50", 30, 40, 85},
                                  });
}

TEST(PolarGenerators, VortexPhase)
{
    const QImage flat = vortexPhase(W, H, 10, 0);
    expectPhaseImage(flat, W, H);
    for (int dy = -10; dy <= 10; ++dy) {
        for (int dx = -10; dx <= 10; ++dx) {
            if (dx * dx + dy * dy < 100) {
                ASSERT_EQ(phasePixel(flat, W / 2 + dx, H / 2 + dy), 0) << dx << ", " << dy;
            }
        }
    }
    expectCentredPixels(flat, {
                                  {"r = 10 to the right is on the ramp", 10, 0, 64},
                                  {"r = 10 below", 0, -10, 128},
                              });

    struct Case
    {
        const char* what;
        int angle;
        std::vector<CentredPixel> pixels;
    };
    const Case cases[] = {
        {"jump straight up",
         0,
         {{"centre with radius 0", 0, 0, 0},
          {"right of the jump", 1, 100, 0},
          {"left of the jump", -1, 100, 255},
          {"right", 100, 0, 64},
          {"down", 0, -100, 128},
          {"left", -100, 0, 192}}},
        {"jump to the right", 90, {{"right", 100, 0, 0}, {"up", 0, 100, 192}}},
        // Negative sums are floored, not truncated: -64 stays -64, -127.29 becomes -128.
        {"jump to the left", 270, {{"up", 0, 100, 64}}},
        {"jump at 359 degrees", 359, {{"up", 0, 100, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectCentredPixels(vortexPhase(W, H, 0, c.angle), c.pixels);
    }
}

TEST(PolarGenerators, ConcentricRingSegments)
{
    const QImage two = concentricRingSegments(W, H, 40, 2);
    expectPhaseImage(two, W, H);
    expectCentredPixels(two, {
                                 {"right half, inner disc", 10, 0, 128},
                                 {"left half, inner disc", -10, 0, 0},
                                 {"right half, first ring", 50, 0, 0},
                                 {"left half, first ring", -50, 0, 128},
                                 {"right half, below", 10, -30, 128},
                                 {"centre column, inner disc", 0, 10, 0},
                                 {"centre column, first ring", 0, 50, 128},
                                 {"centre column, below", 0, -50, 128},
                                 {"centre", 0, 0, 0},
                                 {"r = 39", 39, 0, 128},
                                 {"r = 40", 40, 0, 0},
                             });
    EXPECT_EQ(countPixels(two, 0) + countPixels(two, 128), W * H);

    // Three segments: the levels alternate over [0, 120), [120, 180], (180, 240), [240, 360)
    // degrees clockwise from straight up; all points lie in the inner disc (b = 0).
    const QImage three = concentricRingSegments(W, H, 40, 3);
    expectCentredPixels(three, {
                                   {"60 degrees", 26, 15, 128},
                                   {"150 degrees", 15, -26, 0},
                                   {"210 degrees", -15, -26, 128},
                                   {"300 degrees", -26, 15, 0},
                               });
}

} // namespace

namespace {

// The per-pixel rules evaluated directly with the C library, for comparison with the generators'
// faster evaluation.
QImage directPolar(int width, int height, const std::function<int(int, int)>& rule)
{
    QImage image(width, height, QImage::Format_Indexed8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(height - 1 - y)[x]
                = static_cast<uchar>(rule(x - width / 2, y - height / 2) & 0xFF);
    return image;
}

int directVortex(int dx, int dy, int rho, int angle)
{
    const double pi = 3.141592653589793;
    if (std::sqrt(double(dx * dx + dy * dy)) < rho)
        return 0;
    const double a = angle * pi * (1.0 / 180);
    return static_cast<int>(std::floor((pi + std::atan2(double(dx), double(dy)) - a) * (128 / pi)))
           + 128;
}

int directRings(int dx, int dy, int r0, int n)
{
    const double pi = 3.141592653589793;
    const int b
        = static_cast<long long>(std::floor(std::sqrt(double(dx * dx + dy * dy)) / r0)) % 2 == 1
              ? 128
              : 0;
    if (dx == 0)
        return b;
    const long long m
        = static_cast<long long>(std::floor(std::atan2(double(dx), double(dy)) / ((pi + pi) / n)));
    return m % 2 == 0 ? 128 - b : b;
}

void expectSamePixels(const QImage& made, const QImage& direct)
{
    ASSERT_EQ(made.size(), direct.size());
    int differences = 0;
    for (int line = 0; line < made.height(); ++line)
        for (int x = 0; x < made.width(); ++x)
            differences += made.constScanLine(line)[x] != direct.constScanLine(line)[x];
    EXPECT_EQ(differences, 0);
}

TEST(PolarGenerators, EqualTheDirectRuleAtEveryPixel)
{
    struct Case
    {
        int width, height, first, second;
    };
    const Case cases[] = {
        {W, H, 0, 0}, {W, H, 10, 270}, {W, H, 50, 359}, {W, H, 3, 45}, {101, 77, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.height << ", " << c.first << ", " << c.second);
        expectSamePixels(vortexPhase(c.width, c.height, c.first, c.second),
                         directPolar(c.width, c.height, [&](int dx, int dy) {
                             return directVortex(dx, dy, c.first, c.second);
                         }));
    }
    const Case rings[] = {
        {W, H, 40, 2}, {W, H, 1, 20}, {W, H, 7, 3}, {W, H, 333, 6}, {99, 64, 5, 4},
    };
    for (const Case& c : rings) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.height << ", " << c.first << ", " << c.second);
        expectSamePixels(concentricRingSegments(c.width, c.height, c.first, c.second),
                         directPolar(c.width, c.height, [&](int dx, int dy) {
                             return directRings(dx, dy, c.first, c.second);
                         }));
    }
}

} // namespace
