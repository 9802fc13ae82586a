#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace fendle {

// Where extra slip windows go on the screen: cascaded one after another as
// they open, or tiled in rows on request. Plain arithmetic, so the rules can
// be checked without windows.
class ExtraSlipWindowPlacement {
public:
    // Gap between windows of a row, and between rows.
    static constexpr int ColumnGap = 10;
    static constexpr int RowGap = 30;
    // A row whose windows would reach below this (from the screen's bottom)
    // starts again at the top.
    static constexpr int BottomMargin = 50;
    // The step from one cascaded window to the next.
    static constexpr int CascadeStep = 22;

    // Top-left corners (screen coordinates, y growing downwards) of windows
    // of these sizes tiled left to right, top to bottom, in the given order.
    static QList<QPoint> arrange(const QList<QSize>& windowSizes, const QRect& screen);

    // Where a window cascaded from `from` goes (a null point: where it is
    // now) and the point the next one cascades from.
    struct Cascade {
        QPoint topLeft;
        QPoint next;
    };
    static Cascade cascade(const QPoint& from, const QPoint& windowPosition, const QSize& windowSize,
                           const QRect& screen);

    // Where the first window of a cascade goes: to the right of the box
    // window when it fits there, else to its left, else over its corner.
    static QPoint besideWindow(const QRect& boxWindowFrame, const QSize& windowSize, const QRect& screen);
};

}  // namespace fendle
