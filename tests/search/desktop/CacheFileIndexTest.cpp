#include "document/FakeUiPort.h"
#include "search/SearchResultsText.h"
#include "search/desktop/CacheFileIndex.h"
#include "search/desktop/CacheFolderWriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace fendle;
using fendle::test::CacheFileFields;
using fendle::test::FakeUiPort;
using fendle::test::writeBytes;
using fendle::test::writeCacheFile;

namespace {

class CacheFileIndexTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    QString folder = home.filePath("Metadata/Fendle");
    QString notes = home.filePath("Notes.fendle");
    QString other = home.filePath("Other.fendle");
    FakeUiPort ui;
    CacheFileIndex index{folder};

    void SetUp() override {
        for (const QString& box : {notes, other}) {
            QFile file(box);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    QString write(const QString& box, const QString& key, const QString& text, const QStringList& keywords = {},
                  const QString& modified = QStringLiteral("2020-01-01 10:00:00 +0000")) {
        return writeCacheFile(folder, CacheFileFields{box, key, text, keywords, QString(), modified});
    }

    // "Box key" of each result, in order.
    QStringList find(const QString& text, const std::optional<QString>& box = std::nullopt) {
        EXPECT_TRUE(index.refresh(ui));
        QStringList found;
        for (const DesktopSearchResult& result : index.search(DesktopSearchQuery::parse(text), box))
            found.append(result.boxName + QLatin1Char(' ') + result.slip.slipKey);
        return found;
    }
};

TEST_F(CacheFileIndexTest, TheQueryOfASlipWithTwoKeywordsFindsExactlyTheSlipsCarryingBoth) {
    write(notes, "1", "first", {"alpha", "beta"});
    write(notes, "2", "second", {"alpha"});
    write(notes, "3", "third", {"beta", "gamma"});
    write(other, "7", "seventh", {"Gamma", "BETA", "Alpha"});
    write(other, "8", "eighth", {"alphabet"});
    const QString query = desktopSearchQueryText({QStringLiteral("alpha, beta")});
    QStringList found = find(query);
    found.sort();
    EXPECT_EQ(found, (QStringList{"Notes 1", "Other 7"}));
}

TEST_F(CacheFileIndexTest, CaseAndDiacriticsDoNotMatterAndKeywordHitsRankFirstThenTheLatest) {
    write(notes, "1", "Le CAFÉ du coin, über alles", {}, "2021-05-01 10:00:00 +0000");
    write(notes, "2", "nothing", {"Café", "Uber"}, "2019-01-01 10:00:00 +0000");
    write(notes, "3", "un cafe", {"ÜBER"}, "2022-01-01 10:00:00 +0200");
    write(notes, "4", "cafe uber", {}, "2023-01-01 10:00:00 +0000");
    write(notes, "5", "cafe only", {}, "2024-01-01 10:00:00 +0000");
    EXPECT_EQ(find("\"cafe\" \"Über\""), (QStringList{"Notes 2", "Notes 3", "Notes 4", "Notes 1"}));
    // A phrase is one term; its words must stand together.
    EXPECT_EQ(find("\"cafe du\""), (QStringList{"Notes 1"}));
    EXPECT_TRUE(find("\"cafe coin\"").isEmpty());
    EXPECT_TRUE(find("").isEmpty());
}

TEST_F(CacheFileIndexTest, AChangedFileIsFoundByItsNewTextAndARemovedOneDisappears) {
    write(notes, "1", "old words", {"kept"});
    write(notes, "2", "to be removed", {"kept"});
    ASSERT_EQ(find("old"), QStringList{"Notes 1"});
    write(notes, "1", "new words", {"kept"});
    ASSERT_TRUE(QFile::remove(folder + "/Notes2.fdlcache"));
    write(notes, "3", "arrived", {"kept"});
    EXPECT_TRUE(find("old").isEmpty());
    EXPECT_EQ(find("new"), QStringList{"Notes 1"});
    EXPECT_EQ(find("kept").size(), 2);
    EXPECT_EQ(index.count(), 2);

    // A file rewritten in place at once, its size unchanged.
    const QString path = folder + "/Notes1.fdlcache";
    QByteArray bytes = [&] {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }();
    bytes.replace("new words", "now words");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    EXPECT_EQ(find("now"), QStringList{"Notes 1"});

    // A second index over the same folder reads it whole and agrees.
    CacheFileIndex fresh(folder);
    ASSERT_TRUE(fresh.refresh(ui));
    EXPECT_EQ(fresh.search(DesktopSearchQuery::parse("kept")).size(), 2);
}

TEST_F(CacheFileIndexTest, TheFolderEmptiedAndRemovedLeavesNothingAndAFileInItsPlaceCannotBeRead) {
    write(notes, "1", "here");
    ASSERT_EQ(find("here").size(), 1);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_TRUE(find("here").isEmpty());
    EXPECT_EQ(index.count(), 0);
    write(notes, "1", "back");
    EXPECT_EQ(find("back").size(), 1);

    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_FALSE(index.refresh(ui));
}

TEST_F(CacheFileIndexTest, ACacheFileOfABoxThatIsGoneIsListedWithItsBoxMissing) {
    write(notes, "1", "shared word");
    write(home.filePath("Gone.fendle"), "4", "shared word");
    ASSERT_TRUE(index.refresh(ui));
    std::map<QString, bool> missing;
    for (const DesktopSearchResult& result : index.search(DesktopSearchQuery::parse("shared")))
        missing[result.boxName] = result.boxMissing;
    EXPECT_EQ(missing, (std::map<QString, bool>{{"Gone", true}, {"Notes", false}}));
    ASSERT_TRUE(QFile::remove(notes));
    ASSERT_TRUE(index.refresh(ui));
    EXPECT_TRUE(index.search(DesktopSearchQuery::parse("shared")).first().boxMissing);
}

TEST_F(CacheFileIndexTest, OnlyTheSlipsOfOneBoxWhenAsked) {
    write(notes, "1", "common");
    write(other, "1", "common");
    EXPECT_EQ(find("common", notes), QStringList{"Notes 1"});
    EXPECT_EQ(find("common", home.path() + "/./Other.fendle"), QStringList{"Other 1"});
}

TEST_F(CacheFileIndexTest, HostileFilesAreSkippedAndCountedAndTheRestIsFound) {
    write(notes, "1", "good one", {"fine"});
    writeBytes(folder, "Junk1.fdlcache", "this is no property list");
    writeBytes(folder, "Junk2.fdlcache", QByteArray("bplist00") + QByteArray(40, '\xff'));
    writeBytes(folder, "Array3.fdlcache", writeXmlPlist(PlistValue(PlistValue::Array{PlistValue("fine")})));
    PlistValue wrongTitle = test::cacheDictionary({notes, "4", "fine", {}});
    for (auto& [key, value] : wrongTitle.mutableDictionary())
        if (key == "kMDItemTitle") value = PlistValue(qint64(12));
    writeBytes(folder, "Wrong4.fdlcache", writeXmlPlist(wrongTitle));
    PlistValue wrongKeywords = test::cacheDictionary({notes, "5", "fine", {}});
    for (auto& [key, value] : wrongKeywords.mutableDictionary())
        if (key == "kMDItemKeywords") value = PlistValue(PlistValue::Array{PlistValue(true)});
    writeBytes(folder, "Wrong5.fdlcache", writeXmlPlist(wrongKeywords));
    writeBytes(folder, "NoBox6.fdlcache", writeXmlPlist(test::cacheDictionary({QString(), "6", "fine", {}})));
    // A huge string: over the size a cache file may have.
    writeBytes(folder, "Huge7.fdlcache",
               writeXmlPlist(test::cacheDictionary({notes, "7", QString(CacheFileRecord::MaximumFileSize, u'x'), {}})));
    // Neither a FIFO nor a folder under the name may hang or count.
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/Fifo8.fdlcache").constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(folder + "/Folder9.fdlcache"));
    writeBytes(folder, "notes.txt", "not a cache file at all");

    EXPECT_EQ(find("fine"), QStringList{"Notes 1"});
    EXPECT_EQ(index.skippedCount(), 7);
    EXPECT_EQ(index.count(), 1);
    // Made good, a skipped file counts again.
    write(notes, "4", "fine now");
    ASSERT_TRUE(QFile::remove(folder + "/Wrong4.fdlcache"));
    EXPECT_EQ(find("fine").size(), 2);
    EXPECT_EQ(index.skippedCount(), 6);
}

TEST_F(CacheFileIndexTest, AFirstReadingOfManyFilesShowsProgressAndHidesItAfter) {
    for (int i = 1; i <= CacheFileIndex::ProgressThreshold + 1; ++i) write(notes, QString::number(i), "many");
    ASSERT_TRUE(index.refresh(ui));
    ASSERT_FALSE(ui.progress.isEmpty());
    EXPECT_EQ(ui.progress.first(), "Reading Cache Files 0");
    EXPECT_EQ(ui.progress.last(), "100");
    EXPECT_FALSE(ui.progressShown);
    ui.progress.clear();
    write(notes, "1", "changed");
    ASSERT_TRUE(index.refresh(ui));
    EXPECT_TRUE(ui.progress.isEmpty());
    EXPECT_EQ(index.search(DesktopSearchQuery::parse("many")).size(), CacheFileIndex::ProgressThreshold);
}

TEST(DesktopSearchQuery, QuotedRunsAndBareWordsAreTermsFoldedOnce) {
    const DesktopSearchQuery query = DesktopSearchQuery::parse("\"two  words\" bare \"Été\" bare \"unclosed end");
    EXPECT_EQ(query.terms(), (QStringList{"two words", "bare", "Été", "unclosed end"}));
    EXPECT_EQ(query.foldedTerms().at(2), QByteArray("ete"));
    EXPECT_TRUE(DesktopSearchQuery::parse("\"\" \" \"  ").isEmpty());
    // A control character cannot reach across the fields of a cache file.
    EXPECT_EQ(DesktopSearchQuery::parse(QString("a") + QChar(0x1f) + "b").terms(), QStringList{"a b"});
}

}  // namespace
