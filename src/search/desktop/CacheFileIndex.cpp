#include "search/desktop/CacheFileIndex.h"

#include "platform/files/RegularFile.h"
#include "platform/text/ByteSearch.h"
#include "platform/ui/UiPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendle {

namespace {

qint64 nanoseconds(const struct stat& status) {
    return qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

QString comparablePath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// The folder, open for the *at calls, closed on leaving.
class OpenFolder {
public:
    explicit OpenFolder(const QString& path)
        : descriptor_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
          error_(descriptor_ < 0 ? errno : 0) {}
    ~OpenFolder() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    int descriptor() const { return descriptor_; }
    bool missing() const { return error_ == ENOENT; }

    // The regular file's size and time; none when it is not there or no regular file.
    std::optional<struct stat> regularFile(const QString& name) const {
        struct stat status {};
        if (::fstatat(descriptor_, QFile::encodeName(name).constData(), &status, 0) != 0) return std::nullopt;
        if (!S_ISREG(status.st_mode)) return std::nullopt;
        return status;
    }

private:
    int descriptor_;
    int error_;
};

}  // namespace

CacheFileIndex::CacheFileIndex(QString folder) : folder_(std::move(folder)), changes_(folder_) {
    if (!folder_.endsWith(u'/')) folder_.append(u'/');
}

bool CacheFileIndex::refresh(UiPort& ui) {
    std::optional<QSet<QString>> names;
    if (complete_) names = changes_.takeChangedNames();
    // Watching starts before the folder is looked at, so that nothing
    // changed meanwhile is missed.
    changes_.watch();
    std::vector<OnDisk> changed;
    QSet<QString> gone;
    if (!changedFiles(names, changed, gone)) {
        complete_ = false;
        return false;
    }
    for (const QString& name : gone) forget(name);
    read(changed, ui);
    checkBoxes();
    complete_ = changes_.watching();
    return true;
}

bool CacheFileIndex::changedFiles(const std::optional<QSet<QString>>& names, std::vector<OnDisk>& changed,
                                  QSet<QString>& gone) {
    const OpenFolder folder(folder_);
    if (folder.descriptor() < 0) {
        if (!folder.missing()) return false;
        for (const Entry& entry : entries_) gone.insert(entry.name);
        return true;
    }
    // A file the kernel named is read again whatever its time says: two
    // writes within one tick of the file system's clock leave the same time.
    const bool named = names.has_value();
    auto look = [&](const QString& name) {
        const std::optional<struct stat> status = name.endsWith(Extension) ? folder.regularFile(name) : std::nullopt;
        if (!status) {
            if (positions_.contains(name)) gone.insert(name);
            return;
        }
        const auto known = positions_.constFind(name);
        const OnDisk file{name, qint64(status->st_size), nanoseconds(*status)};
        if (named || known == positions_.cend() || entries_[*known].size != file.size ||
            entries_[*known].modifiedNanoseconds != file.modifiedNanoseconds)
            changed.push_back(file);
    };
    if (names) {
        for (const QString& name : *names) look(name);
        return true;
    }
    // The whole folder: what is not found in it is gone.
    DIR* listing = ::fdopendir(::dup(folder.descriptor()));
    if (!listing) return false;
    QSet<QString> seen;
    seen.reserve(qsizetype(entries_.size()));
    while (const dirent* item = ::readdir(listing)) {
        const QString name = QFile::decodeName(item->d_name);
        if (!name.endsWith(Extension)) continue;
        seen.insert(name);
        look(name);
    }
    ::closedir(listing);
    for (const Entry& entry : entries_)
        if (!seen.contains(entry.name)) gone.insert(entry.name);
    return true;
}

void CacheFileIndex::read(const std::vector<OnDisk>& files, UiPort& ui) {
    const bool showProgress = qsizetype(files.size()) > ProgressThreshold;
    if (showProgress) ui.showProgress(QStringLiteral("Reading Cache Files"), 0);
    int shownPercent = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Result<QByteArray> bytes = RegularFile::read(folder_ + files[i].name, CacheFileRecord::MaximumFileSize);
        Result<CacheFileRecord> record =
            bytes ? CacheFileRecord::fromBytes(*bytes) : Result<CacheFileRecord>::failure(bytes);
        store(files[i], record ? std::optional<CacheFileRecord>(std::move(*record)) : std::nullopt);
        const int percent = int((i + 1) * 100 / files.size());
        if (showProgress && percent != shownPercent) ui.setProgress(shownPercent = percent);
    }
    if (showProgress) ui.hideProgress();
}

