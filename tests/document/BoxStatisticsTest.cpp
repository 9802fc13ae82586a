#include "document/BoxStatistics.h"
#include "scents/KeywordScent.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
BoxData boxOf(const QList<QPair<QString, QStringList>>& slips) {
    BoxData box;
    SlipDictionary dictionary;
    quint32 n = 0;
    for (const auto& [text, keywords] : slips) {
        auto slip = Slip::create(++n);
        slip->setTextWithoutLastModificationDate(RichText(text));
        slip->setKeywordsWithoutLastModificationDate(KeywordsArray(keywords));
        dictionary.insert(slip->key(), slip);
    }
    box.setSlips(dictionary, {});
    return box;
}

BoxStatistics statisticsOf(const BoxData& box) {
    return BoxStatistics::compute(box, KeywordScent(box.keywordsDictionary(), false));
}

QString figure(const BoxStatistics& stats, const QString& label) {
    for (const auto& [name, value] : stats.figures())
        if (name == label) return value;
    ADD_FAILURE() << "no figure " << label.toStdString();
    return {};
}
}  // namespace

TEST(BoxStatisticsTest, WordsArePiecesBetweenNonAlphanumerics) {
    EXPECT_EQ(BoxStatistics::wordCount(QStringLiteral("Rome, 1850: a city")), 4);
    EXPECT_EQ(BoxStatistics::wordCount(QStringLiteral("don't")), 2);
    EXPECT_EQ(BoxStatistics::wordCount(QStringLiteral("3.5")), 2);
    EXPECT_EQ(BoxStatistics::wordCount(QStringLiteral("  ,;  ")), 0);
    EXPECT_EQ(BoxStatistics::wordCount(QStringLiteral("Straße für Ärzte")), 3);
    // A letter outside the basic plane is one letter, not two pieces of nothing.
    EXPECT_EQ(BoxStatistics::wordCount(QStringLiteral("a\U0001D400b c")), 2);
}

TEST(BoxStatisticsTest, CountsAndAveragesOfASmallBox) {
    const BoxData box = boxOf({{QStringLiteral("Rome, 1850: a city"), {"a", "b"}},
                               {QStringLiteral("two words"), {"b"}},
                               {QStringLiteral("one"), {"c"}}});
    const BoxStatistics stats = statisticsOf(box);
    EXPECT_EQ(stats.slips, 3);
    EXPECT_EQ(stats.keywords, 3);
    EXPECT_EQ(stats.words, 7);
    // a and b stand together: one scent each way; c stands alone.
    EXPECT_EQ(stats.keywordScents, 2);
    // Slips 1 and 2 share b.
    EXPECT_EQ(stats.slipScents, 2);

    const QList<QPair<QString, QString>> expected = {
        {"number of slips", "3"},
        {"number of keywords", "3"},
        {"number of words", "7"},
        {"number of keyword scents", "2"},
        {"number of slip scents", "2"},
        {"average keywords per slip", "1.00"},
        {"average words per slip", "2.33"},
        {"average keyword scents per slip", "0.67"},
        {"average slip scents per slip", "0.67"},
        {"average slips per keyword", "1.00"},
        {"average words per keyword", "2.33"},
        {"average keyword scents per keyword", "0.67"},
        {"average slip scents per keyword", "0.67"},
    };
    EXPECT_EQ(stats.figures(), expected);
}

TEST(BoxStatisticsTest, AverageKeywordsPerSlipUsesDistinctKeywords) {
    const BoxData box = boxOf({{"x", {"a", "b"}}, {"y", {"a", "b"}}});
    EXPECT_EQ(figure(statisticsOf(box), "average keywords per slip"), "1.00");
}

TEST(BoxStatisticsTest, DivisionsByZeroPrintAsTheCLibraryDoes) {
    const BoxData noKeywords = boxOf({{"some text", {}}, {"more", {}}});
    const BoxStatistics stats = statisticsOf(noKeywords);
    EXPECT_EQ(stats.keywords, 0);
    EXPECT_EQ(figure(stats, "average slips per keyword"), "inf");
    EXPECT_EQ(figure(stats, "average keyword scents per keyword"), "nan");

    BoxData nothing;
    nothing.setSlips({}, {});
    const BoxStatistics empty = statisticsOf(nothing);
    EXPECT_EQ(figure(empty, "average words per slip"), "nan");
    EXPECT_EQ(figure(empty, "number of slips"), "0");
}
