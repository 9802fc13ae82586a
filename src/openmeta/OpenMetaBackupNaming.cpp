#include "openmeta/OpenMetaBackupNaming.h"

namespace fendle {

namespace {
QString withoutTrailingSlashes(const QString& path) {
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == QLatin1Char('/')) --end;
    return path.left(end);
}
}  // namespace

quint32 OpenMetaBackupNaming::ELFHash(const QByteArray& bytes) {
    quint32 h = 0;
    for (const char byte : bytes) {
        // Sign-extended: 0x80..0xFF add as negative numbers.
        const auto c = static_cast<quint32>(static_cast<qint32>(static_cast<qint8>(byte)));
        h = (h << 4) + c;
        const quint32 g = h & 0xF0000000u;
        if (g != 0) h ^= g >> 24;
        h &= ~g;
    }
    return h;
}

QString OpenMetaBackupNaming::hashString(const QString& string) { return QString::number(ELFHash(string.toUtf8())); }

QString OpenMetaBackupNaming::truncatedPathComponent(const QString& name) {
    if (name.size() <= MaxNameLength) return name;
    const qsizetype half = MaxNameLength / 2;
    QString head = name.left(half);
    QString tail = name.right(half);
    // A cut through a surrogate pair would leave half a character, which no
    // file name can hold; the cut moves to keep the pair out whole.
    if (head.back().isHighSurrogate()) head.chop(1);
    if (tail.front().isLowSurrogate()) tail.remove(0, 1);
    return head + tail;
}

QString OpenMetaBackupNaming::calculateBackupFileName(const QString& path) {
    const QString name = lastPathComponent(path);
    return truncatedPathComponent(name) + QStringLiteral("__") + hashString(name) + QStringLiteral("__") +
           hashString(folderOfPath(path)) + QStringLiteral(".omback");
}

QString OpenMetaBackupNaming::monthFolder(const QString& backupFolder, QDate today, int monthsBefore) {
    int year = today.year();
    // Far-off counts are folded into whole years first, so the loop below is short.
    int month = today.month() - monthsBefore % 12;
    year -= monthsBefore / 12;
    while (month < 1) {
        month += 12;
        --year;
    }
    while (month > 12) {
        month -= 12;
        ++year;
    }
    return QStringLiteral("%1/%2/%3").arg(backupFolder).arg(year).arg(month);
}

QString OpenMetaBackupNaming::folderOfPath(const QString& path) {
    const QString trimmed = withoutTrailingSlashes(path);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return QString();
    if (slash == 0) return QStringLiteral("/");
    return trimmed.left(slash);
}

QString OpenMetaBackupNaming::lastPathComponent(const QString& path) {
    const QString trimmed = withoutTrailingSlashes(path);
    if (trimmed == QLatin1String("/")) return trimmed;
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace fendle
