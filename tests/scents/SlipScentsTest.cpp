#include "scents/SlipScents.h"

#include "scents/KeywordScent.h"
#include "scents/ScentArray.h"
#include "scents/ScentTestBox.h"

#include <gtest/gtest.h>

using namespace fendle;
using fendle::testing::fileSlip;

namespace {
QStringList rankedKeys(const BoxData& box, const SlipPtr& slip) {
    const KeywordScent index(box.keywordsDictionary(), false);
    return slipScentsForSlip(*slip, index).relatedKeys();
}
}  // namespace

TEST(SlipScents, StrongerScentsComeFirstAndTheSlipNeverScentsItself) {
    BoxData box;
    const SlipPtr one = fileSlip(box, 1, QStringLiteral("a, b"));
    fileSlip(box, 2, QStringLiteral("a, b"));
    fileSlip(box, 3, QStringLiteral("b"));
    fileSlip(box, 4, QStringLiteral("c"));
    const KeywordScent index(box.keywordsDictionary(), false);
    const SlipScentList scents = slipScentsForSlip(*one, index);
    EXPECT_EQ(scents.count(), 3);
    EXPECT_EQ(scents.heading().string(), QStringLiteral("1"));
    const auto font = scents.heading().attributesAt(0).get<FontAttribute>(attr::Font);
    ASSERT_TRUE(font.has_value());
    EXPECT_TRUE(font->bold);
    EXPECT_EQ(font->pointSize, 13.0);
    EXPECT_EQ(scents.relatedKeys(), (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(scents.keyAtIndex(0), QStringLiteral("1"));
    EXPECT_EQ(scents.keyAtIndex(2), QStringLiteral("3"));
    EXPECT_EQ(scents.objectAtIndex(1).toString(), QStringLiteral("2"));
    EXPECT_EQ(scents.keyAtIndex(3), QString());
    EXPECT_FALSE(scents.objectAtIndex(-1).isValid());
}

TEST(SlipScents, SlipWithoutKeywordsOrSharedKeywordsHasOnlyTheHeading) {
    BoxData box;
    const SlipPtr bare = fileSlip(box, 1, QString());
    const SlipPtr lonely = fileSlip(box, 2, QStringLiteral("x"));
    const KeywordScent index(box.keywordsDictionary(), false);
    EXPECT_EQ(slipScentsForSlip(*bare, index).count(), 1);
    EXPECT_EQ(slipScentsForSlip(*lonely, index).count(), 1);
}

TEST(SlipScents, PiecesAreTrimmedButCaseCounts) {
    BoxData box;
    const SlipPtr one = fileSlip(box, 1, QString());
    one->setKeywords(KeywordsArray({QStringLiteral("  alpha\t"), QStringLiteral("Beta ")}));
    fileSlip(box, 2, QStringLiteral("alpha"));
    fileSlip(box, 3, QStringLiteral("beta"));
    EXPECT_EQ(rankedKeys(box, one), QStringList{QStringLiteral("2")});
}

TEST(SlipScents, RepeatedKeywordsScoreEachTime) {
    BoxData box;
    // Slip 1 lists "a" twice: slip 2 (a) scores 2 and outranks slip 3 (b, c).
    const SlipPtr one = fileSlip(box, 1, QStringLiteral("a, a, b, c"));
    fileSlip(box, 3, QStringLiteral("b, c"));
    fileSlip(box, 2, QStringLiteral("a"));
    fileSlip(box, 4, QStringLiteral("c"));
    EXPECT_EQ(rankedKeys(box, one), (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    // A slip carrying "a" twice is counted twice for every piece "a".
    BoxData twice;
    const SlipPtr single = fileSlip(twice, 1, QStringLiteral("a, b, c"));
    fileSlip(twice, 2, QStringLiteral("a, a"));
    fileSlip(twice, 3, QStringLiteral("b"));
    EXPECT_EQ(rankedKeys(twice, single), (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
}

TEST(SlipScents, EqualStrengthsKeepOneStableOrder) {
    BoxData box;
    const SlipPtr one = fileSlip(box, 1, QStringLiteral("k"));
    for (quint32 n = 2; n <= 20; ++n) fileSlip(box, n, QStringLiteral("k"));
    const KeywordScent index(box.keywordsDictionary(), false);
    const QStringList first = slipScentsForSlip(*one, index).relatedKeys();
    EXPECT_EQ(first.size(), 19);
    EXPECT_EQ(slipScentsForSlip(*one, index).relatedKeys(), first);
    // Ties keep the order of the index, which is by number: the same in every
    // run, whatever order the box's hash gives its slips.
    QStringList expected = index.keywordsInBox().value(QStringLiteral("k"));
    expected.removeAll(QStringLiteral("1"));
    EXPECT_EQ(first, expected);
    QStringList byNumber;
    for (int n = 2; n <= 20; ++n) byNumber.append(QString::number(n));
    EXPECT_EQ(first, byNumber);
}

TEST(ScentArray, ObjectsAreTheSameOnlyWhenTheyShareStorage) {
    const QString key = QStringLiteral("7");
    const QString sameText = QString::fromLatin1("7");
    ScentArray scents(4);
    scents.addObject(Scent::scentWithObject(key, 1));
    EXPECT_TRUE(scents.containsObject(QString(key)));
    EXPECT_FALSE(scents.containsObject(sameText));
    scents.incrementStrengthOfObject(sameText);
    EXPECT_EQ(scents.scentArray().first().strength, 1u);
    scents.incrementStrengthOfObject(key);
    scents.addObject(Scent::scentWithObject(sameText, 3));
    scents.sortByStrength();
    EXPECT_EQ(scents.scentArray().first().strength, 3u);
    scents.incrementStrengthOfObject(key);
    EXPECT_EQ(scents.scentArray().last().strength, 3u);
    EXPECT_EQ(scents.simpleScentArray(), (QStringList{sameText, key}));
}

// The ranking as a plain ScentArray walk over keywordsInBox, against which
// the index's counting ranking is checked on a random box.
static QStringList rankedWithScentArray(const Slip& slip, const KeywordScent& index) {
    ScentArray scents(16);
    for (const QString& piece : splitCommaDelimitedString(slip.keywordsString())) {
        for (const QString& key : index.keywordsInBox().value(piece)) {
            if (scents.containsObject(key))
                scents.incrementStrengthOfObject(key);
            else
                scents.addObject(Scent::scentWithObject(key, 1));
        }
    }
    scents.sortByStrength();
    QStringList keys = scents.simpleScentArray();
    keys.removeAll(slip.key());
    return keys;
}

TEST(SlipScents, CountingRankingAgreesWithTheScentArrayWalk) {
    BoxData box;
    std::srand(7);
    for (quint32 n = 1; n <= 300; ++n) {
        QStringList keywords;
        for (int k = std::rand() % 6; k > 0; --k) keywords.append(QStringLiteral("k%1").arg(std::rand() % 25));
        if (n % 17 == 0) keywords.append(QString());
        fileSlip(box, n, keywords.join(QStringLiteral(", ")));
    }
    const KeywordScent index(box.keywordsDictionary(), false);
    for (const SlipPtr& slip : box.slips()) {
        const QStringList counted = slipScentsForSlip(*slip, index).relatedKeys();
        ASSERT_EQ(counted, rankedWithScentArray(*slip, index)) << slip->key().toStdString();
        // Calls leave no trace on the next one.
        ASSERT_EQ(slipScentsForSlip(*slip, index).relatedKeys(), counted);
    }
}
