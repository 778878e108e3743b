// How the internal edition turns an opened image into a field: the choices of the image options
// dialog, remembered for the run, and the colour interpretation they ask for.
#pragma once

#include <QImage>
#include <cstdint>

struct ImageConversionChoice
{
    // Gray kind of the image conversion: 3 the weighted gray mix, 8 the cyclic colour scale,
    // 1 the red channel of the image made black and white (monochrome).
    int colourKind = 3;
    // false: a real field; true: the phase of a complex field of amplitude 1.
    bool complexPhase = false;
    // Real field mode: 0 the gray values, 1 divided by 255, 3 scaled to [0, 1].
    int realMode = 0;
    // Phase mode: 2 gray * 2 pi / 256 - pi, 4 quantised to `levels` equidistant levels.
    int phaseMode = 2;
    int levels = 2;
    // Red, green and blue weights of the gray mix; always 1, 0, 0 unless the dialog gave others
    // for a colour image.
    std::uint8_t weights[3] = {1, 0, 0};
};

constexpr int grayMixKind = 3;
constexpr int cyclicColourKind = 8;
constexpr int monochromeKind = 1;

// The choices of the last accepted options dialog (real field, gray values kept, gray mix at
// first); the weights are not among them.
ImageConversionChoice& rememberedImageConversion();

// The conversion for an image of `colourCount` distinct colours, gray or not. With the settings'
// image options switch on it runs the options dialog preset from the remembered choices and, when
// it is accepted, remembers and returns its choices; otherwise it returns the remembered choices
// with the weights 1, 0, 0. False when the dialog was not accepted.
bool chooseImageConversion(const QImage& image, int colourCount, bool gray,
                           ImageConversionChoice& choice);

// The image as the colour kind reads it: for the monochrome kind made 1-bit by a threshold at
// gray 128 (darker black, the rest white) and back to 8 bits; otherwise unchanged.
QImage interpretColours(const QImage& image, const ImageConversionChoice& choice);
