#include "app/editing/ZoomFactors.h"

namespace fendle {

const QList<qint32>& ZoomFactors::all() {
    static const QList<qint32> factors{10, 25, 50, 75, 90, 100, 110, 125, 150, 175, 200, 300, 400, 800, 1200, 1600};
    return factors;
}

qint32 ZoomFactors::zoomIn(qint32 from) {
    for (const qint32 factor : all())
        if (factor > from) return factor;
    return last();
}

qint32 ZoomFactors::zoomOut(qint32 from) {
    for (auto it = all().crbegin(); it != all().crend(); ++it)
        if (*it < from) return *it;
    return first();
}

}  // namespace fendle
