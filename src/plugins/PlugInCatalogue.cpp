#include "plugins/PlugInCatalogue.h"

#include "platform/files/RegularFile.h"
#include "platform/plist/XmlPlist.h"
#include "platform/system/Log.h"

#include <QRegularExpression>

namespace fendle {

Result<PlugInCatalogue> PlugInCatalogue::read(const QByteArray& bytes) {
    using R = Result<PlugInCatalogue>;
    if (bytes.size() > MaxSize) return R::failure(QStringLiteral("The plug-in catalogue is too large"));
    const Result<PlistValue> plist = readPlist(bytes);
    if (!plist) return R::failure(plist);
    if (plist->type() != PlistValue::Type::Dictionary) return R::failure(QStringLiteral("The plug-in catalogue is not a dictionary"));
    if (plist->dictionary().size() > size_t(MaxEntries)) return R::failure(QStringLiteral("The plug-in catalogue has too many entries"));
    PlugInCatalogue catalogue;
    for (const auto& [identifier, value] : plist->dictionary()) {
        if (value.type() != PlistValue::Type::Dictionary || plugInName(identifier).isEmpty()) {
            logLine(QStringLiteral("PlugInCatalogue: leaving out the entry \"%1\"").arg(identifier.left(200)));
            continue;
        }
        catalogue.add({identifier, PlugInInfo(value.dictionary())});
    }
    return catalogue;
}

Result<PlugInCatalogue> PlugInCatalogue::readFile(const QString& path) {
    const Result<QByteArray> bytes = RegularFile::read(path, MaxSize);
    if (!bytes) return Result<PlugInCatalogue>::failure(bytes);
    return read(*bytes);
}

QByteArray PlugInCatalogue::toXml() const {
    PlistValue::Dictionary root;
    for (const Entry& entry : entries_) root.emplace_back(entry.identifier, PlistValue(entry.info.dictionary()));
    return writeXmlPlist(PlistValue(std::move(root)));
}

QString PlugInCatalogue::plugInName(const QString& identifier) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,128}$"));
    const QString name = identifier.section(QLatin1Char('.'), -1);
    return plain.match(name).hasMatch() ? name : QString();
}

QStringList PlugInCatalogue::identifiers() const {
    QStringList all;
    for (const Entry& entry : entries_) all.append(entry.identifier);
    return all;
}

const PlugInCatalogue::Entry* PlugInCatalogue::entry(const QString& identifier) const {
    for (const Entry& e : entries_)
        if (e.identifier == identifier) return &e;
    return nullptr;
}

void PlugInCatalogue::add(Entry entry) {
    for (Entry& e : entries_)
        if (e.identifier == entry.identifier) {
            e = std::move(entry);
            return;
        }
    entries_.append(std::move(entry));
}

}  // namespace fendle
