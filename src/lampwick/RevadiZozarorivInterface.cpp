#include "lampwick/RevadiZozarorivInterface.h"

#include "lampwick/CacheFile.h"
#include "lampwick/CacheFolderListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace lampwick {

using namespace fendle::plugin;

namespace {

// Whether the file holds exactly these bytes: then it need not be written.
bool fileHolds(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != bytes.size()) return false;
    return file.read(bytes.size() + 1) == bytes;
}

// The box's files that no slip of it writes any more.
void deleteOldCacheFiles(const QString& folder, const QString& prefix, const CacheFolderListing& listing,
                         const QSet<QString>& written) {
    for (const QString& relative : listing.relativePaths())
        if (!written.contains(relative) && CacheFile::belongsToBox(relative, prefix)) QFile::remove(folder + relative);
}

}  // namespace

std::unique_ptr<GeneralProtocol> RevadiZozarorivInterface::initWithController(DocumentControllerView&) {
    return std::make_unique<RevadiZozarorivInterface>();
}

std::unique_ptr<SpotlightProtocol> RevadiZozarorivInterface::initWithBox(const BoxDataView& box, BoxView& boxInterface,
                                                                         const PreferencesView& preferences) {
    auto instance = std::make_unique<RevadiZozarorivInterface>();
    instance->myBox = &box;
    instance->myBoxInterface = &boxInterface;
    instance->preferences = &preferences;
    return instance;
}

void RevadiZozarorivInterface::generateCacheFiles(const QObject*) {
    // The application-wide instance has no box.
    if (!myBox || !myBoxInterface) return;
    const HostServices& services = myBoxInterface->services();
    ProgressView& progress = myBoxInterface->progress();
    progress.show(QStringLiteral("Generating Spotlight Files"));
    const QString folder = services.spotlightCacheFolder();
    QDir().mkpath(folder);
    const std::optional<QString> boxPath = myBoxInterface->filePath();
    if (!boxPath) {
        services.log(QStringLiteral("SpotlightInterface:generateCacheFiles: Document untitled; returning"));
    } else {
        writeCacheFiles(folder, QFileInfo(*boxPath).completeBaseName(), *boxPath);
    }
    progress.hide();
}

void RevadiZozarorivInterface::writeCacheFiles(const QString& folder, const QString& prefix, const QString& boxPath) {
    const HostServices& services = myBoxInterface->services();
    ProgressView& progress = myBoxInterface->progress();
    const bool tagFiles = services.boolDefault(OpenMetaDefaultKey);
    // The old files go after the new ones are written, so that one pass over
    // the slips finds both; the listing is taken before any file is written.
    const CacheFolderListing listing = CacheFolderListing::read(folder);
    written_.useFolder(folder);
    progress.setValue(0.1);
    QSet<QString> names;
    const qsizetype count = myBox->slipCount();
    names.reserve(count);
    qsizetype done = 0;
    qsizetype failed = 0;
    int shownPercent = 0;
    myBox->forEachSlip([&](const SlipView& slip) {
        // The bar moves by whole per cent: redrawing it costs more than a slip.
        if (const int percent = int(++done * 100 / std::max<qsizetype>(count, 1)); percent != shownPercent) {
            shownPercent = percent;
            progress.setValue(percent);
        }
        const QString name = CacheFile::fileName(prefix, slip.key());
        names.insert(name);
        // A file that would get the bytes it holds stays as it is: a
        // generation with nothing changed writes nothing.
        const WrittenFiles::Snapshot snapshot = WrittenFiles::snapshot(slip, boxPath);
        const std::optional<FileIdentity> onDisk = listing.identityOf(name);
        const QString path = folder + name;
        if (!written_.unchanged(name, snapshot, onDisk)) {
            const QByteArray bytes = services.xmlPropertyList(CacheFile::contents(slip, boxPath, services));
            if (!(onDisk && fileHolds(path, bytes)) && !services.writeCacheFile(path, bytes)) {
                ++failed;
                return;
            }
            written_.note(name, snapshot, FileIdentity::of(path));
        }
        if (tagFiles) myBoxInterface->openMetaController().setUserTags(slip.keywords(), path);
    });
    deleteOldCacheFiles(folder, prefix, listing, names);
    // A file that cannot be written is skipped and made at the next
    // generation; a full disk is said once, not once per slip.
    if (failed > 0)
        services.log(QStringLiteral("SpotlightInterface:writeCacheFiles: %1 of %2 cache files could not be written")
                         .arg(failed)
                         .arg(count));
}

}  // namespace lampwick
