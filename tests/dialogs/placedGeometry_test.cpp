// Growing hand-placed rectangles to their needed sizes: what moves, what stays, how the parent
// grows.
#include "dialogs/placedGeometry.h"

#include "formChecks.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char* name;
    std::vector<PlacedItem> items;
    QSize parent;
    QRect inside;
    std::vector<QRect> expected;
    QSize expectedParent;
};

PlacedItem item(QRect rect, QSize needed, GrowFrom from = GrowFrom::Left,
                QMargins bare = QMargins())
{
    return {rect, needed, from, bare};
}

const QSize fits(0, 0);

TEST(PlacedGeometry, GrowsMovesAndKeeps)
{
    const Case cases[] = {
        {"texts that fit keep every place and the parent's size",
         {item(QRect(22, 31, 110, 21), QSize(80, 17)), item(QRect(138, 31, 81, 20), fits)},
         QSize(260, 168),
         QRect(0, 0, 260, 168),
         {QRect(22, 31, 110, 21), QRect(138, 31, 81, 20)},
         QSize(260, 168)},
        // The first label reaches the spin boxes: the whole column (and the button right of the
        // label's old edge) moves right, keeping the 6-pixel gap; the second label then fits.
        {"a longer label moves the column on its right",
         {item(QRect(22, 31, 110, 21), QSize(140, 17)), item(QRect(138, 31, 81, 20), fits),
          item(QRect(22, 71, 110, 21), QSize(120, 17)), item(QRect(138, 71, 81, 20), fits),
          item(QRect(150, 120, 81, 31), fits), item(QRect(40, 120, 81, 31), fits)},
         QSize(260, 168),
         QRect(0, 0, 260, 168),
         {QRect(22, 31, 140, 21), QRect(168, 31, 81, 20), QRect(22, 71, 120, 21),
          QRect(168, 71, 81, 20), QRect(180, 120, 81, 31), QRect(40, 120, 81, 31)},
         QSize(290, 168)},
        {"a wide gap is kept only up to 6 pixels",
         {item(QRect(22, 31, 110, 21), QSize(170, 17)), item(QRect(168, 31, 60, 20), fits)},
         QSize(262, 271),
         QRect(0, 0, 262, 271),
         {QRect(22, 31, 170, 21), QRect(198, 31, 60, 20)},
         QSize(292, 271)},
        {"a centred label grows on both sides",
         {item(QRect(220, 180, 80, 22), QSize(88, 17), GrowFrom::Centre),
          item(QRect(125, 180, 60, 22), fits)},
         QSize(600, 210),
         QRect(0, 0, 600, 210),
         {QRect(216, 180, 88, 22), QRect(125, 180, 60, 22)},
         QSize(600, 210)},
        {"a right-aligned label grows to the left",
         {item(QRect(100, 10, 50, 20), QSize(70, 17), GrowFrom::Right)},
         QSize(200, 50),
         QRect(0, 0, 200, 50),
         {QRect(80, 10, 70, 20)},
         QSize(200, 50)},
        {"a centred label that would reach its left neighbour grows to the right",
         {item(QRect(0, 0, 50, 20), fits),
          item(QRect(52, 0, 30, 20), QSize(40, 17), GrowFrom::Centre)},
         QSize(200, 50),
         QRect(0, 0, 200, 50),
         {QRect(0, 0, 50, 20), QRect(52, 0, 40, 20)},
         QSize(200, 50)},
        {"a centred label at the parent's left edge grows to the right",
         {item(QRect(2, 0, 30, 20), QSize(40, 17), GrowFrom::Centre)},
         QSize(200, 50),
         QRect(0, 0, 200, 50),
         {QRect(2, 0, 40, 20)},
         QSize(200, 50)},
        {"a taller widget moves the rows below it down",
         {item(QRect(10, 10, 100, 20), QSize(100, 30)), item(QRect(10, 35, 100, 20), fits),
          item(QRect(150, 10, 40, 20), fits)},
         QSize(200, 80),
         QRect(0, 0, 200, 80),
         {QRect(10, 10, 100, 30), QRect(10, 45, 100, 20), QRect(150, 10, 40, 20)},
         QSize(200, 90)},
        {"a check box stacked over a group grows over it and moves nothing",
         {item(QRect(50, 41, 230, 110), fits), item(QRect(60, 31, 110, 21), QSize(135, 21))},
         QSize(337, 365),
         QRect(0, 0, 337, 365),
         {QRect(50, 41, 230, 110), QRect(60, 31, 135, 21)},
         QSize(337, 365)},
        {"a label may grow over the empty part of a line frame",
         {item(QRect(100, 60, 50, 22), QSize(50, 24)),
          item(QRect(125, 80, 60, 20), fits, GrowFrom::Left, QMargins(0, 9, 0, 10))},
         QSize(600, 210),
         QRect(0, 0, 600, 210),
         {QRect(100, 60, 50, 24), QRect(125, 80, 60, 20)},
         QSize(600, 210)},
        {"the parent grows to hold a grown item with its gap, at most 12 pixels",
         {item(QRect(280, 20, 280, 21), QSize(327, 21)), item(QRect(20, 20, 120, 22), fits)},
         QSize(600, 210),
         QRect(0, 0, 600, 210),
         {QRect(280, 20, 327, 21), QRect(20, 20, 120, 22)},
         QSize(619, 210)},
        {"an item flush with a frame's inside keeps no gap",
         {item(QRect(1, 1, 98, 20), QSize(110, 20))},
         QSize(100, 40),
         QRect(1, 1, 98, 38),
         {QRect(1, 1, 110, 20)},
         QSize(112, 40)},
        {"items under a taller group title move down together",
         {item(QRect(20, 20, 131, 21), fits), item(QRect(20, 50, 201, 20), fits)},
         QSize(270, 90),
         QRect(0, 25, 270, 65),
         {QRect(20, 25, 131, 21), QRect(20, 55, 201, 20)},
         QSize(270, 95)},
        {"nothing placed leaves the parent as it is",
         {},
         QSize(100, 50),
         QRect(0, 0, 100, 50),
         {},
         QSize(100, 50)},
        {"items that overlapped before are left as they are",
         {item(QRect(20, 160, 90, 22), QSize(99, 17)), item(QRect(105, 160, 30, 22), fits)},
         QSize(600, 210),
         QRect(0, 0, 600, 210),
         {QRect(20, 160, 99, 22), QRect(105, 160, 30, 22)},
         QSize(600, 210)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PlacedFit fit = fitPlacedItems(c.items, c.parent, c.inside);
        EXPECT_EQ(fit.rects, c.expected);
        EXPECT_EQ(fit.parentSize, c.expectedParent);
    }
}

} // namespace
