// Random gray-level shuffle: the table, its use on a field and the shuffled copy's caption.
#include "lab/fieldio/grayLevelShuffle.h"

#include "base/phasedeckRandom.h"
#include "fields/DataField2D.h"

#include <algorithm>
#include <cmath>

namespace {

// trunc(r * (largest + 1) / 32767), at most largest.
int randomShift(int r, int largest)
{
    const int s = int(r * (largest + 1) * (1.0 / phasedeckRandMax));
    return std::min(s, largest);
}

} // namespace

grayLevelTable grayShuffleTable(const grayShuffleParameters& parameters,
                                const std::function<int()>& draw)
{
    const std::function<int()> next = draw ? draw : std::function<int()>(phasedeckRand);
    const int positive = parameters.maxPositiveShift;
    const int negative = parameters.maxNegativeShift;
    grayLevelTable table{};
    for (int g = 0; g < 256; ++g) {
        table[size_t(g)] = std::uint8_t(g);
        if (g < parameters.lowest || g > parameters.highest || (positive == 0 && negative == 0))
            continue;
        bool down;
        if (positive == 0)
            down = true;
        else if (negative == 0)
            down = false;
        else
            down = int(next() * 6.103701895199407e-05) != 0;
        const int shift = down ? -randomShift(next(), negative) : randomShift(next(), positive);
        table[size_t(g)] = std::uint8_t((g + shift) & 0xFF);
    }
    return table;
}

void applyGrayLevelTable(DataField2D& field, const grayLevelTable& table)
{
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i) {
            const double v = std::trunc(double(field.getValue(i, j)));
            const double wrapped = std::isfinite(v) ? std::fmod(v, 256.0) : 0.0;
            const int index = (int(wrapped) + 256) & 0xFF;
            field.setValue(i, j, float(table[size_t(index)]));
        }
}

QString randomizedCaption(const QString& caption)
{
    static const QString ending = QStringLiteral(" - randomized");
    return caption.endsWith(ending) ? caption : caption + ending;
}
