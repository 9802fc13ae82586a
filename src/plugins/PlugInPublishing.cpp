#include "plugins/PlugInPublishing.h"

#include "platform/files/AtomicFile.h"
#include "plugins/PlugInArchive.h"
#include "plugins/PlugInBundle.h"
#include "plugins/PlugInCatalogue.h"

#include <QDir>
#include <QFileInfo>

namespace fendle {

namespace {

// The Info values a catalogue entry carries.
PlugInInfo catalogueInfo(const PlugInBundle& bundle) {
    static const QStringList keys{QStringLiteral("CFBundleVersion"), QStringLiteral("ZNPlugInName"),
                                  QStringLiteral("ZNVersionDate"), QStringLiteral("ZNPlugInDescription"),
                                  QStringLiteral("ZNRequiredFDLVersion")};
    PlistValue::Dictionary entry;
    for (const QString& key : keys)
        if (const PlistValue* value = bundle.info().entry(key)) entry.emplace_back(key, *value);
    return PlugInInfo(std::move(entry));
}

}  // namespace

Result<QStringList> publishPlugIns(const QStringList& bundlePaths, const QString& folder) {
    using R = Result<QStringList>;
    if (!QDir().mkpath(folder)) return R::failure(QStringLiteral("cannot make the folder %1").arg(folder));
    const QString cataloguePath = folder + QLatin1Char('/') + PlugInCatalogue::FileName;
    PlugInCatalogue catalogue;
    if (QFileInfo::exists(cataloguePath)) {
        Result<PlugInCatalogue> existing = PlugInCatalogue::readFile(cataloguePath);
        if (!existing) return R::failure(QStringLiteral("%1: %2").arg(cataloguePath, existing.error()));
        catalogue = std::move(*existing);
    }
    QStringList written;
    for (const QString& path : bundlePaths) {
        const Result<PlugInBundle> bundle = PlugInBundle::open(path);
        if (!bundle) return R::failure(bundle);
        const QString name = PlugInCatalogue::plugInName(bundle->identifier());
        if (name.isEmpty())
            return R::failure(QStringLiteral("%1: the identifier %2 names no archive file").arg(path, bundle->identifier()));
        const Result<QByteArray> archive = PlugInArchive::pack(path, name);
        if (!archive) return R::failure(QStringLiteral("%1: %2").arg(path, archive.error()));
        const QString archivePath = folder + QLatin1Char('/') + name + QLatin1Char('.') + PlugInCatalogue::ArchiveExtension;
        if (const Status stored = writeFileAtomically(archivePath, *archive); !stored) return R::failure(stored);
        catalogue.add({bundle->identifier(), catalogueInfo(*bundle)});
        written.append(archivePath);
    }
    if (const Status stored = writeFileAtomically(cataloguePath, catalogue.toXml()); !stored) return R::failure(stored);
    return written;
}

}  // namespace fendle
