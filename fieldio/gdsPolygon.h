// gdsPolygon: a rectilinear outline on one layer, merged along shared edges and written as a
// GDSII BOUNDARY element.
#pragma once

#include "fieldio/intArray.h"

#include <cstdint>
#include <initializer_list>
#include <ostream>

class gdsiiStream;

struct gdsPoint
{
    int x;
    int y;
};

// The most points one XY record holds with the first point repeated: its 16-bit length
// 8 * (points + 1) + 4 stays within 65535.
constexpr int maxXYPoints = 8190;

// Points are pixel-corner coordinates. Every polygon takes the next id of a process-wide count
// (the first polygon gets 1).
class gdsPolygon
{
public:
    // The layer's low 8 bits are kept; the corners are pushed in order.
    gdsPolygon(int layer, std::initializer_list<gdsPoint> corners);

    gdsPolygon(const gdsPolygon&) = delete;
    gdsPolygon& operator=(const gdsPolygon&) = delete;

    // Splices the outline of other into this one along the first edge of this polygon's top
    // (the odd corners on the y of corner 0 minus 1, walked right to left) that overlaps a
    // bottom edge of other (its even corners, reached left to right); collinear corners where
    // the two outlines meet are dropped. Returns false and prints both polygons to the error
    // output when no such edge exists; this polygon is then unchanged. other is never changed.
    bool merge(const gdsPolygon& other);

    // "[ id:points-1:layer " then "\n [x, y]" for each point, a line end and "]\n"; the layer is
    // written as a character.
    void print(std::ostream& out) const;

    // BOUNDARY, LAYER, DATATYPE 0, XY (the points and the first one again, each coordinate
    // times the stream's scale) and ENDEL records. A polygon of fewer than 4 or more than
    // maxXYPoints points, or with a coordinate times scale outside the 32-bit range, is refused
    // with an ERROR line in the log and nothing of it is written; returns whether it was written.
    bool writeGds(gdsiiStream& stream) const;

    int getId() const { return id; }
    std::uint8_t getLayer() const { return layer; }
    const intArray& getPoints() const { return points; }
    int pointCount() const { return (points.getLast() + 1) / 2; }
    // Point k for 0 <= k < pointCount().
    gdsPoint point(int k) const { return {points.get(2 * k), points.get(2 * k + 1)}; }

private:
    intArray points;
    std::uint8_t layer;
    int id;
};
