#pragma once
#include <QString>
#include <optional>

namespace fendle {

// What the export save panel says.
struct ExportPanel {
    static inline const QString Title = QStringLiteral("Export Slip(s)");
    static inline const QString NameLabel = QStringLiteral("Save As:");
    // "Slips from" the box's file name without extension; "Untitled" for an unsaved box.
    static QString proposedName(const std::optional<QString>& boxFileName);
};

}  // namespace fendle
