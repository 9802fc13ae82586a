#pragma once
#include <QDateTime>
#include <QString>
#include <optional>

namespace fendle {

// One row of the plug-in table: an installed plug-in or one only the
// catalogue offers.
struct PlugInTableEntry {
    bool loaded = false;
    QString name;
    QString identifier;
    QString version;
    std::optional<QDateTime> updated;

    static PlugInTableEntry plugInTableEntryWithName(QString name, QString identifier, QString version,
                                                     std::optional<QDateTime> updated, bool loaded) {
        return {loaded, std::move(name), std::move(identifier), std::move(version), std::move(updated)};
    }
    void toggleLoaded() { loaded = !loaded; }
    bool compareNameAscending(const PlugInTableEntry& other) const {
        return name.compare(other.name, Qt::CaseInsensitive) < 0;
    }
    QString description() const {
        return QStringLiteral("name: %1; identifier: %2; loaded: %3").arg(name, identifier).arg(int(loaded));
    }
};

}  // namespace fendle
