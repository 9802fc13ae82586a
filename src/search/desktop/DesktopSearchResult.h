#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace fendle {

// One slip found by desktop search, as its cache file describes it.
struct DesktopSearchResult {
    // The cache file: opening it opens the box at the slip.
    QString cacheFile;
    QString boxName;
    QString boxPath;
    QString slipKey;
    QString title;
    QStringList keywords;
    QString source;
    // As the cache file has it, and read (invalid when it does not read).
    QString modificationDate;
    QDateTime modified;
    // The box file is no longer where the cache file says.
    bool boxMissing = false;
    // How many terms matched one of the slip's keywords.
    int keywordHits = 0;
};

}  // namespace fendle
