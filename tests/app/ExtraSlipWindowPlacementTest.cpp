#include "app/windows/ExtraSlipWindowPlacement.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
const QRect screen(0, 0, 1200, 900);
}  // namespace

TEST(ExtraSlipWindowPlacementTest, WindowsThatFitShareOneRowTenApart) {
    const QList<QPoint> corners = ExtraSlipWindowPlacement::arrange({{300, 200}, {400, 250}, {200, 100}}, screen);
    EXPECT_EQ(corners, (QList<QPoint>{{0, 0}, {310, 0}, {720, 0}}));
}

TEST(ExtraSlipWindowPlacementTest, ThreeWideWindowsWrapThirtyBelowTheTallest) {
    // Each is wider than a third of the screen: the third starts a new row.
    const QList<QPoint> corners = ExtraSlipWindowPlacement::arrange({{500, 300}, {500, 400}, {500, 200}}, screen);
    EXPECT_EQ(corners, (QList<QPoint>{{0, 0}, {510, 0}, {0, 430}}));
}

TEST(ExtraSlipWindowPlacementTest, ARowMayReachThirtyPastTheRightEdge) {
    // 1020 + 210 = 1230 = width + 30 still fits.
    const QList<QPoint> corners = ExtraSlipWindowPlacement::arrange({{500, 100}, {500, 100}, {210, 100}}, screen);
    EXPECT_EQ(corners.at(2), QPoint(1020, 0));
    EXPECT_EQ(ExtraSlipWindowPlacement::arrange({{500, 100}, {500, 100}, {211, 100}}, screen).at(2), QPoint(0, 130));
}

TEST(ExtraSlipWindowPlacementTest, ARowThatWouldReachTheBottomMarginStartsAtTheTopAgain) {
    const QRect small(0, 0, 1200, 700);
    const QList<QPoint> corners =
        ExtraSlipWindowPlacement::arrange({{500, 300}, {500, 300}, {500, 300}, {500, 300}, {500, 300}}, small);
    // Second row at 330; a third would end 40 above the bottom, below the
    // margin of 50: the fifth window goes back to the top.
    EXPECT_EQ(corners, (QList<QPoint>{{0, 0}, {510, 0}, {0, 330}, {510, 330}, {0, 0}}));
    for (const QPoint& corner : corners) EXPECT_LE(corner.y() + 300, small.height());
}

TEST(ExtraSlipWindowPlacementTest, CornersFollowTheScreensOrigin) {
    const QList<QPoint> corners = ExtraSlipWindowPlacement::arrange({{500, 300}, {500, 300}, {500, 300}},
                                                                    QRect(100, 40, 1200, 900));
    EXPECT_EQ(corners, (QList<QPoint>{{100, 40}, {610, 40}, {100, 370}}));
    EXPECT_TRUE(ExtraSlipWindowPlacement::arrange({}, screen).isEmpty());
}

TEST(ExtraSlipWindowPlacementTest, CascadeStepsDownAndStartsOverAtTheScreenEdge) {
    const QSize size(400, 300);
    auto first = ExtraSlipWindowPlacement::cascade(QPoint(), QPoint(50, 60), size, screen);
    EXPECT_EQ(first.topLeft, QPoint(50, 60));
    EXPECT_EQ(first.next, QPoint(72, 82));
    auto second = ExtraSlipWindowPlacement::cascade(first.next, QPoint(), size, screen);
    EXPECT_EQ(second.topLeft, QPoint(72, 82));
    // A window that would hang over the bottom edge starts at the corner again.
    auto wrapped = ExtraSlipWindowPlacement::cascade(QPoint(100, 700), QPoint(), size, screen);
    EXPECT_EQ(wrapped.topLeft, QPoint(0, 0));
    EXPECT_EQ(wrapped.next, QPoint(22, 22));
}

TEST(ExtraSlipWindowPlacementTest, ANewCascadeStartsBesideTheBoxWindow) {
    const QSize size(400, 300);
    // Room on the right: beside it, tops aligned.
    EXPECT_EQ(ExtraSlipWindowPlacement::besideWindow(QRect(0, 100, 600, 500), size, screen), QPoint(610, 100));
    // No room on the right, room on the left.
    EXPECT_EQ(ExtraSlipWindowPlacement::besideWindow(QRect(500, 100, 600, 500), size, screen), QPoint(90, 100));
    // A box window filling the screen: over its corner, a cascade step in.
    EXPECT_EQ(ExtraSlipWindowPlacement::besideWindow(QRect(0, 0, 1200, 900), size, screen), QPoint(44, 44));
    // A box window low on the screen: the extra window stays on it.
    EXPECT_EQ(ExtraSlipWindowPlacement::besideWindow(QRect(0, 800, 600, 100), size, screen).y(), 600);
}
