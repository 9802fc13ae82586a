#pragma once
#include "platform/system/Result.h"
#include "plugins/PlugInInfo.h"

#include <QByteArray>
#include <QStringList>

namespace fendle {

// The published list of plug-ins, "pluginCatalogue.xml": an XML property
// list whose root dictionary maps each identifier to its Info values. It
// comes from a server, so it is read capped; entries that are no
// dictionaries, or whose identifier names no usable archive file, are left
// out rather than trusted.
class PlugInCatalogue {
public:
    static inline const QString FileName = QStringLiteral("pluginCatalogue.xml");
    static inline const QString ArchiveExtension = QStringLiteral("tgz");
    static constexpr qint64 MaxSize = qint64(1) << 20;
    static constexpr int MaxEntries = 2000;

    struct Entry {
        QString identifier;
        PlugInInfo info;
    };

    static Result<PlugInCatalogue> read(const QByteArray& bytes);
    static Result<PlugInCatalogue> readFile(const QString& path);
    QByteArray toXml() const;

    // The archive and bundle name: the identifier's last dot-separated
    // component; empty when that is no plain file name.
    static QString plugInName(const QString& identifier);

    const QList<Entry>& entries() const { return entries_; }
    QStringList identifiers() const;
    const Entry* entry(const QString& identifier) const;
    bool contains(const QString& identifier) const { return entry(identifier) != nullptr; }
    void add(Entry entry);

private:
    QList<Entry> entries_;
};

}  // namespace fendle
