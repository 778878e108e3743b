// gdsiiStream: runs of a layer image merged line by line into polygons and written.
#include "fieldio/gdsiiStream.h"

#include "fieldio/DataSource2D.h"
#include "fieldio/gdsPolygon.h"

#include <algorithm>
#include <vector>

namespace {

using PolygonRow = std::vector<gdsPolygon*>;

// Writes (layer <= maxLayer) and deletes every polygon of prev whose first corner lies on or
// above line y, that is, which no rectangle of the line below took over.
void flushFinished(PolygonRow& prev, int y, short maxLayer, gdsiiStream& stream)
{
    for (std::size_t k = 0; k < prev.size(); ++k) {
        gdsPolygon* q = prev[k];
        if (!q || q->point(0).y > y)
            continue;
        if (static_cast<short>(q->getLayer()) <= maxLayer)
            q->writeGds(stream);
        std::replace(prev.begin() + std::ptrdiff_t(k), prev.end(), q,
                     static_cast<gdsPolygon*>(nullptr));
        delete q;
    }
}

} // namespace

gdsiiStream::gdsiiStream(int scale)
    : binaryFileStream(0)
    , scale(scale)
{}

void gdsiiStream::writeLayerImage(boost::shared_ptr<DataSource2D> source, short maxLayer)
{
    if (!source)
        return;
    const int width = source->getWidth();
    const int height = source->getHeight();
    if (width <= 0)
        return;
    // prev[k] holds the polygon that covers pixel (k, y - 1), cur[k] the one covering (k, y).
    PolygonRow prev(std::size_t(width), nullptr);
    PolygonRow cur(std::size_t(width), nullptr);
    for (int y = 0; y < height; ++y) {
        for (int s = 0; s < width;) {
            const std::uint8_t c = source->pixel(s, y);
            int e = s + 1;
            while (e < width && source->pixel(e, y) == c)
                ++e;
            gdsPolygon* p = new gdsPolygon(c, {{e, y + 1}, {e, y}, {s, y}, {s, y + 1}});
            std::fill(cur.begin() + s, cur.begin() + e, p);
            for (int k = s; y > 0 && k < e; ++k) {
                gdsPolygon* q = prev[std::size_t(k)];
                if (!q || q->getLayer() != p->getLayer() || q->getId() == p->getId()
                    || p->getPoints().getLast() / 2 + q->getPoints().getLast() / 2 >= 198)
                    continue;
                if (!p->merge(*q))
                    continue;
                std::replace(prev.begin(), prev.end(), q, p);
                std::replace(cur.begin(), cur.begin() + k, q, p);
                delete q;
            }
            s = e;
        }
        if (y > 0)
            flushFinished(prev, y, maxLayer, *this);
        std::swap(prev, cur);
        std::fill(cur.begin(), cur.end(), nullptr);
    }
    flushFinished(prev, height, maxLayer, *this);
}
