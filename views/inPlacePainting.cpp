// Painting an 8-bit bitmap into a raster painter's image through its colour table.
#include "views/inPlacePainting.h"

#include "views/fullScreenComposition.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <cmath>

namespace {

// The image the painter writes into, when it can be written directly: a 32-bit raster image of
// device pixel ratio 1.
QImage* rasterImageOf(QPainter& painter)
{
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    QImage* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    const bool opaqueColoursFit = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                                  || format == QImage::Format_ARGB32_Premultiplied;
    return opaqueColoursFit && image->devicePixelRatio() == 1.0 ? image : nullptr;
}

bool isWholePixel(qreal v)
{
    return v == std::round(v) && std::abs(v) < 1e9;
}

} // namespace

bool drawIndexedInPlace(QPainter& painter, const QImage& bitmap, const QRect& source,
                        const QPoint& target, const QRegion& region)
{
    if (bitmap.format() != QImage::Format_Indexed8 || painter.hasClipping()
        || painter.opacity() != 1.0
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate || !isWholePixel(t.dx()) || !isWholePixel(t.dy()))
        return false;
    QImage* image = rasterImageOf(painter);
    if (!image)
        return false;
    // Everything in device pixels; the bitmap pixel of device pixel d is d - shift.
    const QPoint offset(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
    const QPoint shift = target + offset - source.topLeft();
    const QRect drawn = source.intersected(bitmap.rect()).translated(shift);
    const QRegion painted = region.translated(offset) & drawn & image->rect();
    for (const QRect& r : painted)
        expandRectToColours(bitmap, r.translated(-shift), image->scanLine(r.y()) + 4 * r.x(),
                            image->bytesPerLine());
    return true;
}
