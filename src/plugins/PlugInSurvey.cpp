#include "plugins/PlugInSurvey.h"

#include "plugins/PlugInBundle.h"
#include "plugins/PlugInFolders.h"
#include "plugins/PlugInProtocols.h"
#include "plugins/PlugInTable.h"
#include "plugins/VersionNumber.h"

#include <map>

namespace fendle {

namespace {

// Why the bundle would not load, given the protocols taken so far.
QString problemOf(const PlugInBundle& bundle, bool load, const QString& applicationVersion,
                  std::map<QString, QString>& owners) {
    if (!load) return QStringLiteral("switched off in the plug-in table");
    if (const auto required = bundle.requiredVersion(); required && !versionNumber(applicationVersion, *required))
        return QStringLiteral("needs Fendle %1 or later").arg(*required);
    const Result<QObject*> principalClass = bundle.principalClass();
    if (!principalClass) return QStringLiteral("library: %1").arg(principalClass.error());
    if (!PlugInProtocols::general(*principalClass)) return QStringLiteral("conforms to no plug-in protocol");
    for (const QString& iid : PlugInProtocols::exclusiveProtocolsOf(*principalClass)) {
        const auto [owner, claimed] = owners.emplace(iid, bundle.identifier());
        if (!claimed) return QStringLiteral("%1 already provides %2").arg(owner->second, PlugInProtocols::name(iid));
    }
    return QString();
}

}  // namespace

QList<PlugInSurvey::Entry> PlugInSurvey::survey(const QStringList& folders, const Defaults& defaults,
                                                const QString& applicationVersion) {
    const PlistValue::Dictionary table = PlugInTable::saved(defaults);
    std::map<QString, QString> firstPathOf;
    std::map<QString, QString> owners;
    QList<Entry> entries;
    for (const QString& folder : folders) {
        for (const QString& path : PlugInFolders::bundlePaths(folder)) {
            Entry entry{path, {}, {}, {}, false, {}};
            const Result<PlugInBundle> bundle = PlugInBundle::open(path);
            if (!bundle) {
                entry.problem = bundle.error();
                entries.append(entry);
                continue;
            }
            entry.identifier = bundle->identifier();
            entry.version = bundle->version();
            entry.name = bundle->name();
            entry.load = PlugInTable::loadEntry(table, entry.identifier);
            const auto [first, isFirst] = firstPathOf.emplace(entry.identifier, path);
            entry.problem = isFirst ? problemOf(*bundle, entry.load, applicationVersion, owners)
                                    : QStringLiteral("installed twice, also at %1").arg(first->second);
            entries.append(entry);
        }
    }
    return entries;
}

}  // namespace fendle
