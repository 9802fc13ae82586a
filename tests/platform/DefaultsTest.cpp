#include "platform/system/Defaults.h"
#include "platform/plist/XmlPlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

class DefaultsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path() + "/fendle"; }
};

TEST_F(DefaultsTest, ConfigFolderFollowsXdgConfigHome) {
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(Defaults::configFolder(), dir.path() + "/fendle");
    qputenv("XDG_CONFIG_HOME", "relative/not/allowed");
    EXPECT_TRUE(Defaults::configFolder().endsWith("/.config/fendle"));
    qputenv("XDG_CONFIG_HOME", old);
}

TEST_F(DefaultsTest, ValuesSurviveAWriteAndUnknownKeysAreKept) {
    {
        Defaults store(Defaults::Domain, folder());
        store.setObject("SaveBackup", false);
        store.setObject("SomeoneElsesKey", PlistValue(PlistValue::Array{PlistValue(1), PlistValue("x")}));
        ASSERT_TRUE(store.synchronize());
        EXPECT_EQ(store.writeCount(), 1);
    }
    EXPECT_TRUE(QFile::exists(folder() + "/com.quorvel.fendle.plist"));
    Defaults again(Defaults::Domain, folder());
    ASSERT_TRUE(again.persistentObjectForKey("SaveBackup"));
    EXPECT_FALSE(again.boolForKey("SaveBackup"));
    const auto other = again.persistentObjectForKey("SomeoneElsesKey");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->array().size(), 2u);
    again.setObject("StartupMode", 3);
    ASSERT_TRUE(again.synchronize());
    Defaults third(Defaults::Domain, folder());
    EXPECT_TRUE(third.persistentObjectForKey("SomeoneElsesKey"));
    EXPECT_EQ(third.integerForKey("StartupMode"), 3);
}

TEST_F(DefaultsTest, UnchangedStoreWritesNothing) {
    Defaults store(Defaults::Domain, folder());
    ASSERT_TRUE(store.synchronize());
    EXPECT_EQ(store.writeCount(), 0);
    EXPECT_FALSE(QFile::exists(store.filePath()));
    store.setObject("A", 1);
    ASSERT_TRUE(store.synchronize());
    store.setObject("A", 1);  // same value again
    ASSERT_TRUE(store.synchronize());
    EXPECT_EQ(store.writeCount(), 1);
}

TEST_F(DefaultsTest, RegisteredDefaultsAnswerOnlyForAbsentKeys) {
    Defaults store(Defaults::Domain, folder());
    store.registerDefaults({{"AutoSave", true}, {"AutoSaveTimeInterval", 10}});
    EXPECT_TRUE(store.boolForKey("AutoSave"));
    EXPECT_FALSE(store.persistentObjectForKey("AutoSave"));
    store.setObject("AutoSave", false);
    EXPECT_FALSE(store.boolForKey("AutoSave"));
    store.removeObject("AutoSave");
    EXPECT_TRUE(store.boolForKey("AutoSave"));
    EXPECT_EQ(store.integerForKey("AutoSaveTimeInterval"), 10);
}

TEST_F(DefaultsTest, WrongTypesConvertLikeThePlatform) {
    Defaults store(Defaults::Domain, folder());
    store.setObject("B", PlistValue(QByteArray("data")));
    store.setObject("I", "12abc");
    store.setObject("N", PlistValue(PlistValue::Array{}));
    store.setObject("R", 1e300);
    EXPECT_FALSE(store.boolForKey("B"));
    EXPECT_EQ(store.integerForKey("B"), 0);
    EXPECT_EQ(store.integerForKey("I"), 0);
    EXPECT_EQ(store.integerForKey("N"), 0);
    EXPECT_EQ(store.integerForKey("R"), 0);
    EXPECT_EQ(store.stringForKey("N"), QString());
}

TEST_F(DefaultsTest, DamagedFilesReadAsEmptyAndAreReplacedOnWrite) {
    QDir().mkpath(folder());
    for (const QByteArray& junk : {QByteArray("<?xml version=\"1.0\"?><plist><dict><key>x"), QByteArray("\0\1\2", 3),
                                   writeXmlPlist(PlistValue(PlistValue::Array{PlistValue(1)}))}) {
        QFile file(folder() + "/com.quorvel.fendle.plist");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(junk);
        file.close();
        Defaults store(Defaults::Domain, folder());
        EXPECT_TRUE(store.persistentDomain().empty());
        store.setObject("K", 2);
        ASSERT_TRUE(store.synchronize());
        EXPECT_EQ(Defaults(Defaults::Domain, folder()).integerForKey("K"), 2);
    }
}

TEST_F(DefaultsTest, RemovingTheDomainRemovesItsFile) {
    Defaults store(Defaults::LegacyDomain, folder());
    store.setObject("K", 1);
    ASSERT_TRUE(store.synchronize());
    ASSERT_TRUE(QFile::exists(store.filePath()));
    EXPECT_TRUE(store.removePersistentDomain());
    EXPECT_FALSE(QFile::exists(store.filePath()));
    EXPECT_TRUE(Defaults(Defaults::LegacyDomain, folder()).persistentDomain().empty());
}

}  // namespace
