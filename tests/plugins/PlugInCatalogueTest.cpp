#include "support/TestSupport.h"
#include "plugins/PlugInCatalogue.h"

#include <gtest/gtest.h>

namespace fendle {
namespace {

QByteArray plist(const QByteArray& root) { return "<?xml version=\"1.0\"?><plist version=\"1.0\">" + root + "</plist>"; }

TEST(PlugInCatalogueTest, EntriesAreReadTypedAndWrittenBackInTheSameForm) {
    const Result<PlugInCatalogue> catalogue = PlugInCatalogue::read(plist(
        "<dict><key>com.quorvel.fendle.good</key><dict><key>CFBundleVersion</key><string>1.10</string>"
        "<key>ZNPlugInName</key><string>Good</string><key>ZNVersionDate</key><date>2026-03-01T12:00:00Z</date></dict>"
        "<key>com.quorvel.fendle.typo</key><dict><key>CFBundleVersion</key><integer>3</integer>"
        "<key>ZNVersionDate</key><string>yesterday</string></dict></dict>"));
    ASSERT_TRUE(catalogue) << catalogue.error().toStdString();
    EXPECT_EQ(catalogue->identifiers(), (QStringList{"com.quorvel.fendle.good", "com.quorvel.fendle.typo"}));
    const PlugInCatalogue::Entry* good = catalogue->entry("com.quorvel.fendle.good");
    ASSERT_TRUE(good);
    EXPECT_EQ(good->info.version(), "1.10");
    EXPECT_EQ(good->info.versionDate(), QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC));
    // Values of the wrong type count as absent.
    EXPECT_EQ(catalogue->entry("com.quorvel.fendle.typo")->info.version(), "");
    EXPECT_FALSE(catalogue->entry("com.quorvel.fendle.typo")->info.versionDate());

    const Result<PlugInCatalogue> again = PlugInCatalogue::read(catalogue->toXml());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->identifiers(), catalogue->identifiers());
    EXPECT_EQ(again->entry("com.quorvel.fendle.good")->info.dictionary(), good->info.dictionary());
}

TEST(PlugInCatalogueTest, AHostileCatalogueIsRefusedOrLosesItsBadEntries) {
    EXPECT_FALSE(PlugInCatalogue::read(plist("<array><string>com.quorvel.fendle.x</string></array>")));
    EXPECT_FALSE(PlugInCatalogue::read("<html>Not Found</html>"));
    EXPECT_FALSE(PlugInCatalogue::read(QByteArray(PlugInCatalogue::MaxSize + 1, ' ')));
    QByteArray many = "<dict>";
    for (int i = 0; i <= PlugInCatalogue::MaxEntries; ++i) many += "<key>a.b" + QByteArray::number(i) + "</key><dict/>";
    EXPECT_FALSE(PlugInCatalogue::read(plist(many + "</dict>")));

    // Entries that are no dictionaries, or whose names are no plain file names, are left out.
    const Result<PlugInCatalogue> mixed = PlugInCatalogue::read(
        plist("<dict><key>com.quorvel.fendle.string</key><string>x</string>"
              "<key>com.quorvel.fendle.a/b</key><dict/><key>com.quorvel.fendle.</key><dict/>"
              "<key>com.quorvel.fendle.kept</key><dict/></dict>"));
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->identifiers(), QStringList{"com.quorvel.fendle.kept"});
}

TEST(PlugInCatalogueTest, ThePlugInNameIsTheLastIdentifierComponent) {
    EXPECT_EQ(PlugInCatalogue::plugInName("com.quorvel.fendle.revadizozaroriv"), "revadizozaroriv");
    EXPECT_EQ(PlugInCatalogue::plugInName("plain"), "plain");
    EXPECT_EQ(PlugInCatalogue::plugInName("com.x.."), "");
    EXPECT_EQ(PlugInCatalogue::plugInName("com.x.a b"), "");
}

}  // namespace
}  // namespace fendle
