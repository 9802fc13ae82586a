// What a thumbnail says, before it is drawn.
#include "fendlelook/ThumbnailText.h"

#include <gtest/gtest.h>

using fendle::look::CacheFile;
using fendle::look::ThumbnailText;

namespace {

TEST(ThumbnailTextTest, TheHeaderNamesBoxSlipAndSource) {
    CacheFile file;
    file.boxPath = QStringLiteral("/Users/x/Notes.fendle");
    file.slipID = QStringLiteral("12");
    file.source = QStringLiteral("Book, p. 3");
    file.textContent = QStringLiteral("Text");
    const ThumbnailText text = ThumbnailText::from(file);
    EXPECT_EQ(text.header, QStringLiteral("File: Notes\nSlip: 12\nSource: Book, p. 3\n\n"));
    EXPECT_EQ(text.body, QStringLiteral("Text"));
}

TEST(ThumbnailTextTest, MissingFieldsPrintAsNull) {
    const ThumbnailText text = ThumbnailText::from(CacheFile{});
    EXPECT_EQ(text.header, QStringLiteral("File: (null)\nSlip: (null)\nSource: (null)\n\n"));
    EXPECT_EQ(text.body, QStringLiteral("(null)"));
}

TEST(ThumbnailTextTest, FieldsThatLookLikePlaceholdersStayAsTheyAre) {
    CacheFile file;
    file.boxPath = QStringLiteral("/x/%2.fendle");
    file.slipID = QStringLiteral("%3");
    file.source = QStringLiteral("%1");
    EXPECT_EQ(ThumbnailText::from(file).header, QStringLiteral("File: %2\nSlip: %3\nSource: %1\n\n"));
}

TEST(ThumbnailTextTest, TheBoxNameIsTheLastComponentWithoutItsExtension) {
    const std::vector<std::pair<QString, QString>> names = {
        {QStringLiteral("/x/Notes.fendle"), QStringLiteral("Notes")},
        {QStringLiteral("/x/Notes.old.fendle"), QStringLiteral("Notes.old")},
        {QStringLiteral("/x/Notes"), QStringLiteral("Notes")},
        {QStringLiteral("/x/Notes.fendle/"), QStringLiteral("Notes")},
        {QStringLiteral("/x/.hidden"), QStringLiteral(".hidden")},
        {QStringLiteral("Notes.fendle"), QStringLiteral("Notes")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QString(), QString()},
    };
    for (const auto& [path, name] : names) {
        CacheFile file;
        file.boxPath = path;
        EXPECT_EQ(file.boxName(), name) << path.toStdString();
    }
}

TEST(ThumbnailTextTest, TextsAreCutAfter999CharactersWithAnEllipsis) {
    EXPECT_EQ(ThumbnailText::cut(QString(1000, u'a'), 1000), QString(1000, u'a'));
    EXPECT_EQ(ThumbnailText::cut(QString(1001, u'a'), 1000), QString(999, u'a') + QStringLiteral(" \u2026"));
    CacheFile file;
    file.textContent = QString(5000, u'b');
    EXPECT_EQ(ThumbnailText::from(file).body.size(), 1001);
}

TEST(ThumbnailTextTest, TheCutKeepsSurrogatePairsWhole) {
    // An emoji in units 999 and 1000 (counted from 1) would lose its second half.
    const QString text = QString(998, u'a') + QStringLiteral("😀") + QString(10, u'c');
    EXPECT_EQ(ThumbnailText::cut(text, 1000), QString(998, u'a') + QStringLiteral(" \u2026"));
    // One unit earlier it fits whole.
    const QString earlier = QString(997, u'a') + QStringLiteral("😀") + QString(10, u'c');
    EXPECT_EQ(ThumbnailText::cut(earlier, 1000), QString(997, u'a') + QStringLiteral("😀 \u2026"));
}

TEST(ThumbnailTextTest, HeaderFieldsAreCutFarBeyondTheView) {
    CacheFile file;
    file.source = QString(100000, u's');
    const ThumbnailText text = ThumbnailText::from(file);
    EXPECT_TRUE(text.header.contains(QString(ThumbnailText::MaximumFieldLength - 1, u's') + QStringLiteral(" \u2026")));
    EXPECT_LT(text.header.size(), 4 * ThumbnailText::MaximumFieldLength);
}

}  // namespace
