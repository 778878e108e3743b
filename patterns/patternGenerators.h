// The elementary optical functions as pure functions: sizes and parameters in, an 8-bit phase
// image (see phaseImage.h) out. Lengths are in pixels, angles in degrees.
#pragma once

#include <QImage>
#include <functional>
#include <vector>

// Centred generators use dx = x - width / 2 and dy = y - height / 2 (truncating halves, y from the
// bottom); the sinusoidal and blazed gratings take their origin at the bottom-left pixel.

// Screens, apertures, slits and random bitmaps (full size, values 0/128 unless noted).
QImage blankScreen(int width, int height);               // 127 everywhere
QImage horizontallyDividedScreen(int width, int height); // 255 left of width / 2, 127 right
// Open (128) where -(w/2) <= dx < (w+1)/2 and -(h/2) <= dy < (h+1)/2: exactly w x h pixels.
QImage rectangularAperture(int width, int height, int apertureWidth, int apertureHeight);
// Open where dx^2 + dy^2 < radius^2; radius 0 gives no opening.
QImage circularAperture(int width, int height, int radius);
// Open columns -(w/2) <= dx < (w+1)/2 over the whole height; width 0 gives no opening.
QImage singleSlit(int width, int height, int slitWidth);
// Two slits of width w centred at columns width/2 + d/2 and width/2 + d/2 - d; they merge when
// they overlap.
QImage doubleSlit(int width, int height, int slitWidth, int slitDistance);

// A source of values 0..32767, drawn once per pixel, column by column from the left and within a
// column from the bottom up.
using RandomSource = std::function<int()>;
// trunc(draw * 255.999 / 32767): 0 -> 0, 32767 -> 255.
QImage randomBitmap(int width, int height, const RandomSource& draw);
// 128 where the draw is 16384 or more, else 0.
QImage randomBinaryBitmap(int width, int height, const RandomSource& draw);

// Lenses and axicons (full size). A radius below 1 is treated as 1.
// k = d^2 div R^2 (integers); 128 for odd k, 0 for even k.
QImage binaryFresnelZoneLens(int width, int height, int radius);
// floor(d^2 / R^2 * 256), mirrored to 255 - v when inverted, stored mod 256.
QImage fresnelZoneLens(int width, int height, int radius, bool invert);
// u = trunc(dx cos a - dy sin a), h = centralWidth / 2 (real): floor(u^2 / h^2 * 256) mod 256.
// A central width below 1 is treated as 1.
QImage cylindricalFresnelZoneLens(int width, int height, int centralWidth, int angle);
// floor(d / R) odd gives 128, even 0: rings of width R.
QImage binaryAxicon(int width, int height, int radius);
// floor(d / R * 256), mirrored to 255 - v when inverted, stored mod 256.
QImage axicon(int width, int height, int radius, bool invert);

// Polar patterns; theta = atan2(dx, dy) is 0 straight up and grows clockwise.
// 0 inside r < centralRadius; elsewhere floor((pi + theta - a) * 128 / pi) + 128 mod 256, the
// jump from 255 to 0 lying at theta = a = transitionAngle degrees.
QImage vortexPhase(int width, int height, int centralRadius, int transitionAngle);
// Rings of width R (b = 128 for odd floor(r / R)), flipped to 128 - b in the sectors
// floor(theta / (2 pi / N)) even; the centre column dx = 0 shows b. R and N below 1 count as 1.
QImage concentricRingSegments(int width, int height, int radius, int segments);

// Binary gratings: small cells that the full-screen window tiles.
// 3 (grooveV + lineV) wide, 3 (grooveH + lineH) high: each horizontal period starts at the bottom
// with lineH rows of level +1, then grooveH rows of -1; each vertical period at the left with
// lineV columns of +1, then grooveV of -1; a grating that is off is +1 throughout; the pixel is
// 128 where the product is +1 and 0 where it is -1. Widths below 1 count as 1.
QImage binaryLinearGratingCell(bool horizontal, int grooveH, int lineH, bool vertical, int grooveV,
                               int lineV);
// min(width, 2w) x min(height, 2w) cell of 45-degree stripes of gray 64 and 128, w pixels wide
// along a row: constant x - y for angle > 0 (+45), constant x + y otherwise (-45).
QImage binaryLinear45degGratingCell(int width, int height, int stripeWidth, int angle);
// Separable grating from the cumulative transition points of each axis (strictly increasing;
// the last one is the period): the profile is +1 up to the first point, -1 up to the second, and
// so on; an empty list stands for a constant axis as long as the other axis' period. Both lists
// empty give a null image.
QImage transitionPointGratingCell(const std::vector<int>& pointsX, const std::vector<int>& pointsY);

// Fixed beam-splitter cells.
QImage linearDammannGratingCell();   // 26 x 26 vertical stripes
QImage separable2x2GratingCell();    // 18 x 18
QImage separable5x5GratingCell();    // 26 x 26
QImage nonSeparable5x5GratingCell(); // 26 x 26, stored pattern

// Continuous gratings of period P (below 1 counts as 1). At 0, 90, 180 and 270 degrees a P x P
// cell that varies along x (0, 180) or y (90, 270); at any other angle a full width x height image
// in the direction x cos a - y sin a.
// floor((sin(2 pi t / P) + 1) * 127.5): 127 at the origin, 0..255.
QImage sinusoidalGrating(int width, int height, int period, int angle);
// floor(t / P * 256) mod 256: a ramp 0..255 per period.
QImage blazedGrating(int width, int height, int period, int angle);
