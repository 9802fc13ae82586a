#include "search/FoldedTextCache.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fendle;

namespace {
SlipPtr slipWithText(quint32 id, const QString& text) {
    auto slip = Slip::create(id);
    slip->setTextWithoutLastModificationDate(RichText(text));
    return slip;
}

// One search pass over the slips in the given order.
QList<QByteArray> pass(FoldedTextCache& cache, const std::vector<SlipPtr>& slips) {
    QList<QByteArray> texts;
    for (const SlipPtr& slip : slips) texts.append(cache.foldedText(*slip));
    cache.sweep(qsizetype(slips.size()));
    return texts;
}
}  // namespace

TEST(FoldedTextCache, FoldsFullyAndFollowsEveryWayOfSettingText) {
    FoldedTextCache cache;
    std::vector<SlipPtr> slips{slipWithText(1, QStringLiteral("Straße")), slipWithText(2, QStringLiteral("ÄRGER"))};
    EXPECT_EQ(pass(cache, slips), (QList<QByteArray>{"strasse", "\xc3\xa4rger"}));
    slips[0]->setText(RichText(QStringLiteral("NEU")));
    slips[1]->setValueForKey(QVariant::fromValue(RichText(QStringLiteral("Wert"))), QStringLiteral("text"));
    EXPECT_EQ(pass(cache, slips), (QList<QByteArray>{"neu", "wert"}));
    slips[0]->setTextWithoutLastModificationDate(std::nullopt);
    slips[1] = slips[1]->copy();
    EXPECT_EQ(pass(cache, slips), (QList<QByteArray>{"", "wert"}));
    EXPECT_FALSE(cache.foldedText(*slips[0]).isNull());
}

TEST(FoldedTextCache, SameTextEditedToSameLengthIsFoldedAgain) {
    FoldedTextCache cache;
    std::vector<SlipPtr> slips{slipWithText(1, QStringLiteral("abc"))};
    pass(cache, slips);
    slips[0]->setTextWithoutLastModificationDate(RichText(QStringLiteral("XYZ")));
    EXPECT_EQ(pass(cache, slips), QList<QByteArray>{"xyz"});
}

TEST(FoldedTextCache, OrderChangesSkipsAndRepeatsGiveTheRightText) {
    FoldedTextCache cache;
    std::vector<SlipPtr> slips;
    for (quint32 i = 1; i <= 6; ++i) slips.push_back(slipWithText(i, QStringLiteral("Text %1").arg(i)));
    pass(cache, slips);
    // A new slip in the middle, another gone, the order reversed.
    std::vector<SlipPtr> changed{slips[5], slips[4], slipWithText(7, QStringLiteral("Neu")), slips[2], slips[1],
                                 slips[0]};
    EXPECT_EQ(pass(cache, changed), (QList<QByteArray>{"text 6", "text 5", "neu", "text 3", "text 2", "text 1"}));
    // Same order again, now in sequence; then a pass that skips some slips
    // and asks twice for one.
    EXPECT_EQ(pass(cache, changed), (QList<QByteArray>{"text 6", "text 5", "neu", "text 3", "text 2", "text 1"}));
    EXPECT_EQ(cache.foldedText(*changed[1]), "text 5");
    EXPECT_EQ(cache.foldedText(*changed[1]), "text 5");
    EXPECT_EQ(cache.foldedText(*changed[4]), "text 2");
    EXPECT_EQ(cache.foldedText(*changed[0]), "text 6");
    cache.sweep(6);
    EXPECT_EQ(pass(cache, changed), (QList<QByteArray>{"text 6", "text 5", "neu", "text 3", "text 2", "text 1"}));
}

TEST(FoldedTextCache, EntriesOfRemovedSlipsAreDroppedOnceTheyPileUp) {
    FoldedTextCache cache;
    std::vector<SlipPtr> first;
    for (quint32 i = 0; i < 100; ++i) first.push_back(slipWithText(i, QStringLiteral("a%1").arg(i)));
    pass(cache, first);
    std::vector<SlipPtr> second;
    for (quint32 i = 0; i < 100; ++i) second.push_back(slipWithText(i, QStringLiteral("b%1").arg(i)));
    // While the old slips live their entries may stay; a box of 100 slips
    // allows at most 100 + 25 + 64 entries after a sweep.
    const QList<QByteArray> texts = pass(cache, second);
    EXPECT_EQ(texts.front(), "b0");
    EXPECT_EQ(texts.back(), "b99");
    EXPECT_EQ(cache.count(), 100);
    EXPECT_GT(cache.memoryBytes(), 0);
}
