// Random gray-level shuffle: a table that moves each gray of a chosen band by a random shift,
// its use on a field of gray values, and the caption of the shuffled copy.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class DataField2D;

struct grayShuffleParameters
{
    int maxPositiveShift = 8; // P, 0..255
    int maxNegativeShift = 8; // N, 0..255
    int lowest = 0;           // L, the lowest gray to randomise
    int highest = 255;        // H, the highest gray to randomise
};

using grayLevelTable = std::array<std::uint8_t, 256>;

// Table entry g for g = 0..255 in order: g outside L..H stays g. Inside, the direction is
// negative when P = 0, positive when N = 0, else negative when trunc(draw() * 2 / 32767) != 0;
// then s = trunc(draw() * (S + 1) / 32767) with S = P or N, at most S (a draw of 32767 gives S),
// and the entry is (g + s) or (g - s) modulo 256. With P = N = 0 every entry is g. draw returns
// 0..32767; by default the program's 15-bit generator.
grayLevelTable grayShuffleTable(const grayShuffleParameters& parameters,
                                const std::function<int()>& draw = {});

// Every value v of the field becomes table[trunc(v) modulo 256] (NaN counts as 0), in place.
void applyGrayLevelTable(DataField2D& field, const grayLevelTable& table);

// The caption followed by " - randomized", unless it ends with that already.
QString randomizedCaption(const QString& caption);
