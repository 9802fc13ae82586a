#pragma once
#include "support/BuildPaths.h"
#include "fendlelook/FendleLookInterface.h"
#include "fendlelook/host/GeneratorInstance.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <dlfcn.h>
#include <optional>
#include <gtest/gtest.h>

namespace fendle::test {

inline QString builtBundle() { return binaryFolder() + QStringLiteral("/lib/fendle/FendleLook.qlgenerator"); }
inline QString builtProgram(const char* name) { return binaryFolder() + QStringLiteral("/bin/") + QLatin1String(name); }

// The module's C entry points, looked up by name as a host would.
struct EntryPoints {
    decltype(&QuickLookGeneratorPluginFactory) factory = nullptr;
    decltype(&QuickLookGeneratorQueryInterface) queryInterface = nullptr;
    decltype(&QuickLookGeneratorPluginAddRef) addRef = nullptr;
    decltype(&QuickLookGeneratorPluginRelease) release = nullptr;
    decltype(&GenerateThumbnailForURL) generateThumbnail = nullptr;
    decltype(&CancelThumbnailGeneration) cancelThumbnail = nullptr;
    decltype(&GeneratePreviewForURL) generatePreview = nullptr;
    decltype(&CancelPreviewGeneration) cancelPreview = nullptr;

    static EntryPoints load(const QString& bundle = builtBundle()) {
        const QByteArray code = QFile::encodeName(bundle + QStringLiteral("/Contents/Linux/FendleLook.so"));
        void* handle = ::dlopen(code.constData(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(handle, nullptr) << ::dlerror();
        EntryPoints e;
        if (!handle) return e;
        const auto find = [handle](auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(::dlsym(handle, name));
            EXPECT_NE(slot, nullptr) << name;
        };
        find(e.factory, "QuickLookGeneratorPluginFactory");
        find(e.queryInterface, "QuickLookGeneratorQueryInterface");
        find(e.addRef, "QuickLookGeneratorPluginAddRef");
        find(e.release, "QuickLookGeneratorPluginRelease");
        find(e.generateThumbnail, "GenerateThumbnailForURL");
        find(e.cancelThumbnail, "CancelThumbnailGeneration");
        find(e.generatePreview, "GeneratePreviewForURL");
        find(e.cancelPreview, "CancelPreviewGeneration");
        return e;
    }
};

// One generator of a bundle, made through its Info.plist the way the
// thumbnailer makes it.
inline std::optional<look::GeneratorInstance> generatorOf(const QString& bundle) {
    const auto loaded = look::GeneratorBundle::load(bundle);
    if (!loaded) {
        ADD_FAILURE() << loaded.error().toStdString();
        return std::nullopt;
    }
    auto instance = look::GeneratorInstance::create(*loaded);
    if (!instance) {
        ADD_FAILURE() << instance.error().toStdString();
        return std::nullopt;
    }
    return std::move(*instance);
}

inline const std::optional<look::GeneratorInstance>& builtGenerator() {
    static const std::optional<look::GeneratorInstance> generator = generatorOf(builtBundle());
    return generator;
}

// A copy of the built bundle, to change without touching the build tree.
inline QString copyBundle(const QString& target) {
    for (const char* piece : {"/Contents/Linux", "/Contents/Resources"}) QDir().mkpath(target + QLatin1String(piece));
    for (const char* file : {"/Contents/Info.plist", "/Contents/Linux/FendleLook.so", "/Contents/Resources/background.tif"})
        EXPECT_TRUE(QFile::copy(builtBundle() + QLatin1String(file), target + QLatin1String(file))) << file;
    return target;
}

}  // namespace fendle::test
