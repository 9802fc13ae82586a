#pragma once
#include <QList>

namespace fendle {

// The zoom percentages of the slip text, smallest first, and the steps
// between them.
class ZoomFactors {
public:
    static const QList<qint32>& all();
    static qint32 first() { return all().first(); }
    static qint32 last() { return all().last(); }
    // The next larger factor; the largest when there is none.
    static qint32 zoomIn(qint32 from);
    // The next smaller factor; the smallest when there is none.
    static qint32 zoomOut(qint32 from);
};

}  // namespace fendle
