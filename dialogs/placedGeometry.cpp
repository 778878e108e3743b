// Growing hand-placed rectangles to their needed sizes, moving columns and rows apart where they
// would overlap.
#include "dialogs/placedGeometry.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int largestKeptGap = 6;    // between a grown item and the column or row it moves
constexpr int largestParentGap = 12; // between a grown item and the parent's edge

QRect grownFrom(const QRect& base, QSize target, GrowFrom from)
{
    const int extra = target.width() - base.width();
    int left = base.left();
    if (from == GrowFrom::Centre)
        left -= extra / 2;
    else if (from == GrowFrom::Right)
        left -= extra;
    return QRect(QPoint(left, base.top()), target);
}

} // namespace

PlacedFit fitPlacedItems(const std::vector<PlacedItem>& items, QSize parentSize, QRect inside)
{
    const size_t n = items.size();
    std::vector<QRect> current(n);
    for (size_t i = 0; i < n; ++i)
        current[i] = items[i].rect;
    auto drawn = [&items](size_t i, const QRect& r) { return r.marginsRemoved(items[i].bare); };

    // Pairs that overlap as given stay as they are.
    std::vector<std::vector<bool>> overlappedBefore(n, std::vector<bool>(n, false));
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j)
            overlappedBefore[i][j]
                = i != j && drawn(i, items[i].rect).intersects(drawn(j, items[j].rect));

    // Top to bottom, left to right, so that a moved column or row is moved once per cause.
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&items](size_t a, size_t b) {
        const QPoint pa = items[a].rect.topLeft();
        const QPoint pb = items[b].rect.topLeft();
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });

    QRect holder = inside; // grows with every moved column and row

    // Items above `inside` (under a group's grown title) move down, and all the others with them.
    int top = holder.top();
    for (const QRect& r : current)
        top = std::min(top, r.top());
    if (top < holder.top()) {
        for (QRect& r : current)
            r.translate(0, holder.top() - top);
        holder.setBottom(holder.bottom() + holder.top() - top);
    }
    for (size_t i : order) {
        const QRect base = current[i];
        const QSize target = base.size().expandedTo(items[i].needed);
        if (target == base.size())
            continue;
        auto overlapsNewly = [&](const QRect& r, size_t j) {
            return j != i && !overlappedBefore[i][j]
                   && drawn(i, r).intersects(drawn(j, current[j]));
        };

        QRect grown = grownFrom(base, target, items[i].from);
        if (items[i].from != GrowFrom::Left) {
            const QRect fromLeft = grownFrom(base, target, GrowFrom::Left);
            bool blocked = grown.left() < holder.left();
            for (size_t j = 0; j < n && !blocked; ++j)
                blocked = overlapsNewly(grown, j) && !overlapsNewly(fromLeft, j);
            if (blocked)
                grown = fromLeft;
        }

        const QRect widthOnly(grown.left(), base.top(), grown.width(), base.height());
        int dx = 0;
        int dy = 0;
        for (size_t j = 0; j < n; ++j) {
            if (!overlapsNewly(grown, j))
                continue;
            const QRect& other = current[j];
            const bool right = other.left() > base.right();
            const bool below = other.top() > base.bottom();
            if (right && (overlapsNewly(widthOnly, j) || !below)) {
                const int gap = std::clamp(other.left() - base.right() - 1, 0, largestKeptGap);
                dx = std::max(dx, grown.right() + 1 + gap - other.left());
            } else if (below) {
                const int gap = std::clamp(other.top() - base.bottom() - 1, 0, largestKeptGap);
                dy = std::max(dy, grown.bottom() + 1 + gap - other.top());
            }
        }
        for (size_t j = 0; j < n; ++j) {
            if (j == i)
                continue;
            if (dx > 0 && current[j].left() > base.right())
                current[j].translate(dx, 0);
            if (dy > 0 && current[j].top() > base.bottom())
                current[j].translate(0, dy);
        }
        holder.setRight(holder.right() + dx);
        holder.setBottom(holder.bottom() + dy);
        current[i] = grown;
    }

    // The parent holds what grew or moved with the gap each had to its right and bottom edges.
    int wider = holder.width() - inside.width();
    int taller = holder.height() - inside.height();
    const int movedRight = wider;
    const int movedDown = taller;
    for (size_t i = 0; i < n; ++i) {
        if (current[i] == items[i].rect)
            continue;
        const int rightGap
            = std::clamp(inside.right() - items[i].rect.right(), 0, largestParentGap);
        const int bottomGap
            = std::clamp(inside.bottom() - items[i].rect.bottom(), 0, largestParentGap);
        wider = std::max(wider, movedRight + current[i].right() + rightGap - holder.right());
        taller = std::max(taller, movedDown + current[i].bottom() + bottomGap - holder.bottom());
    }
    const QSize size = parentSize + QSize(wider, taller);
    return {current, size};
}
