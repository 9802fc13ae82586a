#pragma once
#include "search/desktop/CachedSlip.h"

#include <QString>

namespace fendle {

// One slip found by desktop search, as its cache file describes it.
struct DesktopSearchResult {
    // The cache file: opening it opens the box at the slip.
    QString cacheFile;
    QString boxName;
    CachedSlip slip;
    // The box file is no longer where the cache file says.
    bool boxMissing = false;
    // How many terms matched one of the slip's keywords.
    int keywordHits = 0;
};

}  // namespace fendle
