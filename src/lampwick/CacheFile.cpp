#include "lampwick/CacheFile.h"

namespace lampwick {

QString CacheFile::fileName(const QString& prefix, const QString& key) {
    return prefix + key + QLatin1Char('.') + Extension;
}

QVariantMap CacheFile::contents(const fendle::plugin::SlipView& slip, const QString& boxPath,
                                const fendle::plugin::HostServices& services) {
    return {
        {QStringLiteral("kMDItemTitle"), slip.title()},
        {QStringLiteral("kMDItemAuthors"), QStringList{slip.author().value_or(QString())}},
        {QStringLiteral("kMDItemKeywords"), slip.keywords()},
        {QStringLiteral("kMDItemTextContent"), slip.plainText()},
        {QStringLiteral("com_quorvel_fendle_fdlcache_slipID"), slip.key()},
        {QStringLiteral("com_quorvel_fendle_fdlcache_source"), slip.source()},
        {QStringLiteral("kMDItemFSName"), boxPath},
        {QStringLiteral("kMDItemContentCreationDate"), services.dateDescription(slip.creationTime())},
        {QStringLiteral("kMDItemContentModificationDate"), services.dateDescription(slip.lastModificationTime())},
        {QStringLiteral("kMDItemKind"), QStringLiteral("Slip")},
    };
}

bool CacheFile::belongsToBox(const QString& relativePath, const QString& prefix) {
    if (!relativePath.startsWith(prefix)) return false;
    QString rest = relativePath.mid(prefix.size());
    const qsizetype dot = rest.lastIndexOf(QLatin1Char('.'));
    if (dot > rest.lastIndexOf(QLatin1Char('/'))) rest.truncate(dot);
    // The leading number is 1 or more exactly when one of its digits is not 0.
    for (const QChar c : rest) {
        if (!c.isDigit() || c.unicode() > 127) return false;
        if (c != QLatin1Char('0')) return true;
    }
    return false;
}

}  // namespace lampwick
