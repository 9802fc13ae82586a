#include "scents/KeywordScent.h"

#include "scents/ScentTestBox.h"

#include <gtest/gtest.h>

using namespace fendle;
using fendle::testing::fileSlip;

namespace {
QStringList texts(const std::vector<KeywordScentEntryPtr>& entries) {
    QStringList result;
    for (const auto& entry : entries) result.append(entry->entry());
    return result;
}

QHash<QString, QString> colours() {
    return {{QStringLiteral("1"), QStringLiteral("red, green")}, {QStringLiteral("2"), QStringLiteral("green, blue")}};
}
}  // namespace

TEST(KeywordScent, IndexRecordsCarriersAndCoOccurrence) {
    BoxData box;
    fileSlip(box, 1, QStringLiteral("a,  b ,a"));
    fileSlip(box, 2, QStringLiteral("b, c"));
    const KeywordScent index(box.keywordsDictionary(), false);
    EXPECT_EQ(index.keywordDictionaryMut().value(QStringLiteral("1")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(index.slipsContainingKeyword(QStringLiteral("a")),
              (QStringList{QStringLiteral("1"), QStringLiteral("1")}));
    const QStringList carriersOfB = *index.slipsContainingKeyword(QStringLiteral("b"));
    EXPECT_EQ(carriersOfB.size(), 2);
    EXPECT_TRUE(carriersOfB.contains(QStringLiteral("2")));
    EXPECT_EQ(index.scentsForKeyword(QStringLiteral("b")), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(index.scentsForKeyword(QStringLiteral("a")), QStringList{QStringLiteral("b")});
    EXPECT_EQ(index.scentsForKeyword(QStringLiteral("zzz")), std::nullopt);
    EXPECT_EQ(index.slipsContainingKeyword(QStringLiteral("zzz")), std::nullopt);
    EXPECT_EQ(index.keywordTable().size(), 3);
}

TEST(KeywordScent, AllKeysOfOneSlipShareOneString) {
    const KeywordScent index({{QStringLiteral("5"), QStringLiteral("x, y")}}, false);
    EXPECT_EQ(index.keywordsInBox().value(QStringLiteral("x")).first().constData(),
              index.keywordsInBox().value(QStringLiteral("y")).first().constData());
}

TEST(KeywordScent, EmptyPiecesAreRelatedButNeverKeywords) {
    const KeywordScent index({{QStringLiteral("1"), QStringLiteral("a,,b")}}, true);
    EXPECT_EQ(texts(index.keywordScents()), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(index.scentsForKeyword(QStringLiteral("a")), (QStringList{QString(), QStringLiteral("b")}));
    EXPECT_EQ(index.scentsForKeyword(QString()), std::nullopt);
    // The empty piece shows as a leaf only when duplicates are shown, since
    // every path starts with the empty string.
    EXPECT_EQ(texts(index.keywordScents()[0]->scents()), (QStringList{QString(), QStringLiteral("b")}));
    const KeywordScent hiding({{QStringLiteral("1"), QStringLiteral("a,,b")}}, false);
    EXPECT_EQ(texts(hiding.keywordScents()[0]->scents()), QStringList{QStringLiteral("b")});
}

TEST(KeywordScent, BoxWithoutKeywordsHasNoRows) {
    const KeywordScent index({{QStringLiteral("1"), QString()}, {QStringLiteral("2"), QStringLiteral(" , ")}}, false);
    EXPECT_EQ(index.numberOfChildrenOfItem(nullptr), 0);
    EXPECT_TRUE(index.keywordsInBox().isEmpty());
    EXPECT_TRUE(index.isItemExpandable(nullptr));
    EXPECT_EQ(index.objectValueForItem(nullptr), QStringLiteral("/"));
}

TEST(KeywordScent, CaseVariantsAreTwoKeywordsSortedTogether) {
    const KeywordScent index({{QStringLiteral("1"), QStringLiteral("beta, Apple")},
                              {QStringLiteral("2"), QStringLiteral("apple, Zebra")}},
                             false);
    EXPECT_EQ(texts(index.keywordScents()), (QStringList{QStringLiteral("Apple"), QStringLiteral("apple"),
                                                         QStringLiteral("beta"), QStringLiteral("Zebra")}));
}

TEST(KeywordScent, ColourTreeWithDuplicatesHidden) {
    const KeywordScent index(colours(), false);
    EXPECT_EQ(texts(index.keywordScents()),
              (QStringList{QStringLiteral("blue"), QStringLiteral("green"), QStringLiteral("red")}));
    KeywordScentEntry* blue = index.child(0, nullptr).get();
    KeywordScentEntry* green = index.child(1, nullptr).get();
    KeywordScentEntry* red = index.child(2, nullptr).get();
    EXPECT_EQ(texts(blue->scents()), QStringList{QStringLiteral("green")});
    EXPECT_EQ(texts(green->scents()), (QStringList{QStringLiteral("blue"), QStringLiteral("red")}));
    ASSERT_EQ(index.numberOfChildrenOfItem(red), 1);
    const KeywordScentEntryPtr redGreen = index.child(0, red);
    EXPECT_EQ(redGreen->path(), (QStringList{QString(), QStringLiteral("red")}));
    EXPECT_EQ(texts(redGreen->scents()), QStringList{QStringLiteral("blue")});
    const KeywordScentEntryPtr redGreenBlue = redGreen->keywordScentAtIndex(0);
    EXPECT_EQ(index.objectValueForItem(redGreenBlue.get()), QStringLiteral("blue"));
    // Blue's only scent, green, is already on the path.
    EXPECT_FALSE(index.isItemExpandable(redGreenBlue.get()));
    EXPECT_EQ(redGreen->keywordScentAtIndex(3), nullptr);
}

TEST(KeywordScent, ColourTreeWithDuplicatesShownIsEndless) {
    const KeywordScent index(colours(), true);
    KeywordScentEntryPtr entry = index.child(2, nullptr);  // red
    entry = entry->keywordScentAtIndex(0);                 // red → green
    EXPECT_EQ(texts(entry->scents()), (QStringList{QStringLiteral("blue"), QStringLiteral("red")}));
    for (int depth = 0; depth < 50; ++depth) {
        // green → red → green → ...
        entry = entry->keywordScentAtIndex(entry->entry() == QStringLiteral("green") ? 1 : 0);
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(index.isItemExpandable(entry.get()));
    }
    EXPECT_EQ(entry->path().size(), 52);
}

TEST(KeywordScent, ShowDuplicatesReachesChildrenMadeFromThenOn) {
    KeywordScent index(colours(), false);
    const KeywordScentEntryPtr red = index.child(2, nullptr);
    const KeywordScentEntryPtr redGreen = red->keywordScentAtIndex(0);
    index.setShowDuplicates(true);
    EXPECT_TRUE(index.showDuplicates());
    EXPECT_TRUE(redGreen->showDuplicates());
    // Red → green was made under the old flag; fetching again remakes it.
    EXPECT_EQ(texts(red->keywordScentAtIndex(0)->scents()), (QStringList{QStringLiteral("blue"), QStringLiteral("red")}));
    index.setShowDuplicates(false);
    EXPECT_EQ(texts(red->keywordScentAtIndex(0)->scents()), QStringList{QStringLiteral("blue")});
}

TEST(KeywordScentEntry, DescriptionAndComparisons) {
    const KeywordScent index(colours(), false);
    const KeywordScentEntry& green = *index.keywordScents()[1];
    EXPECT_EQ(green.description(), QStringLiteral("<KeywordScentEntry>{entry: green,\n\t\tscents: blue, red}"));
    EXPECT_LT(index.keywordScents()[0]->caseInsensitiveCompare(green), 0);
    EXPECT_EQ(green.compare(green), 0);
    EXPECT_EQ(green.path(), QStringList{QString()});
}

TEST(KeywordScent, PiecesSplitLikeTheBoxDoes) {
    const QStringList samples{QString(), QStringLiteral(","), QStringLiteral(" a ,\tb\t, ,c"),
                              QStringLiteral("x,\n y"), QStringLiteral("  "), QStringLiteral("é, É,")};
    QHash<QString, QString> dictionary;
    for (qsizetype i = 0; i < samples.size(); ++i) dictionary.insert(QString::number(i), samples[i]);
    const KeywordScent index(dictionary, false);
    const QHash<QString, QStringList> pieces = index.keywordDictionaryMut();
    for (qsizetype i = 0; i < samples.size(); ++i)
        EXPECT_EQ(pieces.value(QString::number(i)), splitCommaDelimitedString(samples[i])) << i;
}

// A hub keyword standing with many others and keywords standing with one:
// the co-occurrence lists come out in the same case-insensitive order
// however many related keywords a keyword has.
TEST(KeywordScent, CoOccurrenceOrderForManyAndFewRelatedKeywords) {
    QHash<QString, QString> keywords;
    QStringList spokes;
    for (int i = 0; i < 64; ++i) {
        const QString spoke = QStringLiteral("%1%2").arg(QChar(i % 2 ? u'W' : u'w')).arg(i, 2, 10, QLatin1Char('0'));
        spokes.append(spoke);
        keywords.insert(QString::number(63 - i), QStringLiteral("hub, %1, hub").arg(spoke));
    }
    keywords.insert(QStringLiteral("100"), QStringLiteral("z1, C, b, A"));
    const KeywordScent index(keywords, false);
    EXPECT_EQ(index.scentsForKeyword(QStringLiteral("hub")), spokes);
    EXPECT_EQ(index.scentsForKeyword(QStringLiteral("W05")), QStringList{QStringLiteral("hub")});
    EXPECT_EQ(index.scentsForKeyword(QStringLiteral("z1")),
              (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("C")}));
    EXPECT_EQ(index.slipsContainingKeyword(QStringLiteral("hub"))->size(), 128);
}
