#include "PlugInFixture.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "model/Slip.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/plist/XmlPlist.h"
#include "platform/system/DateUtils.h"
#include "support/AttributeTestFolder.h"

#include <sys/stat.h>

namespace fendle::test {
namespace {

// Lampwick as the program loads it, generating for boxes read from files.
class LampwickCacheFilesTest : public PlugInFixture {
protected:
    std::unique_ptr<PlugInController> plugIns;

    void SetUp() override {
        PlugInFixture::SetUp();
        install("Lampwick", userFolder);
        plugIns = host();
        plugIns->prepareAndLoadPlugIns();
        ASSERT_TRUE(plugIns->spotlightInterface());
    }
    void TearDown() override {
        plugIns.reset();
        PlugInFixture::TearDown();
    }

    BoxPtr openBox(const QString& name, const QList<quint32>& numbers) {
        BoxData data;
        SlipDictionary slips;
        for (quint32 number : numbers) {
            SlipPtr slip = Slip::create(number);
            slip->setText(RichText(QString("Slip %1\nbody").arg(number)));
            slip->setKeywords(KeywordsArray(QStringList{"alpha", QString("k%1").arg(number)}));
            slips.insert(slip->key(), slip);
        }
        data.setSlips(slips, {});
        const QString path = dir.path() + "/" + name;
        EXPECT_TRUE(BoxFile::writeToURL(data, path));
        QString error;
        BoxPtr box = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), false, &error);
        EXPECT_TRUE(box) << error.toStdString();
        return box;
    }
    // One generation, as at the box's close; the timer runs on afterwards.
    void generate(Box& box) {
        ASSERT_TRUE(plugIns->startSpotlightTimer(box));
        plugIns->boxWillClose(box);
        plugIns->startSpotlightTimer(box);
    }
    static ino_t inodeOf(const QString& path) {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
    }
    static QStringList cacheFiles() {
        return QDir(Paths::spotlightCacheFolder()).entryList(QDir::Files, QDir::Name);
    }
    static PlistValue::Dictionary cacheFile(const QString& name) {
        QFile file(Paths::spotlightCacheFolder() + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("<?xml"));
        Result<PlistValue> plist = readXmlPlist(bytes);
        EXPECT_TRUE(plist && plist->type() == PlistValue::Type::Dictionary);
        return plist ? plist->dictionary() : PlistValue::Dictionary{};
    }
};

TEST_F(LampwickCacheFilesTest, EverySlipGetsItsFileAndARemovedSlipLosesIt) {
    const BoxPtr box = openBox("Notes.fendle", {1, 2, 10});
    generate(*box);
    EXPECT_EQ(cacheFiles(), (QStringList{"Notes1.fdlcache", "Notes10.fdlcache", "Notes2.fdlcache"}));

    ASSERT_TRUE(box->displaySlipWithID("2"));
    box->removeSlip();
    generate(*box);
    EXPECT_EQ(cacheFiles(), (QStringList{"Notes1.fdlcache", "Notes10.fdlcache"}));
}

TEST_F(LampwickCacheFilesTest, ABoxWhoseNameContinuesWithANumberLosesItsFilesToTheShorterName) {
    const BoxPtr notes = openBox("Notes.fendle", {1});
    const BoxPtr notes1 = openBox("Notes1.fendle", {5});
    generate(*notes1);
    EXPECT_EQ(cacheFiles(), QStringList{"Notes15.fdlcache"});
    QFile other(Paths::spotlightCacheFolder() + "Notesworthy.fdlcache");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    generate(*notes);
    EXPECT_EQ(cacheFiles(), (QStringList{"Notes1.fdlcache", "Notesworthy.fdlcache"}));
}

TEST_F(LampwickCacheFilesTest, ACacheFileHoldsExactlyTheTenKeys) {
    const BoxPtr box = openBox("Notes.fendle", {3});
    const SlipPtr slip = box->slip("3");
    slip->setAuthorWithoutLastModificationDate(std::nullopt);
    slip->setSource(QString("Ref 3"));
    generate(*box);
    const PlistValue::Dictionary file = cacheFile("Notes3.fdlcache");
    const PlistValue root(file);
    const auto value = [&](const char* key) { return root.value(key); };
    ASSERT_EQ(file.size(), 10u);
    EXPECT_EQ(value("kMDItemTitle")->toString(), "Slip 3");
    ASSERT_EQ(value("kMDItemAuthors")->array().size(), 1u);
    EXPECT_EQ(value("kMDItemAuthors")->array()[0], PlistValue(QString("")));
    ASSERT_EQ(value("kMDItemKeywords")->array().size(), 2u);
    EXPECT_EQ(value("kMDItemKeywords")->array()[1].toString(), "k3");
    EXPECT_EQ(value("kMDItemTextContent")->toString(), "Slip 3\nbody");
    EXPECT_EQ(value("com_quorvel_fendle_fdlcache_slipID")->toString(), "3");
    EXPECT_EQ(value("com_quorvel_fendle_fdlcache_source")->toString(), "Ref 3");
    EXPECT_EQ(value("kMDItemFSName")->toString(), dir.path() + "/Notes.fendle");
    EXPECT_EQ(value("kMDItemContentCreationDate")->toString(), standardDescription(slip->creationTime()));
    EXPECT_EQ(value("kMDItemContentModificationDate")->toString(), standardDescription(slip->lastModificationTime()));
    EXPECT_EQ(value("kMDItemKind")->toString(), "Slip");
}

