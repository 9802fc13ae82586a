#include "io/ExportPanel.h"

#include <QFileInfo>

namespace fendle {

QString ExportPanel::proposedName(const std::optional<QString>& boxFileName) {
    if (!boxFileName) return QStringLiteral("Untitled");
    return QStringLiteral("Slips from %1").arg(QFileInfo(*boxFileName).completeBaseName());
}

}  // namespace fendle
