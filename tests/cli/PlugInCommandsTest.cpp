#include "model/BoxFile.h"
#include "plugins/PlugInArchive.h"
#include "plugins/PlugInCatalogue.h"
#include "support/BoxOfTexts.h"
#include "support/BuiltPlugIns.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

using namespace fendle;

namespace {

// The commands inherit the environment: plug-ins, settings and cache files
// live in a folder of the test's own; Lampwick comes from the build tree.
class PlugInCommandsTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::map<const char*, QByteArray> old;

    void SetUp() override {
        for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_DIRS"}) {
            old[variable] = qgetenv(variable);
            qputenv(variable, folder.filePath(variable).toUtf8());
        }
    }
    void TearDown() override {
        for (const auto& [variable, value] : old) qputenv(variable, value);
    }
};

TEST_F(PlugInCommandsTest, PlugInsListsEveryBundleWithWhyItWouldNotLoad) {
    const QString menus = test::installPlugIn("Menus", folder.filePath("XDG_DATA_HOME") + "/Fendle/PlugIns");
    const CliTextOutcome listed = runCliForText({"plugins"});
    ASSERT_EQ(listed.status, 0) << listed.err.toStdString();
    const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << listed.out.toStdString();
    EXPECT_EQ(lines[0], "com.quorvel.fendle.testmenus\t2.1\tTest Menus\toff\t" + menus +
                            "\tswitched off in the plug-in table");
    EXPECT_TRUE(lines[1].startsWith("com.quorvel.fendle.revadizozaroriv\t"));
    EXPECT_TRUE(lines[1].contains("\tDuzodu Vurizodar Uvadederu\tload\t"));
    EXPECT_TRUE(lines[1].endsWith("Lampwick.fdlplugin\tloads"));
}

TEST_F(PlugInCommandsTest, PublishPlugInsWritesTheArchivesAndTheCatalogueTheCheckReads) {
    const QString out = folder.filePath("site");
    const CliTextOutcome published =
        runCliForText({"publish-plugins", test::builtPlugIn("Menus"), test::builtPlugIn("Lampwick"), "--out", out});
    ASSERT_EQ(published.status, 0) << published.err.toStdString();
    EXPECT_EQ(published.out, out + "/testmenus.tgz\n" + out + "/revadizozaroriv.tgz\n");
    const Result<PlugInCatalogue> catalogue = PlugInCatalogue::readFile(out + "/pluginCatalogue.xml");
    ASSERT_TRUE(catalogue);
    EXPECT_EQ(catalogue->identifiers(),
              (QStringList{"com.quorvel.fendle.testmenus", "com.quorvel.fendle.revadizozaroriv"}));
    EXPECT_EQ(catalogue->entry("com.quorvel.fendle.testmenus")->info.version(), "2.1");
    EXPECT_EQ(catalogue->entry("com.quorvel.fendle.testmenus")->info.description(), "A plug-in the tests install.");
    QFile archive(out + "/revadizozaroriv.tgz");
    ASSERT_TRUE(archive.open(QIODevice::ReadOnly));
    EXPECT_EQ(*PlugInArchive::check(archive.readAll()), "revadizozaroriv.fdlplugin");

    // Publishing one more keeps what was published before.
    ASSERT_EQ(runCliForText({"publish-plugins", test::builtPlugIn("Beacon"), "--out", out}).status, 0);
    EXPECT_EQ(PlugInCatalogue::readFile(out + "/pluginCatalogue.xml")->identifiers().size(), 3);

    EXPECT_EQ(runCliForText({"publish-plugins", "--out", out}).status, 2);
    EXPECT_EQ(runCliForText({"publish-plugins", test::builtPlugIn("Menus")}).status, 2);
    const CliTextOutcome notABundle = runCliForText({"publish-plugins", folder.path(), "--out", out});
    EXPECT_EQ(notABundle.status, 2);
    EXPECT_FALSE(notABundle.err.isEmpty());
}

TEST_F(PlugInCommandsTest, CacheWritesTheBoxsFilesAndThenLeavesThemAlone) {
    const QString box = folder.filePath("Notes.fendle");
    ASSERT_TRUE(BoxFile::writeToURL(test::boxOfTexts({"one", "two", "three"}), box));
    const CliTextOutcome first = runCliForText({"cache", box});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, "written: 3\nremoved: 0\n");
    EXPECT_EQ(QDir(folder.filePath("XDG_CACHE_HOME") + "/Metadata/Fendle").entryList(QDir::Files, QDir::Name),
              (QStringList{"Notes1.fdlcache", "Notes2.fdlcache", "Notes3.fdlcache"}));

    EXPECT_EQ(runCliForText({"cache", box}).out, "written: 0\nremoved: 0\n");

    ASSERT_TRUE(BoxFile::writeToURL(test::boxOfTexts({"one"}), box));
    EXPECT_TRUE(runCliForText({"cache", box}).out.endsWith("removed: 2\n"));
}

