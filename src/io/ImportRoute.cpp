#include "io/ImportRoute.h"

#include <QFileInfo>

namespace fendle {

ImportRoute importRouteOf(const QString& path, bool txtIsTabDelimited) {
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("fendle")) return ImportRoute::Box;
    if (extension == QLatin1String("csv")) return ImportRoute::CommaDelimited;
    if (extension == QLatin1String("txt") && txtIsTabDelimited) return ImportRoute::TabDelimited;
    return ImportRoute::FileIntoSlip;
}

}  // namespace fendle
