#include "plugins/PlugInBundle.h"

#include "platform/files/RegularFile.h"
#include "platform/plist/XmlPlist.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace fendle {

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
    PlugInInfo typed(std::move(info));
    if (typed.identifier().isEmpty()) return R::failure(QStringLiteral("%1 has no \"CFBundleIdentifier\"").arg(path));
    PlugInBundle bundle;
    bundle.path_ = QDir::cleanPath(path);
    bundle.identifier_ = typed.identifier();
    bundle.info_ = std::move(typed);
    return bundle;
}

QString PlugInBundle::libraryPath() const {
    const QString executable = info_.string("CFBundleExecutable");
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
