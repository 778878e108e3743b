// Growing widgets placed by hand to the sizes their texts need, without overlaps: the geometry
// alone, on rectangles within one parent.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <vector>

// Which edge a growing item keeps: its left edge, its centre or its right edge. Items always
// keep their top edge.
enum class GrowFrom { Left, Centre, Right };

struct PlacedItem
{
    QRect rect;   // where it is now, in the parent
    QSize needed; // the least size that shows all of it; a smaller side stays as it is
    GrowFrom from = GrowFrom::Left;
    QMargins bare; // the parts of `rect` it leaves undrawn (a line frame draws only its line)
};

struct PlacedFit
{
    std::vector<QRect> rects; // one per item, in the order given
    QSize parentSize;
};

// Items that start above `inside` (under a group's title) move down until none does, and all
// other items with them, the parent growing by as much. Each item grows to its needed size from
// its own edge; a centred or right-anchored item that
// would reach a sibling on its left or leave `inside` on the left grows from its left edge.
// Where a grown item newly overlaps a sibling that lay to its right (below it), every item that
// starts right of (below) the grown item's old edge moves right (down) by as much as keeps the
// old gap, at most 6 pixels, and the parent widens (heightens) by the same, so that columns and
// rows stay aligned. Items that overlapped before are left as they are. Finally the parent
// grows to hold every item with its old gap to the right and bottom edge of `inside`, at most 12
// pixels. Items whose text fits keep their place unless a column or row moves; nothing shrinks.
// `inside` is the part of the parent that holds items (its contents rectangle).
PlacedFit fitPlacedItems(const std::vector<PlacedItem>& items, QSize parentSize, QRect inside);