void CacheFileIndex::store(const OnDisk& file, std::optional<CacheFileRecord> record) {
    forget(file.name);
    if (record) countBox(*record, 1);
    else ++skipped_;
    positions_.insert(file.name, entries_.size());
    entries_.push_back(Entry{file.name, folder_ + file.name, file.size, file.modifiedNanoseconds, std::move(record)});
}

void CacheFileIndex::forget(const QString& name) {
    const auto found = positions_.constFind(name);
    if (found == positions_.cend()) return;
    const std::size_t position = *found;
    positions_.erase(found);
    Entry& entry = entries_[position];
    if (entry.record) countBox(*entry.record, -1);
    else --skipped_;
    // The last entry takes the freed place.
    if (position + 1 != entries_.size()) {
        entry = std::move(entries_.back());
        positions_[entry.name] = position;
    }
    entries_.pop_back();
}

// Records of one box share its path; the box is looked at once a refresh.
void CacheFileIndex::countBox(CacheFileRecord& record, int delta) {
    auto box = boxes_.find(record.slip.boxPath);
    if (box == boxes_.end()) box = boxes_.insert(record.slip.boxPath, Box{CacheFileRecord::boxNameOf(record.slip.boxPath)});
    record.slip.boxPath = box.key();
    box->records += delta;
    if (box->records <= 0) boxes_.erase(box);
}

void CacheFileIndex::checkBoxes() {
    for (auto box = boxes_.begin(); box != boxes_.end(); ++box) {
        box->exists = QFileInfo::exists(box.key());
        box->comparablePath = comparablePath(box.key());
    }
}

QList<DesktopSearchResult> CacheFileIndex::search(const DesktopSearchQuery& query,
                                                  const std::optional<QString>& boxPath) const {
    if (query.isEmpty()) return {};
    std::vector<ByteSearch> terms;
    for (const QByteArray& term : query.foldedTerms()) terms.emplace_back(term);
    const std::optional<QString> wantedBox = boxPath ? std::optional(comparablePath(*boxPath)) : std::nullopt;

    struct Hit {
        const Entry* entry;
        int keywordHits;
    };
    std::vector<Hit> hits;
    for (const Entry& entry : entries_) {
        if (!entry.record) continue;
        const CacheFileRecord& record = *entry.record;
        if (wantedBox && boxOf(record).comparablePath != *wantedBox) continue;
        const QByteArrayView keywords(record.folded.constData(), record.keywordsLength);
        const QByteArrayView rest = QByteArrayView(record.folded).sliced(record.keywordsLength);
        int keywordHits = 0;
        bool all = true;
        for (const ByteSearch& term : terms) {
            if (term.occursIn(keywords)) ++keywordHits;
            else if (!term.occursIn(rest)) {
                all = false;
                break;
            }
        }
        if (all) hits.push_back(Hit{&entry, keywordHits});
    }
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        if (a.keywordHits != b.keywordHits) return a.keywordHits > b.keywordHits;
        const qint64 x = a.entry->record->modifiedMilliseconds;
        const qint64 y = b.entry->record->modifiedMilliseconds;
        if (x != y) return x > y;
        return a.entry->name < b.entry->name;
    });
    QList<DesktopSearchResult> results;
    results.reserve(qsizetype(hits.size()));
    for (const Hit& hit : hits) results.append(resultOf(*hit.entry, hit.keywordHits));
    return results;
}

DesktopSearchResult CacheFileIndex::resultOf(const Entry& entry, int keywordHits) const {
    const CacheFileRecord& record = *entry.record;
    const Box& box = boxOf(record);
    return DesktopSearchResult{entry.path, box.name, record.slip, !box.exists, keywordHits};
}

}  // namespace fendle
