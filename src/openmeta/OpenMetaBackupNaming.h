#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>

namespace fendle {

// Where the backup of a file goes: a month folder below the backup folder,
// and a file name made of the file's name and two hashes, so that files of
// the same name in different folders do not meet.
class OpenMetaBackupNaming {
public:
    static constexpr qsizetype MaxNameLength = 40;

    // The ELF hash with every byte taken as a signed 8-bit value, as the
    // names of existing backups were made.
    static quint32 ELFHash(const QByteArray& bytes);
    // The hash of the string's UTF-8 bytes as an unsigned decimal number.
    static QString hashString(const QString& string);
    // Names longer than 40 characters become their first 20 and last 20.
    static QString truncatedPathComponent(const QString& name);
    // name "__" hash(name) "__" hash(folder) ".omback"
    static QString calculateBackupFileName(const QString& path);
    // backupFolder/year/month for the month that lies monthsBefore before today.
    static QString monthFolder(const QString& backupFolder, QDate today, int monthsBefore);

    // The path without its last component, and that component, as the other
    // platform splits paths ("/a/b/" → "/a" and "b", "/b" → "/" and "b").
    static QString folderOfPath(const QString& path);
    static QString lastPathComponent(const QString& path);
};

}  // namespace fendle
