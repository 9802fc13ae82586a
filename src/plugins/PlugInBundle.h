#pragma once
#include "platform/plist/PlistValue.h"
#include "plugins/PlugInInfo.h"
#include "platform/system/Result.h"

#include <QDateTime>
#include <QString>
#include <optional>

class QObject;

namespace fendle {

// A plug-in bundle folder, Name.fdlplugin: Contents/Info.plist, the library
// in Contents/Linux/ and Contents/Resources/. Everything in it is someone
// else's making, so the Info file is read capped and typed, and no file is
// taken from outside the folder through a symbolic link.
class PlugInBundle {
public:
    static inline const QString Extension = QStringLiteral("fdlplugin");
    static constexpr qint64 MaxInfoSize = qint64(1) << 20;

    // The bundle at path; fails without a readable Info dictionary carrying
    // "CFBundleIdentifier".
    static Result<PlugInBundle> open(const QString& path);
    // The same, from an Info dictionary already read.
    static Result<PlugInBundle> fromInfo(const QString& path, PlistValue::Dictionary info);
    // The Info dictionary of the bundle folder (infoDictForPlugin).
    static Result<PlistValue::Dictionary> readInfoDictionary(const QString& bundlePath);
    static Result<PlistValue::Dictionary> parseInfoDictionary(const QByteArray& bytes);
    // Whether path, with its links resolved, lies inside the folder.
    static bool isInside(const QString& folder, const QString& path);

    const QString& path() const { return path_; }
    const QString& identifier() const { return identifier_; }
    QString version() const { return info_.version(); }
    QString name() const { return info_.name(); }
    QString description() const { return info_.description(); }
    std::optional<QString> requiredVersion() const { return info_.requiredVersion(); }
    std::optional<QDateTime> versionDate() const { return info_.versionDate(); }
    const PlugInInfo& info() const { return info_; }
    // Contents/Linux/ and the "CFBundleExecutable" name; empty when absent.
    QString libraryPath() const;
    QString resourcePath(const QString& relative) const;

    // The library's root object, or why there is none (not loadable, not a
    // Qt plug-in, outside the bundle). The loader keeps the code loaded.
    Result<QObject*> principalClass() const;

private:
    QString path_;
    QString identifier_;
    PlugInInfo info_;
};

}  // namespace fendle
