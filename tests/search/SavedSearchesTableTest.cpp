#include "search/SavedSearchesTable.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(SavedSearchesTable, SaveReplaceRenameDelete) {
    SavedSearchesTable table({});
    const QVariantList first{QVariantMap{{QStringLiteral("RowType"), 1}}};
    const QVariantList second{QVariantMap{{QStringLiteral("RowType"), 0}}};
    EXPECT_TRUE(table.saveSearch(first));
    EXPECT_TRUE(table.saveSearch(second));
    ASSERT_EQ(table.numberOfRows(), 2);
    EXPECT_EQ(table.nameAtRow(0), QStringLiteral("Untitled search"));
    EXPECT_EQ(table.nameAtRow(1), QStringLiteral("Untitled search"));
    EXPECT_EQ(table.rulesAtRow(0).toList(), first);

    EXPECT_FALSE(table.renameSearch(0, QStringLiteral("Untitled search")));
    EXPECT_TRUE(table.renameSearch(0, QStringLiteral("Mine")));
    EXPECT_EQ(table.savedSearchesOfMyBox().first().toList(), (QVariantList{QStringLiteral("Mine"), first}));
    EXPECT_TRUE(table.replaceSearch(0, second));
    EXPECT_EQ(table.nameAtRow(0), QStringLiteral("Mine"));
    EXPECT_EQ(table.rulesAtRow(0).toList(), second);
    EXPECT_FALSE(table.replaceSearch(-1, first));
    EXPECT_FALSE(table.deleteSearch(2));
    EXPECT_TRUE(table.deleteSearch(1));
    EXPECT_EQ(table.numberOfRows(), 1);
}

TEST(SavedSearchesTable, MalformedEntriesReadAsEmpty) {
    const SavedSearchesTable table({QStringLiteral("not a pair"), QVariantList{QStringLiteral("one")}});
    EXPECT_EQ(table.nameAtRow(0), QString());
    EXPECT_FALSE(table.rulesAtRow(1).isValid());
    EXPECT_FALSE(table.rulesAtRow(9).isValid());
}
