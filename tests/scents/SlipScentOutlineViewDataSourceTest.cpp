#include "scents/SlipScentOutlineViewDataSource.h"

#include "scents/KeywordScent.h"
#include "scents/ScentTestBox.h"
#include "scents/SlipScentTable.h"
#include "scents/SlipScents.h"

#include <gtest/gtest.h>

using namespace fendle;
using fendle::testing::fileSlip;

TEST(SlipScentOutlineViewDataSource, OneGroupHoldsTheHeadingAndTheRelatedKeys) {
    BoxData box;
    const SlipPtr one = fileSlip(box, 1, QStringLiteral("a, b"));
    fileSlip(box, 2, QStringLiteral("a"));
    const KeywordScent index(box.keywordsDictionary(), false);
    SlipScentOutlineViewDataSource source;
    EXPECT_EQ(source.numberOfChildrenOfItem(QVariant()), 1);
    source.setScentArray(slipScentsForSlip(*one, index));

    const QVariant group = source.child(0, QVariant());
    EXPECT_EQ(group.toString(), QStringLiteral("SLIP SCENTS"));
    EXPECT_TRUE(source.isItemExpandable(group));
    EXPECT_EQ(source.numberOfChildrenOfItem(group), 2);
    const QVariant heading = source.child(0, group);
    EXPECT_EQ(plainTextOfItem(heading), QStringLiteral("1"));
    EXPECT_TRUE(heading.canConvert<RichText>());
    EXPECT_EQ(source.child(1, group).toString(), QStringLiteral("2"));
    EXPECT_FALSE(source.isItemExpandable(heading));
    EXPECT_EQ(source.numberOfChildrenOfItem(source.child(1, group)), 0);
    EXPECT_EQ(source.objectValueForItem(QVariant()).toString(), QStringLiteral("SLIP SCENT"));
    // Row 1 is the slip itself, row 2 the first related slip.
    EXPECT_EQ(source.keyForRow(0), QString());
    EXPECT_EQ(source.keyForRow(1), QStringLiteral("1"));
    EXPECT_EQ(source.keyForRow(2), QStringLiteral("2"));
}

TEST(SlipScentOutlineViewDataSource, ToolTipsNameSharedAndOtherKeywords) {
    BoxData box;
    const SlipPtr current = fileSlip(box, 1, QStringLiteral("a, b"));
    fileSlip(box, 2, QStringLiteral("b, c, b, a, d"), QStringLiteral("Second\nbody"));
    const KeywordScent index(box.keywordsDictionary(), false);
    SlipScentOutlineViewDataSource source;
    source.setScentArray(slipScentsForSlip(*current, index));
    EXPECT_EQ(source.toolTipForRow(0, box, current.get()), QString());
    EXPECT_EQ(source.toolTipForRow(1, box, current.get()), QString());
    EXPECT_EQ(source.toolTipForRow(2, box, current.get()),
              QStringLiteral("2 -- Second\n[Shared: b, a]\n[Nonshared: c, d]"));
    box.deleteSlipForKey(QStringLiteral("2"));
    EXPECT_EQ(source.toolTipForRow(2, box, current.get()), QString());
}

TEST(SlipScentTable, RowsAreTheElements) {
    const SlipScentTable table(QStringList{QStringLiteral("4"), QStringLiteral("9")});
    EXPECT_EQ(table.numberOfRows(), 2);
    EXPECT_EQ(table.objectValueForRow(1).toString(), QStringLiteral("9"));
    EXPECT_EQ(table.scentAtIndex(5), QString());
}
