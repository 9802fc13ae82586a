#include "scents/AlternatingScent.h"

#include "platform/system/Log.h"
#include "scents/ScentTestBox.h"

#include <gtest/gtest.h>

using namespace fendle;
using fendle::testing::fileSlip;

namespace {
QStringList texts(const std::vector<AlternatingScentEntryPtr>& entries) {
    QStringList result;
    for (const auto& entry : entries) result.append(entry->entry());
    return result;
}

struct FruitBox {
    BoxData box;
    FruitBox() {
        fileSlip(box, 12, QStringLiteral("fruit"))->setText(std::nullopt);
        fileSlip(box, 3, QStringLiteral("fruit, red"), QStringLiteral("Apples\nare red"));
    }
};
}  // namespace

TEST(AlternatingScent, AlternatesBetweenKeywordsAndSlipLabels) {
    FruitBox fruit;
    const AlternatingScent graph(fruit.box.keywordsDictionary(), fruit.box);
    EXPECT_EQ(texts(graph.scents()), (QStringList{QStringLiteral("fruit"), QStringLiteral("red")}));
    EXPECT_EQ(graph.keywordsToSlipIDsArray(), (QStringList{QStringLiteral("fruit"), QStringLiteral("red")}));
    AlternatingScentEntry* fruitEntry = graph.child(0, nullptr).get();
    EXPECT_EQ(texts(fruitEntry->scents()), (QStringList{QStringLiteral("3 [Apples]"), QStringLiteral("12")}));
    const AlternatingScentEntryPtr apples = graph.child(0, fruitEntry);
    EXPECT_EQ(apples->type(), AlternatingScentEntry::SlipType);
    EXPECT_EQ(texts(apples->scents()), (QStringList{QStringLiteral("fruit"), QStringLiteral("red")}));
    EXPECT_EQ(texts(graph.scents()[1]->scents()), QStringList{QStringLiteral("3 [Apples]")});
    // The tree goes on: apples → red → apples.
    const AlternatingScentEntryPtr red = apples->keywordScentAtIndex(1);
    EXPECT_EQ(red->keywordScentAtIndex(0)->entry(), QStringLiteral("3 [Apples]"));
    EXPECT_TRUE(graph.isItemExpandable(red.get()));
    // Slip 12 has no text object, so it has no title and a bare label.
    EXPECT_EQ(AlternatingScent::slipLabel(QStringLiteral("12"), fruit.box), QStringLiteral("12"));
    EXPECT_EQ(graph.objectValueForItem(nullptr), QStringLiteral("/"));
}

TEST(AlternatingScent, LabelsSortByNumberAndRepeatPerOccurrence) {
    BoxData box;
    fileSlip(box, 10, QStringLiteral("k"), QString());
    fileSlip(box, 2, QStringLiteral("k, k"), QStringLiteral("two"));
    const AlternatingScent graph(box.keywordsDictionary(), box);
    EXPECT_EQ(texts(graph.scents()[0]->scents()),
              (QStringList{QStringLiteral("2 [two]"), QStringLiteral("2 [two]"), QStringLiteral("10 []")}));
}

TEST(AlternatingScent, BoxWithoutKeywordsIsEmpty) {
    BoxData box;
    fileSlip(box, 1, QString());
    const AlternatingScent graph(box.keywordsDictionary(), box);
    EXPECT_EQ(graph.numberOfChildrenOfItem(nullptr), 0);
}

TEST(AlternatingScentEntry, UnknownTypeMakesNoChildrenAndSaysSo) {
    QStringList lines;
    setLogSink([&](const QString& line) { lines.append(line); });
    FruitBox fruit;
    const AlternatingScent graph(fruit.box.keywordsDictionary(), fruit.box);
    const AlternatingScentEntryPtr entry = graph.scents()[0];
    entry->setType(3);
    EXPECT_FALSE(entry->makeScents());
    EXPECT_EQ(entry->numberOfScents(), 0);
    setLogSink({});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("The current AlternatingScentEntry type is not recognised!")));
    EXPECT_EQ(AlternatingScentEntry::slipKeyOfLabel(QStringLiteral("3 [a [b]]")), QStringLiteral("3"));
    EXPECT_LT(graph.scents()[0]->compareAscending(*graph.scents()[1]), 0);
}
