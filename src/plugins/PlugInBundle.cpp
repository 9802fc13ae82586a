#include "plugins/PlugInBundle.h"

#include "platform/files/RegularFile.h"
#include "platform/plist/XmlPlist.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace fendle {

namespace {

const PlistValue* entry(const PlistValue::Dictionary& info, const QString& key) {
    for (const auto& [k, v] : info)
        if (k == key) return &v;
    return nullptr;
}

const PlistValue* stringEntry(const PlistValue::Dictionary& info, const QString& key) {
    const PlistValue* value = entry(info, key);
    return value && value->type() == PlistValue::Type::String ? value : nullptr;
}

}  // namespace

Result<PlistValue::Dictionary> PlugInBundle::parseInfoDictionary(const QByteArray& bytes) {
    using R = Result<PlistValue::Dictionary>;
    Result<PlistValue> plist = readPlist(bytes);
    if (!plist) return R::failure(plist.error());
    if (plist->type() != PlistValue::Type::Dictionary) return R::failure(QStringLiteral("Info.plist is not a dictionary"));
    return plist->dictionary();
}

bool PlugInBundle::isInside(const QString& folder, const QString& path) {
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    return !canonicalFolder.isEmpty() && canonicalPath.startsWith(canonicalFolder + QLatin1Char('/'));
}

Result<PlistValue::Dictionary> PlugInBundle::readInfoDictionary(const QString& bundlePath) {
    using R = Result<PlistValue::Dictionary>;
    const QString infoPath = bundlePath + QStringLiteral("/Contents/Info.plist");
    if (!isInside(bundlePath, infoPath)) return R::failure(QStringLiteral("%1 is missing or lies outside the bundle").arg(infoPath));
    const Result<QByteArray> bytes = RegularFile::read(infoPath, MaxInfoSize);
    if (!bytes) return R::failure(bytes.error());
    return parseInfoDictionary(*bytes);
}

Result<PlugInBundle> PlugInBundle::open(const QString& path) {
    using R = Result<PlugInBundle>;
    Result<PlistValue::Dictionary> info = readInfoDictionary(path);
    if (!info) return R::failure(info.error());
    return fromInfo(path, std::move(*info));
}

Result<PlugInBundle> PlugInBundle::fromInfo(const QString& path, PlistValue::Dictionary info) {
    using R = Result<PlugInBundle>;
    const PlistValue* identifier = stringEntry(info, QStringLiteral("CFBundleIdentifier"));
    if (!identifier || identifier->toString().isEmpty())
        return R::failure(QStringLiteral("%1 has no \"CFBundleIdentifier\"").arg(path));
    PlugInBundle bundle;
    bundle.path_ = QDir::cleanPath(path);
    bundle.identifier_ = identifier->toString();
    bundle.info_ = std::move(info);
    return bundle;
}

QString PlugInBundle::string(const char* key) const {
    const PlistValue* value = stringEntry(info_, QString::fromLatin1(key));
    return value ? value->toString() : QString();
}

std::optional<QString> PlugInBundle::requiredVersion() const {
    const PlistValue* value = stringEntry(info_, QStringLiteral("ZNRequiredFDLVersion"));
    return value ? std::optional<QString>(value->toString()) : std::nullopt;
}

std::optional<QDateTime> PlugInBundle::versionDate() const {
    const PlistValue* value = entry(info_, QStringLiteral("ZNVersionDate"));
    return value && value->type() == PlistValue::Type::Date ? std::optional<QDateTime>(value->toDate()) : std::nullopt;
}

QString PlugInBundle::libraryPath() const {
    const QString executable = string("CFBundleExecutable");
    if (executable.isEmpty() || executable.contains(QLatin1Char('/'))) return QString();
    return path_ + QStringLiteral("/Contents/Linux/") + executable;
}

QString PlugInBundle::resourcePath(const QString& relative) const {
    return path_ + QStringLiteral("/Contents/Resources/") + relative;
}

Result<QObject*> PlugInBundle::principalClass() const {
    using R = Result<QObject*>;
    const QString library = libraryPath();
    if (library.isEmpty()) return R::failure(QStringLiteral("%1 names no \"CFBundleExecutable\"").arg(path_));
    if (!isInside(path_, library)) return R::failure(QStringLiteral("%1 is missing or lies outside the bundle").arg(library));
    QPluginLoader loader(library);
    QObject* root = loader.instance();
    if (!root) return R::failure(loader.errorString());
    return root;
}

}  // namespace fendle
