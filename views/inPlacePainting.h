// An 8-bit bitmap painted through its colour table straight into the pixels of a raster
// painter's image (a widget's backing store), with no 32-bit copy of the bitmap in between.
#pragma once

class QImage;
class QPainter;
class QPoint;
class QRect;
class QRegion;

// Draws the part `source` of `bitmap` (Indexed8) with its top-left corner at `target`, only
// within `region` (both in the painter's coordinates), as drawing expandToColours' image would.
// Works when the painter paints into a 32-bit image without scaling (whole-pixel translation, no
// clip of its own, source-over at full opacity); returns false and draws nothing otherwise.
bool drawIndexedInPlace(QPainter& painter, const QImage& bitmap, const QRect& source,
                        const QPoint& target, const QRegion& region);
