#include "app/windows/ExtraSlipWindowPlacement.h"

#include <algorithm>

namespace fendle {

QList<QPoint> ExtraSlipWindowPlacement::arrange(const QList<QSize>& windowSizes, const QRect& screen) {
    // The rule counts heights upwards from the screen's bottom edge; the
    // corners are turned into downward screen coordinates at the end.
    const int width = screen.width();
    const int height = screen.height();
    int x = 0;
    int top = height;
    int rowHeight = 0;
    QList<QPoint> corners;
    corners.reserve(windowSizes.size());
    for (const QSize& size : windowSizes) {
        if (x + size.width() > width + RowGap) {
            // The next row starts 30 below the tallest window of this one,
            // unless the window would then reach into the bottom margin:
            // judged by where the window would end up, so that no row is
            // placed off the screen.
            const int nextTop = top - (rowHeight + RowGap);
            top = nextTop - size.height() >= BottomMargin ? nextTop : height;
            x = 0;
            rowHeight = 0;
        }
        corners.append(QPoint(screen.left() + x, screen.top() + height - top));
        rowHeight = std::max(rowHeight, size.height());
        x += size.width() + ColumnGap;
    }
    return corners;
}

ExtraSlipWindowPlacement::Cascade ExtraSlipWindowPlacement::cascade(const QPoint& from, const QPoint& windowPosition,
                                                                    const QSize& windowSize, const QRect& screen) {
    QPoint topLeft = from.isNull() ? windowPosition : from;
    // A window that would leave the screen starts the cascade again at its corner.
    if (topLeft.x() + windowSize.width() > screen.right() + 1 || topLeft.y() + windowSize.height() > screen.bottom() + 1 ||
        !screen.contains(topLeft))
        topLeft = screen.topLeft();
    return {topLeft, topLeft + QPoint(CascadeStep, CascadeStep)};
}

QPoint ExtraSlipWindowPlacement::besideWindow(const QRect& boxWindowFrame, const QSize& windowSize, const QRect& screen) {
    const int lowestTop = std::max(screen.top(), screen.bottom() + 1 - windowSize.height());
    const int top = std::clamp(boxWindowFrame.top(), screen.top(), lowestTop);
    const int right = boxWindowFrame.right() + 1 + ColumnGap;
    if (right + windowSize.width() <= screen.right() + 1) return {right, top};
    const int left = boxWindowFrame.left() - ColumnGap - windowSize.width();
    if (left >= screen.left()) return {left, top};
    return boxWindowFrame.topLeft() + QPoint(2 * CascadeStep, 2 * CascadeStep);
}

}  // namespace fendle
