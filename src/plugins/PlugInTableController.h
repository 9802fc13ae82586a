#pragma once
#include "plugins/PlugInTable.h"

#include <QObject>
#include <optional>

namespace fendle {

class PlugInController;
class PlugInUpdates;
class UiPort;

// What the "Plug-ins" page of the preferences does, without its widgets:
// the rows (installed plug-ins, then those only the catalogue offers),
// switching a plug-in on or off (loading, unloading or first downloading
// it), its description and its help page. Every refresh stores the saved
// plug-in table.
class PlugInTableController : public QObject {
    Q_OBJECT
public:
    static inline const QString NoDescription = QStringLiteral("(No description available)");

    PlugInTableController(PlugInController& host, PlugInUpdates& updates, UiPort& ui);

    const PlugInTable& table() const { return table_; }
    // Built anew: rows from the bundles and the catalogue, sorted by name.
    void showPlugInTable();
    // Loaded states, versions and dates brought up to date, and stored.
    void updatePlugInTableInformation();
    // The user switched the row's check box.
    void plugInTableButtonClicked(qsizetype row);
    // The description shown for the selected row; empty without one.
    QString informationText(std::optional<qsizetype> row) const;
    // The row's help page, or none after an alert saying why.
    std::optional<QString> plugInInfoButtonClicked(qsizetype row);
    // The row's own icon file; empty when it has none.
    QString iconPath(qsizetype row) const;
    // What a column shows for a row: "loaded", "name", "version", "updated".
    static QString columnText(const PlugInTableEntry& entry, const QString& column);

signals:
    // The rows changed: the view shows them again.
    void tableChanged();

private:
    PlugInController& host_;
    PlugInUpdates& updates_;
    UiPort& ui_;
    PlugInTable table_;

    QList<PlugInTableEntry> currentRows();
    // False when the user kept the loaded Spotlight plug-in.
    bool makeRoomForSpotlightPlugIn(const PlugInTableEntry& row);
};

}  // namespace fendle
