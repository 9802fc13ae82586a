#pragma once
#include "platform/files/Paths.h"
#include "search/desktop/CacheFileRecord.h"
#include "search/desktop/CacheFolderChanges.h"
#include "search/desktop/DesktopSearchQuery.h"
#include "search/desktop/DesktopSearchResult.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace fendle {

class UiPort;

// Desktop search over the cache files of all boxes: every cache file of the
// folder read into memory once, then kept in step by reading again only the
// files whose size or modification time changed, and forgetting removed
// ones. Files that are not usable cache files are skipped and counted.
class CacheFileIndex {
public:
    static inline const QString Extension = QStringLiteral(".fdlcache");
    // A first reading of more files than this shows progress.
    static constexpr qsizetype ProgressThreshold = 2000;

    explicit CacheFileIndex(QString folder = Paths::spotlightCacheFolder());

    // Brings the index in step with the folder. A folder that does not exist
    // holds no cache files; false when it exists and cannot be read.
    bool refresh(UiPort& ui);
    // The slips whose cache files match every term of the query, those with
    // more terms among their keywords first, then the latest changed first.
    // With a box path, only that box's slips. An empty query finds nothing.
    QList<DesktopSearchResult> search(const DesktopSearchQuery& query,
                                      const std::optional<QString>& boxPath = std::nullopt) const;

    const QString& folder() const { return folder_; }
    qsizetype count() const { return qsizetype(entries_.size()) - skipped_; }
    qsizetype skippedCount() const { return skipped_; }
    // Readable when the folder changed since the last refresh, until the next
    // refresh; -1 when changes cannot be watched.
    int changeDescriptor() const { return changes_.descriptor(); }

private:
    struct Entry {
        QString name;
        // Made once: every result of the file shares it.
        QString path;
        qint64 size = -1;
        qint64 modifiedNanoseconds = -1;
        // None: the file is no usable cache file.
        std::optional<CacheFileRecord> record;
    };
    struct Box {
        QString name;
        int records = 0;
        bool exists = false;
        QString comparablePath;
    };

    QString folder_;
    CacheFolderChanges changes_;
    std::vector<Entry> entries_;
    QHash<QString, std::size_t> positions_;
    QHash<QString, Box> boxes_;
    qsizetype skipped_ = 0;
    // The index matched the folder when the current watch began.
    bool complete_ = false;

    struct OnDisk {
        QString name;
        qint64 size = 0;
        qint64 modifiedNanoseconds = 0;
    };
    // The files to read: those named (all of the folder when names is none)
    // that differ from what the index holds; the others named are gone.
    bool changedFiles(const std::optional<QSet<QString>>& names, std::vector<OnDisk>& changed, QSet<QString>& gone);
    void read(const std::vector<OnDisk>& files, UiPort& ui);
    void store(const OnDisk& file, std::optional<CacheFileRecord> record);
    void forget(const QString& name);
    void countBox(CacheFileRecord& record, int delta);
    void checkBoxes();
    const Box& boxOf(const CacheFileRecord& record) const { return *boxes_.constFind(record.slip.boxPath); }
    DesktopSearchResult resultOf(const Entry& entry, int keywordHits) const;
};

}  // namespace fendle
