// gdsPolygon: construction, merging of two outlines, the text form and the GDSII records.
#include "fieldio/gdsPolygon.h"

#include "base/Logfile.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/gdsiiStream.h"

#include <cstdint>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>

namespace {

int polygonCount = 0;

void pushPoint(intArray& points, gdsPoint p)
{
    points.push(p.x);
    points.push(p.y);
}

} // namespace

gdsPolygon::gdsPolygon(int layer, std::initializer_list<gdsPoint> corners)
    : layer(static_cast<std::uint8_t>(layer & 0xFF))
    , id(++polygonCount)
{
    for (const gdsPoint& p : corners)
        pushPoint(points, p);
}

bool gdsPolygon::merge(const gdsPolygon& other)
{
    const int n = pointCount();
    const int m = other.pointCount();
    const int topY = point(0).y - 1;
    // v runs over the odd corners that start a top edge v -> v + 1; v + 1 stays inside.
    for (int v = 1; v + 1 < n; v += 2) {
        const gdsPoint pv = point(v);
        const gdsPoint pv1 = point(v + 1);
        if (pv.y != topY)
            continue;
        for (int f = 0; f < m; f += 2) {
            const gdsPoint qf = other.point(f);
            const gdsPoint qp = other.point(f == 0 ? m - 1 : f - 1);
            if (qf.y != pv.y || qp.x > pv.x || qf.x < pv1.x)
                continue;
            intArray merged;
            for (int k = 0; k < v; ++k)
                pushPoint(merged, point(k));
            int start = f + 1;
            if (qf.x != pv.x) {
                pushPoint(merged, pv);
                start = f;
            }
            // other from start round to the corner before f, which comes last.
            for (int k = start; k <= m - 2; ++k)
                pushPoint(merged, other.point(k));
            if (f > 0) {
                pushPoint(merged, other.point(m - 1));
                for (int k = 0; k <= f - 2; ++k)
                    pushPoint(merged, other.point(k));
            }
            int next = v + 1;
            if (qp.x == pv1.x)
                next = v + 2;
            else
                pushPoint(merged, qp);
            for (int k = next; k < n; ++k)
                pushPoint(merged, point(k));
            points = merged;
            return true;
        }
    }
    print(std::cerr);
    other.print(std::cerr);
    return false;
}

void gdsPolygon::print(std::ostream& out) const
{
    out << "[ " << id << ':' << points.getLast() / 2 << ':' << static_cast<char>(layer) << ' ';
    for (int k = 0; k < pointCount(); ++k) {
        const gdsPoint p = point(k);
        out << "\n [" << p.x << ", " << p.y << "]";
    }
    out << "\n]\n";
}

bool gdsPolygon::writeGds(gdsiiStream& stream) const
{
    const int n = pointCount();
    const std::int64_t scale = stream.getScale();
    const auto refuse = [this](const std::string& reason) {
        std::ostringstream line;
        line << "Polygon " << id << " of " << pointCount()
             << " points not written in gdsPolygon::writeGds: " << reason << ".";
        theLogfile.error(line.str());
        return false;
    };
    if (n < 4)
        return refuse("a boundary needs at least 4 points");
    if (n > maxXYPoints)
        return refuse("one XY record holds at most " + std::to_string(maxXYPoints) + " points");
    // Every coordinate is checked before the first byte goes out.
    for (int k = 0; k < 2 * n; ++k) {
        const std::int64_t c = points.get(k) * scale;
        if (c < std::numeric_limits<std::int32_t>::min()
            || c > std::numeric_limits<std::int32_t>::max())
            return refuse("coordinate " + std::to_string(points.get(k)) + " times scale "
                          + std::to_string(scale) + " lies outside the 32-bit range");
    }
    const auto scaled = [scale](int c) {
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(c * scale));
    };
    stream.write_short(4);
    stream.write_short(0x0800);
    stream.write_short(6);
    stream.write_short(0x0D02);
    stream.write_short(layer);
    stream.write_short(6);
    stream.write_short(0x0E02);
    stream.write_short(0);
    stream.write_short(static_cast<std::uint16_t>(8 * (n + 1) + 4));
    stream.write_short(0x1003);
    for (int k = 0; k <= n; ++k) {
        const gdsPoint p = point(k == n ? 0 : k);
        stream.write_long(scaled(p.x));
        stream.write_long(scaled(p.y));
    }
    stream.write_short(4);
    stream.write_short(0x1100);
    return true;
}
