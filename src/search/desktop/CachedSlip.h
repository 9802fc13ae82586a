#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace fendle {

// What a slip's cache file tells desktop search about the slip.
struct CachedSlip {
    QString boxPath;
    QString slipKey;
    QString title;
    QStringList keywords;
    QString source;
    // As written ("2009-03-05 14:22:07 +0100"), and read for ordering;
    // invalid when the file has none that reads.
    QString modificationDate;
    QDateTime modified;
};

}  // namespace fendle
