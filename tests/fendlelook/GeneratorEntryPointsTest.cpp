// The plug-in model through the module's C entry points, loaded with dlopen.
#include "BuiltModule.h"
#include "fendlelook/UuidBytes.h"
#include "platform/plist/XmlPlist.h"

#include <QTemporaryDir>

using namespace fendle;
using namespace fendle::test;

namespace {

FLGeneratorInterface** newInstance(const EntryPoints& module) {
    const FLUUIDBytes type = look::uuidBytes(FL_GENERATOR_TYPE_ID);
    return static_cast<FLGeneratorInterface**>(module.factory(nullptr, &type));
}

TEST(GeneratorEntryPointsTest, FactoryMakesInstancesOnlyOfTheGeneratorType) {
    const EntryPoints module = EntryPoints::load();
    ASSERT_TRUE(module.factory);
    const FLUUIDBytes other = look::uuidBytes(FL_GENERATOR_CALLBACKS_INTERFACE_ID);
    EXPECT_EQ(module.factory(nullptr, &other), nullptr);
    EXPECT_EQ(module.factory(nullptr, nullptr), nullptr);

    FLGeneratorInterface** instance = newInstance(module);
    ASSERT_NE(instance, nullptr);
    // Before the callbacks interface is asked for, only the standard slots are set.
    EXPECT_EQ((*instance)->QueryInterface, module.queryInterface);
    EXPECT_EQ((*instance)->AddRef, module.addRef);
    EXPECT_EQ((*instance)->Release, module.release);
    EXPECT_EQ((*instance)->GenerateThumbnailForURL, nullptr);
    EXPECT_EQ((*instance)->GeneratePreviewForURL, nullptr);
    EXPECT_EQ(module.release(instance), 0u);
}

TEST(GeneratorEntryPointsTest, QueryInterfaceInstallsTheGeneratorAndCountsAReference) {
    const EntryPoints module = EntryPoints::load();
    ASSERT_TRUE(module.factory);
    FLGeneratorInterface** instance = newInstance(module);
    ASSERT_NE(instance, nullptr);

    void* unknown = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(module.queryInterface(instance, look::uuidBytes("00000000-0000-0000-C000-000000000046"), &unknown),
              FL_E_NOINTERFACE);
    EXPECT_EQ(static_cast<std::uint32_t>(FL_E_NOINTERFACE), 0x80000004u);
    EXPECT_EQ(unknown, nullptr);

    void* callbacks = nullptr;
    ASSERT_EQ(module.queryInterface(instance, look::uuidBytes(FL_GENERATOR_CALLBACKS_INTERFACE_ID), &callbacks), FL_S_OK);
    EXPECT_EQ(callbacks, instance);
    EXPECT_EQ((*instance)->GenerateThumbnailForURL, module.generateThumbnail);
    EXPECT_EQ((*instance)->CancelThumbnailGeneration, module.cancelThumbnail);
    EXPECT_EQ((*instance)->GeneratePreviewForURL, module.generatePreview);
    EXPECT_EQ((*instance)->CancelPreviewGeneration, module.cancelPreview);

    // 1 from the factory, 1 from the query.
    EXPECT_EQ(module.addRef(instance), 3u);
    EXPECT_EQ(module.release(instance), 2u);
    EXPECT_EQ(module.release(instance), 1u);
    EXPECT_EQ(module.release(instance), 0u);
}

TEST(GeneratorEntryPointsTest, InstancesKeepTheirOwnTables) {
    const EntryPoints module = EntryPoints::load();
    ASSERT_TRUE(module.factory);
    FLGeneratorInterface** asked = newInstance(module);
    FLGeneratorInterface** fresh = newInstance(module);
    ASSERT_TRUE(asked && fresh);
    void* callbacks = nullptr;
    ASSERT_EQ(module.queryInterface(asked, look::uuidBytes(FL_GENERATOR_CALLBACKS_INTERFACE_ID), &callbacks), FL_S_OK);
    EXPECT_NE(*asked, *fresh);
    EXPECT_EQ((*fresh)->GenerateThumbnailForURL, nullptr);
    EXPECT_EQ(module.release(fresh), 0u);
    EXPECT_EQ(module.release(asked), 1u);
    EXPECT_EQ(module.release(asked), 0u);
}

#if defined(__SANITIZE_ADDRESS__)
// Touching an instance after its last release is a use after free: proof
// that the release at 0 freed it.
TEST(GeneratorEntryPointsDeathTest, TheLastReleaseFreesTheInstance) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const EntryPoints module = EntryPoints::load();
    ASSERT_TRUE(module.factory);
    EXPECT_DEATH(
        {
            FLGeneratorInterface** instance = newInstance(module);
            module.release(instance);
            module.addRef(instance);
        },
        "heap-use-after-free");
}
#endif

TEST(GeneratorEntryPointsTest, CallsWithoutARequestOrAddressDoNothing) {
    const EntryPoints module = EntryPoints::load();
    ASSERT_TRUE(module.factory);
    EXPECT_EQ(module.generatePreview(nullptr, nullptr, nullptr, nullptr, nullptr), FL_S_OK);
    EXPECT_EQ(module.generateThumbnail(nullptr, nullptr, nullptr, nullptr, nullptr, FLSize{128, 128}), FL_S_OK);
    module.cancelPreview(nullptr, nullptr);
    module.cancelThumbnail(nullptr, nullptr);
    EXPECT_EQ(module.addRef(nullptr), 0u);
    EXPECT_EQ(module.release(nullptr), 0u);
    EXPECT_EQ(module.queryInterface(nullptr, look::uuidBytes(FL_GENERATOR_CALLBACKS_INTERFACE_ID), nullptr),
              FL_E_NOINTERFACE);
}

// The host finds the factory through the bundle's Info.plist, so the
// identifier registered there and the content type must be the module's.
TEST(GeneratorEntryPointsTest, TheBundleRegistersTheFactoryForCacheFiles) {
    const auto bundle = look::GeneratorBundle::load(builtBundle());
    ASSERT_TRUE(bundle.ok()) << bundle.error().toStdString();
    EXPECT_EQ(bundle->factoryID(), QStringLiteral(FL_FENDLELOOK_FACTORY_ID));

    QFile file(builtBundle() + QStringLiteral("/Contents/Info.plist"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto info = readPlist(file.readAll());
    ASSERT_TRUE(info.ok());
    const PlistValue* types = info->value(QStringLiteral("CFBundleDocumentTypes"));
    ASSERT_TRUE(types && types->type() == PlistValue::Type::Array && !types->array().empty());
    const PlistValue* contentTypes = types->array().front().value(QStringLiteral("LSItemContentTypes"));
    ASSERT_TRUE(contentTypes && !contentTypes->array().empty());
    EXPECT_EQ(contentTypes->array().front().toString(), QStringLiteral(FL_CACHE_FILE_CONTENT_TYPE));
}

TEST(GeneratorEntryPointsTest, ABundleWithoutTheFactoryIsRefused) {
    QTemporaryDir folder;
    const QString bundle = copyBundle(folder.filePath(QStringLiteral("Other.qlgenerator")));
    QFile info(bundle + QStringLiteral("/Contents/Info.plist"));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    QByteArray text = info.readAll();
    info.close();
    text.replace("<string>QuickLookGeneratorPluginFactory</string>", "<string>NoSuchFactory</string>");
    ASSERT_TRUE(info.open(QIODevice::WriteOnly | QIODevice::Truncate));
    info.write(text);
    info.close();
    const auto loaded = look::GeneratorBundle::load(bundle);
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.error().contains(QStringLiteral("NoSuchFactory")));
}

}  // namespace
