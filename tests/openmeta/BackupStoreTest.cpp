#include "openmeta/OpenMeta.h"
#include "openmeta/OpenMetaBackupContents.h"
#include "openmeta/OpenMetaBackupNaming.h"
#include "platform/plist/BinaryPlistWriter.h"
#include "platform/plist/XmlPlist.h"

#include "openmeta/OpenMetaFixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace fendle;

namespace {

constexpr auto Patience = std::chrono::seconds(20);

class BackupStoreTest : public test::OpenMetaFixture {
protected:
    QString backups;
    void SetUp() override {
        OpenMetaFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        backups = folder.filePath("own-backups");
    }

    static QStringList filesIn(const QString& path) { return QDir(path).entryList(QDir::Files | QDir::Hidden); }

    static PlistValue readBackup(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        Result<PlistValue> value = readPlist(file.readAll());
        EXPECT_TRUE(value.ok()) << value.error().toStdString();
        return value.ok() ? *value : PlistValue();
    }
};

TEST_F(BackupStoreTest, ThreeQuickTagWritesToOneFileGiveOneBackupWithAllItsOpenMetaAttributes) {
    const QString file = folder.makeFile("Notes12.fdlcache");
    ASSERT_TRUE(ExtendedAttributes::set(file, "com.example.other", "kept out").ok);
    for (const QStringList& tags : {QStringList{"Pear"}, QStringList{"Pear", "Plum"}, QStringList{"Fig", "Caf\u00e9"}})
        ASSERT_FALSE(OpenMeta::setUserTags(tags, file).has_value());
    OpenMetaBackup& store = OpenMetaBackup::sharedInstance();
    ASSERT_TRUE(store.waitUntilIdle(Patience));

    const QString month = folder.filePath("data/OpenMeta/backups/%1/%2")
                              .arg(QDate::currentDate().year())
                              .arg(QDate::currentDate().month());
    EXPECT_EQ(OpenMetaBackup::standardBackupFolder(), folder.filePath("data/OpenMeta/backups"));
    ASSERT_EQ(filesIn(month), QStringList{OpenMetaBackupNaming::calculateBackupFileName(file)});

    const PlistValue backup = readBackup(month + "/" + OpenMetaBackupNaming::calculateBackupFileName(file));
    ASSERT_EQ(backup.type(), PlistValue::Type::Dictionary);
    ASSERT_NE(backup.value("bu_path"), nullptr);
    EXPECT_EQ(backup.value("bu_path")->toString(), file);
    ASSERT_NE(backup.value("bu_date"), nullptr);
    EXPECT_LE(std::abs(backup.value("bu_date")->toDate().secsTo(QDateTime::currentDateTimeUtc())), 60);
    EXPECT_EQ(backup.value("bu_alias"), nullptr);
    const PlistValue* attributes = backup.value("omDict");
    ASSERT_NE(attributes, nullptr);

    // Exactly the attributes of the three prefixes, with their decoded values.
    const QStringList allNames = ExtendedAttributes::list(file).value_or(QStringList());
    QStringList expectedNames;
    for (const QString& name : allNames)
        if (name.startsWith("org.openmetainfo") || name.startsWith("com.apple.metadata:kMDItem"))
            expectedNames.append(name);
    QStringList names;
    for (const auto& [name, value] : attributes->dictionary()) {
        names.append(name);
        EXPECT_EQ(value, *stored(file, name)) << name.toStdString();
    }
    EXPECT_EQ(names, expectedNames);
    EXPECT_FALSE(names.contains("com.apple.metadata:kOMUserTags"));
    EXPECT_EQ(*attributes->value("org.openmetainfo:kMDItemOMUserTags"),
              PlistValue(PlistValue::Array{"Fig", "Cafe\u0301"}));
}

TEST_F(BackupStoreTest, AFileHandedOverThreeTimesIsQueuedOnceAndBackedUpOnce) {
    const QString file = folder.makeFile("a.fdlcache");
    ASSERT_TRUE(ExtendedAttributes::set(file, "org.openmetainfo:kMDItemOMManaged", writeBinaryPlist(true)).ok);
    OpenMetaBackup store(backups);
    for (int i = 0; i < 3; ++i) store.backupMetadata(file);
    ASSERT_TRUE(store.waitUntilIdle(Patience));
    EXPECT_EQ(store.backupsWritten(), 1);
    EXPECT_FALSE(store.backupThreadIsBusy());
    EXPECT_EQ(filesIn(store.currentBackupPath()), QStringList{OpenMetaBackupNaming::calculateBackupFileName(file)});

    // Later in the month the same file's backup is replaced, not added.
    store.backupMetadata(file);
    ASSERT_TRUE(store.waitUntilIdle(Patience));
    EXPECT_EQ(store.backupsWritten(), 2);
    EXPECT_EQ(filesIn(store.currentBackupPath()).size(), 1);
}

TEST_F(BackupStoreTest, FilesWithoutOpenMetaAttributesGetNoBackup) {
    const QString others = folder.makeFile("others.txt");
    ASSERT_TRUE(ExtendedAttributes::set(others, "com.example.colour", "red").ok);
    ASSERT_TRUE(ExtendedAttributes::set(others, "xdg.tags", "a,b").ok);
    const QString bare = folder.makeFile("bare.txt");
    const QString unreadable = folder.makeFile("unreadable.txt");
    ASSERT_TRUE(ExtendedAttributes::set(unreadable, "org.openmetainfo:kMDItemOMUserTags", "garbage").ok);

    OpenMetaBackup store(backups);
    for (const QString& path : {others, bare, unreadable, folder.filePath("missing.txt")}) {
        EXPECT_FALSE(OpenMetaBackupContents::backupDictForPath(path).has_value()) << path.toStdString();
        store.backupMetadata(path);
    }
    ASSERT_TRUE(store.waitUntilIdle(Patience));
    EXPECT_EQ(store.backupsWritten(), 0);
    EXPECT_TRUE(filesIn(store.currentBackupPath()).isEmpty());
}

TEST_F(BackupStoreTest, AttributesThatCannotBeDecodedAreLeftOutOfTheBackup) {
    const QString file = folder.makeFile("mixed.txt");
    ASSERT_TRUE(ExtendedAttributes::set(file, "org.openmetainfo:kMDItemOMUserTags", "bplist00 broken").ok);
    ASSERT_TRUE(ExtendedAttributes::set(file, "kMDItemOMRating", writeBinaryPlist(PlistValue(4))).ok);
    const std::optional<PlistValue::Dictionary> attributes = OpenMetaBackupContents::openMetaDictForPath(file);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(*attributes, (PlistValue::Dictionary{{"kMDItemOMRating", PlistValue(4)}}));
}

TEST_F(BackupStoreTest, TheOptOutFileLetsAtMostTheFirstFileThrough) {
    ASSERT_TRUE(QDir().mkpath(backups));
    QFile optOut(backups + "/No Backups Please.txt");
    ASSERT_TRUE(optOut.open(QIODevice::WriteOnly));
    optOut.close();
    const QString first = folder.makeFile("first.txt");
    const QString second = folder.makeFile("second.txt");
    for (const QString& path : {first, second})
        ASSERT_TRUE(ExtendedAttributes::set(path, "org.openmetainfo:kMDItemOMManaged", writeBinaryPlist(true)).ok);

    OpenMetaBackup store(backups);
    EXPECT_TRUE(store.backupsAreOn());
    store.backupMetadata(first);
    EXPECT_FALSE(store.backupsAreOn());
    store.backupMetadata(second);
    ASSERT_TRUE(store.waitUntilIdle(Patience));
    EXPECT_EQ(filesIn(store.currentBackupPath()), QStringList{OpenMetaBackupNaming::calculateBackupFileName(first)});
}

TEST_F(BackupStoreTest, QuittingWaitsUntilTheQueueIsWorkedOff) {
    OpenMetaBackup store(backups);
    QStringList files;
    for (int i = 0; i < 40; ++i) {
        files.append(folder.makeFile(QStringLiteral("f%1.txt").arg(i)));
        ASSERT_TRUE(ExtendedAttributes::set(files.last(), "kMDItemOMManaged", writeBinaryPlist(true)).ok);
    }
    for (const QString& file : files) store.backupMetadata(file);
    ASSERT_TRUE(store.finishBeforeQuit());
    EXPECT_TRUE(store.isTerminating());
    EXPECT_EQ(store.backupsWritten(), 40);
    EXPECT_EQ(filesIn(store.currentBackupPath()).size(), 40);
}

}  // namespace
