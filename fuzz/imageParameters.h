// The parameter block at the end of an input of the image target: which conversions run with
// which arguments, and the adjustments of the full-screen composition.
#pragma once

#include <cstddef>

namespace imageParameters {

enum : std::size_t {
    grayKind = 0, // 0 .. 9, gray kind of the image-to-field conversions
    weight1 = 1,  // w1, w2, w3 of the weighted gray
    weight2 = 2,
    weight3 = 3,
    fieldMode = 4,      // 0 .. 4, mode of the real field
    representation = 5, // 0 .. 5, 4 is the phase representation of the complex field
    complexMode = 6,    // 0 .. 5
    complexLevels = 7,  // two bytes, signed 16-bit
    grayLevels = 9,     // levels of the field-to-image conversions, 0 meaning 256
    displayMode = 10,   // 0 .. 6, complex display mode
    channelKind = 11,   // 0 .. 7, kind of convertImageToGrayByChannel
    zoomLevel = 12,     // signed, -8 .. 8
    gamma = 13,         // 0 .. 255
    grayPhase0 = 14,
    grayPhase2Pi = 15,
    lens = 16,   // signed, -100 .. 100
    prismX = 17, // signed, -100 .. 100
    prismY = 18,
    shiftX = 19,     // two bytes, 1 - 1920 .. 1920
    shiftY = 21,     // two bytes, 1 - 1080 .. 1080
    flags = 23,      // bit 0 inverted, bit 1 a background image
    tileWidth = 24,  // two bytes, 0 .. 640
    tileHeight = 26, // two bytes, 0 .. 480
    count = 28
};

} // namespace imageParameters
