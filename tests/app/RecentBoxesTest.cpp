#include "app/program/RecentBoxes.h"
#include "platform/system/Defaults.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

TEST(RecentBoxesTest, NewestFirstWithoutDuplicatesAndCapped) {
    QTemporaryDir folder;
    Defaults defaults(Defaults::Domain, folder.path());
    RecentBoxes recent(defaults);
    EXPECT_TRUE(recent.paths().isEmpty());
    for (int i = 0; i < 12; ++i) recent.note(QStringLiteral("/boxes/%1.fendle").arg(i));
    recent.note(QStringLiteral("/boxes/5.fendle"));
    const QStringList paths = recent.paths();
    ASSERT_EQ(paths.size(), RecentBoxes::MaxCount);
    EXPECT_EQ(paths.first(), "/boxes/5.fendle");
    EXPECT_EQ(paths.at(1), "/boxes/11.fendle");
    EXPECT_EQ(paths.count("/boxes/5.fendle"), 1);
    EXPECT_FALSE(paths.contains("/boxes/0.fendle"));
    recent.clear();
    EXPECT_TRUE(recent.paths().isEmpty());
}

TEST(RecentBoxesTest, ForeignValuesUnderTheKeyAreSkipped) {
    QTemporaryDir folder;
    Defaults defaults(Defaults::Domain, folder.path());
    defaults.setObject(RecentBoxes::DefaultsKey, PlistValue(PlistValue::Array{PlistValue(qint64(3)), PlistValue("/a.fendle")}));
    EXPECT_EQ(RecentBoxes(defaults).paths(), QStringList{"/a.fendle"});
    defaults.setObject(RecentBoxes::DefaultsKey, PlistValue("not a list"));
    EXPECT_TRUE(RecentBoxes(defaults).paths().isEmpty());
}