TEST_F(PlugInCommandsTest, CacheOfABoxThatCannotBeReadFails) {
    const CliTextOutcome outcome = runCliForText({"cache", folder.filePath("Missing.fendle")});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.out.isEmpty());
}

// A box whose slips carry these keywords, keyed 1, 2, … in order.
BoxData boxOfKeywords(const QList<QStringList>& keywords) {
    BoxData box = test::boxOfTexts(QStringList(keywords.size(), QStringLiteral("Slip text")));
    for (qsizetype i = 0; i < keywords.size(); ++i)
        box.slipForKey(QString::number(i + 1))->setKeywords(KeywordsArray(keywords[i]));
    return box;
}

TEST_F(PlugInCommandsTest, FindSearchesTheCacheFilesOfAllBoxesAsTheCacheCommandWroteThem) {
    const QString notes = folder.filePath("Notes.fendle");
    const QString other = folder.filePath("Other.fendle");
    ASSERT_TRUE(BoxFile::writeToURL(boxOfKeywords({{"alpha", "beta"}, {"alpha"}, {"Bêta", "ALPHA"}}), notes));
    ASSERT_TRUE(BoxFile::writeToURL(boxOfKeywords({{"beta"}, {"alpha", "beta", "gamma"}}), other));
    ASSERT_EQ(runCliForText({"cache", notes}).status, 0);
    ASSERT_EQ(runCliForText({"cache", other}).status, 0);

    const CliTextOutcome found = runCliForText({"find", "\"alpha\" \"beta\""});
    ASSERT_EQ(found.status, 0) << found.err.toStdString();
    QStringList lines = found.out.split('\n', Qt::SkipEmptyParts);
    lines.sort();
    EXPECT_EQ(lines, (QStringList{"Notes\t1\tSlip text", "Notes\t3\tSlip text", "Other\t2\tSlip text"}));

    const CliOutcome json = runCli({"find", "gamma", "--json"});
    const QJsonArray results = QJsonDocument::fromJson(json.out).array();
    ASSERT_EQ(results.size(), 1) << json.out.toStdString();
    const QJsonObject result = results.first().toObject();
    EXPECT_EQ(result["box"].toString(), "Other");
    EXPECT_EQ(result["boxPath"].toString(), other);
    EXPECT_FALSE(result["boxMissing"].toBool());
    EXPECT_EQ(result["key"].toString(), "2");
    EXPECT_EQ(result["keywords"].toArray(), QJsonArray({"alpha", "beta", "gamma"}));
    EXPECT_EQ(result["keywordHits"].toInt(), 1);
    EXPECT_TRUE(result["cacheFile"].toString().endsWith("/Metadata/Fendle/Other2.fdlcache"));

    EXPECT_EQ(runCliForText({"find", "beta", "--box-of", other}).out.split('\n', Qt::SkipEmptyParts).size(), 2);
}

TEST_F(PlugInCommandsTest, FindSkipsAndCountsFilesThatAreNoCacheFilesAndFailsOnAnUnreadableFolder) {
    const QString cache = folder.filePath("XDG_CACHE_HOME") + "/Metadata/Fendle";
    ASSERT_TRUE(QDir().mkpath(cache));
    QFile junk(cache + "/Junk1.fdlcache");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("<plist><dict><key>kMDItemTitle</key><integer>1</integer></dict></plist>");
    junk.close();
    const CliTextOutcome skipped = runCliForText({"find", "anything"});
    EXPECT_EQ(skipped.status, 0);
    EXPECT_TRUE(skipped.out.isEmpty());
    EXPECT_EQ(skipped.err, "fendle-cli: skipped 1 unreadable cache files\n");

    ASSERT_TRUE(QDir(cache).removeRecursively());
    QFile blocker(cache);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const CliTextOutcome unreadable = runCliForText({"find", "anything"});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_TRUE(unreadable.err.contains("cannot read the cache folder")) << unreadable.err.toStdString();
}

}  // namespace