TEST_F(LampwickCacheFilesTest, InTrashModeTheTrashedSlipsAreWritten) {
    const BoxPtr box = openBox("Notes.fendle", {1, 2});
    ASSERT_TRUE(box->displaySlipWithID("2"));
    box->removeSlip();
    box->browseTrash();
    ASSERT_TRUE(box->inTrashMode());
    generate(*box);
    EXPECT_EQ(cacheFiles(), QStringList{"Notes2.fdlcache"});
}

TEST_F(LampwickCacheFilesTest, TheProgressWindowShowsTheGenerationAndGoesAgain) {
    const BoxPtr box = openBox("Notes.fendle", {1, 2, 3});
    ui.progress.clear();
    generate(*box);
    EXPECT_EQ(ui.progress, (QStringList{"Generating Spotlight Files -1", "0.1", "33", "66", "100"}));
    EXPECT_FALSE(ui.progressShown);
}

TEST_F(LampwickCacheFilesTest, AnUntitledBoxWritesNothing) {
    const BoxPtr box = controller->openUntitledDocument(false);
    generate(*box);
    EXPECT_TRUE(cacheFiles().isEmpty());
    EXPECT_TRUE(log.contains("SpotlightInterface:generateCacheFiles: Document untitled; returning"));
}

TEST_F(LampwickCacheFilesTest, AFileWhoseBytesWouldNotChangeIsNotWrittenAgain) {
    const BoxPtr box = openBox("Notes.fendle", {1, 2});
    generate(*box);
    const QString one = Paths::spotlightCacheFolder() + "Notes1.fdlcache";
    const QString two = Paths::spotlightCacheFolder() + "Notes2.fdlcache";
    const ino_t oneInode = inodeOf(one);
    const ino_t twoInode = inodeOf(two);
    box->slip("2")->setSource(QString("changed"));
    generate(*box);
    EXPECT_EQ(inodeOf(one), oneInode);
    EXPECT_NE(inodeOf(two), twoInode);
    EXPECT_EQ(PlistValue(cacheFile("Notes2.fdlcache")).value("com_quorvel_fendle_fdlcache_source")->toString(), "changed");
}

// Cache files are only ever replaced whole, so a file that is not the one
// this instance put there was replaced or removed by someone else.
TEST_F(LampwickCacheFilesTest, AFileReplacedOrRemovedBySomeoneElseIsWrittenAgain) {
    const BoxPtr box = openBox("Notes.fendle", {1, 2});
    generate(*box);
    const QString one = Paths::spotlightCacheFolder() + "Notes1.fdlcache";
    QFile file(one);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    ASSERT_TRUE(writeFileAtomically(one, "spoilt", Durability::Regenerable).ok());
    ASSERT_TRUE(QFile::remove(Paths::spotlightCacheFolder() + "Notes2.fdlcache"));

    generate(*box);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), written);
    EXPECT_EQ(cacheFiles(), (QStringList{"Notes1.fdlcache", "Notes2.fdlcache"}));
}

// A new instance (the next start) trusts nothing it did not write itself: a
// file spoilt in place gets its bytes back.
TEST_F(LampwickCacheFilesTest, TheNextStartMendsAFileSpoiltInPlace) {
    const QString one = Paths::spotlightCacheFolder() + "Notes1.fdlcache";
    QByteArray written;
    {
        const BoxPtr box = openBox("Notes.fendle", {1});
        generate(*box);
        QFile file(one);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        written = file.readAll();
        plugIns->boxWillClose(*box);
    }
    QFile file(one);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("spoilt");
    file.close();

    plugIns = host();
    plugIns->prepareAndLoadPlugIns();
    const BoxPtr box = openBox("Notes.fendle", {1});
    generate(*box);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), written);
}

// The old-file walk never leaves the cache folder through a link.
TEST_F(LampwickCacheFilesTest, ALinkInTheCacheFolderIsNotFollowed) {
    const BoxPtr box = openBox("Notes.fendle", {1});
    generate(*box);
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    ASSERT_TRUE(writeFileAtomically(outside.filePath("Notes7.fdlcache"), "theirs").ok());
    ASSERT_TRUE(QFile::link(outside.path(), Paths::spotlightCacheFolder() + "Notes9"));

    generate(*box);
    EXPECT_TRUE(QFileInfo::exists(outside.filePath("Notes7.fdlcache")));
    EXPECT_EQ(cacheFiles(), QStringList{"Notes1.fdlcache"});
}

TEST_F(LampwickCacheFilesTest, OpenMetaTagsAreWrittenOnlyWhenSwitchedOn) {
    AttributeTestFolder attributes;
    QString why;
    if (!attributes.supportsUserAttributes(&why)) GTEST_SKIP() << why.toStdString();
    qputenv("XDG_CACHE_HOME", attributes.path().toUtf8());
    const BoxPtr box = openBox("Notes.fendle", {1});
    generate(*box);
    const QString file = Paths::spotlightCacheFolder() + "Notes1.fdlcache";
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(ExtendedAttributes::list(file), QStringList{});

    Defaults::standard().setObject("FDLGenerateOpenMetaTagsWithSpotlightCacheFiles", true);
    generate(*box);
    const std::optional<QStringList> names = ExtendedAttributes::list(file);
    ASSERT_TRUE(names);
    EXPECT_FALSE(names->isEmpty());
}

}  // namespace
}  // namespace fendle::test
