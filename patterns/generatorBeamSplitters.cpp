// Pattern generators: the fixed binary beam-splitter cells (Dammann 1-to-5, separable 2x2 and
// 5x5, non-separable 5x5).
#include "patterns/patternGenerators.h"

#include "patterns/phaseImage.h"

#include <array>

namespace {

// Level +1 / -1 per pixel of one period: segments of 9, 7, 9 and 1 pixels.
int dammannLevel(int u)
{
    return (u < 9 || (u >= 16 && u < 25)) ? 1 : -1;
}

// Segments of 1, 7, 1, 1, 7 and 1 pixels.
int twoByTwoLevel(int u)
{
    return (u == 0 || u == 8 || (u >= 10 && u < 17)) ? 1 : -1;
}

template<typename Level>
QImage separableCell(int period, Level level)
{
    QImage cell = createPhaseImage(period, period);
    fillPhaseImage(cell, [=](int x, int y) { return (level(x) * level(y) + 1) * 64; });
    return cell;
}

// The non-separable 1-to-(5x5) cell from the top image line down; '#' is gray 128, '.' gray 0.
const std::array<const char*, 26> nonSeparableRows = {
    ".#######................##", //
    "#####....................#", //
    "#####...................##", //
    "#####.......####.#......##", //
    "#####.......######.......#", //
    "#####.......#######....###", //
    "####.......########.##.###", //
    "####......########..##.###", //
    "##################.##..###", //
    "##################.#.#..##", //
    ".#################.#######", //
    "################..#...####", //
    "##############...........#", //
    "###############.##........", //
    "#######.##########........", //
    "########..########........", //
    ".#...###..########........", //
    ".##.....#..########.......", //
    "..####.#############......", //
    "...##.####.##########.....", //
    "....######.############...", //
    "....########..######.###..", //
    "...########.......#####.#.", //
    "#.#########.......###.....", //
    "..########.........###..##", //
    "..########.........#..###.", //
};

} // namespace

QImage linearDammannGratingCell()
{
    QImage cell = createPhaseImage(26, 26);
    fillPhaseImage(cell, [](int x, int) { return dammannLevel(x % 26) > 0 ? 128 : 0; });
    return cell;
}

QImage separable2x2GratingCell()
{
    return separableCell(18, twoByTwoLevel);
}

QImage separable5x5GratingCell()
{
    return separableCell(26, dammannLevel);
}

QImage nonSeparable5x5GratingCell()
{
    const int size = static_cast<int>(nonSeparableRows.size());
    QImage cell = createPhaseImage(size, size);
    for (int line = 0; line < size; ++line) {
        uchar* pixels = cell.scanLine(line);
        for (int x = 0; x < size; ++x)
            pixels[x] = nonSeparableRows[line][x] == '#' ? 128 : 0;
    }
    return cell;
}
