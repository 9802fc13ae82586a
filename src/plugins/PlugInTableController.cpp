#include "plugins/PlugInTableController.h"

#include "platform/system/Defaults.h"
#include "platform/system/Log.h"
#include "platform/ui/UiPort.h"
#include "plugins/PlugInController.h"
#include "plugins/PlugInUpdates.h"

#include <QFileInfo>
#include <QLocale>

namespace fendle {

PlugInTableController::PlugInTableController(PlugInController& host, PlugInUpdates& updates, UiPort& ui)
    : host_(host), updates_(updates), ui_(ui) {
    connect(&updates_, &PlugInUpdates::catalogueChanged, this, &PlugInTableController::showPlugInTable);
    connect(&updates_, &PlugInUpdates::plugInsChanged, this, &PlugInTableController::updatePlugInTableInformation);
}

QList<PlugInTableEntry> PlugInTableController::currentRows() {
    const QStringList& loaded = host_.identifiersOfLoadedPlugIns();
    QList<PlugInTableEntry> rows;
    QStringList installed;
    for (const QString& path : host_.availablePlugIns()) {
        const Result<PlugInBundle> bundle = PlugInBundle::open(path);
        if (!bundle) continue;
        installed.append(bundle->identifier());
        rows.append(PlugInTableEntry::plugInTableEntryWithName(
            bundle->name().isEmpty() ? bundle->identifier() : bundle->name(), bundle->identifier(), bundle->version(),
            bundle->versionDate(), loaded.contains(bundle->identifier())));
    }
    if (const std::optional<PlugInCatalogue> catalogue = updates_.plugInCatalogue()) {
        for (const PlugInCatalogue::Entry& entry : catalogue->entries()) {
            if (installed.contains(entry.identifier)) continue;
            rows.append(PlugInTableEntry::plugInTableEntryWithName(
                entry.info.name().isEmpty() ? entry.identifier : entry.info.name(), entry.identifier,
                entry.info.version(), entry.info.versionDate(), false));
        }
    }
    return rows;
}

void PlugInTableController::showPlugInTable() {
    // Bundles installed a moment ago are known to the host too.
    host_.preparePlugins();
    table_.setRows(currentRows());
    table_.sortPlugInTable();
    emit tableChanged();
}

void PlugInTableController::updatePlugInTableInformation() {
    table_.setRows(currentRows());
    table_.sortPlugInTable();
    host_.defaults().setObject(PlugInTable::DefaultsKey, table_.tableDictionary());
    emit tableChanged();
}

bool PlugInTableController::makeRoomForSpotlightPlugIn(const PlugInTableEntry& row) {
    const PlugInController::LoadedPlugIn* active = host_.loadedSpotlightPlugIn();
    if (!active || active->identifier == row.identifier) return true;
    const std::optional<PlugInBundle> requested = host_.installedBundle(row.identifier);
    const Result<QObject*> principalClass =
        requested ? requested->principalClass() : Result<QObject*>::failure(QString());
    if (!principalClass || !qobject_cast<plugin::SpotlightProtocol*>(*principalClass)) return true;
    const std::optional<PlugInBundle> activeBundle = host_.installedBundle(active->identifier);
    const int answer = ui_.askQuestion(
        {UiPort::AlertStyle::Modal, QStringLiteral("Only one Spotlight plug-in can be active at the same time!"),
         QStringLiteral("You already have loaded the \"%1\" plug-in and are trying to active the \"%2\" plug-in.")
             .arg(activeBundle ? activeBundle->name() : active->identifier, row.name),
         {QStringLiteral("Unload active plug-in"), QStringLiteral("Cancel")}});
    if (answer != 0) return false;
    host_.unloadPlugIn(QString(active->identifier));
    return true;
}

void PlugInTableController::plugInTableButtonClicked(qsizetype index) {
    const PlugInTableEntry* current = table_.plugInAtIndex(index);
    if (!current || updates_.downloadRunning()) return;
    PlugInTableEntry row = *current;
    // The row now holds what the user asks for.
    row.toggleLoaded();
    const QString name = PlugInCatalogue::plugInName(row.identifier);
    if (!row.loaded) {
        host_.unloadPlugIn(row.identifier);
    } else if (!makeRoomForSpotlightPlugIn(row)) {
        // Cancelled: the row shows the plug-in as not loaded again.
    } else if (!host_.installedBundle(row.identifier)) {
        updates_.startDownloadingPlugIn(name, PlugInUpdates::AfterDownload::InstallAndLoad);
    } else if (updates_.updateAvailable(row.identifier) &&
               ui_.askQuestion({UiPort::AlertStyle::Modal, QStringLiteral("Update available for %1").arg(row.name),
                                QStringLiteral("Do you want to download the updated version?"),
                                {QStringLiteral("Update"), QStringLiteral("Don't update")}}) == 0) {
        updates_.startDownloadingPlugIn(name, PlugInUpdates::AfterDownload::InstallAndLoad);
    } else {
        host_.loadPlugIns({row.identifier});
    }
    updatePlugInTableInformation();
}

QString PlugInTableController::informationText(std::optional<qsizetype> index) const {
    const PlugInTableEntry* row = index ? table_.plugInAtIndex(*index) : nullptr;
    if (!row) return QString();
    QString description;
    if (const std::optional<PlugInBundle> bundle = host_.installedBundle(row->identifier)) description = bundle->description();
    if (description.isEmpty())
        if (const std::optional<PlugInCatalogue> catalogue = updates_.plugInCatalogue())
            if (const PlugInCatalogue::Entry* entry = catalogue->entry(row->identifier)) description = entry->info.description();
    if (!description.isEmpty()) return description;
    logLine(QStringLiteral("No ZNPlugInDescription for plug-in %1").arg(row->identifier));
    return NoDescription;
}

std::optional<QString> PlugInTableController::plugInInfoButtonClicked(qsizetype index) {
    const PlugInTableEntry* row = table_.plugInAtIndex(index);
    if (!row) return std::nullopt;
    const std::optional<PlugInBundle> bundle = host_.installedBundle(row->identifier);
    if (!bundle) {
        ui_.showAlert({UiPort::AlertStyle::Modal, QStringLiteral("No documentation available!"),
                       QStringLiteral("The plug-in %1 is not installed on your system.").arg(row->name)});
        return std::nullopt;
    }
    const QString page =
        bundle->resourcePath(QStringLiteral("Help/%1.html").arg(row->identifier.section(QLatin1Char('.'), -1)));
    if (!QFileInfo(page).isFile() || !PlugInBundle::isInside(bundle->path(), page)) {
        ui_.showAlert({UiPort::AlertStyle::Modal, QStringLiteral("No help available!"),
                       QStringLiteral("The %1 plug-in does not provide any documentation.").arg(row->name)});
        return std::nullopt;
    }
    return page;
}

QString PlugInTableController::iconPath(qsizetype index) const {
    const PlugInTableEntry* row = table_.plugInAtIndex(index);
    const std::optional<PlugInBundle> bundle = row ? host_.installedBundle(row->identifier) : std::nullopt;
    if (!bundle) return QString();
    const QString image = bundle->resourcePath(QStringLiteral("plugInImage.tif"));
    return QFileInfo(image).isFile() && PlugInBundle::isInside(bundle->path(), image) ? image : QString();
}

QString PlugInTableController::columnText(const PlugInTableEntry& entry, const QString& column) {
    if (column == QLatin1String("loaded")) return entry.loaded ? QStringLiteral("1") : QStringLiteral("0");
    if (column == QLatin1String("name")) return entry.name;
    if (column == QLatin1String("version")) return entry.version;
    if (column == QLatin1String("updated"))
        return entry.updated ? QLocale().toString(entry.updated->toLocalTime().date(), QLocale::ShortFormat)
                             : QStringLiteral("n/a");
    return QStringLiteral("Some error occurred.");
}

}  // namespace fendle
