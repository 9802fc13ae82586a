#include "fendlelook/host/GeneratorBundle.h"

#include "platform/files/AtomicFile.h"
#include "platform/plist/XmlPlist.h"

#include <QFile>
#include <dlfcn.h>

namespace fendle::look {
namespace {

using R = Result<GeneratorBundle>;

QString stringAt(const PlistValue& dictionary, const QString& key) {
    const PlistValue* value = dictionary.type() == PlistValue::Type::Dictionary ? dictionary.value(key) : nullptr;
    return value && value->type() == PlistValue::Type::String ? value->toString() : QString();
}

// The first factory that the bundle registers for the generator type.
QString generatorFactory(const PlistValue& info) {
    const PlistValue* types = info.value(QStringLiteral("CFPlugInTypes"));
    if (!types || types->type() != PlistValue::Type::Dictionary) return {};
    const PlistValue* factories = types->value(QStringLiteral(FL_GENERATOR_TYPE_ID));
    if (!factories || factories->type() != PlistValue::Type::Array || factories->array().empty()) return {};
    const PlistValue& first = factories->array().front();
    return first.type() == PlistValue::Type::String ? first.toString() : QString();
}

}  // namespace

Result<GeneratorBundle> GeneratorBundle::load(const QString& bundlePath) {
    const auto bytes = readWholeFile(bundlePath + QStringLiteral("/Contents/Info.plist"), MaximumInfoSize);
    if (!bytes) return R::failure(bytes.error());
    const auto info = readPlist(*bytes);
    if (!info || info->type() != PlistValue::Type::Dictionary)
        return R::failure(QStringLiteral("%1: Info.plist holds no dictionary").arg(bundlePath));

    GeneratorBundle bundle;
    bundle.path_ = bundlePath;
    bundle.factoryID_ = generatorFactory(*info);
    const PlistValue* factories = info->value(QStringLiteral("CFPlugInFactories"));
    const QString function = factories ? stringAt(*factories, bundle.factoryID_) : QString();
    const QString executable = stringAt(*info, QStringLiteral("CFBundleExecutable"));
    if (bundle.factoryID_.isEmpty() || function.isEmpty() || executable.isEmpty() || executable.contains(u'/'))
        return R::failure(QStringLiteral("%1: no generator factory registered").arg(bundlePath));

    const QString code = bundlePath + QStringLiteral("/Contents/Linux/") + executable;
    void* handle = ::dlopen(QFile::encodeName(code).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return R::failure(QStringLiteral("%1: %2").arg(code, QString::fromLocal8Bit(::dlerror())));
    bundle.factory_ = reinterpret_cast<FLGeneratorFactoryFunction>(::dlsym(handle, function.toUtf8().constData()));
    if (!bundle.factory_) return R::failure(QStringLiteral("%1: no function %2").arg(code, function));
    return bundle;
}

}  // namespace fendle::look
