#pragma once
#include "platform/plist/PlistValue.h"
#include "plugins/PlugInTableEntry.h"

#include <QList>

namespace fendle {

class Defaults;

// The rows of the plug-in table, and the saved form of it,
// "PlugInTableData": lower-cased identifier → {"load": bool}. Without a
// saved table only the shipped Spotlight plug-in is on.
class PlugInTable {
public:
    static inline const QString DefaultsKey = QStringLiteral("PlugInTableData");
    static inline const QString SpotlightPlugInIdentifier = QStringLiteral("com.quorvel.fendle.revadizozaroriv");

    static PlistValue::Dictionary saved(const Defaults& defaults);
    static bool loadEntry(const PlistValue::Dictionary& table, const QString& identifier);

    void setRows(QList<PlugInTableEntry> rows) { rows_ = std::move(rows); }
    void sortPlugInTable();
    qsizetype count() const { return rows_.size(); }
    const PlugInTableEntry* plugInAtIndex(qsizetype row) const;
    PlugInTableEntry* plugInAtIndex(qsizetype row);
    const QList<PlugInTableEntry>& rows() const { return rows_; }
    PlistValue tableDictionary() const;

private:
    QList<PlugInTableEntry> rows_;
};

}  // namespace fendle
